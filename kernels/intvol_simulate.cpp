// Simulated paths of the integrated model: intvol_kernel continued, one path to a lane
// (simulation_lanes.hpp).
#include <algorithm>
#include <cmath>

#include "kernels.hpp"
#include "simulation_lanes.hpp"

namespace volfilter {

namespace {

// The recursion of intvol_kernel run by itself: any type but 1 returns its values as they
// are, unsquared.
constexpr std::int32_t kRecursionValues = 2;

// The history's series, and the series fed back: the data and the recursion's own values
// (standard deviations under power 1).
constexpr std::uint64_t kSeries = 2;

// What every lane reads: the coefficients and orders, and the history's series.
struct IntvolSimulation {
  std::uint64_t rows;
  const double* parameters;
  const double* backcast;
  std::int32_t p, q, m, has_constant;
  bool power_one;
  double* data;
  double* recursion;
  double* lanes;
  std::uint64_t slots;
  // The constant (+0.0 without one), alpha_1 .. alpha_p then beta_1 .. beta_(q-1), and the
  // implied coefficient of lag q, formed as the filter forms it.
  double constant;
  const double* alpha;
  double implied;

  // The data formed from one column of the history, as the likelihood forms them, and the
  // filter's recursion over them.
  void run_history(const double* e) const {
    for (std::uint64_t t = 0; t < rows; ++t) {
      data[t] = power_one ? std::fabs(e[t]) : e[t] * e[t];
    }
    intvol_kernel(data, parameters, backcast, p, q, m, rows, kRecursionValues, has_constant,
                  recursion);
  }
};

// The end of one lane's step from its recursion value s: the variance, the residual and the
// data that later steps feed back.
template <bool kPowerOne>
VOLFILTER_LANE_INLINE void finish(double s, double z, double& e, double& ht, double& data) {
  ht = kPowerOne ? s * s : s;
  e = std::sqrt(ht) * z;
  data = kPowerOne ? std::fabs(e) : e * e;
}

// p = q = 1: the lag-1 values in registers; lag 1 of the recursion carries the implied
// coefficient.
template <std::size_t W, bool kPowerOne>
class ShortLanes {
 public:
  explicit ShortLanes(const IntvolSimulation& simulation)
      : simulation_(simulation), alpha_(simulation.alpha[0]) {}

  void load(std::size_t lane) {
    const std::uint64_t last = simulation_.rows - 1;
    data_[lane] = simulation_.data[last];
    s_[lane] = simulation_.recursion[last];
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    for (std::size_t l = 0; l < W; ++l) {
      double s = simulation_.constant;
      s = s + data_[l] * alpha_;
      s = s + simulation_.implied * s_[l];
      finish<kPowerOne>(s, z[l], e[l], ht[l], data_[l]);
      s_[l] = s;
    }
  }

 private:
  const IntvolSimulation& simulation_;
  double alpha_;
  double data_[W];
  double s_[W];
};

// Any orders: every lag from the rings, in the filter's order (constant, data lags 1 .. p,
// recursion lags 1 .. q - 1, the implied term of lag q last).
template <std::size_t W, bool kPowerOne>
class RingLanes {
 public:
  explicit RingLanes(const IntvolSimulation& simulation)
      : simulation_(simulation), rings_(simulation.lanes, simulation.slots, simulation.rows) {}

  void load(std::size_t lane) {
    const IntvolSimulation& h = simulation_;
    rings_.load(lane, {h.data, h.recursion}, h.rows,
                static_cast<std::uint64_t>(std::max(h.p, h.q)));
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    const IntvolSimulation& h = simulation_;
    double s[W];
    rings_.sum(s, h.constant, {h.alpha, h.alpha + h.p}, {h.p, h.q - 1});
    const double* lag_q = rings_.lag(1, static_cast<std::uint64_t>(h.q));
    for (std::size_t l = 0; l < W; ++l) {
      s[l] = s[l] + h.implied * lag_q[l];
    }
    double* data = rings_.now(0);
    double* recursion = rings_.now(1);
    for (std::size_t l = 0; l < W; ++l) {
      finish<kPowerOne>(s[l], z[l], e[l], ht[l], data[l]);
      recursion[l] = s[l];
    }
    rings_.advance();
  }

 private:
  const IntvolSimulation& simulation_;
  detail::LaneRings<kSeries> rings_;
};

template <bool kPowerOne>
struct ShortFamily : IntvolSimulation {
  template <std::size_t W>
  using Lanes = ShortLanes<W, kPowerOne>;
};

template <bool kPowerOne>
struct RingFamily : IntvolSimulation {
  template <std::size_t W>
  using Lanes = RingLanes<W, kPowerOne>;
};

bool short_orders(std::int32_t p, std::int32_t q) { return p == 1 && q == 1; }

}  // namespace

SimulationScratch intvol_simulate_scratch(std::int32_t p, std::int32_t q) {
  return {kSeries, short_orders(p, q) ? 0 : detail::ring_values(kSeries, std::max(p, q))};
}

void intvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                            const double* parameters, const double* backcast, std::int32_t p,
                            std::int32_t q, std::int32_t m, std::int32_t type,
                            std::int32_t has_constant, double* series, double* lanes,
                            SimulationLanes instruction_set) {
  if (paths.T == 0 || paths.N == 0) {
    return;  // nothing to simulate: no input is read, and the scratch may be absent
  }
  // has_constant is both the test for the constant at index 0 and the index of alpha_1.
  const double* alpha = parameters + has_constant;
  double implied = 1.0;
  const std::int64_t explicit_count = std::int64_t{p} + std::int64_t{q} - 1;
  for (std::int64_t i = 0; i < explicit_count; ++i) {
    implied = implied - alpha[i];
  }
  const std::uint64_t rows = history.rows;
  const IntvolSimulation simulation{rows,
                                    parameters,
                                    backcast,
                                    p,
                                    q,
                                    m,
                                    has_constant,
                                    type == 1,
                                    series,
                                    series + rows,
                                    lanes,
                                    detail::ring_slots(std::max(p, q)),
                                    has_constant != 0 ? parameters[0] : 0.0,
                                    alpha,
                                    implied};
  if (short_orders(p, q)) {
    simulation.power_one
        ? detail::run_family<ShortFamily<true>>(simulation, paths, history, instruction_set)
        : detail::run_family<ShortFamily<false>>(simulation, paths, history, instruction_set);
    return;
  }
  simulation.power_one
      ? detail::run_family<RingFamily<true>>(simulation, paths, history, instruction_set)
      : detail::run_family<RingFamily<false>>(simulation, paths, history, instruction_set);
}

}  // namespace volfilter
