// [nll, gradient, scores, ht] = logvol_nll(e, parameters, backcast, upper_bound, p, o, q, m,
//                                          distribution)
#include <algorithm>

#include "likelihood_frame.hpp"

namespace {

enum Input { kE, kParameters, kBackcast, kUpperBound, kP, kO, kQ, kM, kDistribution, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_likelihood_counts(nlhs, nrhs, kInputCount, "Nine inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t o = gw::lag_order(prhs[kO], "o");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  // The number of observations conditioned on: a count, so never negative.
  const std::int32_t m = gw::lag_order(prhs[kM], "m");
  const volfilter::Distribution distribution = gw::distribution_value(prhs[kDistribution]);

  const double* e = gw::data_of(prhs[kE], "e");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");
  const double* upper_bound = gw::data_of(prhs[kUpperBound], "upper_bound");

  const std::uint64_t T = gw::residual_count(prhs[kE], e);
  const bool recursion_runs = gw::check_presample(m, T, std::max({p, o, q}), "p, o and q");
  const std::uint64_t k = gw::parameter_count({1, p, o, q}, distribution);
  gw::require_elements(prhs[kParameters], "parameters", k);
  // The pre-sample variance is formed in every call; the ceiling only where steps run.
  gw::require_elements(prhs[kBackcast], "backcast", 1);
  gw::require_elements(prhs[kUpperBound], "upper_bound", recursion_runs ? 1 : 0);

  gw::LikelihoodArrays arrays(
      plhs, nlhs, T, k, volfilter::logvol_nll_scratch(p, o, q, gw::derivatives_requested(nlhs)));
  volfilter::logvol_nll_kernel(e, parameters, backcast, upper_bound, p, o, q, m, T, distribution,
                               arrays.ht(), arrays.series(), arrays.lanes(), arrays.result());
  arrays.destroy_scratch();
}
