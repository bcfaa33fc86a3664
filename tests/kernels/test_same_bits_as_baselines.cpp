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

TEST(SameBitsAsBaseline, Threshvol) {
  Random random(20240601);
  for (int c = 0; c < kCases; ++c) {
    const int p = random.integer(0, 6);
    const int o = random.integer(0, 6);
    const int q = random.integer(0, 6);
    const int largest = std::max({p, o, q});
    // Mostly m at the largest order or a little above, sometimes m = T, sometimes negative.
    int m = largest + random.integer(0, 3);
    const auto T = static_cast<std::uint64_t>(m + random.integer(0, 300));
    if (random.integer(0, 20) == 0) {
      m = static_cast<int>(T);
    } else if (random.integer(0, 40) == 0) {
      m = -random.integer(1, 3);
    }
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

}  // namespace
