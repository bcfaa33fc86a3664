// What the four simulation entries share beyond the gateway frame: their count check, the
// innovations and the history, the history's pre-sample check, and the arrays of one call
// (the residuals, the variances and the kernel's scratch).
//
// An entry reads as the filters' do: counts, scalars in input order, data pointers, guards
// (these, then the filter's), arrays, the kernel, the scratch released.
#pragma once

#include <cstdint>

#include "gateway.hpp"
#include "kernels.hpp"

namespace volfilter::gateway {

inline constexpr const char* kAtMostTwoOutputs = "At most two outputs.";

// Input count first, then at most two outputs: e and ht.
void check_simulation_counts(int nlhs, int nrhs, int required_inputs, const char* input_message);

// The innovations z, T-by-N (a path a column), and the residuals before the paths, `history`:
// rows-by-1 for a history that every path continues, rows-by-N for one a path; an empty
// history (no rows) of any shape is a shared one. Refused: a history of rows and another
// number of columns. `z_values` and `history_values` are their data, as data_of gave them.
struct SimulationInputs {
  SimulationPaths paths;  // e and ht null until the arrays are created
  SimulationHistory history;
  bool steps;  // T and N both above 0: the kernel reads its inputs
};
SimulationInputs simulation_inputs(const mxArray* z, const double* z_values, const mxArray* history,
                                   const double* history_values);

// The pre-sample length m against the history: at most its rows (the filter's fill writes m
// entries of it) and, when a path has steps, at least the largest lag order, so that every
// lag reaches back into the history and no further. `orders` names the orders.
void check_history_presample(std::int32_t m, const SimulationInputs& inputs,
                             std::int32_t largest_order, const char* orders);

// The arrays of one simulation call, declared and created together: e (T-by-N, slot 0) and
// ht (T-by-N, slot 1 when requested and scratch otherwise, since the kernel always writes
// it); the kernel's scratch when a path has steps: `series_columns` columns of the history's
// rows and `lane_values` values, each only when not 0.
class SimulationArrays {
 public:
  SimulationArrays(mxArray* plhs[], int nlhs, const SimulationInputs& inputs,
                   SimulationScratch scratch);

  // The inputs' paths with the outputs' data.
  [[nodiscard]] SimulationPaths paths() const;
  [[nodiscard]] double* series() const { return arrays_.data_or_null(series_); }
  [[nodiscard]] double* lanes() const { return arrays_.data_or_null(lanes_); }

  // Destroys the scratch (ht among it when it is not an output).
  void destroy_scratch() { arrays_.destroy_scratch(); }

 private:
  CallArrays arrays_;
  SimulationPaths paths_;
  CallArrays::Index e_ = CallArrays::kAbsent;
  CallArrays::Index ht_ = CallArrays::kAbsent;
  CallArrays::Index series_ = CallArrays::kAbsent;
  CallArrays::Index lanes_ = CallArrays::kAbsent;
};

}  // namespace volfilter::gateway
