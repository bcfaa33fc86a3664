// What the four likelihood kernels share: the densities of the standardized residual, the
// derivative lanes carried beside a variance recursion, and the pass over the modelled
// observations that puts them together.
//
// A likelihood kernel first runs its model's filter (the filter kernel itself, so that the
// variances are the filter's to the last bit). The pass below then walks t = m .. T - 1 once:
// the density's contribution of each observation and, when derivatives are asked for, one
// step of the lanes.
//
// The lanes. Each model's recursion builds a sum S_t (the variance, the standard deviation
// under power 1, the log variance) from a constant, exogenous data and "feedback" series
// X_f[t - l] that the recursion itself produced, each multiplied by its coefficient c_{f,l}.
// Its derivative with respect to the k parameters, one lane each, is then
//
//   dS_t = R_t + sum_{l=1..W} lambda_{t,l} dS_{t-l} + mu_t e_g,
//   lambda_{t,l} = sum_f c_{f,l} a_f(t - l),   mu_t = sum_f sum_l c_{f,l} b_f(t - l),
//
// where R_t holds, lane by lane, the value each parameter multiplies in S_t with every lagged
// value held fixed (the constant's 1, the lagged data and feedback values), and a feedback
// value's own derivative is dX_f[t] = a_f(t) dS_t + b_f(t) e_g: a multiple of dS_t, plus, for
// a series that depends on one parameter directly (the shift of the shifted-innovation model,
// lane g), a multiple of that parameter's unit lane. The pre-sample entries are given, so
// their dS is 0; only their b can be non-zero. The variance follows as dh_t = v(t) dS_t.
//
// Each model says what R_t, c_{f,l}, a_f, b_f and v are (a Model below); the lanes do the
// rest, the same for every model. The lanes of one step do not wait for one another: they are
// laid out side by side, padded to blocks of kLaneBlock, so that each update vectorises.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "kernels.hpp"

namespace volfilter::detail {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// A variance at which the density is defined.
inline bool is_usable_variance(double h) { return h > 0.0 && h < kInfinity; }

// ---------------------------------------------------------------------------------------
// Densities. Each observation contributes a term to a sum, from which total() forms nll;
// with derivatives it also gives d(-log f)/dh and, for a distribution with a shape parameter,
// d(-log f)/d(shape). The term is formed by the same operations with and without derivatives,
// so that nll is the same in both kinds of call.

struct Contribution {
  double term;
  double d_variance;
  double d_shape;
};

// -log f = 0.5 (ln 2 pi + ln h + e^2 / h); nll = 0.5 (n ln 2 pi + sum_t (ln h_t + e_t^2 / h_t)).
class NormalDensity {
 public:
  static constexpr int kShapeParameters = 0;

  explicit NormalDensity(const double* /*shape*/) {}

  [[nodiscard]] static bool is_defined() { return true; }

  template <bool kDerivatives>
  [[nodiscard]] Contribution at(double e, double h) const {
    const double ratio = e * e / h;
    Contribution contribution{std::log(h) + ratio, 0.0, 0.0};
    if constexpr (kDerivatives) {
      contribution.d_variance = 0.5 * (1.0 - ratio) / h;
    }
    return contribution;
  }

  [[nodiscard]] static double total(double n, double sum) { return 0.5 * (n * kLogTwoPi + sum); }

 private:
  // The double nearest ln(2 pi) = 1.83787706640934548...; std::log(2 * pi) of the rounded
  // 2 pi is one unit in the last place below it.
  static constexpr double kLogTwoPi = 0x1.D67F1C864BEB5p+0;  // 1.8378770664093456
};

// Student's t with nu > 2 degrees of freedom, scaled to unit variance. With
// x = e^2 / ((nu - 2) h):
//   -log f = K(nu) + 0.5 (ln h + (nu + 1) log1p(x)),
//   K(nu) = ln Gamma(nu / 2) - ln Gamma((nu + 1) / 2) + 0.5 ln(pi (nu - 2)),
// and nll = n K(nu) + 0.5 sum_t (ln h_t + (nu + 1) log1p(x_t)).
class StudentDensity {
 public:
  static constexpr int kShapeParameters = 1;

  explicit StudentDensity(const double* shape);

  [[nodiscard]] bool is_defined() const { return defined_; }

  template <bool kDerivatives>
  [[nodiscard]] Contribution at(double e, double h) const {
    const double x = e * e / (excess_ * h);
    const double log_term = std::log1p(x);
    Contribution contribution{std::log(h) + nu_plus_one_ * log_term, 0.0, 0.0};
    if constexpr (kDerivatives) {
      const double weighted = nu_plus_one_ * (x / (1.0 + x));
      contribution.d_variance = 0.5 * (1.0 - weighted) / h;
      contribution.d_shape = d_constant_ + 0.5 * (log_term - weighted / excess_);
    }
    return contribution;
  }

  [[nodiscard]] double total(double n, double sum) const { return n * constant_ + 0.5 * sum; }

 private:
  bool defined_ = false;
  double nu_plus_one_ = 0.0;
  double excess_ = 0.0;      // nu - 2
  double constant_ = 0.0;    // K(nu)
  double d_constant_ = 0.0;  // K'(nu) = -0.5 (psi((nu + 1) / 2) - psi(nu / 2)) + 0.5 / (nu - 2)
};

// ---------------------------------------------------------------------------------------
// Lanes

constexpr std::uint64_t kLaneBlock = 4;

inline std::uint64_t padded_lanes(std::uint64_t lanes) {
  return (lanes + kLaneBlock - 1) / kLaneBlock * kLaneBlock;
}

// Values of lane scratch that `lanes` lanes over `depth` lags of `families` feedback series
// need, saturating at 2^64 - 1: the last `depth` steps' lanes, their a and b, the table of
// coefficients c_{f,l}, and the current step's lanes and the gradient.
std::uint64_t lane_scratch_values(std::uint64_t lanes, std::uint64_t depth, std::uint64_t families);

// The lanes of one pass, in caller-provided scratch (lane_scratch_values of it). kWidth is the
// padded lane count when it is known at compile time (the small models), else 0: then the
// lanes of a step are held in registers, and the latest step's lanes are read from there
// rather than back from the ring just written, which would put a store and a load into the
// chain from one step to the next. kDepth is the depth when it is known at compile time (one
// lag, the common case: then the ring has one row and no slot to turn), else 0; kFamilies the
// model's number of feedback series, which every model knows at compile time. Either way a
// step makes the same operations in the same order.
template <std::uint64_t kWidth, std::uint64_t kDepth, std::uint64_t kFamilies>
class DerivativeLanes {
 public:
  DerivativeLanes(double* scratch, std::uint64_t lanes, std::uint64_t depth)
      : width_(kWidth > 0 ? kWidth : padded_lanes(lanes)),
        depth_(kDepth > 0 ? kDepth : depth),
        history_(scratch),
        a_history_(history_ + depth_ * width_),
        b_history_(a_history_ + depth_ * kFamilies),
        coefficients_(b_history_ + depth_ * kFamilies),
        current_(coefficients_ + depth_ * kFamilies),
        gradient_(current_ + width_) {}

  [[nodiscard]] std::uint64_t width() const { return kWidth > 0 ? kWidth : width_; }
  [[nodiscard]] std::uint64_t depth() const { return kDepth > 0 ? kDepth : depth_; }

  // The coefficient table and the pre-sample steps, before the first step.
  template <class Model>
  void start(const Model& model, std::uint64_t first) {
    for (std::uint64_t l = 1; l <= depth(); ++l) {
      for (std::uint64_t f = 0; f < kFamilies; ++f) {
        coefficients_[(l - 1) * kFamilies + f] = model.coefficient(f, l);
      }
    }
    for (std::uint64_t j = 0; j < width(); ++j) {
      gradient_[j] = 0.0;
      current_[j] = 0.0;
    }
    // The pre-sample steps first - depth .. first - 1, oldest first; the ring's latest row is
    // then that of step first - 1.
    for (std::uint64_t i = 0; i < depth(); ++i) {
      const std::uint64_t t = first - depth() + i;
      double* row = history_ + i * width();
      for (std::uint64_t j = 0; j < width(); ++j) {
        row[j] = 0.0;
      }
      model.presample_feedback(t, a_history_ + i * kFamilies, b_history_ + i * kFamilies);
    }
    slot_ = depth() == 0 ? 0 : depth() - 1;
  }

  // Step t: dS_t from R_t and the earlier steps into `lanes` (width() values; the model writes
  // its lanes() of them, the padding stays 0), and a_f(t), b_f(t) recorded. With a
  // compile-time width the latest step's lanes are the caller's `latest` (at first the zeros of
  // the pre-sample steps), else they are read from the ring and `latest` is not read.
  template <class Model>
  void step(const Model& model, std::uint64_t t, double* lanes, const double* latest) {
    model.regressors(t, lanes);
    double mu = 0.0;
    // Lag l of step t sits l rows before the latest row of the ring, which is step t - 1's.
    std::uint64_t row = slot_;
    for (std::uint64_t l = 1; l <= depth(); ++l) {
      const double* c = coefficients_ + (l - 1) * kFamilies;
      const double* a = a_history_ + row * kFamilies;
      const double* b = b_history_ + row * kFamilies;
      double lambda = 0.0;
      for (std::uint64_t f = 0; f < kFamilies; ++f) {
        lambda = lambda + c[f] * a[f];
        mu = mu + c[f] * b[f];
      }
      const double* earlier = kWidth > 0 && l == 1 ? latest : history_ + row * width();
      for (std::uint64_t block = 0; block < width(); block += kLaneBlock) {
        for (std::uint64_t j = block; j < block + kLaneBlock; ++j) {
          lanes[j] = lanes[j] + lambda * earlier[j];
        }
      }
      row = row == 0 ? depth() - 1 : row - 1;
    }
    const std::int64_t shift_lane = model.shift_lane();
    if (shift_lane >= 0) {
      lanes[shift_lane] = lanes[shift_lane] + mu;
    }
    if (depth() > 0) {
      // Step t takes the row of step t - depth, which no later step reads.
      slot_ = kDepth == 1 || slot_ + 1 == depth() ? 0 : slot_ + 1;
      // With a compile-time width lag 1 is read from the caller's buffer, so with one lag
      // the ring holds only a and b.
      if (kWidth == 0 || depth() > 1) {
        double* newest = history_ + slot_ * width();
        for (std::uint64_t j = 0; j < width(); ++j) {
          newest[j] = lanes[j];
        }
      }
      model.feedback(t, a_history_ + slot_ * kFamilies, b_history_ + slot_ * kFamilies);
    }
  }

  // Zeroed lanes for the caller's step buffers; the running gradient of the model's lanes.
  [[nodiscard]] double* zeroed_lanes() const { return current_; }
  [[nodiscard]] double* gradient() const { return gradient_; }

 private:
  std::uint64_t width_;  // lanes, padded to whole blocks
  std::uint64_t depth_;
  double* history_;         // depth rows of width values, a ring: dS of the last steps
  double* a_history_;       // depth rows of kFamilies values
  double* b_history_;       // depth rows of kFamilies values
  double* coefficients_;    // depth rows (lag 1 first) of kFamilies values: c_{f,l}
  double* current_;         // width zeros
  double* gradient_;        // width values
  std::uint64_t slot_ = 0;  // the ring row of the latest step
};

// ---------------------------------------------------------------------------------------
// Pieces of the models

// The `count` values of `series` at lags 1 .. count of step t, lag 1 first, into lanes.
inline void lagged_values(const double* series, std::uint64_t t, std::uint64_t count,
                          double* lanes) {
  // One lag, the common order, without a loop around it.
  if (count == 1) {
    lanes[0] = series[t - 1];
    return;
  }
  for (std::uint64_t i = 0; i < count; ++i) {
    lanes[i] = series[t - 1 - i];
  }
}

// What the threshold and integrated models share: their one feedback series is the
// recursion's own values s (a = 1, b = 0, the pre-sample values given), and the variance is
// s itself, or s^2 under power 1 (v = 2 s).
class RecursionFeedback {
 public:
  RecursionFeedback(const double* recursion, bool power_one)
      : recursion_(recursion), power_one_(power_one) {}

  [[nodiscard]] static constexpr std::uint64_t families() { return 1; }
  [[nodiscard]] static std::int64_t shift_lane() { return -1; }
  static void presample_feedback(std::uint64_t /*t*/, double* a, double* b) {
    a[0] = 0.0;
    b[0] = 0.0;
  }
  static void feedback(std::uint64_t /*t*/, double* a, double* b) {
    a[0] = 1.0;
    b[0] = 0.0;
  }
  [[nodiscard]] double variance_factor(std::uint64_t t) const {
    return power_one_ ? 2.0 * recursion_[t] : 1.0;
  }

 protected:
  [[nodiscard]] const double* recursion() const { return recursion_; }

 private:
  const double* recursion_;
  bool power_one_;
};

// The variances of a recursion of power 1 on standard deviations: the pre-sample entries as
// given, the squares from `first` on, each formed as the filter's last pass forms it.
inline void square_from(const double* recursion, std::uint64_t first, std::uint64_t T, double* ht) {
  for (std::uint64_t t = 0; t < T; ++t) {
    ht[t] = t < first ? recursion[t] : recursion[t] * recursion[t];
  }
}

// ---------------------------------------------------------------------------------------
// The pass over the modelled observations.

// Marks a call whose model is not defined at its parameters: nll +Inf, derivatives NaN.
void mark_undefined(LikelihoodResult result, std::uint64_t T, std::uint64_t k);

// Writes the rows t < m of the scores (T-by-k, column-major) as zeros.
void clear_conditioned_scores(double* scores, std::uint64_t m, std::uint64_t T, std::uint64_t k);

// The derivative part of the pass, for a compile-time padded lane count kWidth and depth
// kDepth (0: run time).
template <std::uint64_t kWidth, std::uint64_t kDepth, class Density, class Model>
void derivative_pass(const Model& model, const Density& density, const double* e, const double* ht,
                     std::uint64_t m, std::uint64_t T, double* lane_scratch,
                     LikelihoodResult result) {
  const std::uint64_t model_lanes = model.lanes();
  const std::uint64_t k = model_lanes + Density::kShapeParameters;
  DerivativeLanes<kWidth, kDepth, Model::families()> lanes(lane_scratch, model_lanes,
                                                           model.depth());
  lanes.start(model, m);
  const std::uint64_t width = lanes.width();
  // With a compile-time width, two buffers of lanes, the step's and the previous step's,
  // swapped at every step, which live in registers; otherwise the step's lanes are formed in
  // the scratch and the previous step's read back from the ring.
  constexpr std::uint64_t kLocal = kWidth > 0 ? kWidth : 1;
  double local[2][kLocal] = {};
  double* step_lanes = kWidth > 0 ? local[0] : lanes.zeroed_lanes();
  double* previous_lanes = local[1];
  double* gradient = lanes.gradient();
  double shape_gradient = 0.0;
  double sum = 0.0;
  double* scores = result.scores;
  if (scores != nullptr) {
    clear_conditioned_scores(scores, m, T, k);
  }
  for (std::uint64_t t = m; t < T; ++t) {
    const double h = ht[t];
    if (!is_usable_variance(h)) {
      mark_undefined(result, T, k);
      return;
    }
    const Contribution contribution = density.template at<true>(e[t], h);
    sum = sum + contribution.term;
    lanes.step(model, t, step_lanes, previous_lanes);
    // d(-log f_t)/dtheta = d(-log f_t)/dh * v(t) * dS_t, the two factors joined first.
    const double factor = contribution.d_variance * model.variance_factor(t);
    for (std::uint64_t j = 0; j < width; ++j) {
      gradient[j] = gradient[j] + factor * step_lanes[j];
    }
    if (scores != nullptr) {
      for (std::uint64_t j = 0; j < model_lanes; ++j) {
        scores[t + j * T] = factor * step_lanes[j];
      }
    }
    if constexpr (Density::kShapeParameters > 0) {
      shape_gradient = shape_gradient + contribution.d_shape;
      if (scores != nullptr) {
        scores[t + model_lanes * T] = contribution.d_shape;
      }
    }
    if constexpr (kWidth > 0) {
      double* swap = previous_lanes;
      previous_lanes = step_lanes;
      step_lanes = swap;
    }
  }
  result.nll[0] = density.total(static_cast<double>(T - m), sum);
  if (result.gradient != nullptr) {
    for (std::uint64_t j = 0; j < model_lanes; ++j) {
      result.gradient[j] = gradient[j];
    }
    if constexpr (Density::kShapeParameters > 0) {
      result.gradient[model_lanes] = shape_gradient;
    }
  }
  // A sum that overflowed is +Inf as well; the derivatives mean nothing there either.
  if (!(result.nll[0] < kInfinity)) {
    mark_undefined(result, T, k);
  }
}

// nll and, when asked for, the gradient and the scores over t = m .. T - 1. `model` supplies
// the lanes (Model: lanes(), depth(), families(), coefficient(f, l), regressors(t, R) writing
// all lanes() values, presample_feedback(t, a, b), feedback(t, a, b), shift_lane(),
// variance_factor(t)); `shape` points at the density's shape parameters, after the model's.
template <class Density, class Model>
void likelihood_pass(const Model& model, const double* shape, const double* e, const double* ht,
                     std::uint64_t m, std::uint64_t T, double* lane_scratch,
                     LikelihoodResult result) {
  const Density density(shape);
  const std::uint64_t model_lanes = model.lanes();
  const std::uint64_t k = model_lanes + Density::kShapeParameters;
  if (!density.is_defined()) {
    mark_undefined(result, T, k);
    return;
  }
  if (m >= T) {
    // Nothing is modelled: nll 0, derivatives 0. The lanes do not start, so nothing before
    // the sample is read.
    result.nll[0] = density.total(0.0, 0.0);
    if (result.gradient != nullptr) {
      for (std::uint64_t j = 0; j < k; ++j) {
        result.gradient[j] = 0.0;
      }
    }
    if (result.scores != nullptr) {
      clear_conditioned_scores(result.scores, T, T, k);
    }
    return;
  }
  if (result.gradient == nullptr && result.scores == nullptr) {
    double sum = 0.0;
    for (std::uint64_t t = m; t < T; ++t) {
      const double h = ht[t];
      if (!is_usable_variance(h)) {
        mark_undefined(result, T, k);
        return;
      }
      sum = sum + density.template at<false>(e[t], h).term;
    }
    result.nll[0] = density.total(static_cast<double>(T - m), sum);
    return;
  }
  // The lanes' padded width at compile time where it is small, and one lag.
  const bool one_lag = model.depth() == 1;
  switch (padded_lanes(model_lanes)) {
    case kLaneBlock:
      if (one_lag) {
        derivative_pass<kLaneBlock, 1>(model, density, e, ht, m, T, lane_scratch, result);
      } else {
        derivative_pass<kLaneBlock, 0>(model, density, e, ht, m, T, lane_scratch, result);
      }
      return;
    case 2 * kLaneBlock:
      derivative_pass<2 * kLaneBlock, 0>(model, density, e, ht, m, T, lane_scratch, result);
      return;
    default:
      derivative_pass<0, 0>(model, density, e, ht, m, T, lane_scratch, result);
      return;
  }
}

// The pass with the density the call names.
template <class Model>
void likelihood_pass(Distribution distribution, const Model& model, const double* shape,
                     const double* e, const double* ht, std::uint64_t m, std::uint64_t T,
                     double* lane_scratch, LikelihoodResult result) {
  switch (distribution) {
    case Distribution::student_t:
      likelihood_pass<StudentDensity>(model, shape, e, ht, m, T, lane_scratch, result);
      return;
    case Distribution::normal:
      break;
  }
  likelihood_pass<NormalDensity>(model, shape, e, ht, m, T, lane_scratch, result);
}

}  // namespace volfilter::detail
