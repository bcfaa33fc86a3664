// Calls each installed kernel once with no host at all and checks every result to the last
// bit, so a package that lost a kernel fails to link and one with wrong arithmetic fails here.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "kernels.hpp"

namespace {

// Compares bit patterns rather than values, so that -0.0 and NaN count too.
bool same_bits(const char* kernel, const double* got, const double* expected, std::size_t count) {
  if (std::memcmp(got, expected, count * sizeof *got) == 0) {
    std::printf("%s from the installed package:", kernel);
    for (std::size_t i = 0; i < count; ++i) {
      std::printf(" %.17g", got[i]);
    }
    std::printf("\n");
    return true;
  }
  std::printf("%s: wrong result\n", kernel);
  for (std::size_t i = 0; i < count; ++i) {
    std::printf("  [%zu] got %.17g, expected %.17g\n", i, got[i], expected[i]);
  }
  return false;
}

bool threshvol() {
  // Threshold GARCH(1,1,1), power 1: the recursion runs on standard deviations 2 and 2.5
  // and squares them at the end; the pre-sample entry stays as given.
  const double data[] = {1.0, 2.0, 7.0};
  const double asym_data[] = {2.0, 4.0, 9.0};
  const double parameters[] = {0.5, 0.25, 0.125, 0.5};
  const double backcast = 2.0;
  double ht[3] = {};
  volfilter::threshvol_kernel(data, asym_data, parameters, &backcast, 1, 1, 1, 1, 3, 1, ht);
  const double expected[] = {2.0, 4.0, 6.25};
  return same_bits("threshvol_kernel", ht, expected, 3);
}

bool logvol() {
  // Log backcast 0, no lags, omega 5: exp(5) lies above the ceiling 100, so the variance
  // becomes the ceiling plus the log variance, 105 (neither 100 nor 100 + exp(5)).
  const double data[] = {1.0, 2.0};
  const double parameters[] = {5.0};
  const double backcast = 0.0;
  const double upper_bound = 100.0;
  double ht[2] = {};
  double log_ht[2] = {};
  double std_data[2] = {};
  double centered_abs_std[2] = {};
  volfilter::logvol_kernel(data, parameters, &backcast, &upper_bound, 0, 0, 0, 1, 2, ht, log_ht,
                           std_data, centered_abs_std);
  const double expected[] = {1.0, 105.0};
  return same_bits("logvol_kernel", ht, expected, 2);
}

bool shiftvol() {
  // Constant shift 0.5 of the innovations, GARCH(1,1): the shifted squares are
  // 1.25 (pre-sample b + gamma^2), 0.25 and 2.25. data[0] is never read.
  const double data[] = {0.0, 1.0, -1.0};
  const double parameters[] = {0.1, 0.1, 0.5, 0.8};
  const double backcast = 1.0;
  double ht[3] = {};
  double shifted_sq[3] = {};
  volfilter::shiftvol_kernel(data, parameters, &backcast, 1, 1, 1, 3, 1, ht, shifted_sq);
  const double expected[] = {1.0, 1.0250000000000001, 0.9450000000000002};
  return same_bits("shiftvol_kernel", ht, expected, 3);
}

bool intvol() {
  // Integrated GARCH(1,1) with a constant, power 1: the implied lag-1 coefficient is
  // 1 - 0.25 = 0.75, the recursion gives 3 and 4.75, squared to 9 and 22.5625.
  const double data[] = {4.0, 8.0, 99.0};
  const double parameters[] = {0.5, 0.25};
  const double backcast = 2.0;
  double ht[3] = {};
  volfilter::intvol_kernel(data, parameters, &backcast, 1, 1, 1, 3, 1, 1, ht);
  const double expected[] = {2.0, 9.0, 22.5625};
  return same_bits("intvol_kernel", ht, expected, 3);
}

bool lagreg() {
  // Constant 0.5 and one autoregressive lag 1 with coefficient 0.5, no regressors and no
  // moving-average terms, unit scales: e(t) = y(t) - 0.5 - 0.5 y(t-1) from t = 1.
  const double parameters[] = {0.5, 0.5};
  const double ar_lags[] = {1.0};
  const double y[] = {1.0, 2.0, 3.0, 4.0};
  const double sigma[] = {1.0, 1.0, 1.0, 1.0};
  double residuals[4] = {};
  volfilter::lagreg_kernel(parameters, ar_lags, nullptr, 1, 1, 0, y, nullptr, 1, 4, 0, sigma,
                           residuals);
  const double expected[] = {0.0, 1.0, 1.5, 2.0};
  return same_bits("lagreg_kernel", residuals, expected, 4);
}

bool pairwise() {
  // One pair of two variables: det = 1.75, quadratic term ((1 - 2) + 8) / 1.75 = 4, and the
  // result 0.5 (ln 1.75 + 3.67575413281869 + 4) = 4.11768496037706 to 15 digits.
  const double covariance[] = {2.0, 0.5, 0.5, 1.0};
  const double data[] = {1.0, 2.0};
  const double pairs[] = {1.0, 2.0};
  double nll = -1.0;
  volfilter::pairwise_kernel(covariance, data, pairs, 1, 2, 1, &nll);
  const double expected = 0x1.07882680033bap+2;
  return same_bits("pairwise_kernel", &nll, &expected, 1);
}

bool threshvol_nll() {
  // No lags, omega 2: both variances are 2, and with e = (1, -1) each observation adds
  // 0.5 (1/h - e^2/h^2) = 0.125 to d nll / d omega.
  const double e[] = {1.0, -1.0};
  const double parameters[] = {2.0};
  const double backcast = 1.0;
  double ht[2] = {};
  double series[4] = {};
  const volfilter::LikelihoodScratch scratch = volfilter::threshvol_nll_scratch(0, 0, 0, 2, true);
  double lanes[64] = {};
  if (scratch.series_columns != 1 || scratch.lane_values > 64) {
    std::printf("threshvol_nll_scratch: unexpected scratch\n");
    return false;
  }
  double result[2] = {};
  volfilter::threshvol_nll_kernel(e, parameters, &backcast, 0, 0, 0, 0, 2, 2,
                                  volfilter::Distribution::normal, ht, series, lanes,
                                  {&result[0], &result[1], nullptr});
  const double term = std::log(2.0) + 0.5;
  const double expected[] = {0.5 * (2.0 * 1.8378770664093456 + ((0.0 + term) + term)), 0.25};
  return same_bits("threshvol_nll_kernel", result, expected, 2);
}

}  // namespace

int main() {
  // Every kernel runs, even after a failure, so one run reports them all.
  bool all_right = threshvol();
  all_right = logvol() && all_right;
  all_right = shiftvol() && all_right;
  all_right = intvol() && all_right;
  all_right = lagreg() && all_right;
  all_right = pairwise() && all_right;
  all_right = threshvol_nll() && all_right;
  return all_right ? 0 : 1;
}
