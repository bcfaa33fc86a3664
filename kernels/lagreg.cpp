#include <cstddef>
#include <cstring>

#include "kernels.hpp"

namespace volfilter {

void lagreg_kernel(const double* parameters, const double* ar_lags, const double* ma_lags,
                   std::int32_t constant, std::int32_t ar_count, std::int32_t ma_count,
                   const double* y, const double* x, std::uint64_t m, std::uint64_t T,
                   std::uint64_t x_columns, const double* sigma, double* residuals) {
  // Observations before m get no residual; the moving-average terms read these zeros.
  if (m > 0) {
    std::memset(residuals, 0, static_cast<std::size_t>(m) * sizeof(double));
  }
  if (m >= T) {
    return;
  }
  // The flag is the offset of the first autoregressive coefficient: 0 or 1.
  const double* ar_coefficients = parameters + constant;
  const double* x_coefficients = ar_coefficients + (ar_count > 0 ? ar_count : 0);
  const double* ma_coefficients = x_coefficients + x_columns;

  // Unscaled residuals, eps[t] = y[t] - const - AR - X - MA. Each product is rounded and
  // then subtracted, one at a time, family after family, each family in list order. The
  // MA terms read eps from this same array, so they see unscaled residuals.
  for (std::uint64_t t = m; t < T; ++t) {
    const auto now = static_cast<std::ptrdiff_t>(t);
    double r = y[t];
    if (constant != 0) {
      r = r - parameters[0];
    }
    for (std::int32_t j = 0; j < ar_count; ++j) {
      const auto lag = static_cast<std::int32_t>(ar_lags[j]);
      r = r - y[now - lag] * ar_coefficients[j];
    }
    // Regressor column j starts at j * T, whatever the regressor array's own row count.
    for (std::uint64_t j = 0; j < x_columns; ++j) {
      r = r - x_coefficients[j] * x[t + j * T];
    }
    for (std::int32_t j = 0; j < ma_count; ++j) {
      const auto lag = static_cast<std::int32_t>(ma_lags[j]);
      r = r - residuals[now - lag] * ma_coefficients[j];
    }
    residuals[t] = r;
  }
  // Scaling comes after the whole recursion, so it never feeds back into the MA terms.
  for (std::uint64_t t = m; t < T; ++t) {
    residuals[t] = residuals[t] / sigma[t];
  }
}

}  // namespace volfilter
