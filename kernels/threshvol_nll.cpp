// The threshold model's likelihood: the filter on |e| or e^2 and its asymmetric part, then the
// density and the lanes (likelihood.hpp).
#include <cmath>
#include <cstdint>

#include "kernels.hpp"
#include "likelihood.hpp"

namespace volfilter {

namespace {

// The recursion of threshvol_kernel run by itself: any type but 1 returns its values as they
// are, unsquared.
constexpr std::int32_t kRecursionValues = 2;

// S_t = w + sum_i a_i data[t-i] + sum_j g_j asym[t-j] + sum_k b_k s[t-k], s the recursion's own
// values (standard deviations under power 1). One feedback series, s, with dS = ds; the
// variance is s^2 under power 1 (dh = 2 s ds) and s itself otherwise.
class ThreshvolModel : public detail::RecursionFeedback {
 public:
  ThreshvolModel(const double* data, const double* asym_data, const double* recursion,
                 const double* parameters, std::int32_t p, std::int32_t o, std::int32_t q,
                 bool power_one)
      : RecursionFeedback(recursion, power_one),
        data_(data),
        asym_data_(asym_data),
        beta_(parameters + 1 + p + o),
        p_(static_cast<std::uint64_t>(p)),
        o_(static_cast<std::uint64_t>(o)),
        q_(static_cast<std::uint64_t>(q)) {}

  [[nodiscard]] std::uint64_t lanes() const { return 1 + p_ + o_ + q_; }
  [[nodiscard]] std::uint64_t depth() const { return q_; }
  [[nodiscard]] double coefficient(std::uint64_t /*family*/, std::uint64_t lag) const {
    return beta_[lag - 1];
  }

  void regressors(std::uint64_t t, double* lanes) const {
    lanes[0] = 1.0;
    detail::lagged_values(data_, t, p_, lanes + 1);
    detail::lagged_values(asym_data_, t, o_, lanes + 1 + p_);
    detail::lagged_values(recursion(), t, q_, lanes + 1 + p_ + o_);
  }

 private:
  const double* data_;
  const double* asym_data_;
  const double* beta_;
  std::uint64_t p_, o_, q_;
};

}  // namespace

LikelihoodScratch threshvol_nll_scratch(std::int32_t p, std::int32_t o, std::int32_t q,
                                        std::int32_t type, bool derivatives) {
  const std::uint64_t lanes = 1 + static_cast<std::uint64_t>(p) + static_cast<std::uint64_t>(o) +
                              static_cast<std::uint64_t>(q);
  // data, asym_data when it has lags, and under power 1 the recursion's unsquared values.
  const std::uint64_t columns = 1 + (o > 0 ? 1U : 0U) + (type == 1 ? 1U : 0U);
  return {columns,
          derivatives ? detail::lane_scratch_values(lanes, static_cast<std::uint64_t>(q), 1) : 0};
}

void threshvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                          std::int32_t p, std::int32_t o, std::int32_t q, std::int32_t m,
                          std::uint64_t T, std::int32_t type, Distribution distribution, double* ht,
                          double* series, double* lanes, LikelihoodResult result) {
  const bool power_one = type == 1;
  // The asymmetric series only where it has lags; without them the kernel reads none of it.
  double* data = series;
  double* next_column = series + T;
  double* asym_data = data;
  if (o > 0) {
    asym_data = next_column;
    next_column += T;
  }
  for (std::uint64_t t = 0; t < T; ++t) {
    data[t] = power_one ? std::fabs(e[t]) : e[t] * e[t];
  }
  if (o > 0) {
    for (std::uint64_t t = 0; t < T; ++t) {
      asym_data[t] = e[t] < 0.0 ? data[t] : 0.0;
    }
  }
  // Under power 1 the recursion runs on standard deviations, which the lanes need; the
  // variances are their squares from m on, as the filter's own last pass forms them.
  double* recursion = power_one ? next_column : ht;
  threshvol_kernel(data, asym_data, parameters, backcast, p, o, q, m, T, kRecursionValues,
                   recursion);
  const auto first = static_cast<std::uint64_t>(m);
  if (power_one) {
    detail::square_from(recursion, first, T, ht);
  }
  const ThreshvolModel model(data, asym_data, recursion, parameters, p, o, q, power_one);
  detail::likelihood_pass(distribution, model, parameters + model.lanes(), e, ht, first, T, lanes,
                          result);
}

}  // namespace volfilter
