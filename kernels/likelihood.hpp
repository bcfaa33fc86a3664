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

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "kernels.hpp"

namespace volfilter::detail {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// A variance at which the density is defined.
inline bool is_usable_variance(double h) { return h > 0.0 && h < kInfinity; }

// ---------------------------------------------------------------------------------------
// Densities. Each observation contributes a term to a sum, from which total() forms nll;
// with derivatives it also gives d(-log f)/dh and, for a distribution with a shape parameter,
// d(-log f)/d(shape), and with kResidual d(-log f)/de, for a residual that moves with the
// parameters (a likelihood with a mean). The term is formed by the same operations with and
// without derivatives, so that nll is the same in every kind of call.

struct Contribution {
  double term;
  double d_variance;
  double d_shape;
  double d_residual;
};

// -log f = 0.5 (ln 2 pi + ln h + e^2 / h); nll = 0.5 (n ln 2 pi + sum_t (ln h_t + e_t^2 / h_t)).
class NormalDensity {
 public:
  static constexpr int kShapeParameters = 0;

  explicit NormalDensity(const double* /*shape*/) {}

  [[nodiscard]] static bool is_defined() { return true; }

  template <bool kDerivatives, bool kResidual = false>
  [[nodiscard]] Contribution at(double e, double h) const {
    const double ratio = e * e / h;
    Contribution contribution{std::log(h) + ratio, 0.0, 0.0, 0.0};
    if constexpr (kDerivatives && kResidual) {
      // One reciprocal for both derivatives; a call with a mean is none without one.
      const double reciprocal = 1.0 / h;
      contribution.d_variance = 0.5 * (1.0 - ratio) * reciprocal;
      contribution.d_residual = e * reciprocal;
    } else if constexpr (kDerivatives) {
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
// and nll = n K(nu) + 0.5 sum_t (ln h_t + (nu + 1) log1p(x_t)); d(-log f)/de is
// (nu + 1) e / ((nu - 2) h (1 + x)).
class StudentDensity {
 public:
  static constexpr int kShapeParameters = 1;

  explicit StudentDensity(const double* shape);

  [[nodiscard]] bool is_defined() const { return defined_; }

  template <bool kDerivatives, bool kResidual = false>
  [[nodiscard]] Contribution at(double e, double h) const {
    const double x = e * e / (excess_ * h);
    const double log_term = std::log1p(x);
    Contribution contribution{std::log(h) + nu_plus_one_ * log_term, 0.0, 0.0, 0.0};
    if constexpr (kDerivatives && kResidual) {
      // Reciprocals in place of the divisions; a call with a mean is none without one.
      const double shrink = 1.0 / (1.0 + x);
      const double reciprocal = 1.0 / h;
      const double weighted = nu_plus_one_ * (x * shrink);
      contribution.d_variance = 0.5 * (1.0 - weighted) * reciprocal;
      contribution.d_shape = d_constant_ + 0.5 * (log_term - weighted * inverse_excess_);
      contribution.d_residual = (nu_plus_one_ * inverse_excess_) * (e * shrink * reciprocal);
    } else if constexpr (kDerivatives) {
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
  double excess_ = 0.0;  // nu - 2
  double inverse_excess_ = 0.0;
  double constant_ = 0.0;    // K(nu)
  double d_constant_ = 0.0;  // K'(nu) = -0.5 (psi((nu + 1) / 2) - psi(nu / 2)) + 0.5 / (nu - 2)
};

// ---------------------------------------------------------------------------------------
// Lanes

constexpr std::uint64_t kLaneBlock = 2;

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
  // its lanes() of them, the padding stays 0), and a_f(t), b_f(t) recorded.
  template <class Model>
  void step(const Model& model, std::uint64_t t, double* lanes) {
    step(model, t, lanes, [](double* /*lanes*/) {});
  }

  // The same, with `more(lanes)` first writing all width() lanes with the terms that come from
  // elsewhere (a mean's, ResidualLanes), 0 in the lanes the model's regressors then write.
  template <class Model, class More>
  void step(const Model& model, std::uint64_t t, double* lanes, const More& more) {
    more(lanes);
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
      const double* earlier = kWidth > 0 && l == 1 ? latest_ : history_ + row * width();
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

  // With a compile-time width, where step() finds the latest step's lanes: the caller's
  // buffer of the previous step (at first the zeros of the pre-sample steps).
  void set_latest(const double* latest) { latest_ = latest; }

  // Zeroed lanes for the caller's step buffers; the running gradient of the model's lanes.
  [[nodiscard]] double* zeroed_lanes() const { return current_; }
  [[nodiscard]] double* gradient() const { return gradient_; }

 private:
  std::uint64_t width_;  // lanes, padded to whole blocks
  std::uint64_t depth_;
  double* history_;       // depth rows of width values, a ring: dS of the last steps
  double* a_history_;     // depth rows of kFamilies values
  double* b_history_;     // depth rows of kFamilies values
  double* coefficients_;  // depth rows (lag 1 first) of kFamilies values: c_{f,l}
  double* current_;       // width zeros
  double* gradient_;      // width values
  const double* latest_ = nullptr;
  std::uint64_t slot_ = 0;  // the ring row of the latest step
};

// ---------------------------------------------------------------------------------------
// Pieces of the models

// The sign of x as -1, 0 or 1, and the smaller of x and 0, by arithmetic rather than by a branch
// on the sign of a residual, which no predictor can guess (x finite).
inline double sign_of(double x) {
  return static_cast<double>(static_cast<int>(x > 0.0) - static_cast<int>(x < 0.0));
}
inline double negative_part(double x) { return 0.5 * (x - std::fabs(x)); }

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
  [[nodiscard]] bool power_one() const { return power_one_; }

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
// A mean: the residuals' own derivatives
//
// With a mean, e is the residual series of lagreg_kernel (unit scales),
//
//   e_t = y_t - c - sum_j phi_j y_(t-a_j) - sum_j beta_j x_(t,j) - sum_j psi_j e_(t-b_j),
//
// and e_t = 0 for t < m. The mean's parameters take lanes 0 .. M - 1 and the model's follow. Each
// residual moves with the mean's parameters alone:
//
//   de_t = -G_t - sum_j psi_j de_(t-b_j),
//
// where G_t holds, lane by lane, the value each mean parameter multiplies (1 for c, y_(t-a_j),
// x_(t,j), e_(t-b_j)), and de_t = 0 for t < m. The series that the variance recursion forms from
// e move with it: a series X_f read at lags 1 .. of the sum S_t with coefficient c'_{f,l} has
// dX_f[t] = ... + rho_f(t) de_t (rho the derivative of its value with respect to e_t), so that
//
//   dS_t = (the lanes of the model) + sum_l kappa_{t,l} de_(t-l),
//   kappa_{t,l} = sum_f c'_{f,l} rho_f(t - l),
//
// and the density takes in e_t directly: d(-log f_t) = d(-log f)/dh v(t) dS_t + d(-log f)/de de_t.
// A model describes its series of e by residual_depth() (the largest lag), residual_families(),
// residual_coefficient(f, l) (0 past a series' own lags) and residual_feedback(t, rho).

// The inputs of a mean's lanes: the mean, its parameter block, the residuals, and how many past
// steps of de the lanes keep (the largest moving-average lag and the model's residual depth).
struct ResidualMean {
  const MeanTerms* terms;
  const double* parameters;
  const double* residuals;
  std::uint64_t T;
  std::uint64_t depth;
};

// The largest of `count` whole-number lags (0 for none).
std::uint64_t largest_lag(const double* lags, std::int32_t count);

// Values of scratch that ResidualLanes need for lanes of `width` values (padded), `depth` past
// steps of de, and `residual_families` series of e over `residual_depth` lags; saturating.
// (ResidualLanes below says how they are laid out.)
std::uint64_t residual_lane_values(std::uint64_t width, std::uint64_t depth,
                                   std::uint64_t residual_depth, std::uint64_t residual_families);

// What a model's lanes need in scratch, and what a mean adds: the lanes, the depth and the
// families of its feedback series, the depth and the families of its series of e.
struct LaneShape {
  std::uint64_t lanes;
  std::uint64_t depth;
  std::uint64_t families;
  std::uint64_t residual_depth;
  std::uint64_t residual_families;
};
std::uint64_t model_lane_values(const LaneShape& shape, bool derivatives);
std::uint64_t mean_lane_values(const MeanTerms& mean, const LaneShape& shape, bool derivatives);

// The residuals of the mean, lagreg_kernel's with unit scales (`unit_scale`, T values, is set to
// 1.0 first; a division by 1.0 is exact, so they are its unscaled residuals).
void mean_residuals(const MeanTerms& mean, const double* parameters, std::int32_t m,
                    std::uint64_t T, double* unit_scale, double* residuals);

// de_t and sum_l kappa_{t,l} de_(t-l) of each step. Neither depends on the lanes of the
// recursion: only on the data, the residuals and the variances, all known before the pass. So
// they are formed a chunk of steps ahead, in loops over the steps, and the pass only reads them.
// In caller-provided scratch (residual_lane_values of it): the de and the rho of the last depth
// steps before the chunk and of the chunk's steps (rows of width and of families values), the
// kappa terms of the chunk's steps (rows of width values), the table of c'_{f,l}, and the
// kappa_{t,l} of one lag over the chunk. The lanes
// past the mean's stay 0. kWidth as for DerivativeLanes.
constexpr std::uint64_t kResidualChunk = 64;

// The steps of a chunk: at least the depth, so that carrying the last depth steps' rows into the
// next chunk costs at most a row a step.
inline std::uint64_t residual_chunk(std::uint64_t depth) { return std::max(kResidualChunk, depth); }

template <std::uint64_t kWidth>
class ResidualLanes {
 public:
  template <class Model>
  ResidualLanes(const ResidualMean& mean, double* scratch, std::uint64_t width, const Model& model)
      : mean_(mean),
        width_(width),
        depth_(mean.depth),
        chunk_(residual_chunk(depth_)),
        residual_depth_(model.residual_depth()),
        families_(model.residual_families()),
        de_(scratch),
        rho_(de_ + (depth_ + chunk_) * width_),
        kappa_terms_(rho_ + (depth_ + chunk_) * families_),
        coefficients_(kappa_terms_ + chunk_ * width_),
        kappa_(coefficients_ + residual_depth_ * families_) {
    const MeanTerms& terms = *mean.terms;
    constant_lanes_ = terms.constant != 0 ? 1 : 0;
    ar_count_ = static_cast<std::uint64_t>(std::max(terms.ar_count, 0));
    ma_count_ = static_cast<std::uint64_t>(std::max(terms.ma_count, 0));
    lanes_ = constant_lanes_ + ar_count_ + terms.x_columns + ma_count_;
    ma_coefficients_ = mean.parameters + constant_lanes_ + ar_count_ + terms.x_columns;
  }

  [[nodiscard]] std::uint64_t width() const { return kWidth > 0 ? kWidth : width_; }

  // The table, the zeros of the steps before the first, and the first chunk.
  template <class Model>
  void start(const Model& model, std::uint64_t first) {
    for (std::uint64_t i = 0; i < (depth_ + chunk_) * width(); ++i) {
      de_[i] = 0.0;
    }
    for (std::uint64_t i = 0; i < (depth_ + chunk_) * families_; ++i) {
      rho_[i] = 0.0;
    }
    for (std::uint64_t i = 0; i < chunk_ * width(); ++i) {
      kappa_terms_[i] = 0.0;
    }
    for (std::uint64_t l = 1; l <= residual_depth_; ++l) {
      for (std::uint64_t f = 0; f < families_; ++f) {
        coefficients_[(l - 1) * families_ + f] = model.residual_coefficient(f, l);
      }
    }
    fill(model, first);
    step_ = first;
  }

  // Writes all width() lanes of step t's sum with its kappa terms (0 past the mean's lanes),
  // before its regressors and lagged dS.
  void write_lanes(double* lanes) const {
    for (std::uint64_t j = 0; j < width(); ++j) {
      lanes[j] = step_terms_[j];
    }
  }

  // de of the step (width() values).
  [[nodiscard]] const double* current() const { return step_de_; }

  // On to the next step, forming the next chunk where this one ends.
  template <class Model>
  void advance(const Model& model) {
    ++step_;
    step_terms_ += width();
    step_de_ += width();
    if (step_ == chunk_end_ && step_ < mean_.T) {
      fill(model, step_);
    }
  }

 private:
  static std::uint64_t lag(const double* lags, std::uint64_t j) {
    return static_cast<std::uint64_t>(static_cast<std::int32_t>(lags[j]));
  }
  // The rows of step t; the chunk's steps follow the depth steps before it.
  [[nodiscard]] double* de_row(std::uint64_t t) const {
    return de_ + (t + depth_ - chunk_start_) * width();
  }
  [[nodiscard]] double* rho_row(std::uint64_t t) const {
    return rho_ + (t + depth_ - chunk_start_) * families_;
  }

  // The rows of steps begin .. begin + chunk - 1 (up to T): rho, then de (-G_t, then each
  // moving-average term in list order), then the kappa terms. Only the mean's lanes are written.
  template <class Model>
  void fill(const Model& model, std::uint64_t begin) {
    if (begin != chunk_end_) {
      chunk_end_ = begin;  // the first chunk: the rows before it are the zeros of the start
    } else {
      // The last depth steps' rows to the front; a copy forward, since they move back.
      for (std::uint64_t i = 0; i < depth_ * width(); ++i) {
        de_[i] = de_[chunk_ * width() + i];
      }
      for (std::uint64_t i = 0; i < depth_ * families_; ++i) {
        rho_[i] = rho_[chunk_ * families_ + i];
      }
    }
    chunk_start_ = begin;
    chunk_end_ = std::min(begin + chunk_, mean_.T);
    step_terms_ = kappa_terms_;
    step_de_ = de_row(begin);
    const std::uint64_t steps = chunk_end_ - begin;
    const std::uint64_t w = width();
    if (residual_depth_ > 0) {
      for (std::uint64_t t = begin; t < chunk_end_; ++t) {
        model.residual_feedback(t, rho_row(t));
      }
    }
    // -G_t, a lane at a time over the chunk's steps.
    const MeanTerms& terms = *mean_.terms;
    double* lane = de_row(begin);
    if (constant_lanes_ != 0) {
      for (std::uint64_t i = 0; i < steps; ++i) {
        lane[i * w] = -1.0;
      }
      ++lane;
    }
    const auto lagged = [&](const double* series, std::uint64_t back) {
      const double* from = series + begin - back;
      for (std::uint64_t i = 0; i < steps; ++i) {
        lane[i * w] = -from[i];
      }
      ++lane;
    };
    for (std::uint64_t j = 0; j < ar_count_; ++j) {
      lagged(terms.y, lag(terms.ar_lags, j));
    }
    for (std::uint64_t j = 0; j < terms.x_columns; ++j) {
      lagged(terms.x + j * mean_.T, 0);
    }
    for (std::uint64_t j = 0; j < ma_count_; ++j) {
      lagged(mean_.residuals, lag(terms.ma_lags, j));
    }
    // The moving-average terms, step by step.
    for (std::uint64_t t = begin; t < chunk_end_ && ma_count_ > 0; ++t) {
      double* de = de_row(t);
      for (std::uint64_t j = 0; j < ma_count_; ++j) {
        const double psi = ma_coefficients_[j];
        const double* earlier = de - lag(terms.ma_lags, j) * w;
        for (std::uint64_t i = 0; i < lanes_; ++i) {
          de[i] = de[i] - psi * earlier[i];
        }
      }
    }
    // The kappa terms, lag by lag: kappa_{t,l} of the chunk's steps, then each lane. Without
    // lags of e they keep the zeros of the start.
    for (std::uint64_t l = 1; l <= residual_depth_; ++l) {
      const double* c = coefficients_ + (l - 1) * families_;
      const double* rho = rho_row(begin - l);
      for (std::uint64_t i = 0; i < steps; ++i) {
        kappa_[i] = c[0] * rho[i * families_];
      }
      for (std::uint64_t f = 1; f < families_; ++f) {
        for (std::uint64_t i = 0; i < steps; ++i) {
          kappa_[i] = kappa_[i] + c[f] * rho[i * families_ + f];
        }
      }
      for (std::uint64_t j = 0; j < lanes_; ++j) {
        const double* earlier = de_row(begin - l) + j;
        double* sums = kappa_terms_ + j;
        if (l == 1) {
          for (std::uint64_t i = 0; i < steps; ++i) {
            sums[i * w] = kappa_[i] * earlier[i * w];
          }
        } else {
          for (std::uint64_t i = 0; i < steps; ++i) {
            sums[i * w] = sums[i * w] + kappa_[i] * earlier[i * w];
          }
        }
      }
    }
  }

  ResidualMean mean_;
  std::uint64_t width_;
  std::uint64_t depth_;
  std::uint64_t chunk_;
  std::uint64_t residual_depth_;
  std::uint64_t families_;
  double* de_;            // depth + chunk rows of width values
  double* rho_;           // depth + chunk rows of families values
  double* kappa_terms_;   // chunk rows of width values
  double* coefficients_;  // residual_depth rows (lag 1 first) of families values: c'_{f,l}
  double* kappa_;         // chunk values: kappa_{t,l} of one lag
  std::uint64_t constant_lanes_ = 0;
  std::uint64_t ar_count_ = 0;
  std::uint64_t ma_count_ = 0;
  std::uint64_t lanes_ = 0;
  const double* ma_coefficients_ = nullptr;
  std::uint64_t step_ = 0;
  std::uint64_t chunk_start_ = 0;
  std::uint64_t chunk_end_ = 0;
  const double* step_terms_ = nullptr;  // the step's rows
  const double* step_de_ = nullptr;
};

// No mean: the residuals are given and move with no parameter.
struct NoMean {};

struct NoResidualLanes {
  template <class Model>
  NoResidualLanes(const NoMean& /*mean*/, double* /*scratch*/, std::uint64_t /*width*/,
                  const Model& /*model*/) {}
};

// A variance model behind a mean of `mean_lanes` parameters: the mean's lanes first, in which
// the model's own sum has no regressor (they move S_t only through lagged dS and de, and
// ResidualLanes writes them), then the model's lanes.
template <class Model>
class MeanFirst {
 public:
  MeanFirst(const Model& model, std::uint64_t mean_lanes) : model_(model), offset_(mean_lanes) {}

  [[nodiscard]] std::uint64_t lanes() const { return offset_ + model_.lanes(); }
  [[nodiscard]] std::uint64_t depth() const { return model_.depth(); }
  [[nodiscard]] static constexpr std::uint64_t families() { return Model::families(); }
  [[nodiscard]] double coefficient(std::uint64_t f, std::uint64_t l) const {
    return model_.coefficient(f, l);
  }
  [[nodiscard]] std::int64_t shift_lane() const {
    const std::int64_t lane = model_.shift_lane();
    return lane < 0 ? lane : lane + static_cast<std::int64_t>(offset_);
  }
  void regressors(std::uint64_t t, double* lanes) const { model_.regressors(t, lanes + offset_); }
  void presample_feedback(std::uint64_t t, double* a, double* b) const {
    model_.presample_feedback(t, a, b);
  }
  void feedback(std::uint64_t t, double* a, double* b) const { model_.feedback(t, a, b); }
  [[nodiscard]] double variance_factor(std::uint64_t t) const { return model_.variance_factor(t); }
  [[nodiscard]] std::uint64_t residual_depth() const { return model_.residual_depth(); }
  [[nodiscard]] std::uint64_t residual_families() const { return model_.residual_families(); }
  [[nodiscard]] double residual_coefficient(std::uint64_t f, std::uint64_t l) const {
    return model_.residual_coefficient(f, l);
  }
  void residual_feedback(std::uint64_t t, double* rho) const { model_.residual_feedback(t, rho); }

 private:
  const Model& model_;
  std::uint64_t offset_;
};

// ---------------------------------------------------------------------------------------
// The pass over the modelled observations.

// Marks a call whose model is not defined at its parameters: nll +Inf, derivatives NaN.
void mark_undefined(LikelihoodResult result, std::uint64_t T, std::uint64_t k);

// Writes the rows t < m of the scores (T-by-k, column-major) as zeros.
void clear_conditioned_scores(double* scores, std::uint64_t m, std::uint64_t T, std::uint64_t k);

// The derivative part of the pass, for a compile-time padded lane count kWidth and depth
// kDepth (0: run time). With a mean (Mean a ResidualMean) the residuals' derivatives join the
// model's lanes.
template <std::uint64_t kWidth, std::uint64_t kDepth, class Density, class Model, class Mean>
void derivative_pass(const Model& model, const Mean& mean, const Density& density, const double* e,
                     const double* ht, std::uint64_t m, std::uint64_t T, double* lane_scratch,
                     LikelihoodResult result) {
  constexpr bool kMean = std::is_same_v<Mean, ResidualMean>;
  const std::uint64_t model_lanes = model.lanes();
  const std::uint64_t k = model_lanes + Density::kShapeParameters;
  DerivativeLanes<kWidth, kDepth, Model::families()> lanes(lane_scratch, model_lanes,
                                                           model.depth());
  lanes.start(model, m);
  const std::uint64_t width = lanes.width();
  using Residual = std::conditional_t<kMean, ResidualLanes<kWidth>, NoResidualLanes>;
  // A mean's lanes take the scratch after the model's.
  double* residual_scratch =
      kMean ? lane_scratch + lane_scratch_values(model_lanes, model.depth(), model.families())
            : nullptr;
  Residual residual(mean, residual_scratch, width, model);
  if constexpr (kMean) {
    residual.start(model, m);
  }
  // With a compile-time width, two buffers of lanes, the step's and the previous step's,
  // swapped at every step, which live in registers; otherwise the step's lanes are formed in
  // the scratch and the previous step's read back from the ring.
  constexpr std::uint64_t kLocal = kWidth > 0 ? kWidth : 1;
  double local[2][kLocal] = {};
  double* step_lanes = kWidth > 0 ? local[0] : lanes.zeroed_lanes();
  double* previous_lanes = local[1];
  lanes.set_latest(previous_lanes);
  // With a mean and a compile-time width, the running gradient in a local array too, which no
  // other pointer reaches, so that its loop vectorises.
  double local_gradient[kLocal] = {};
  double* gradient = kMean && kWidth > 0 ? local_gradient : lanes.gradient();
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
    const Contribution contribution = density.template at<true, kMean>(e[t], h);
    sum = sum + contribution.term;
    // d(-log f_t)/dtheta = d(-log f_t)/dh * v(t) * dS_t, the two factors joined first; with a
    // mean, plus d(-log f_t)/de * de_t.
    if constexpr (kMean) {
      lanes.step(model, t, step_lanes, [&residual](double* sums) { residual.write_lanes(sums); });
      const double factor = contribution.d_variance * model.variance_factor(t);
      const double slope = contribution.d_residual;
      const double* de = residual.current();
      for (std::uint64_t j = 0; j < width; ++j) {
        gradient[j] = gradient[j] + (factor * step_lanes[j] + slope * de[j]);
      }
      if (scores != nullptr) {
        for (std::uint64_t j = 0; j < model_lanes; ++j) {
          scores[t + j * T] = factor * step_lanes[j] + slope * de[j];
        }
      }
      residual.advance(model);
    } else {
      lanes.step(model, t, step_lanes);
      const double factor = contribution.d_variance * model.variance_factor(t);
      for (std::uint64_t j = 0; j < width; ++j) {
        gradient[j] = gradient[j] + factor * step_lanes[j];
      }
      if (scores != nullptr) {
        for (std::uint64_t j = 0; j < model_lanes; ++j) {
          scores[t + j * T] = factor * step_lanes[j];
        }
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
      lanes.set_latest(previous_lanes);
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

// derivative_pass with the depth at compile time where the model has one lag.
template <std::uint64_t kWidth, class Density, class Model, class Mean>
void derivative_pass_of_depth(const Model& model, const Mean& mean, const Density& density,
                              const double* e, const double* ht, std::uint64_t m, std::uint64_t T,
                              double* lane_scratch, LikelihoodResult result) {
  if (model.depth() == 1) {
    derivative_pass<kWidth, 1>(model, mean, density, e, ht, m, T, lane_scratch, result);
  } else {
    derivative_pass<kWidth, 0>(model, mean, density, e, ht, m, T, lane_scratch, result);
  }
}

// nll and, when asked for, the gradient and the scores over t = m .. T - 1. `model` supplies
// the lanes (Model: lanes(), depth(), families(), coefficient(f, l), regressors(t, R) writing
// all lanes() values, presample_feedback(t, a, b), feedback(t, a, b), shift_lane(),
// variance_factor(t); with a mean, the residual_ members too); `shape` points at the density's
// shape parameters, after the model's; `mean` is NoMean or a ResidualMean.
template <class Density, class Model, class Mean>
void likelihood_pass(const Model& model, const Mean& mean, const double* shape, const double* e,
                     const double* ht, std::uint64_t m, std::uint64_t T, double* lane_scratch,
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
  // The lanes' padded width at compile time where it is small, and one lag (the common
  // orders, with or without a short mean, have two or three blocks of lanes).
  switch (padded_lanes(model_lanes)) {
    case kLaneBlock:
      derivative_pass<kLaneBlock, 0>(model, mean, density, e, ht, m, T, lane_scratch, result);
      return;
    case 2 * kLaneBlock:
      derivative_pass_of_depth<2 * kLaneBlock>(model, mean, density, e, ht, m, T, lane_scratch,
                                               result);
      return;
    case 3 * kLaneBlock:
      derivative_pass_of_depth<3 * kLaneBlock>(model, mean, density, e, ht, m, T, lane_scratch,
                                               result);
      return;
    case 4 * kLaneBlock:
      derivative_pass<4 * kLaneBlock, 0>(model, mean, density, e, ht, m, T, lane_scratch, result);
      return;
    default:
      derivative_pass<0, 0>(model, mean, density, e, ht, m, T, lane_scratch, result);
      return;
  }
}

// The pass with the density the call names.
template <class Model, class Mean = NoMean>
void likelihood_pass(Distribution distribution, const Model& model, const double* shape,
                     const double* e, const double* ht, std::uint64_t m, std::uint64_t T,
                     double* lane_scratch, LikelihoodResult result, const Mean& mean = Mean{}) {
  switch (distribution) {
    case Distribution::student_t:
      likelihood_pass<StudentDensity>(model, mean, shape, e, ht, m, T, lane_scratch, result);
      return;
    case Distribution::normal:
      break;
  }
  likelihood_pass<NormalDensity>(model, mean, shape, e, ht, m, T, lane_scratch, result);
}

// Whether every residual of a modelled observation is finite.
bool residuals_finite(const double* residuals, std::uint64_t m, std::uint64_t T);

// The pass of a likelihood with a mean: `model` the variance model on the residuals (lanes()
// its own), `parameters` the whole vector (the mean's block first). Without mean parameters it
// is the model's own pass on the residuals, to the last bit.
template <class Model>
void mean_likelihood_pass(Distribution distribution, const Model& model, const MeanTerms& terms,
                          const double* parameters, const double* residuals, const double* ht,
                          std::uint64_t m, std::uint64_t T, double* lane_scratch,
                          LikelihoodResult result) {
  const std::uint64_t mean_lanes = mean_parameter_count(terms);
  const double* shape = parameters + mean_lanes + model.lanes();
  if (!residuals_finite(residuals, m, T)) {
    mark_undefined(result, T,
                   mean_lanes + model.lanes() +
                       static_cast<std::uint64_t>(shape_parameter_count(distribution)));
    return;
  }
  if (mean_lanes == 0) {
    likelihood_pass(distribution, model, shape, residuals, ht, m, T, lane_scratch, result);
    return;
  }
  const ResidualMean mean{
      &terms, parameters, residuals, T,
      std::max(largest_lag(terms.ma_lags, terms.ma_count), model.residual_depth())};
  likelihood_pass(distribution, MeanFirst<Model>(model, mean_lanes), shape, residuals, ht, m, T,
                  lane_scratch, result, mean);
}

// A likelihood kernel with a mean: the residuals (lagreg's, in `residuals`, the unit scales in
// the first column of `series`), then run(e, own, model_series, finish), where the model runs
// its filter on e with its own parameters `own` and its series in `model_series`, and hands
// its Model to finish, which makes the pass.
template <class Run>
void with_mean(const MeanTerms& mean, const double* parameters, std::int32_t m, std::uint64_t T,
               Distribution distribution, const double* ht, double* residuals, double* series,
               double* lanes, LikelihoodResult result, const Run& run) {
  mean_residuals(mean, parameters, m, T, series, residuals);
  run(residuals, parameters + mean_parameter_count(mean), series + T, [&](const auto& model) {
    mean_likelihood_pass(distribution, model, mean, parameters, residuals, ht,
                         static_cast<std::uint64_t>(m), T, lanes, result);
  });
}

}  // namespace volfilter::detail
