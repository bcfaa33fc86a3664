// The four likelihood modules through the stand-in host, one table of models: their counts and
// refusals (each before any array exists), the outputs created for each number requested, the
// variances against the filter module of the same model, and the edges of the likelihood
// (nothing modelled, an empty sample, parameters where the model is not defined).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;
using volfilter::standin::ArrayClass;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kSlots = 5;  // one past the most outputs, to see that nothing lands there

// The inputs of a call, by meaning; each model takes the ones it has, in its own order.
struct Setting {
  std::vector<double> e;
  std::vector<double> parameters;
  std::vector<double> backcast{1};
  std::vector<double> upper_bound{1e4};
  double p = 1, o = 1, q = 1, m = 1, type = 2, has_constant = 1, distribution = 0;
};

struct Model {
  std::string name;
  std::string filter;
  std::string input_message;
  std::string orders;  // as the pre-sample message names them
  std::function<std::vector<Array>(const Setting&)> likelihood_inputs;
  std::function<std::vector<Array>(const Setting&)> filter_inputs;
  std::function<std::uint64_t(const Setting&)> model_parameters;  // k less the shape's
  Setting typical;                                                // orders 1, m = 1, T = 40
  std::vector<double> undefined;  // parameters that give a variance that is not positive
};

std::vector<Array> arrays_of(std::initializer_list<std::vector<double>> columns,
                             std::initializer_list<double> scalars) {
  std::vector<Array> arrays;
  for (const std::vector<double>& column : columns) {
    arrays.push_back(make_column(column));
  }
  for (const double scalar : scalars) {
    arrays.push_back(make_scalar(scalar));
  }
  return arrays;
}

// The filter's data series from e: |e| under type 1, e * e otherwise; and the threshold
// model's asymmetric series, that value where e < 0 and 0 elsewhere.
std::vector<double> power_data(const Setting& s) {
  std::vector<double> data;
  for (const double e : s.e) {
    data.push_back(std::trunc(s.type) == 1 ? std::fabs(e) : e * e);
  }
  return data;
}

std::vector<double> asymmetric_data(const Setting& s) {
  std::vector<double> data = power_data(s);
  for (std::size_t t = 0; t < data.size(); ++t) {
    data[t] = s.e[t] < 0 ? data[t] : 0.0;
  }
  return data;
}

double sample_size(const Setting& s) { return static_cast<double>(s.e.size()); }

// Residuals in [-2.5, 2.5) from a fixed sequence.
std::vector<double> residuals(std::size_t count, std::uint32_t seed) {
  return uniform_series(count, seed, -2.5, 2.5);
}

Setting typical(std::vector<double> parameters) {
  Setting s;
  s.e = residuals(40, 7);
  s.parameters = std::move(parameters);
  return s;
}

std::vector<Model> models() {
  return {
      {"threshvol_nll",
       "threshvol_filter",
       "Nine inputs required.",
       "p, o and q",
       [](const Setting& s) {
         return arrays_of({s.e, s.parameters, s.backcast},
                          {s.p, s.o, s.q, s.m, s.type, s.distribution});
       },
       [](const Setting& s) {
         return arrays_of({power_data(s), asymmetric_data(s), s.parameters, s.backcast},
                          {s.p, s.o, s.q, s.m, sample_size(s), s.type});
       },
       [](const Setting& s) { return static_cast<std::uint64_t>(1 + s.p + s.o + s.q); },
       typical({0.05, 0.08, 0.06, 0.85}),
       {-1, 0, 0, 0}},
      {"logvol_nll",
       "logvol_filter",
       "Nine inputs required.",
       "p, o and q",
       [](const Setting& s) {
         return arrays_of({s.e, s.parameters, s.backcast, s.upper_bound},
                          {s.p, s.o, s.q, s.m, s.distribution});
       },
       [](const Setting& s) {
         return arrays_of({s.e, s.parameters, s.backcast, s.upper_bound},
                          {s.p, s.o, s.q, s.m, sample_size(s)});
       },
       [](const Setting& s) { return static_cast<std::uint64_t>(1 + s.p + s.o + s.q); },
       typical({0.02, 0.1, -0.06, 0.95}),
       {800, 0, 0, 0}},
      {"shiftvol_nll",
       "shiftvol_filter",
       "Eight inputs required.",
       "p and q",
       [](const Setting& s) {
         return arrays_of({s.e, s.parameters, s.backcast}, {s.p, s.q, s.m, s.type, s.distribution});
       },
       [](const Setting& s) {
         return arrays_of({s.e, s.parameters, s.backcast}, {s.p, s.q, s.m, sample_size(s), s.type});
       },
       [](const Setting& s) { return static_cast<std::uint64_t>(s.p + s.q + 2); },
       typical({0.05, 0.08, 0.3, 0.85}),
       {-1, 0, 0, 0}},
      {"intvol_nll",
       "intvol_filter",
       "Nine inputs required.",
       "p and q",
       [](const Setting& s) {
         return arrays_of({s.e, s.parameters, s.backcast},
                          {s.p, s.q, s.m, s.type, s.has_constant, s.distribution});
       },
       [](const Setting& s) {
         return arrays_of({power_data(s), s.parameters, s.backcast},
                          {s.p, s.q, s.m, sample_size(s), s.type, s.has_constant});
       },
       [](const Setting& s) { return static_cast<std::uint64_t>(s.has_constant + s.p + s.q - 1); },
       typical({0.05, 0.1}),
       {-3, 0}},
  };
}

std::uint64_t parameter_count(const Model& model, const Setting& s) {
  return model.model_parameters(s) + (s.distribution == 1 ? 1 : 0);
}

// With Student's t: nu = 7 after the model's parameters.
Setting student(Setting s) {
  s.distribution = 1;
  s.parameters.push_back(7);
  return s;
}

// The bits of every output of a call, one after another.
std::vector<std::uint64_t> every_output_bits(const std::vector<Array>& outputs) {
  std::vector<std::uint64_t> bits;
  for (const Array& output : outputs) {
    if (output) {
      const std::vector<std::uint64_t> more = bits_of(output.get());
      bits.insert(bits.end(), more.begin(), more.end());
    }
  }
  return bits;
}

// Where two arrays first differ in shape or bits, or "" when they do not.
std::string first_difference(const mxArray* actual, const mxArray* expected) {
  if (mxGetM(actual) != mxGetM(expected) || mxGetN(actual) != mxGetN(expected)) {
    return "shapes differ";
  }
  const std::vector<std::uint64_t> a = bits_of(actual);
  const std::vector<std::uint64_t> b = bits_of(expected);
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) {
      return "entry " + std::to_string(i) + ": " +
             std::to_string(volfilter::standin::values_of(actual)[i]) + ", expected " +
             std::to_string(volfilter::standin::values_of(expected)[i]);
    }
  }
  return "";
}

bool all_nan(const mxArray* array) {
  for (const double value : volfilter::standin::values_of(array)) {
    if (!std::isnan(value)) {
      return false;
    }
  }
  return true;
}

bool all_zero(const mxArray* array) {
  for (const double value : volfilter::standin::values_of(array)) {
    if (value != 0.0) {
      return false;
    }
  }
  return true;
}

// `text` with its first `field` replaced by `value`.
std::string filled(std::string text, const std::string& field, const std::string& value) {
  const std::size_t at = text.find(field);
  return at == std::string::npos ? text : text.replace(at, field.size(), value);
}

class LikelihoodModules : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }

  // Every output slot, requested or not, of a served call.
  static std::vector<Array> call(const Model& model, const Setting& s, int nlhs) {
    const Module module = load_module(model.name);
    const std::vector<Array> inputs = model.likelihood_inputs(s);
    return module.call(nlhs, handles(inputs), kSlots);
  }

  // The message of a refused call, after checking that it created no array at all.
  static std::string refusal_of(const Model& model, const std::vector<Array>& inputs,
                                int nlhs = 1) {
    const Module module = load_module(model.name);
    const long created = volfilter::standin::created_arrays();
    const long live = volfilter::standin::live_arrays();
    const std::string message = refusal(module, inputs, nlhs);
    EXPECT_EQ(volfilter::standin::created_arrays(), created) << model.name << ": " << message;
    EXPECT_EQ(volfilter::standin::live_arrays(), live) << model.name << ": " << message;
    return message;
  }
};

TEST_F(LikelihoodModules, CountsAreCheckedFirst) {
  for (const Model& model : models()) {
    const std::vector<Array> right = model.likelihood_inputs(model.typical);
    for (const std::size_t count : {std::size_t{0}, right.size() - 1, right.size() + 1}) {
      std::vector<Array> wrong = model.likelihood_inputs(model.typical);
      wrong.resize(count);
      for (const int nlhs : {0, 1, 4, 5}) {
        EXPECT_EQ(refusal_of(model, wrong, nlhs), model.input_message) << model.name << count;
      }
    }
    for (const int nlhs : {5, 6}) {
      EXPECT_EQ(refusal_of(model, right, nlhs), "At most four outputs.") << model.name;
    }
  }
}

TEST_F(LikelihoodModules, CallsOutsideTheContractAreRefusedBeforeAnyArrayExists) {
  struct Case {
    const char* what;
    std::function<void(Setting&)> change;
    std::string message;  // with {orders} for the model's orders, {k} for its k
  };
  const std::vector<Case> common{
      {"negative m", [](Setting& s) { s.m = -1; }, "Input m must not be negative."},
      // The scalars are read before e is looked at.
      {"negative m, NaN in e",
       [](Setting& s) {
         s.m = -1;
         s.e[3] = kNaN;
       },
       "Input m must not be negative."},
      {"NaN m", [](Setting& s) { s.m = kNaN; },
       "Input m must be a finite number within the range of a 32-bit integer."},
      {"distribution 2", [](Setting& s) { s.distribution = 2; },
       "Input distribution must be 0 (normal) or 1 (Student's t)."},
      {"distribution -1", [](Setting& s) { s.distribution = -1; },
       "Input distribution must be 0 (normal) or 1 (Student's t)."},
      {"NaN distribution", [](Setting& s) { s.distribution = kNaN; },
       "Input distribution must be a finite number within the range of a 32-bit integer."},
      {"NaN in e", [](Setting& s) { s.e[5] = kNaN; }, "Input e must hold finite values."},
      {"Inf in e", [](Setting& s) { s.e.back() = kInf; }, "Input e must hold finite values."},
      {"-Inf in e, conditioned on", [](Setting& s) { s.e[0] = -kInf; },
       "Input e must hold finite values."},
      {"m past T", [](Setting& s) { s.m = 41; }, "Input m must not exceed T."},
      {"m below the orders", [](Setting& s) { s.m = 0; },
       "Input m must be at least the largest of {orders} when T exceeds m."},
      {"short parameters", [](Setting& s) { s.parameters.pop_back(); },
       "Input parameters must have at least {k} elements."},
      {"no nu for Student's t", [](Setting& s) { s.distribution = 1; },
       "Input parameters must have at least {k} elements."},
      {"short parameters, m = T",
       [](Setting& s) {
         s.m = 40;
         s.parameters.pop_back();
       },
       "Input parameters must have at least {k} elements."},
      {"empty backcast", [](Setting& s) { s.backcast.clear(); },
       "Input backcast must have at least 1 element."},
  };
  for (const Model& model : models()) {
    std::vector<Case> cases = common;
    if (model.name == "logvol_nll") {
      cases.push_back({"empty upper_bound", [](Setting& s) { s.upper_bound.clear(); },
                       "Input upper_bound must have at least 1 element."});
      // The pre-sample variance is formed even when nothing is conditioned on.
      cases.push_back({"empty backcast, empty sample",
                       [](Setting& s) {
                         s.e.clear();
                         s.m = 0;
                         s.backcast.clear();
                       },
                       "Input backcast must have at least 1 element."});
    }
    if (model.name == "intvol_nll") {
      cases.push_back({"q of 0", [](Setting& s) { s.q = 0; }, "Input q must be at least 1."});
      cases.push_back({"negative has_constant", [](Setting& s) { s.has_constant = -1; },
                       "Input has_constant must not be negative."});
    } else {
      cases.push_back(
          {"negative q", [](Setting& s) { s.q = -1; }, "Input q must not be negative."});
    }
    for (const Case& c : cases) {
      Setting s = model.typical;
      c.change(s);
      const std::string expected = filled(filled(c.message, "{orders}", model.orders), "{k}",
                                          std::to_string(parameter_count(model, s)));
      EXPECT_EQ(refusal_of(model, model.likelihood_inputs(s)), expected)
          << model.name << ": " << c.what;
    }

    // Array inputs of another storage class, and e of two dimensions.
    std::vector<Array> inputs = model.likelihood_inputs(model.typical);
    inputs[0] = make_array_of_class(ArrayClass::int32, 40, 1);
    EXPECT_EQ(refusal_of(model, inputs), "Input e must be a real double array.");
    inputs = model.likelihood_inputs(model.typical);
    inputs[1] = make_array_of_class(ArrayClass::complex_double, 4, 1);
    EXPECT_EQ(refusal_of(model, inputs), "Input parameters must be a real double array.");
    inputs = model.likelihood_inputs(model.typical);
    inputs[0] = make_array(20, 2, model.typical.e);
    EXPECT_EQ(refusal_of(model, inputs), "Input e must be a vector.");
  }
}

TEST_F(LikelihoodModules, OnlyTheRequestedOutputsAreCreated) {
  for (const Model& model : models()) {
    for (const Setting& s : {model.typical, student(model.typical)}) {
      const std::uint64_t k = parameter_count(model, s);
      const std::uint64_t T = s.e.size();
      for (int nlhs = 0; nlhs <= 4; ++nlhs) {
        const std::vector<Array> outputs = call(model, s, nlhs);
        const std::string where = model.name + " nlhs " + std::to_string(nlhs);
        ASSERT_NE(outputs[0], nullptr) << where;
        EXPECT_EQ(mxGetM(outputs[0].get()), 1U) << where;
        EXPECT_EQ(mxGetN(outputs[0].get()), 1U) << where;
        EXPECT_EQ(outputs[1] != nullptr, nlhs >= 2) << where;
        EXPECT_EQ(outputs[2] != nullptr, nlhs >= 3) << where;
        EXPECT_EQ(outputs[3] != nullptr, nlhs >= 4) << where;
        EXPECT_EQ(outputs[4], nullptr) << where;
        if (nlhs >= 2) {
          EXPECT_EQ(mxGetM(outputs[1].get()), k) << where;
          EXPECT_EQ(mxGetN(outputs[1].get()), 1U) << where;
        }
        if (nlhs >= 3) {
          EXPECT_EQ(mxGetM(outputs[2].get()), T) << where;
          EXPECT_EQ(mxGetN(outputs[2].get()), k) << where;
        }
        if (nlhs >= 4) {
          EXPECT_EQ(mxGetM(outputs[3].get()), T) << where;
          EXPECT_EQ(mxGetN(outputs[3].get()), 1U) << where;
        }
      }
    }
  }
}

TEST_F(LikelihoodModules, ValueIsTheSameWhateverIsRequested) {
  // One order of operations for the value, with and without the derivative work; a row of
  // residuals reads as the column, and parameters past k are never read.
  for (const Model& model : models()) {
    for (Setting s : {model.typical, student(model.typical)}) {
      const std::vector<std::uint64_t> value = bits_of(call(model, s, 1)[0].get());
      for (const int nlhs : {0, 2, 3, 4}) {
        EXPECT_EQ(bits_of(call(model, s, nlhs)[0].get()), value) << model.name << nlhs;
      }
      std::vector<Array> inputs = model.likelihood_inputs(s);
      inputs[0] = make_array(1, s.e.size(), s.e);
      const Module module = load_module(model.name);
      EXPECT_EQ(bits_of(module.call(1, handles(inputs))[0].get()), value) << model.name << " row";
      const std::vector<std::uint64_t> all = every_output_bits(call(model, s, 4));
      s.parameters.push_back(kNaN);
      const std::vector<std::uint64_t> padded = every_output_bits(call(model, s, 4));
      EXPECT_EQ(padded, all) << model.name << " parameters past k";
    }
  }
}

TEST_F(LikelihoodModules, VariancesAreTheFiltersToTheBit) {
  // Both distributions, both types where the model has them, orders 1 and larger.
  struct Orders {
    double p, o, q;
  };
  for (const Model& model : models()) {
    for (const Orders orders : {Orders{1, 1, 1}, Orders{2, 1, 2}, Orders{0, 2, 1}}) {
      for (const double type : {1.0, 2.0}) {
        for (const double distribution : {0.0, 1.0}) {
          Setting s = model.typical;
          s.e = residuals(200, 11);
          s.p = orders.p;
          s.o = orders.o;
          s.q = orders.q;
          s.m = 2;
          s.type = type;
          s.distribution = distribution;
          // Small coefficients, the largest lag weights last, so every model stays defined.
          s.parameters.assign(model.model_parameters(s), 0.04);
          s.parameters[0] = 0.1;
          if (model.name == "logvol_nll") {
            s.backcast = {0.0};
            s.parameters.back() = 0.9;
          }
          if (distribution == 1) {
            s.parameters.push_back(6.5);
          }
          const std::string where = model.name + " orders " + std::to_string(int(orders.p)) +
                                    std::to_string(int(orders.o)) + std::to_string(int(orders.q)) +
                                    " type " + std::to_string(int(type)) + " distribution " +
                                    std::to_string(int(distribution));
          const std::vector<Array> outputs = call(model, s, 4);
          const Module filter = load_module(model.filter);
          const std::vector<Array> filter_inputs = model.filter_inputs(s);
          EXPECT_EQ(
              first_difference(outputs[3].get(), filter.call(1, handles(filter_inputs))[0].get()),
              "")
              << where;
          EXPECT_TRUE(std::isfinite(volfilter::standin::values_of(outputs[0].get())[0])) << where;
        }
      }
    }
  }
}

TEST_F(LikelihoodModules, NothingModelled) {
  for (const Model& model : models()) {
    for (Setting s : {model.typical, student(model.typical)}) {
      const std::uint64_t k = parameter_count(model, s);
      // m = T: nll 0, zero derivatives of the full shapes.
      s.m = static_cast<double>(s.e.size());
      std::vector<Array> outputs = call(model, s, 4);
      EXPECT_EQ(volfilter::standin::values_of(outputs[0].get()), std::vector<double>{0.0})
          << model.name;
      EXPECT_EQ(mxGetM(outputs[1].get()), k);
      EXPECT_TRUE(all_zero(outputs[1].get())) << model.name;
      EXPECT_TRUE(all_zero(outputs[2].get())) << model.name;
      // T = 0: empty scores and variances, the gradient still k zeros.
      s.e.clear();
      s.m = 0;
      outputs = call(model, s, 4);
      EXPECT_EQ(volfilter::standin::values_of(outputs[0].get()), std::vector<double>{0.0})
          << model.name;
      EXPECT_EQ(mxGetM(outputs[1].get()), k);
      EXPECT_TRUE(all_zero(outputs[1].get())) << model.name;
      EXPECT_EQ(mxGetM(outputs[2].get()), 0U);
      EXPECT_EQ(mxGetN(outputs[2].get()), k);
      EXPECT_EQ(mxGetM(outputs[3].get()), 0U);
    }
  }
}

TEST_F(LikelihoodModules, WhereTheModelIsNotDefinedNllIsInfinite) {
  struct Case {
    const char* what;
    std::function<void(const Model&, Setting&)> change;
  };
  const std::vector<Case> cases{
      {"variance not positive and finite",
       [](const Model& model, Setting& s) {
         s.parameters = model.undefined;
         // Power 1 squares a negative recursion into a positive variance; in variance form
         // it stays negative.
         s.type = 2;
         s.upper_bound = {kInf};
       }},
      {"nu of 2", [](const Model&, Setting& s) { s.parameters.back() = 2; }},
      {"nu below 2", [](const Model&, Setting& s) { s.parameters.back() = 1.5; }},
      {"nu negative", [](const Model&, Setting& s) { s.parameters.back() = -3; }},
      {"nu NaN", [](const Model&, Setting& s) { s.parameters.back() = kNaN; }},
      {"nu infinite", [](const Model&, Setting& s) { s.parameters.back() = kInf; }},
      {"NaN constant", [](const Model&, Setting& s) { s.parameters[0] = kNaN; }},
      {"infinite constant", [](const Model&, Setting& s) { s.parameters[0] = kInf; }},
  };
  for (const Model& model : models()) {
    for (const Case& c : cases) {
      // The log-variance model's ceiling takes an infinite exp to the finite ceiling, so an
      // infinite constant gives a variance that is defined.
      if (model.name == "logvol_nll" && std::string(c.what) == "infinite constant") {
        continue;
      }
      Setting s = student(model.typical);
      c.change(model, s);
      if (s.parameters.size() < parameter_count(model, s)) {
        s.parameters.push_back(7);  // nu for the variance case
      }
      for (const int nlhs : {1, 3}) {
        const std::vector<Array> outputs = call(model, s, nlhs);
        const std::string where = model.name + ": " + c.what + ", nlhs " + std::to_string(nlhs);
        EXPECT_EQ(volfilter::standin::values_of(outputs[0].get()), std::vector<double>{kInf})
            << where;
        if (nlhs >= 2) {
          EXPECT_TRUE(all_nan(outputs[1].get())) << where;
          EXPECT_TRUE(all_nan(outputs[2].get())) << where;
        }
      }
    }
  }
}

}  // namespace
