// Placeholder implementations of the likelihood kernels, replaced by the real ones.
#include <cmath>
#include <limits>

#include "kernels.hpp"

namespace volfilter {

namespace {
void placeholder(LikelihoodResult result) {
  result.nll[0] = std::numeric_limits<double>::quiet_NaN();
}
}  // namespace

bool is_distribution(std::int32_t code) { return code == 0 || code == 1; }
std::int32_t shape_parameter_count(Distribution distribution) {
  return distribution == Distribution::student_t ? 1 : 0;
}
LikelihoodScratch threshvol_nll_scratch(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                        bool) {
  return {3, 0};
}
void threshvol_nll_kernel(const double*, const double*, const double*, std::int32_t, std::int32_t,
                          std::int32_t, std::int32_t, std::uint64_t, std::int32_t, Distribution,
                          double*, double*, double*, LikelihoodResult result) {
  placeholder(result);
}
LikelihoodScratch logvol_nll_scratch(std::int32_t, std::int32_t, std::int32_t, bool) {
  return {4, 0};
}
void logvol_nll_kernel(const double*, const double*, const double*, const double*, std::int32_t,
                       std::int32_t, std::int32_t, std::int32_t, std::uint64_t, Distribution,
                       double*, double*, double*, LikelihoodResult result) {
  placeholder(result);
}
LikelihoodScratch shiftvol_nll_scratch(std::int32_t, std::int32_t, bool) { return {1, 0}; }
void shiftvol_nll_kernel(const double*, const double*, const double*, std::int32_t, std::int32_t,
                         std::int32_t, std::uint64_t, std::int32_t, Distribution, double*, double*,
                         double*, LikelihoodResult result) {
  placeholder(result);
}
LikelihoodScratch intvol_nll_scratch(std::int32_t, std::int32_t, std::int32_t, bool) {
  return {2, 0};
}
void intvol_nll_kernel(const double*, const double*, const double*, std::int32_t, std::int32_t,
                       std::int32_t, std::uint64_t, std::int32_t, std::int32_t, Distribution,
                       double*, double*, double*, LikelihoodResult result) {
  placeholder(result);
}
double digamma(double) { return std::numeric_limits<double>::quiet_NaN(); }

}  // namespace volfilter
