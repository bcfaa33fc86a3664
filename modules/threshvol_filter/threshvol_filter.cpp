// ht = threshvol_filter(data, asym_data, parameters, backcast, p, o, q, m, T, type)
#include <algorithm>

#include "gateway.hpp"
#include "kernels.hpp"

namespace {

enum Input { kData, kAsymData, kParameters, kBackcast, kP, kO, kQ, kM, kT, kType, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_counts(nlhs, nrhs, kInputCount, "Ten inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t o = gw::lag_order(prhs[kO], "o");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  const std::int32_t m = gw::order_value(prhs[kM], "m");
  const std::uint64_t T = gw::count_value(prhs[kT], "T");
  const std::int32_t type = gw::order_value(prhs[kType], "type");

  const double* data = gw::data_of(prhs[kData], "data");
  const double* asym_data = gw::data_of(prhs[kAsymData], "asym_data");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  // A negative m runs neither the fill nor the recursion and leaves the zero output.
  const bool recursion_runs = gw::check_presample(m, T, std::max({p, o, q}), "p, o and q");
  if (recursion_runs) {
    gw::require_elements(prhs[kData], "data", p > 0 ? T - 1 : 0);
    gw::require_elements(prhs[kAsymData], "asym_data", o > 0 ? T - 1 : 0);
    gw::require_elements(prhs[kParameters], "parameters", gw::sum_counts({1, p, o, q}));
  }
  gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);

  gw::CallArrays arrays(plhs);
  const auto ht = arrays.output(0, T, 1);
  arrays.create();
  volfilter::threshvol_kernel(data, asym_data, parameters, backcast, p, o, q, m, T, type,
                              arrays.data(ht));
}
