#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

#include "kernels.hpp"
#include "logvol_recording.hpp"

// Step t waits for the log variance of step t - 1 and for what the recursion derives from
// it: its exponential, the bounds, a square root, the division of the residual by it, the
// absolute value less its mean. The code keeps that chain bare: the latest values of the
// three series fed back stay in registers rather than being read back from the arrays just
// written (a load of a value just stored would put the store-forwarding latency into the
// chain), the sum lives in a register and the coefficients are read once. No addition
// moves: the constant, the centered magnitudes, the signed standardized values and the
// log variances, each from lag 1 up, one rounded product at a time.

namespace volfilter {

namespace {

// E|z| for a standard normal z, sqrt(2 / pi), as a 15-digit literal. The literal is four units in
// the last place below the double nearest sqrt(2 / pi); results are reproducible with this literal
// and not with a computed value.
constexpr double normal_abs_mean = 0.797884560802865;

// The floor on the variance is the pre-sample variance over this ratio.
constexpr double floor_ratio = 10000.0;

// Orders of up to kShortOrder in every family get a recursion of their own.
constexpr int kShortOrder = 2;
constexpr std::size_t kShortCount = kShortOrder + 1;

// What every step needs besides the lagged values. With kRecordBounds the step also writes,
// into `bounds`, which branch of the bounds it took (BoundBranch), for the likelihood's
// derivatives; the filter's steps record nothing.
template <bool kRecordBounds>
struct Step {
  const double* data;
  double floor_variance;
  double floor_log;
  double upper;
  InfinityTest is_infinite;
  double* ht;
  double* log_ht;
  double* std_data;
  double* centered_abs_std;
  double* bounds;

  // Takes the sum of step t (ln h(t) before the bounds), applies the bounds, stores the four
  // series and returns the log variance, the standardized value and the centered magnitude
  // that later steps feed back.
  struct Fed {
    double log_variance;
    double std_value;
    double centered;
  };
  [[nodiscard]] Fed finish(std::uint64_t t, double log_variance) const {
    double variance = std::exp(log_variance);
    auto branch = detail::BoundBranch::free;
    // Both comparisons are false for NaN, so a NaN variance passes both bounds.
    if (variance < floor_variance) {
      variance = floor_variance;
      log_variance = floor_log;
      branch = detail::BoundBranch::fixed;
    }
    // The ceiling is tested on the floored variance. An overflowed exponential is replaced by
    // the ceiling; a finite excess becomes the ceiling plus the log variance. Either way the
    // stored log variance is ln U, which later steps feed back as it stands.
    if (variance > upper) {
      const bool overflowed = is_infinite(variance);
      variance = overflowed ? upper : upper + log_variance;
      log_variance = std::log(upper);
      if (overflowed) {
        branch = detail::BoundBranch::fixed;
      } else if (branch == detail::BoundBranch::free) {
        branch = detail::BoundBranch::ceiling_plus_sum;
      }
    }
    if constexpr (kRecordBounds) {
      bounds[t] = static_cast<double>(branch);
    }
    ht[t] = variance;
    log_ht[t] = log_variance;
    const double std_value = data[t] / std::sqrt(variance);
    const double centered = std::fabs(std_value) - normal_abs_mean;
    std_data[t] = std_value;
    centered_abs_std[t] = centered;
    return {log_variance, std_value, centered};
  }
};

// Entries first .. T - 1 for p, o, q of at most kShortOrder, with the coefficients and the
// two latest values of each series fed back in named registers.
template <int P, int O, int Q, bool kRecordBounds>
void recurse_short(const double* parameters, const Step<kRecordBounds>& step, std::uint64_t first,
                   std::uint64_t T) {
  const double omega = parameters[0];
  const double a1 = P >= 1 ? parameters[1] : 0.0;
  const double a2 = P >= 2 ? parameters[2] : 0.0;
  const double g1 = O >= 1 ? parameters[P + 1] : 0.0;
  const double g2 = O >= 2 ? parameters[P + 2] : 0.0;
  const double b1 = Q >= 1 ? parameters[P + O + 1] : 0.0;
  const double b2 = Q >= 2 ? parameters[P + O + 2] : 0.0;
  // Lags 1 and 2 of each series; first the pre-sample entries.
  const auto lag = [first](const double* series, int k, bool used) {
    return used ? series[first - static_cast<std::uint64_t>(k)] : 0.0;
  };
  // ln h(t) before the bounds, from the values of lags 1 and 2.
  const auto sum_of = [&](double c1, double c2, double z1, double z2, double l1, double l2) {
    double sum = omega;
    if constexpr (P >= 1) {
      sum = sum + a1 * c1;
    }
    if constexpr (P >= 2) {
      sum = sum + a2 * c2;
    }
    if constexpr (O >= 1) {
      sum = sum + g1 * z1;
    }
    if constexpr (O >= 2) {
      sum = sum + g2 * z2;
    }
    if constexpr (Q >= 1) {
      sum = sum + b1 * l1;
    }
    if constexpr (Q >= 2) {
      sum = sum + b2 * l2;
    }
    return sum;
  };
  double c1 = lag(step.centered_abs_std, 1, P >= 1);
  double c2 = lag(step.centered_abs_std, 2, P >= 2);
  double z1 = lag(step.std_data, 1, O >= 1);
  double z2 = lag(step.std_data, 2, O >= 2);
  double l1 = lag(step.log_ht, 1, Q >= 1);
  double l2 = lag(step.log_ht, 2, Q >= 2);
  double sum = sum_of(c1, c2, z1, z2, l1, l2);
  for (std::uint64_t t = first; t < T; ++t) {
    const auto fed = step.finish(t, sum);
    // The next sum at once, while the values just formed are still in registers: the
    // exponential is a call, across which every value held for later goes to memory.
    sum = sum_of(fed.centered, c1, fed.std_value, z1, fed.log_variance, l1);
    c2 = c1;
    c1 = fed.centered;
    z2 = z1;
    z1 = fed.std_value;
    l2 = l1;
    l1 = fed.log_variance;
  }
}

template <bool kRecordBounds>
using ShortRecursion = void (*)(const double*, const Step<kRecordBounds>&, std::uint64_t,
                                std::uint64_t);

// Table index (p * 3 + o) * 3 + q.
template <bool kRecordBounds, std::size_t... Index>
constexpr std::array<ShortRecursion<kRecordBounds>, sizeof...(Index)> short_recursions(
    std::index_sequence<Index...> /*unused*/) {
  return {&recurse_short<static_cast<int>(Index / kShortCount / kShortCount),
                         static_cast<int>(Index / kShortCount % kShortCount),
                         static_cast<int>(Index % kShortCount), kRecordBounds>...};
}

template <bool kRecordBounds>
constexpr auto kShortRecursions = short_recursions<kRecordBounds>(
    std::make_index_sequence<kShortCount * kShortCount * kShortCount>());

// Any orders: lag 1 of each series from registers, older lags from the arrays (written at
// least one whole step earlier, so off the chain).
template <bool kRecordBounds>
void recurse_any(const double* parameters, std::int32_t p, std::int32_t o, std::int32_t q,
                 const Step<kRecordBounds>& step, std::uint64_t first, std::uint64_t T) {
  const double* alpha = parameters + 1;
  const double* gamma = alpha + p;
  const double* beta = gamma + o;
  // ln h(t) before the bounds: lag 1 of each series from `latest`, older lags from the
  // arrays.
  using Fed = typename Step<kRecordBounds>::Fed;
  const auto sum_of = [&](std::uint64_t t, const Fed& latest) {
    double sum = parameters[0];
    if (p > 0) {
      sum = sum + alpha[0] * latest.centered;
    }
    for (std::int32_t j = 1; j < p; ++j) {
      sum = sum + alpha[j] * step.centered_abs_std[t - 1 - static_cast<std::uint64_t>(j)];
    }
    if (o > 0) {
      sum = sum + gamma[0] * latest.std_value;
    }
    for (std::int32_t j = 1; j < o; ++j) {
      sum = sum + gamma[j] * step.std_data[t - 1 - static_cast<std::uint64_t>(j)];
    }
    if (q > 0) {
      sum = sum + beta[0] * latest.log_variance;
    }
    for (std::int32_t j = 1; j < q; ++j) {
      sum = sum + beta[j] * step.log_ht[t - 1 - static_cast<std::uint64_t>(j)];
    }
    return sum;
  };
  const Fed presample{q > 0 ? step.log_ht[first - 1] : 0.0, o > 0 ? step.std_data[first - 1] : 0.0,
                      p > 0 ? step.centered_abs_std[first - 1] : 0.0};
  double sum = sum_of(first, presample);
  for (std::uint64_t t = first; t < T; ++t) {
    const auto fed = step.finish(t, sum);
    // The next sum at once, while the values just formed are still in registers. Its
    // older lags are read from the arrays, which hold every step up to t by now; the sum
    // after the last step is formed but not used, and reads nothing beyond step t.
    sum = sum_of(t + 1, fed);
  }
}

}  // namespace

bool standard_is_infinite(double value) { return std::isinf(value); }

namespace {

template <bool kRecordBounds>
void run_logvol(const double* data, const double* parameters, const double* backcast,
                const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
                std::int32_t m, std::uint64_t T, double* ht, double* log_ht, double* std_data,
                double* centered_abs_std, InfinityTest is_infinite, double* bounds) {
  // The backcast is a log variance.
  const double log_presample = backcast[0];
  const double presample_variance = std::exp(log_presample);

  // Pre-sample: the standardized values are the data themselves over the pre-sample standard
  // deviation.
  if (m > 0) {
    const double presample_sd = std::sqrt(presample_variance);
    for (std::int32_t t = 0; t < m; ++t) {
      log_ht[t] = log_presample;
      ht[t] = presample_variance;
      std_data[t] = data[t] / presample_sd;
      centered_abs_std[t] = std::fabs(std_data[t]) - normal_abs_mean;
    }
  }

  // Floor: a true division, and its log taken as the backcast less ln 10000. ln 10000 is read
  // through a volatile so that it comes from the library logarithm at run time, the one that also
  // gives ln U, rather than from the compiler's constant folding.
  const double floor_variance = presample_variance / floor_ratio;
  const volatile double ratio = floor_ratio;
  const double floor_log = log_presample - std::log(ratio);

  // m is widened with its sign, so a negative m compares as huge and nothing runs.
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  if (first >= T) {
    return;
  }
  const Step<kRecordBounds> step{data, floor_variance, floor_log, upper_bound[0],   is_infinite,
                                 ht,   log_ht,         std_data,  centered_abs_std, bounds};
  const auto is_short = [](std::int32_t order) { return order >= 0 && order <= kShortOrder; };
  if (is_short(p) && is_short(o) && is_short(q)) {
    const std::size_t index =
        (static_cast<std::size_t>(p) * kShortCount + static_cast<std::size_t>(o)) * kShortCount +
        static_cast<std::size_t>(q);
    kShortRecursions<kRecordBounds>[index](parameters, step, first, T);
    return;
  }
  recurse_any(parameters, p, o, q, step, first, T);
}

}  // namespace

void logvol_kernel(const double* data, const double* parameters, const double* backcast,
                   const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
                   std::int32_t m, std::uint64_t T, double* ht, double* log_ht, double* std_data,
                   double* centered_abs_std, InfinityTest is_infinite) {
  run_logvol<false>(data, parameters, backcast, upper_bound, p, o, q, m, T, ht, log_ht, std_data,
                    centered_abs_std, is_infinite, nullptr);
}

namespace detail {

void logvol_recording_bounds(const double* data, const double* parameters, const double* backcast,
                             const double* upper_bound, std::int32_t p, std::int32_t o,
                             std::int32_t q, std::int32_t m, std::uint64_t T, double* ht,
                             double* log_ht, double* std_data, double* centered_abs_std,
                             double* bounds) {
  run_logvol<true>(data, parameters, backcast, upper_bound, p, o, q, m, T, ht, log_ht, std_data,
                   centered_abs_std, &standard_is_infinite, bounds);
}

}  // namespace detail

}  // namespace volfilter
