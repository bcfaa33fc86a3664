// The gamma function family of the Student t likelihood, for the likelihood kernels (the digamma
// function itself is in kernels.hpp).
#pragma once

namespace volfilter::detail {

// ln Gamma(x) for x > 0, safe to call from several threads at once.
double log_gamma(double x);

// ln Gamma(x + 1/2) - ln Gamma(x) and psi(x + 1/2) - psi(x), for x > 0. For large x both are
// differences of nearly equal values, so they switch to their asymptotic series there.
double log_gamma_half_step(double x);
double digamma_half_step(double x);

}  // namespace volfilter::detail
