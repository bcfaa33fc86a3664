// The simulation kernels: N paths of T = 1000 steps after a history of 1000 residuals, per
// path-step. Named <model>_simulate/<variant>_N<paths>/<implementation>/1000, where
// `kernel` runs the N paths in one call (the lanes), `baseline` runs the same N paths one
// at a time (N calls of one path: the kernel without lanes), and `floor` is the least work
// a path-step of any model does when nothing is chained, a square root, a product and two
// stores (floors::residuals). kernel/baseline is then what the lanes gain, kernel/floor how
// close they come to the throughput of the square roots. Variants ending in _sse2 run the
// lanes on the baseline instruction set.
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "floors.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

constexpr std::uint64_t kSteps = 1000;
constexpr std::uint64_t kHistory = 1000;

struct Model {
  std::string name;  // threshvol, logvol, shiftvol, intvol
  std::string variant;
  int p, o, q, type;
  std::vector<double> parameters;
  double backcast;
};

struct Inputs {
  Model model;
  std::uint64_t N;
  std::vector<double> z, history, e, ht, series, lanes, h;
  double upper_bound = 1e6;

  Inputs(const Model& setting, std::uint64_t paths)
      : model(setting),
        N(paths),
        z(normal_like(kSteps * paths, 11)),
        history(normal_like(kHistory, 12)),
        e(kSteps * paths),
        ht(kSteps * paths),
        series(4 * kHistory),
        lanes(3 * 64 * 16),
        h(uniform(kSteps * paths, 0.5, 1.5, 13)) {}

  // Innovations of unit variance with both signs (uniform on +-sqrt(3)).
  static std::vector<double> normal_like(std::uint64_t n, unsigned seed) {
    return uniform(n, -1.7320508, 1.7320508, seed);
  }

  void simulate(std::uint64_t first, std::uint64_t paths, SimulationLanes instruction_set) {
    const SimulationPaths out{z.data() + first * kSteps, kSteps, paths, e.data() + first * kSteps,
                              ht.data() + first * kSteps};
    const SimulationHistory past{history.data(), kHistory, 1};
    const double* theta = model.parameters.data();
    const int p = model.p;
    const int o = model.o;
    const int q = model.q;
    const int m = std::max({p, o, q});
    if (model.name == "threshvol") {
      threshvol_simulate_kernel(out, past, theta, &model.backcast, p, o, q, m, model.type,
                                series.data(), lanes.data(), instruction_set);
    } else if (model.name == "logvol") {
      logvol_simulate_kernel(out, past, theta, &model.backcast, &upper_bound, p, o, q, m,
                             series.data(), lanes.data(), instruction_set);
    } else if (model.name == "shiftvol") {
      shiftvol_simulate_kernel(out, past, theta, &model.backcast, p, q, m, model.type,
                               series.data(), lanes.data(), instruction_set);
    } else {
      intvol_simulate_kernel(out, past, theta, &model.backcast, p, q, m, model.type, 1,
                             series.data(), lanes.data(), instruction_set);
    }
  }
};

// Registers one implementation, timed per path-step.
void add_one(const std::string& name, const Model& model, std::uint64_t paths,
             const std::function<void(Inputs&)>& run) {
  benchmark::RegisterBenchmark(name.c_str(), [model, paths, run](benchmark::State& state) {
    Inputs inputs(model, paths);
    for (auto _ : state) {
      run(inputs);
      benchmark::ClobberMemory();
    }
    state.counters["per_obs"] = benchmark::Counter(
        static_cast<double>(kSteps * paths),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  });
}

void add_model(const Model& model, std::uint64_t paths, SimulationLanes instruction_set,
               const std::string& suffix) {
  const std::string prefix =
      model.name + "_simulate/" + model.variant + "_N" + std::to_string(paths) + suffix + "/";
  const std::string steps = "/" + std::to_string(kSteps);
  add_one(prefix + "kernel" + steps, model, paths,
          [paths, instruction_set](Inputs& in) { in.simulate(0, paths, instruction_set); });
  add_one(prefix + "baseline" + steps, model, paths, [paths, instruction_set](Inputs& in) {
    for (std::uint64_t j = 0; j < paths; ++j) {
      in.simulate(j, 1, instruction_set);
    }
  });
  add_one(prefix + "floor" + steps, model, paths, [paths](Inputs& in) {
    floors::residuals(in.h.data(), in.z.data(), kSteps * paths, in.e.data(), in.ht.data());
  });
}

}  // namespace

void add_simulate() {
  const std::vector<Model> models{
      {"threshvol", "garch11", 1, 0, 1, 2, {0.05, 0.1, 0.85}, 1.0},
      {"threshvol", "gjr111", 1, 1, 1, 2, {0.05, 0.05, 0.1, 0.8}, 1.0},
      {"threshvol", "power1", 1, 1, 1, 1, {0.04, 0.06, 0.05, 0.85}, 1.0},
      {"threshvol", "order212", 2, 1, 2, 2, {0.05, 0.04, 0.03, 0.08, 0.4, 0.35}, 1.0},
      {"logvol", "order111", 1, 1, 1, 0, {0.0, 0.1, -0.06, 0.97}, 0.0},
      {"shiftvol", "constant11", 1, 0, 1, 1, {0.05, 0.08, 0.3, 0.85}, 1.0},
      {"shiftvol", "scaled11", 1, 0, 1, 0, {0.05, 0.07, 0.5, 0.8}, 1.0},
      {"intvol", "order11", 1, 0, 1, 2, {0.02, 0.1}, 1.0},
  };
  for (const Model& model : models) {
    for (const std::uint64_t paths : {std::uint64_t{16}, std::uint64_t{256}}) {
      add_model(model, paths, SimulationLanes::automatic, "");
    }
  }
  // GARCH(1,1) with the lanes on the baseline instruction set, beside the automatic choice.
  add_model(models[0], 16, SimulationLanes::baseline, "_sse2");
  add_model(models[0], 256, SimulationLanes::baseline, "_sse2");
}

}  // namespace volfilter::bench
