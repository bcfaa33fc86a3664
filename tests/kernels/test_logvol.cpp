#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "kernels.hpp"

namespace {

using volfilter::logvol_kernel;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMu = 0.797884560802865;  // E|z|, the 15-digit literal

struct Call {
  std::vector<double> data;
  std::vector<double> parameters;
  double backcast;
  double upper_bound;
  int p, o, q, m;
  std::size_t T;
};

struct Series {
  std::vector<double> ht, log_ht, std_data, centered_abs_std;
};

// Every series starts as NaN so that an entry the kernel fails to write shows.
Series run(const Call& call,
           volfilter::InfinityTest is_infinite = &volfilter::standard_is_infinite) {
  Series s{std::vector<double>(call.T, kNaN), std::vector<double>(call.T, kNaN),
           std::vector<double>(call.T, kNaN), std::vector<double>(call.T, kNaN)};
  logvol_kernel(call.data.data(), call.parameters.data(), &call.backcast, &call.upper_bound, call.p,
                call.o, call.q, call.m, call.T, s.ht.data(), s.log_ht.data(), s.std_data.data(),
                s.centered_abs_std.data(), is_infinite);
  return s;
}

// b = 0, no lags, m = 1, T = 2, data (1, 2): one recursion step whose sum is omega.
Call one_step(double omega, double upper_bound) {
  return {{1, 2}, {omega}, 0.0, upper_bound, 0, 0, 0, 1, 2};
}

TEST(LogvolBounds, CeilingFiniteBranchAddsTheLogVariance) {
  // exp(5) > 100: the variance becomes 100 + 5, not 100 nor 100 + exp(5).
  const Series s = run(one_step(5, 100));
  EXPECT_EQ(s.ht, (std::vector<double>{1, 105}));
  EXPECT_EQ(s.log_ht, (std::vector<double>{0, 4.605170185988092}));
  EXPECT_EQ(s.std_data, (std::vector<double>{1, 0.19518001458970666}));
  // The pre-sample entry tells the 15-digit literal from a computed sqrt(2 / pi).
  EXPECT_EQ(s.centered_abs_std, (std::vector<double>{0.20211543919713504, -0.6027045462131583}));
}

TEST(LogvolBounds, CeilingAfterOverflowIsTheBoundItself) {
  const Series s = run(one_step(800, 100));
  EXPECT_EQ(s.ht[1], 100.0);
  EXPECT_EQ(s.log_ht[1], 4.605170185988092);
  EXPECT_EQ(s.std_data[1], 0.2);
}

TEST(LogvolBounds, InfiniteCeilingNeverApplies) {
  const Series s = run(one_step(800, kInf));
  EXPECT_EQ(s.ht[1], kInf);
  EXPECT_EQ(s.log_ht[1], 800.0);
  EXPECT_EQ(s.std_data[1], 0.0);
  EXPECT_EQ(s.centered_abs_std[1], -kMu);
}

TEST(LogvolBounds, TheInfinityTestIsTheOneGiven) {
  // A test that never answers yes sends the overflow down the finite branch: U + 800.
  const Series s = run(one_step(800, 100), [](double) { return false; });
  EXPECT_EQ(s.ht[1], 900.0);
}

TEST(LogvolBounds, FloorIsTheBackcastVarianceOverTenThousand) {
  const Series s = run(one_step(-20, 100));
  EXPECT_EQ(s.ht[1], 0.0001);
  EXPECT_EQ(s.log_ht[1], -9.210340371976184);
  EXPECT_EQ(s.std_data[1], 200.0);
}

TEST(LogvolBounds, FloorIsATrueDivisionAndItsLogTheBackcastLessLnTenThousand) {
  // b = 1.5: exp(1.5) / 10000.0 and exp(1.5) * 0.0001 differ in the last place, and so do
  // 1.5 - ln 10000 and ln(exp(1.5) / 10000). The floored log feeds t = 2 through beta = -2.
  const Call call{{1, 2, 3}, {-20, -2}, 1.5, 100, 0, 0, 1, 1, 3};
  const Series s = run(call);
  EXPECT_EQ(s.ht[1], 0.00044816890703380644);
  EXPECT_EQ(s.log_ht[1], -7.710340371976184);
  EXPECT_EQ(s.ht[2], 0.010261879631701908);
  EXPECT_EQ(s.log_ht[2], -4.579319256047633);
}

TEST(LogvolBounds, BothBoundsAtOneStep) {
  // b = 20 puts the floor (about 48517) above U = 100: floored first, then the ceiling
  // adds the floored log variance 20 - ln 10000.
  const Call call{{1, 2}, {0}, 20, 100, 0, 0, 0, 1, 2};
  const Series s = run(call);
  EXPECT_EQ(s.ht[1], 110.78965962802381);
  EXPECT_EQ(s.log_ht[1], 4.605170185988092);
  EXPECT_EQ(s.std_data[1], 0.19001171666012442);
}

TEST(LogvolBounds, CeilingBelowOneCanLeaveANegativeVariance) {
  // exp(-0.6) > 0.5, so the variance is 0.5 + (-0.6); its square root is NaN.
  const Series s = run(one_step(-0.6, 0.5));
  EXPECT_EQ(s.ht[1], -0.09999999999999998);
  EXPECT_EQ(s.log_ht[1], std::log(0.5));
  EXPECT_TRUE(std::isnan(s.std_data[1]));
  EXPECT_TRUE(std::isnan(s.centered_abs_std[1]));
}

TEST(LogvolBounds, NaNPassesBothBounds) {
  const Series s = run(one_step(kNaN, 100));
  EXPECT_TRUE(std::isnan(s.ht[1]));
  EXPECT_TRUE(std::isnan(s.log_ht[1]));
}

TEST(LogvolWorkedExample, AllThreeFamilies) {
  const Call call{{0.5, -1, 2}, {0.1, 0.2, -0.1, 0.9}, 0.0, 100, 1, 1, 1, 1, 3};
  const Series s = run(call);
  EXPECT_EQ(s.ht, (std::vector<double>{1, 0.9904688004178557, 1.2626893468339686}));
  EXPECT_EQ(s.log_ht, (std::vector<double>{0, -0.009576912160572992, 0.2332438486121205}));
  EXPECT_EQ(s.std_data, (std::vector<double>{0.5, -1.0047999390573639, 1.7798431745796988}));
  EXPECT_EQ(s.centered_abs_std,
            (std::vector<double>{-0.29788456080286496, 0.2069153782544989, 0.9819586137768338}));
}

TEST(LogvolOrderOfArithmetic, NoFusedMultiplyAdd) {
  // -1024 + (1024 x) x with x = 1 + 2^-30: the rounded product loses 2^-50, which a fused
  // multiply-add keeps, and exp carries the difference into ht.
  const double x = 1.0 + std::ldexp(1.0, -30);
  const Call call{{x, 0}, {-1024, 1024 * x}, 0.0, 100, 0, 1, 0, 1, 2};
  ASSERT_NE(std::fma(1024 * x, x, -1024.0), std::ldexp(1.0, -19));
  const Series s = run(call);
  EXPECT_EQ(s.log_ht[1], std::ldexp(1.0, -19));
  EXPECT_EQ(s.ht[1], 1.0000019073504518);
}

TEST(LogvolOrderOfArithmetic, ConstantThenFamiliesThenLagsInOrder) {
  // p = o = q = 2. Adding the constant last, the families in reverse or the lags in
  // reverse gives ht[2] = 5.066104845370233, 5.06610484537023 and 5.06610484537023.
  const Call call{
      {-0.4, -1.4, -0.8, 1.1}, {0.37, -0.46, 0.11, -0.46, 0.22, 0.9, 0.1}, 1.0, 100, 2, 2, 2, 2, 4};
  EXPECT_EQ(run(call).ht, (std::vector<double>{2.718281828459045, 2.718281828459045,
                                               5.066104845370232, 8.299281105146113}));
}

TEST(LogvolEdges, PresampleEqualToSample) {
  const Call call{{3, -4}, {}, std::log(4.0), 100, 3, 3, 3, 2, 2};
  const Series s = run(call);
  EXPECT_EQ(s.ht, (std::vector<double>{4, 4}));
  EXPECT_EQ(s.log_ht, (std::vector<double>{std::log(4.0), std::log(4.0)}));
  EXPECT_EQ(s.std_data, (std::vector<double>{1.5, -2}));
}

TEST(LogvolEdges, NoLagsGiveExpOfTheConstant) {
  const Call call{{1, 1, 1}, {0.5}, 0.0, 100, 0, 0, 0, 1, 3};
  EXPECT_EQ(run(call).ht, (std::vector<double>{1, std::exp(0.5), std::exp(0.5)}));
}

TEST(LogvolEdges, EmptySampleWritesNothing) {
  const double backcast = 0.0;
  logvol_kernel(nullptr, nullptr, &backcast, nullptr, 1, 1, 1, 0, 0, nullptr, nullptr, nullptr,
                nullptr);
}

TEST(LogvolEdges, NegativePresampleLengthWritesNothing) {
  const Series s = run({{1, 2}, {0}, 0.0, 100, 0, 0, 0, -1, 2});
  EXPECT_TRUE(std::isnan(s.ht[0]) && std::isnan(s.ht[1]) && std::isnan(s.log_ht[1]));
}

}  // namespace
