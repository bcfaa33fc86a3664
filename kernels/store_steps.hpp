// Shared by the recursions that carry their latest two outputs in registers.
#pragma once

#include <cstdint>

namespace volfilter::detail {

// Runs step(t) for t = first .. T - 1 (first < T) and stores each step's value. `latest`
// and `previous` are the step's own registers: after step(t) they hold the values of steps
// t and t - 1.
//
// Under power 1 the recursion runs on standard deviations and each entry is stored squared,
// two steps after it was formed. Squared at once, it would compete for a multiplier with
// the lag-1 product of the next step, which waits for the same value; two steps later it
// has long been ready and fills an idle slot. The values stored are the same either way.
template <bool kPowerOne, typename Step>
inline void store_steps(Step& step, const double& latest, const double& previous,
                        std::uint64_t first, std::uint64_t T, double* ht) {
  if constexpr (!kPowerOne) {
    for (std::uint64_t t = first; t < T; ++t) {
      step(t);
      ht[t] = latest;
    }
  } else {
    std::uint64_t t = first;
    // The lag-2 values of the first two steps are pre-sample entries, which stay as given.
    for (; t < T && t < first + 2; ++t) {
      step(t);
    }
    for (; t < T; ++t) {
      ht[t - 2] = previous * previous;  // `previous` holds the entry of step t - 2 here
      step(t);
    }
    if (T - first >= 2) {
      ht[T - 2] = previous * previous;
    }
    ht[T - 1] = latest * latest;
  }
}

}  // namespace volfilter::detail
