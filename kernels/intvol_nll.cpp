// The integrated model's likelihood: the filter on |e| or e^2, then the density and the lanes
// (likelihood.hpp).
#include <cmath>
#include <cstdint>

#include "kernels.hpp"
#include "likelihood.hpp"

namespace volfilter {

namespace {

// The recursion of intvol_kernel run by itself: any type but 1 returns its values unsquared.
constexpr std::int32_t kRecursionValues = 2;

// S_t = w + sum_i a_i data[t-i] + sum_{k<q} b_k s[t-k] + (1 - sum a - sum b) s[t-q]. The
// implied coefficient moves with every a_i and b_k, so their regressors are the lagged value
// less s[t-q]. One feedback series, s, with dS = ds; the variance is s^2 under power 1 and s
// otherwise. Slots 1 .. has_constant - 1 of the parameters are never read: their lanes stay 0.
//
// With a mean, the data move with the residual (the one series of e, at lags 1 .. p, with the
// coefficients a_i; the implied coefficient multiplies s only): d|e| = sign(e) de under power 1,
// taken as 0 at the kink e = 0, and d(e e) = 2 e de otherwise.
class IntvolModel : public detail::RecursionFeedback {
 public:
  IntvolModel(const double* e, const double* data, const double* recursion,
              const double* parameters, std::int32_t p, std::int32_t q, std::int32_t has_constant,
              bool power_one)
      : RecursionFeedback(recursion, power_one),
        e_(e),
        data_(data),
        coefficients_(parameters + has_constant),
        offset_(static_cast<std::uint64_t>(has_constant)),
        p_(static_cast<std::uint64_t>(p)),
        q_(static_cast<std::uint64_t>(q)),
        has_constant_(has_constant != 0) {
    // Formed as the filter forms it: 1 less each coefficient in index order.
    implied_ = 1.0;
    for (std::uint64_t i = 0; i + 1 < p_ + q_; ++i) {
      implied_ = implied_ - coefficients_[i];
    }
  }

  [[nodiscard]] std::uint64_t lanes() const { return offset_ + p_ + q_ - 1; }
  [[nodiscard]] std::uint64_t depth() const { return q_; }
  [[nodiscard]] double coefficient(std::uint64_t /*family*/, std::uint64_t lag) const {
    return lag < q_ ? coefficients_[p_ + lag - 1] : implied_;
  }

  void regressors(std::uint64_t t, double* lanes) const {
    // The constant's lane, and 0 in the lanes of the slots that are never read.
    for (std::uint64_t j = 0; j < offset_; ++j) {
      lanes[j] = j == 0 && has_constant_ ? 1.0 : 0.0;
    }
    const double last = recursion()[t - q_];
    double* alpha = lanes + offset_;
    for (std::uint64_t i = 0; i < p_; ++i) {
      alpha[i] = data_[t - 1 - i] - last;
    }
    double* beta = alpha + p_;
    for (std::uint64_t i = 0; i + 1 < q_; ++i) {
      beta[i] = recursion()[t - 1 - i] - last;
    }
  }

  [[nodiscard]] std::uint64_t residual_depth() const { return p_; }
  [[nodiscard]] static std::uint64_t residual_families() { return 1; }
  [[nodiscard]] double residual_coefficient(std::uint64_t /*family*/, std::uint64_t lag) const {
    return lag <= p_ ? coefficients_[lag - 1] : 0.0;
  }
  void residual_feedback(std::uint64_t t, double* rho) const {
    const double e = e_[t];
    rho[0] = power_one() ? detail::sign_of(e) : 2.0 * e;
  }

 private:
  const double* e_;
  const double* data_;
  const double* coefficients_;
  std::uint64_t offset_, p_, q_;
  bool has_constant_;
  double implied_ = 1.0;
};

detail::LaneShape lane_shape(std::int32_t p, std::int32_t q, std::int32_t has_constant) {
  const auto count = [](std::int32_t n) { return static_cast<std::uint64_t>(n); };
  return {count(has_constant) + count(p) + count(q) - 1, count(q), 1, count(p), 1};
}

// data, and under power 1 the recursion's unsquared values.
std::uint64_t series_columns(std::int32_t type) { return type == 1 ? 2 : 1; }

// The filter on the data formed from e, in `series`; then finish(model).
template <class Finish>
void with_model(const double* e, const double* parameters, const double* backcast, std::int32_t p,
                std::int32_t q, std::int32_t m, std::uint64_t T, std::int32_t type,
                std::int32_t has_constant, double* ht, double* series, const Finish& finish) {
  const bool power_one = type == 1;
  double* data = series;
  for (std::uint64_t t = 0; t < T; ++t) {
    data[t] = power_one ? std::fabs(e[t]) : e[t] * e[t];
  }
  // Under power 1 the recursion runs on standard deviations, which the lanes need; the
  // variances are their squares from m on, as the filter's own last pass forms them.
  double* recursion = power_one ? series + T : ht;
  intvol_kernel(data, parameters, backcast, p, q, m, T, kRecursionValues, has_constant, recursion);
  if (power_one) {
    detail::square_from(recursion, static_cast<std::uint64_t>(m), T, ht);
  }
  finish(IntvolModel(e, data, recursion, parameters, p, q, has_constant, power_one));
}

}  // namespace

LikelihoodScratch intvol_nll_scratch(std::int32_t p, std::int32_t q, std::int32_t type,
                                     std::int32_t has_constant, bool derivatives) {
  return {series_columns(type),
          detail::model_lane_values(lane_shape(p, q, has_constant), derivatives)};
}

void intvol_nll_kernel(const double* e, const double* parameters, const double* backcast,
                       std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                       std::int32_t type, std::int32_t has_constant, Distribution distribution,
                       double* ht, double* series, double* lanes, LikelihoodResult result) {
  with_model(e, parameters, backcast, p, q, m, T, type, has_constant, ht, series,
             [&](const auto& model) {
               detail::likelihood_pass(distribution, model, parameters + model.lanes(), e, ht,
                                       static_cast<std::uint64_t>(m), T, lanes, result);
             });
}

LikelihoodScratch intvol_mean_nll_scratch(const MeanTerms& mean, std::int32_t p, std::int32_t q,
                                          std::int32_t type, std::int32_t has_constant,
                                          bool derivatives) {
  // The unit scales of the residuals, then the model's own columns.
  return {1 + series_columns(type),
          detail::mean_lane_values(mean, lane_shape(p, q, has_constant), derivatives)};
}

void intvol_mean_nll_kernel(const MeanTerms& mean, const double* parameters, const double* backcast,
                            std::int32_t p, std::int32_t q, std::int32_t m, std::uint64_t T,
                            std::int32_t type, std::int32_t has_constant, Distribution distribution,
                            double* ht, double* residuals, double* series, double* lanes,
                            LikelihoodResult result) {
  detail::with_mean(
      mean, parameters, m, T, distribution, ht, residuals, series, lanes, result,
      [&](const double* e, const double* own, double* model_series, const auto& finish) {
        with_model(e, own, backcast, p, q, m, T, type, has_constant, ht, model_series, finish);
      });
}

}  // namespace volfilter
