// pairwise_kernel over T random pairs of a 64-by-64 covariance, vector and matrix data.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "baselines/baselines.hpp"
#include "bench_support.hpp"
#include "floors.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

constexpr std::uint64_t kDimension = 64;

using Kernel = decltype(&pairwise_kernel);

struct PairwiseInputs {
  std::vector<double> covariance;
  std::vector<double> data;
  std::vector<double> pairs;
  double nll = 0.0;
  std::uint64_t dim_small;
  // For the floor: a determinant and a numerator per pair.
  std::vector<double> det;
  std::vector<double> numerator;

  PairwiseInputs(std::uint64_t n, bool matrix_form)
      : covariance(kDimension * kDimension),
        pairs(2 * n),
        dim_small(matrix_form ? kDimension : 1),
        det(uniform(n, 0.5, 2.0, 6)),
        numerator(uniform(n, 0.0, 4.0, 7)) {
    // Diagonally dominant, so every 2-by-2 block is positive definite.
    const std::vector<double> off = uniform(kDimension * kDimension, -0.5, 0.5, 8);
    for (std::uint64_t r = 0; r < kDimension; ++r) {
      for (std::uint64_t c = 0; c < kDimension; ++c) {
        covariance[r + c * kDimension] =
            r == c ? 2.0 : off[std::min(r, c) + std::max(r, c) * kDimension];
      }
    }
    const std::vector<double> x = uniform(kDimension, -2.0, 2.0, 9);
    if (matrix_form) {
      for (std::uint64_t r = 0; r < kDimension; ++r) {
        for (std::uint64_t c = 0; c < kDimension; ++c) {
          data.push_back(x[r] * x[c]);
        }
      }
    } else {
      data = x;
    }
    // Distinct 1-based indices: b = a + offset, offset in 1..K-1, wrapped.
    const std::vector<double> first = uniform(n, 0.0, kDimension, 10);
    const std::vector<double> offset = uniform(n, 1.0, kDimension, 11);
    for (std::uint64_t i = 0; i < n; ++i) {
      const auto a = static_cast<std::uint64_t>(first[i]);
      const auto b = (a + static_cast<std::uint64_t>(offset[i])) % kDimension;
      pairs[i] = static_cast<double>(a + 1);
      pairs[n + i] = static_cast<double>(b + 1);
    }
  }
};

void add_variant(bool matrix_form) {
  const auto run = [](Kernel kernel) {
    return [kernel](PairwiseInputs& in, std::uint64_t T) {
      kernel(in.covariance.data(), in.data.data(), in.pairs.data(), T, kDimension, in.dim_small,
             &in.nll);
    };
  };
  add_side_by_side<PairwiseInputs>(
      "pairwise", matrix_form ? "matrix" : "vector", matrix_form, run(&pairwise_kernel),
      run(&baseline::pairwise), [](PairwiseInputs& in, std::uint64_t T) {
        floors::pairwise(in.det.data(), in.numerator.data(), T, &in.nll);
      });
}

}  // namespace

void add_pairwise() {
  add_variant(false);
  add_variant(true);
}

}  // namespace volfilter::bench
