// [parameters, covariance, robust_covariance, ht, scores, summary, start, active, names,
//  constraint_names, residuals] = volfilter_estimate(model, E, p, o, q, type, constant,
//                                                    distribution, m, backcast_rule, backcast,
//                                                    upper_bound, start, max_evaluations,
//                                                    threads[, mean_constant, ar_lags,
//                                                    ma_lags, x])
#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "estimation_frame.hpp"

namespace {

namespace gw = volfilter::gateway;
namespace est = volfilter::estimation;

enum Input {
  kStart = gw::kSharedInputCount,
  kMaxEvaluations,
  kThreads,
  kInputCount,
  kMeanFirst = kInputCount,
  kMeanInputCount = kInputCount + static_cast<int>(gw::kMeanInputCount)
};
enum Output {
  kParameters,
  kCovariance,
  kRobust,
  kHt,
  kScores,
  kSummary,
  kStartOutput,
  kActive,
  kNames,
  kConstraintNames,
  kResiduals,
  kOutputCount
};

// The fit of the panel and the names it gives, made before any array exists.
struct Prepared {
  std::unique_ptr<est::PanelFit> fit;
  std::vector<std::string> names;
  std::vector<std::string> constraint_names;
};

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  gw::check_estimation_counts(nlhs, nrhs, kInputCount, kMeanInputCount,
                              "Fifteen or nineteen inputs required.", kOutputCount,
                              "At most eleven outputs.");
  est::FitRequest request;
  request.settings = gw::read_model_scalars(prhs);
  request.max_evaluations = gw::order_value(prhs[kMaxEvaluations], "max_evaluations");
  gw::require(request.max_evaluations >= 1, "Input max_evaluations must be at least 1.");
  // 0 asks for one thread per logical core.
  auto threads = static_cast<std::uint32_t>(gw::lag_order(prhs[kThreads], "threads"));
  gw::MeanInputs mean = gw::read_mean_scalar(prhs, nrhs == kMeanInputCount, kMeanFirst);
  const gw::ModelArrays arrays = gw::read_model_arrays(prhs, "E");
  request.start = gw::data_of(prhs[kStart], "start");
  gw::read_mean_arrays(prhs, mean);

  const mxArray* panel = prhs[gw::kSeries];
  const std::uint64_t T = gw::rows_of(panel);
  const std::uint64_t N = gw::columns_of(panel);
  gw::require(T > 0 && N > 0, "Input E must not be empty.");
  gw::check_model_inputs(prhs, arrays, T, request.settings);
  gw::check_mean_inputs(prhs, mean, T, request.settings);
  request.x = mean.arrays.x;
  request.start_count = static_cast<std::size_t>(gw::elements_of(prhs[kStart]));
  if (threads == 0) {
    threads = std::max(1U, std::thread::hardware_concurrency());
  }

  const int requested = std::max(nlhs, 1);
  const auto wanted = [&](int slot) { return slot < requested; };
  est::OutputSlots slots;
  slots.parameters = wanted(kParameters);
  slots.covariance = wanted(kCovariance);
  slots.robust = wanted(kRobust);
  slots.ht = wanted(kHt);
  slots.scores = wanted(kScores);
  slots.start = wanted(kStartOutput);
  slots.active = wanted(kActive);
  slots.residuals = wanted(kResiduals);

  // The calling thread's scratch and the names, before any array exists: without memory for
  // them the call is refused with nothing left behind.
  Prepared prepared;
  bool ready = true;
  try {
    prepared.fit = std::make_unique<est::PanelFit>(request, T, slots);
    prepared.names = gw::parameter_names(prepared.fit->outline());
    prepared.constraint_names = prepared.fit->outline().constraint_names();
  } catch (const std::exception&) {
    ready = false;
  }
  if (!ready) {
    prepared = Prepared{};
    gw::refuse("Not enough memory for the fit.");
  }
  est::PanelFit& fit = *prepared.fit;
  const std::uint64_t k = fit.parameters();
  const std::uint64_t constraints = fit.constraints();
  const std::uint64_t width = gw::name_width(prepared.names);
  const std::uint64_t constraint_width = gw::name_width(prepared.constraint_names);

  gw::CallArrays outputs(plhs);
  const std::uint64_t shapes[kOutputCount][2] = {{k, N},
                                                 {gw::multiply_counts(k, k), N},
                                                 {gw::multiply_counts(k, k), N},
                                                 {T, N},
                                                 {T, gw::multiply_counts(k, N)},
                                                 {est::kSummaryRows, N},
                                                 {k, N},
                                                 {constraints, N},
                                                 {k, width},
                                                 {constraints, constraint_width},
                                                 {T, N}};
  gw::CallArrays::Index index[kOutputCount] = {};
  for (int slot = 0; slot < requested; ++slot) {
    index[slot] = outputs.output(slot, shapes[slot][0], shapes[slot][1]);
  }
  // The fit always writes its summary.
  if (!wanted(kSummary)) {
    index[kSummary] = outputs.scratch(est::kSummaryRows, N);
  }
  outputs.create();
  const auto data = [&](int slot) { return wanted(slot) ? outputs.data(index[slot]) : nullptr; };

  est::PanelOutputs results;
  results.parameters = data(kParameters);
  results.covariance = data(kCovariance);
  results.robust = data(kRobust);
  results.ht = data(kHt);
  results.scores = data(kScores);
  results.summary = outputs.data(index[kSummary]);
  results.start = data(kStartOutput);
  results.active = data(kActive);
  results.residuals = data(kResiduals);
  fit.run(arrays.series, N, threads, results);

  if (wanted(kNames)) {
    gw::write_names(prepared.names, width, outputs.data(index[kNames]));
  }
  if (wanted(kConstraintNames)) {
    gw::write_names(prepared.constraint_names, constraint_width,
                    outputs.data(index[kConstraintNames]));
  }
  outputs.destroy_scratch();
}
