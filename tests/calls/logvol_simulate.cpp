// logvol_simulate: the calls every platform must answer alike, within the unit in the last
// place that the exponentials allow.
#include "simulation_calls.hpp"

namespace volfilter::calls {

CallTable logvol_simulate_calls() {
  const SimulationLayout layout = [](const SimulationSetting& s) -> std::vector<Value> {
    return {s.z, s.history, column(s.parameters), s.backcast, s.upper_bound, s.p, s.o, s.q, s.m};
  };
  std::vector<Call> calls =
      simulation_calls(layout, {0.02, 0.1, -0.06, 0.95}, "Nine inputs required.", "p, o and q");
  SimulationSetting bounds;
  bounds.z = matrix(10, 3, sequence(30, 37, -2.0, 2.0));
  bounds.history = column(sequence(4, 38, -1.0, 1.0));
  bounds.backcast = 0;
  bounds.parameters = {-30, 0, 0, 0.5};
  calls.push_back({"on the floor", 2, layout(bounds)});
  bounds.parameters = {800, 0, 0, 0};
  bounds.upper_bound = 50;
  calls.push_back({"overflow into the ceiling", 2, layout(bounds)});
  bounds.parameters = {4, 0.1, 0.1, 0.2};
  calls.push_back({"finite excess over the ceiling", 2, layout(bounds)});
  return {"logvol_simulate", kWithinOneUlp, calls};
}

}  // namespace volfilter::calls
