#include "baselines.hpp"

namespace volfilter::baseline {

void intvol(const double* data, const double* parameters, const double* backcast, std::int32_t p,
            std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type,
            std::int32_t has_constant, double* ht) {
  const std::int32_t f = has_constant;
  double k = 1.0;
  for (std::int32_t i = 0; i < p + q - 1; ++i) {
    k = k - parameters[f + i];
  }
  for (std::int32_t t = 0; t < m; ++t) {
    ht[t] = backcast[0];
  }
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  if (first >= T) {
    return;
  }
  for (std::uint64_t t = first; t < T; ++t) {
    double s = f != 0 ? parameters[0] : ht[t];
    for (std::int32_t i = 0; i < p; ++i) {
      s = s + data[t - 1 - static_cast<std::uint64_t>(i)] * parameters[f + i];
    }
    for (std::int32_t i = 0; i < q - 1; ++i) {
      s = s + ht[t - 1 - static_cast<std::uint64_t>(i)] * parameters[f + p + i];
    }
    s = s + k * ht[t - static_cast<std::uint64_t>(q)];
    ht[t] = s;
  }
  if (type == 1) {
    for (std::uint64_t t = first; t < T; ++t) {
      ht[t] = ht[t] * ht[t];
    }
  }
}

}  // namespace volfilter::baseline
