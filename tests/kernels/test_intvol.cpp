#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "kernels.hpp"

namespace {

using volfilter::intvol_kernel;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Call {
  std::vector<double> data;
  std::vector<double> parameters;
  double backcast;
  int p, q, m;
  std::size_t T;
  int type;
  int has_constant;
};

// The output buffer starts as `fill`: NaN shows an entry the kernel fails to write.
std::vector<double> run(const Call& call, double fill = kNaN) {
  std::vector<double> ht(call.T, fill);
  intvol_kernel(call.data.data(), call.parameters.data(), &call.backcast, call.p, call.q, call.m,
                call.T, call.type, call.has_constant, ht.data());
  return ht;
}

// p = q = 1, m = 1, T = 3, backcast 2; the implied coefficient is 1 - 0.25 = 0.75 and the
// last data value is never read.
Call with_constant(int type) { return {{4, 8, kNaN}, {0.5, 0.25}, 2.0, 1, 1, 1, 3, type, 1}; }

TEST(IntvolWorkedExample, WithConstantPowerTwo) {
  EXPECT_EQ(run(with_constant(2)), (std::vector<double>{2, 3, 4.75}));
}

TEST(IntvolWorkedExample, WithConstantPowerOne) {
  EXPECT_EQ(run(with_constant(1)), (std::vector<double>{2, 9, 22.5625}));
}

TEST(IntvolWorkedExample, WithoutConstant) {
  const Call call{{4, 8, kNaN}, {0.25}, 2.0, 1, 1, 1, 3, 2, 0};
  EXPECT_EQ(run(call), (std::vector<double>{2, 2.5, 3.875}));
}

TEST(IntvolWorkedExample, HasConstantTwoSkipsIndexOne) {
  // The constant is parameters[0], alpha_1 parameters[2]; parameters[1] is never read.
  const Call call{{4, 8, kNaN}, {0.5, kNaN, 0.25}, 2.0, 1, 1, 1, 3, 2, 2};
  EXPECT_EQ(run(call), (std::vector<double>{2, 3, 4.75}));
}

TEST(IntvolWorkedExample, TypeSelectsThePowerExactlyAtOne) {
  for (const int type : {0, -1, 2, 7}) {
    EXPECT_EQ(run(with_constant(type)), (std::vector<double>{2, 3, 4.75})) << type;
  }
}

TEST(IntvolImpliedCoefficient, SubtractedInIndexOrderAndUsedOnTheLastLag) {
  // p = 1, q = 2, (omega, alpha_1, beta_1) = (-0.6, 0.3, 0.6), zero data, backcast 1:
  // ht[2] = -0.6 + 0.6 + k = k. (1 - 0.3) - 0.6 = 0.09999999999999998, whereas
  // 1 - (0.3 + 0.6) and (1 - 0.6) - 0.3 give 0.10000000000000009 and 0.10000000000000003.
  // ht[3] = -0.6 + 0.6 ht[2] + k ht[1]; beta_1 and k swapped would give 0.010000000000000009.
  const Call call{{0, 0, 0, kNaN}, {-0.6, 0.3, 0.6}, 1.0, 1, 2, 2, 4, 2, 1};
  EXPECT_EQ(run(call), (std::vector<double>{1, 1, 0.09999999999999998, -0.44000000000000006}));
}

TEST(IntvolImpliedCoefficient, OneWhenNoOtherLag) {
  // p = 0, q = 1: k = 1, so the series rises by omega a step; without a constant it stays.
  const Call rising{{}, {0.5}, 2.0, 0, 1, 1, 4, 2, 1};
  EXPECT_EQ(run(rising), (std::vector<double>{2, 2.5, 3, 3.5}));
  const Call flat{{}, {}, 2.0, 0, 1, 1, 4, 2, 0};
  EXPECT_EQ(run(flat), (std::vector<double>{2, 2, 2, 2}));
}

TEST(IntvolOrderOfArithmetic, NoFusedMultiplyAdd) {
  // -1 + x * x with x = 1 + 2^-30; the implied term is (1 - x) * 0.
  const double x = 1.0 + std::ldexp(1.0, -30);
  const Call call{{x, kNaN}, {-1.0, x}, 0.0, 1, 1, 1, 2, 2, 1};
  ASSERT_NE(std::fma(x, x, -1.0), std::ldexp(1.0, -29));
  EXPECT_EQ(run(call)[1], std::ldexp(1.0, -29));
}

TEST(IntvolOrderOfArithmetic, WithoutConstantTheSumStartsFromPositiveZero) {
  // alpha_1 = 1, so k = 0; data -0 and backcast -1 make both products -0. From +0.0 the
  // sum is +0.0; from the first product it would be -0.0.
  const Call call{{-0.0, kNaN}, {1.0}, -1.0, 1, 1, 1, 2, 2, 0};
  const std::vector<double> ht = run(call);
  EXPECT_EQ(ht[1], 0.0);
  EXPECT_FALSE(std::signbit(ht[1]));
}

TEST(IntvolOrderOfArithmetic, WithoutConstantTheBufferIsNotTrusted) {
  const Call call{{4, 8, kNaN}, {0.25}, 2.0, 1, 1, 1, 3, 2, 0};
  EXPECT_EQ(run(call, 7.0), (std::vector<double>{2, 2.5, 3.875}));
}

TEST(IntvolEdges, PowerOneSquaresOnlyFromThePresampleOn) {
  // Pre-sample entries keep -3 unsquared; the recursion feeds back -1.5, not 2.25.
  const Call call{{1, 1, 1, kNaN}, {0.5, 0.25}, -3.0, 1, 1, 2, 4, 1, 1};
  EXPECT_EQ(run(call), (std::vector<double>{-3, -3, 2.25, 0.140625}));
}

TEST(IntvolEdges, PresampleEqualToSampleIsAllBackcastUnderEitherPower) {
  for (const int type : {1, 2}) {
    const Call call{{}, {}, 3.0, 2, 2, 3, 3, type, 1};
    EXPECT_EQ(run(call), (std::vector<double>{3, 3, 3})) << type;
  }
}

TEST(IntvolEdges, EmptySampleReadsNothing) {
  intvol_kernel(nullptr, nullptr, nullptr, 1, 1, 0, 0, 1, 1, nullptr);
}

TEST(IntvolEdges, WithoutRecursionNoCoefficientIsLocated) {
  // No parameters at all and a constant flag far past them: without a recursion the kernel
  // must not even form a pointer to the coefficients (an offset from null, or past the end
  // of the parameters, is undefined; the sanitizer build reports it).
  const double backcast = 1.5;
  std::vector<double> ht(2, kNaN);
  intvol_kernel(nullptr, nullptr, &backcast, 7, 1, 2, 2, 1, 2147483647, ht.data());
  EXPECT_EQ(ht, (std::vector<double>{1.5, 1.5}));
}

TEST(IntvolEdges, NegativePresampleLengthWritesNothing) {
  const std::vector<double> ht = run({{}, {1.0}, 5.0, 0, 1, -1, 2, 2, 1});
  EXPECT_TRUE(std::isnan(ht[0]) && std::isnan(ht[1]));
}

}  // namespace
