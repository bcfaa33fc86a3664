// ht = shiftvol_filter(data, parameters, backcast, p, q, m, T, type)
#include <algorithm>

#include "gateway.hpp"
#include "kernels.hpp"

namespace {

enum Input { kData, kParameters, kBackcast, kP, kQ, kM, kT, kType, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_counts(nlhs, nrhs, kInputCount, "Eight inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  const std::int32_t m = gw::order_value(prhs[kM], "m");
  const std::uint64_t T = gw::count_value(prhs[kT], "T");
  const std::int32_t type = gw::order_value(prhs[kType], "type");

  const double* data = gw::data_of(prhs[kData], "data");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  // A negative m runs neither the fill nor the recursion and leaves the zero output.
  const bool recursion_runs = gw::check_presample(m, T, std::max(p, q), "p and q");
  gw::require_elements(prhs[kData], "data", recursion_runs ? T : 0);
  // The shift, after the p alpha coefficients, is read in every call.
  gw::require_elements(prhs[kParameters], "parameters",
                       recursion_runs ? gw::sum_counts({1, p, 1, q}) : gw::sum_counts({1, p, 1}));
  gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);

  gw::CallArrays arrays(plhs);
  const auto ht = arrays.output(0, T, 1);
  const auto shifted_sq = arrays.scratch(T);
  arrays.create();
  volfilter::shiftvol_kernel(data, parameters, backcast, p, q, m, T, type, arrays.data(ht),
                             arrays.data(shifted_sq));
  arrays.destroy_scratch();
}
