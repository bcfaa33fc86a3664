// Simulated paths of the log-variance model: logvol_kernel continued, one path to a lane
// (simulation_lanes.hpp). Each lane's exponential is the scalar library exp, as in the
// filter: a vector exponential could differ from it in the last place.
#include <algorithm>
#include <cmath>
#include <limits>

#include "kernels.hpp"
#include "simulation_lanes.hpp"

namespace volfilter {

namespace {

// As in the filter: E|z| of a standard normal z as a 15-digit literal, and the ratio of the
// pre-sample variance to the floor.
constexpr double normal_abs_mean = 0.797884560802865;
constexpr double floor_ratio = 10000.0;

// The history's series as the filter leaves them: the variances, log variances,
// standardized values and centered magnitudes.
constexpr std::uint64_t kSeries = 4;
// The series fed back: the centered magnitudes, standardized values and log variances.
constexpr std::uint64_t kRings = 3;

// What every lane reads: the parameters, orders and bounds, and the history's series.
struct LogvolSimulation {
  std::uint64_t rows;
  const double* parameters;
  const double* backcast;
  const double* upper_bound;
  std::int32_t p, o, q, m;
  double* ht;
  double* log_ht;
  double* std_data;
  double* centered;
  double* lanes;
  std::uint64_t slots;
  // The bounds as the filter forms them (bounds_of).
  double floor_variance;
  double floor_log;
  double upper;
  double upper_log;

  void run_history(const double* e) const {
    logvol_kernel(e, parameters, backcast, upper_bound, p, o, q, m, rows, ht, log_ht, std_data,
                  centered);
  }
};

// The floor is the pre-sample variance over 10000 (a true division) and its log the backcast
// less ln 10000, the logarithm taken at run time by the library (through a volatile, so that
// the compiler does not fold it); the ceiling's log is the library's, which the filter takes
// anew at each step where the ceiling applies, the same value every time.
struct Bounds {
  double floor_variance, floor_log, upper, upper_log;
};

Bounds bounds_of(const double* backcast, const double* upper_bound) {
  const double log_presample = backcast[0];
  const double presample_variance = std::exp(log_presample);
  const volatile double ratio = floor_ratio;
  const double upper = upper_bound[0];
  return {presample_variance / floor_ratio, log_presample - std::log(ratio), upper,
          std::log(upper)};
}

// The end of every lane's step from its log variance before the bounds: the bounds, then
// the variance, the residual and the series that later steps feed back. The exponentials
// first, one library call a lane; the rest as one loop of selects over the lanes.
template <std::size_t W>
VOLFILTER_LANE_INLINE void finish(const LogvolSimulation& model, const double (&sum)[W],
                                  const double* z, double* e, double* ht, double* log_ht,
                                  double* std_data, double* centered) {
  double exponential[W];
  for (std::size_t l = 0; l < W; ++l) {
    exponential[l] = std::exp(sum[l]);
  }
  constexpr double infinity = std::numeric_limits<double>::infinity();
  for (std::size_t l = 0; l < W; ++l) {
    double variance = exponential[l];
    double log_variance = sum[l];
    // Both comparisons are false for NaN, so a NaN variance passes both bounds.
    const bool below = variance < model.floor_variance;
    variance = below ? model.floor_variance : variance;
    log_variance = below ? model.floor_log : log_variance;
    // Tested on the floored variance: an overflowed exponential becomes the ceiling, a finite
    // excess the ceiling plus the log variance; the log variance stored is then ln U.
    const bool above = variance > model.upper;
    const double capped = variance == infinity ? model.upper : model.upper + log_variance;
    variance = above ? capped : variance;
    log_variance = above ? model.upper_log : log_variance;
    const double sd = std::sqrt(variance);
    const double residual = sd * z[l];
    const double standardized = residual / sd;
    ht[l] = variance;
    e[l] = residual;
    log_ht[l] = log_variance;
    std_data[l] = standardized;
    centered[l] = std::fabs(standardized) - normal_abs_mean;
  }
}

// p = q = 1 and o = 1 with kAsym (else 0): the lag-1 values in registers.
template <std::size_t W, bool kAsym>
class ShortLanes {
 public:
  explicit ShortLanes(const LogvolSimulation& simulation)
      : simulation_(simulation),
        omega_(simulation.parameters[0]),
        alpha_(simulation.parameters[1]),
        gamma_(kAsym ? simulation.parameters[2] : 0.0),
        beta_(simulation.parameters[kAsym ? 3 : 2]) {}

  void load(std::size_t lane) {
    const std::uint64_t last = simulation_.rows - 1;
    centered_[lane] = simulation_.centered[last];
    std_[lane] = simulation_.std_data[last];
    log_[lane] = simulation_.log_ht[last];
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    double sum[W];
    for (std::size_t l = 0; l < W; ++l) {
      double s = omega_;
      s = s + alpha_ * centered_[l];
      if constexpr (kAsym) {
        s = s + gamma_ * std_[l];
      }
      s = s + beta_ * log_[l];
      sum[l] = s;
    }
    finish<W>(simulation_, sum, z, e, ht, log_, std_, centered_);
  }

 private:
  const LogvolSimulation& simulation_;
  double omega_, alpha_, gamma_, beta_;
  double centered_[W];
  double std_[W];
  double log_[W];
};

// Any orders: every lag from the rings, in the filter's order (constant, centered magnitudes
// 1 .. p, standardized values 1 .. o, log variances 1 .. q).
template <std::size_t W>
class RingLanes {
 public:
  explicit RingLanes(const LogvolSimulation& simulation)
      : simulation_(simulation), rings_(simulation.lanes, simulation.slots, simulation.rows) {}

  void load(std::size_t lane) {
    const LogvolSimulation& h = simulation_;
    rings_.load(lane, {h.centered, h.std_data, h.log_ht}, h.rows,
                static_cast<std::uint64_t>(std::max({h.p, h.o, h.q})));
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    const LogvolSimulation& h = simulation_;
    const double* alpha = h.parameters + 1;
    double sum[W];
    rings_.sum(sum, h.parameters[0], {alpha, alpha + h.p, alpha + h.p + h.o}, {h.p, h.o, h.q});
    finish<W>(h, sum, z, e, ht, rings_.now(2), rings_.now(1), rings_.now(0));
    rings_.advance();
  }

 private:
  const LogvolSimulation& simulation_;
  detail::LaneRings<kRings> rings_;
};

template <bool kAsym>
struct ShortFamily : LogvolSimulation {
  template <std::size_t W>
  using Lanes = ShortLanes<W, kAsym>;
};

struct RingFamily : LogvolSimulation {
  template <std::size_t W>
  using Lanes = RingLanes<W>;
};

bool short_orders(std::int32_t p, std::int32_t o, std::int32_t q) {
  return p == 1 && q == 1 && o <= 1;
}

}  // namespace

SimulationScratch logvol_simulate_scratch(std::int32_t p, std::int32_t o, std::int32_t q) {
  return {kSeries, short_orders(p, o, q) ? 0 : detail::ring_values(kRings, std::max({p, o, q}))};
}

void logvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                            const double* parameters, const double* backcast,
                            const double* upper_bound, std::int32_t p, std::int32_t o,
                            std::int32_t q, std::int32_t m, double* series, double* lanes,
                            SimulationLanes instruction_set) {
  if (paths.T == 0 || paths.N == 0) {
    return;  // nothing to simulate: no input is read, and the scratch may be absent
  }
  const std::uint64_t rows = history.rows;
  const Bounds bounds = bounds_of(backcast, upper_bound);
  const LogvolSimulation simulation{rows,
                                    parameters,
                                    backcast,
                                    upper_bound,
                                    p,
                                    o,
                                    q,
                                    m,
                                    series,
                                    series + rows,
                                    series + 2 * rows,
                                    series + 3 * rows,
                                    lanes,
                                    detail::ring_slots(std::max({p, o, q})),
                                    bounds.floor_variance,
                                    bounds.floor_log,
                                    bounds.upper,
                                    bounds.upper_log};
  if (short_orders(p, o, q)) {
    o == 1 ? detail::run_family<ShortFamily<true>>(simulation, paths, history, instruction_set)
           : detail::run_family<ShortFamily<false>>(simulation, paths, history, instruction_set);
    return;
  }
  detail::run_family<RingFamily>(simulation, paths, history, instruction_set);
}

}  // namespace volfilter
