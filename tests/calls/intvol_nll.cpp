// intvol_nll: the calls every platform must answer alike, within the units in the last place
// that the logarithms of a likelihood allow.
#include "likelihood_calls.hpp"

namespace volfilter::calls {

CallTable intvol_nll_calls() {
  const LikelihoodLayout layout = [](const LikelihoodSetting& s) -> std::vector<Value> {
    return {column(s.e), column(s.parameters), s.backcast,    s.p, s.q, s.m,
            s.type,      s.has_constant,       s.distribution};
  };
  // omega, alpha; the lag-1 coefficient is implied.
  std::vector<Call> calls = likelihood_calls(layout, {0.05, 0.1}, {-3, 0}, "Nine inputs required.");
  LikelihoodSetting orders;
  orders.e = sequence(20, 8, -2.5, 2.5);
  orders.parameters = {0.05, 9, 0.05, 0.04, 0.5, 12};
  orders.p = 2;
  orders.q = 2;
  orders.m = 2;
  orders.has_constant = 2;  // parameters(2) unused, its derivative 0
  orders.distribution = 1;
  calls.push_back({"orders 2 2, has_constant 2", 4, layout(orders)});
  orders.parameters = {0.05, 0.04, 0.5};
  orders.has_constant = 0;
  orders.distribution = 0;
  orders.type = 1;
  calls.push_back({"orders 2 2, no constant, power 1", 4, layout(orders)});
  calls.push_back({"worked example", 1, {column({9, 2}), 1, 1, 0, 1, 1, 2, 1, 0}});
  calls.push_back({"q of 0",
                   1,
                   {column(orders.e), column(orders.parameters), 1, 2, 0, 2, 2, 0, 0},
                   "Input q must be at least 1."});
  return {"intvol_nll", kLikelihoodUlps, calls};
}

}  // namespace volfilter::calls
