// [nll, gradient, scores, ht, residuals] = intvol_mean_nll(y, x, ar_lags, ma_lags, constant,
//     parameters, backcast, p, q, m, type, has_constant, distribution)
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
  kHasConstant,
  kDistribution,
  kInputCount
};

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_likelihood_counts(nlhs, nrhs, kInputCount, "Thirteen inputs required.", true);

  const std::int32_t constant = gw::mean_constant(prhs[kConstant]);
  const std::int32_t p = gw::lag_order(prhs[kP], "p");
  // The last output lag carries the implied coefficient, so there is at least one.
  const std::int32_t q = gw::order_value(prhs[kQ], "q");
  gw::require(q >= 1, "Input q must be at least 1.");
  // The number of observations conditioned on: a count, so never negative.
  const std::int32_t m = gw::lag_order(prhs[kM], "m");
  const std::int32_t type = gw::order_value(prhs[kType], "type");
  // Also the index of the first coefficient, so it must not be negative.
  const std::int32_t has_constant = gw::lag_order(prhs[kHasConstant], "has_constant");
  const volfilter::Distribution distribution = gw::distribution_value(prhs[kDistribution]);

  const gw::MeanArrays mean_arrays = gw::mean_arrays(prhs);
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  const double* backcast = gw::data_of(prhs[kBackcast], "backcast");

  const std::uint64_t T = gw::finite_vector_count(prhs[kY], mean_arrays.y, "y");
  gw::check_presample(m, T, std::max(p, q), "p and q");
  const volfilter::MeanTerms mean = gw::mean_terms(prhs, mean_arrays, T, constant, m);
  // The mean's, then the constant (or the unused slots before the first coefficient), p alphas
  // and q - 1 betas; the lag-q coefficient is implied.
  const std::uint64_t k =
      gw::add_counts(volfilter::mean_parameter_count(mean),
                     gw::parameter_count({has_constant, p, q - 1}, distribution));
  gw::require_elements(prhs[kParameters], "parameters", k);
  gw::require_elements(prhs[kBackcast], "backcast", m > 0 ? 1 : 0);

  gw::LikelihoodArrays arrays(plhs, nlhs, T, k,
                              volfilter::intvol_mean_nll_scratch(mean, p, q, type, has_constant,
                                                                 gw::derivatives_requested(nlhs)),
                              true);
  volfilter::intvol_mean_nll_kernel(mean, parameters, backcast, p, q, m, T, type, has_constant,
                                    distribution, arrays.ht(), arrays.residuals(), arrays.series(),
                                    arrays.lanes(), arrays.result());
  arrays.destroy_scratch();
}
