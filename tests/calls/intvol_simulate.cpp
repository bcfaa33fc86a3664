// intvol_simulate: the calls every platform must answer with the same bits.
#include "simulation_calls.hpp"

namespace volfilter::calls {

CallTable intvol_simulate_calls() {
  const SimulationLayout layout = [](const SimulationSetting& s) -> std::vector<Value> {
    return {s.z, s.history, column(s.parameters), s.backcast, s.p, s.q,
            s.m, s.type,    s.has_constant};
  };
  std::vector<Call> calls =
      simulation_calls(layout, {0.05, 0.1}, "Nine inputs required.", "p and q");
  SimulationSetting orders;
  orders.z = matrix(20, 17, sequence(20 * 17, 41, -2.5, 2.5));
  orders.history = column(sequence(9, 42, -2.0, 2.0));
  orders.parameters = {0.05, 0.04, 0.5, 0.2};
  orders.p = 2;
  orders.q = 3;
  orders.m = 3;
  orders.has_constant = 0;
  calls.push_back({"orders 2 3, no constant", 2, layout(orders)});
  orders.type = 1;
  calls.push_back({"orders 2 3, no constant, power 1", 2, layout(orders)});
  std::vector<Value> no_lag = layout(orders);
  no_lag[5] = 0;
  calls.push_back({"q of 0", 1, no_lag, "Input q must be at least 1."});
  return {"intvol_simulate", kBitIdentical, calls};
}

}  // namespace volfilter::calls
