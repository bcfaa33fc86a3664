#include "likelihood_frame.hpp"

#include <cmath>

namespace volfilter::gateway {

void check_likelihood_counts(int nlhs, int nrhs, int required_inputs, const char* input_message) {
  if (nrhs != required_inputs) {
    refuse(input_message);
  }
  if (nlhs > 4) {
    refuse(kAtMostFourOutputs);
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
  // One dimension at most 1: a row, a column, or an empty array of any shape.
  if (rows_of(input) > 1 && columns_of(input) > 1) {
    refuse("Input e must be a vector.");
  }
  const std::uint64_t T = elements_of(input);
  // The likelihood of a residual that is not a number has no value to give; refusing it
  // keeps +Inf for what the parameters, not the data, make undefined.
  for (std::uint64_t t = 0; t < T; ++t) {
    if (!std::isfinite(values[t])) {
      refuse("Input e must hold finite values.");
    }
  }
  return T;
}

std::uint64_t parameter_count(std::initializer_list<std::int64_t> model_counts,
                              Distribution distribution) {
  return add_counts(sum_counts(model_counts),
                    static_cast<std::uint64_t>(shape_parameter_count(distribution)));
}

LikelihoodArrays::LikelihoodArrays(mxArray* plhs[], int nlhs, std::uint64_t T, std::uint64_t k,
                                   LikelihoodScratch scratch)
    : arrays_(plhs) {
  nll_ = arrays_.output(0, 1, 1);
  if (nlhs >= 2) {
    gradient_ = arrays_.output(1, k, 1);
  }
  if (nlhs >= 3) {
    scores_ = arrays_.output(2, T, k);
  }
  ht_ = nlhs >= 4 ? arrays_.output(3, T, 1) : arrays_.scratch(T);
  if (scratch.series_columns != 0) {
    series_ = arrays_.scratch(T, scratch.series_columns);
  }
  if (scratch.lane_values != 0) {
    lanes_ = arrays_.scratch(scratch.lane_values);
  }
  arrays_.create();
}

LikelihoodResult LikelihoodArrays::result() const {
  return {data_or_null(nll_), data_or_null(gradient_), data_or_null(scores_)};
}

}  // namespace volfilter::gateway
