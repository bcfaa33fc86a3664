// The compiled fit of one series, standard errors included, with no host (estimation/optimiser),
// beside the likelihood evaluations it makes. Cases: GARCH(1,1), the threshold GARCH(1,1,1)
// (GJR), the exponential GARCH(1,1,1) and the GJR with Student's t, each at T = 1,000, 4,000
// and 20,000. Each iteration times the fit, then the same likelihood evaluations again at its
// estimates (value only of the series, of the start candidates' head, with the gradient, with
// the scores, as many of each as the fit made); the counters give the counts, the medians
// `fit_us` and `likelihood_us` and `beyond_us`, their difference: what the fit costs beyond
// its evaluations (the optimiser, the plan, the covariances). Times are the thread's
// processor time, which other work on a shared machine disturbs less than the wall time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "estimation.hpp"

namespace {

using namespace volfilter::estimation;

struct Case {
  const char* name;
  Model model;
  std::int32_t o;
  volfilter::Distribution distribution;
  std::vector<double> truth;  // omega, alpha, gamma (where o = 1), beta, nu (Student's t)
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all{
      {"garch", Model::threshvol, 0, volfilter::Distribution::normal, {0.05, 0.08, 0.87}},
      {"gjr", Model::threshvol, 1, volfilter::Distribution::normal, {0.02, 0.05, 0.10, 0.88}},
      {"egarch", Model::logvol, 1, volfilter::Distribution::normal, {-0.01, 0.15, -0.08, 0.95}},
      {"gjr_t",
       Model::threshvol,
       1,
       volfilter::Distribution::student_t,
       {0.02, 0.05, 0.10, 0.88, 6.0}},
  };
  return all;
}

// Returns of the case's model from a fixed generator: normal deviates by Box-Muller, Student's
// t ones as a normal over the root of a mean of nu squared normals, scaled to unit variance.
std::vector<double> returns(const Case& c, std::uint64_t T) {
  std::uint64_t state = 42;
  const auto uniform = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (static_cast<double>(state >> 11) + 0.5) * 0x1p-53;
  };
  const auto normal = [&uniform] {
    return std::sqrt(-2 * std::log(uniform())) * std::cos(6.283185307179586 * uniform());
  };
  const std::vector<double>& w = c.truth;
  const bool student = c.distribution == volfilter::Distribution::student_t;
  const int nu = student ? static_cast<int>(w.back()) : 0;
  std::vector<double> e(T);
  double h = 1.0;
  double log_h = 0.0;
  for (double& value : e) {
    double z = normal();
    if (student) {
      double squares = 0.0;
      for (int i = 0; i < nu; ++i) {
        const double x = normal();
        squares = squares + x * x;
      }
      z = z / std::sqrt(squares / nu) * std::sqrt((nu - 2.0) / nu);
    }
    if (c.model == Model::logvol) {
      value = std::exp(0.5 * log_h) * z;
      log_h =
          w[0] + w[1] * (std::fabs(z) - std::sqrt(2 / 3.141592653589793)) + w[2] * z + w[3] * log_h;
    } else {
      value = std::sqrt(h) * z;
      const double gamma = c.o > 0 && value < 0 ? w[2] : 0.0;
      h = w[0] + (w[1] + gamma) * value * value + w[c.o > 0 ? 3 : 2] * h;
    }
  }
  return e;
}

FitRequest request_of(const Case& c) {
  FitRequest request;
  request.settings.model = c.model;
  request.settings.o = c.o;
  request.settings.distribution = c.distribution;
  request.settings.presample_rule = PresampleRule::mean;
  return request;
}

// The calling thread's processor time so far, in microseconds.
double thread_microseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return 1e6 * static_cast<double>(now.tv_sec) + 1e-3 * static_cast<double>(now.tv_nsec);
}

void BM_Fit(benchmark::State& state, const Case& c) {
  const auto T = static_cast<std::uint64_t>(state.range(0));
  const std::vector<double> e = returns(c, T);
  const FitRequest request = request_of(c);
  std::vector<double> summary(kSummaryRows);
  std::vector<double> parameters(c.truth.size());
  PanelOutputs outputs;
  outputs.summary = summary.data();
  outputs.parameters = parameters.data();
  OutputSlots slots;
  slots.parameters = true;

  // The same evaluations again, at the estimates, on the fit's kind of scratch.
  const Plan plan = make_plan(request.settings, e.data(), T);
  Likelihood likelihood(request.settings, T);
  likelihood.bind(e.data(), T, plan.backcast, plan.upper_bound);
  const std::size_t k = parameters.size();
  std::vector<double> gradient(k);
  std::vector<double> scores(k * T);
  std::vector<double> ht(T);
  const std::uint64_t head = std::min<std::uint64_t>(T, 1 + 2000);
  const auto count = [&](SummaryRow row) { return static_cast<int>(summary[row]); };
  const auto replay = [&] {
    const double* theta = parameters.data();
    double sum = 0.0;
    for (int i = 0; i < count(kFullValues); ++i) {
      sum = sum + likelihood.value(theta, T);
    }
    for (int i = 0; i < count(kHeadValues); ++i) {
      sum = sum + likelihood.value(theta, head);
    }
    for (int i = 0; i < count(kGradients); ++i) {
      sum = sum + likelihood.gradient(theta, gradient.data());
    }
    for (int i = 0; i < count(kScores); ++i) {
      sum = sum + likelihood.scores(theta, nullptr, scores.data(), ht.data());
    }
    return sum;
  };

  // Each iteration times the fit, then the replay of its evaluations, one after the other so
  // that both meet the same load; the medians of both are reported.
  std::vector<double> fit_times;
  std::vector<double> likelihood_times;
  for (auto _ : state) {
    const double started = thread_microseconds();
    PanelFit fit(request, T, slots);
    fit.run(e.data(), 1, 1, outputs);
    benchmark::DoNotOptimize(summary.data());
    const double fitted = thread_microseconds();
    benchmark::DoNotOptimize(replay());
    fit_times.push_back(fitted - started);
    likelihood_times.push_back(thread_microseconds() - fitted);
    state.SetIterationTime(1e-6 * fit_times.back());
  }
  const auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  const double fit_us = median(fit_times);
  const double likelihood_us = median(likelihood_times);
  state.counters["evaluations"] = summary[kEvaluations];
  state.counters["values"] = summary[kFullValues];
  state.counters["head_values"] = summary[kHeadValues];
  state.counters["gradients"] = summary[kGradients];
  state.counters["scores"] = summary[kScores];
  state.counters["fit_us"] = fit_us;
  state.counters["likelihood_us"] = likelihood_us;
  state.counters["beyond_us"] = fit_us - likelihood_us;
}

}  // namespace

int main(int argc, char** argv) {
  for (const Case& c : cases()) {
    for (const std::int64_t T : {1000, 4000, 20000}) {
      benchmark::RegisterBenchmark((std::string("BM_Fit/") + c.name).c_str(), BM_Fit, c)
          ->Arg(T)
          ->UseManualTime()
          ->Unit(benchmark::kMicrosecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
