#include <cmath>

#include "kernels.hpp"

namespace volfilter {

namespace {

// E|z| for a standard normal z, sqrt(2 / pi), as a 15-digit literal. The literal is four units in
// the last place below the double nearest sqrt(2 / pi); results are reproducible with this literal
// and not with a computed value.
constexpr double normal_abs_mean = 0.797884560802865;

// The floor on the variance is the pre-sample variance over this ratio.
constexpr double floor_ratio = 10000.0;

}  // namespace

bool standard_is_infinite(double value) { return std::isinf(value); }

void logvol_kernel(const double* data, const double* parameters, const double* backcast,
                   const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
                   std::int32_t m, std::uint64_t T, double* ht, double* log_ht, double* std_data,
                   double* centered_abs_std, InfinityTest is_infinite) {
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
  const double upper = upper_bound[0];
  const double* alpha = parameters + 1;
  const double* gamma = alpha + p;
  const double* beta = gamma + o;
  for (std::uint64_t t = first; t < T; ++t) {
    // ln h(t): the constant, then the centered magnitudes, the signed standardized values and the
    // log variances, each from lag 1 up, one rounded product at a time.
    double log_variance = parameters[0];
    for (std::int32_t j = 0; j < p; ++j) {
      log_variance =
          log_variance + alpha[j] * centered_abs_std[t - 1 - static_cast<std::uint64_t>(j)];
    }
    for (std::int32_t j = 0; j < o; ++j) {
      log_variance = log_variance + gamma[j] * std_data[t - 1 - static_cast<std::uint64_t>(j)];
    }
    for (std::int32_t j = 0; j < q; ++j) {
      log_variance = log_variance + beta[j] * log_ht[t - 1 - static_cast<std::uint64_t>(j)];
    }
    double variance = std::exp(log_variance);

    // Both comparisons are false for NaN, so a NaN variance passes both bounds.
    if (variance < floor_variance) {
      variance = floor_variance;
      log_variance = floor_log;
    }
    // The ceiling is tested on the floored variance. An overflowed exponential is replaced by the
    // ceiling; a finite excess becomes the ceiling plus the log variance. Either way the stored log
    // variance is ln U, which later steps feed back as it stands.
    if (variance > upper) {
      variance = is_infinite(variance) ? upper : upper + log_variance;
      log_variance = std::log(upper);
    }
    ht[t] = variance;
    log_ht[t] = log_variance;

    std_data[t] = data[t] / std::sqrt(variance);
    centered_abs_std[t] = std::fabs(std_data[t]) - normal_abs_mean;
  }
}

}  // namespace volfilter
