// What the likelihood kernel tests compare with: forward-mode dual numbers, the straightforward
// recursions and densities as their formulas read (over doubles or duals, the residuals too),
// and the kernels and filters called on a case.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "kernels.hpp"

namespace volfilter::testing {

using volfilter::Distribution;
using volfilter::LikelihoodResult;
using volfilter::LikelihoodScratch;

inline constexpr double kReferenceNaN = std::numeric_limits<double>::quiet_NaN();

// ---------------------------------------------------------------------------------------
// Forward-mode dual numbers: a value and its derivatives with respect to up to kMostLanes
// parameters. The value is computed by exactly the operations a double would see.
constexpr std::size_t kMostLanes = 16;

struct Dual {
  double v = 0.0;
  std::array<double, kMostLanes> d{};

  Dual() = default;
  Dual(double value) : v(value) {}  // NOLINT: constants mix into expressions
  static Dual variable(double value, std::size_t lane) {
    Dual x(value);
    x.d[lane] = 1.0;
    return x;
  }
};

template <typename F>
Dual chain(const Dual& x, double value, F derivative) {
  Dual r(value);
  const double slope = derivative();
  for (std::size_t i = 0; i < kMostLanes; ++i) {
    r.d[i] = slope * x.d[i];
  }
  return r;
}

inline Dual operator+(const Dual& a, const Dual& b) {
  Dual r(a.v + b.v);
  for (std::size_t i = 0; i < kMostLanes; ++i) {
    r.d[i] = a.d[i] + b.d[i];
  }
  return r;
}
inline Dual operator-(const Dual& a, const Dual& b) {
  Dual r(a.v - b.v);
  for (std::size_t i = 0; i < kMostLanes; ++i) {
    r.d[i] = a.d[i] - b.d[i];
  }
  return r;
}
inline Dual operator*(const Dual& a, const Dual& b) {
  Dual r(a.v * b.v);
  for (std::size_t i = 0; i < kMostLanes; ++i) {
    r.d[i] = a.d[i] * b.v + a.v * b.d[i];
  }
  return r;
}
inline Dual operator/(const Dual& a, const Dual& b) {
  Dual r(a.v / b.v);
  for (std::size_t i = 0; i < kMostLanes; ++i) {
    r.d[i] = (a.d[i] * b.v - a.v * b.d[i]) / (b.v * b.v);
  }
  return r;
}
inline Dual exp(const Dual& x) {
  const double value = std::exp(x.v);
  return chain(x, value, [&] { return value; });
}
inline Dual log(const Dual& x) {
  return chain(x, std::log(x.v), [&] { return 1.0 / x.v; });
}
inline Dual log1p(const Dual& x) {
  return chain(x, std::log1p(x.v), [&] { return 1.0 / (1.0 + x.v); });
}
inline Dual sqrt(const Dual& x) {
  const double value = std::sqrt(x.v);
  return chain(x, value, [&] { return 0.5 / value; });
}
inline Dual fabs(const Dual& x) {
  return chain(x, std::fabs(x.v), [&] { return x.v < 0.0 ? -1.0 : x.v > 0.0 ? 1.0 : 0.0; });
}
inline Dual lgamma(const Dual& x) {
  return chain(x, std::lgamma(x.v), [&] { return volfilter::digamma(x.v); });
}
inline double value_of(double x) { return x; }
inline double value_of(const Dual& x) { return x.v; }

// ---------------------------------------------------------------------------------------
// The straightforward recursions, as their formulas read, lagged values read back from the
// arrays, over doubles or duals.

struct Case {
  std::string label;
  std::string model;  // threshvol, logvol, shiftvol, intvol
  int p = 1, o = 0, q = 1, m = 1;
  int type = 2;
  int has_constant = 1;
  Distribution distribution = Distribution::normal;
  std::vector<double> parameters;  // the model's, then nu for Student's t
  double backcast = 1.0;
  double upper_bound = 1e6;
  std::uint64_t T = 300;
  std::uint32_t seed = 1;
};

inline std::vector<double> residuals(const Case& c) {
  std::mt19937_64 generator(c.seed);
  std::normal_distribution<double> normal(0.0, 1.0);
  std::vector<double> e(c.T);
  for (double& value : e) {
    value = normal(generator);
  }
  return e;
}

inline std::size_t model_lanes(const Case& c) {
  if (c.model == "shiftvol") {
    return static_cast<std::size_t>(c.p + c.q + 2);
  }
  if (c.model == "intvol") {
    return static_cast<std::size_t>(c.has_constant + c.p + c.q - 1);
  }
  return static_cast<std::size_t>(1 + c.p + c.o + c.q);
}

template <typename S, typename E>
std::vector<S> straightforward_ht(const Case& c, const std::vector<E>& e,
                                  const std::vector<S>& theta) {
  const std::size_t T = e.size();
  const auto m = static_cast<std::size_t>(c.m);
  std::vector<S> ht(T);
  const auto par = [&theta](int index) -> const S& {
    return theta[static_cast<std::size_t>(index)];
  };
  const auto lag = [](std::size_t t, int l) { return t - static_cast<std::size_t>(l); };
  using std::fabs;
  const auto power = [&](const E& x) -> E { return c.type == 1 ? fabs(x) : x * x; };
  if (c.model == "threshvol" || c.model == "intvol") {
    const bool threshold = c.model == "threshvol";
    std::vector<S> s(T);
    const int a0 = threshold ? 1 : c.has_constant;
    S implied(1.0);
    for (int i = 0; i < c.p + c.q - 1 && !threshold; ++i) {
      implied = implied - par(a0 + i);
    }
    for (std::size_t t = 0; t < T; ++t) {
      if (t < m) {
        s[t] = S(c.backcast);
        continue;
      }
      S sum = threshold || c.has_constant != 0 ? theta[0] : S(0.0);
      for (int i = 1; i <= c.p; ++i) {
        sum = sum + S(power(e[lag(t, i)])) * par(a0 + i - 1);
      }
      for (int i = 1; threshold && i <= c.o; ++i) {
        const E& x = e[lag(t, i)];
        sum = sum + S(value_of(x) < 0 ? power(x) : E(0.0)) * par(c.p + i);
      }
      const int explicit_lags = threshold ? c.q : c.q - 1;
      const int b0 = threshold ? 1 + c.p + c.o : a0 + c.p;
      for (int k = 1; k <= explicit_lags; ++k) {
        sum = sum + s[lag(t, k)] * par(b0 + k - 1);
      }
      if (!threshold) {
        sum = sum + implied * s[lag(t, c.q)];
      }
      s[t] = sum;
    }
    for (std::size_t t = 0; t < T; ++t) {
      ht[t] = c.type == 1 && t >= m ? s[t] * s[t] : s[t];
    }
  } else if (c.model == "shiftvol") {
    std::vector<S> shifted(T);
    const S gamma = par(c.p + 1);
    for (std::size_t t = 0; t < T; ++t) {
      if (t < m) {
        ht[t] = S(c.backcast);
        shifted[t] =
            c.type == 1 ? gamma * gamma + S(c.backcast) : (gamma * gamma + S(1.0)) * S(c.backcast);
        continue;
      }
      S h = theta[0];
      for (int j = 1; j <= c.p; ++j) {
        h = h + par(j) * shifted[lag(t, j)];
      }
      for (int k = 1; k <= c.q; ++k) {
        h = h + par(c.p + 1 + k) * ht[lag(t, k)];
      }
      ht[t] = h;
      const S d = c.type == 1 ? S(e[t]) - gamma : S(e[t]) - gamma * sqrt(h);
      shifted[t] = d * d;
    }
  } else {  // logvol
    const double mu = 0.797884560802865;
    std::vector<S> log_ht(T);
    std::vector<S> z(T);
    std::vector<S> centered(T);
    const double v0 = std::exp(c.backcast);
    const double floor_variance = v0 / 10000.0;
    const double floor_log = c.backcast - std::log(10000.0);
    for (std::size_t t = 0; t < T; ++t) {
      if (t < m) {
        log_ht[t] = S(c.backcast);
        ht[t] = S(v0);
        z[t] = S(e[t] / std::sqrt(v0));
        centered[t] = S(fabs(e[t] / std::sqrt(v0)) - mu);
        continue;
      }
      S sum = theta[0];
      for (int j = 1; j <= c.p; ++j) {
        sum = sum + par(j) * centered[lag(t, j)];
      }
      for (int j = 1; j <= c.o; ++j) {
        sum = sum + par(c.p + j) * z[lag(t, j)];
      }
      for (int j = 1; j <= c.q; ++j) {
        sum = sum + theta[static_cast<std::size_t>(c.p + c.o + j)] *
                        log_ht[t - static_cast<std::size_t>(j)];
      }
      S h = exp(sum);
      if (h.v < floor_variance) {
        h = S(floor_variance);
        sum = S(floor_log);
      }
      if (h.v > c.upper_bound) {
        h = std::isinf(h.v) ? S(c.upper_bound) : S(c.upper_bound) + sum;
        sum = S(std::log(c.upper_bound));
      }
      ht[t] = h;
      log_ht[t] = sum;
      z[t] = S(e[t]) / sqrt(h);
      centered[t] = fabs(z[t]) - S(mu);
    }
  }
  return ht;
}

// -log f(e_t | h_t) for every modelled t, and nll, by the documented formulas.
template <typename S, typename E>
std::vector<S> straightforward_terms(const Case& c, const std::vector<E>& e,
                                     const std::vector<S>& theta, const std::vector<S>& ht) {
  std::vector<S> terms;
  const bool student = c.distribution == Distribution::student_t;
  const S nu = student ? theta[model_lanes(c)] : S(0.0);
  for (std::size_t t = static_cast<std::size_t>(c.m); t < e.size(); ++t) {
    const S e2(e[t] * e[t]);
    if (student) {
      const S constant = lgamma(nu * S(0.5)) - lgamma((nu + S(1.0)) * S(0.5)) +
                         S(0.5) * log(S(3.141592653589793) * (nu - S(2.0)));
      terms.push_back(constant +
                      S(0.5) * (log(ht[t]) + (nu + S(1.0)) * log1p(e2 / ((nu - S(2.0)) * ht[t]))));
    } else {
      terms.push_back(S(0.5) * (S(1.8378770664093456) + log(ht[t]) + e2 / ht[t]));
    }
  }
  return terms;
}

// ---------------------------------------------------------------------------------------
// The kernel under test, with every output asked for or only nll.

struct KernelResult {
  double nll = kReferenceNaN;
  std::vector<double> gradient;
  std::vector<double> scores;
  std::vector<double> ht;
};

inline KernelResult run_kernel(const Case& c, const std::vector<double>& e,
                               const std::vector<double>& parameters, bool derivatives) {
  const std::uint64_t T = e.size();
  const std::size_t k = parameters.size();
  LikelihoodScratch scratch{};
  if (c.model == "threshvol") {
    scratch = volfilter::threshvol_nll_scratch(c.p, c.o, c.q, c.type, derivatives);
  } else if (c.model == "logvol") {
    scratch = volfilter::logvol_nll_scratch(c.p, c.o, c.q, derivatives);
  } else if (c.model == "shiftvol") {
    scratch = volfilter::shiftvol_nll_scratch(c.p, c.q, derivatives);
  } else {
    scratch = volfilter::intvol_nll_scratch(c.p, c.q, c.type, c.has_constant, derivatives);
  }
  KernelResult r;
  r.ht.assign(T, kReferenceNaN);
  std::vector<double> series(T * scratch.series_columns, kReferenceNaN);
  std::vector<double> lanes(scratch.lane_values, kReferenceNaN);
  if (derivatives) {
    r.gradient.assign(k, -1.0);
    r.scores.assign(T * k, -1.0);
  }
  const LikelihoodResult result{&r.nll, derivatives ? r.gradient.data() : nullptr,
                                derivatives ? r.scores.data() : nullptr};
  const double* theta = parameters.data();
  if (c.model == "threshvol") {
    volfilter::threshvol_nll_kernel(e.data(), theta, &c.backcast, c.p, c.o, c.q, c.m, T, c.type,
                                    c.distribution, r.ht.data(), series.data(), lanes.data(),
                                    result);
  } else if (c.model == "logvol") {
    volfilter::logvol_nll_kernel(e.data(), theta, &c.backcast, &c.upper_bound, c.p, c.o, c.q, c.m,
                                 T, c.distribution, r.ht.data(), series.data(), lanes.data(),
                                 result);
  } else if (c.model == "shiftvol") {
    volfilter::shiftvol_nll_kernel(e.data(), theta, &c.backcast, c.p, c.q, c.m, T, c.type,
                                   c.distribution, r.ht.data(), series.data(), lanes.data(),
                                   result);
  } else {
    volfilter::intvol_nll_kernel(e.data(), theta, &c.backcast, c.p, c.q, c.m, T, c.type,
                                 c.has_constant, c.distribution, r.ht.data(), series.data(),
                                 lanes.data(), result);
  }
  return r;
}

// The filter kernel's own variances for the data series the case forms from e.
inline std::vector<double> filter_ht(const Case& c, const std::vector<double>& e) {
  const std::uint64_t T = e.size();
  std::vector<double> data(T);
  std::vector<double> asym(T);
  for (std::size_t t = 0; t < T; ++t) {
    data[t] = c.type == 1 ? std::fabs(e[t]) : e[t] * e[t];
    asym[t] = e[t] < 0 ? data[t] : 0.0;
  }
  std::vector<double> ht(T);
  std::vector<double> s1(T);
  std::vector<double> s2(T);
  std::vector<double> s3(T);
  const double* theta = c.parameters.data();
  if (c.model == "threshvol") {
    volfilter::threshvol_kernel(data.data(), asym.data(), theta, &c.backcast, c.p, c.o, c.q, c.m, T,
                                c.type, ht.data());
  } else if (c.model == "logvol") {
    volfilter::logvol_kernel(e.data(), theta, &c.backcast, &c.upper_bound, c.p, c.o, c.q, c.m, T,
                             ht.data(), s1.data(), s2.data(), s3.data());
  } else if (c.model == "shiftvol") {
    volfilter::shiftvol_kernel(e.data(), theta, &c.backcast, c.p, c.q, c.m, T, c.type, ht.data(),
                               s1.data());
  } else {
    volfilter::intvol_kernel(data.data(), theta, &c.backcast, c.p, c.q, c.m, T, c.type,
                             c.has_constant, ht.data());
  }
  return ht;
}

inline bool same_bits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](double x, double y) {
           return std::memcmp(&x, &y, sizeof x) == 0;
         });
}

}  // namespace volfilter::testing
