#include <cmath>

#include "baselines.hpp"

namespace volfilter::baseline {

void logvol(const double* data, const double* parameters, const double* backcast,
            const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
            std::int32_t m, std::uint64_t T, double* ht, double* log_ht, double* std_data,
            double* centered_abs_std, bool (*is_infinite)(double)) {
  const double mu = 0.797884560802865;
  const double b = backcast[0];
  const double U = upper_bound[0];
  const double V0 = std::exp(b);
  if (m > 0) {
    const double s0 = std::sqrt(V0);
    for (std::int32_t t = 0; t < m; ++t) {
      log_ht[t] = b;
      ht[t] = V0;
      std_data[t] = data[t] / s0;
      centered_abs_std[t] = std::fabs(std_data[t]) - mu;
    }
  }
  const double L = V0 / 10000.0;
  const double L_log = b - std::log(10000.0);
  for (auto t = static_cast<std::uint64_t>(static_cast<std::int64_t>(m)); t < T; ++t) {
    log_ht[t] = parameters[0];
    for (std::int32_t j = 1; j <= p; ++j) {
      log_ht[t] = log_ht[t] + parameters[j] * centered_abs_std[t - static_cast<std::uint64_t>(j)];
    }
    for (std::int32_t j = 1; j <= o; ++j) {
      log_ht[t] = log_ht[t] + parameters[p + j] * std_data[t - static_cast<std::uint64_t>(j)];
    }
    for (std::int32_t j = 1; j <= q; ++j) {
      log_ht[t] = log_ht[t] + parameters[p + o + j] * log_ht[t - static_cast<std::uint64_t>(j)];
    }
    ht[t] = std::exp(log_ht[t]);
    if (ht[t] < L) {
      ht[t] = L;
      log_ht[t] = L_log;
    }
    if (ht[t] > U) {
      if (is_infinite(ht[t])) {
        ht[t] = U;
      } else {
        ht[t] = U + log_ht[t];
      }
      log_ht[t] = std::log(U);
    }
    std_data[t] = data[t] / std::sqrt(ht[t]);
    centered_abs_std[t] = std::fabs(std_data[t]) - mu;
  }
}

}  // namespace volfilter::baseline
