// The fit of one series, on scratch allocated once and reused for every series a worker
// takes: the checks of the series, the start values, NLopt's SLSQP runs and their restarts,
// the results at the estimates.
#pragma once

#include <cstdint>
#include <vector>

#include "estimation.hpp"

namespace volfilter::estimation::detail {

// Where one series' results go (each slot of PanelOutputs at this series' offset, or the
// fit's own scratch where the caller asked for none).
struct SeriesOutputs {
  double* parameters;
  double* covariance;
  double* robust;
  double* ht;
  double* scores;
  double* summary;
  double* start;
  double* active;
  double* residuals;  // may be null: none asked for
};

// The results of a series that is not fitted: NaN estimates, covariances, variances and
// scores (in the slots that are not null), no constraint active, the start values given (NaN
// without), the summary's status and `counts` (may be null: none made). k parameters, T
// observations, `constraints` constraints.
void mark_series(Status status, const SeriesOutputs& outputs, const FitRequest& request,
                 std::size_t k, std::uint64_t T, std::size_t constraints,
                 const Likelihood::Counts* counts);

class SeriesFit {
 public:
  // Scratch for series of T values, and for the slots that the caller does not provide.
  SeriesFit(const FitRequest& request, std::uint64_t T, const OutputSlots& provided);

  // Fits e[0..T-1], writing every slot of `outputs`.
  void fit(const double* e, SeriesOutputs outputs);

  // Marks the series as not fitted with `status`.
  void mark(Status status, SeriesOutputs outputs);

 private:
  struct Run {
    int code = 0;
    bool converged = false;
  };
  [[nodiscard]] SeriesOutputs with_scratch(SeriesOutputs outputs);
  bool choose_start(const Plan& plan, SeriesOutputs outputs);
  // The coordinates whitened by the scores at `start` (written to `scores` and `ht`; the
  // objective and its gradient there kept for the optimiser's first evaluation); false where
  // they cannot be.
  bool whiten(const double* start, double* scores, double* ht);
  // SLSQP from x (whitened or scaled coordinates), its runs and restarts; x ends as the
  // estimates.
  Run optimise(const Plan& plan, bool whitened, double* x, double* summary);

  const FitRequest& request_;
  std::uint64_t T_;
  std::size_t k_;
  std::size_t constraint_count_;
  Likelihood likelihood_;
  Covariance covariance_;
  std::vector<double> theta_, scale_, x_, best_x_, last_x_, gradient_;
  std::vector<double> origin_, map_, outer_, factor_, root_;
  double start_value_ = 0.0;
  std::vector<double> constraint_gradient_;
  // Scratch for the slots the caller asked no output for.
  std::vector<double> parameters_, covariance_values_, robust_, ht_, scores_, start_, active_;
};

}  // namespace volfilter::estimation::detail
