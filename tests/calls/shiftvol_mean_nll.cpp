// shiftvol_mean_nll: the calls every platform must answer alike, within the units in the last
// place that the logarithms of a likelihood allow.
#include "mean_likelihood_calls.hpp"

namespace volfilter::calls {

CallTable shiftvol_mean_nll_calls() {
  const TrailingLayout trailing = [](const LikelihoodSetting& s) -> std::vector<Value> {
    return {s.backcast, s.p, s.q, s.m, s.type, s.distribution};
  };
  return {"shiftvol_mean_nll", kLikelihoodUlps,
          mean_likelihood_calls(trailing, {0.05, 0.08, 0.3, 0.85}, {-1, 0, 0, 0},
                                "Twelve inputs required.")};
}

}  // namespace volfilter::calls
