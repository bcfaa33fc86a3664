// The gamma function family of the Student t likelihood: the digamma function, a thread-safe
// log-gamma, and the log-gamma and digamma differences at a half-integer step.
#include "gamma_functions.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "kernels.hpp"

#if defined(__GLIBC__)
// The reentrant log-gamma of the C library: the sign goes to the caller, not to the global
// `signgam` that the standard one writes, so concurrent calls do not race.
extern "C" double lgamma_r(double x, int* sign);
#endif

namespace volfilter {

namespace {

// psi has one positive zero, x0 = 1.4616321449683623412626595..., held as x0_high + x0_low.
// Near it psi(x) is tiny, and any formula that reaches it by adding larger terms loses its
// relative accuracy there; about the zero a Taylor series does not: on [1, 2],
//
//   psi(x0 + d) = sum_{n >= 1} c_n d^n,  c_n = psi^(n)(x0) / n! = (-1)^(n+1) zeta(n + 1, x0),
//
// with zeta the Hurwitz zeta function. The coefficients were evaluated once at 50 digits and
// rounded to doubles. They shrink like 0.68^n, so with |d| <= 0.54 the terms shrink like
// 0.37^n and 42 of them reach below half a unit in the last place of the sum.
constexpr double kZeroHigh = 0x1.762d86356be3fp+0;
constexpr double kZeroLow = 0x1.b86a722197829p-54;
constexpr std::array<double, 42> kTaylor = {
    0x1.ef72bc8ee38acp-1,    // c1
    -0x1.c563b54aa1a35p-2,   // c2
    0x1.08b4294d50381p-2,    // c3
    -0x1.4fc1317257da8p-3,   // c4
    0x1.b9a5b6370f3abp-4,    // c5
    -0x1.27baba261cc2cp-4,   // c6
    0x1.8fce02b239ca7p-5,    // c7
    -0x1.0fa7ec36a7d8fp-5,   // c8
    0x1.723d6807edcc0p-6,    // c9
    -0x1.f970508e1b6a2p-7,   // c10
    0x1.5955caaa962f3p-7,    // c11
    -0x1.d828079282eb8p-8,   // c12
    0x1.42e1acf81d8dcp-8,    // c13
    -0x1.b9afc7cee8a14p-9,   // c14
    0x1.2e23345f79aafp-9,    // c15
    -0x1.9d626f71d1f7ap-10,  // c16
    0x1.1acebbd761089p-10,   // c17
    -0x1.82f6345c65b35p-11,  // c18
    0x1.08bdae1a261d4p-11,   // c19
    -0x1.6a3fddea11304p-12,  // c20
    0x1.efacab6fb8985p-13,   // c21
    -0x1.531f5dc5eb563p-13,  // c22
    0x1.d0080f810fab5p-14,   // c23
    -0x1.3d7972688af67p-14,  // c24
    0x1.b2691182c5c34p-15,   // c25
    -0x1.29357f7d6cb86p-15,  // c26
    0x1.96ae4a8e32b49p-16,   // c27
    -0x1.163cc7373be8bp-16,  // c28
    0x1.7cb8b3916fd29p-17,   // c29
    -0x1.047a1894e0fdep-17,  // c30
    0x1.646b54f410bdfp-18,   // c31
    -0x1.e7b34a5b78a3cp-19,  // c32
    0x1.4dab173747443p-19,   // c33
    -0x1.c891c9fca61dep-20,  // c34
    0x1.385e9fcb1c6a8p-20,   // c35
    -0x1.ab6cff79188aap-21,  // c36
    0x1.246e3329dab55p-21,   // c37
    -0x1.902471b2c8ebdp-22,  // c38
    0x1.11c399dbd8e73p-22,   // c39
    -0x1.7699ba6292b3ep-23,  // c40
    0x1.004a0788ae67ap-23,   // c41
    -0x1.5eb06413f882fp-24,  // c42
};

double digamma_near_zero(double x) {
  // x - x0_high is exact for x in [1, 2] (the two are within a factor of two).
  const double d = (x - kZeroHigh) - kZeroLow;
  double sum = kTaylor.back();
  for (std::size_t n = kTaylor.size() - 1; n-- > 0;) {
    sum = kTaylor[n] + d * sum;
  }
  return d * sum;
}

// Where the asymptotic series takes over: from 10 on, its terms through x^-14 leave an error
// below a fifth of a unit in the last place.
constexpr double kAsymptoticFrom = 10.0;

// psi(x) ~ ln x - 1/(2x) - sum_k B_2k / (2k x^2k), with the Bernoulli numbers B_2k.
double digamma_asymptotic(double x) {
  const double t = 1.0 / (x * x);
  const double series =
      t * (1.0 / 12 -
           t * (1.0 / 120 -
                t * (1.0 / 252 -
                     t * (1.0 / 240 - t * (1.0 / 132 - t * (691.0 / 32760 - t * (1.0 / 12)))))));
  return std::log(x) - (0.5 / x + series);
}

// Adds `value` to the compensated sum (sum, compensation), Neumaier's way.
void add_compensated(double value, double& sum, double& compensation) {
  const double total = sum + value;
  if (std::fabs(sum) >= std::fabs(value)) {
    compensation += (sum - total) + value;
  } else {
    compensation += (value - total) + sum;
  }
  sum = total;
}

// ln Gamma(x + 1/2) - ln Gamma(x) ~ 1/2 ln x + sum_k a_k x^-k (odd k), from Stirling's series;
// from x = 16 on, the terms through x^-13 leave an error far below a unit in the last place.
constexpr double kHalfStepAsymptoticFrom = 16.0;

}  // namespace

double digamma(double x) {
  if (!(x > 0.0)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (x >= kAsymptoticFrom) {
    return digamma_asymptotic(x);  // +Inf stays +Inf
  }
  if (x < 1.0) {
    // psi(x) = psi(x + 1) - 1/x. The rounding of x + 1 moves psi(x + 1) by less than a unit
    // of psi(x), which 1/x dominates for small x.
    return digamma_near_zero(x + 1.0) - 1.0 / x;
  }
  if (x < 2.0) {
    return digamma_near_zero(x);
  }
  // psi(x) = psi(x - n) + sum_{j=1..n} 1/(x - j), with x - n in [1, 2); each x - j is exact.
  const int steps = static_cast<int>(x) - 1;  // 1 .. 8 here
  double sum = digamma_near_zero(x - steps);
  double compensation = 0.0;
  for (int j = steps; j >= 1; --j) {
    add_compensated(1.0 / (x - j), sum, compensation);
  }
  return sum + compensation;
}

namespace detail {

double log_gamma(double x) {
#if defined(__GLIBC__)
  int sign = 0;
  return lgamma_r(x, &sign);
#else
  return std::lgamma(x);
#endif
}

double log_gamma_half_step(double x) {
  if (x < kHalfStepAsymptoticFrom) {
    return log_gamma(x + 0.5) - log_gamma(x);
  }
  const double e = 1.0 / x;
  const double e2 = e * e;
  const double series =
      e * (-1.0 / 8 +
           e2 * (1.0 / 192 +
                 e2 * (-1.0 / 640 + e2 * (17.0 / 14336 +
                                          e2 * (-31.0 / 18432 +
                                                e2 * (691.0 / 180224 - e2 * (5461.0 / 425984)))))));
  return 0.5 * std::log(x) + series;
}

double digamma_half_step(double x) {
  if (x < kHalfStepAsymptoticFrom) {
    return digamma(x + 0.5) - digamma(x);
  }
  // The derivative of the series above, term by term.
  const double e = 1.0 / x;
  const double e2 = e * e;
  const double series =
      e2 * (1.0 / 8 -
            e2 * (3.0 / 192 -
                  e2 * (5.0 / 640 - e2 * (119.0 / 14336 -
                                          e2 * (279.0 / 18432 - e2 * (7601.0 / 180224 -
                                                                      e2 * (70993.0 / 425984)))))));
  return 0.5 * e + series;
}

}  // namespace detail

}  // namespace volfilter
