// Calls from several threads at once. The modules keep no state, so every call made while
// other threads call the same or other modules must give exactly the bits (or the refusal)
// of the same call made alone. Built under ThreadSanitizer (preset tsan), this test also
// proves that the modules and the stand-in host share nothing unsynchronised.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr int kThreads = 4;
constexpr int kRounds = 40;
constexpr std::size_t kLong = 2048;  // long enough that calls overlap in time

// One call: the module's name, the requested outputs, the inputs, and the message the call
// is refused with (empty when it is served).
struct Case {
  Case(std::string module_name, int outputs, std::vector<Array> arrays, std::string message = "")
      : module(std::move(module_name)),
        nlhs(outputs),
        inputs(std::move(arrays)),
        refusal(std::move(message)) {}

  std::string module;
  int nlhs;
  std::vector<Array> inputs;
  std::string refusal;
};

// What a call gave: a refusal's message, or each output's shape and bits.
struct Result {
  std::string message;
  std::vector<std::uint64_t> shapes;  // rows and columns of each output in turn
  std::vector<std::uint64_t> bits;

  bool operator==(const Result& other) const {
    return message == other.message && shapes == other.shapes && bits == other.bits;
  }
};

Result call_once(const Module& module, const Case& c) {
  Result result;
  try {
    for (const Array& output : module.call(c.nlhs, handles(c.inputs))) {
      if (!output) {
        continue;
      }
      result.shapes.push_back(mxGetM(output.get()));
      result.shapes.push_back(mxGetN(output.get()));
      for (const double value : volfilter::standin::values_of(output.get())) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        result.bits.push_back(bits);
      }
    }
  } catch (const volfilter::standin::HostError& error) {
    result.message = error.what();
  }
  return result;
}

// A long, reproducible series of values in [low, high): no two threads see the same
// numbers by accident of a shared generator, because there is none.
std::vector<double> series(std::size_t count, double low, double high, unsigned seed) {
  std::vector<double> values(count);
  std::uint64_t state = 0x9E3779B97F4A7C15ULL * (seed + 1);
  for (double& value : values) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    value = low + (high - low) * static_cast<double>(state >> 11) * 0x1p-53;
  }
  return values;
}

std::vector<Array> arrays(std::vector<Array> first, const std::vector<double>& scalars) {
  for (const double value : scalars) {
    first.push_back(make_scalar(value));
  }
  return first;
}

template <typename... Columns>
std::vector<Array> columns(const Columns&... values) {
  std::vector<Array> result;
  (result.push_back(make_column(values)), ...);
  return result;
}

// The cases of each module: worked examples, long recursions, and refused calls.
std::vector<Case> threshvol_cases() {
  const auto d = series(kLong, 0.0, 2.0, 1);
  const auto a = series(kLong, 0.0, 1.0, 2);
  const std::vector<double> parameters{0.05, 0.1, 0.05, 0.04, 0.3, 0.4};
  const auto T = static_cast<double>(kLong);
  std::vector<Case> cases;
  for (const double type : {1.0, 2.0}) {
    cases.push_back(
        {"threshvol_filter", 1,
         arrays(columns(d, a, parameters, std::vector<double>{0.5}), {2, 1, 2, 2, T, type})});
  }
  cases.push_back(
      {"threshvol_filter", 0,
       arrays(columns(std::vector<double>{1, 2, 7}, std::vector<double>{2, 4, 9},
                      std::vector<double>{0.5, 0.25, 0.125, 0.5}, std::vector<double>{2}),
              {1, 1, 1, 1, 3, 2})});
  cases.push_back({"threshvol_filter", 1,
                   arrays(columns(std::vector<double>{1}, a, parameters, std::vector<double>{1}),
                          {2, 1, 2, 2, T, 2}),
                   "Input data must have at least 2047 elements."});
  return cases;
}

std::vector<Case> logvol_cases() {
  const auto d = series(kLong, -2.0, 2.0, 3);
  const auto T = static_cast<double>(kLong);
  std::vector<Case> cases;
  cases.push_back({"logvol_filter", 1,
                   arrays(columns(d, std::vector<double>{0.1, 0.2, -0.1, 0.9},
                                  std::vector<double>{0}, std::vector<double>{100}),
                          {1, 1, 1, 1, T})});
  cases.push_back({"logvol_filter", 1,
                   arrays(columns(d, std::vector<double>{800}, std::vector<double>{0},
                                  std::vector<double>{100}),
                          {0, 0, 0, 1, T})});  // every step overflows into the ceiling
  cases.push_back({"logvol_filter", 3,
                   arrays(columns(d, std::vector<double>{0.1}, std::vector<double>{0},
                                  std::vector<double>{100}),
                          {0, 0, 0, 1, T}),
                   "One output only."});
  return cases;
}

std::vector<Case> shiftvol_cases() {
  const auto d = series(kLong, -2.0, 2.0, 4);
  const auto T = static_cast<double>(kLong);
  const std::vector<double> parameters{0.05, 0.05, 0.05, 0.5, 0.85};
  std::vector<Case> cases;
  for (const double type : {0.0, 1.0}) {
    cases.push_back({"shiftvol_filter", 1,
                     arrays(columns(d, parameters, std::vector<double>{1}), {2, 1, 2, T, type})});
  }
  cases.push_back(
      {"shiftvol_filter", 1,
       arrays(columns(d, std::vector<double>{0.1}, std::vector<double>{1}), {2, 1, 2, T, 0}),
       "Input parameters must have at least 5 elements."});
  return cases;
}

std::vector<Case> intvol_cases() {
  const auto d = series(kLong, 0.0, 2.0, 5);
  const auto T = static_cast<double>(kLong);
  std::vector<Case> cases;
  for (const double type : {1.0, 2.0}) {
    cases.push_back(
        {"intvol_filter", 1,
         arrays(columns(d, std::vector<double>{0.01, 0.1, 0.05, 0.5}, std::vector<double>{0.5}),
                {2, 2, 2, T, type, 1})});
  }
  cases.push_back(
      {"intvol_filter", 1,
       arrays(columns(d, std::vector<double>{0.25}, std::vector<double>{2}), {1, 1, 1, T, 2, 0})});
  cases.push_back(
      {"intvol_filter", 1,
       arrays(columns(d, std::vector<double>{0.5}, std::vector<double>{2}), {1, 1, 1, T, 2}),
       "Nine inputs required."});
  return cases;
}

std::vector<Case> lagreg_cases() {
  const auto y = series(kLong, -1.0, 1.0, 6);
  const auto x = series(2 * kLong, -1.0, 1.0, 7);
  const auto sigma = series(kLong, 0.5, 2.0, 8);
  std::vector<Case> cases;
  std::vector<Array> inputs;
  inputs.push_back(make_column({0.1, 0.3, -0.2, 0.5, 0.25, 0.2, -0.1}));
  inputs.push_back(make_column({1, 4}));
  inputs.push_back(make_column({1, 12}));
  inputs.push_back(make_scalar(1));
  inputs.push_back(make_column(y));
  inputs.push_back(make_array(kLong, 2, x));
  inputs.push_back(make_scalar(12));
  inputs.push_back(make_column(sigma));
  cases.push_back({"lagreg_residuals", 1, std::move(inputs)});
  cases.push_back(
      {"lagreg_residuals", 0,
       columns(std::vector<double>{0.5}, std::vector<double>{}, std::vector<double>{1},
               std::vector<double>{0}, std::vector<double>{1, 2, 3}, std::vector<double>{},
               std::vector<double>{1}, std::vector<double>{1, 2, 2}),
       "One output only."});
  return cases;
}

std::vector<Case> pairwise_cases() {
  constexpr std::size_t K = 40;
  std::vector<double> covariance(K * K, 0.25);
  for (std::size_t i = 0; i < K; ++i) {
    covariance[i * (K + 1)] = 1.0 + static_cast<double>(i) / K;
  }
  std::vector<double> pairs;
  for (std::size_t a = 1; a <= K; ++a) {
    for (std::size_t b = a + 1; b <= K; ++b) {
      pairs.push_back(static_cast<double>(a));
    }
  }
  const std::size_t n = pairs.size();
  for (std::size_t a = 1; a <= K; ++a) {
    for (std::size_t b = a + 1; b <= K; ++b) {
      pairs.push_back(static_cast<double>(b));
    }
  }
  std::vector<Case> cases;
  for (const bool matrix : {false, true}) {
    std::vector<Array> inputs;
    inputs.push_back(make_array(K, K, covariance));
    inputs.push_back(matrix ? make_array(K, K, series(K * K, -1.0, 1.0, 9))
                            : make_column(series(K, -1.0, 1.0, 10)));
    inputs.push_back(make_array(n, 2, pairs));
    cases.push_back({"pairwise_nll", 1, std::move(inputs)});
  }
  cases.push_back({"pairwise_nll", 1,
                   columns(std::vector<double>{2, 0.5, 0.5, 1}, std::vector<double>{1, 2}),
                   "Three inputs required."});
  return cases;
}

// Each likelihood with value only and with every output, under Student's t where it has
// two calls; then a refused call.
std::vector<Case> likelihood_cases(const std::string& module, std::vector<double> parameters,
                                   const std::vector<double>& scalars,
                                   const std::string& refused_scalars_message,
                                   const std::vector<double>& refused_scalars) {
  const auto e = series(kLong, -2.0, 2.0, 11);
  const std::vector<double> backcast{module == "logvol_nll" ? 0.0 : 1.0};
  const bool log_variance = module == "logvol_nll";
  auto inputs = [&](const std::vector<double>& theta, const std::vector<double>& trailing) {
    return log_variance ? arrays(columns(e, theta, backcast, std::vector<double>{1e4}), trailing)
                        : arrays(columns(e, theta, backcast), trailing);
  };
  std::vector<Case> cases;
  for (const int nlhs : {1, 4}) {
    cases.push_back({module, nlhs, inputs(parameters, scalars)});
  }
  std::vector<double> student = scalars;
  student.back() = 1;
  parameters.push_back(6.5);
  cases.push_back({module, 3, inputs(parameters, student)});
  cases.push_back({module, 2, inputs(parameters, refused_scalars), refused_scalars_message});
  return cases;
}

// Each simulation with nineteen paths from a long history, a history a path, then a refused
// call. `model` is the module's own inputs after z, the history and the parameters.
std::vector<Case> simulation_cases(const std::string& module, const std::vector<double>& parameters,
                                   const std::vector<double>& model,
                                   const std::string& refused_message,
                                   const std::vector<double>& refused_model) {
  const auto z = series(128 * 19, -2.0, 2.0, 12);
  const auto history = series(kLong, -2.0, 2.0, 13);
  const auto own = series(8 * 19, -2.0, 2.0, 14);
  auto inputs = [&](const std::vector<double>& past, std::uint64_t rows,
                    const std::vector<double>& scalars) {
    std::vector<Array> first;
    first.push_back(make_array(128, 19, z));
    first.push_back(make_array(rows, past.size() / rows, past));
    first.push_back(make_column(parameters));
    return arrays(std::move(first), scalars);
  };
  std::vector<Case> cases;
  cases.push_back({module, 2, inputs(history, kLong, model)});
  cases.push_back({module, 1, inputs(own, 8, model)});
  cases.push_back({module, 2, inputs(own, 8, refused_model), refused_message});
  return cases;
}

// The plan of a long series with every output, and the fit of a small panel on two threads of
// its own (threads within threads); then a refused call of each.
std::vector<Case> estimation_cases(const std::string& module) {
  const bool estimate = module == "volfilter_estimate";
  const std::uint64_t T = estimate ? 300 : kLong;
  const auto e = series(estimate ? 2 * T : T, -2.0, 2.0, 12);
  auto inputs = [&](double model, std::vector<double> last) {
    std::vector<Array> a;
    a.push_back(make_scalar(model));
    a.push_back(make_array(T, estimate ? 2 : 1, e));
    for (const double value : {1.0, 0.0, 1.0, 2.0, 1.0, 0.0, 1.0, 0.0}) {
      a.push_back(make_scalar(value));
    }
    for (const std::vector<double>& column : {std::vector<double>{}, std::vector<double>{}, last}) {
      a.push_back(make_column(column));
    }
    if (estimate) {
      a.push_back(make_scalar(200));
      a.push_back(make_scalar(2));
    }
    return a;
  };
  std::vector<Case> cases;
  cases.push_back({module, estimate ? 10 : 8,
                   inputs(0, estimate ? std::vector<double>{} : std::vector<double>{0.1, 0, 0.8})});
  cases.push_back({module, 1, inputs(5, {}),
                   "Input model must be 0 (threshvol), 1 (logvol), 2 (shiftvol) or 3 (intvol)."});
  return cases;
}

// The modules of this build (VOLFILTER_MODULE_NAMES, comma-separated) and their cases.
std::vector<Case> cases_of_this_build() {
  const std::map<std::string, std::function<std::vector<Case>()>> builders{
      {"threshvol_filter", threshvol_cases},
      {"logvol_filter", logvol_cases},
      {"shiftvol_filter", shiftvol_cases},
      {"intvol_filter", intvol_cases},
      {"lagreg_residuals", lagreg_cases},
      {"pairwise_nll", pairwise_cases},
      {"threshvol_nll",
       [] {
         return likelihood_cases("threshvol_nll", {0.05, 0.08, 0.06, 0.85}, {1, 1, 1, 1, 2, 0},
                                 "Input m must not be negative.", {1, 1, 1, -1, 2, 0});
       }},
      {"logvol_nll",
       [] {
         return likelihood_cases("logvol_nll", {0.02, 0.1, -0.06, 0.95}, {1, 1, 1, 1, 0},
                                 "Input m must not exceed T.", {1, 1, 1, 1e5, 0});
       }},
      {"shiftvol_nll",
       [] {
         return likelihood_cases("shiftvol_nll", {0.05, 0.08, 0.3, 0.85}, {1, 1, 1, 0, 0},
                                 "Input distribution must be 0 (normal) or 1 (Student's t).",
                                 {1, 1, 1, 0, 3});
       }},
      {"intvol_nll",
       [] {
         return likelihood_cases("intvol_nll", {0.05, 0.1}, {1, 1, 1, 2, 1, 0},
                                 "Input q must be at least 1.", {1, 0, 1, 2, 1, 0});
       }},
      {"threshvol_simulate",
       [] {
         return simulation_cases("threshvol_simulate", {0.05, 0.04, 0.03, 0.05, 0.4, 0.4},
                                 {1, 1, 1, 2, 2, 2}, "Input m must not exceed the rows of history.",
                                 {1, 1, 1, 2, 9, 2});
       }},
      {"logvol_simulate",
       [] {
         return simulation_cases("logvol_simulate", {0.02, 0.1, -0.06, 0.95}, {0, 1e4, 1, 1, 1, 1},
                                 "Input m must be at least the largest of p, o and q.",
                                 {0, 1e4, 1, 1, 1, 0});
       }},
      {"shiftvol_simulate",
       [] {
         return simulation_cases("shiftvol_simulate", {0.05, 0.08, 0.3, 0.85}, {1, 1, 1, 1, 0},
                                 "Input parameters must have at least 5 elements.",
                                 {1, 2, 1, 2, 0});
       }},
      {"intvol_simulate",
       [] {
         return simulation_cases("intvol_simulate", {0.05, 0.04, 0.5, 0.2}, {1, 2, 3, 3, 1, 0},
                                 "Input q must be at least 1.", {1, 2, 0, 3, 1, 0});
       }},
      {"volfilter_plan", [] { return estimation_cases("volfilter_plan"); }},
      {"volfilter_estimate", [] { return estimation_cases("volfilter_estimate"); }},
  };
  std::vector<Case> cases;
  std::stringstream names(VOLFILTER_MODULE_NAMES);
  std::string name;
  while (std::getline(names, name, ',')) {
    const auto builder = builders.find(name);
    if (builder == builders.end()) {
      ADD_FAILURE() << "no concurrent cases for module " << name;
      continue;
    }
    for (Case& c : builder->second()) {
      cases.push_back(std::move(c));
    }
  }
  return cases;
}

std::unique_ptr<Module> open_module(const std::string& name) {
  return std::make_unique<Module>(std::string(VOLFILTER_STANDIN_DIR) + "/" + name + ".so");
}

TEST(ConcurrentCalls, GiveTheResultsOfSerialCalls) {
  std::vector<Case> cases = cases_of_this_build();
  ASSERT_FALSE(cases.empty());
  std::map<std::string, std::unique_ptr<Module>> modules;
  for (const Case& c : cases) {
    if (modules.count(c.module) == 0) {
      modules.emplace(c.module, open_module(c.module));
    }
  }

  // Alone, each call is served or refused as its case says.
  std::vector<Result> serial;
  for (const Case& c : cases) {
    serial.push_back(call_once(*modules.at(c.module), c));
    EXPECT_EQ(serial.back().message, c.refusal) << c.module;
  }

  // Every thread runs every case, each from its own starting point so that different
  // modules and different calls of one module overlap; half the threads use the shared
  // module handles, the other half load their own.
  std::atomic<int> mismatches{0};
  std::atomic<int> waiting{kThreads};
  std::vector<std::thread> threads;
  for (int thread = 0; thread < kThreads; ++thread) {
    threads.emplace_back([&, thread] {
      // Start together, so that the calls overlap from the first.
      waiting.fetch_sub(1);
      while (waiting.load() > 0) {
        std::this_thread::yield();
      }
      std::map<std::string, std::unique_ptr<Module>> own;
      for (int round = 0; round < kRounds; ++round) {
        for (std::size_t k = 0; k < cases.size(); ++k) {
          const std::size_t index = (k + static_cast<std::size_t>(thread) * 3) % cases.size();
          const Case& c = cases[index];
          const Module* module = modules.at(c.module).get();
          if (thread % 2 == 1) {
            auto& mine = own[c.module];
            if (!mine) {
              mine = open_module(c.module);
            }
            module = mine.get();
          }
          if (!(call_once(*module, c) == serial[index])) {
            mismatches.fetch_add(1);
          }
        }
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }

  EXPECT_EQ(mismatches.load(), 0);
  cases.clear();
  EXPECT_EQ(volfilter::standin::live_arrays(), 0);
}

}  // namespace
