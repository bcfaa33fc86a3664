// What the likelihood entries share beyond the gateway frame: their count check, the residual
// series and the distribution inputs, the number of parameters, and the arrays of one call (the
// outputs requested, the variances and the kernel's scratch); for the likelihoods of returns
// with a mean, the mean's inputs and the residuals.
//
// An entry reads as the filters' do: counts, scalars in input order, data pointers, guards
// (the filter's, then these), arrays, the kernel, the scratch released.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "gateway.hpp"
#include "kernels.hpp"

namespace volfilter::gateway {

inline constexpr const char* kAtMostFourOutputs = "At most four outputs.";
inline constexpr const char* kAtMostFiveOutputs = "At most five outputs.";

// Input count first, then at most four outputs: nll, gradient, scores, ht; with
// `with_residuals`, at most five, the residuals fifth.
void check_likelihood_counts(int nlhs, int nrhs, int required_inputs, const char* input_message,
                             bool with_residuals = false);

// The distribution selector, read as an order value (truncated toward zero) and refused
// unless it names a distribution the kernels know.
Distribution distribution_value(const mxArray* input);

// The sample size T of the residual series e: its length, after refusing an input that is
// not a vector (a row, a column, or empty) or holds a value that is not finite. `values` is
// its data, as data_of gave it.
std::uint64_t residual_count(const mxArray* input, const double* values);

// The same for any series input named `name` (y of a likelihood with a mean).
std::uint64_t finite_vector_count(const mxArray* input, const double* values, const char* name);

// The constant flag of a mean, read as an order value and refused unless 0 or 1; `name` names
// the input in the messages.
std::int32_t mean_constant(const mxArray* input, const char* name = "constant");

// Where a call has the mean's array inputs: inputs 0 to 3 of every likelihood with a mean (y,
// x, ar_lags, ma_lags); elsewhere in the estimation entries.
struct MeanPositions {
  int y, x, ar_lags, ma_lags;
};
inline constexpr MeanPositions kMeanPositions{0, 1, 2, 3};

// The mean's array inputs: their data, taken in the order y, x, ar_lags, ma_lags with
// data_of's class check.
struct MeanArrays {
  const double* y;
  const double* x;
  const double* ar_lags;
  const double* ma_lags;
};
MeanArrays mean_arrays(const mxArray* const prhs[], const MeanPositions& at = kMeanPositions);

// The mean's regressors and lag lists, after y (T values) and m have been checked: x of T rows
// and finite values when it has columns (any array of 0 columns for none); each lag list a
// vector (or empty) of whole numbers from 1 to m.
MeanTerms mean_terms(const mxArray* const prhs[], const MeanArrays& arrays, std::uint64_t T,
                     std::int32_t constant, std::int32_t m,
                     const MeanPositions& at = kMeanPositions);

// The number of parameters k: the model's counts and the distribution's shape parameters.
std::uint64_t parameter_count(std::initializer_list<std::int64_t> model_counts,
                              Distribution distribution);

// Whether a call with `nlhs` outputs asks for derivatives (the gradient, and the scores).
constexpr bool derivatives_requested(int nlhs) { return nlhs >= 2; }

// The arrays of one likelihood call, declared and created together: nll (1-by-1, slot 0);
// the gradient (k-by-1, slot 1) and the scores (T-by-k, slot 2) only when requested; ht
// (T-by-1) in slot 3 when requested and as scratch otherwise, since the kernel always writes
// it; then the kernel's scratch, `series_columns` columns of T values and `lane_values`
// values, each only when not 0. What is not created is a null pointer.
class LikelihoodArrays {
 public:
  // With `with_residuals`, also the residuals (T-by-1) in slot 4 when requested and as scratch
  // otherwise, after ht.
  LikelihoodArrays(mxArray* plhs[], int nlhs, std::uint64_t T, std::uint64_t k,
                   LikelihoodScratch scratch, bool with_residuals = false);

  [[nodiscard]] double* ht() const { return arrays_.data_or_null(ht_); }
  [[nodiscard]] double* residuals() const { return arrays_.data_or_null(residuals_); }
  [[nodiscard]] double* series() const { return arrays_.data_or_null(series_); }
  [[nodiscard]] double* lanes() const { return arrays_.data_or_null(lanes_); }
  [[nodiscard]] LikelihoodResult result() const;

  // Destroys the scratch (ht among it when it is not an output).
  void destroy_scratch() { arrays_.destroy_scratch(); }

 private:
  CallArrays arrays_;
  CallArrays::Index nll_ = CallArrays::kAbsent;
  CallArrays::Index gradient_ = CallArrays::kAbsent;
  CallArrays::Index scores_ = CallArrays::kAbsent;
  CallArrays::Index ht_ = CallArrays::kAbsent;
  CallArrays::Index residuals_ = CallArrays::kAbsent;
  CallArrays::Index series_ = CallArrays::kAbsent;
  CallArrays::Index lanes_ = CallArrays::kAbsent;
};

}  // namespace volfilter::gateway
