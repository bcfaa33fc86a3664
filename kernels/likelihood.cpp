#include "likelihood.hpp"

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
