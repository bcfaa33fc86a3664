// [nll, gradient, scores, ht] = shiftvol_nll(e, parameters, backcast, p, q, m, type,
//                                            distribution)
#include <algorithm>

#include "likelihood_frame.hpp"

namespace {

enum Input { kE, kParameters, kBackcast, kP, kQ, kM, kType, kDistribution, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_likelihood_counts(nlhs, nrhs, kInputCount, "Eight inputs required.");

  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  // The number of observations conditioned on: a count, so never negative.
  const std::int32_t m = gw::lag_order(prhs[kM], "m");
  const std::int32_t type = gw::order_value(prhs[kType], "type");
  const volfilter::Distribution distribution = gw::distribution_value(prhs[kDistribution]);

  const double* e = gw::data_of(prhs[kE], "e");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  const std::uint64_t T = gw::residual_count(prhs[kE], e);
  gw::check_presample(m, T, std::max(p, q), "p and q");
  // The constant, p alphas, the shift and q betas.
  const std::uint64_t k = gw::parameter_count({1, p, 1, q}, distribution);
  gw::require_elements(prhs[kParameters], "parameters", k);
  gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);

  gw::LikelihoodArrays arrays(
      plhs, nlhs, T, k, volfilter::shiftvol_nll_scratch(p, q, gw::derivatives_requested(nlhs)));
  volfilter::shiftvol_nll_kernel(e, parameters, backcast, p, q, m, T, type, distribution,
                                 arrays.ht(), arrays.series(), arrays.lanes(), arrays.result());
  arrays.destroy_scratch();
}
