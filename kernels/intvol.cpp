#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "kernels.hpp"
#include "store_steps.hpp"

// As in the threshold recursion, step t waits only for the products of the latest outputs
// and the additions after them, and the code keeps that chain bare: the latest outputs
// stay in registers rather than being read back from `ht` (a load of a value just stored
// would put the store-forwarding latency into the chain), the sum lives in a register and
// the coefficients are read once. No addition moves: the constant (or +0.0), the data
// from lag 1 up, the output lags 1 .. q - 1, and the implied term last of all.

namespace volfilter {

namespace {

// Orders p of up to kShortOrder and q from 1 to kShortOrder get a recursion of their own.
constexpr int kShortOrder = 2;
constexpr std::size_t kShortCount = kShortOrder + 1;

// Entries first .. T - 1 for p <= 2 and 1 <= q <= 2, with the coefficients and the two
// latest outputs in named registers. `implied` is the coefficient of lag q.
template <int P, int Q, bool kPowerOne>
void recurse_short(const double* data, const double* alpha, double constant, double implied,
                   std::uint64_t first, std::uint64_t T, double* ht) {
  const double a1 = P >= 1 ? alpha[0] : 0.0;
  const double a2 = P >= 2 ? alpha[1] : 0.0;
  // Lag 1 carries the implied coefficient when q = 1, beta_1 when q = 2.
  const double b1 = Q == 1 ? implied : alpha[P];
  const double b2 = Q == 2 ? implied : 0.0;
  // s1 and s2 hold the outputs of lags 1 and 2, unsquared; first the pre-sample entries.
  double s1 = ht[first - 1];
  double s2 = Q >= 2 ? ht[first - 2] : 0.0;
  const auto step = [&](std::uint64_t t) {
    double s = constant;
    if constexpr (P >= 1) {
      s = s + data[t - 1] * a1;
    }
    if constexpr (P >= 2) {
      s = s + data[t - 2] * a2;
    }
    if constexpr (Q == 1) {
      s = s + b1 * s1;
    } else {
      s = s + s1 * b1;
      s = s + b2 * s2;
    }
    s2 = s1;
    s1 = s;
  };
  detail::store_steps<kPowerOne>(step, s1, s2, first, T, ht);
}

using ShortRecursion = void (*)(const double*, const double*, double, double, std::uint64_t,
                                std::uint64_t, double*);

// Table index (p * 3 + q) * 2 + power_one; the entries for q = 0 are never used.
template <std::size_t... Index>
constexpr std::array<ShortRecursion, sizeof...(Index)> short_recursions(
    std::index_sequence<Index...> /*unused*/) {
  return {
      &recurse_short<static_cast<int>(Index / 2 / kShortCount),
                     std::max(static_cast<int>(Index / 2 % kShortCount), 1), Index % 2 == 1>...};
}

constexpr auto kShortRecursions =
    short_recursions(std::make_index_sequence<2 * kShortCount * kShortCount>());

// Any orders: lag 1 of the output from a register, older lags from `ht` (stored at least
// one whole step earlier, so off the chain), every entry stored unsquared.
void recurse_any(const double* data, const double* alpha, double constant, double implied,
                 std::int32_t p, std::int32_t q, std::uint64_t first, std::uint64_t T, double* ht) {
  const double* beta = alpha + p;
  double latest = q >= 1 ? ht[first - 1] : 0.0;
  for (std::uint64_t t = first; t < T; ++t) {
    double s = constant;
    for (std::int32_t i = 0; i < p; ++i) {
      s = s + data[t - 1 - static_cast<std::uint64_t>(i)] * alpha[i];
    }
    if (q == 1) {
      s = s + implied * latest;
    } else if (q >= 2) {
      s = s + latest * beta[0];
      for (std::int32_t i = 1; i < q - 1; ++i) {
        s = s + ht[t - 1 - static_cast<std::uint64_t>(i)] * beta[i];
      }
      s = s + implied * ht[t - static_cast<std::uint64_t>(q)];
    } else {
      // q < 1 lies outside the contract; kept as the plain loops would read it.
      s = s + implied * ht[t - static_cast<std::uint64_t>(static_cast<std::int64_t>(q))];
    }
    ht[t] = s;
    latest = s;
  }
}

}  // namespace

void intvol_kernel(const double* data, const double* parameters, const double* backcast,
                   std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                   std::int32_t type, std::int32_t has_constant, double* ht) {
  // m is widened with its sign, so a negative m compares as huge and nothing runs.
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  const bool recursion_runs = first < T;

  // has_constant is both the test for the constant at index 0 and the index of the first lag
  // coefficient; it is not reduced to 0 or 1. The coefficients are located only when the
  // recursion runs: a call without one may pass no parameters at all (even a null pointer),
  // and an offset past their end would already be undefined.
  const double* alpha = recursion_runs ? parameters + has_constant : nullptr;

  // The lag-q coefficient makes the lag coefficients sum to one: 1 less each of the others, in
  // index order (every alpha, then beta_1 .. beta_(q-1)), formed once. It is formed only when the
  // recursion will use it, so a call without recursion reads no parameter.
  double implied = 1.0;
  if (recursion_runs) {
    const std::int64_t explicit_count = std::int64_t{p} + std::int64_t{q} - 1;
    for (std::int64_t i = 0; i < explicit_count; ++i) {
      implied = implied - alpha[i];
    }
  }

  // Pre-sample: the backcast as given, a standard deviation under power 1.
  for (std::int32_t t = 0; t < m; ++t) {
    ht[t] = backcast[0];
  }
  if (!recursion_runs) {
    return;
  }
  // Each sum starts from the constant, or without one from +0.0 (which the host's zero
  // fill also holds), not from the first product: that matters to the sign of a zero.
  const double constant = has_constant != 0 ? parameters[0] : 0.0;
  const bool power_one = type == 1;
  if (p >= 0 && p <= kShortOrder && q >= 1 && q <= kShortOrder) {
    const std::size_t index =
        (static_cast<std::size_t>(p) * kShortCount + static_cast<std::size_t>(q)) * 2 +
        (power_one ? 1 : 0);
    kShortRecursions[index](data, alpha, constant, implied, first, T, ht);
    return;
  }
  recurse_any(data, alpha, constant, implied, p, q, first, T, ht);
  // Power 1: the recursion ran on standard deviations; the pre-sample entries stay as given.
  // A pass of its own, so that it vectorises.
  if (power_one) {
    for (std::uint64_t t = first; t < T; ++t) {
      ht[t] = ht[t] * ht[t];
    }
  }
}

}  // namespace volfilter
