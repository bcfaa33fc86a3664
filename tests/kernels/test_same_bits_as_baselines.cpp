// The shipped kernels against the straightforward versions in bench/baselines: the same
// bits for many random inputs and orders, both powers. The kernels keep lagged values in
// registers and specialise small orders; any change in the order of the additions, a
// fused multiply-add or a wrong lag shows up here as a differing bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "baselines/baselines.hpp"
#include "kernels.hpp"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Equal bits, or both NaN (the payload of a NaN is not part of any result).
bool same_bits(double a, double b) {
  if (std::isnan(a) && std::isnan(b)) {
    return true;
  }
  std::uint64_t a_bits = 0;
  std::uint64_t b_bits = 0;
  std::memcpy(&a_bits, &a, sizeof a);
  std::memcpy(&b_bits, &b, sizeof b);
  return a_bits == b_bits;
}

// The first index where two series differ, or -1.
std::int64_t first_difference(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) {
    return 0;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!same_bits(a[i], b[i])) {
      return static_cast<std::int64_t>(i);
    }
  }
  return -1;
}

class Random {
 public:
  explicit Random(unsigned seed) : generator_(seed) {}

  int integer(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(generator_);
  }

  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(generator_);
  }

  // Values of mixed magnitude, so that every addition rounds.
  std::vector<double> series(std::size_t n, double low, double high) {
    std::vector<double> values(n);
    for (double& value : values) {
      value = uniform(low, high);
    }
    return values;
  }

  // Coefficients whose absolute values sum to below `total`, so the recursion stays finite.
  std::vector<double> coefficients(int n, double total) {
    std::vector<double> values(static_cast<std::size_t>(n));
    for (double& value : values) {
      value = uniform(-total, total) / std::max(n, 1);
    }
    return values;
  }

 private:
  std::mt19937_64 generator_;
};

constexpr int kCases = 3000;

// Lagged orders of 0 .. 6 (the kernels specialise up to 2), a pre-sample length at the
// largest order or a little above, sometimes equal to T, now and then negative.
struct Shape {
  int m;
  std::uint64_t T;
};

Shape random_shape(Random& random, int largest) {
  int m = largest + random.integer(0, 3);
  const std::uint64_t T =
      static_cast<std::uint64_t>(m) + static_cast<std::uint64_t>(random.integer(0, 300));
  if (random.integer(0, 20) == 0) {
    m = static_cast<int>(T);
  } else if (random.integer(0, 40) == 0) {
    m = -random.integer(1, 3);
  }
  return {m, T};
}

TEST(SameBitsAsBaseline, Threshvol) {
  Random random(20240601);
  for (int c = 0; c < kCases; ++c) {
    const int p = random.integer(0, 6);
    const int o = random.integer(0, 6);
    const int q = random.integer(0, 6);
    const auto [m, T] = random_shape(random, std::max({p, o, q}));
    const int type = std::vector<int>{1, 2, 0, -1}[static_cast<std::size_t>(random.integer(0, 3))];

    const std::vector<double> data = random.series(T + 1, -2.0, 3.0);
    const std::vector<double> asym_data = random.series(T + 1, -1.0, 2.0);
    std::vector<double> parameters{random.uniform(-0.5, 1.0)};
    for (const auto& family :
         {random.coefficients(p, 0.4), random.coefficients(o, 0.3), random.coefficients(q, 0.95)}) {
      parameters.insert(parameters.end(), family.begin(), family.end());
    }
    const double backcast = random.uniform(0.1, 2.0);

    std::vector<double> kernel(T, kNaN);
    std::vector<double> baseline(T, kNaN);
    volfilter::threshvol_kernel(data.data(), asym_data.data(), parameters.data(), &backcast, p, o,
                                q, m, T, type, kernel.data());
    volfilter::baseline::threshvol(data.data(), asym_data.data(), parameters.data(), &backcast, p,
                                   o, q, m, T, type, baseline.data());
    ASSERT_EQ(first_difference(kernel, baseline), -1)
        << "case " << c << ": p " << p << " o " << o << " q " << q << " m " << m << " T " << T
        << " type " << type;
  }
}

TEST(SameBitsAsBaseline, Logvol) {
  Random random(20240604);
  for (int c = 0; c < kCases; ++c) {
    const int p = random.integer(0, 6);
    const int o = random.integer(0, 6);
    const int q = random.integer(0, 6);
    const auto [m, T] = random_shape(random, std::max({p, o, q}));
    std::vector<double> parameters{random.uniform(-1.0, 1.0)};
    for (const auto& family :
         {random.coefficients(p, 0.5), random.coefficients(o, 0.5), random.coefficients(q, 0.98)}) {
      parameters.insert(parameters.end(), family.begin(), family.end());
    }
    // Now and then a large constant or a low ceiling, so that the bounds apply, and an
    // exponential that overflows.
    if (random.integer(0, 10) == 0) {
      parameters[0] = random.uniform(-30.0, 30.0);
    } else if (random.integer(0, 20) == 0) {
      parameters[0] = 750.0;
    }
    const double backcast = random.uniform(-2.0, 2.0);
    const double upper_bound =
        random.integer(0, 5) == 0 ? random.uniform(0.5, 3.0) : random.uniform(10.0, 1e6);
    const std::vector<double> data = random.series(T + 1, -3.0, 3.0);

    std::vector<std::vector<double>> kernel(4, std::vector<double>(T, kNaN));
    std::vector<std::vector<double>> baseline = kernel;
    volfilter::logvol_kernel(data.data(), parameters.data(), &backcast, &upper_bound, p, o, q, m, T,
                             kernel[0].data(), kernel[1].data(), kernel[2].data(),
                             kernel[3].data());
    volfilter::baseline::logvol(data.data(), parameters.data(), &backcast, &upper_bound, p, o, q, m,
                                T, baseline[0].data(), baseline[1].data(), baseline[2].data(),
                                baseline[3].data(), &volfilter::standard_is_infinite);
    for (std::size_t series = 0; series < 4; ++series) {
      ASSERT_EQ(first_difference(kernel[series], baseline[series]), -1)
          << "series " << series << ", case " << c << ": p " << p << " o " << o << " q " << q
          << " m " << m << " T " << T;
    }
  }
}

TEST(SameBitsAsBaseline, Shiftvol) {
  Random random(20240605);
  for (int c = 0; c < kCases; ++c) {
    const int p = random.integer(0, 6);
    const int q = random.integer(0, 6);
    const auto [m, T] = random_shape(random, std::max(p, q));
    const int type = std::vector<int>{1, 0, 2, -1}[static_cast<std::size_t>(random.integer(0, 3))];
    std::vector<double> parameters{random.uniform(0.01, 0.5)};
    const std::vector<double> alpha = random.coefficients(p, 0.3);
    parameters.insert(parameters.end(), alpha.begin(), alpha.end());
    parameters.push_back(random.uniform(-1.0, 1.0));
    const std::vector<double> beta = random.coefficients(q, 0.9);
    parameters.insert(parameters.end(), beta.begin(), beta.end());
    const double backcast = random.uniform(0.1, 2.0);
    const std::vector<double> data = random.series(T + 1, -3.0, 3.0);

    std::vector<std::vector<double>> kernel(2, std::vector<double>(T, kNaN));
    std::vector<std::vector<double>> baseline = kernel;
    volfilter::shiftvol_kernel(data.data(), parameters.data(), &backcast, p, q, m, T, type,
                               kernel[0].data(), kernel[1].data());
    volfilter::baseline::shiftvol(data.data(), parameters.data(), &backcast, p, q, m, T, type,
                                  baseline[0].data(), baseline[1].data());
    for (std::size_t series = 0; series < 2; ++series) {
      ASSERT_EQ(first_difference(kernel[series], baseline[series]), -1)
          << "series " << series << ", case " << c << ": p " << p << " q " << q << " m " << m
          << " T " << T << " type " << type;
    }
  }
}

TEST(SameBitsAsBaseline, Intvol) {
  Random random(20240606);
  for (int c = 0; c < kCases; ++c) {
    const int p = random.integer(0, 6);
    const int q = random.integer(1, 6);
    const auto [m, T] = random_shape(random, std::max(p, q));
    const int type = std::vector<int>{1, 2, 0, -1}[static_cast<std::size_t>(random.integer(0, 3))];
    const int has_constant =
        std::vector<int>{0, 1, 1, 2}[static_cast<std::size_t>(random.integer(0, 3))];
    std::vector<double> parameters(static_cast<std::size_t>(has_constant));
    for (double& value : parameters) {
      value = random.uniform(-0.5, 1.0);
    }
    const std::vector<double> alpha = random.coefficients(p, 0.3);
    parameters.insert(parameters.end(), alpha.begin(), alpha.end());
    const std::vector<double> beta = random.coefficients(q - 1, 0.6);
    parameters.insert(parameters.end(), beta.begin(), beta.end());
    const double backcast = random.uniform(0.1, 2.0);
    const std::vector<double> data = random.series(T + 1, -2.0, 3.0);

    // Zero-filled, as the host creates the output: without a constant the straightforward
    // version starts each sum from the entry it is about to write.
    std::vector<double> kernel(T, 0.0);
    std::vector<double> baseline(T, 0.0);
    volfilter::intvol_kernel(data.data(), parameters.data(), &backcast, p, q, m, T, type,
                             has_constant, kernel.data());
    volfilter::baseline::intvol(data.data(), parameters.data(), &backcast, p, q, m, T, type,
                                has_constant, baseline.data());
    ASSERT_EQ(first_difference(kernel, baseline), -1)
        << "case " << c << ": p " << p << " q " << q << " m " << m << " T " << T << " type " << type
        << " constant " << has_constant;
  }
}

TEST(SameBitsAsBaseline, Lagreg) {
  Random random(20240602);
  for (int c = 0; c < kCases; ++c) {
    const int constant = random.integer(0, 1);
    // Lag lists of any order; mostly short lags (the kernel keeps lags 1 and 2 in
    // registers), sometimes longer ones (up to 16 it keeps the recent residuals on the
    // stack, beyond that in the output array), fractional ones and repeats; now and then
    // more MA terms than the kernel unrolls.
    const auto lags = [&random](int count) {
      std::vector<double> values(static_cast<std::size_t>(count));
      for (double& value : values) {
        const int kind = random.integer(0, 9);
        value = kind == 0   ? random.integer(9, 20)
                : kind <= 3 ? random.integer(1, 8)
                            : random.integer(1, 2);
        if (random.integer(0, 5) == 0) {
          value += 0.7;
        }
      }
      return values;
    };
    const std::vector<double> ar_lags = lags(random.integer(0, 4));
    const std::vector<double> ma_lags =
        lags(random.integer(0, 9) == 0 ? random.integer(9, 11) : random.integer(0, 4));
    const auto P = static_cast<int>(ar_lags.size());
    const auto Q = static_cast<int>(ma_lags.size());
    double longest = 0.0;
    for (const auto* list : {&ar_lags, &ma_lags}) {
      for (const double lag : *list) {
        longest = std::max(longest, std::trunc(lag));
      }
    }
    const auto m =
        static_cast<std::uint64_t>(longest) + static_cast<std::uint64_t>(random.integer(0, 2));
    const std::uint64_t T = m + static_cast<std::uint64_t>(random.integer(0, 300));
    const auto k = static_cast<std::uint64_t>(random.integer(0, 3));

    std::vector<double> parameters;
    if (constant != 0) {
      parameters.push_back(random.uniform(-1.0, 1.0));
    }
    for (const auto& family :
         {random.coefficients(P, 0.9), random.coefficients(static_cast<int>(k), 2.0),
          random.coefficients(Q, 0.9)}) {
      parameters.insert(parameters.end(), family.begin(), family.end());
    }
    parameters.push_back(kNaN);  // never read
    const std::vector<double> y = random.series(T, -3.0, 3.0);
    const std::vector<double> x = random.series(k * T + 1, -1.0, 1.0);
    const std::vector<double> sigma = random.series(T, 0.3, 2.0);

    std::vector<double> kernel(T, kNaN);
    std::vector<double> baseline(T, kNaN);
    volfilter::lagreg_kernel(parameters.data(), ar_lags.data(), ma_lags.data(), constant, P, Q,
                             y.data(), x.data(), m, T, k, sigma.data(), kernel.data());
    volfilter::baseline::lagreg(parameters.data(), ar_lags.data(), ma_lags.data(), constant, P, Q,
                                y.data(), x.data(), m, T, k, sigma.data(), baseline.data());
    ASSERT_EQ(first_difference(kernel, baseline), -1)
        << "case " << c << ": c " << constant << " P " << P << " Q " << Q << " k " << k << " m "
        << m << " T " << T;
  }
}

// The small models store each scaled residual a few steps after forming it; runs shorter
// than that, and just longer, must store every entry once and nothing past T.
TEST(SameBitsAsBaseline, LagregShortRunsAroundTheStoringDelay) {
  Random random(20240604);
  const std::vector<double> ar_lags{1.0};
  const std::vector<double> ma_lags{1.0, 2.0};
  const std::vector<double> parameters{0.2, 0.5, -0.7, 0.4, -0.3};
  for (std::uint64_t m = 2; m <= 3; ++m) {
    for (std::uint64_t T = m; T <= m + 9; ++T) {
      const std::vector<double> y = random.series(T, -3.0, 3.0);
      const std::vector<double> x = random.series(T, -1.0, 1.0);
      const std::vector<double> sigma = random.series(T, 0.3, 2.0);
      std::vector<double> kernel(T + 1, kNaN);
      std::vector<double> baseline(T + 1, kNaN);
      volfilter::lagreg_kernel(parameters.data(), ar_lags.data(), ma_lags.data(), 1, 1, 2, y.data(),
                               x.data(), m, T, 1, sigma.data(), kernel.data());
      volfilter::baseline::lagreg(parameters.data(), ar_lags.data(), ma_lags.data(), 1, 1, 2,
                                  y.data(), x.data(), m, T, 1, sigma.data(), baseline.data());
      ASSERT_EQ(first_difference(kernel, baseline), -1) << "m " << m << " T " << T;
      EXPECT_TRUE(std::isnan(kernel[T])) << "m " << m << " T " << T;
    }
  }
}

TEST(SameBitsAsBaseline, Pairwise) {
  Random random(20240603);
  for (int c = 0; c < kCases / 3; ++c) {
    const auto K = static_cast<std::uint64_t>(random.integer(2, 12));
    const bool matrix_form = random.integer(0, 1) == 1;
    // Pair counts around the kernel's blocks of pairs.
    const auto n = static_cast<std::uint64_t>(random.integer(0, 3) == 0 ? random.integer(0, 3)
                                                                        : random.integer(0, 200));
    std::vector<double> covariance(K * K);
    for (std::uint64_t r = 0; r < K; ++r) {
      for (std::uint64_t s = 0; s <= r; ++s) {
        const double value = r == s ? random.uniform(1.5, 3.0) : random.uniform(-0.7, 0.7);
        covariance[r + s * K] = value;
        covariance[s + r * K] = value;
      }
    }
    const std::vector<double> x = random.series(K, -2.0, 2.0);
    std::vector<double> data = x;
    if (matrix_form) {
      data = random.series(K * K, -2.0, 2.0);
    }
    std::vector<double> pairs(2 * n);
    for (std::uint64_t i = 0; i < n; ++i) {
      const int a = random.integer(1, static_cast<int>(K));
      const int b = 1 + (a + random.integer(0, static_cast<int>(K) - 2)) % static_cast<int>(K);
      pairs[i] = a + (random.integer(0, 3) == 0 ? 0.9 : 0.0);
      pairs[n + i] = b;
    }
    const std::uint64_t dim_small = matrix_form ? K : 1;
    double kernel = kNaN;
    double baseline = kNaN;
    volfilter::pairwise_kernel(covariance.data(), data.data(), pairs.data(), n, K, dim_small,
                               &kernel);
    volfilter::baseline::pairwise(covariance.data(), data.data(), pairs.data(), n, K, dim_small,
                                  &baseline);
    ASSERT_TRUE(same_bits(kernel, baseline))
        << "case " << c << ": K " << K << " n " << n << " matrix " << matrix_form << ": " << kernel
        << " vs " << baseline;
  }
}

}  // namespace
