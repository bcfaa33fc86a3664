#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "kernels.hpp"

namespace {

using volfilter::shiftvol_kernel;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kConstantShift = 1;
constexpr int kScaledShift = 0;

struct Call {
  std::vector<double> data;
  std::vector<double> parameters;
  double backcast;
  int p, q, m;
  std::size_t T;
  int type;
};

struct Series {
  std::vector<double> ht, shifted_sq;
};

Series run(const Call& call) {
  Series s{std::vector<double>(call.T, kNaN), std::vector<double>(call.T, kNaN)};
  shiftvol_kernel(call.data.data(), call.parameters.data(), &call.backcast, call.p, call.q, call.m,
                  call.T, call.type, s.ht.data(), s.shifted_sq.data());
  return s;
}

// p = q = 1, m = 1, T = 3, (omega, alpha_1, gamma, beta_1) = (0.1, 0.1, 0.5, 0.8), b = 1;
// data[0] is never read.
Call worked_example(int type) {
  return {{kNaN, 1, -1}, {0.1, 0.1, 0.5, 0.8}, 1.0, 1, 1, 1, 3, type};
}

TEST(ShiftvolWorkedExample, ConstantShift) {
  const Series s = run(worked_example(kConstantShift));
  EXPECT_EQ(s.ht, (std::vector<double>{1, 1.0250000000000001, 0.9450000000000002}));
  EXPECT_EQ(s.shifted_sq, (std::vector<double>{1.25, 0.25, 2.25}));
}

TEST(ShiftvolWorkedExample, ScaledShift) {
  const Series s = run(worked_example(kScaledShift));
  EXPECT_EQ(s.ht, (std::vector<double>{1, 1.0250000000000001, 0.9443827163434172}));
  EXPECT_EQ(s.shifted_sq, (std::vector<double>{1.25, 0.2438271634341706, 2.2078892355284854}));
}

TEST(ShiftvolWorkedExample, EveryTypeButOneIsTheScaledShift) {
  const Series scaled = run(worked_example(kScaledShift));
  for (const int type : {2, -1, 7}) {
    EXPECT_EQ(run(worked_example(type)).ht, scaled.ht) << type;
  }
}

// p = 2, q = 1, m = 2, T = 3, (omega, alpha_1, alpha_2, gamma, beta_1) = (0.1, 0.2, 0.1,
// 1.0, 0.6), b = 1: both pre-sample shifted squares are 2 in either form.
Call accumulation_example(int type) {
  return {{kNaN, kNaN, 0.5}, {0.1, 0.2, 0.1, 1.0, 0.6}, 1.0, 2, 1, 2, 3, type};
}

TEST(ShiftvolOrderOfArithmetic, ConstantThenAlphasThenBetasFromLagOneUp) {
  // The beta term first, the lags in decreasing order, the two family sums added to omega,
  // or omega last give 1.3 or 1.3000000000000003.
  for (const int type : {kConstantShift, kScaledShift}) {
    const Series s = run(accumulation_example(type));
    EXPECT_EQ(s.ht, (std::vector<double>{1, 1, 1.2999999999999998})) << type;
    EXPECT_EQ(s.shifted_sq[0], 2.0) << type;
    EXPECT_EQ(s.shifted_sq[1], 2.0) << type;
  }
  EXPECT_EQ(run(accumulation_example(kConstantShift)).shifted_sq[2], 0.25);
  EXPECT_EQ(run(accumulation_example(kScaledShift)).shifted_sq[2], 0.4098245749008618);
}

TEST(ShiftvolOrderOfArithmetic, NoFusedMultiplyAddInTheSum) {
  // -1 + x * x with x = 1 + 2^-30 is 2^-29 with a rounded product; fused it keeps 2^-60.
  const double x = 1.0 + std::ldexp(1.0, -30);
  const Call call{{kNaN, 0}, {-1.0, 0.0, x}, x, 0, 1, 1, 2, kConstantShift};
  ASSERT_NE(std::fma(x, x, -1.0), std::ldexp(1.0, -29));
  EXPECT_EQ(run(call).ht[1], std::ldexp(1.0, -29));
}

TEST(ShiftvolOrderOfArithmetic, NoFusedMultiplyAddInTheScaledShift) {
  // h[1] = 1 + 2^-29, whose square root is x = 1 + 2^-30; d = 1 - gamma * x with gamma = x
  // is -2^-29 when the product is rounded first. alpha = 2^58 carries d * d into h[2].
  const double x = 1.0 + std::ldexp(1.0, -30);
  const double omega = 1.0 + std::ldexp(1.0, -29);
  ASSERT_EQ(std::sqrt(omega), x);
  const Call call{{kNaN, 1, 0}, {omega, std::ldexp(1.0, 58), x}, 0.0, 1, 0, 1, 3, kScaledShift};
  const Series s = run(call);
  EXPECT_EQ(s.shifted_sq[1], std::ldexp(1.0, -58));
  EXPECT_EQ(s.ht[2], 2.000000001862645);
}

TEST(ShiftvolEdges, PresampleShiftedSquares) {
  // gamma = 0.1, b = 3: 0.01 + 3 under a constant shift; under a scaled one (0.01 + 1) * 3,
  // which is not 0.01 * 3 + 3 (3.03).
  const Call constant{{}, {0, 0.1}, 3.0, 0, 0, 2, 2, kConstantShift};
  EXPECT_EQ(run(constant).shifted_sq, (std::vector<double>{3.01, 3.01}));
  Call scaled = constant;
  scaled.type = kScaledShift;
  EXPECT_EQ(run(scaled).shifted_sq, (std::vector<double>{3.0300000000000002, 3.0300000000000002}));
  EXPECT_EQ(run(scaled).ht, (std::vector<double>{3, 3}));
}

TEST(ShiftvolEdges, NoLagsGiveTheConstant) {
  const Call call{{kNaN, 2, 2}, {-0.5, 1.0}, 4.0, 0, 0, 1, 3, kScaledShift};
  EXPECT_EQ(run(call).ht, (std::vector<double>{4, -0.5, -0.5}));
}

TEST(ShiftvolEdges, ScaledShiftCarriesANegativeVarianceAsNaN) {
  // (omega, alpha_1, gamma) = (-1, 0, 1): h[1] = -1, its square root NaN, and NaN * 0 keeps
  // h[2] NaN. The constant shift carries on with -1.
  const Call scaled{{kNaN, 1, 1}, {-1, 0, 1}, 1.0, 1, 0, 1, 3, kScaledShift};
  const Series s = run(scaled);
  EXPECT_EQ(s.ht[1], -1.0);
  EXPECT_TRUE(std::isnan(s.shifted_sq[1]));
  EXPECT_TRUE(std::isnan(s.ht[2]));
  Call constant = scaled;
  constant.type = kConstantShift;
  EXPECT_EQ(run(constant).ht, (std::vector<double>{1, -1, -1}));
}

TEST(ShiftvolEdges, WithoutShiftLagsTheNaNStaysInTheShiftedSquares) {
  const Call call{{kNaN, 1, 1}, {-1, 1}, 1.0, 0, 0, 1, 3, kScaledShift};
  const Series s = run(call);
  EXPECT_EQ(s.ht, (std::vector<double>{1, -1, -1}));
  EXPECT_TRUE(std::isnan(s.shifted_sq[1]) && std::isnan(s.shifted_sq[2]));
}

TEST(ShiftvolEdges, PresampleEqualToSample) {
  const Call call{{}, {9, 9, 0.5, 9}, 2.0, 1, 1, 2, 2, kScaledShift};
  EXPECT_EQ(run(call).ht, (std::vector<double>{2, 2}));
}

TEST(ShiftvolEdges, EmptySampleReadsOnlyTheShift) {
  const double parameters[] = {kNaN, kNaN, 0.5};
  shiftvol_kernel(nullptr, parameters, nullptr, 1, 1, 0, 0, 1, nullptr, nullptr);
}

TEST(ShiftvolEdges, NegativePresampleLengthWritesNothing) {
  const Series s = run({{1, 2}, {0, 0.5}, 1.0, 0, 0, -1, 2, kConstantShift});
  EXPECT_TRUE(std::isnan(s.ht[0]) && std::isnan(s.ht[1]) && std::isnan(s.shifted_sq[0]));
}

}  // namespace
