// logvol_nll: the calls every platform must answer alike, within the units in the last place
// that the logarithms and exponentials of a likelihood allow.
#include <limits>

#include "likelihood_calls.hpp"

namespace volfilter::calls {

CallTable logvol_nll_calls() {
  // The pre-sample log variance 0, the ceiling 1e4.
  const LikelihoodLayout layout = [](const LikelihoodSetting& s) -> std::vector<Value> {
    return {column(s.e), column(s.parameters), 0, 1e4, s.p, s.o, s.q, s.m, s.distribution};
  };
  // exp never gives a variance that is not positive: a NaN constant is what leaves it
  // undefined.
  std::vector<Call> calls = likelihood_calls(layout, {0.02, 0.1, -0.06, 0.95},
                                             {std::numeric_limits<double>::quiet_NaN(), 0, 0, 0},
                                             "Nine inputs required.");
  LikelihoodSetting bounds;
  bounds.e = sequence(12, 9, -2.0, 2.0);
  bounds.parameters = {-30, 0, 0, 0.5};
  calls.push_back({"on the floor", 4, layout(bounds)});
  bounds.parameters = {12, 0, 0, 0};
  calls.push_back({"on the ceiling", 4, layout(bounds)});
  bounds.parameters = {-0.01, 0.08, 0.05, -0.04, 0.6, 0.3, 9};
  bounds.p = 2;
  bounds.o = 2;
  bounds.q = 1;
  bounds.m = 2;
  bounds.distribution = 1;
  calls.push_back({"orders 2 2 1, Student's t", 4, layout(bounds)});
  calls.push_back({"half of ln(2 pi)", 1, {column({7, 0}), 0, 0, 100, 0, 0, 0, 1, 0}});
  calls.push_back({"empty upper_bound",
                   1,
                   {column(bounds.e), column(bounds.parameters), 0, empty(), 2, 2, 1, 2, 1},
                   "Input upper_bound must have at least 1 element."});
  return {"logvol_nll", kLikelihoodUlps, calls};
}

}  // namespace volfilter::calls
