// The compiled fit of one series, standard errors included, with no host (estimation/optimiser),
// beside the likelihood evaluations it makes. Cases: GARCH(1,1), the threshold GARCH(1,1,1)
// (GJR), the exponential GARCH(1,1,1) and the GJR with Student's t, each at T = 1,000, 4,000
// and 20,000. After timing the fit, each kind of evaluation it made is timed alone on the same
// series (value only of the series, of the start candidates' head, with the gradient, with the
// scores); the counters give how many of each the fit made, `likelihood_us` their sum and
// `beyond_us` what the fit costs beyond them (the optimiser, the plan, the covariances). These
// three are the thread's processor time, which other work on a shared machine disturbs less
// than the wall time that Google Benchmark reports beside them.
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
  request.specification.model = c.model;
  request.specification.o = c.o;
  request.specification.distribution = c.distribution;
  request.specification.presample_rule = PresampleRule::mean;
  return request;
}

// The calling thread's processor time so far, in microseconds.
double thread_microseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return 1e6 * static_cast<double>(now.tv_sec) + 1e-3 * static_cast<double>(now.tv_nsec);
}

// The mean processor time of `calls` calls of f, in microseconds.
template <typename F>
double microseconds(F f, int calls) {
  const double started = thread_microseconds();
  for (int i = 0; i < calls; ++i) {
    benchmark::DoNotOptimize(f());
  }
  return (thread_microseconds() - started) / calls;
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
  double spent = 0.0;
  for (auto _ : state) {
    const double started = thread_microseconds();
    PanelFit fit(request, T, slots);
    fit.run(e.data(), 1, 1, outputs);
    benchmark::DoNotOptimize(summary.data());
    spent += thread_microseconds() - started;
  }
  const double fit_us = spent / static_cast<double>(state.iterations());

  // Each kind of evaluation alone, at the estimates, on the same scratch the fit uses.
  const Plan plan = make_plan(request.specification, e.data(), T);
  Likelihood likelihood(request.specification, T);
  likelihood.bind(e.data(), T, plan.backcast, plan.upper_bound);
  const std::size_t k = parameters.size();
  std::vector<double> gradient(k);
  std::vector<double> scores(k * T);
  std::vector<double> ht(T);
  const std::uint64_t head = std::min<std::uint64_t>(T, 1 + 2000);
  const int calls = static_cast<int>(std::max<std::uint64_t>(5, 200000 / T));
  const double* theta = parameters.data();
  const double value_us = microseconds([&] { return likelihood.value(theta, T); }, calls);
  const double head_us = microseconds([&] { return likelihood.value(theta, head); }, calls);
  const double gradient_us =
      microseconds([&] { return likelihood.gradient(theta, gradient.data()); }, calls);
  const double scores_us = microseconds(
      [&] { return likelihood.scores(theta, nullptr, scores.data(), ht.data()); }, calls);
  const double likelihood_us = summary[kFullValues] * value_us + summary[kHeadValues] * head_us +
                               summary[kGradients] * gradient_us + summary[kScores] * scores_us;
  state.counters["evaluations"] = summary[kEvaluations];
  state.counters["values"] = summary[kFullValues];
  state.counters["head_values"] = summary[kHeadValues];
  state.counters["gradients"] = summary[kGradients];
  state.counters["scores"] = summary[kScores];
  state.counters["fit_us"] = fit_us;
  state.counters["gradient_us"] = gradient_us;
  state.counters["likelihood_us"] = likelihood_us;
  state.counters["beyond_us"] = fit_us - likelihood_us;
}

const bool registered = [] {
  for (const Case& c : cases()) {
    for (const std::int64_t T : {1000, 4000, 20000}) {
      benchmark::RegisterBenchmark((std::string("BM_Fit/") + c.name).c_str(), BM_Fit, c)
          ->Arg(T)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
