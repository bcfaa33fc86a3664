// shiftvol_simulate: the calls every platform must answer with the same bits.
#include "simulation_calls.hpp"

namespace volfilter::calls {

CallTable shiftvol_simulate_calls() {
  const SimulationLayout layout = [](const SimulationSetting& s) -> std::vector<Value> {
    return {s.z, s.history, column(s.parameters), s.backcast, s.p, s.q, s.m, s.type};
  };
  // type 2 is the scaled shift; the shared calls' "power 1" is the constant shift here.
  std::vector<Call> calls =
      simulation_calls(layout, {0.05, 0.08, 0.3, 0.85}, "Eight inputs required.", "p and q");
  SimulationSetting orders;
  orders.z = matrix(20, 17, sequence(20 * 17, 39, -2.5, 2.5));
  orders.history = column(sequence(9, 40, -2.0, 2.0));
  orders.parameters = {0.1, 0.05, 0.04, -0.2, 0.5, 0.3};
  orders.p = 2;
  orders.q = 2;
  orders.m = 2;
  calls.push_back({"orders 2 2, scaled shift", 2, layout(orders)});
  orders.type = 1;
  calls.push_back({"orders 2 2, constant shift", 2, layout(orders)});
  return {"shiftvol_simulate", kBitIdentical, calls};
}

}  // namespace volfilter::calls
