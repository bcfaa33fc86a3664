#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

#include "kernels.hpp"
#include "listed_coefficients.hpp"

// Step t waits for the variance of step t - 1 and, in the scaled-shift form, for the
// shifted square formed from it (a square root, the shift, the square). The code keeps
// that chain bare: the latest variances and shifted squares stay in registers rather than
// being read back from the arrays just written (a load of a value just stored would put
// the store-forwarding latency into the chain), the sum lives in a register and the
// coefficients are read once. No addition moves: the constant, the shifted squares from
// lag 1 up, then the variances from lag 1 up, one rounded product at a time.

namespace volfilter {

namespace {

// Orders p, q of up to kShortOrder get a recursion of their own.
constexpr int kShortOrder = 2;
constexpr std::size_t kShortCount = kShortOrder + 1;

struct Shift {
  double gamma;
  bool constant;  // the constant-shift form, else the shift scales with sqrt(h)
};

// The shifted square of an innovation e at variance h.
inline double shifted_square(double e, double h, Shift shift) {
  const double d = shift.constant ? e - shift.gamma : e - shift.gamma * std::sqrt(h);
  return d * d;
}

// Entries first .. T - 1 for p, q of at most kShortOrder, with the coefficients and the two
// latest variances and shifted squares in named registers.
template <int P, int Q, bool kConstantShift>
void recurse_short(const double* data, const double* parameters, double gamma, std::uint64_t first,
                   std::uint64_t T, double* ht, double* shifted_sq) {
  const Shift shift{gamma, kConstantShift};
  const double omega = parameters[0];
  const double a1 = P >= 1 ? parameters[1] : 0.0;
  const double a2 = P >= 2 ? parameters[2] : 0.0;
  const double b1 = Q >= 1 ? parameters[P + 2] : 0.0;
  const double b2 = Q >= 2 ? parameters[P + 3] : 0.0;
  // Lags 1 and 2 of both series; first the pre-sample entries.
  double h1 = Q >= 1 ? ht[first - 1] : 0.0;
  double h2 = Q >= 2 ? ht[first - 2] : 0.0;
  double s1 = P >= 1 ? shifted_sq[first - 1] : 0.0;
  double s2 = P >= 2 ? shifted_sq[first - 2] : 0.0;
  for (std::uint64_t t = first; t < T; ++t) {
    double h = omega;
    if constexpr (P >= 1) {
      h = h + a1 * s1;
    }
    if constexpr (P >= 2) {
      h = h + a2 * s2;
    }
    if constexpr (Q >= 1) {
      h = h + b1 * h1;
    }
    if constexpr (Q >= 2) {
      h = h + b2 * h2;
    }
    const double s = shifted_square(data[t], h, shift);
    ht[t] = h;
    shifted_sq[t] = s;
    h2 = h1;
    h1 = h;
    s2 = s1;
    s1 = s;
  }
}

using ShortRecursion = void (*)(const double*, const double*, double, std::uint64_t, std::uint64_t,
                                double*, double*);

// Table index (p * 3 + q) * 2 + constant_shift.
template <std::size_t... Index>
constexpr std::array<ShortRecursion, sizeof...(Index)> short_recursions(
    std::index_sequence<Index...> /*unused*/) {
  return {&recurse_short<static_cast<int>(Index / 2 / kShortCount),
                         static_cast<int>(Index / 2 % kShortCount), Index % 2 == 1>...};
}

constexpr auto kShortRecursions =
    short_recursions(std::make_index_sequence<2 * kShortCount * kShortCount>());

// Any orders: lag 1 of both series from registers, older lags from the arrays (written at
// least one whole step earlier, so off the chain). Up to kListedOrder variance lags, q is
// a template argument, so that the loop over them unrolls with every coefficient in a
// register; Q < 0 reads q at run time.
constexpr int kListedOrder = 8;

template <int Q>
void recurse_any(const double* data, const double* parameters, std::int32_t p,
                 std::int32_t q_run_time, Shift shift, std::uint64_t first, std::uint64_t T,
                 double* ht, double* shifted_sq) {
  const std::int32_t q = Q >= 0 ? Q : q_run_time;
  const double* alpha = parameters + 1;
  const double* beta = alpha + p + 1;
  const detail::ListedCoefficients<Q> coefficient(beta);
  double latest_h = q > 0 ? ht[first - 1] : 0.0;
  double latest_s = p > 0 ? shifted_sq[first - 1] : 0.0;
  for (std::uint64_t t = first; t < T; ++t) {
    double h = parameters[0];
    if (p > 0) {
      h = h + alpha[0] * latest_s;
    }
    for (std::int32_t j = 1; j < p; ++j) {
      h = h + alpha[j] * shifted_sq[t - 1 - static_cast<std::uint64_t>(j)];
    }
    if (q > 0) {
      h = h + coefficient[0] * latest_h;
    }
    for (std::int32_t k = 1; k < q; ++k) {
      h = h + coefficient[k] * ht[t - 1 - static_cast<std::uint64_t>(k)];
    }
    const double s = shifted_square(data[t], h, shift);
    ht[t] = h;
    shifted_sq[t] = s;
    latest_h = h;
    latest_s = s;
  }
}

using AnyRecursion = void (*)(const double*, const double*, std::int32_t, std::int32_t, Shift,
                              std::uint64_t, std::uint64_t, double*, double*);

template <std::size_t... Index>
constexpr std::array<AnyRecursion, sizeof...(Index)> any_recursions(
    std::index_sequence<Index...> /*unused*/) {
  return {&recurse_any<static_cast<int>(Index)>...};
}

constexpr auto kAnyRecursions = any_recursions(std::make_index_sequence<kListedOrder + 1>());

}  // namespace

void shiftvol_kernel(const double* data, const double* parameters, const double* backcast,
                     std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                     std::int32_t type, double* ht, double* shifted_sq) {
  // parameters = (w, a_1..a_p, gamma, b_1..b_q): the shift sits between the two blocks.
  const double gamma = parameters[p + 1];
  const double gamma_sq = gamma * gamma;
  const bool constant_shift = type == 1;

  // Pre-sample shifted squares are E[(e - shift)^2] for e of mean 0 and variance b: b + gamma^2 for
  // a constant shift, (gamma^2 + 1) b for a shift scaled by sqrt(b).
  for (std::int32_t t = 0; t < m; ++t) {
    const double b = backcast[0];
    ht[t] = b;
    shifted_sq[t] = constant_shift ? gamma_sq + b : (gamma_sq + 1.0) * b;
  }

  // m is widened with its sign, so a negative m compares as huge and nothing runs.
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  if (first >= T) {
    return;
  }
  // The scaled shift uses each step's own standard deviation; a negative h gives NaN there,
  // which the later steps carry through their shifted-square lags.
  const auto is_short = [](std::int32_t order) { return order >= 0 && order <= kShortOrder; };
  if (is_short(p) && is_short(q)) {
    const std::size_t index =
        (static_cast<std::size_t>(p) * kShortCount + static_cast<std::size_t>(q)) * 2 +
        (constant_shift ? 1 : 0);
    kShortRecursions[index](data, parameters, gamma, first, T, ht, shifted_sq);
    return;
  }
  const Shift shift{gamma, constant_shift};
  if (q >= 0 && q <= kListedOrder) {
    kAnyRecursions[static_cast<std::size_t>(q)](data, parameters, p, q, shift, first, T, ht,
                                                shifted_sq);
  } else {
    recurse_any<-1>(data, parameters, p, q, shift, first, T, ht, shifted_sq);
  }
}

}  // namespace volfilter
