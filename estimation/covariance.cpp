// The covariances of the estimates: the Hessian from central differences of the exact
// gradient, its inverse through the Cholesky factor, and the sandwich.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "estimation.hpp"

namespace volfilter::estimation {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

bool all_finite(const double* values, std::size_t count) {
  return std::all_of(values, values + count, [](double value) { return std::isfinite(value); });
}

}  // namespace

bool cholesky(const double* a, std::size_t k, double* factor) {
  std::fill(factor, factor + k * k, 0.0);
  for (std::size_t j = 0; j < k; ++j) {
    double diagonal = a[j + j * k];
    for (std::size_t i = 0; i < j; ++i) {
      diagonal = diagonal - factor[i + j * k] * factor[i + j * k];
    }
    if (!(diagonal > 0.0) || !std::isfinite(diagonal)) {
      return false;
    }
    const double root = std::sqrt(diagonal);
    factor[j + j * k] = root;
    for (std::size_t l = j + 1; l < k; ++l) {
      double value = a[j + l * k];
      for (std::size_t i = 0; i < j; ++i) {
        value = value - factor[i + j * k] * factor[i + l * k];
      }
      factor[j + l * k] = value / root;
    }
  }
  return true;
}

void solve_from_cholesky(const double* factor, std::size_t k, double* x) {
  // R' y = b (forward), then R x = y (backward), in place.
  for (std::size_t i = 0; i < k; ++i) {
    double value = x[i];
    for (std::size_t l = 0; l < i; ++l) {
      value = value - factor[l + i * k] * x[l];
    }
    x[i] = value / factor[i + i * k];
  }
  for (std::size_t i = k; i-- > 0;) {
    double value = x[i];
    for (std::size_t l = i + 1; l < k; ++l) {
      value = value - factor[i + l * k] * x[l];
    }
    x[i] = value / factor[i + i * k];
  }
}

void inverse_from_cholesky(const double* factor, std::size_t k, double* inverse) {
  // Column c of the inverse solves A x = e_c.
  for (std::size_t c = 0; c < k; ++c) {
    double* x = inverse + c * k;
    std::fill(x, x + k, 0.0);
    x[c] = 1.0;
    solve_from_cholesky(factor, k, x);
  }
}

Covariance::Covariance(std::size_t k)
    : k_(k),
      point_(k),
      up_(k),
      down_(k),
      here_(k),
      hessian_(k * k),
      factor_(k * k),
      inverse_(k * k),
      outer_(k * k) {}

bool Covariance::compute(Likelihood& likelihood, const Plan& plan, const double* theta,
                         const double* scores, std::uint64_t T, double* classical, double* robust) {
  const std::size_t k = k_;
  std::fill(classical, classical + k * k, kNotANumber);
  std::fill(robust, robust + k * k, kNotANumber);
  const double root_epsilon = std::pow(DBL_EPSILON, 1.0 / 3.0);
  std::copy(theta, theta + k, point_.begin());
  bool have_here = false;
  for (std::size_t i = 0; i < k; ++i) {
    const Parameter& parameter = plan.parameters[i];
    const double step = root_epsilon * std::max(std::fabs(theta[i]), parameter.scale / 10);
    const double above = theta[i] + step;
    const double below = theta[i] - step;
    double* column = hessian_.data() + i * k;
    std::fill(column, column + k, kNotANumber);
    if (above <= parameter.upper && below >= parameter.lower) {
      point_[i] = above;
      likelihood.gradient(point_.data(), up_.data());
      point_[i] = below;
      likelihood.gradient(point_.data(), down_.data());
      for (std::size_t j = 0; j < k; ++j) {
        column[j] = (up_[j] - down_[j]) / (2 * step);
      }
    }
    // Next to a bound, or where one side leaves the model's domain: the forward difference
    // where the step up will do, else the backward one.
    if (!all_finite(column, k)) {
      if (!have_here) {
        point_[i] = theta[i];
        likelihood.gradient(point_.data(), here_.data());
        have_here = true;
      }
      std::fill(column, column + k, kNotANumber);
      if (above <= parameter.upper) {
        point_[i] = above;
        likelihood.gradient(point_.data(), up_.data());
        for (std::size_t j = 0; j < k; ++j) {
          column[j] = (up_[j] - here_[j]) / step;
        }
      }
      if (!all_finite(column, k) && below >= parameter.lower) {
        point_[i] = below;
        likelihood.gradient(point_.data(), down_.data());
        for (std::size_t j = 0; j < k; ++j) {
          column[j] = (here_[j] - down_[j]) / step;
        }
      }
    }
    point_[i] = theta[i];
  }
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const double mean = (hessian_[i + j * k] + hessian_[j + i * k]) / 2;
      hessian_[i + j * k] = mean;
      hessian_[j + i * k] = mean;
    }
  }
  if (!all_finite(hessian_.data(), k * k) || !cholesky(hessian_.data(), k, factor_.data())) {
    return false;
  }
  inverse_from_cholesky(factor_.data(), k, inverse_.data());
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j < k; ++j) {
      classical[i + j * k] = (inverse_[i + j * k] + inverse_[j + i * k]) / 2;
    }
  }
  // The outer product of the scores, S'S, then (C S'S) C.
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j < k; ++j) {
      double sum = 0.0;
      const double* a = scores + i * T;
      const double* b = scores + j * T;
      for (std::uint64_t t = 0; t < T; ++t) {
        sum = sum + a[t] * b[t];
      }
      outer_[i + j * k] = sum;
    }
  }
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j < k; ++j) {
      double sum = 0.0;
      for (std::size_t l = 0; l < k; ++l) {
        sum = sum + classical[i + l * k] * outer_[l + j * k];
      }
      inverse_[i + j * k] = sum;  // C S'S, in the inverse's room, no longer needed
    }
  }
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j < k; ++j) {
      double sum = 0.0;
      for (std::size_t l = 0; l < k; ++l) {
        sum = sum + inverse_[i + l * k] * classical[l + j * k];
      }
      robust[i + j * k] = sum;
    }
  }
  return true;
}

}  // namespace volfilter::estimation
