// What the two estimation entries (volfilter_plan, volfilter_estimate) share beyond the
// gateway frame: their first twelve inputs, which name a model and its pre-sample rule, read
// into the core's ModelSettings, and names returned as rows of character codes.
//
// An entry reads as the others do: counts, the scalars in input order (these first, then its
// own), the arrays in input order, the guards, the arrays of the call, the core, the scratch
// released.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "estimation.hpp"
#include "gateway.hpp"
#include "likelihood_frame.hpp"

namespace volfilter::gateway {

// The positions of the shared inputs.
enum EstimationInput {
  kModel,
  kSeries,  // e (one series) or E (a panel, one series a column)
  kP,
  kO,
  kQ,
  kType,
  kConstant,
  kDistribution,
  kPresampleM,
  kBackcastRule,
  kBackcast,
  kUpperBound,
  kSharedInputCount,
};

// The input count first (the entry's own, or with the mean's inputs), then at most
// `most_outputs` outputs ("At most N outputs.").
void check_estimation_counts(int nlhs, int nrhs, int required_inputs, int with_mean_inputs,
                             const char* input_message, int most_outputs,
                             const char* output_message);

// Where a call has the scalars that name the model: in the shared inputs, or in the short
// call of volfilter_plan that asks for the sizes of a plan alone (no series, no m).
struct ModelPositions {
  int model, p, o, q, type, constant, distribution;
};
inline constexpr ModelPositions kSharedModelPositions{kModel, kP,        kO,           kQ,
                                                      kType,  kConstant, kDistribution};

// The scalars that name the model, in input order: model, p, o, q (at least 1 for intvol),
// type, constant (0 or 1), distribution.
estimation::ModelSettings read_model(const mxArray* const prhs[], const ModelPositions& at);

// The scalar inputs of the shared part, in input order: those of read_model, then m and
// backcast_rule.
estimation::ModelSettings read_model_scalars(const mxArray* const prhs[]);

// The shared arrays, in input order (the series, named `series_name`, backcast,
// upper_bound), refused unless real double arrays.
struct ModelArrays {
  const double* series;
  const double* backcast;
  const double* upper_bound;
};
ModelArrays read_model_arrays(const mxArray* const prhs[], const char* series_name);

// The guards on the shared inputs once T, the length of each series, is known: m within T and
// at least the largest order, a backcast value where the rule takes one; then the values of
// backcast and upper_bound (empty: the default ceiling) put into the settings.
void check_model_inputs(const mxArray* const prhs[], const ModelArrays& arrays, std::uint64_t T,
                        estimation::ModelSettings& settings);

// The mean's four inputs, last in the longer calls of both entries: the constant flag (0 or
// 1), ar_lags, ma_lags and the regressors x (T rows, shared by every series of a panel).
// Without them, or with none of the terms, the series is fitted as residuals.
enum MeanInput { kMeanConstant, kMeanArLags, kMeanMaLags, kMeanX, kMeanInputCount };

struct MeanInputs {
  bool given = false;
  std::int32_t constant = 0;
  MeanArrays arrays{};
  MeanPositions at{};
};

// The scalar of the mean's inputs from position `first` (none where `given` is false), read
// in input order after the entry's own scalars.
MeanInputs read_mean_scalar(const mxArray* const prhs[], bool given, int first);

// Their arrays, in input order, refused unless real double arrays.
void read_mean_arrays(const mxArray* const prhs[], MeanInputs& mean);

// The guards on them once T and m are known: x of T rows and finite values when it has
// columns, each lag list a vector of whole numbers from 1 to m with no lag twice, and no more
// parameters of the mean than a fit takes; then the mean put into the settings.
void check_mean_inputs(const mxArray* const prhs[], const MeanInputs& mean, std::uint64_t T,
                       estimation::ModelSettings& settings);

// The widest of `names`, in characters.
std::uint64_t name_width(const std::vector<std::string>& names);

// `names` as rows of character codes in a names.size()-by-width matrix, column-major, each
// row padded with spaces.
void write_names(const std::vector<std::string>& names, std::uint64_t width, double* codes);

// The names of the plan's parameters.
std::vector<std::string> parameter_names(const estimation::Plan& plan);

}  // namespace volfilter::gateway
