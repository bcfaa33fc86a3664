// The shared calls every simulation module's table has: paths of each kind (one and many,
// a shared history and one a path, both outputs or one, no steps) and the refusals of the
// inputs all four take. Each module's table adds its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "call_table.hpp"

namespace volfilter::calls {

// A simulation call by meaning; a model lays out the inputs it takes in its order.
struct SimulationSetting {
  Value z;
  Value history;
  std::vector<double> parameters;
  double backcast = 1;
  double upper_bound = 1e4;
  double p = 1, o = 1, q = 1, m = 1, type = 2, has_constant = 1;
};
using SimulationLayout = std::function<std::vector<Value>(const SimulationSetting&)>;

// The shared calls of a model whose inputs `layout` lays out, from `parameters` (the model's
// own at orders 1), the model's input-count message and the names of its orders.
inline std::vector<Call> simulation_calls(const SimulationLayout& layout,
                                          const std::vector<double>& parameters,
                                          const std::string& input_message,
                                          const std::string& orders) {
  SimulationSetting s;
  s.z = matrix(13, 19, sequence(13 * 19, 31, -2.5, 2.5));  // a block of lanes and three more
  s.history = column(sequence(12, 32, -2.0, 2.0));
  s.parameters = parameters;
  auto with = [&](SimulationSetting base, const std::function<void(SimulationSetting&)>& change) {
    change(base);
    return layout(base);
  };
  return {
      {"nineteen paths", 2, layout(s)},
      {"residuals only", 1, layout(s)},
      {"no output requested", 0, layout(s)},
      {"one path", 2, with(s, [](SimulationSetting& c) { c.z = column(sequence(40, 33, -3, 3)); })},
      {"a history a path", 2,
       with(s, [](SimulationSetting& c) { c.history = matrix(4, 19, sequence(76, 34, -2, 2)); })},
      {"history of the pre-sample only", 2,
       with(s, [](SimulationSetting& c) { c.history = column({0.5}); })},
      {"type 1 (power 1 or the constant shift)", 2,
       with(s, [](SimulationSetting& c) { c.type = 1; })},
      {"no steps", 2,
       with(s,
            [](SimulationSetting& c) {
              c.z = empty(0, 4);
              c.parameters.clear();
            })},
      {"no paths", 2, with(s, [](SimulationSetting& c) { c.z = empty(6, 0); })},
      {"one input", 1, {s.z}, input_message},
      {"three outputs", 3, layout(s), "At most two outputs."},
      {"history of two columns", 1,
       with(s,
            [](SimulationSetting& c) {
              c.history = matrix(2, 2, {1, 2, 3, 4});
            }),
       "Input history must have one column or as many as z."},
      {"m past the history", 1, with(s, [](SimulationSetting& c) { c.m = 13; }),
       "Input m must not exceed the rows of history."},
      {"m below the orders", 1, with(s, [](SimulationSetting& c) { c.m = 0; }),
       "Input m must be at least the largest of " + orders + "."},
      {"negative m", 1, with(s, [](SimulationSetting& c) { c.m = -1; }),
       "Input m must not be negative."},
      {"too few parameters", 1, with(s, [](SimulationSetting& c) { c.parameters.pop_back(); }),
       "Input parameters must have at least " + std::to_string(parameters.size()) + " elements."},
      {"z as text", 1,
       with(s, [](SimulationSetting& c) { c.z = of_class(ArrayClass::character, c.z); }),
       "Input z must be a real double array."},
  };
}

}  // namespace volfilter::calls
