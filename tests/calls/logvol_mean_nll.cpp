// logvol_mean_nll: the calls every platform must answer alike, within the units in the last
// place that the logarithms and exponentials of a likelihood allow.
#include <limits>

#include "mean_likelihood_calls.hpp"

namespace volfilter::calls {

CallTable logvol_mean_nll_calls() {
  // The pre-sample log variance 0, the ceiling 1e4.
  const TrailingLayout trailing = [](const LikelihoodSetting& s) -> std::vector<Value> {
    return {0, 1e4, s.p, s.o, s.q, s.m, s.distribution};
  };
  return {"logvol_mean_nll", kLikelihoodUlps,
          mean_likelihood_calls(trailing, {0.02, 0.1, -0.06, 0.95},
                                {std::numeric_limits<double>::quiet_NaN(), 0, 0, 0},
                                "Thirteen inputs required.")};
}

}  // namespace volfilter::calls
