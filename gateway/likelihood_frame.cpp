#include "likelihood_frame.hpp"

#include <cmath>
#include <limits>

namespace volfilter::gateway {

void check_likelihood_counts(int nlhs, int nrhs, int required_inputs, const char* input_message,
                             bool with_residuals) {
  if (nrhs != required_inputs) {
    refuse(input_message);
  }
  if (nlhs > (with_residuals ? 5 : 4)) {
    refuse(with_residuals ? kAtMostFiveOutputs : kAtMostFourOutputs);
  }
}

Distribution distribution_value(const mxArray* input) {
  const std::int32_t code = order_value(input, "distribution");
  if (!is_distribution(code)) {
    refuse("Input distribution must be 0 (normal) or 1 (Student's t).");
  }
  return static_cast<Distribution>(code);
}

std::uint64_t residual_count(const mxArray* input, const double* values) {
  return finite_vector_count(input, values, "e");
}

namespace {

// One dimension at most 1: a row, a column, or an empty array of any shape.
bool is_vector(const mxArray* input) { return rows_of(input) <= 1 || columns_of(input) <= 1; }

bool all_finite(const double* values, std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) {
    if (!std::isfinite(values[i])) {
      return false;
    }
  }
  return true;
}

// The number of lags in a list: a vector of whole numbers from 1 to m.
std::int32_t lag_count(const mxArray* input, const double* lags, const char* name, std::int32_t m) {
  if (!is_vector(input)) {
    refuse_with("Input %s must be a vector.", name);
  }
  const std::uint64_t count = elements_of(input);
  if (count > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    refuse_with("Input %s must have fewer than 2^31 elements.", name);
  }
  for (std::uint64_t j = 0; j < count; ++j) {
    const double lag = lags[j];
    if (!(lag >= 1.0 && lag <= static_cast<double>(m) && lag == std::floor(lag))) {
      refuse_with("Input %s must hold whole numbers from 1 to m.", name);
    }
  }
  return static_cast<std::int32_t>(count);
}

}  // namespace

std::uint64_t finite_vector_count(const mxArray* input, const double* values, const char* name) {
  if (!is_vector(input)) {
    refuse_with("Input %s must be a vector.", name);
  }
  const std::uint64_t T = elements_of(input);
  // The likelihood of a value that is not a number has no value to give; refusing it keeps
  // +Inf for what the parameters, not the data, make undefined.
  if (!all_finite(values, T)) {
    refuse_with("Input %s must hold finite values.", name);
  }
  return T;
}

std::int32_t mean_constant(const mxArray* input, const char* name) {
  const std::int32_t constant = order_value(input, name);
  // The flag is also the offset of the first coefficient after the constant.
  if (constant != 0 && constant != 1) {
    refuse_with("Input %s must be 0 or 1.", name);
  }
  return constant;
}

MeanArrays mean_arrays(const mxArray* const prhs[], const MeanPositions& at) {
  MeanArrays arrays{};
  arrays.y = data_of(prhs[at.y], "y");
  arrays.x = data_of(prhs[at.x], "x");
  arrays.ar_lags = data_of(prhs[at.ar_lags], "ar_lags");
  arrays.ma_lags = data_of(prhs[at.ma_lags], "ma_lags");
  return arrays;
}

MeanTerms mean_terms(const mxArray* const prhs[], const MeanArrays& arrays, std::uint64_t T,
                     std::int32_t constant, std::int32_t m, const MeanPositions& at) {
  // The regressors are read with row stride T.
  const mxArray* x = prhs[at.x];
  const std::uint64_t x_columns = columns_of(x);
  if (x_columns > 0) {
    require(rows_of(x) == T, "Input x must have T rows.");
    require(all_finite(arrays.x, multiply_counts(T, x_columns)),
            "Input x must hold finite values.");
  }
  const std::int32_t ar_count = lag_count(prhs[at.ar_lags], arrays.ar_lags, "ar_lags", m);
  const std::int32_t ma_count = lag_count(prhs[at.ma_lags], arrays.ma_lags, "ma_lags", m);
  return {arrays.y, arrays.x,       x_columns, arrays.ar_lags,
          ar_count, arrays.ma_lags, ma_count,  constant};
}

std::uint64_t parameter_count(std::initializer_list<std::int64_t> model_counts,
                              Distribution distribution) {
  return add_counts(sum_counts(model_counts),
                    static_cast<std::uint64_t>(shape_parameter_count(distribution)));
}

LikelihoodArrays::LikelihoodArrays(mxArray* plhs[], int nlhs, std::uint64_t T, std::uint64_t k,
                                   LikelihoodScratch scratch, bool with_residuals)
    : arrays_(plhs) {
  nll_ = arrays_.output(0, 1, 1);
  if (nlhs >= 2) {
    gradient_ = arrays_.output(1, k, 1);
  }
  if (nlhs >= 3) {
    scores_ = arrays_.output(2, T, k);
  }
  ht_ = nlhs >= 4 ? arrays_.output(3, T, 1) : arrays_.scratch(T);
  if (with_residuals) {
    residuals_ = nlhs >= 5 ? arrays_.output(4, T, 1) : arrays_.scratch(T);
  }
  if (scratch.series_columns != 0) {
    series_ = arrays_.scratch(T, scratch.series_columns);
  }
  if (scratch.lane_values != 0) {
    lanes_ = arrays_.scratch(scratch.lane_values);
  }
  arrays_.create();
}

LikelihoodResult LikelihoodArrays::result() const {
  return {arrays_.data_or_null(nll_), arrays_.data_or_null(gradient_),
          arrays_.data_or_null(scores_)};
}

}  // namespace volfilter::gateway
