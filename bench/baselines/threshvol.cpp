#include "baselines.hpp"

namespace volfilter::baseline {

void threshvol(const double* data, const double* asym_data, const double* parameters,
               const double* backcast, std::int32_t p, std::int32_t o, std::int32_t q,
               std::int32_t m, std::uint64_t T, std::int32_t type, double* ht) {
  for (std::int32_t t = 0; t < m; ++t) {
    ht[t] = backcast[0];
  }
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  if (first >= T) {
    return;
  }
  for (std::uint64_t t = first; t < T; ++t) {
    double s = parameters[0];
    for (std::int32_t i = 0; i < p; ++i) {
      s = s + data[t - 1 - static_cast<std::uint64_t>(i)] * parameters[1 + i];
    }
    for (std::int32_t i = 0; i < o; ++i) {
      s = s + asym_data[t - 1 - static_cast<std::uint64_t>(i)] * parameters[1 + p + i];
    }
    for (std::int32_t i = 0; i < q; ++i) {
      s = s + ht[t - 1 - static_cast<std::uint64_t>(i)] * parameters[1 + p + o + i];
    }
    ht[t] = s;
  }
  if (type == 1) {
    for (std::uint64_t t = first; t < T; ++t) {
      ht[t] = ht[t] * ht[t];
    }
  }
}

}  // namespace volfilter::baseline
