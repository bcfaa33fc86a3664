#include <cmath>

#include "baselines.hpp"

namespace volfilter::baseline {

void pairwise(const double* covariance, const double* data, const double* pairs,
              std::uint64_t pair_count, std::uint64_t dim_large, std::uint64_t dim_small,
              double* nll) {
  const double C = 3.67575413281869;
  const auto N = static_cast<double>(pair_count);
  nll[0] = 0.0;
  if (pair_count == 0) {
    return;
  }
  const std::uint64_t K = dim_large;
  const bool matrix_form = dim_large == dim_small;
  for (std::uint64_t i = 0; i < pair_count; ++i) {
    const std::uint64_t a = static_cast<std::uint64_t>(pairs[i]) - 1;
    const std::uint64_t b = static_cast<std::uint64_t>(pairs[pair_count + i]) - 1;
    const double s_aa = covariance[a * (K + 1)];
    const double s_bb = covariance[b * (K + 1)];
    const double s_ab = covariance[a * K + b];
    const double det = s_bb * s_aa - s_ab * s_ab;
    const double L = std::log(det);
    double Q2 = 0.0;
    if (matrix_form) {
      Q2 = ((s_bb * data[a * (K + 1)] - (2 * s_ab) * data[a * K + b]) + s_aa * data[b * (K + 1)]) /
           det;
    } else {
      const double x_a = data[a];
      const double x_b = data[b];
      Q2 = (((x_a * x_a) * s_bb - (x_b * x_a) * (2 * s_ab)) + (x_b * x_b) * s_aa) / det;
    }
    const double term = (((L + C) + Q2) * 0.5) / N;
    nll[0] = term + nll[0];
  }
}

}  // namespace volfilter::baseline
