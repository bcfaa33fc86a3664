// residuals = lagreg_residuals(parameters, ar_lags, ma_lags, constant, y, x, m, sigma)
#include <algorithm>
#include <cstdint>
#include <limits>

#include "gateway.hpp"
#include "kernels.hpp"

namespace {

enum Input { kParameters, kArLags, kMaLags, kConstant, kY, kX, kM, kSigma, kInputCount };

constexpr std::int32_t kLargestLagCount = std::numeric_limits<std::int32_t>::max();

// A lag list holds one lag per row; its column count is never consulted, so a 1-by-3 row
// is one lag. The count is a signed 32-bit number.
std::int32_t lag_count(const mxArray* lags, const char* message) {
  const std::uint64_t rows = volfilter::gateway::rows_of(lags);
  volfilter::gateway::require(rows <= static_cast<std::uint64_t>(kLargestLagCount), message);
  return static_cast<std::int32_t>(rows);
}

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  // The only module that needs its output requested: a call with none is refused too.
  gw::check_counts(nlhs, nrhs, kInputCount, "Eight inputs required.", gw::Outputs::exactly_one);

  const std::int32_t constant = gw::order_value(prhs[kConstant], "constant");
  const std::uint64_t m = gw::count_value(prhs[kM], "m");

  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* ar_lags = gw::data_of(prhs[kArLags], "ar_lags");
  const double* ma_lags = gw::data_of(prhs[kMaLags], "ma_lags");
  const double* y = gw::data_of(prhs[kY], "y");
  const double* x = gw::data_of(prhs[kX], "x");
  const double* sigma = gw::data_of(prhs[kSigma], "sigma");
  const std::uint64_t T = gw::rows_of(prhs[kY]);
  const std::uint64_t x_columns = gw::columns_of(prhs[kX]);
  const std::int32_t ar_count =
      lag_count(prhs[kArLags], "Input ar_lags must have fewer than 2^31 rows.");
  const std::int32_t ma_count =
      lag_count(prhs[kMaLags], "Input ma_lags must have fewer than 2^31 rows.");

  // The flag is also the offset of the first coefficient after the constant.
  gw::require(constant == 0 || constant == 1, "Input constant must be 0 or 1.");
  // The first m entries are zeroed, so m may not exceed the T entries of the output.
  gw::require(m <= T, "Input m must not exceed T.");

  // Only the recursion reads inputs: every observation from m on reaches back by each lag,
  // which must therefore lie in 1 ... m, and the regressors are read with row stride T.
  if (m < T) {
    gw::require_elements(prhs[kParameters], "parameters",
                         gw::add_counts(gw::sum_counts({constant, ar_count, ma_count}), x_columns));
    gw::require_elements(prhs[kArLags], "ar_lags", static_cast<std::uint64_t>(ar_count));
    // A lag also has to fit the kernel's signed 32-bit lag.
    const std::uint64_t largest_lag = std::min<std::uint64_t>(m, kLargestLagCount);
    gw::require_indices(ar_lags, static_cast<std::uint64_t>(ar_count), largest_lag,
                        "Input ar_lags must hold lags from 1 to m.");
    gw::require_elements(prhs[kMaLags], "ma_lags", static_cast<std::uint64_t>(ma_count));
    gw::require_indices(ma_lags, static_cast<std::uint64_t>(ma_count), largest_lag,
                        "Input ma_lags must hold lags from 1 to m.");
    gw::require_elements(prhs[kY], "y", T);
    gw::require_elements(prhs[kX], "x", gw::multiply_counts(x_columns, T));
    gw::require_elements(prhs[kSigma], "sigma", T);
  }

  gw::CallArrays arrays(plhs);
  const auto residuals = arrays.output(0, T, 1);
  arrays.create();
  volfilter::lagreg_kernel(parameters, ar_lags, ma_lags, constant, ar_count, ma_count, y, x, m, T,
                           x_columns, sigma, arrays.data(residuals));
}
