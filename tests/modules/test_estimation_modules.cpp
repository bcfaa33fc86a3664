// The estimation modules through the stand-in host: every refusal, in the order of the
// checks and before any array exists; the outputs made for each number requested; the names
// as character codes; a panel on several threads giving the bits of one thread.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;
using volfilter::standin::ArrayClass;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool built(const std::string& module) {
  return (std::string(",") + VOLFILTER_MODULE_NAMES + ",").find("," + module + ",") !=
         std::string::npos;
}

// The inputs by meaning; the plan takes `last` as its parameters, the fit as its start.
struct Inputs {
  double model = 0;
  std::uint64_t T = 60;
  std::uint64_t N = 1;
  std::vector<double> series;
  double p = 1, o = 1, q = 1, type = 2, constant = 1, distribution = 0, m = 1, rule = 0;
  std::vector<double> backcast;
  std::vector<double> upper_bound;
  std::vector<double> last;
  double max_evaluations = 1000, threads = 1;
  std::function<void(std::vector<Array>&)> change;  // e.g. another class at one position
};

std::vector<double> returns(std::uint64_t count, std::uint32_t seed) {
  return uniform_series(static_cast<std::size_t>(count), seed, -2.0, 2.0);
}

std::vector<Array> arrays(Inputs in, bool estimate) {
  if (in.series.empty() && in.T * in.N > 0) {
    in.series = returns(in.T * in.N, 11);
  }
  std::vector<Array> a;
  a.push_back(make_scalar(in.model));
  Array series = make_array(in.T, in.N, in.series);
  a.push_back(std::move(series));
  for (const double value :
       {in.p, in.o, in.q, in.type, in.constant, in.distribution, in.m, in.rule}) {
    a.push_back(make_scalar(value));
  }
  for (const std::vector<double>* column : {&in.backcast, &in.upper_bound, &in.last}) {
    a.push_back(make_column(*column));
  }
  if (estimate) {
    a.push_back(make_scalar(in.max_evaluations));
    a.push_back(make_scalar(in.threads));
  }
  if (in.change) {
    in.change(a);
  }
  return a;
}

struct Refusal {
  std::string label;
  Inputs inputs;
  std::string message;
  int nlhs = 1;
  bool plan = true;      // a call of volfilter_plan
  bool estimate = true;  // and of volfilter_estimate
};

Inputs with(const std::function<void(Inputs&)>& change) {
  Inputs in;
  change(in);
  return in;
}

std::function<void(std::vector<Array>&)> at(std::size_t position, std::function<Array()> make) {
  return [position, make](std::vector<Array>& a) { a[position] = make(); };
}

TEST(EstimationModules, RefuseMalformedCallsInTheOrderOfTheirChecks) {
  const std::vector<Refusal> refusals{
      {"twelve inputs",
       with([](Inputs& in) { in.change = [](std::vector<Array>& a) { a.pop_back(); }; }), "", 1},
      {"too many outputs", Inputs{}, "", 12},
      {"model 4", with([](Inputs& in) { in.model = 4; }),
       "Input model must be 0 (threshvol), 1 (logvol), 2 (shiftvol) or 3 (intvol)."},
      {"model before the classes of the arrays", with([](Inputs& in) {
         in.model = -1;
         in.change = at(1, [] { return make_array_of_class(ArrayClass::int32, 60, 1); });
       }),
       "Input model must be 0 (threshvol), 1 (logvol), 2 (shiftvol) or 3 (intvol)."},
      {"text as p", with([](Inputs& in) {
         in.change = at(2, [] { return make_array_of_class(ArrayClass::character, 1, 1); });
       }),
       "Input p must be a real numeric scalar."},
      {"negative o", with([](Inputs& in) { in.o = -1; }), "Input o must not be negative."},
      {"intvol without q", with([](Inputs& in) {
         in.model = 3;
         in.q = 0;
       }),
       "Input q must be at least 1."},
      {"constant 2", with([](Inputs& in) { in.constant = 2; }), "Input constant must be 0 or 1."},
      {"distribution 2", with([](Inputs& in) { in.distribution = 2; }),
       "Input distribution must be 0 (normal) or 1 (Student's t)."},
      {"m NaN", with([](Inputs& in) { in.m = kNaN; }),
       "Input m must be a finite number within the range of a 32-bit integer."},
      {"backcast rule 3", with([](Inputs& in) { in.rule = 3; }),
       "Input backcast_rule must be 0 (ewma), 1 (mean) or 2 (the value given)."},
      {"single residuals", with([](Inputs& in) {
         in.change = at(1, [] { return make_array_of_class(ArrayClass::single, 60, 1); });
       }),
       "Input e must be a real double array."},
      {"complex upper bound", with([](Inputs& in) {
         in.change = at(11, [] { return make_array_of_class(ArrayClass::complex_double, 1, 1); });
       }),
       "Input upper_bound must be a real double array."},
      {"residuals with NaN", with([](Inputs& in) {
         in.series = returns(60, 3);
         in.series[59] = kNaN;
       }),
       "Input e must hold finite values.", 1, true, false},
      {"residuals a matrix", with([](Inputs& in) { in.N = 2; }), "Input e must be a vector.", 1,
       true, false},
      {"no residuals", with([](Inputs& in) { in.T = 0; }), "Input e must not be empty.", 1, true,
       false},
      {"an empty panel", with([](Inputs& in) { in.N = 0; }), "Input E must not be empty.", 1, false,
       true},
      {"m past T", with([](Inputs& in) { in.m = 61; }), "Input m must not exceed T."},
      {"m below an order", with([](Inputs& in) { in.q = 2; }),
       "Input m must be at least the largest of p, o and q."},
      {"the value rule without a value", with([](Inputs& in) { in.rule = 2; }),
       "Input backcast must have at least 1 element."},
      {"3 parameters for 4", with([](Inputs& in) {
         in.last = {0.1, 0.1, 0.1};
       }),
       "Input parameters must have at least 4 elements.", 1, true, false},
      {"no evaluations", with([](Inputs& in) { in.max_evaluations = 0; }),
       "Input max_evaluations must be at least 1.", 1, false, true},
      {"negative threads", with([](Inputs& in) { in.threads = -1; }),
       "Input threads must not be negative.", 1, false, true},
      {"a cell as start", with([](Inputs& in) {
         in.change = at(12, [] { return make_array_of_class(ArrayClass::cell, 1, 1); });
       }),
       "Input start must be a real double array.", 1, false, true},
  };
  for (const bool estimate : {false, true}) {
    const std::string name = estimate ? "volfilter_estimate" : "volfilter_plan";
    if (!built(name)) {
      continue;
    }
    const Module module = load_module(name);
    for (const Refusal& r : refusals) {
      if (!(estimate ? r.estimate : r.plan)) {
        continue;
      }
      std::string expected = r.message;
      if (r.label == "twelve inputs") {
        expected = estimate ? "Fifteen or nineteen inputs required."
                            : "Seven, eleven, thirteen or seventeen inputs required.";
      } else if (r.label == "too many outputs") {
        expected = estimate ? "At most eleven outputs." : "At most eight outputs.";
      } else if (estimate && r.label == "single residuals") {
        expected = "Input E must be a real double array.";
      }
      const std::vector<Array> inputs = arrays(r.inputs, estimate);
      const long live = volfilter::standin::live_arrays();
      const long created = volfilter::standin::created_arrays();
      EXPECT_EQ(refusal(module, inputs, r.nlhs), expected) << name << ": " << r.label;
      // Refused before any array was made.
      EXPECT_EQ(volfilter::standin::created_arrays(), created) << name << ": " << r.label;
      EXPECT_EQ(volfilter::standin::live_arrays(), live) << name << ": " << r.label;
    }
  }
}

std::vector<std::uint64_t> shapes(const std::vector<Array>& outputs) {
  std::vector<std::uint64_t> result;
  for (const Array& output : outputs) {
    if (output) {
      result.push_back(mxGetM(output.get()));
      result.push_back(mxGetN(output.get()));
    }
  }
  return result;
}

TEST(EstimationModules, PlanOutputsAndNames) {
  const Module module = load_module("volfilter_plan");
  Inputs in;
  in.last = {0.1, 0.0, 0.1, 0.8};  // alpha1 at 0
  const std::vector<Array> outputs = module.call(8, handles(arrays(in, false)));
  // k = 4 (omega, alpha1, gamma1, beta1), two linear constraints, 10 constraints in all.
  EXPECT_EQ(shapes(outputs),
            (std::vector<std::uint64_t>{4, 6, 4, 4, 2, 5, 4, 9, 1, 6, 10, 20, 0, 5, 10, 1}));
  const std::vector<double> names = volfilter::standin::values_of(outputs[0].get());
  std::string first;
  for (std::size_t c = 0; c < 6; ++c) {
    first += static_cast<char>(names[c * 4]);
  }
  EXPECT_EQ(first, "omega ");
  const std::vector<double> active = volfilter::standin::values_of(outputs[7].get());
  EXPECT_EQ(active, (std::vector<double>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
  // No output requested: the names still land in slot 0, nothing else is made.
  const std::vector<Array> none = module.call(0, handles(arrays(in, false)), 3);
  EXPECT_EQ(shapes(none), (std::vector<std::uint64_t>{4, 6}));
  // The scaled shift's nonlinear condition, value and gradient at the parameters.
  in.model = 2;
  in.o = 0;
  in.type = 0;
  const std::vector<Array> shift = module.call(7, handles(arrays(in, false)));
  EXPECT_EQ(volfilter::standin::values_of(shift[6].get()),
            (std::vector<double>{1.01 * 0 + 0.8 - (1 - 1e-6), 0, 1.01, 0, 1}));
}

// The short call of volfilter_plan, (model, p, o, q, type, constant, distribution): the
// plan's sizes [k, 10 k, 1000] from the orders alone, or the scalars' refusals, before any
// other array exists.
TEST(EstimationModules, PlanSizesAloneCountEveryModelsParametersInConstantTime) {
  const Module module = load_module("volfilter_plan");
  constexpr double kLargest = 2147483647.0;
  const std::vector<std::pair<std::vector<double>, std::string>> cases{
      {{0, 1, 1, 1, 2, 1, 0}, "4"},                                // GJR(1,1,1)
      {{0, 2, 0, 3, 1, 0, 1}, "7"},                                // no gamma, t, constant 0
      {{1, 1, 2, 1, 2, 1, 0}, "5"},                                // logvol counts o
      {{2, 2, 5, 1, 0, 1, 0}, "5"},                                // shiftvol: one gamma
      {{3, 2, 9, 3, 2, 0, 1}, "5"},                                // intvol: beta q implied
      {{3, 0, 0, 1, 2, 0, 0}, "0"},                                // nothing to estimate
      {{0, kLargest, kLargest, kLargest, 2, 1, 1}, "6442450943"},  // no plan is built
      {{3, 1, 0, 0, 2, 1, 0}, "Input q must be at least 1."},
      {{0, 1, 1, 1, 2, 2, 0}, "Input constant must be 0 or 1."},
      {{0, kLargest + 1, 1, 1, 2, 1, 0},
       "Input p must be a finite number within the range of a 32-bit integer."},
  };
  const auto scalars_of = [](const std::vector<double>& values) {
    std::vector<Array> inputs;
    for (const double value : values) {
      inputs.push_back(make_scalar(value));
    }
    return inputs;
  };
  for (const auto& [scalars, expected] : cases) {
    const std::vector<Array> inputs = scalars_of(scalars);
    const long created = volfilter::standin::created_arrays();
    if (expected[0] >= '0' && expected[0] <= '9') {
      const double k = std::stod(expected);
      EXPECT_EQ(first_output(module, inputs), (std::vector<double>{k, 10 * k, 1000})) << k;
      EXPECT_EQ(volfilter::standin::created_arrays(), created + 1) << k;
    } else {
      EXPECT_EQ(refusal(module, inputs), expected);
      EXPECT_EQ(volfilter::standin::created_arrays(), created) << expected;
    }
  }
  EXPECT_EQ(refusal(module, scalars_of(cases[0].first), 2),
            "At most one output for the sizes of a plan.");
}

TEST(EstimationModules, FitOutputsForEachNumberRequestedAndThreads) {
  if (!built("volfilter_estimate")) {
    GTEST_SKIP() << "volfilter_estimate is not built (no NLopt)";
  }
  const Module module = load_module("volfilter_estimate");
  Inputs in;
  in.T = 300;
  in.N = 4;
  in.o = 0;
  in.series = returns(in.T * in.N, 5);
  const std::vector<Array> every = module.call(10, handles(arrays(in, true)));
  // k = 3, 6 constraints (3 lower, 3 upper bounds, stationarity).
  EXPECT_EQ(shapes(every), (std::vector<std::uint64_t>{3,  4, 9, 4, 9, 4, 300, 4, 300, 12,
                                                       16, 4, 3, 4, 7, 4, 3,   6, 7,   19}));
  const std::vector<double> parameters = volfilter::standin::values_of(every[0].get());
  const std::vector<Array> one = module.call(1, handles(arrays(in, true)), 10);
  EXPECT_EQ(shapes(one), (std::vector<std::uint64_t>{3, 4}));
  EXPECT_EQ(std::memcmp(volfilter::standin::values_of(one[0].get()).data(), parameters.data(),
                        parameters.size() * sizeof(double)),
            0);
  in.threads = 3;
  const std::vector<Array> threaded = module.call(10, handles(arrays(in, true)));
  for (std::size_t slot = 0; slot < 10; ++slot) {
    const std::vector<double> a = volfilter::standin::values_of(every[slot].get());
    const std::vector<double> b = volfilter::standin::values_of(threaded[slot].get());
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(double)), 0) << slot;
  }
}

}  // namespace
