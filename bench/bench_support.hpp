// Shared pieces of the kernel benchmarks.
//
// Every benchmark is named <kernel>/<variant>/<implementation>/<T>, the implementation
// being `kernel` (the shipped one), `baseline` (the straightforward one) or `floor` (the
// latency floor of its recursion), and reports the time per observation in the counter
// `per_obs` (seconds, so "1.7n" is 1.7 ns). The reporter of bench_main.cpp pairs the three
// implementations of each kernel, variant and T and prints their ratios.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace volfilter::bench {

// The sample sizes of every benchmark.
inline const std::vector<std::uint64_t>& sample_sizes() {
  static const std::vector<std::uint64_t> sizes{1000, 10000, 100000, 1000000};
  return sizes;
}

// Registers one benchmark that times `call` (one kernel call over inputs that `prepare`
// builds for T, outside the timing) and reports the time per observation.
template <typename Prepare>
void add(const std::string& kernel, const std::string& variant, const std::string& impl,
         std::uint64_t T, Prepare prepare) {
  const std::string name = kernel + "/" + variant + "/" + impl + "/" + std::to_string(T);
  benchmark::RegisterBenchmark(name.c_str(), [prepare, T](benchmark::State& state) {
    const std::function<void()> call = prepare(T);
    for (auto _ : state) {
      call();
      benchmark::ClobberMemory();
    }
    state.counters["per_obs"] =
        benchmark::Counter(static_cast<double>(T), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
  });
}

// Registers the kernel, its baseline and its floor for one variant at every sample size.
// The inputs are built as Inputs(T, argument) outside the timing; `kernel`, `baseline` and
// `floor` are then timed as f(inputs, T).
template <typename Inputs, typename Argument, typename Kernel, typename Baseline, typename Floor>
void add_side_by_side(const std::string& kernel_name, const std::string& variant, Argument argument,
                      Kernel kernel, Baseline baseline, Floor floor) {
  const auto prepared = [argument](auto run) {
    return [argument, run](std::uint64_t T) {
      auto inputs = std::make_shared<Inputs>(T, argument);
      return std::function<void()>([inputs, run, T] { run(*inputs, T); });
    };
  };
  for (const std::uint64_t T : sample_sizes()) {
    add(kernel_name, variant, "kernel", T, prepared(kernel));
    add(kernel_name, variant, "baseline", T, prepared(baseline));
    add(kernel_name, variant, "floor", T, prepared(floor));
  }
}

// Reproducible random series.
inline std::vector<double> uniform(std::uint64_t n, double low, double high, unsigned seed) {
  std::mt19937_64 generator(seed);
  std::uniform_real_distribution<double> draw(low, high);
  std::vector<double> values(n);
  for (double& value : values) {
    value = draw(generator);
  }
  return values;
}

// Registration of each kernel's benchmarks, one source each.
void add_threshvol();
void add_logvol();
void add_shiftvol();
void add_intvol();
void add_lagreg();
void add_pairwise();
void add_likelihoods();
void add_simulate();

}  // namespace volfilter::bench
