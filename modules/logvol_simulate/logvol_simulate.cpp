// [e, ht] = logvol_simulate(z, history, parameters, backcast, upper_bound, p, o, q, m)
#include <algorithm>

#include "simulation_frame.hpp"

namespace {

enum Input { kZ, kHistory, kParameters, kBackcast, kUpperBound, kP, kO, kQ, kM, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_simulation_counts(nlhs, nrhs, kInputCount, "Nine inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t o = gw::lag_order(prhs[kO], "o");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  // The number of pre-sample observations in the history: a count, so never negative.
  const std::int32_t m = gw::lag_order(prhs[kM], "m");

  const double* z = gw::data_of(prhs[kZ], "z");
  const double* history = gw::data_of(prhs[kHistory], "history");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");
  const double* upper_bound = gw::data_of(prhs[kUpperBound], "upper_bound");

  const gw::SimulationInputs inputs = gw::simulation_inputs(prhs[kZ], z, prhs[kHistory], history);
  gw::check_history_presample(m, inputs, std::max({p, o, q}), "p, o and q");
  // The pre-sample variance is formed in every call; the rest only where paths have steps.
  gw::require_elements(prhs[kBackcast], "backcast", 1);
  if (inputs.steps) {
    gw::require_elements(prhs[kParameters], "parameters", gw::sum_counts({1, p, o, q}));
    gw::require_elements(prhs[kUpperBound], "upper_bound", 1);
  }

  gw::SimulationArrays arrays(plhs, nlhs, inputs, volfilter::logvol_simulate_scratch(p, o, q));
  volfilter::logvol_simulate_kernel(arrays.paths(), inputs.history, parameters, backcast,
                                    upper_bound, p, o, q, m, arrays.series(), arrays.lanes());
  arrays.destroy_scratch();
}
