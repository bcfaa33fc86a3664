// ht = intvol_filter(data, parameters, backcast, p, q, m, T, type, has_constant)
#include <algorithm>

#include "gateway.hpp"
#include "kernels.hpp"

namespace {

enum Input { kData, kParameters, kBackcast, kP, kQ, kM, kT, kType, kHasConstant, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_counts(nlhs, nrhs, kInputCount, "Nine inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  // The last output lag carries the implied coefficient, so there is at least one.
  const std::int32_t q = gw::order_value(prhs[kQ], "q");
  gw::require(q >= 1, "Input q must be at least 1.");
  const std::int32_t m = gw::order_value(prhs[kM], "m");
  const std::uint64_t T = gw::count_value(prhs[kT], "T");
  const std::int32_t type = gw::order_value(prhs[kType], "type");
  // Also the index of the first coefficient, so it must not be negative.
  const std::int32_t has_constant = gw::lag_order(prhs[kHasConstant], "has_constant");

  const double* data = gw::data_of(prhs[kData], "data");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  // A negative m runs neither the fill nor the recursion and leaves the zero output.
  const bool recursion_runs = gw::check_presample(m, T, std::max(p, q), "p and q");
  if (recursion_runs) {
    gw::require_elements(prhs[kData], "data", p > 0 ? T - 1 : 0);
    // The constant (or the unused slots before the first coefficient), p alphas and q - 1 betas;
    // the lag-q coefficient is implied.
    gw::require_elements(prhs[kParameters], "parameters", gw::sum_counts({has_constant, p, q}) - 1);
  }
  gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);

  gw::CallArrays arrays(plhs);
  const auto ht = arrays.output(0, T, 1);
  arrays.create();
  volfilter::intvol_kernel(data, parameters, backcast, p, q, m, T, type, has_constant,
                           arrays.data(ht));
}
