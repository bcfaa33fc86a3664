#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "kernels.hpp"
#include "listed_coefficients.hpp"
#include "store_steps.hpp"

// Step t of the recursion cannot start before step t - 1 has finished, so the time per step
// is the latency of what it waits for: the product of the lag-1 output and its coefficient,
// and the additions after it. The code below keeps that chain bare. The latest outputs stay
// in registers rather than being read back from `ht` (a load of a value just stored would
// put the store-forwarding latency into the chain); the sum lives in a register and the
// coefficients are read once. None of this moves an addition: every step adds the constant,
// then each family from lag 1 up, one rounded product at a time.

namespace volfilter {

namespace {

// Orders of up to kShortOrder in every family get a recursion of their own.
constexpr int kShortOrder = 2;
constexpr std::size_t kShortCount = kShortOrder + 1;

// Entries first .. T - 1 for p, o, q of at most kShortOrder, with the coefficients and the
// two latest outputs in named registers.
template <int P, int O, int Q, bool kPowerOne>
void recurse_short(const double* data, const double* asym_data, const double* parameters,
                   std::uint64_t first, std::uint64_t T, double* ht) {
  const double omega = parameters[0];
  const double a1 = P >= 1 ? parameters[1] : 0.0;
  const double a2 = P >= 2 ? parameters[2] : 0.0;
  const double g1 = O >= 1 ? parameters[1 + P] : 0.0;
  const double g2 = O >= 2 ? parameters[2 + P] : 0.0;
  const double b1 = Q >= 1 ? parameters[1 + P + O] : 0.0;
  const double b2 = Q >= 2 ? parameters[2 + P + O] : 0.0;
  // s1 and s2 hold the outputs of lags 1 and 2, unsquared; first the pre-sample entries.
  double s1 = Q >= 1 ? ht[first - 1] : 0.0;
  double s2 = Q >= 2 ? ht[first - 2] : 0.0;
  const auto step = [&](std::uint64_t t) {
    double s = omega;
    if constexpr (P >= 1) {
      s = s + data[t - 1] * a1;
    }
    if constexpr (P >= 2) {
      s = s + data[t - 2] * a2;
    }
    if constexpr (O >= 1) {
      s = s + asym_data[t - 1] * g1;
    }
    if constexpr (O >= 2) {
      s = s + asym_data[t - 2] * g2;
    }
    if constexpr (Q >= 1) {
      s = s + s1 * b1;
    }
    if constexpr (Q >= 2) {
      s = s + s2 * b2;
    }
    s2 = s1;
    s1 = s;
  };
  detail::store_steps<kPowerOne>(step, s1, s2, first, T, ht);
}

using ShortRecursion = void (*)(const double*, const double*, const double*, std::uint64_t,
                                std::uint64_t, double*);

// Table index ((p * 3 + o) * 3 + q) * 2 + power_one.
template <std::size_t... Index>
constexpr std::array<ShortRecursion, sizeof...(Index)> short_recursions(
    std::index_sequence<Index...> /*unused*/) {
  return {&recurse_short<static_cast<int>(Index / 2 / kShortCount / kShortCount),
                         static_cast<int>(Index / 2 / kShortCount % kShortCount),
                         static_cast<int>(Index / 2 % kShortCount), Index % 2 == 1>...};
}

constexpr auto kShortRecursions =
    short_recursions(std::make_index_sequence<2 * kShortCount * kShortCount * kShortCount>());

// Any orders: lag 1 of the output from a register, older lags from `ht` (stored at least
// one whole step earlier, so off the chain), every entry stored unsquared. Up to
// kListedOrder output lags, q is a template argument, so that the loop over them unrolls
// with every coefficient in a register; Q < 0 reads q at run time.
constexpr int kListedOrder = 8;

template <int Q>
void recurse_any(const double* data, const double* asym_data, const double* parameters,
                 std::int32_t p, std::int32_t o, std::int32_t q_run_time, std::uint64_t first,
                 std::uint64_t T, double* ht) {
  const std::int32_t q = Q >= 0 ? Q : q_run_time;
  const double omega = parameters[0];
  const double* alpha = parameters + 1;
  const double* gamma = alpha + p;
  const double* beta = gamma + o;
  const detail::ListedCoefficients<Q> coefficient(beta);
  double latest = q > 0 ? ht[first - 1] : 0.0;
  for (std::uint64_t t = first; t < T; ++t) {
    double s = omega;
    for (std::int32_t i = 0; i < p; ++i) {
      s = s + data[t - 1 - static_cast<std::uint64_t>(i)] * alpha[i];
    }
    for (std::int32_t i = 0; i < o; ++i) {
      s = s + asym_data[t - 1 - static_cast<std::uint64_t>(i)] * gamma[i];
    }
    if (q > 0) {
      s = s + latest * coefficient[0];
    }
    for (std::int32_t i = 1; i < q; ++i) {
      s = s + ht[t - 1 - static_cast<std::uint64_t>(i)] * coefficient[i];
    }
    ht[t] = s;
    latest = s;
  }
}

using AnyRecursion = void (*)(const double*, const double*, const double*, std::int32_t,
                              std::int32_t, std::int32_t, std::uint64_t, std::uint64_t, double*);

template <std::size_t... Index>
constexpr std::array<AnyRecursion, sizeof...(Index)> any_recursions(
    std::index_sequence<Index...> /*unused*/) {
  return {&recurse_any<static_cast<int>(Index)>...};
}

constexpr auto kAnyRecursions = any_recursions(std::make_index_sequence<kListedOrder + 1>());

}  // namespace

void threshvol_kernel(const double* data, const double* asym_data, const double* parameters,
                      const double* backcast, std::int32_t p, std::int32_t o, std::int32_t q,
                      std::int32_t m, std::uint64_t T, std::int32_t type, double* ht) {
  // Pre-sample: the backcast as given, a standard deviation under power 1.
  for (std::int32_t t = 0; t < m; ++t) {
    ht[t] = backcast[0];
  }
  // m is widened with its sign, so a negative m compares as huge and nothing runs.
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  if (first >= T) {
    return;
  }
  const bool power_one = type == 1;
  const auto is_short = [](std::int32_t order) { return order >= 0 && order <= kShortOrder; };
  if (is_short(p) && is_short(o) && is_short(q)) {
    const std::size_t index =
        ((static_cast<std::size_t>(p) * kShortCount + static_cast<std::size_t>(o)) * kShortCount +
         static_cast<std::size_t>(q)) *
            2 +
        (power_one ? 1 : 0);
    kShortRecursions[index](data, asym_data, parameters, first, T, ht);
    return;
  }
  if (q >= 0 && q <= kListedOrder) {
    kAnyRecursions[static_cast<std::size_t>(q)](data, asym_data, parameters, p, o, q, first, T, ht);
  } else {
    recurse_any<-1>(data, asym_data, parameters, p, o, q, first, T, ht);
  }
  // Power 1: the recursion ran on standard deviations; the pre-sample entries stay as given.
  // A pass of its own, so that it vectorises.
  if (power_one) {
    for (std::uint64_t t = first; t < T; ++t) {
      ht[t] = ht[t] * ht[t];
    }
  }
}

}  // namespace volfilter
