#include "kernels.hpp"

namespace volfilter {

void intvol_kernel(const double* data, const double* parameters, const double* backcast,
                   std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                   std::int32_t type, std::int32_t has_constant, double* ht) {
  // has_constant is both the test for the constant at index 0 and the index of the first lag
  // coefficient; it is not reduced to 0 or 1.
  const double* alpha = parameters + has_constant;
  const double* beta = alpha + p;

  // m is widened with its sign, so a negative m compares as huge and nothing runs.
  const auto first = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  const bool recursion_runs = first < T;

  // The lag-q coefficient makes the lag coefficients sum to one: 1 less each of the others, in
  // index order (every alpha, then beta_1 .. beta_(q-1)), formed once. It is formed only when the
  // recursion will use it, so a call without recursion reads no parameter.
  double implied = 1.0;
  if (recursion_runs) {
    const std::int64_t explicit_count = std::int64_t{p} + std::int64_t{q} - 1;
    for (std::int64_t i = 0; i < explicit_count; ++i) {
      implied = implied - alpha[i];
    }
  }

  // Pre-sample: the backcast as given, a standard deviation under power 1.
  for (std::int32_t t = 0; t < m; ++t) {
    ht[t] = backcast[0];
  }
  if (!recursion_runs) {
    return;
  }
  for (std::uint64_t t = first; t < T; ++t) {
    // The constant (or +0.0, whatever the buffer holds), the data from lag 1 up, the output
    // lags 1 to q - 1, and the implied term last; one rounded product at a time.
    double s = has_constant != 0 ? parameters[0] : 0.0;
    for (std::int32_t i = 0; i < p; ++i) {
      s = s + data[t - 1 - static_cast<std::uint64_t>(i)] * alpha[i];
    }
    for (std::int32_t i = 0; i < q - 1; ++i) {
      s = s + ht[t - 1 - static_cast<std::uint64_t>(i)] * beta[i];
    }
    s = s + implied * ht[t - static_cast<std::uint64_t>(q)];
    ht[t] = s;
  }
  // Power 1: the recursion ran on standard deviations; the pre-sample entries stay as given.
  if (type == 1) {
    for (std::uint64_t t = first; t < T; ++t) {
      ht[t] = ht[t] * ht[t];
    }
  }
}

}  // namespace volfilter
