// Latency floors: for each recursion, the smallest loop that keeps the chain of dependent
// operations one step must wait for. Everything a step can compute before the previous
// step has finished (data terms, parameters) is taken here from one prepared series, so
// a floor measures only the chain, plus the store of each result.
#pragma once

#include <cstdint>

namespace volfilter::floors {

// s[t] = independent[t] + coefficient[0] s[t-1] + ... + coefficient[order-1] s[t-order],
// added in that order. Lag 1 is multiplied and added first, then each older lag is added:
// one multiply and `order` additions per step. 1 <= order <= 8; s[t] = 0 before the start.
void linear(const double* independent, const double* coefficient, int order, std::uint64_t T,
            double* out);

// The exponential log-variance step with p = o = q = order: the lag-1 log variance goes
// through exp, a square root and the division of the residual by it, the absolute value
// less its mean, the product with alpha_1, and then the 3 order additions that the order
// of the sum puts after that product (independent holds T + 3 order values):
//   h = exp(l); z = data[t] / sqrt(h); l = omega + alpha (|z| - mu) + independent[t] + ...
void logvol(const double* data, const double* independent, double omega, double alpha, int order,
            std::uint64_t T, double* out);

// The scaled-shift variance step with p = q = order: the lag-1 variance goes through a
// square root, the shift, the square, the product with alpha_1, and the 2 order additions
// after it (independent holds T + 2 order values):
//   d = data[t] - gamma sqrt(h); h = omega + alpha (d d) + independent[t] + ...
void shiftvol(const double* data, const double* independent, double omega, double alpha,
              double gamma, int order, std::uint64_t T, double* out);

// The pairwise likelihood has no chain but its sum: per pair one logarithm and two
// divisions, the term then added to the running sum:
//   nll = ((log(det[i]) + numerator[i] / det[i]) / n) + nll
void pairwise(const double* det, const double* numerator, std::uint64_t n, double* nll);

// A simulated step of any model writes a residual sqrt(h) z and its variance h; with many
// paths at once nothing is chained, and the floor is the throughput of that work alone:
//   e[i] = sqrt(h[i]) * z[i], variance[i] = h[i], over n path-steps.
void residuals(const double* h, const double* z, std::uint64_t n, double* e, double* variance);

}  // namespace volfilter::floors
