// The log-variance model's likelihood: the filter on e, recording what its bounds did, then
// the density and the lanes (likelihood.hpp).
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "kernels.hpp"
#include "likelihood.hpp"
#include "logvol_recording.hpp"

namespace volfilter {

namespace {

// S_t = w + sum_j a_j c[t-j] + sum_j g_j z[t-j] + sum_j b_j l[t-j], with the standardized values
// z = e / sqrt(h), the centered magnitudes c = |z| - mu and the stored log variances l. Three
// feedback series (families 0, 1, 2: c, z, l). A step moves them with its own S_t as its
// bounds allow (BoundBranch): with r = (dh/dS) / h,
//   dz = -0.5 z r dS,  dc = sign(z) dz = -0.5 |z| r dS,  dl = dS when free, else 0,
// and r = 1 (free: h = exp(S)), 1 / h (ceiling plus sum: h = U + S) or 0 (fixed). dc is
// continuous in z, so |z| has no kink here: at z = 0 both derivatives are 0.
//
// With a mean, z and c move with the residual too (series of e 0: c at lags 1 .. p, 1: z at
// lags 1 .. o), whatever the bounds did: dz = de / sqrt(h) and dc = sign(z) de / sqrt(h). Here
// |z| has its kink, at e = 0, where the derivative is taken as 0.
class LogvolModel {
 public:
  LogvolModel(const double* ht, const double* log_ht, const double* std_data,
              const double* centered_abs_std, const double* bounds, const double* parameters,
              std::int32_t p, std::int32_t o, std::int32_t q)
      : ht_(ht),
        log_ht_(log_ht),
        std_data_(std_data),
        centered_abs_std_(centered_abs_std),
        bounds_(bounds),
        parameters_(parameters),
        p_(static_cast<std::uint64_t>(p)),
        o_(static_cast<std::uint64_t>(o)),
        q_(static_cast<std::uint64_t>(q)) {}

  [[nodiscard]] std::uint64_t lanes() const { return 1 + p_ + o_ + q_; }
  [[nodiscard]] std::uint64_t depth() const { return std::max({p_, o_, q_}); }
  [[nodiscard]] static constexpr std::uint64_t families() { return 3; }
  [[nodiscard]] double coefficient(std::uint64_t family, std::uint64_t lag) const {
    switch (family) {
      case 0:
        return lag <= p_ ? parameters_[lag] : 0.0;
      case 1:
        return lag <= o_ ? parameters_[p_ + lag] : 0.0;
      default:
        return lag <= q_ ? parameters_[p_ + o_ + lag] : 0.0;
    }
  }
  [[nodiscard]] static std::int64_t shift_lane() { return -1; }

  void regressors(std::uint64_t t, double* lanes) const {
    lanes[0] = 1.0;
    detail::lagged_values(centered_abs_std_, t, p_, lanes + 1);
    detail::lagged_values(std_data_, t, o_, lanes + 1 + p_);
    detail::lagged_values(log_ht_, t, q_, lanes + 1 + p_ + o_);
  }
  // The pre-sample values come from the backcast and the data alone.
  static void presample_feedback(std::uint64_t /*t*/, double* a, double* b) {
    for (int f = 0; f < 3; ++f) {
      a[f] = 0.0;
      b[f] = 0.0;
    }
  }
  void feedback(std::uint64_t t, double* a, double* b) const {
    const auto branch = branch_at(t);
    const double r = branch == detail::BoundBranch::free               ? 1.0
                     : branch == detail::BoundBranch::ceiling_plus_sum ? 1.0 / ht_[t]
                                                                       : 0.0;
    const double z = std_data_[t];
    a[0] = -0.5 * std::fabs(z) * r;
    a[1] = -0.5 * z * r;
    a[2] = branch == detail::BoundBranch::free ? 1.0 : 0.0;
    b[0] = 0.0;
    b[1] = 0.0;
    b[2] = 0.0;
  }
  [[nodiscard]] std::uint64_t residual_depth() const { return std::max(p_, o_); }
  [[nodiscard]] static std::uint64_t residual_families() { return 2; }
  [[nodiscard]] double residual_coefficient(std::uint64_t family, std::uint64_t lag) const {
    return coefficient(family, lag);
  }
  void residual_feedback(std::uint64_t t, double* rho) const {
    const double slope = 1.0 / std::sqrt(ht_[t]);
    rho[0] = detail::sign_of(std_data_[t]) * slope;
    rho[1] = slope;
  }
  [[nodiscard]] double variance_factor(std::uint64_t t) const {
    switch (branch_at(t)) {
      case detail::BoundBranch::free:
        return ht_[t];
      case detail::BoundBranch::ceiling_plus_sum:
        return 1.0;
      case detail::BoundBranch::fixed:
        break;
    }
    return 0.0;
  }

 private:
  [[nodiscard]] detail::BoundBranch branch_at(std::uint64_t t) const {
    return static_cast<detail::BoundBranch>(static_cast<int>(bounds_[t]));
  }

  const double* ht_;
  const double* log_ht_;
  const double* std_data_;
  const double* centered_abs_std_;
  const double* bounds_;
  const double* parameters_;
  std::uint64_t p_, o_, q_;
};

detail::LaneShape lane_shape(std::int32_t p, std::int32_t o, std::int32_t q) {
  const auto count = [](std::int32_t n) { return static_cast<std::uint64_t>(n); };
  return {1 + count(p) + count(o) + count(q), count(std::max({p, o, q})), 3, count(std::max(p, o)),
          2};
}

// The filter's log variances, standardized values and centered magnitudes, and with
// derivatives the branch of the bounds at each step.
std::uint64_t series_columns(bool derivatives) { return derivatives ? 4U : 3U; }

// The filter on e, in `series`; then finish(model).
template <class Finish>
void with_model(const double* e, const double* parameters, const double* backcast,
                const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
                std::int32_t m, std::uint64_t T, bool derivatives, double* ht, double* series,
                const Finish& finish) {
  double* log_ht = series;
  double* std_data = series + T;
  double* centered_abs_std = series + 2 * T;
  double* bounds = derivatives ? series + 3 * T : nullptr;
  if (derivatives) {
    detail::logvol_recording_bounds(e, parameters, backcast, upper_bound, p, o, q, m, T, ht, log_ht,
                                    std_data, centered_abs_std, bounds);
  } else {
    logvol_kernel(e, parameters, backcast, upper_bound, p, o, q, m, T, ht, log_ht, std_data,
                  centered_abs_std);
  }
  finish(LogvolModel(ht, log_ht, std_data, centered_abs_std, bounds, parameters, p, o, q));
}

bool derivatives_asked(LikelihoodResult result) {
  return result.gradient != nullptr || result.scores != nullptr;
}

}  // namespace

LikelihoodScratch logvol_nll_scratch(std::int32_t p, std::int32_t o, std::int32_t q,
                                     bool derivatives) {
  return {series_columns(derivatives), detail::model_lane_values(lane_shape(p, o, q), derivatives)};
}

void logvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                       const double* upper_bound, std::int32_t p, std::int32_t o, std::int32_t q,
                       std::int32_t m, std::uint64_t T, Distribution distribution, double* ht,
                       double* series, double* lanes, LikelihoodResult result) {
  with_model(e, parameters, backcast, upper_bound, p, o, q, m, T, derivatives_asked(result), ht,
             series, [&](const auto& model) {
               detail::likelihood_pass(distribution, model, parameters + model.lanes(), e, ht,
                                       static_cast<std::uint64_t>(m), T, lanes, result);
             });
}

LikelihoodScratch logvol_mean_nll_scratch(const MeanTerms& mean, std::int32_t p, std::int32_t o,
                                          std::int32_t q, bool derivatives) {
  // The unit scales of the residuals, then the model's own columns.
  return {1 + series_columns(derivatives),
          detail::mean_lane_values(mean, lane_shape(p, o, q), derivatives)};
}

void logvol_mean_nll_kernel(const MeanTerms& mean, const double* parameters, const double* backcast,
                            const double* upper_bound, std::int32_t p, std::int32_t o,
                            std::int32_t q, std::int32_t m, std::uint64_t T,
                            Distribution distribution, double* ht, double* residuals,
                            double* series, double* lanes, LikelihoodResult result) {
  detail::with_mean(
      mean, parameters, m, T, distribution, ht, residuals, series, lanes, result,
      [&](const double* e, const double* own, double* model_series, const auto& finish) {
        with_model(e, own, backcast, upper_bound, p, o, q, m, T, derivatives_asked(result), ht,
                   model_series, finish);
      });
}

}  // namespace volfilter
