// volfilter_plan: the calls every platform must answer alike. The plan's numbers are
// products and quotients of the sample's mean square, except its logarithm (logvol), the
// exponential weights of the pre-sample mean (powers of 0.94, from the platform's library)
// and the square roots: a weight one unit off moves the weighted mean by a unit or two.
#include "call_table.hpp"

namespace volfilter::calls {

CallTable volfilter_plan_calls() {
  const std::vector<double> e = sequence(30, 31, -2.0, 2.0);
  // model, e, p, o, q, type, constant, distribution, m, backcast_rule, backcast,
  // upper_bound, parameters
  const auto plan = [&](double model, double p, double o, double q, double type, double rule,
                        Value parameters, double distribution = 0) -> std::vector<Value> {
    return {model,
            column(e),
            p,
            o,
            q,
            type,
            1,
            distribution,
            2,
            rule,
            0.5,
            empty(),
            std::move(parameters)};
  };
  // The mean's four inputs after the others: its constant, ar_lags, ma_lags, x.
  const auto with_mean = [](std::vector<Value> inputs, Value ar, Value ma, Value x) {
    inputs.insert(inputs.end(), {1, std::move(ar), std::move(ma), std::move(x)});
    return inputs;
  };
  std::vector<Call> calls{
      {"threshvol 2 1 1, every output", 8, plan(0, 2, 1, 1, 2, 0, column({0.1, 0, 0.1, 0.1, 0.7}))},
      {"threshvol power 1, Student's t", 6, plan(0, 1, 1, 1, 1, 1, empty(), 1)},
      {"logvol 1 1 2, the value given", 8, plan(1, 1, 1, 2, 2, 2, column({0, 0.1, 0, 0.5, 0.3}))},
      {"shiftvol scaled shift at parameters", 8,
       plan(2, 1, 0, 1, 0, 0, column({0.1, 0.2, 0.5, 0.7}))},
      {"shiftvol constant shift", 8, plan(2, 2, 0, 1, 1, 1, column({0.1, 0.1, 0.1, 1, 0.5}))},
      {"intvol 1 2", 8, plan(3, 1, 0, 2, 2, 0, column({0.1, 0.1, 0.4}))},
      {"no output requested", 0, plan(0, 1, 0, 1, 2, 0, empty())},
      {"nine outputs", 9, plan(0, 1, 0, 1, 2, 0, empty()), "At most eight outputs."},
      {"model 4", 1, plan(4, 1, 0, 1, 2, 0, empty()),
       "Input model must be 0 (threshvol), 1 (logvol), 2 (shiftvol) or 3 (intvol)."},
      {"e a matrix",
       1,
       {0, matrix(2, 2, {1, 2, 3, 4}), 1, 0, 1, 2, 1, 0, 1, 0, 0.5, empty(), empty()},
       "Input e must be a vector."},
      {"too few parameters", 1, plan(0, 1, 0, 1, 2, 0, column({0.1})),
       "Input parameters must have at least 3 elements."},
      {"the sizes of a plan alone", 1, {1, 2, 1, 3, 2, 1, 1}},
      {"the sizes of a plan, two outputs",
       2,
       {1, 2, 1, 3, 2, 1, 1},
       "At most one output for the sizes of a plan."},
      // With a mean: its least-squares start, the residuals' level and pre-sample value.
      {"threshvol 1 0 1 with a constant, ar 1 2, a regressor and ma 1", 8,
       with_mean(plan(0, 1, 0, 1, 2, 0, column({0, 0.1, 0, 0.1, 0, 0.1, 0.1, 0.8})), column({1, 2}),
                 column({1}), column(sequence(30, 7, -1.0, 1.0)))},
      {"the sizes of a plan with a mean", 1, {0, 1, 0, 1, 2, 1, 0, 1, 2, 1, 1}},
      {"a lag twice", 1,
       with_mean(plan(0, 1, 0, 1, 2, 0, empty()), column({1, 1}), empty(), empty()),
       "Input ar_lags must not hold a lag twice."},
  };
  return {"volfilter_plan", 4, calls};
}

}  // namespace volfilter::calls
