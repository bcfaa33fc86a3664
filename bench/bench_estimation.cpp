// The compiled fit of one GARCH(1,1) series, standard errors included, with no host
// (estimation/optimiser), beside the likelihood evaluations it makes: each kind timed alone on
// the same series (value only of the series and of the start candidates' head, with the
// gradient, with the scores). The fit's counters give how many of each it made, so that what
// the optimiser and the rest cost beyond the likelihood is the fit's time less their sum.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "estimation.hpp"

namespace {

using namespace volfilter::estimation;

// GARCH(1,1) returns, omega 0.05, alpha 0.08, beta 0.87, from a fixed generator.
std::vector<double> returns(std::uint64_t T) {
  std::uint64_t state = 42;
  const auto uniform = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (static_cast<double>(state >> 11) + 0.5) * 0x1p-53;
  };
  std::vector<double> e(T);
  double h = 1.0;
  for (double& value : e) {
    const double z = std::sqrt(-2 * std::log(uniform())) * std::cos(6.283185307179586 * uniform());
    value = std::sqrt(h) * z;
    h = 0.05 + 0.08 * value * value + 0.87 * h;
  }
  return e;
}

FitRequest garch() {
  FitRequest request;
  request.specification.o = 0;
  request.specification.presample_rule = PresampleRule::mean;
  return request;
}

void BM_Fit(benchmark::State& state) {
  const auto T = static_cast<std::uint64_t>(state.range(0));
  const std::vector<double> e = returns(T);
  const FitRequest request = garch();
  std::vector<double> summary(kSummaryRows);
  PanelOutputs outputs;
  outputs.summary = summary.data();
  for (auto _ : state) {
    PanelFit fit(request, T, OutputSlots{});
    fit.run(e.data(), 1, 1, outputs);
    benchmark::DoNotOptimize(summary.data());
  }
  state.counters["values"] = summary[kFullValues];
  state.counters["head_values"] = summary[kHeadValues];
  state.counters["gradients"] = summary[kGradients];
  state.counters["scores"] = summary[kScores];
}

// kind 0: value only, 1: value only of the head of 2001, 2: gradient, 3: scores.
void BM_Evaluation(benchmark::State& state) {
  const auto T = static_cast<std::uint64_t>(state.range(0));
  const auto kind = state.range(1);
  const std::vector<double> e = returns(T);
  const FitRequest request = garch();
  const Plan plan = make_plan(request.specification, e.data(), T);
  Likelihood likelihood(request.specification, T);
  likelihood.bind(e.data(), T, plan.backcast, plan.upper_bound);
  const std::vector<double> theta{0.05, 0.08, 0.87};
  std::vector<double> gradient(3);
  std::vector<double> scores(3 * T);
  std::vector<double> ht(T);
  for (auto _ : state) {
    double nll = 0.0;
    switch (kind) {
      case 0:
        nll = likelihood.value(theta.data(), T);
        break;
      case 1:
        nll = likelihood.value(theta.data(), 2001);
        break;
      case 2:
        nll = likelihood.gradient(theta.data(), gradient.data());
        break;
      default:
        nll = likelihood.scores(theta.data(), nullptr, scores.data(), ht.data());
        break;
    }
    benchmark::DoNotOptimize(nll);
  }
}

void sizes(benchmark::internal::Benchmark* b, bool kinds) {
  for (const std::int64_t T : {1000, 4000, 20000}) {
    if (kinds) {
      for (std::int64_t kind = 0; kind < 4; ++kind) {
        b->Args({T, kind});
      }
    } else {
      b->Arg(T);
    }
  }
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Fit)->Apply([](benchmark::internal::Benchmark* b) { sizes(b, false); });
BENCHMARK(BM_Evaluation)->Apply([](benchmark::internal::Benchmark* b) { sizes(b, true); });

}  // namespace

BENCHMARK_MAIN();
