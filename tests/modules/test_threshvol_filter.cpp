// threshvol_filter through the stand-in host: results, and the calls refused because they
// would reach outside an array.
#include <gtest/gtest.h>

#include <cmath>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

struct Scalars {
  double p = 1, o = 1, q = 1, m = 1, T = 3, type = 2;
};

std::vector<Array> inputs(const std::vector<double>& data, const std::vector<double>& asym,
                          const std::vector<double>& parameters,
                          const std::vector<double>& backcast, const Scalars& s) {
  std::vector<Array> arrays;
  arrays.push_back(make_column(data));
  arrays.push_back(make_column(asym));
  arrays.push_back(make_column(parameters));
  arrays.push_back(make_column(backcast));
  for (const double value : {s.p, s.o, s.q, s.m, s.T, s.type}) {
    arrays.push_back(make_scalar(value));
  }
  return arrays;
}

const std::vector<double> kParameters{0.5, 0.25, 0.125, 0.5};

class ThreshvolFilter : public ::testing::Test {
 protected:
  Module module = load_module("threshvol_filter");
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }
};

TEST_F(ThreshvolFilter, WorkedExampleBothPowers) {
  EXPECT_EQ(first_output(module, inputs({1, 2, 7}, {2, 4, 9}, kParameters, {2}, {})),
            (std::vector<double>{2, 2, 2.5}));
  Scalars power1;
  power1.type = 1;
  EXPECT_EQ(first_output(module, inputs({1, 2, 7}, {2, 4, 9}, kParameters, {2}, power1)),
            (std::vector<double>{2, 4, 6.25}));
}

TEST_F(ThreshvolFilter, CallsInsideTheContractAreServed) {
  // Data of T - 1 elements, a longer parameter vector, a row-shaped backcast of two values.
  EXPECT_EQ(first_output(module, inputs({1, 2}, {2, 4}, {0.5, 0.25, 0.125, 0.5, 99}, {2, 7}, {})),
            (std::vector<double>{2, 2, 2.5}));
  // m = T: no recursion, so neither data nor parameters are read.
  Scalars all_presample;
  all_presample.m = 3;
  all_presample.p = 5;
  EXPECT_EQ(first_output(module, inputs({}, {}, {}, {4}, all_presample)),
            (std::vector<double>{4, 4, 4}));
  // T = 0 with m = 0: an empty column, nothing read.
  Scalars empty;
  empty.m = 0;
  empty.T = 0;
  EXPECT_TRUE(first_output(module, inputs({}, {}, {}, {}, empty)).empty());
  // A negative m runs neither the fill nor the recursion.
  Scalars negative;
  negative.m = -2;
  EXPECT_EQ(first_output(module, inputs({}, {}, {}, {}, negative)), (std::vector<double>{0, 0, 0}));
}

TEST_F(ThreshvolFilter, UnsafeCallsAreRefusedBeforeAnyArrayExists) {
  struct Case {
    const char* what;
    Scalars scalars;
    std::vector<double> data, asym, parameters, backcast;
    const char* message;
  };
  const std::vector<double> d{1, 2, 7};
  const std::vector<double> a{2, 4, 9};
  // A case a row or two.
  // clang-format off
  std::vector<Case> cases{
      {"negative p", {-1, 1, 1, 1, 3, 2}, d, a, kParameters, {2}, "Input p must not be negative."},
      {"negative o", {1, -1, 1, 1, 3, 2}, d, a, kParameters, {2}, "Input o must not be negative."},
      {"negative q", {1, 1, -1, 1, 3, 2}, d, a, kParameters, {2}, "Input q must not be negative."},
      {"m past T", {1, 1, 1, 4, 3, 2}, d, a, kParameters, {2}, "Input m must not exceed T."},
      {"m below the largest order", {1, 2, 1, 1, 3, 2}, d, a, {1, 1, 1, 1, 1}, {2},
       "Input m must be at least the largest of p, o and q when T exceeds m."},
      {"short data", {1, 1, 1, 1, 3, 2}, {1}, a, kParameters, {2},
       "Input data must have at least 2 elements."},
      {"short asym_data", {1, 1, 1, 1, 3, 2}, d, {2}, kParameters, {2},
       "Input asym_data must have at least 2 elements."},
      {"short parameters", {1, 1, 1, 1, 3, 2}, d, a, {0.5, 0.25, 0.125}, {2},
       "Input parameters must have at least 4 elements."},
      {"empty backcast", {1, 1, 1, 1, 3, 2}, d, a, kParameters, {},
       "Input backcast must have at least 1 element."},
      {"NaN m", {1, 1, 1, std::nan(""), 3, 2}, d, a, kParameters, {2},
       "Input m must be a finite number within the range of a 32-bit integer."},
      {"huge T with no lags", {0, 0, 0, 0, 1e300, 2}, {}, {}, {1}, {2},
       "Input T must be a finite number, not negative, below 2^64."},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(refusal(module, inputs(c.data, c.asym, c.parameters, c.backcast, c.scalars)),
              c.message)
        << c.what;
    EXPECT_EQ(volfilter::standin::live_arrays(), 0) << c.what;
  }
}

TEST_F(ThreshvolFilter, LargeOrdersDoNotOverflowTheLengthCheck) {
  // 1 + p + o + q exceeds 2^31; the parameter check must not wrap around.
  Scalars huge{2147483647, 2147483647, 2147483647, 2147483647, 2147483648.0, 2};
  EXPECT_EQ(refusal(module, inputs({1}, {1}, {1}, {1}, huge)),
            "Input data must have at least 2147483647 elements.");
}

}  // namespace
