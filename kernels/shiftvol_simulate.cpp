// Simulated paths of the shifted-innovation model: shiftvol_kernel continued, one path to a
// lane (simulation_lanes.hpp).
#include <algorithm>
#include <cmath>

#include "kernels.hpp"
#include "simulation_lanes.hpp"

namespace volfilter {

namespace {

// The history's series as the filter leaves them, and the series fed back: the variances and
// the shifted squares.
constexpr std::uint64_t kSeries = 2;

// What every lane reads: the parameters, orders and shift, and the history's series.
struct ShiftvolSimulation {
  std::uint64_t rows;
  const double* parameters;
  const double* backcast;
  std::int32_t p, q, m, type;
  double* ht;
  double* shifted_sq;
  double* lanes;
  std::uint64_t slots;
  double gamma;

  void run_history(const double* e) const {
    shiftvol_kernel(e, parameters, backcast, p, q, m, rows, type, ht, shifted_sq);
  }
};

// The end of one lane's step from its variance h: the residual and its shifted square,
// shifted by gamma or (kConstantShift false) by gamma times the standard deviation.
template <bool kConstantShift>
VOLFILTER_LANE_INLINE void finish(double h, double gamma, double z, double& e, double& shifted_sq) {
  const double sd = std::sqrt(h);
  e = sd * z;
  const double d = kConstantShift ? e - gamma : e - gamma * sd;
  shifted_sq = d * d;
}

// p = q = 1: the lag-1 values in registers.
template <std::size_t W, bool kConstantShift>
class ShortLanes {
 public:
  explicit ShortLanes(const ShiftvolSimulation& simulation)
      : simulation_(simulation),
        omega_(simulation.parameters[0]),
        alpha_(simulation.parameters[1]),
        beta_(simulation.parameters[3]) {}

  void load(std::size_t lane) {
    const std::uint64_t last = simulation_.rows - 1;
    h_[lane] = simulation_.ht[last];
    s_[lane] = simulation_.shifted_sq[last];
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    for (std::size_t l = 0; l < W; ++l) {
      double h = omega_;
      h = h + alpha_ * s_[l];
      h = h + beta_ * h_[l];
      finish<kConstantShift>(h, simulation_.gamma, z[l], e[l], s_[l]);
      ht[l] = h;
      h_[l] = h;
    }
  }

 private:
  const ShiftvolSimulation& simulation_;
  double omega_, alpha_, beta_;
  double h_[W];
  double s_[W];
};

// Any orders: every lag from the rings, in the filter's order (constant, shifted squares
// 1 .. p, variances 1 .. q).
template <std::size_t W, bool kConstantShift>
class RingLanes {
 public:
  explicit RingLanes(const ShiftvolSimulation& simulation)
      : simulation_(simulation), rings_(simulation.lanes, simulation.slots, simulation.rows) {}

  void load(std::size_t lane) {
    const ShiftvolSimulation& h = simulation_;
    rings_.load(lane, {h.shifted_sq, h.ht}, h.rows, static_cast<std::uint64_t>(std::max(h.p, h.q)));
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    const ShiftvolSimulation& h = simulation_;
    const double* alpha = h.parameters + 1;
    double variance[W];
    rings_.sum(variance, h.parameters[0], {alpha, alpha + h.p + 1}, {h.p, h.q});
    double* shifted_sq = rings_.now(0);
    double* lagged = rings_.now(1);
    for (std::size_t l = 0; l < W; ++l) {
      finish<kConstantShift>(variance[l], h.gamma, z[l], e[l], shifted_sq[l]);
      ht[l] = variance[l];
      lagged[l] = variance[l];
    }
    rings_.advance();
  }

 private:
  const ShiftvolSimulation& simulation_;
  detail::LaneRings<kSeries> rings_;
};

template <bool kConstantShift>
struct ShortFamily : ShiftvolSimulation {
  template <std::size_t W>
  using Lanes = ShortLanes<W, kConstantShift>;
};

template <bool kConstantShift>
struct RingFamily : ShiftvolSimulation {
  template <std::size_t W>
  using Lanes = RingLanes<W, kConstantShift>;
};

bool short_orders(std::int32_t p, std::int32_t q) { return p == 1 && q == 1; }

}  // namespace

SimulationScratch shiftvol_simulate_scratch(std::int32_t p, std::int32_t q) {
  return {kSeries, short_orders(p, q) ? 0 : detail::ring_values(kSeries, std::max(p, q))};
}

void shiftvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                              const double* parameters, const double* backcast, std::int32_t p,
                              std::int32_t q, std::int32_t m, std::int32_t type, double* series,
                              double* lanes, SimulationLanes instruction_set) {
  if (paths.T == 0 || paths.N == 0) {
    return;  // nothing to simulate: no input is read, and the scratch may be absent
  }
  const std::uint64_t rows = history.rows;
  const double gamma = parameters[p + 1];
  const ShiftvolSimulation simulation{rows,
                                      parameters,
                                      backcast,
                                      p,
                                      q,
                                      m,
                                      type,
                                      series,
                                      series + rows,
                                      lanes,
                                      detail::ring_slots(std::max(p, q)),
                                      gamma};
  const bool constant_shift = type == 1;
  if (short_orders(p, q)) {
    constant_shift
        ? detail::run_family<ShortFamily<true>>(simulation, paths, history, instruction_set)
        : detail::run_family<ShortFamily<false>>(simulation, paths, history, instruction_set);
    return;
  }
  constant_shift
      ? detail::run_family<RingFamily<true>>(simulation, paths, history, instruction_set)
      : detail::run_family<RingFamily<false>>(simulation, paths, history, instruction_set);
}

}  // namespace volfilter
