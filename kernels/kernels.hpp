// The numerical kernels: plain functions over pointers and counts, with no host, no
// allocation and no I/O. Six filters and reducers, then the likelihoods of the four variance
// models with their exact derivatives.
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

// ---------------------------------------------------------------------------------------
// Likelihoods of the variance models
//
// Each likelihood kernel runs its model's filter on a residual series e of T values (the
// same recursion as the filter kernel, so its variances ht are the filter's to the last
// bit) and evaluates, over the modelled observations t = m .. T - 1 (the first m are
// conditioned on), the negative log-likelihood
//
//   nll = sum_t -log f(e_t | h_t),
//
// with, when asked for, its exact derivatives with respect to every parameter: the gradient
// (k values) and the scores (T-by-k, column-major; row t holds d(-log f(e_t | h_t))/dtheta,
// and the rows t < m are zero), whose columns sum to the gradient.
//
// The derivatives are carried forward beside the recursion, one lane per parameter: the
// chain rule through each model's feedback (the squared recursion of power 1, the implied
// coefficient, the square root of the scaled shift, the absolute value and the bounds of
// the log-variance model), not finite differences.
//
// Where the model is not defined (a modelled variance not positive and finite, as NaN or
// infinite parameters usually make it, or a shape parameter outside its range), nll is +Inf
// and every entry of the gradient and the scores is NaN. (The log-variance model's ceiling
// turns even an infinite constant into the finite ceiling, so there nll stays finite.)

// The distribution of the standardized residual e_t / sqrt(h_t); the code is the value of
// the modules' distribution input. A distribution with shape parameters takes them after the
// model's own.
enum class Distribution : std::int32_t {
  normal = 0,     // standard normal, no shape parameter
  student_t = 1,  // Student's t with nu > 2 degrees of freedom, scaled to unit variance
};

// Whether `code` names a distribution, and how many shape parameters it adds.
bool is_distribution(std::int32_t code);
std::int32_t shape_parameter_count(Distribution distribution);

// Where a likelihood kernel writes its results. nll (one value) is always written; gradient
// (k values) and scores (T * k values) only when not null. With both null no derivative work
// is done.
struct LikelihoodResult {
  double* nll;
  double* gradient;
  double* scores;
};

// Working memory a likelihood kernel needs from its caller: `series_columns` columns of T
// values and `lane_values` further values (the derivative lanes; 0 without derivatives).
struct LikelihoodScratch {
  std::uint64_t series_columns;
  std::uint64_t lane_values;
};

// Threshold model (see threshvol_kernel). data is |e| under type 1 and e * e otherwise,
// asym_data that value where e < 0 and 0 elsewhere. parameters = (w, a_1..a_p, g_1..g_o,
// b_1..b_q, shape parameters): k = 1 + p + o + q + shape parameters.
// Caller keeps 0 <= m <= T, 0 <= p, o, q <= m when m < T, parameters of k values, backcast of
// one value when m > 0, every e finite, and the scratch of threshvol_nll_scratch.
LikelihoodScratch threshvol_nll_scratch(std::int32_t p, std::int32_t o, std::int32_t q,
                                        std::int32_t type, bool derivatives);
void threshvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                          std::int32_t p, std::int32_t o, std::int32_t q, std::int32_t m,
                          std::uint64_t T, std::int32_t type, Distribution distribution, double* ht,
                          double* series, double* lanes, LikelihoodResult result);

// Log-variance model (see logvol_kernel), on e itself. parameters = (w, a_1..a_p, g_1..g_o,
// b_1..b_q, shape parameters): k = 1 + p + o + q + shape parameters.
// Caller keeps 0 <= m <= T, 0 <= p, o, q <= m when m < T, parameters of k values, backcast of
// one value, upper_bound of one value when m < T, every e finite, and the scratch of
// logvol_nll_scratch.
LikelihoodScratch logvol_nll_scratch(std::int32_t p, std::int32_t o, std::int32_t q,
                                     bool derivatives);
void logvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                       const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
                       std::int32_t m, std::uint64_t T, Distribution distribution, double* ht,
                       double* series, double* lanes, LikelihoodResult result);

// Shifted-innovation model (see shiftvol_kernel), on e itself. parameters = (w, a_1..a_p,
// gamma, b_1..b_q, shape parameters): k = p + q + 2 + shape parameters.
// Caller keeps 0 <= m <= T, 0 <= p, q <= m when m < T, parameters of k values, backcast of one
// value when m > 0, every e finite, and the scratch of shiftvol_nll_scratch.
LikelihoodScratch shiftvol_nll_scratch(std::int32_t p, std::int32_t q, bool derivatives);
void shiftvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                         std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                         std::int32_t type, Distribution distribution, double* ht, double* series,
                         double* lanes, LikelihoodResult result);

// Integrated model (see intvol_kernel). data is |e| under type 1 and e * e otherwise.
// parameters = (w if has_constant, unused slots up to index has_constant, a_1..a_p,
// b_1..b_(q-1), shape parameters): k = has_constant + p + q - 1 + shape parameters; the
// gradient of an unused slot is 0.
// Caller keeps 0 <= m <= T, has_constant >= 0, q >= 1, 0 <= p, q <= m when m < T, parameters
// of k values, backcast of one value when m > 0, every e finite, and the scratch of
// intvol_nll_scratch.
LikelihoodScratch intvol_nll_scratch(std::int32_t p, std::int32_t q, std::int32_t type,
                                     std::int32_t has_constant, bool derivatives);
void intvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                       std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                       std::int32_t type, std::int32_t has_constant, Distribution distribution,
                       double* ht, double* series, double* lanes, LikelihoodResult result);

// The digamma function psi(x) = d ln Gamma(x) / dx for x > 0, to a few units in the last
// place (NaN for x <= 0 or NaN, +Inf for +Inf).
double digamma(double x);

// ---------------------------------------------------------------------------------------
// Simulation of the variance models
//
// Each simulation kernel continues its model's filter into N paths of T steps. Path j is
// the filter run over a history of residuals (its first m observations the pre-sample, as
// the filter takes them) and then over the path's own residuals, which the kernel forms
// step by step from the standardised innovations z:
//
//   e_t = sqrt(h_t) * z_t,  h_t the variance the recursion gives from everything before t.
//
// So the model's filter, run on the history followed by a path's e (the data formed from
// them as the likelihood kernels form them), gives that path's h to the last bit, and the
// first step of every path is the filter's next value after the history. The paths run
// side by side in SIMD lanes, each lane doing exactly the arithmetic of one path alone, so
// that a path's bits do not depend on N, on its place among the paths or on the lanes'
// instruction set. The log-variance model's exponentials are the scalar library exp of each
// lane, as in its filter.

// T steps of N paths, each a column (column-major, path j from index j * T).
struct SimulationPaths {
  const double* z;  // T * N standardised innovations
  std::uint64_t T;
  std::uint64_t N;
  double* e;   // T * N residuals, written
  double* ht;  // T * N variances, written
};

// The residuals before the paths: `rows` observations, the first m of them the pre-sample.
// With one column every path continues the same history; with N columns path j continues
// column j.
struct SimulationHistory {
  const double* e;  // rows * columns values, column-major
  std::uint64_t rows;
  std::uint64_t columns;
};

// Working memory a simulation kernel needs from its caller: `series_columns` columns of
// `rows` values (the filter's own series over the history) and `lane_values` further values
// (the lanes' lagged values at orders above 1; 0 otherwise).
struct SimulationScratch {
  std::uint64_t series_columns;
  std::uint64_t lane_values;
};

// The instruction set of the lanes. `automatic` takes the widest this processor has; the
// others are there to compare them (they give the same bits). One that the processor or the
// build lacks runs as `baseline`.
enum class SimulationLanes : std::int32_t { automatic, baseline, avx2 };
bool simulation_lanes_available(SimulationLanes lanes);

// Threshold model (see threshvol_kernel). The data of the history and of the paths are |e|
// under type 1 and e * e otherwise, the asymmetric data that value where e < 0 and 0
// elsewhere. Caller keeps 0 <= p, o, q <= m <= history.rows; whenever any path has a step
// (T and N both above 0): parameters of 1 + p + o + q values, backcast of one value when
// m > 0, history.columns 1 or N, and the scratch of threshvol_simulate_scratch.
SimulationScratch threshvol_simulate_scratch(std::int32_t p, std::int32_t o, std::int32_t q);
void threshvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                               const double* parameters, const double* backcast, std::int32_t p,
                               std::int32_t o, std::int32_t q, std::int32_t m, std::int32_t type,
                               double* series, double* lanes,
                               SimulationLanes instruction_set = SimulationLanes::automatic);

// Log-variance model (see logvol_kernel), on e itself, with its floor (the pre-sample
// variance over 10000) and ceiling upper_bound[0]. Caller keeps 0 <= p, o, q <= m <=
// history.rows and backcast of one value; whenever any path has a step: parameters of
// 1 + p + o + q values, upper_bound of one value, history.columns 1 or N, and the scratch of
// logvol_simulate_scratch.
SimulationScratch logvol_simulate_scratch(std::int32_t p, std::int32_t o, std::int32_t q);
void logvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                            const double* parameters, const double* backcast,
                            const double* upper_bound, std::int32_t p, std::int32_t o,
                            std::int32_t q, std::int32_t m, double* series, double* lanes,
                            SimulationLanes instruction_set = SimulationLanes::automatic);

// Shifted-innovation model (see shiftvol_kernel), on e itself. Caller keeps 0 <= p, q <= m <=
// history.rows; whenever any path has a step: parameters of p + q + 2 values, backcast of
// one value when m > 0, history.columns 1 or N, and the scratch of shiftvol_simulate_scratch.
SimulationScratch shiftvol_simulate_scratch(std::int32_t p, std::int32_t q);
void shiftvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                              const double* parameters, const double* backcast, std::int32_t p,
                              std::int32_t q, std::int32_t m, std::int32_t type, double* series,
                              double* lanes,
                              SimulationLanes instruction_set = SimulationLanes::automatic);

// Integrated model (see intvol_kernel). The data are |e| under type 1 and e * e otherwise.
// Caller keeps has_constant >= 0, q >= 1 and 0 <= p, q <= m <= history.rows; whenever any
// path has a step: parameters of has_constant + p + q - 1 values, backcast of one value when
// m > 0, history.columns 1 or N, and the scratch of intvol_simulate_scratch.
SimulationScratch intvol_simulate_scratch(std::int32_t p, std::int32_t q);
void intvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                            const double* parameters, const double* backcast, std::int32_t p,
                            std::int32_t q, std::int32_t m, std::int32_t type,
                            std::int32_t has_constant, double* series, double* lanes,
                            SimulationLanes instruction_set = SimulationLanes::automatic);

}  // namespace volfilter
