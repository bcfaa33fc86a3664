// ht = logvol_filter(data, parameters, backcast, upper_bound, p, o, q, m, T)
#include <algorithm>

#include "gateway.hpp"
#include "kernels.hpp"

namespace {

enum Input { kData, kParameters, kBackcast, kUpperBound, kP, kO, kQ, kM, kT, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_counts(nlhs, nrhs, kInputCount, "Nine inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t o = gw::lag_order(prhs[kO], "o");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  const std::int32_t m = gw::order_value(prhs[kM], "m");
  const std::uint64_t T = gw::count_value(prhs[kT], "T");

  const double* data = gw::data_of(prhs[kData], "data");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");
  const double* upper_bound = gw::data_of(prhs[kUpperBound], "upper_bound");

  // A negative m runs neither the fill nor the recursion and leaves the zero output.
  const bool recursion_runs = gw::check_presample(m, T, std::max({p, o, q}), "p, o and q");
  // The fill and the recursion between them standardize every one of the T data values.
  gw::require_elements(prhs[kData], "data", m >= 0 ? T : 0);
  if (recursion_runs) {
    gw::require_elements(prhs[kParameters], "parameters", gw::sum_counts({1, p, o, q}));
  }
  // The pre-sample variance is formed in every call; the ceiling only where steps run.
  gw::require_elements(prhs[kBackcast], "backcast", 1);
  gw::require_elements(prhs[kUpperBound], "upper_bound", recursion_runs ? 1 : 0);

  gw::CallArrays arrays(plhs);
  const auto ht = arrays.output(0, T, 1);
  const auto log_ht = arrays.scratch(T);
  const auto std_data = arrays.scratch(T);
  const auto centered_abs_std = arrays.scratch(T);
  arrays.create();
  // The ceiling's infinity test is the host's own.
  volfilter::logvol_kernel(data, parameters, backcast, upper_bound, p, o, q, m, T, arrays.data(ht),
                           arrays.data(log_ht), arrays.data(std_data),
                           arrays.data(centered_abs_std), &mxIsInf);
  arrays.destroy_scratch();
}
