// The log-variance recursion as the likelihood runs it: logvol_kernel's own steps, each also
// recording which branch of the bounds it took.
#pragma once

#include <cstdint>

namespace volfilter::detail {

// What the bounds did at a step, and so how the stored values move with the sum S_t of that
// step (ln h before the bounds):
//   free              no bound applied: ln h = S, h = exp(S);
//   ceiling_plus_sum  the ceiling's finite branch on an unfloored variance: h = U + S, ln h
//                     stored as ln U;
//   fixed             the floor, the ceiling after an overflow, or both bounds: h and ln h are
//                     constants of the call.
// The comparisons are strict, so at a bound exactly (exp(S) equal to the floor or the ceiling)
// no bound applies and the step is free.
enum class BoundBranch : int { free = 0, ceiling_plus_sum = 1, fixed = 2 };

// logvol_kernel with the standard infinity test, writing the branch of step t into bounds[t]
// for t = m .. T - 1 (bounds holds T values).
void logvol_recording_bounds(const double* data, const double* parameters, const double* backcast,
                             const double* upper_bound, std::int32_t p, std::int32_t o,
                             std::int32_t q, std::int32_t m, std::uint64_t T, double* ht,
                             double* log_ht, double* std_data, double* centered_abs_std,
                             double* bounds);

}  // namespace volfilter::detail
