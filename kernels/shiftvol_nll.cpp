// The shifted-innovation model's likelihood: the filter on e, then the density and the lanes
// (likelihood.hpp).
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "kernels.hpp"
#include "likelihood.hpp"

namespace volfilter {

namespace {

// h_t = S_t = w + sum_j a_j s[t-j] + sum_k b_k h[t-k], with the shifted squares s[t] = d_t^2.
// Two feedback series: the shifted squares (family 0, coefficients a) and the variances
// (family 1, coefficients b, dh = dS). A shifted square depends on the shift gamma directly as
// well as through h:
//   constant shift, d = e - gamma:         ds = -2 d dgamma;
//   scaled shift,   d = e - gamma sqrt(h): ds = -(gamma d / sqrt(h)) dh - 2 d sqrt(h) dgamma.
// The pre-sample shifted squares are gamma^2 + b and (gamma^2 + 1) b, with derivatives 2 gamma
// and 2 gamma b in the shift's lane.
//
// With a mean, a shifted square moves with the residual too (the one series of e, at lags
// 1 .. p): ds = 2 d de in either form.
class ShiftvolModel {
 public:
  ShiftvolModel(const double* e, const double* ht, const double* shifted_sq,
                const double* parameters, const double* backcast, std::int32_t p, std::int32_t q,
                bool constant_shift)
      : e_(e),
        ht_(ht),
        shifted_sq_(shifted_sq),
        parameters_(parameters),
        backcast_(backcast),
        gamma_(parameters[p + 1]),
        p_(static_cast<std::uint64_t>(p)),
        q_(static_cast<std::uint64_t>(q)),
        constant_shift_(constant_shift) {}

  [[nodiscard]] std::uint64_t lanes() const { return p_ + q_ + 2; }
  [[nodiscard]] std::uint64_t depth() const { return std::max(p_, q_); }
  [[nodiscard]] static constexpr std::uint64_t families() { return 2; }
  [[nodiscard]] double coefficient(std::uint64_t family, std::uint64_t lag) const {
    if (family == 0) {
      return lag <= p_ ? parameters_[lag] : 0.0;
    }
    return lag <= q_ ? parameters_[p_ + 1 + lag] : 0.0;
  }
  [[nodiscard]] std::int64_t shift_lane() const { return static_cast<std::int64_t>(p_ + 1); }

  void regressors(std::uint64_t t, double* lanes) const {
    lanes[0] = 1.0;
    detail::lagged_values(shifted_sq_, t, p_, lanes + 1);
    // The shift enters S_t only through the lagged shifted squares: its R lane is 0.
    lanes[p_ + 1] = 0.0;
    detail::lagged_values(ht_, t, q_, lanes + p_ + 2);
  }
  void presample_feedback(std::uint64_t /*t*/, double* a, double* b) const {
    a[0] = 0.0;
    b[0] = constant_shift_ ? 2.0 * gamma_ : 2.0 * gamma_ * backcast_[0];
    a[1] = 0.0;
    b[1] = 0.0;
  }
  void feedback(std::uint64_t t, double* a, double* b) const {
    if (constant_shift_) {
      a[0] = 0.0;
      b[0] = -2.0 * (e_[t] - gamma_);
    } else {
      const double root = std::sqrt(ht_[t]);
      const double d = e_[t] - gamma_ * root;
      a[0] = -(gamma_ * d / root);
      b[0] = -2.0 * d * root;
    }
    a[1] = 1.0;
    b[1] = 0.0;
  }
  [[nodiscard]] static double variance_factor(std::uint64_t /*t*/) { return 1.0; }
  [[nodiscard]] std::uint64_t residual_depth() const { return p_; }
  [[nodiscard]] static std::uint64_t residual_families() { return 1; }
  [[nodiscard]] double residual_coefficient(std::uint64_t /*family*/, std::uint64_t lag) const {
    return coefficient(0, lag);
  }
  void residual_feedback(std::uint64_t t, double* rho) const {
    const double d = constant_shift_ ? e_[t] - gamma_ : e_[t] - gamma_ * std::sqrt(ht_[t]);
    rho[0] = 2.0 * d;
  }

 private:
  const double* e_;
  const double* ht_;
  const double* shifted_sq_;
  const double* parameters_;
  const double* backcast_;
  double gamma_;
  std::uint64_t p_, q_;
  bool constant_shift_;
};

detail::LaneShape lane_shape(std::int32_t p, std::int32_t q) {
  const auto count = [](std::int32_t n) { return static_cast<std::uint64_t>(n); };
  return {count(p) + count(q) + 2, count(std::max(p, q)), 2, count(p), 1};
}

// The filter on e, the shifted squares in `series`; then finish(model).
template <class Finish>
void with_model(const double* e, const double* parameters, const double* backcast, std::int32_t p,
                std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type, double* ht,
                double* series, const Finish& finish) {
  double* shifted_sq = series;
  shiftvol_kernel(e, parameters, backcast, p, q, m, T, type, ht, shifted_sq);
  finish(ShiftvolModel(e, ht, shifted_sq, parameters, backcast, p, q, type == 1));
}

}  // namespace

LikelihoodScratch shiftvol_nll_scratch(std::int32_t p, std::int32_t q, bool derivatives) {
  // The shifted squares.
  return {1, detail::model_lane_values(lane_shape(p, q), derivatives)};
}

void shiftvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                         std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                         std::int32_t type, Distribution distribution, double* ht, double* series,
                         double* lanes, LikelihoodResult result) {
  with_model(e, parameters, backcast, p, q, m, T, type, ht, series, [&](const auto& model) {
    detail::likelihood_pass(distribution, model, parameters + model.lanes(), e, ht,
                            static_cast<std::uint64_t>(m), T, lanes, result);
  });
}

LikelihoodScratch shiftvol_mean_nll_scratch(const MeanTerms& mean, std::int32_t p, std::int32_t q,
                                            bool derivatives) {
  // The unit scales of the residuals, then the shifted squares.
  return {2, detail::mean_lane_values(mean, lane_shape(p, q), derivatives)};
}

void shiftvol_mean_nll_kernel(const MeanTerms& mean, const double* parameters,
                              const double* backcast, std::int32_t p, std::int32_t q,
                              std::int32_t m, std::uint64_t T, std::int32_t type,
                              Distribution distribution, double* ht, double* residuals,
                              double* series, double* lanes, LikelihoodResult result) {
  detail::with_mean(
      mean, parameters, m, T, distribution, ht, residuals, series, lanes, result,
      [&](const double* e, const double* own, double* model_series, const auto& finish) {
        with_model(e, own, backcast, p, q, m, T, type, ht, model_series, finish);
      });
}

}  // namespace volfilter
