#include <cmath>

#include "kernels.hpp"

namespace volfilter {

void shiftvol_kernel(const double* data, const double* parameters, const double* backcast,
                     std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                     std::int32_t type, double* ht, double* shifted_sq) {
  // parameters = (w, a_1..a_p, gamma, b_1..b_q): the shift sits between the two blocks.
  const double* alpha = parameters + 1;
  const double gamma = alpha[p];
  const double* beta = alpha + p + 1;
  const double gamma_sq = gamma * gamma;
  const bool constant_shift = type == 1;

  // Pre-sample shifted squares are E[(e - shift)^2] for e of mean 0 and variance b: b + gamma^2 for
  // a constant shift, (gamma^2 + 1) b for a shift scaled by sqrt(b).
  for (std::int32_t t = 0; t < m; ++t) {
    const double b = backcast[0];
    ht[t] = b;
    shifted_sq[t] = constant_shift ? gamma_sq + b : (gamma_sq + 1.0) * b;
  }

  // m is widened with its sign, so a negative m compares as huge and nothing runs.
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  for (std::uint64_t t = first; t < T; ++t) {
    // The constant, then the shifted squares, then the variances, each from lag 1 up, one rounded
    // product at a time.
    double h = parameters[0];
    for (std::int32_t j = 0; j < p; ++j) {
      h = h + alpha[j] * shifted_sq[t - 1 - static_cast<std::uint64_t>(j)];
    }
    for (std::int32_t k = 0; k < q; ++k) {
      h = h + beta[k] * ht[t - 1 - static_cast<std::uint64_t>(k)];
    }
    ht[t] = h;
    // The scaled shift uses this step's standard deviation; a negative h gives NaN here, which the
    // later steps carry through their shifted-square lags.
    const double d = constant_shift ? data[t] - gamma : data[t] - gamma * std::sqrt(h);
    shifted_sq[t] = d * d;
  }
}

}  // namespace volfilter
