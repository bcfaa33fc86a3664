// Simulated paths of the threshold model: threshvol_kernel continued, one path to a lane
// (simulation_lanes.hpp).
#include <algorithm>
#include <cmath>

#include "kernels.hpp"
#include "simulation_lanes.hpp"

namespace volfilter {

namespace {

// The recursion of threshvol_kernel run by itself: any type but 1 returns its values as they
// are, unsquared.
constexpr std::int32_t kRecursionValues = 2;

// The series fed back: the data, the asymmetric data and the recursion's own values
// (standard deviations under power 1).
constexpr std::uint64_t kSeries = 3;

// What every lane reads: the parameters and orders, and the history's series as the
// filter leaves them (the data, the asymmetric data, the recursion's values).
struct ThreshvolSimulation {
  std::uint64_t rows;
  const double* parameters;
  const double* backcast;
  std::int32_t p, o, q, m;
  bool power_one;
  double* data;
  double* asym;
  double* recursion;
  double* lanes;
  std::uint64_t slots;

  // The data formed from one column of the history, as the likelihood forms them, and the
  // filter's recursion over them.
  void run_history(const double* e) const {
    for (std::uint64_t t = 0; t < rows; ++t) {
      data[t] = power_one ? std::fabs(e[t]) : e[t] * e[t];
      asym[t] = e[t] < 0.0 ? data[t] : 0.0;
    }
    threshvol_kernel(data, asym, parameters, backcast, p, o, q, m, rows, kRecursionValues,
                     recursion);
  }
};

// The end of one lane's step from its recursion value s: the variance, the residual and the
// data that later steps feed back.
template <bool kPowerOne>
VOLFILTER_LANE_INLINE void finish(double s, double z, double& e, double& ht, double& data,
                                  double& asym) {
  ht = kPowerOne ? s * s : s;
  e = std::sqrt(ht) * z;
  data = kPowerOne ? std::fabs(e) : e * e;
  asym = e < 0.0 ? data : 0.0;
}

// p = q = 1 and o = 1 with kAsym (else 0): the lag-1 values in registers.
template <std::size_t W, bool kAsym, bool kPowerOne>
class ShortLanes {
 public:
  explicit ShortLanes(const ThreshvolSimulation& simulation)
      : simulation_(simulation),
        omega_(simulation.parameters[0]),
        alpha_(simulation.parameters[1]),
        gamma_(kAsym ? simulation.parameters[2] : 0.0),
        beta_(simulation.parameters[kAsym ? 3 : 2]) {}

  void load(std::size_t lane) {
    const std::uint64_t last = simulation_.rows - 1;
    data_[lane] = simulation_.data[last];
    asym_[lane] = simulation_.asym[last];
    s_[lane] = simulation_.recursion[last];
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    for (std::size_t l = 0; l < W; ++l) {
      double s = omega_;
      s = s + data_[l] * alpha_;
      if constexpr (kAsym) {
        s = s + asym_[l] * gamma_;
      }
      s = s + s_[l] * beta_;
      finish<kPowerOne>(s, z[l], e[l], ht[l], data_[l], asym_[l]);
      s_[l] = s;
    }
  }

 private:
  const ThreshvolSimulation& simulation_;
  double omega_, alpha_, gamma_, beta_;
  double data_[W];
  double asym_[W];
  double s_[W];
};

// Any orders: every lag from the rings, in the filter's order (constant, data lags 1 .. p,
// asymmetric lags 1 .. o, recursion lags 1 .. q).
template <std::size_t W, bool kPowerOne>
class RingLanes {
 public:
  explicit RingLanes(const ThreshvolSimulation& simulation)
      : simulation_(simulation), rings_(simulation.lanes, simulation.slots, simulation.rows) {}

  void load(std::size_t lane) {
    const ThreshvolSimulation& h = simulation_;
    rings_.load(lane, {h.data, h.asym, h.recursion}, h.rows,
                static_cast<std::uint64_t>(std::max({h.p, h.o, h.q})));
  }

  VOLFILTER_LANE_INLINE void step(const double* z, double* e, double* ht) {
    const ThreshvolSimulation& h = simulation_;
    const double* alpha = h.parameters + 1;
    double s[W];
    rings_.sum(s, h.parameters[0], {alpha, alpha + h.p, alpha + h.p + h.o}, {h.p, h.o, h.q});
    double* data = rings_.now(0);
    double* asym = rings_.now(1);
    double* recursion = rings_.now(2);
    for (std::size_t l = 0; l < W; ++l) {
      finish<kPowerOne>(s[l], z[l], e[l], ht[l], data[l], asym[l]);
      recursion[l] = s[l];
    }
    rings_.advance();
  }

 private:
  const ThreshvolSimulation& simulation_;
  detail::LaneRings<kSeries> rings_;
};

template <bool kAsym, bool kPowerOne>
struct ShortFamily : ThreshvolSimulation {
  template <std::size_t W>
  using Lanes = ShortLanes<W, kAsym, kPowerOne>;
};

template <bool kPowerOne>
struct RingFamily : ThreshvolSimulation {
  template <std::size_t W>
  using Lanes = RingLanes<W, kPowerOne>;
};

}  // namespace

SimulationScratch threshvol_simulate_scratch(std::int32_t p, std::int32_t o, std::int32_t q) {
  const bool short_orders = p == 1 && q == 1 && o <= 1;
  return {kSeries, short_orders ? 0 : detail::ring_values(kSeries, std::max({p, o, q}))};
}

void threshvol_simulate_kernel(SimulationPaths paths, SimulationHistory history,
                               const double* parameters, const double* backcast, std::int32_t p,
                               std::int32_t o, std::int32_t q, std::int32_t m, std::int32_t type,
                               double* series, double* lanes, SimulationLanes instruction_set) {
  if (paths.T == 0 || paths.N == 0) {
    return;  // nothing to simulate: no input is read, and the scratch may be absent
  }
  const bool power_one = type == 1;
  const std::uint64_t rows = history.rows;
  const ThreshvolSimulation simulation{rows,
                                       parameters,
                                       backcast,
                                       p,
                                       o,
                                       q,
                                       m,
                                       power_one,
                                       series,
                                       series + rows,
                                       series + 2 * rows,
                                       lanes,
                                       detail::ring_slots(std::max({p, o, q}))};
  if (p == 1 && q == 1 && o <= 1) {
    if (o == 1) {
      power_one
          ? detail::run_family<ShortFamily<true, true>>(simulation, paths, history, instruction_set)
          : detail::run_family<ShortFamily<true, false>>(simulation, paths, history,
                                                         instruction_set);
    } else {
      power_one ? detail::run_family<ShortFamily<false, true>>(simulation, paths, history,
                                                               instruction_set)
                : detail::run_family<ShortFamily<false, false>>(simulation, paths, history,
                                                                instruction_set);
    }
    return;
  }
  power_one ? detail::run_family<RingFamily<true>>(simulation, paths, history, instruction_set)
            : detail::run_family<RingFamily<false>>(simulation, paths, history, instruction_set);
}

}  // namespace volfilter
