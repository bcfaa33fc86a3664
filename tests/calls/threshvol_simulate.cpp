// threshvol_simulate: the calls every platform must answer with the same bits.
#include "simulation_calls.hpp"

namespace volfilter::calls {

CallTable threshvol_simulate_calls() {
  const SimulationLayout layout = [](const SimulationSetting& s) -> std::vector<Value> {
    return {s.z, s.history, column(s.parameters), s.backcast, s.p, s.o, s.q, s.m, s.type};
  };
  std::vector<Call> calls =
      simulation_calls(layout, {0.05, 0.08, 0.06, 0.85}, "Nine inputs required.", "p, o and q");
  SimulationSetting orders;
  orders.z = matrix(20, 17, sequence(20 * 17, 35, -2.5, 2.5));
  orders.history = column(sequence(9, 36, -2.0, 2.0));
  orders.parameters = {0.1, 0.05, 0.04, 0.06, 0.5, 0.3};
  orders.p = 2;
  orders.q = 2;
  orders.m = 2;
  calls.push_back({"orders 2 1 2", 2, layout(orders)});
  orders.type = 1;
  calls.push_back({"orders 2 1 2, power 1", 2, layout(orders)});
  // The kernel tests' worked example: variances 6.25 and 14.5625, residuals 5 and 0.
  calls.push_back({"worked example",
                   2,
                   {column({2, 0}), column({4, 2.5}), column({0.5, 0.5, 0.25}), 8, 1, 0, 1, 1, 2}});
  return {"threshvol_simulate", kBitIdentical, calls};
}

}  // namespace volfilter::calls
