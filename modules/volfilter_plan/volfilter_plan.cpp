// [names, bounds, linear, starts, presample, constraint_names, nonlinear, active] =
//     volfilter_plan(model, e, p, o, q, type, constant, distribution, m, backcast_rule, backcast,
//                    upper_bound, parameters[, mean_constant, ar_lags, ma_lags, x])
// sizes = volfilter_plan(model, p, o, q, type, constant, distribution[, mean_constant,
//                        ar_count, ma_count, x_columns])
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "estimation_frame.hpp"

namespace {

namespace gw = volfilter::gateway;
namespace est = volfilter::estimation;

enum Input {
  kParameters = gw::kSharedInputCount,
  kInputCount,
  kMeanFirst = kInputCount,
  kMeanInputCount = kInputCount + static_cast<int>(gw::kMeanInputCount)
};
enum Output {
  kNames,
  kBounds,
  kLinear,
  kStarts,
  kPresample,
  kConstraintNames,
  kNonlinear,
  kActive,
  kOutputCount
};

// The short call: the sizes of the plan alone, from the model's scalars.
enum SizesInput {
  kSizesModel,
  kSizesP,
  kSizesO,
  kSizesQ,
  kSizesType,
  kSizesConstant,
  kSizesDistribution,
  kSizesInputCount,
  // The mean's counts: its constant flag, the numbers of autoregressive and moving-average
  // lags and of regressors.
  kSizesMeanConstant = kSizesInputCount,
  kSizesArCount,
  kSizesMaCount,
  kSizesXColumns,
  kSizesMeanInputCount
};
constexpr gw::ModelPositions kSizesPositions{
    kSizesModel, kSizesP, kSizesO, kSizesQ, kSizesType, kSizesConstant, kSizesDistribution};
enum SizesOutput { kSizes, kSizesOutputCount };

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// [k, least modelled observations, most parameters of a fit]: counts of the orders alone, so
// that a caller can compare them with a sample in constant time and memory, whatever the
// orders, before anything is built for them.
void sizes_of_plan(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nlhs > kSizesOutputCount) {
    gw::refuse("At most one output for the sizes of a plan.");
  }
  const est::ModelSettings settings = gw::read_model(prhs, kSizesPositions);
  std::uint64_t k = est::parameter_count(settings);
  if (nrhs == kSizesMeanInputCount) {
    const std::int32_t constant = gw::mean_constant(prhs[kSizesMeanConstant], "mean_constant");
    const std::uint64_t ar_count = gw::count_value(prhs[kSizesArCount], "ar_count");
    const std::uint64_t ma_count = gw::count_value(prhs[kSizesMaCount], "ma_count");
    const std::uint64_t x_columns = gw::count_value(prhs[kSizesXColumns], "x_columns");
    k = gw::add_counts(gw::add_counts(k, static_cast<std::uint64_t>(constant)),
                       gw::add_counts(gw::add_counts(ar_count, ma_count), x_columns));
  }
  gw::CallArrays outputs(plhs);
  const gw::CallArrays::Index index = outputs.output(kSizes, 1, 3);
  outputs.create();
  double* sizes = outputs.data(index);
  sizes[0] = static_cast<double>(k);
  sizes[1] = static_cast<double>(est::least_observations(k));
  sizes[2] = static_cast<double>(est::kMostParameters);
}

// The plan and the names it gives, made before any array exists.
struct Prepared {
  est::Plan plan;
  std::vector<std::string> names;
  std::vector<std::string> constraint_names;
};

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs == kSizesInputCount || nrhs == kSizesMeanInputCount) {
    sizes_of_plan(nlhs, plhs, nrhs, prhs);
    return;
  }
  const bool with_mean = nrhs == kMeanInputCount;
  gw::check_estimation_counts(nlhs, nrhs, kInputCount, kMeanInputCount,
                              "Seven, eleven, thirteen or seventeen inputs required.", kOutputCount,
                              "At most eight outputs.");
  est::ModelSettings settings = gw::read_model_scalars(prhs);
  gw::MeanInputs mean = gw::read_mean_scalar(prhs, with_mean, kMeanFirst);
  const gw::ModelArrays arrays = gw::read_model_arrays(prhs, "e");
  const double* parameters = gw::data_of(prhs[kParameters], "parameters");
  gw::read_mean_arrays(prhs, mean);

  const mxArray* series = prhs[gw::kSeries];
  if (gw::rows_of(series) > 1 && gw::columns_of(series) > 1) {
    gw::refuse("Input e must be a vector.");
  }
  const std::uint64_t T = gw::elements_of(series);
  gw::require(T > 0, "Input e must not be empty.");
  for (std::uint64_t t = 0; t < T; ++t) {
    if (!std::isfinite(arrays.series[t])) {
      gw::refuse("Input e must hold finite values.");
    }
  }
  gw::check_model_inputs(prhs, arrays, T, settings);
  gw::check_mean_inputs(prhs, mean, T, settings);
  const std::uint64_t k = est::parameter_count(settings);
  // A plan no fit takes is refused at once: its names and constraints would grow with the
  // orders, up to billions of them.
  if (k > est::kMostParameters) {
    gw::refuse_with("The orders give %llu parameters, more than the %llu a plan takes.",
                    static_cast<unsigned long long>(k),
                    static_cast<unsigned long long>(est::kMostParameters));
  }
  const bool at_parameters = gw::elements_of(prhs[kParameters]) > 0;
  if (at_parameters) {
    gw::require_elements(prhs[kParameters], "parameters", k);
  }

  // The plan, built before any array exists: without memory for it the call is refused with
  // nothing left behind.
  std::optional<Prepared> prepared;
  try {
    est::Plan made = est::make_plan(settings, arrays.series, T, mean.arrays.x);
    std::vector<std::string> names = gw::parameter_names(made);
    std::vector<std::string> constraint_names = made.constraint_names();
    prepared.emplace(Prepared{std::move(made), std::move(names), std::move(constraint_names)});
  } catch (const std::exception&) {
    prepared.reset();
  }
  if (!prepared) {
    gw::refuse("Not enough memory for the plan.");
  }
  if (prepared->plan.mean_start == est::MeanStart::singular) {
    prepared.reset();
    gw::refuse(
        "The mean's least-squares fit is singular on e: its regressors are collinear, or "
        "fewer than its parameters after the first m.");
  }
  if (prepared->plan.mean_start == est::MeanStart::exact) {
    prepared.reset();
    gw::refuse("The mean fits e exactly: its least-squares residuals leave no variance.");
  }
  const est::Plan* plan = &prepared->plan;
  const std::vector<std::string>& names = prepared->names;
  const std::vector<std::string>& constraint_names = prepared->constraint_names;
  const std::uint64_t width = gw::name_width(names);
  const std::uint64_t constraint_width = gw::name_width(constraint_names);
  const std::uint64_t linear = plan->linear.size();
  const std::uint64_t constraints = plan->constraint_count();
  const bool has_nonlinear = plan->nonlinear != est::Nonlinear::none;

  gw::CallArrays outputs(plhs);
  const std::uint64_t shapes[kOutputCount][2] = {{k, width},
                                                 {k, 4},
                                                 {linear, k + 1},
                                                 {k, est::kCandidates},
                                                 {1, 6},
                                                 {constraints, constraint_width},
                                                 {at_parameters && has_nonlinear ? 1U : 0U, k + 1},
                                                 {constraints, at_parameters ? 1U : 0U}};
  gw::CallArrays::Index index[kOutputCount] = {};
  const int requested = std::max(nlhs, 1);
  for (int slot = 0; slot < requested; ++slot) {
    index[slot] = outputs.output(slot, shapes[slot][0], shapes[slot][1]);
  }
  outputs.create();
  const auto wanted = [&](int slot) { return slot < requested; };

  if (wanted(kNames)) {
    gw::write_names(names, width, outputs.data(index[kNames]));
  }
  if (wanted(kBounds)) {
    double* bounds = outputs.data(index[kBounds]);
    for (std::uint64_t i = 0; i < k; ++i) {
      const est::Parameter& parameter = plan->parameters[i];
      bounds[i] = parameter.lower;
      bounds[i + k] = parameter.upper;
      bounds[i + 2 * k] = parameter.scale;
      bounds[i + 3 * k] = parameter.scale_by_start ? 1.0 : 0.0;
    }
  }
  if (wanted(kLinear)) {
    double* rows = outputs.data(index[kLinear]);
    for (std::uint64_t r = 0; r < linear; ++r) {
      const est::LinearConstraint& constraint = plan->linear[r];
      for (const est::LinearConstraint::Term& term : constraint.terms) {
        rows[r + term.index * linear] = term.coefficient;
      }
      rows[r + k * linear] = constraint.bound;
    }
  }
  if (wanted(kStarts)) {
    std::copy(plan->candidates.begin(), plan->candidates.end(), outputs.data(index[kStarts]));
  }
  if (wanted(kPresample)) {
    double* presample = outputs.data(index[kPresample]);
    presample[0] = plan->backcast;
    presample[1] = settings.model == est::Model::logvol ? plan->upper_bound : kNotANumber;
    presample[2] = plan->level;
    presample[3] = static_cast<double>(est::least_observations(k));
    presample[4] = static_cast<double>(est::kMostParameters);
    presample[5] = est::presample_variance(settings, plan->backcast);
  }
  if (wanted(kConstraintNames)) {
    gw::write_names(constraint_names, constraint_width, outputs.data(index[kConstraintNames]));
  }
  if (wanted(kNonlinear) && at_parameters && has_nonlinear) {
    double* nonlinear = outputs.data(index[kNonlinear]);
    // One row: the value, then the gradient.
    double* gradient = nonlinear + 1;
    nonlinear[0] = est::nonlinear_value(*plan, parameters, gradient);
  }
  if (wanted(kActive) && at_parameters) {
    est::active_constraints(*plan, parameters, outputs.data(index[kActive]));
  }
}
