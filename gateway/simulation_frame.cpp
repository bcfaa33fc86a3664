#include "simulation_frame.hpp"

namespace volfilter::gateway {

void check_simulation_counts(int nlhs, int nrhs, int required_inputs, const char* input_message) {
  if (nrhs != required_inputs) {
    refuse(input_message);
  }
  if (nlhs > 2) {
    refuse(kAtMostTwoOutputs);
  }
}

SimulationInputs simulation_inputs(const mxArray* z, const double* z_values, const mxArray* history,
                                   const double* history_values) {
  const std::uint64_t T = rows_of(z);
  const std::uint64_t N = columns_of(z);
  const std::uint64_t rows = rows_of(history);
  std::uint64_t columns = 1;
  if (rows > 0) {
    columns = columns_of(history);
    if (columns != 1 && columns != N) {
      refuse("Input history must have one column or as many as z.");
    }
  }
  return {{z_values, T, N, nullptr, nullptr}, {history_values, rows, columns}, T > 0 && N > 0};
}

void check_history_presample(std::int32_t m, const SimulationInputs& inputs,
                             std::int32_t largest_order, const char* orders) {
  if (static_cast<std::uint64_t>(m) > inputs.history.rows) {
    refuse("Input m must not exceed the rows of history.");
  }
  if (inputs.steps && m < largest_order) {
    refuse_with("Input m must be at least the largest of %s.", orders);
  }
}

SimulationArrays::SimulationArrays(mxArray* plhs[], int nlhs, const SimulationInputs& inputs,
                                   SimulationScratch scratch)
    : arrays_(plhs), paths_(inputs.paths) {
  e_ = arrays_.output(0, paths_.T, paths_.N);
  ht_ = nlhs >= 2 ? arrays_.output(1, paths_.T, paths_.N) : arrays_.scratch(paths_.T, paths_.N);
  if (inputs.steps && scratch.series_columns != 0 && inputs.history.rows != 0) {
    series_ = arrays_.scratch(inputs.history.rows, scratch.series_columns);
  }
  if (inputs.steps && scratch.lane_values != 0) {
    lanes_ = arrays_.scratch(scratch.lane_values);
  }
  arrays_.create();
  paths_.e = arrays_.data(e_);
  paths_.ht = arrays_.data(ht_);
}

SimulationPaths SimulationArrays::paths() const { return paths_; }

}  // namespace volfilter::gateway
