// The six numerical kernels: plain functions over pointers and counts, with no host, no
// allocation and no I/O.
//
// Every result is reproducible to the last bit: each kernel adds its terms one product at
// a time in a fixed order (constant first, then each family of lagged terms in increasing
// lag), every product is rounded before it is added, and quotients are true divisions.
// The kernels are compiled without floating-point contraction so that no compiler or
// target turns a multiply and an add into one fused operation.
//
// The kernels check nothing. Each states the ranges its caller must keep; the module
// gateways refuse calls outside them before a kernel runs.
#pragma once

#include <cstdint>

namespace volfilter {

// Threshold variance recursion of orders p, o, q (power 1 or 2):
//   s[t] = w + sum_i a_i data[t-i] + sum_j g_j asym_data[t-j] + sum_k b_k s[t-k],  t >= m,
// with s[t] = backcast[0] for t < m. ht[t] = s[t]^2 from m on when type == 1, else s[t].
// parameters = (w, a_1..a_p, g_1..g_o, b_1..b_q).
// Caller keeps 0 <= p, o, q <= m <= T whenever m < T; data and asym_data hold T - 1
// values; backcast holds one value when m > 0.
void threshvol_kernel(const double* data, const double* asym_data, const double* parameters,
                      const double* backcast, std::int32_t p, std::int32_t o, std::int32_t q,
                      std::int32_t m, std::uint64_t T, std::int32_t type, double* ht);

// The test for an infinite value used by the log-variance ceiling. A host may supply its
// own; the default is the standard library's.
using InfinityTest = bool (*)(double);
bool standard_is_infinite(double value);

// Exponential log-variance recursion of orders p, o, q with a floor (the pre-sample
// variance over 10000) and a ceiling upper_bound[0]. Writes ht and the three series it
// feeds back (log_ht, std_data, centered_abs_std), each T long. backcast[0] is a log
// variance. parameters = (w, a_1..a_p, g_1..g_o, b_1..b_q).
// Caller keeps m <= T, and 0 <= p, o, q <= m whenever 0 <= m < T; backcast holds one
// value; data holds T values when m >= 0; upper_bound holds one value whenever 0 <= m < T.
void logvol_kernel(const double* data, const double* parameters, const double* backcast,
                   const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
                   std::int32_t m, std::uint64_t T, double* ht, double* log_ht, double* std_data,
                   double* centered_abs_std, InfinityTest is_infinite = &standard_is_infinite);

// Shifted-innovation variance recursion of orders p, q: type == 1 shifts each innovation by
// a constant gamma, any other type by gamma times the conditional standard deviation.
// shifted_sq is the T-long series of shifted squares.
// parameters = (w, a_1..a_p, gamma, b_1..b_q); gamma is read in every call.
// Caller keeps p >= 0, m <= T, and 0 <= q, p <= m whenever 0 <= m < T; parameters holds
// p + 2 values, p + q + 2 whenever the recursion runs; data holds T values when the
// recursion runs; backcast holds one value when m > 0.
void shiftvol_kernel(const double* data, const double* parameters, const double* backcast,
                     std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                     std::int32_t type, double* ht, double* shifted_sq);

// Integrated variance recursion of orders p, q whose lag-q coefficient is one minus all
// the other lag coefficients; has_constant selects the constant and is the index of the
// first coefficient. Without a constant the sum starts from +0.0, whatever ht holds.
// Caller keeps has_constant >= 0, m <= T, and p >= 0, 1 <= q, p <= m, q <= m whenever
// 0 <= m < T; then parameters holds has_constant + p + q - 1 values and data T - 1 values
// (none when p is 0); backcast holds one value when m > 0.
void intvol_kernel(const double* data, const double* parameters, const double* backcast,
                   std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                   std::int32_t type, std::int32_t has_constant, double* ht);

// Scaled residuals of a regression with a constant, autoregressive terms at listed lags,
// x_columns regressors (row stride T) and moving-average terms at listed lags.
// residuals[t] = 0 for t < m, eps[t] / sigma[t] from m on, where eps[t] = y[t] - const
// - AR - X - MA and the MA terms read the unscaled eps. parameters = (const if constant,
// AR block, regressor block, MA block). Caller keeps constant 0 or 1 and m <= T; when
// m < T, every lag truncates into 1..m, parameters hold constant + P + k + Q values, y and
// sigma T values and x k * T values.
void lagreg_kernel(const double* parameters, const double* ar_lags, const double* ma_lags,
                   std::int32_t constant, std::int32_t ar_count, std::int32_t ma_count,
                   const double* y, const double* x, std::uint64_t m, std::uint64_t T,
                   std::uint64_t x_columns, const double* sigma, double* residuals);

// Average over index pairs of the bivariate normal negative log-likelihood of the 2-by-2
// blocks of a K-by-K covariance; data is a K-vector, or a K-by-K matrix when
// dim_large == dim_small. Caller keeps, when pair_count > 0, every 1-based index in 1..K
// (K = dim_large), a covariance of K * K values and data of K (K * K) values.
void pairwise_kernel(const double* covariance, const double* data, const double* pairs,
                     std::uint64_t pair_count, std::uint64_t dim_large, std::uint64_t dim_small,
                     double* nll);

}  // namespace volfilter
