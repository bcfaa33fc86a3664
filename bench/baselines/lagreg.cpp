#include <cstddef>

#include "baselines.hpp"

namespace volfilter::baseline {

void lagreg(const double* parameters, const double* ar_lags, const double* ma_lags,
            std::int32_t constant, std::int32_t ar_count, std::int32_t ma_count, const double* y,
            const double* x, std::uint64_t m, std::uint64_t T, std::uint64_t x_columns,
            const double* sigma, double* residuals) {
  for (std::uint64_t t = 0; t < m; ++t) {
    residuals[t] = 0.0;
  }
  for (std::uint64_t t = m; t < T; ++t) {
    const auto now = static_cast<std::int64_t>(t);
    double r = y[t];
    if (constant != 0) {
      r = r - parameters[0];
    }
    for (std::int32_t j = 0; j < ar_count; ++j) {
      const auto lag = static_cast<std::int32_t>(ar_lags[j]);
      r = r - y[now - lag] * parameters[constant + j];
    }
    for (std::uint64_t j = 0; j < x_columns; ++j) {
      r = r - parameters[static_cast<std::uint64_t>(constant + ar_count) + j] * x[t + j * T];
    }
    for (std::int32_t j = 0; j < ma_count; ++j) {
      const auto lag = static_cast<std::int32_t>(ma_lags[j]);
      r = r - residuals[now - lag] * parameters[static_cast<std::uint64_t>(constant + ar_count) +
                                                x_columns + static_cast<std::uint64_t>(j)];
    }
    residuals[t] = r;
  }
  for (std::uint64_t t = m; t < T; ++t) {
    residuals[t] = residuals[t] / sigma[t];
  }
}

}  // namespace volfilter::baseline
