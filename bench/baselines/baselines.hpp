// Straightforward versions of the kernels: each recursion written out loop by loop as the
// model defines it, lagged outputs read back from the output array, with no thought for
// speed. They take the same arguments as the kernels of kernels.hpp and must give the same
// bits; the tests hold the shipped kernels to that, and the benchmarks measure against them.
#pragma once

#include <cstdint>

namespace volfilter::baseline {

void threshvol(const double* data, const double* asym_data, const double* parameters,
               const double* backcast, std::int32_t p, std::int32_t o, std::int32_t q,
               std::int32_t m, std::uint64_t T, std::int32_t type, double* ht);

void logvol(const double* data, const double* parameters, const double* backcast,
            const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
            std::int32_t m, std::uint64_t T, double* ht, double* log_ht, double* std_data,
            double* centered_abs_std, bool (*is_infinite)(double));

void shiftvol(const double* data, const double* parameters, const double* backcast, std::int32_t p,
              std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type, double* ht,
              double* shifted_sq);

void intvol(const double* data, const double* parameters, const double* backcast, std::int32_t p,
            std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type,
            std::int32_t has_constant, double* ht);

void lagreg(const double* parameters, const double* ar_lags, const double* ma_lags,
            std::int32_t constant, std::int32_t ar_count, std::int32_t ma_count, const double* y,
            const double* x, std::uint64_t m, std::uint64_t T, std::uint64_t x_columns,
            const double* sigma, double* residuals);

void pairwise(const double* covariance, const double* data, const double* pairs,
              std::uint64_t pair_count, std::uint64_t dim_large, std::uint64_t dim_small,
              double* nll);

}  // namespace volfilter::baseline
