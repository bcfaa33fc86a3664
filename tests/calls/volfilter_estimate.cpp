// volfilter_estimate: the calls every platform that builds it must answer alike. A fit's
// estimates depend on every unit of the likelihood's logarithms, so the served calls here
// are the columns that are not fitted, whose results are exact, and the refusals.
#include <limits>

#include "call_table.hpp"

namespace volfilter::calls {

CallTable volfilter_estimate_calls() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // model, E, p, o, q, type, constant, distribution, m, backcast_rule, backcast,
  // upper_bound, start, max_evaluations, threads
  const auto fit = [](Value E, double p, Value start = empty(), double threads = 1) {
    return std::vector<Value>{0,       std::move(E),     p,    0,      1, 2, 1, 0, 1, 0, empty(),
                              empty(), std::move(start), 1000, threads};
  };
  // Three columns of 30: the second constant, the third not finite.
  std::vector<double> panel = sequence(90, 7, -2.0, 2.0);
  for (std::size_t t = 30; t < 60; ++t) {
    panel[t] = 1.5;
  }
  panel[77] = nan;
  // Columns that are the regressor and twice the regressor.
  const std::vector<double> exact = sequence(40, 5, -1.0, 1.0);
  std::vector<double> exact_and_twice(exact);
  for (double value : exact) {
    exact_and_twice.push_back(2 * value);
  }
  const auto with_mean = [](std::vector<Value> inputs, Value ar, Value x) {
    inputs.insert(inputs.end(), {0, std::move(ar), empty(), std::move(x)});
    return inputs;
  };
  std::vector<Call> calls{
      // Three parameters want 30 modelled observations; there are 29.
      {"too few observations for every column", 10, fit(matrix(30, 3, panel), 1)},
      {"a constant and a non-finite column", 10,
       fit(matrix(30, 2, std::vector<double>(panel.begin() + 30, panel.end())), 0, empty(), 2)},
      {"a start of the wrong length", 6, fit(matrix(30, 3, panel), 0, column({0.1, 0.1, 0.1}))},
      {"twelve outputs", 12, fit(matrix(30, 3, panel), 1), "At most eleven outputs."},
      {"two inputs", 1, {0, column(panel)}, "Fifteen or nineteen inputs required."},
      {"no evaluations",
       1,
       {0, column(panel), 1, 0, 1, 2, 1, 0, 1, 0, empty(), empty(), empty(), 0, 1},
       "Input max_evaluations must be at least 1."},
      {"an empty panel", 1, fit(empty(30, 0), 1), "Input E must not be empty."},
      // A mean that fits each column exactly: the columns are not fitted, with exact results.
      {"a mean that fits the columns exactly", 11,
       with_mean(fit(matrix(40, 2, exact_and_twice), 0), empty(), column(exact))},
      {"x of 29 rows", 1,
       with_mean(fit(matrix(30, 3, panel), 1), empty(), column(sequence(29, 3, -1.0, 1.0))),
       "Input x must have T rows."},
  };
  return {"volfilter_estimate", kBitIdentical, calls};
}

}  // namespace volfilter::calls
