// The likelihood kernels with a mean against what they must equal: lagreg_kernel's residuals and
// the filter's variances on them bit for bit, the same nll with and without derivatives, a
// dual-number evaluation of the straightforward residuals, recursion and density, central
// differences, scores that sum to the gradient; the likelihood without a mean where there is
// none; +Inf where the model or its residuals are not defined.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "kernels.hpp"
#include "likelihood_reference.hpp"

namespace {

using namespace volfilter::testing;
using volfilter::MeanTerms;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct MeanCase {
  std::string label;
  Case model;  // the variance model; its parameters (and nu) follow the mean's
  int constant = 1;
  std::vector<double> ar_lags;
  std::vector<double> ma_lags;
  std::uint64_t x_columns = 0;
  std::vector<double> mean;  // the mean's parameters
};

struct Returns {
  std::vector<double> y;
  std::vector<double> x;
};

// Returns with some persistence and regressors of their own.
Returns returns(const MeanCase& c) {
  std::mt19937_64 generator(c.model.seed);
  std::normal_distribution<double> normal(0.0, 1.0);
  Returns r{std::vector<double>(c.model.T), std::vector<double>(c.model.T * c.x_columns)};
  for (double& value : r.x) {
    value = normal(generator);
  }
  double previous = 0.0;
  for (double& value : r.y) {
    value = 0.1 + 0.3 * previous + normal(generator);
    previous = value;
  }
  return r;
}

MeanTerms terms_of(const MeanCase& c, const Returns& r) {
  return {r.y.data(),
          r.x.data(),
          c.x_columns,
          c.ar_lags.data(),
          static_cast<std::int32_t>(c.ar_lags.size()),
          c.ma_lags.data(),
          static_cast<std::int32_t>(c.ma_lags.size()),
          c.constant};
}

std::vector<double> all_parameters(const MeanCase& c) {
  std::vector<double> theta = c.mean;
  theta.insert(theta.end(), c.model.parameters.begin(), c.model.parameters.end());
  return theta;
}

struct MeanResult {
  KernelResult likelihood;
  std::vector<double> residuals;
};

MeanResult run_mean_kernel(const MeanCase& mc, const Returns& r,
                           const std::vector<double>& parameters, bool derivatives) {
  const Case& c = mc.model;
  const MeanTerms mean = terms_of(mc, r);
  const std::uint64_t T = r.y.size();
  LikelihoodScratch scratch{};
  if (c.model == "threshvol") {
    scratch = volfilter::threshvol_mean_nll_scratch(mean, c.p, c.o, c.q, c.type, derivatives);
  } else if (c.model == "logvol") {
    scratch = volfilter::logvol_mean_nll_scratch(mean, c.p, c.o, c.q, derivatives);
  } else if (c.model == "shiftvol") {
    scratch = volfilter::shiftvol_mean_nll_scratch(mean, c.p, c.q, derivatives);
  } else {
    scratch =
        volfilter::intvol_mean_nll_scratch(mean, c.p, c.q, c.type, c.has_constant, derivatives);
  }
  MeanResult out;
  KernelResult& k = out.likelihood;
  k.ht.assign(T, kNaN);
  out.residuals.assign(T, kNaN);
  std::vector<double> series(T * scratch.series_columns, kNaN);
  std::vector<double> lanes(scratch.lane_values, kNaN);
  if (derivatives) {
    k.gradient.assign(parameters.size(), -1.0);
    k.scores.assign(T * parameters.size(), -1.0);
  }
  const LikelihoodResult result{&k.nll, derivatives ? k.gradient.data() : nullptr,
                                derivatives ? k.scores.data() : nullptr};
  const double* theta = parameters.data();
  double* e = out.residuals.data();
  if (c.model == "threshvol") {
    volfilter::threshvol_mean_nll_kernel(mean, theta, &c.backcast, c.p, c.o, c.q, c.m, T, c.type,
                                         c.distribution, k.ht.data(), e, series.data(),
                                         lanes.data(), result);
  } else if (c.model == "logvol") {
    volfilter::logvol_mean_nll_kernel(mean, theta, &c.backcast, &c.upper_bound, c.p, c.o, c.q, c.m,
                                      T, c.distribution, k.ht.data(), e, series.data(),
                                      lanes.data(), result);
  } else if (c.model == "shiftvol") {
    volfilter::shiftvol_mean_nll_kernel(mean, theta, &c.backcast, c.p, c.q, c.m, T, c.type,
                                        c.distribution, k.ht.data(), e, series.data(), lanes.data(),
                                        result);
  } else {
    volfilter::intvol_mean_nll_kernel(mean, theta, &c.backcast, c.p, c.q, c.m, T, c.type,
                                      c.has_constant, c.distribution, k.ht.data(), e, series.data(),
                                      lanes.data(), result);
  }
  return out;
}

std::vector<double> lagreg_residuals(const MeanCase& c, const Returns& r,
                                     const std::vector<double>& parameters) {
  const std::uint64_t T = r.y.size();
  const std::vector<double> ones(T, 1.0);
  std::vector<double> e(T, kNaN);
  volfilter::lagreg_kernel(parameters.data(), c.ar_lags.data(), c.ma_lags.data(), c.constant,
                           static_cast<std::int32_t>(c.ar_lags.size()),
                           static_cast<std::int32_t>(c.ma_lags.size()), r.y.data(), r.x.data(),
                           static_cast<std::uint64_t>(c.model.m), T, c.x_columns, ones.data(),
                           e.data());
  return e;
}

// The residuals as their formula reads, in lagreg's order of subtraction.
template <typename S>
std::vector<S> straightforward_residuals(const MeanCase& c, const Returns& r,
                                         const std::vector<S>& theta) {
  const std::size_t T = r.y.size();
  std::vector<S> e(T, S(0.0));
  const auto ar = c.ar_lags.size();
  const auto base = static_cast<std::size_t>(c.constant);
  for (std::size_t t = static_cast<std::size_t>(c.model.m); t < T; ++t) {
    S sum(r.y[t]);
    if (c.constant != 0) {
      sum = sum - theta[0];
    }
    for (std::size_t j = 0; j < ar; ++j) {
      sum = sum - S(r.y[t - static_cast<std::size_t>(c.ar_lags[j])]) * theta[base + j];
    }
    for (std::size_t j = 0; j < c.x_columns; ++j) {
      sum = sum - theta[base + ar + j] * S(r.x[t + j * T]);
    }
    for (std::size_t j = 0; j < c.ma_lags.size(); ++j) {
      sum =
          sum - e[t - static_cast<std::size_t>(c.ma_lags[j])] * theta[base + ar + c.x_columns + j];
    }
    e[t] = sum;
  }
  return e;
}

// Every mean with every model: a constant alone, AR and MA terms at lags past 1 (so that a lag
// of 1 in their place shows), repeated lags, regressors, MA lags deeper than the variance's,
// both distributions and powers, the log-variance ceiling, and more lanes than the widths
// compiled for small models.
std::vector<MeanCase> cases() {
  using D = Distribution;
  const auto model = [](std::string name, int p, int o, int q, int m, int type, D distribution,
                        std::vector<double> parameters, double backcast = 1.0) {
    Case c;
    c.model = std::move(name);
    c.p = p;
    c.o = o;
    c.q = q;
    c.m = m;
    c.type = type;
    c.distribution = distribution;
    c.parameters = std::move(parameters);
    c.backcast = backcast;
    c.seed = static_cast<std::uint32_t>(7 * m + p + 3 * q + type);
    return c;
  };
  std::vector<MeanCase> list = {
      {"constant, GARCH(1,1)",
       model("threshvol", 1, 0, 1, 1, 2, D::normal, {0.05, 0.08, 0.9}),
       1,
       {},
       {},
       0,
       {0.1}},
      {"AR(1), GARCH(1,1) t",
       model("threshvol", 1, 0, 1, 1, 2, D::student_t, {0.05, 0.08, 0.9, 7}),
       1,
       {1},
       {},
       0,
       {0.05, 0.2}},
      {"ARMA(1,1), GJR power 1",
       model("threshvol", 1, 1, 1, 1, 1, D::normal, {0.05, 0.05, 0.08, 0.85}, 0.9),
       1,
       {1},
       {1},
       0,
       {0.05, 0.2, -0.3}},
      {"AR 1 and 4, MA 2, two regressors, GJR t",
       model("threshvol", 2, 1, 1, 4, 2, D::student_t, {0.05, 0.05, 0.03, 0.08, 0.8, 6}),
       1,
       {1, 4},
       {2},
       2,
       {0.02, 0.2, -0.1, 0.3, -0.2, 0.25}},
      {"MA 1 and 3, EGARCH(1,1,1)",
       model("logvol", 1, 1, 1, 3, 2, D::normal, {-0.01, 0.15, -0.08, 0.95}, 0.0),
       1,
       {},
       {1, 3},
       0,
       {0.1, 0.3, -0.2}},
      {"AR 2, regressor, EGARCH(2,1,2) t at the ceiling",
       model("logvol", 2, 1, 2, 2, 2, D::student_t, {0.05, 0.3, 0.05, -0.1, 0.6, 0.3, 8}, 0.1),
       0,
       {2},
       {},
       1,
       {0.15, 0.4}},
      {"regressors only, AGARCH(1,1)",
       model("shiftvol", 1, 0, 1, 1, 1, D::normal, {0.05, 0.08, 0.3, 0.85}),
       0,
       {},
       {},
       2,
       {0.3, -0.2}},
      {"ARMA(2,1), NAGARCH(2,1) t",
       model("shiftvol", 2, 0, 1, 2, 0, D::student_t, {0.05, 0.04, 0.03, 0.5, 0.8, 9}),
       1,
       {1, 2},
       {1},
       0,
       {0.05, 0.15, 0.1, 0.2}},
      {"constant and AR(1), IGARCH(1,1)",
       model("intvol", 1, 0, 1, 1, 2, D::normal, {0.02, 0.1}),
       1,
       {1},
       {},
       0,
       {0.1, 0.2}},
      {"repeated AR lag, MA 5, IGARCH(1,2) power 1 t without a constant",
       model("intvol", 1, 0, 2, 5, 1, D::student_t, {0.08, 0.5, 6}, 0.9),
       1,
       {1, 1},
       {5},
       0,
       {0.05, 0.1, 0.1, 0.25}},
      {"constant, AR(2), two regressors, MA(2): GARCH(1,1), run-time lane width",
       model("threshvol", 1, 0, 1, 2, 2, D::normal, {0.05, 0.08, 0.9}),
       1,
       {1, 2},
       {1, 2},
       2,
       {0.05, 0.1, 0.05, 0.3, -0.2, 0.2, 0.1}},
      {"MA lag 70, more than a chunk of steps back, GARCH(1,1) t",
       model("threshvol", 1, 0, 1, 70, 2, D::student_t, {0.05, 0.08, 0.9, 8}),
       1,
       {1},
       {70, 1},
       0,
       {0.05, 0.1, 0.2, -0.1}},
  };
  list[5].model.upper_bound = 1.6;  // the ceiling's finite branch at some steps
  list[9].model.has_constant = 0;
  return list;
}

TEST(MeanLikelihoodKernels, AgreeWithLagregFilterDualNumbersDifferencesAndTheirScores) {
  for (const MeanCase& c : cases()) {
    SCOPED_TRACE(c.label);
    const Returns r = returns(c);
    const std::vector<double> parameters = all_parameters(c);
    const MeanResult full = run_mean_kernel(c, r, parameters, true);
    const MeanResult value_only = run_mean_kernel(c, r, parameters, false);

    // lagreg's residuals, and the filter's variances on them, whatever is asked for.
    const std::vector<double> residuals = lagreg_residuals(c, r, parameters);
    EXPECT_TRUE(same_bits(full.residuals, residuals));
    EXPECT_TRUE(same_bits(value_only.residuals, residuals));
    Case variance_only = c.model;
    const std::vector<double> filtered = filter_ht(variance_only, residuals);
    EXPECT_TRUE(same_bits(full.likelihood.ht, filtered));
    EXPECT_TRUE(same_bits(value_only.likelihood.ht, filtered));
    EXPECT_EQ(std::memcmp(&full.likelihood.nll, &value_only.likelihood.nll, sizeof(double)), 0);
    ASSERT_TRUE(std::isfinite(full.likelihood.nll));

    const std::size_t k = parameters.size();
    const std::size_t mean_lanes = c.mean.size();
    std::vector<Dual> theta;
    for (std::size_t j = 0; j < k; ++j) {
      theta.push_back(Dual::variable(parameters[j], j));
    }
    const std::vector<Dual> e = straightforward_residuals(c, r, theta);
    const std::vector<Dual> variance_theta(theta.begin() + static_cast<std::ptrdiff_t>(mean_lanes),
                                           theta.end());
    const std::vector<Dual> dual_ht = straightforward_ht(c.model, e, variance_theta);
    const std::size_t T = r.y.size();
    for (std::size_t t = 0; t < T; ++t) {
      ASSERT_EQ(std::memcmp(&e[t].v, &residuals[t], sizeof(double)), 0) << "e at " << t;
      ASSERT_EQ(std::memcmp(&dual_ht[t].v, &filtered[t], sizeof(double)), 0) << "ht at " << t;
    }
    const std::vector<Dual> terms = straightforward_terms(c.model, e, variance_theta, dual_ht);
    double dual_nll = 0.0;
    double magnitude = 0.0;
    for (const Dual& term : terms) {
      dual_nll += term.v;
      magnitude += std::fabs(term.v);
    }
    EXPECT_NEAR(full.likelihood.nll, dual_nll, 1e-13 * magnitude);

    const auto m = static_cast<std::size_t>(c.model.m);
    const std::vector<double>& scores = full.likelihood.scores;
    for (std::size_t j = 0; j < k; ++j) {
      double dual_gradient = 0.0;
      double size = 1.0;
      double column_sum = 0.0;
      for (std::size_t t = 0; t < T; ++t) {
        const double score = t < m ? 0.0 : terms[t - m].d[j];
        dual_gradient += score;
        size += std::fabs(score);
        EXPECT_NEAR(scores[t + j * T], score, 1e-10 * (1.0 + std::fabs(score)))
            << "score " << t << ", " << j;
        column_sum = column_sum + scores[t + j * T];
      }
      EXPECT_NEAR(full.likelihood.gradient[j], dual_gradient, 1e-11 * size) << "lane " << j;
      EXPECT_EQ(column_sum, full.likelihood.gradient[j]) << "lane " << j;

      const double step = 1e-6 * std::max(0.1, std::fabs(parameters[j]));
      std::vector<double> up = parameters;
      std::vector<double> down = parameters;
      up[j] += step;
      down[j] -= step;
      const double difference = (run_mean_kernel(c, r, up, false).likelihood.nll -
                                 run_mean_kernel(c, r, down, false).likelihood.nll) /
                                (up[j] - down[j]);
      EXPECT_NEAR(full.likelihood.gradient[j], difference,
                  1e-6 * std::max(1.0, std::fabs(difference)))
          << "lane " << j;
    }
  }
}

// Without mean terms the likelihood is the model's own on the residuals, y from m on and zeros
// before: every output to the last bit.
TEST(MeanLikelihoodKernels, WithoutMeanTermsAreTheModelsOwnOnTheResiduals) {
  for (MeanCase c : cases()) {
    SCOPED_TRACE(c.label);
    c.constant = 0;
    c.ar_lags.clear();
    c.ma_lags.clear();
    c.x_columns = 0;
    c.mean.clear();
    const Returns r = returns(c);
    const MeanResult with_mean = run_mean_kernel(c, r, c.model.parameters, true);
    std::vector<double> e = r.y;
    std::fill(e.begin(), e.begin() + c.model.m, 0.0);
    EXPECT_TRUE(same_bits(with_mean.residuals, e));
    const KernelResult own = run_kernel(c.model, e, c.model.parameters, true);
    EXPECT_EQ(std::memcmp(&with_mean.likelihood.nll, &own.nll, sizeof(double)), 0);
    EXPECT_TRUE(same_bits(with_mean.likelihood.gradient, own.gradient));
    EXPECT_TRUE(same_bits(with_mean.likelihood.scores, own.scores));
    EXPECT_TRUE(same_bits(with_mean.likelihood.ht, own.ht));
  }
}

// Residuals that are not finite, from mean parameters that are not or that explode, and a
// variance that is not positive: nll +Inf, every derivative NaN, the residuals lagreg's.
TEST(MeanLikelihoodKernels, UndefinedResidualsOrVariancesGiveInfinityAndNaNDerivatives) {
  struct Undefined {
    const char* what;
    std::size_t model_case;
    std::size_t index;  // in the whole parameter vector
    double value;
  };
  const std::vector<MeanCase> all = cases();
  const std::vector<Undefined> undefined = {
      {"NaN constant", 0, 0, kNaN},
      {"infinite constant, the log-variance ceiling", 4, 0, kInf},
      {"explosive AR coefficient", 1, 1, 1e200},
      {"explosive MA coefficient", 2, 2, -50.0},
      {"NaN MA coefficient with lagged residuals of zero", 4, 1, kNaN},
      {"infinite regressor coefficient", 6, 0, -kInf},
      {"variance below zero", 8, 2, -5.0},
  };
  for (const Undefined& u : undefined) {
    SCOPED_TRACE(u.what);
    const MeanCase& c = all[u.model_case];
    const Returns r = returns(c);
    std::vector<double> parameters = all_parameters(c);
    parameters[u.index] = u.value;
    for (const bool derivatives : {false, true}) {
      const MeanResult result = run_mean_kernel(c, r, parameters, derivatives);
      EXPECT_EQ(result.likelihood.nll, kInf);
      EXPECT_TRUE(same_bits(result.residuals, lagreg_residuals(c, r, parameters)));
      EXPECT_TRUE(std::all_of(result.likelihood.gradient.begin(), result.likelihood.gradient.end(),
                              [](double g) { return std::isnan(g); }));
      EXPECT_TRUE(std::all_of(result.likelihood.scores.begin(), result.likelihood.scores.end(),
                              [](double s) { return std::isnan(s); }));
    }
  }
}

}  // namespace
