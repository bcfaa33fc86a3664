// [nll, gradient, scores, ht, residuals] = shiftvol_mean_nll(y, x, ar_lags, ma_lags, constant,
//     parameters, backcast, p, q, m, type, distribution)
#include <algorithm>

#include "likelihood_frame.hpp"

namespace {

// The mean's inputs come first, in the order gw::mean_arrays reads them.
enum Input {
  kY,
  kX,
  kArLags,
  kMaLags,
  kConstant,
  kParameters,
  kBackcast,
  kP,
  kQ,
  kM,
  kType,
  kDistribution,
  kInputCount
};

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_likelihood_counts(nlhs, nrhs, kInputCount, "Twelve inputs required.", true);

  const std::int32_t constant = gw::mean_constant(prhs[kConstant]);
  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  const std::int32_t q = gw::lag_order(prhs[kQ], "q");
  // The number of observations conditioned on: a count, so never negative.
  const std::int32_t m = gw::lag_order(prhs[kM], "m");
  const std::int32_t type = gw::order_value(prhs[kType], "type");
  const volfilter::Distribution distribution = gw::distribution_value(prhs[kDistribution]);

  const gw::MeanArrays mean_arrays = gw::mean_arrays(prhs);
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  const std::uint64_t T = gw::finite_vector_count(prhs[kY], mean_arrays.y, "y");
  gw::check_presample(m, T, std::max(p, q), "p and q");
  const volfilter::MeanTerms mean = gw::mean_terms(prhs, mean_arrays, T, constant, m);
  // The mean's, then the constant, p alphas, the shift and q betas.
  const std::uint64_t k = gw::add_counts(volfilter::mean_parameter_count(mean),
                                         gw::parameter_count({1, p, 1, q}, distribution));
  gw::require_elements(prhs[kParameters], "parameters", k);
  gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);

  gw::LikelihoodArrays arrays(
      plhs, nlhs, T, k,
      volfilter::shiftvol_mean_nll_scratch(mean, p, q, gw::derivatives_requested(nlhs)), true);
  volfilter::shiftvol_mean_nll_kernel(mean, parameters, backcast, p, q, m, T, type, distribution,
                                      arrays.ht(), arrays.residuals(), arrays.series(),
                                      arrays.lanes(), arrays.result());
  arrays.destroy_scratch();
}
