// Latency floors: for each recursion, the smallest loop that keeps the chain of dependent
// operations one step must wait for. Everything a step can compute before the previous
// step has finished (data terms, parameters) is taken here from one prepared series, so
// a floor measures only the chain, plus the store of each result.
#pragma once

#include <cstdint>

namespace volfilter::floors {

// s[t] = independent[t] + coefficient[0] s[t-1] + ... + coefficient[order-1] s[t-order],
// added in that order. Lag 1 is multiplied and added first, then each older lag is added:
// one multiply and `order` additions per step. 1 <= order <= 8; s[t] = 0 before the start.
void linear(const double* independent, const double* coefficient, int order, std::uint64_t T,
            double* out);

}  // namespace volfilter::floors
