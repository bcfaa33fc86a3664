// The four likelihoods with a mean through the stand-in host, one table of models: their counts
// and refusals (each before any array exists), the outputs created for each number requested,
// the residuals against lagreg_residuals and nll and ht against the model's own likelihood module
// on those residuals, to the bit; without mean terms every output that module's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kSlots = 6;  // one past the most outputs

struct Setting {
  std::vector<double> y;
  std::vector<double> x;
  std::uint64_t x_columns = 0;
  std::vector<double> ar_lags{1};
  std::vector<double> ma_lags{2};
  double constant = 1;
  std::vector<double> mean{0.05, 0.2, 0.1};  // constant, AR, MA
  std::vector<double> own;                   // the model's parameters, then nu
  double p = 1, o = 1, q = 1, m = 2, type = 2, has_constant = 1, distribution = 0;
};

std::vector<double> parameters_of(const Setting& s) {
  std::vector<double> all = s.mean;
  all.insert(all.end(), s.own.begin(), s.own.end());
  return all;
}

struct Model {
  std::string name;
  std::string own_module;  // the model's likelihood without a mean
  std::string input_message;
  std::string orders;
  // The model's own inputs after the parameters (backcast, orders, m, ...), as its likelihood
  // module takes them.
  std::function<std::vector<double>(const Setting&)> trailing;
  std::vector<double> own;  // parameters at which the model is defined
  std::vector<double> backcast;
};

std::vector<Model> models() {
  return {
      {"threshvol_mean_nll",
       "threshvol_nll",
       "Thirteen inputs required.",
       "p, o and q",
       [](const Setting& s) {
         return std::vector<double>{1, s.p, s.o, s.q, s.m, s.type, s.distribution};
       },
       {0.05, 0.08, 0.06, 0.85},
       {1}},
      {"logvol_mean_nll",
       "logvol_nll",
       "Thirteen inputs required.",
       "p, o and q",
       [](const Setting& s) {
         return std::vector<double>{0, 1e4, s.p, s.o, s.q, s.m, s.distribution};
       },
       {0.02, 0.1, -0.06, 0.95},
       {0}},
      {"shiftvol_mean_nll",
       "shiftvol_nll",
       "Twelve inputs required.",
       "p and q",
       [](const Setting& s) {
         return std::vector<double>{1, s.p, s.q, s.m, s.type, s.distribution};
       },
       {0.05, 0.08, 0.3, 0.85},
       {1}},
      {"intvol_mean_nll",
       "intvol_nll",
       "Thirteen inputs required.",
       "p and q",
       [](const Setting& s) {
         return std::vector<double>{1, s.p, s.q, s.m, s.type, s.has_constant, s.distribution};
       },
       {0.05, 0.1},
       {1}},
  };
}

Setting typical(const Model& model) {
  Setting s;
  std::uint32_t state = 11;
  for (int t = 0; t < 60; ++t) {
    state = state * 1664525U + 1013904223U;
    s.y.push_back(-2.0 + 4.5 * (static_cast<double>(state) / 4294967296.0));
  }
  s.own = model.own;
  return s;
}

// `inputs`, then the model's trailing inputs.
std::vector<Array> with_trailing(std::vector<Array> inputs, const Model& model, const Setting& s) {
  for (const double value : model.trailing(s)) {
    inputs.push_back(make_scalar(value));
  }
  return inputs;
}

std::vector<Array> inputs_of(const Model& model, const Setting& s) {
  std::vector<Array> inputs;
  inputs.push_back(make_column(s.y));
  inputs.push_back(make_array(s.x_columns == 0 ? 0 : s.y.size(), s.x_columns, s.x));
  inputs.push_back(make_column(s.ar_lags));
  inputs.push_back(make_column(s.ma_lags));
  inputs.push_back(make_scalar(s.constant));
  inputs.push_back(make_column(parameters_of(s)));
  return with_trailing(std::move(inputs), model, s);
}

// The model's own likelihood on residuals e: e, its parameters, then the same trailing inputs.
std::vector<Array> own_inputs(const Model& model, const Setting& s, const std::vector<double>& e) {
  std::vector<Array> inputs;
  inputs.push_back(make_column(e));
  inputs.push_back(make_column(s.own));
  return with_trailing(std::move(inputs), model, s);
}

class MeanLikelihoodModules : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }

  static std::vector<Array> call(const std::string& name, const std::vector<Array>& inputs,
                                 int nlhs) {
    return load_module(name).call(nlhs, handles(inputs), static_cast<int>(kSlots));
  }

  static std::string refusal_of(const Model& model, const std::vector<Array>& inputs,
                                int nlhs = 1) {
    const long created = volfilter::standin::created_arrays();
    const std::string message = refusal(load_module(model.name), inputs, nlhs);
    EXPECT_EQ(volfilter::standin::created_arrays(), created) << model.name << ": " << message;
    return message;
  }
};

TEST_F(MeanLikelihoodModules, CallsOutsideTheContractAreRefusedBeforeAnyArrayExists) {
  struct Case {
    const char* what;
    std::function<void(Setting&)> change;
    std::string message;  // {orders} and {k} filled in per model
  };
  // The mean's own checks, each once; the model's are the likelihood modules' (their tests).
  const std::vector<Case> cases{
      // The scalars come first: a bad constant before a bad y.
      {"constant 2, NaN in y",
       [](Setting& s) {
         s.constant = 2;
         s.y[3] = kNaN;
       },
       "Input constant must be 0 or 1."},
      {"NaN in y, conditioned on", [](Setting& s) { s.y[0] = kNaN; },
       "Input y must hold finite values."},
      {"m below the orders", [](Setting& s) { s.m = 0; },
       "Input m must be at least the largest of {orders} when T exceeds m."},
      {"AR lag past m, m = T",
       [](Setting& s) {
         s.m = 60;
         s.ar_lags = {61};
       },
       "Input ar_lags must hold whole numbers from 1 to m."},
      {"fractional AR lag", [](Setting& s) { s.ar_lags = {1.5}; },
       "Input ar_lags must hold whole numbers from 1 to m."},
      {"NaN MA lag last",
       [](Setting& s) {
         s.ma_lags = {1, 2, kNaN};
       },
       "Input ma_lags must hold whole numbers from 1 to m."},
      {"no nu for Student's t", [](Setting& s) { s.distribution = 1; },
       "Input parameters must have at least {k} elements."},
  };
  for (const Model& model : models()) {
    for (const Case& c : cases) {
      Setting s = typical(model);
      c.change(s);
      const std::uint64_t k = parameters_of(s).size() + 1;
      std::string expected = c.message;
      for (const auto& [field, value] : {std::make_pair(std::string("{orders}"), model.orders),
                                         std::make_pair(std::string("{k}"), std::to_string(k))}) {
        const std::size_t at = expected.find(field);
        if (at != std::string::npos) {
          expected.replace(at, field.size(), value);
        }
      }
      EXPECT_EQ(refusal_of(model, inputs_of(model, s)), expected) << model.name << ": " << c.what;
    }
    // Shapes and classes of the mean's own array inputs.
    const Setting s = typical(model);
    std::vector<Array> inputs = inputs_of(model, s);
    inputs[1] = make_array(59, 1, std::vector<double>(59, 1.0));
    EXPECT_EQ(refusal_of(model, inputs), "Input x must have T rows.");
    inputs[1] = make_array(60, 1, std::vector<double>(60, kNaN));
    EXPECT_EQ(refusal_of(model, inputs), "Input x must hold finite values.");
    inputs = inputs_of(model, s);
    inputs[2] = make_array(2, 2, {1, 1, 1, 1});
    EXPECT_EQ(refusal_of(model, inputs), "Input ar_lags must be a vector.");
    inputs = inputs_of(model, s);
    inputs[0] = make_array(30, 2, s.y);
    EXPECT_EQ(refusal_of(model, inputs), "Input y must be a vector.");
    inputs = inputs_of(model, s);
    inputs[3] =
        volfilter::standin::make_array_of_class(volfilter::standin::ArrayClass::int32, 1, 1);
    EXPECT_EQ(refusal_of(model, inputs), "Input ma_lags must be a real double array.");
    inputs = inputs_of(model, s);
    inputs.pop_back();
    EXPECT_EQ(refusal_of(model, inputs), model.input_message);
    EXPECT_EQ(refusal_of(model, inputs_of(model, s), 6), "At most five outputs.");
  }
}

TEST_F(MeanLikelihoodModules, OutputsAreLagregsResidualsAndTheModelsOwnLikelihoodOnThem) {
  for (const Model& model : models()) {
    for (const double distribution : {0.0, 1.0}) {
      Setting s = typical(model);
      s.distribution = distribution;
      if (distribution == 1) {
        s.own.push_back(6.5);
      }
      // A regressor and a row of lags, too.
      s.x_columns = 1;
      for (std::size_t t = 0; t < s.y.size(); ++t) {
        s.x.push_back(std::cos(static_cast<double>(t)));
      }
      s.mean.push_back(0.3);
      std::swap(s.mean[2], s.mean[3]);  // constant, AR, x, MA
      const std::uint64_t T = s.y.size();
      const std::uint64_t k = parameters_of(s).size();
      const std::string where = model.name + " distribution " + std::to_string(distribution);

      const std::vector<Array> every = call(model.name, inputs_of(model, s), 5);
      for (int nlhs = 0; nlhs <= 5; ++nlhs) {
        const std::vector<Array> outputs = call(model.name, inputs_of(model, s), nlhs);
        const std::uint64_t shapes[5][2] = {{1, 1}, {k, 1}, {T, k}, {T, 1}, {T, 1}};
        for (std::size_t slot = 0; slot < kSlots; ++slot) {
          const bool requested = slot < static_cast<std::size_t>(std::max(nlhs, 1));
          ASSERT_EQ(outputs[slot] != nullptr, requested) << where << " nlhs " << nlhs;
          if (requested) {
            EXPECT_EQ(mxGetM(outputs[slot].get()), shapes[slot][0]) << where;
            EXPECT_EQ(mxGetN(outputs[slot].get()), shapes[slot][1]) << where;
            EXPECT_EQ(bits_of(outputs[slot].get()), bits_of(every[slot].get())) << where;
          }
        }
      }

      std::vector<Array> lagreg;
      lagreg.push_back(make_column(s.mean));
      lagreg.push_back(make_column(s.ar_lags));
      lagreg.push_back(make_column(s.ma_lags));
      lagreg.push_back(make_scalar(s.constant));
      lagreg.push_back(make_column(s.y));
      lagreg.push_back(make_array(T, 1, s.x));
      lagreg.push_back(make_scalar(s.m));
      lagreg.push_back(make_column(std::vector<double>(T, 1.0)));
      const std::vector<double> residuals = first_output(load_module("lagreg_residuals"), lagreg);
      EXPECT_EQ(volfilter::standin::values_of(every[4].get()), residuals) << where;
      const std::vector<Array> own = call(model.own_module, own_inputs(model, s, residuals), 4);
      EXPECT_EQ(bits_of(every[0].get()), bits_of(own[0].get())) << where;
      EXPECT_EQ(bits_of(every[3].get()), bits_of(own[3].get())) << where;
      EXPECT_TRUE(std::isfinite(volfilter::standin::values_of(every[0].get())[0])) << where;

      // Without mean terms: the model's own likelihood on y with its first m values 0.
      s.constant = 0;
      s.ar_lags.clear();
      s.ma_lags.clear();
      s.x_columns = 0;
      s.x.clear();
      s.mean.clear();
      std::vector<double> e = s.y;
      e[0] = e[1] = 0.0;
      const std::vector<Array> plain = call(model.name, inputs_of(model, s), 5);
      const std::vector<Array> plain_own = call(model.own_module, own_inputs(model, s, e), 4);
      for (std::size_t slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(bits_of(plain[slot].get()), bits_of(plain_own[slot].get())) << where << slot;
      }
      EXPECT_EQ(volfilter::standin::values_of(plain[4].get()), e) << where;
    }
  }
}

}  // namespace
