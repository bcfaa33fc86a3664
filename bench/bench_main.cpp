// Kernel benchmarks: every kernel beside its straightforward baseline and its latency floor,
// followed by a table of the ratios kernel/baseline and kernel/floor (medians when run with
// --benchmark_repetitions).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "bench_support.hpp"

namespace {

struct Key {
  std::string kernel;
  std::string variant;
  std::uint64_t T;
  bool operator<(const Key& other) const {
    return std::tie(kernel, variant, T) < std::tie(other.kernel, other.variant, other.T);
  }
};

struct Times {
  double kernel = 0;  // ns per observation; 0 when not run
  double baseline = 0;
  double floor = 0;
};

// The console output as usual, then the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // One value per benchmark: the median of its repetitions, or its one run.
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const auto counter = run.counters.find("per_obs");
      if ((single || median) && counter != run.counters.end() && !run.error_occurred) {
        record(run.run_name.function_name, counter->second.value * 1e9);
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    char line[160];
    static_cast<void>(std::snprintf(line, sizeof line, "\n%-18s %-18s %8s %9s %9s %9s %9s %9s\n",
                                    "kernel", "variant", "T", "kernel", "baseline", "floor",
                                    "k/base", "k/floor"));
    out << line << "(ns per observation)\n";
    for (const auto& [key, times] : table_) {
      static_cast<void>(std::snprintf(
          line, sizeof line, "%-18s %-18s %8llu %9.3f %9.3f %9.3f %9.3f %9.3f\n",
          key.kernel.c_str(), key.variant.c_str(), static_cast<unsigned long long>(key.T),
          times.kernel, times.baseline, times.floor, ratio(times.kernel, times.baseline),
          ratio(times.kernel, times.floor)));
      out << line;
    }
  }

 private:
  static double ratio(double numerator, double denominator) {
    return numerator > 0 && denominator > 0 ? numerator / denominator : 0.0;
  }

  // Names are <kernel>/<variant>/<implementation>/<T>.
  void record(const std::string& name, double ns_per_obs) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (std::string::size_type slash; (slash = name.find('/', start)) != std::string::npos;
         start = slash + 1) {
      parts.push_back(name.substr(start, slash - start));
    }
    parts.push_back(name.substr(start));
    if (parts.size() != 4) {
      return;
    }
    Times& times = table_[Key{parts[0], parts[1], std::stoull(parts[3])}];
    if (parts[2] == "kernel") {
      times.kernel = ns_per_obs;
    } else if (parts[2] == "baseline") {
      times.baseline = ns_per_obs;
    } else if (parts[2] == "floor") {
      times.floor = ns_per_obs;
    }
  }

  std::map<Key, Times> table_;
};

}  // namespace

int main(int argc, char** argv) {
  volfilter::bench::add_threshvol();
  volfilter::bench::add_logvol();
  volfilter::bench::add_shiftvol();
  volfilter::bench::add_intvol();
  volfilter::bench::add_lagreg();
  volfilter::bench::add_pairwise();
  volfilter::bench::add_likelihoods();
  volfilter::bench::add_simulate();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
