// The threshold model's likelihood: the filter on |e| or e^2 and its asymmetric part, then the
// density and the lanes (likelihood.hpp).
#include <algorithm>
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
//
// With a mean, the two data series move with the residual (series of e 0: data at lags 1 .. p,
// 1: asym at lags 1 .. o): d|e| = sign(e) de under power 1 and d(e e) = 2 e de otherwise, and
// the asymmetric value moves as the data where e < 0 and not at all elsewhere. At e = 0 both
// derivatives are taken as 0: the indicator's kink, where under power 2 the value's own slope
// 2 e is 0 from either side, and under power 1 |e| has a kink of its own.
class ThreshvolModel : public detail::RecursionFeedback {
 public:
  ThreshvolModel(const double* e, const double* data, const double* asym_data,
                 const double* recursion, const double* parameters, std::int32_t p, std::int32_t o,
                 std::int32_t q, bool power_one)
      : RecursionFeedback(recursion, power_one),
        e_(e),
        data_(data),
        asym_data_(asym_data),
        alpha_(parameters + 1),
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

  [[nodiscard]] std::uint64_t residual_depth() const { return std::max(p_, o_); }
  // The asymmetric data only where they have lags.
  [[nodiscard]] std::uint64_t residual_families() const { return o_ > 0 ? 2 : 1; }
  [[nodiscard]] double residual_coefficient(std::uint64_t family, std::uint64_t lag) const {
    if (family == 0) {
      return lag <= p_ ? alpha_[lag - 1] : 0.0;
    }
    return lag <= o_ ? alpha_[p_ + lag - 1] : 0.0;
  }
  void residual_feedback(std::uint64_t t, double* rho) const {
    const double e = e_[t];
    const double slope = power_one() ? detail::sign_of(e) : 2.0 * e;
    rho[0] = slope;
    if (o_ > 0) {
      rho[1] = detail::negative_part(slope);  // the slope has the sign of e
    }
  }

 private:
  const double* e_;
  const double* data_;
  const double* asym_data_;
  const double* alpha_;
  const double* beta_;
  std::uint64_t p_, o_, q_;
};

detail::LaneShape lane_shape(std::int32_t p, std::int32_t o, std::int32_t q) {
  const auto count = [](std::int32_t n) { return static_cast<std::uint64_t>(n); };
  return {1 + count(p) + count(o) + count(q), count(q), 1, count(std::max(p, o)), o > 0 ? 2U : 1U};
}

// data, asym_data when it has lags, and under power 1 the recursion's unsquared values.
std::uint64_t series_columns(std::int32_t o, std::int32_t type) {
  return 1 + (o > 0 ? 1U : 0U) + (type == 1 ? 1U : 0U);
}

// The filter on the series formed from e, in `series`; then finish(model).
template <class Finish>
void with_model(const double* e, const double* parameters, const double* backcast, std::int32_t p,
                std::int32_t o, std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type,
                double* ht, double* series, const Finish& finish) {
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
  if (power_one) {
    detail::square_from(recursion, static_cast<std::uint64_t>(m), T, ht);
  }
  finish(ThreshvolModel(e, data, asym_data, recursion, parameters, p, o, q, power_one));
}

}  // namespace

LikelihoodScratch threshvol_nll_scratch(std::int32_t p, std::int32_t o, std::int32_t q,
                                        std::int32_t type, bool derivatives) {
  return {series_columns(o, type), detail::model_lane_values(lane_shape(p, o, q), derivatives)};
}

void threshvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                          std::int32_t p, std::int32_t o, std::int32_t q, std::int32_t m,
                          std::uint64_t T, std::int32_t type, Distribution distribution, double* ht,
                          double* series, double* lanes, LikelihoodResult result) {
  with_model(e, parameters, backcast, p, o, q, m, T, type, ht, series, [&](const auto& model) {
    detail::likelihood_pass(distribution, model, parameters + model.lanes(), e, ht,
                            static_cast<std::uint64_t>(m), T, lanes, result);
  });
}

LikelihoodScratch threshvol_mean_nll_scratch(const MeanTerms& mean, std::int32_t p, std::int32_t o,
                                             std::int32_t q, std::int32_t type, bool derivatives) {
  // The unit scales of the residuals, then the model's own columns.
  return {1 + series_columns(o, type),
          detail::mean_lane_values(mean, lane_shape(p, o, q), derivatives)};
}

void threshvol_mean_nll_kernel(const MeanTerms& mean, const double* parameters,
                               const double* backcast, std::int32_t p, std::int32_t o,
                               std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type,
                               Distribution distribution, double* ht, double* residuals,
                               double* series, double* lanes, LikelihoodResult result) {
  detail::with_mean(
      mean, parameters, m, T, distribution, ht, residuals, series, lanes, result,
      [&](const double* e, const double* own, double* model_series, const auto& finish) {
        with_model(e, own, backcast, p, o, q, m, T, type, ht, model_series, finish);
      });
}

}  // namespace volfilter
