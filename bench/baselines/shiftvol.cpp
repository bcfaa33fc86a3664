#include <cmath>

#include "baselines.hpp"

namespace volfilter::baseline {

void shiftvol(const double* data, const double* parameters, const double* backcast, std::int32_t p,
              std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type, double* ht,
              double* shifted_sq) {
  const double gamma = parameters[p + 1];
  const double g2 = gamma * gamma;
  const double b = backcast[0];
  const bool constant_shift = type == 1;
  for (std::int32_t t = 0; t < m; ++t) {
    ht[t] = b;
    shifted_sq[t] = constant_shift ? g2 + b : (g2 + 1.0) * b;
  }
  for (auto t = static_cast<std::uint64_t>(static_cast<std::int64_t>(m)); t < T; ++t) {
    ht[t] = parameters[0];
    for (std::int32_t j = 1; j <= p; ++j) {
      ht[t] = ht[t] + parameters[j] * shifted_sq[t - static_cast<std::uint64_t>(j)];
    }
    for (std::int32_t k = 1; k <= q; ++k) {
      ht[t] = ht[t] + parameters[p + 1 + k] * ht[t - static_cast<std::uint64_t>(k)];
    }
    const double d = constant_shift ? data[t] - gamma : data[t] - gamma * std::sqrt(ht[t]);
    shifted_sq[t] = d * d;
  }
}

}  // namespace volfilter::baseline
