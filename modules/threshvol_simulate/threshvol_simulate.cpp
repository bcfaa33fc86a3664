// [e, ht] = threshvol_simulate(z, history, parameters, backcast, p, o, q, m, type)
#include <algorithm>

#include "simulation_frame.hpp"

namespace {

enum Input { kZ, kHistory, kParameters, kBackcast, kP, kO, kQ, kM, kType, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_simulation_counts(nlhs, nrhs, kInputCount, "Nine inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t o = gw::lag_order(prhs[kO], "o");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  // The number of pre-sample observations in the history: a count, so never negative.
  const std::int32_t m = gw::lag_order(prhs[kM], "m");
  const std::int32_t type = gw::order_value(prhs[kType], "type");

  const double* z = gw::data_of(prhs[kZ], "z");
  const double* history = gw::data_of(prhs[kHistory], "history");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  const gw::SimulationInputs inputs = gw::simulation_inputs(prhs[kZ], z, prhs[kHistory], history);
  gw::check_history_presample(m, inputs, std::max({p, o, q}), "p, o and q");
  if (inputs.steps) {
    gw::require_elements(prhs[kParameters], "parameters", gw::sum_counts({1, p, o, q}));
    gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);
  }

  gw::SimulationArrays arrays(plhs, nlhs, inputs, volfilter::threshvol_simulate_scratch(p, o, q));
  volfilter::threshvol_simulate_kernel(arrays.paths(), inputs.history, parameters, backcast, p, o,
                                       q, m, type, arrays.series(), arrays.lanes());
  arrays.destroy_scratch();
}
