// [e, ht] = intvol_simulate(z, history, parameters, backcast, p, q, m, type, has_constant)
#include <algorithm>

#include "simulation_frame.hpp"

namespace {

enum Input { kZ, kHistory, kParameters, kBackcast, kP, kQ, kM, kType, kHasConstant, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_simulation_counts(nlhs, nrhs, kInputCount, "Nine inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  // The last output lag carries the implied coefficient, so there is at least one.
  const std::int32_t q = gw::order_value(prhs[kQ], "q");
  gw::require(q >= 1, "Input q must be at least 1.");
  // The number of pre-sample observations in the history: a count, so never negative.
  const std::int32_t m = gw::lag_order(prhs[kM], "m");
  const std::int32_t type = gw::order_value(prhs[kType], "type");
  // Also the index of the first coefficient, so it must not be negative.
  const std::int32_t has_constant = gw::lag_order(prhs[kHasConstant], "has_constant");

  const double* z = gw::data_of(prhs[kZ], "z");
  const double* history = gw::data_of(prhs[kHistory], "history");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  const gw::SimulationInputs inputs = gw::simulation_inputs(prhs[kZ], z, prhs[kHistory], history);
  gw::check_history_presample(m, inputs, std::max(p, q), "p and q");
  if (inputs.steps) {
    // The constant (or the unused slots before the first coefficient), p alphas and q - 1
    // betas; the lag-q coefficient is implied.
    gw::require_elements(prhs[kParameters], "parameters", gw::sum_counts({has_constant, p, q - 1}));
    gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);
  }

  gw::SimulationArrays arrays(plhs, nlhs, inputs, volfilter::intvol_simulate_scratch(p, q));
  volfilter::intvol_simulate_kernel(arrays.paths(), inputs.history, parameters, backcast, p, q, m,
                                    type, has_constant, arrays.series(), arrays.lanes());
  arrays.destroy_scratch();
}
