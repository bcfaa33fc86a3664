// shiftvol_filter through the stand-in host: both forms, the scratch column released in
// every call, and the calls refused because they would reach outside an array.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Scalars {
  double p = 1, q = 1, m = 1, T = 3, type = 1;
};

std::vector<Array> inputs(const std::vector<double>& data, const std::vector<double>& parameters,
                          const std::vector<double>& backcast, const Scalars& s) {
  std::vector<Array> arrays;
  arrays.push_back(make_column(data));
  arrays.push_back(make_column(parameters));
  arrays.push_back(make_column(backcast));
  for (const double value : {s.p, s.q, s.m, s.T, s.type}) {
    arrays.push_back(make_scalar(value));
  }
  return arrays;
}

// p = q = 1, m = 1, T = 3, (omega, alpha_1, gamma, beta_1) = (0.1, 0.1, 0.5, 0.8), b = 1.
std::vector<Array> worked_example(double type) {
  Scalars s;
  s.type = type;
  return inputs({kNaN, 1, -1}, {0.1, 0.1, 0.5, 0.8}, {1}, s);
}

const std::vector<double> kConstantShift{1, 1.0250000000000001, 0.9450000000000002};
const std::vector<double> kScaledShift{1, 1.0250000000000001, 0.9443827163434172};

class ShiftvolFilter : public ::testing::Test {
 protected:
  Module module = load_module("shiftvol_filter");
  // Output and scratch alike are gone once the test has dropped its arrays.
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }
};

TEST_F(ShiftvolFilter, WorkedExampleBothForms) {
  EXPECT_EQ(first_output(module, worked_example(1)), kConstantShift);
  EXPECT_EQ(first_output(module, worked_example(0)), kScaledShift);
}

TEST_F(ShiftvolFilter, TypeIsOneAfterTruncationForTheConstantShift) {
  EXPECT_EQ(first_output(module, worked_example(1.7)), kConstantShift);
  for (const double type : {0.9, 0.0, 2.0, -1.0}) {
    EXPECT_EQ(first_output(module, worked_example(type)), kScaledShift) << type;
  }
}

TEST_F(ShiftvolFilter, AccumulationOrderInBothForms) {
  // (omega, alpha_1, alpha_2, gamma, beta_1) = (0.1, 0.2, 0.1, 1.0, 0.6), p = 2, m = 2.
  for (const double type : {1.0, 0.0}) {
    const Scalars s{2, 1, 2, 3, type};
    EXPECT_EQ(first_output(module, inputs({kNaN, kNaN, 0.5}, {0.1, 0.2, 0.1, 1.0, 0.6}, {1}, s)),
              (std::vector<double>{1, 1, 1.2999999999999998}))
        << type;
  }
}

TEST_F(ShiftvolFilter, PresampleShiftedSquaresFeedTheFirstStep) {
  // (omega, alpha_1, gamma) = (0, 1, 0.1), b = 3: h[1] is the pre-sample shifted square,
  // 0.01 + 3 or (0.01 + 1) * 3.
  EXPECT_EQ(first_output(module, inputs({kNaN, 0}, {0, 1, 0.1}, {3}, {1, 0, 1, 2, 1})),
            (std::vector<double>{3, 3.01}));
  EXPECT_EQ(first_output(module, inputs({kNaN, 0}, {0, 1, 0.1}, {3}, {1, 0, 1, 2, 0})),
            (std::vector<double>{3, 3.0300000000000002}));
}

TEST_F(ShiftvolFilter, ScaledShiftPropagatesNaN) {
  // (omega, alpha_1, gamma) = (-1, 0, 1): h[1] = -1 has no square root, and NaN * 0 is NaN.
  const std::vector<double> scaled =
      first_output(module, inputs({kNaN, 1, 1}, {-1, 0, 1}, {1}, {1, 0, 1, 3, 0}));
  EXPECT_EQ(scaled[1], -1.0);
  EXPECT_TRUE(std::isnan(scaled[2]));
  EXPECT_EQ(first_output(module, inputs({kNaN, 1, 1}, {-1, 0, 1}, {1}, {1, 0, 1, 3, 1})),
            (std::vector<double>{1, -1, -1}));
}

TEST_F(ShiftvolFilter, CountsAndOutputSlot) {
  std::vector<Array> seven = worked_example(1);
  seven.pop_back();
  EXPECT_EQ(refusal(module, seven), "Eight inputs required.");
  EXPECT_EQ(refusal(module, seven, 2), "Eight inputs required.");
  EXPECT_EQ(refusal(module, worked_example(1), 2), "One output only.");
  EXPECT_EQ(first_output(module, worked_example(1), 0), kConstantShift);
}

TEST_F(ShiftvolFilter, CallsInsideTheContractAreServed) {
  // m = T: no recursion; only the backcast and the shift are read.
  EXPECT_EQ(first_output(module, inputs({}, {kNaN, kNaN, 0.5}, {2}, {1, 5, 3, 3, 0})),
            (std::vector<double>{2, 2, 2}));
  // T = 0 with m = 0: an empty column; the shift is still read.
  EXPECT_TRUE(first_output(module, inputs({}, {0, 0.5}, {}, {0, 0, 0, 0, 1})).empty());
  // A negative m leaves the zero output.
  EXPECT_EQ(first_output(module, inputs({}, {0, 0.5}, {}, {0, 0, -1, 2, 1})),
            (std::vector<double>{0, 0}));
}

TEST_F(ShiftvolFilter, UnsafeCallsAreRefusedBeforeAnyArrayExists) {
  struct Case {
    const char* what;
    Scalars scalars;
    std::vector<double> data, parameters, backcast;
    const char* message;
  };
  const std::vector<double> d{kNaN, 1, -1};
  const std::vector<double> par{0.1, 0.1, 0.5, 0.8};
  const std::vector<Case> cases{
      {"negative p", {-1, 1, 1, 3, 1}, d, par, {1}, "Input p must not be negative."},
      {"negative q", {1, -1, 1, 3, 1}, d, par, {1}, "Input q must not be negative."},
      {"m past T", {1, 1, 4, 3, 1}, d, par, {1}, "Input m must not exceed T."},
      {"m below the largest order",
       {1, 2, 1, 3, 1},
       d,
       {0.1, 0.1, 0.5, 0.8, 0.1},
       {1},
       "Input m must be at least the largest of p and q when T exceeds m."},
      {"short data",
       {1, 1, 1, 3, 1},
       {kNaN, 1},
       par,
       {1},
       "Input data must have at least 3 elements."},
      {"short parameters",
       {1, 1, 1, 3, 1},
       d,
       {0.1, 0.1, 0.5},
       {1},
       "Input parameters must have at least 4 elements."},
      {"no shift, empty sample",
       {0, 0, 0, 0, 1},
       {},
       {0.1},
       {},
       "Input parameters must have at least 2 elements."},
      {"no shift, negative m",
       {3, 0, -1, 2, 1},
       {},
       {0.1, 0.1, 0.1, 0.1},
       {},
       "Input parameters must have at least 5 elements."},
      {"no shift, m = T",
       {1, 9, 2, 2, 0},
       {},
       {0.1, 0.1},
       {1},
       "Input parameters must have at least 3 elements."},
      {"empty backcast",
       {1, 1, 1, 3, 1},
       d,
       par,
       {},
       "Input backcast must have at least 1 element."},
      {"NaN type",
       {1, 1, 1, 3, kNaN},
       d,
       par,
       {1},
       "Input type must be a finite number within the range of a 32-bit integer."},
      {"huge p",
       {2147483647, 0, -1, 0, 1},
       {},
       {0.1},
       {},
       "Input parameters must have at least 2147483649 elements."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(refusal(module, inputs(c.data, c.parameters, c.backcast, c.scalars)), c.message)
        << c.what;
    EXPECT_EQ(volfilter::standin::live_arrays(), 0) << c.what;
  }
}

}  // namespace
