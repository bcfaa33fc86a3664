#include "likelihood.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gamma_functions.hpp"

namespace volfilter {

bool is_distribution(std::int32_t code) {
  return code == static_cast<std::int32_t>(Distribution::normal) ||
         code == static_cast<std::int32_t>(Distribution::student_t);
}

std::int32_t shape_parameter_count(Distribution distribution) {
  switch (distribution) {
    case Distribution::student_t:
      return detail::StudentDensity::kShapeParameters;
    case Distribution::normal:
      break;
  }
  return detail::NormalDensity::kShapeParameters;
}

std::uint64_t mean_parameter_count(const MeanTerms& mean) {
  const auto count = [](std::int32_t n) { return static_cast<std::uint64_t>(std::max(n, 0)); };
  return static_cast<std::uint64_t>(mean.constant != 0 ? 1 : 0) + count(mean.ar_count) +
         mean.x_columns + count(mean.ma_count);
}

std::uint64_t largest_mean_lag(const MeanTerms& mean) {
  return std::max(detail::largest_lag(mean.ar_lags, mean.ar_count),
                  detail::largest_lag(mean.ma_lags, mean.ma_count));
}

namespace detail {

namespace {

constexpr double kPi = 3.141592653589793;  // the double nearest pi

std::uint64_t saturating_add(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
  return a > largest - b ? largest : a + b;
}

std::uint64_t saturating_multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
  return b != 0 && a > largest / b ? largest : a * b;
}

}  // namespace

StudentDensity::StudentDensity(const double* shape) {
  const double nu = shape[0];
  // nu must be a finite number above 2; NaN fails the test too.
  defined_ = nu > 2.0 && nu < kInfinity;
  if (!defined_) {
    return;
  }
  nu_plus_one_ = nu + 1.0;
  excess_ = nu - 2.0;
  inverse_excess_ = 1.0 / excess_;
  const double half_nu = 0.5 * nu;
  constant_ = 0.5 * std::log(kPi * excess_) - log_gamma_half_step(half_nu);
  d_constant_ = 0.5 / excess_ - 0.5 * digamma_half_step(half_nu);
}

std::uint64_t lane_scratch_values(std::uint64_t lanes, std::uint64_t depth,
                                  std::uint64_t families) {
  const std::uint64_t width = padded_lanes(lanes);
  const std::uint64_t rows = saturating_multiply(depth, width);
  const std::uint64_t per_lag = saturating_multiply(depth, saturating_multiply(3, families));
  return saturating_add(saturating_add(rows, per_lag), saturating_multiply(2, width));
}

std::uint64_t largest_lag(const double* lags, std::int32_t count) {
  std::uint64_t largest = 0;
  for (std::int32_t j = 0; j < count; ++j) {
    largest = std::max(largest, static_cast<std::uint64_t>(lags[j]));
  }
  return largest;
}

std::uint64_t residual_lane_values(std::uint64_t width, std::uint64_t depth,
                                   std::uint64_t residual_depth, std::uint64_t residual_families) {
  const std::uint64_t chunk = residual_chunk(depth);
  const std::uint64_t rows = saturating_add(depth, chunk);
  const std::uint64_t de = saturating_multiply(rows, width);
  const std::uint64_t rho = saturating_multiply(rows, residual_families);
  const std::uint64_t kappa_terms = saturating_multiply(chunk, width);
  const std::uint64_t table = saturating_multiply(residual_depth, residual_families);
  return saturating_add(saturating_add(saturating_add(de, rho), saturating_add(kappa_terms, table)),
                        chunk);
}

std::uint64_t model_lane_values(const LaneShape& shape, bool derivatives) {
  return derivatives ? lane_scratch_values(shape.lanes, shape.depth, shape.families) : 0;
}

std::uint64_t mean_lane_values(const MeanTerms& mean, const LaneShape& shape, bool derivatives) {
  const std::uint64_t mean_lanes = mean_parameter_count(mean);
  if (!derivatives || mean_lanes == 0) {
    return model_lane_values(shape, derivatives);
  }
  const std::uint64_t lanes = saturating_add(mean_lanes, shape.lanes);
  const std::uint64_t depth =
      std::max(largest_lag(mean.ma_lags, mean.ma_count), shape.residual_depth);
  return saturating_add(lane_scratch_values(lanes, shape.depth, shape.families),
                        residual_lane_values(padded_lanes(lanes), depth, shape.residual_depth,
                                             shape.residual_families));
}

void mean_residuals(const MeanTerms& mean, const double* parameters, std::int32_t m,
                    std::uint64_t T, double* unit_scale, double* residuals) {
  for (std::uint64_t t = 0; t < T; ++t) {
    unit_scale[t] = 1.0;
  }
  lagreg_kernel(parameters, mean.ar_lags, mean.ma_lags, mean.constant, mean.ar_count, mean.ma_count,
                mean.y, mean.x, static_cast<std::uint64_t>(m), T, mean.x_columns, unit_scale,
                residuals);
}

bool residuals_finite(const double* residuals, std::uint64_t m, std::uint64_t T) {
  // A finite value times 0 is 0, an infinite or NaN one NaN, and NaN stays in the sum: a test
  // with no branch and no select, which vectorises.
  double zeros = 0.0;
  for (std::uint64_t t = m; t < T; ++t) {
    zeros = zeros + residuals[t] * 0.0;
  }
  return zeros == 0.0;
}

void mark_undefined(LikelihoodResult result, std::uint64_t T, std::uint64_t k) {
  result.nll[0] = kInfinity;
  if (result.gradient != nullptr) {
    for (std::uint64_t j = 0; j < k; ++j) {
      result.gradient[j] = kNotANumber;
    }
  }
  if (result.scores != nullptr) {
    for (std::uint64_t i = 0; i < T * k; ++i) {
      result.scores[i] = kNotANumber;
    }
  }
}

void clear_conditioned_scores(double* scores, std::uint64_t m, std::uint64_t T, std::uint64_t k) {
  for (std::uint64_t j = 0; j < k; ++j) {
    for (std::uint64_t t = 0; t < m && t < T; ++t) {
      scores[t + j * T] = 0.0;
    }
  }
}

}  // namespace detail

}  // namespace volfilter
