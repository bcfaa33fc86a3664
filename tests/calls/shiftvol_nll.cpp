// shiftvol_nll: the calls every platform must answer alike, within the units in the last
// place that the logarithms of a likelihood allow.
#include "likelihood_calls.hpp"

namespace volfilter::calls {

CallTable shiftvol_nll_calls() {
  const LikelihoodLayout layout = [](const LikelihoodSetting& s) -> std::vector<Value> {
    return {column(s.e), column(s.parameters), s.backcast, s.p, s.q, s.m, s.type, s.distribution};
  };
  // type 2 is the scaled shift; the shared calls' "power 1" is the constant shift here.
  std::vector<Call> calls =
      likelihood_calls(layout, {0.05, 0.08, 0.3, 0.85}, {-1, 0, 0, 0}, "Eight inputs required.");
  LikelihoodSetting orders;
  orders.e = sequence(20, 6, -2.5, 2.5);
  orders.parameters = {0.1, 0.05, 0.04, -0.2, 0.5, 0.3, 12};
  orders.p = 2;
  orders.q = 2;
  orders.m = 2;
  orders.distribution = 1;
  calls.push_back({"orders 2 2, scaled shift", 4, layout(orders)});
  orders.type = 1;
  calls.push_back({"orders 2 2, constant shift", 4, layout(orders)});
  calls.push_back({"worked example", 1, {column({3, 2}), column({1, 0.5, 1}), 1, 1, 0, 1, 1, 0}});
  calls.push_back({"m below the orders",
                   1,
                   {column(orders.e), column(orders.parameters), 1, 2, 2, 1, 1, 1},
                   "Input m must be at least the largest of p and q when T exceeds m."});
  return {"shiftvol_nll", kLikelihoodUlps, calls};
}

}  // namespace volfilter::calls
