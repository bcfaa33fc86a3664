// logvol_filter through the stand-in host: results, the three scratch columns released in
// every call, and the calls refused because they would reach outside an array.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Scalars {
  double p = 0, o = 0, q = 0, m = 1, T = 2;
};

std::vector<Array> inputs(const std::vector<double>& data, const std::vector<double>& parameters,
                          const std::vector<double>& backcast,
                          const std::vector<double>& upper_bound, const Scalars& s) {
  std::vector<Array> arrays;
  arrays.push_back(make_column(data));
  arrays.push_back(make_column(parameters));
  arrays.push_back(make_column(backcast));
  arrays.push_back(make_column(upper_bound));
  for (const double value : {s.p, s.o, s.q, s.m, s.T}) {
    arrays.push_back(make_scalar(value));
  }
  return arrays;
}

// b = 0, no lags, m = 1, T = 2: one recursion step whose log variance is omega.
std::vector<Array> one_step(double omega, double upper_bound) {
  return inputs({1, 2}, {omega}, {0}, {upper_bound}, {});
}

class LogvolFilter : public ::testing::Test {
 protected:
  Module module = load_module("logvol_filter");
  // Output and scratch alike are gone once the test has dropped its arrays.
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }
};

TEST_F(LogvolFilter, BoundsOfTheVariance) {
  // Ceiling: finite branch U + ln h, after an overflow U, none when U is infinite.
  EXPECT_EQ(first_output(module, one_step(5, 100)), (std::vector<double>{1, 105}));
  EXPECT_EQ(first_output(module, one_step(800, 100)), (std::vector<double>{1, 100}));
  EXPECT_EQ(first_output(module, one_step(800, kInf)), (std::vector<double>{1, kInf}));
  // Floor, then a ceiling below 1 that leaves a negative variance.
  EXPECT_EQ(first_output(module, one_step(-20, 100)), (std::vector<double>{1, 0.0001}));
  EXPECT_EQ(first_output(module, one_step(-0.6, 0.5)),
            (std::vector<double>{1, -0.09999999999999998}));
  // Both bounds at one step: b = 20 puts the floor above U = 100.
  EXPECT_EQ(first_output(module, inputs({1, 2}, {0}, {20}, {100}, {})),
            (std::vector<double>{485165195.4097903, 110.78965962802381}));
}

TEST_F(LogvolFilter, CeilingLogFeedsTheNextStep) {
  // t = 1 hits the ceiling and stores ln 100, which beta = -0.5 carries into t = 2:
  // exp(5 - 0.5 ln 100), not exp(5 - 0.5 * 5).
  Scalars s;
  s.q = 1;
  s.T = 3;
  EXPECT_EQ(first_output(module, inputs({1, 2, 3}, {5, -0.5}, {0}, {100}, s)),
            (std::vector<double>{1, 105, 14.841315910257658}));
}

TEST_F(LogvolFilter, FloorLogFeedsTheNextStep) {
  // b = 1.5: the floor exp(1.5) / 10000 at t = 1, and its log 1.5 - ln 10000 through
  // beta = -2 at t = 2.
  Scalars s;
  s.q = 1;
  s.T = 3;
  EXPECT_EQ(
      first_output(module, inputs({1, 2, 3}, {-20, -2}, {1.5}, {100}, s)),
      (std::vector<double>{4.4816890703380645, 0.00044816890703380644, 0.010261879631701908}));
}

TEST_F(LogvolFilter, AllThreeFamilies) {
  const Scalars s{1, 1, 1, 1, 3};
  EXPECT_EQ(first_output(module, inputs({0.5, -1, 2}, {0.1, 0.2, -0.1, 0.9}, {0}, {100}, s)),
            (std::vector<double>{1, 0.9904688004178557, 1.2626893468339686}));
  // Two lags of each family, where any other order of the additions shows.
  const Scalars two{2, 2, 2, 2, 4};
  EXPECT_EQ(
      first_output(module, inputs({-0.4, -1.4, -0.8, 1.1},
                                  {0.37, -0.46, 0.11, -0.46, 0.22, 0.9, 0.1}, {1}, {100}, two)),
      (std::vector<double>{2.718281828459045, 2.718281828459045, 5.066104845370232,
                           8.299281105146113}));
}

TEST_F(LogvolFilter, CountsAndOutputSlot) {
  std::vector<Array> eight = one_step(5, 100);
  eight.pop_back();
  EXPECT_EQ(refusal(module, eight), "Nine inputs required.");
  EXPECT_EQ(refusal(module, eight, 2), "Nine inputs required.");
  EXPECT_EQ(refusal(module, one_step(5, 100), 2), "One output only.");
  EXPECT_EQ(first_output(module, one_step(5, 100), 0), (std::vector<double>{1, 105}));
}

TEST_F(LogvolFilter, ScalarsAreTruncated) {
  // T 2.9 is 2, m 1.5 is 1, q 0.7 is 0.
  EXPECT_EQ(first_output(module, inputs({1, 2}, {5}, {0}, {100}, {0, 0, 0.7, 1.5, 2.9})),
            (std::vector<double>{1, 105}));
}

TEST_F(LogvolFilter, CallsInsideTheContractAreServed) {
  // m = T: no recursion, so the parameters and the ceiling are not read; the fill still
  // standardizes all T data values.
  EXPECT_EQ(first_output(module, inputs({1, 2}, {}, {std::log(4.0)}, {}, {3, 3, 3, 2, 2})),
            (std::vector<double>{4, 4}));
  // T = 0 with m = 0: an empty column.
  EXPECT_TRUE(first_output(module, inputs({}, {}, {0}, {}, {0, 0, 0, 0, 0})).empty());
  // A negative m runs neither fill nor recursion: all zero, no data read.
  EXPECT_EQ(first_output(module, inputs({}, {}, {0}, {}, {0, 0, 0, -1, 3})),
            (std::vector<double>{0, 0, 0}));
  // A longer parameter vector and a row of backcast values are fine.
  EXPECT_EQ(first_output(module, inputs({1, 2}, {5, 9}, {0, 7}, {100, 1}, {})),
            (std::vector<double>{1, 105}));
}

TEST_F(LogvolFilter, UnsafeCallsAreRefusedBeforeAnyArrayExists) {
  struct Case {
    const char* what;
    Scalars scalars;
    std::vector<double> data, parameters, backcast, upper_bound;
    const char* message;
  };
  const std::vector<double> d{0.5, -1, 2};
  const std::vector<double> par{0.1, 0.2, -0.1, 0.9};
  const std::vector<Case> cases{
      {"negative p", {-1, 1, 1, 1, 3}, d, par, {0}, {100}, "Input p must not be negative."},
      {"negative o", {1, -1, 1, 1, 3}, d, par, {0}, {100}, "Input o must not be negative."},
      {"negative q", {1, 1, -1, 1, 3}, d, par, {0}, {100}, "Input q must not be negative."},
      {"m past T", {1, 1, 1, 4, 3}, d, par, {0}, {100}, "Input m must not exceed T."},
      {"m below the largest order",
       {1, 1, 2, 1, 3},
       d,
       {0.1, 0.2, -0.1, 0.9, 0},
       {0},
       {100},
       "Input m must be at least the largest of p, o and q when T exceeds m."},
      {"short data",
       {1, 1, 1, 1, 3},
       {0.5, -1},
       par,
       {0},
       {100},
       "Input data must have at least 3 elements."},
      {"short data, fill only",
       {1, 1, 1, 3, 3},
       {0.5, -1},
       {},
       {0},
       {},
       "Input data must have at least 3 elements."},
      {"short parameters",
       {1, 1, 1, 1, 3},
       d,
       {0.1, 0.2, -0.1},
       {0},
       {100},
       "Input parameters must have at least 4 elements."},
      {"empty backcast",
       {1, 1, 1, 1, 3},
       d,
       par,
       {},
       {100},
       "Input backcast must have at least 1 element."},
      {"empty backcast, empty sample",
       {0, 0, 0, 0, 0},
       {},
       {},
       {},
       {},
       "Input backcast must have at least 1 element."},
      {"empty upper_bound",
       {1, 1, 1, 1, 3},
       d,
       par,
       {0},
       {},
       "Input upper_bound must have at least 1 element."},
      {"NaN m",
       {1, 1, 1, kNaN, 3},
       d,
       par,
       {0},
       {100},
       "Input m must be a finite number within the range of a 32-bit integer."},
      {"negative T",
       {1, 1, 1, 1, -1},
       d,
       par,
       {0},
       {100},
       "Input T must be a finite number, not negative, below 2^64."},
      {"huge T",
       {0, 0, 0, 0, 1e300},
       d,
       par,
       {0},
       {100},
       "Input T must be a finite number, not negative, below 2^64."},
      {"huge orders",
       {2147483647, 2147483647, 2147483647, 2147483647, 2147483648.0},
       d,
       par,
       {0},
       {100},
       "Input data must have at least 2147483648 elements."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(refusal(module, inputs(c.data, c.parameters, c.backcast, c.upper_bound, c.scalars)),
              c.message)
        << c.what;
    EXPECT_EQ(volfilter::standin::live_arrays(), 0) << c.what;
  }
}

}  // namespace
