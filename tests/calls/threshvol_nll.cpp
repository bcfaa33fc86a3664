// threshvol_nll: the calls every platform must answer alike, within the units in the last
// place that the logarithms of a likelihood allow.
#include "likelihood_calls.hpp"

namespace volfilter::calls {

CallTable threshvol_nll_calls() {
  const LikelihoodLayout layout = [](const LikelihoodSetting& s) -> std::vector<Value> {
    return {column(s.e), column(s.parameters), s.backcast, s.p, s.o, s.q, s.m,
            s.type,      s.distribution};
  };
  std::vector<Call> calls =
      likelihood_calls(layout, {0.05, 0.08, 0.06, 0.85}, {-1, 0, 0, 0}, "Nine inputs required.");
  LikelihoodSetting orders;
  orders.e = sequence(20, 5, -2.5, 2.5);
  orders.parameters = {0.1, 0.05, 0.04, 0.06, 0.5, 0.3, 9};
  orders.p = 2;
  orders.o = 1;
  orders.q = 2;
  orders.m = 2;
  orders.distribution = 1;
  calls.push_back({"orders 2 1 2, Student's t", 4, layout(orders)});
  orders.type = 1;
  calls.push_back({"orders 2 1 2, power 1", 4, layout(orders)});
  calls.push_back(
      {"worked example, power 1", 1, {column({-3, 2}), column({0.5, 0.5}), 1, 1, 0, 0, 1, 1, 0}});
  calls.push_back({"m below the orders",
                   1,
                   {column(orders.e), column(orders.parameters), 1, 2, 1, 2, 1, 2, 1},
                   "Input m must be at least the largest of p, o and q when T exceeds m."});
  return {"threshvol_nll", kLikelihoodUlps, calls};
}

}  // namespace volfilter::calls
