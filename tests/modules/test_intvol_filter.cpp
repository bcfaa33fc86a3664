// intvol_filter through the stand-in host: results, and the calls refused because they
// would reach outside an array.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Scalars {
  double p = 1, q = 1, m = 1, T = 3, type = 2, has_constant = 1;
};

std::vector<Array> inputs(const std::vector<double>& data, const std::vector<double>& parameters,
                          const std::vector<double>& backcast, const Scalars& s) {
  std::vector<Array> arrays;
  arrays.push_back(make_column(data));
  arrays.push_back(make_column(parameters));
  arrays.push_back(make_column(backcast));
  for (const double value : {s.p, s.q, s.m, s.T, s.type, s.has_constant}) {
    arrays.push_back(make_scalar(value));
  }
  return arrays;
}

// p = q = 1, m = 1, T = 3, backcast 2, implied coefficient 0.75.
std::vector<Array> with_constant(double type) {
  Scalars s;
  s.type = type;
  return inputs({4, 8, kNaN}, {0.5, 0.25}, {2}, s);
}

class IntvolFilter : public ::testing::Test {
 protected:
  Module module = load_module("intvol_filter");
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }
};

TEST_F(IntvolFilter, WorkedExamples) {
  EXPECT_EQ(first_output(module, with_constant(2)), (std::vector<double>{2, 3, 4.75}));
  EXPECT_EQ(first_output(module, with_constant(1)), (std::vector<double>{2, 9, 22.5625}));
  Scalars none;
  none.has_constant = 0;
  EXPECT_EQ(first_output(module, inputs({4, 8, kNaN}, {0.25}, {2}, none)),
            (std::vector<double>{2, 2.5, 3.875}));
  // has_constant 2: parameters[1] is never read.
  Scalars two;
  two.has_constant = 2;
  EXPECT_EQ(first_output(module, inputs({4, 8, kNaN}, {0.5, kNaN, 0.25}, {2}, two)),
            (std::vector<double>{2, 3, 4.75}));
}

TEST_F(IntvolFilter, ImpliedCoefficientOnTheLastLag) {
  // k = (1 - 0.3) - 0.6 = 0.09999999999999998; beta_1 on lag 1, k on lag 2.
  const Scalars s{1, 2, 2, 4, 2, 1};
  EXPECT_EQ(first_output(module, inputs({0, 0, 0, kNaN}, {-0.6, 0.3, 0.6}, {1}, s)),
            (std::vector<double>{1, 1, 0.09999999999999998, -0.44000000000000006}));
}

TEST_F(IntvolFilter, TypeAndPowerOne) {
  // 1.9 is power 1; 0.9, 0, 2 and -1 power 2.
  EXPECT_EQ(first_output(module, with_constant(1.9)), (std::vector<double>{2, 9, 22.5625}));
  for (const double type : {0.9, 0.0, 2.0, -1.0}) {
    EXPECT_EQ(first_output(module, with_constant(type)), (std::vector<double>{2, 3, 4.75})) << type;
  }
  // Pre-sample entries stay unsquared, and the recursion feeds back unsquared values.
  const Scalars s{1, 1, 2, 4, 1, 1};
  EXPECT_EQ(first_output(module, inputs({1, 1, 1}, {0.5, 0.25}, {-3}, s)),
            (std::vector<double>{-3, -3, 2.25, 0.140625}));
}

TEST_F(IntvolFilter, CountsAndOutputSlot) {
  std::vector<Array> eight = with_constant(2);
  eight.pop_back();
  EXPECT_EQ(refusal(module, eight), "Nine inputs required.");
  EXPECT_EQ(refusal(module, eight, 2), "Nine inputs required.");
  EXPECT_EQ(refusal(module, with_constant(2), 2), "One output only.");
  EXPECT_EQ(first_output(module, with_constant(2), 0), (std::vector<double>{2, 3, 4.75}));
}

TEST_F(IntvolFilter, CallsInsideTheContractAreServed) {
  // Data of T - 1 elements.
  EXPECT_EQ(first_output(module, inputs({4, 8}, {0.5, 0.25}, {2}, {})),
            (std::vector<double>{2, 3, 4.75}));
  // m = T: no recursion, so neither data nor parameters are read.
  EXPECT_EQ(first_output(module, inputs({}, {}, {4}, {5, 3, 3, 3, 1, 1})),
            (std::vector<double>{4, 4, 4}));
  // p = 0: no data read.
  EXPECT_EQ(first_output(module, inputs({}, {0.5}, {2}, {0, 1, 1, 4, 2, 1})),
            (std::vector<double>{2, 2.5, 3, 3.5}));
  // T = 0 with m = 0, and a negative m.
  EXPECT_TRUE(first_output(module, inputs({}, {}, {}, {1, 1, 0, 0, 2, 1})).empty());
  EXPECT_EQ(first_output(module, inputs({}, {}, {}, {1, 1, -3, 2, 2, 1})),
            (std::vector<double>{0, 0}));
}

TEST_F(IntvolFilter, UnsafeCallsAreRefusedBeforeAnyArrayExists) {
  struct Case {
    const char* what;
    Scalars scalars;
    std::vector<double> data, parameters, backcast;
    const char* message;
  };
  const std::vector<double> d{4, 8, 99};
  const std::vector<double> par{0.5, 0.25};
  const std::vector<Case> cases{
      {"negative p", {-1, 1, 1, 3, 2, 1}, d, par, {2}, "Input p must not be negative."},
      {"q of 0", {1, 0, 1, 3, 2, 1}, d, par, {2}, "Input q must be at least 1."},
      {"negative q", {1, -2, 1, 3, 2, 1}, d, par, {2}, "Input q must be at least 1."},
      {"q of 0 without recursion", {0, 0, 3, 3, 2, 1}, {}, {}, {2}, "Input q must be at least 1."},
      {"negative has_constant",
       {1, 1, 1, 3, 2, -1},
       d,
       par,
       {2},
       "Input has_constant must not be negative."},
      {"m past T", {1, 1, 4, 3, 2, 1}, d, par, {2}, "Input m must not exceed T."},
      {"m below p",
       {2, 1, 1, 3, 2, 1},
       d,
       {0.5, 0.25, 0.1},
       {2},
       "Input m must be at least the largest of p and q when T exceeds m."},
      {"m below q",
       {1, 2, 1, 3, 2, 1},
       d,
       {0.5, 0.25, 0.1},
       {2},
       "Input m must be at least the largest of p and q when T exceeds m."},
      {"short data",
       {1, 1, 1, 3, 2, 1},
       {4},
       par,
       {2},
       "Input data must have at least 2 elements."},
      {"short parameters",
       {1, 1, 1, 3, 2, 1},
       d,
       {0.5},
       {2},
       "Input parameters must have at least 2 elements."},
      {"short parameters, has_constant 2",
       {1, 1, 1, 3, 2, 2},
       d,
       par,
       {2},
       "Input parameters must have at least 3 elements."},
      {"empty backcast",
       {1, 1, 1, 3, 2, 1},
       d,
       par,
       {},
       "Input backcast must have at least 1 element."},
      {"NaN has_constant",
       {1, 1, 1, 3, 2, kNaN},
       d,
       par,
       {2},
       "Input has_constant must be a finite number within the range of a 32-bit integer."},
      {"huge orders",
       {0, 2147483647, 2147483647, 2147483648.0, 2, 2147483647},
       {},
       par,
       {2},
       "Input parameters must have at least 4294967293 elements."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(refusal(module, inputs(c.data, c.parameters, c.backcast, c.scalars)), c.message)
        << c.what;
    EXPECT_EQ(volfilter::standin::live_arrays(), 0) << c.what;
  }
}

}  // namespace
