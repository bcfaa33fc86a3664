#include "kernels.hpp"

namespace volfilter {

void threshvol_kernel(const double* data, const double* asym_data, const double* parameters,
                      const double* backcast, std::int32_t p, std::int32_t o, std::int32_t q,
                      std::int32_t m, std::uint64_t T, std::int32_t type, double* ht) {
  // Pre-sample: the backcast as given, a standard deviation under power 1.
  for (std::int32_t t = 0; t < m; ++t) {
    ht[t] = backcast[0];
  }
  // m is widened with its sign, so a negative m compares as huge and nothing runs.
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  if (first >= T) {
    return;
  }
  const double* alpha = parameters + 1;
  const double* gamma = alpha + p;
  const double* beta = gamma + o;
  for (std::uint64_t t = first; t < T; ++t) {
    // Constant, then each family from lag 1 up; one rounded product at a time.
    double s = parameters[0];
    for (std::int32_t i = 0; i < p; ++i) {
      s = s + data[t - 1 - static_cast<std::uint64_t>(i)] * alpha[i];
    }
    for (std::int32_t i = 0; i < o; ++i) {
      s = s + asym_data[t - 1 - static_cast<std::uint64_t>(i)] * gamma[i];
    }
    for (std::int32_t i = 0; i < q; ++i) {
      s = s + ht[t - 1 - static_cast<std::uint64_t>(i)] * beta[i];
    }
    ht[t] = s;
  }
  // Power 1: the recursion ran on standard deviations; the pre-sample entries stay as given.
  if (type == 1) {
    for (std::uint64_t t = first; t < T; ++t) {
      ht[t] = ht[t] * ht[t];
    }
  }
}

}  // namespace volfilter
