#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "kernels.hpp"

namespace {

using volfilter::lagreg_kernel;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Call {
  std::vector<double> parameters;
  std::vector<double> ar_lags;
  std::vector<double> ma_lags;
  int constant;
  std::vector<double> y;
  std::vector<double> x;  // column-major, row stride T
  std::size_t x_columns;
  std::size_t m;
  std::vector<double> sigma;
};

std::vector<double> run(const Call& call) {
  const std::size_t T = call.y.size();
  std::vector<double> residuals(T, kNaN);
  lagreg_kernel(call.parameters.data(), call.ar_lags.data(), call.ma_lags.data(), call.constant,
                static_cast<int>(call.ar_lags.size()), static_cast<int>(call.ma_lags.size()),
                call.y.data(), call.x.data(), call.m, T, call.x_columns, call.sigma.data(),
                residuals.data());
  return residuals;
}

TEST(LagregWorkedExamples, ConstantAndAutoregressiveTerm) {
  const Call call{{0.5, 0.5}, {1}, {}, 1, {1, 2, 3, 4}, {}, 0, 1, {1, 1, 1, 1}};
  EXPECT_EQ(run(call), (std::vector<double>{0, 1, 1.5, 2}));
}

TEST(LagregWorkedExamples, MovingAverageReadsUnscaledResiduals) {
  // Unscaled residuals 0, 2, 3 - 0.5 * 2 = 2, scaled by (1, 2, 2). Feeding back the scaled
  // residual 1 instead would make the last entry (3 - 0.5) / 2 = 1.25.
  const Call call{{0.5}, {}, {1}, 0, {1, 2, 3}, {}, 0, 1, {1, 2, 2}};
  EXPECT_EQ(run(call), (std::vector<double>{0, 1, 1}));
}

TEST(LagregWorkedExamples, RandomModelWithEveryFamily) {
  // c = 1, lags (1, 3, 1) and (2, 1), two regressors taken from a 12-row matrix with row
  // stride T = 10. Expected bits from a separate step-by-step evaluation in the stated
  // order; every other order of the four families, either lag list reversed with its
  // coefficients, the regressor columns swapped, scaled feedback or row stride 12 changes
  // at least one entry.
  const Call call{
      {0.057167, -0.239705, 0.490644, 0.08684, 0.458781, 0.417653, 0.010047, -0.103265},
      {1, 3, 1},
      {2, 1},
      1,
      {-1.055808, -1.587336, -0.415767, -1.380111, -1.73394, -0.393636, 1.67182, 1.201809, 1.06065,
       -1.112287},
      {0.07336,  -0.446635, -0.654671, -0.787633, -0.571199, 0.854951,  0.65784,  0.613305,
       0.600896, -0.613129, -0.3803,   0.253951,  0.463789,  0.709297,  0.760102, -0.826563,
       0.211704, 0.343403,  0.011908,  -0.64442,  -0.052824, -0.821308, 0.869177, 0.730968},
      2,
      3,
      {1.398369, 1.146565, 0.741981, 0.957667, 1.718888, 0.564858, 0.569483, 1.439526, 0.92065,
       1.301933}};
  const std::vector<double> expected{0.0,
                                     0.0,
                                     0.0,
                                     -0x1.eaa18349c9e2cp-1,
                                     -0x1.99197ee448359p-1,
                                     -0x1.396495727e588p+0,
                                     0x1.90ef3249fcbadp+1,
                                     0x1.66c019bce0964p+0,
                                     0x1.66b954d1e331fp+0,
                                     -0x1.c9d59978fb9b8p-1};
  EXPECT_EQ(run(call), expected);
}

TEST(LagregLags, DuplicateLagsEachKeepTheirCoefficient) {
  // Lag 1 twice, weights 0.5 and 0.25: 4 - 2 * 0.5 - 2 * 0.25 and 8 - 4 * 0.5 - 4 * 0.25.
  EXPECT_EQ(run({{0.5, 0.25}, {1, 1}, {}, 0, {2, 4, 8}, {}, 0, 1, {1, 1, 1}}),
            (std::vector<double>{0, 2.5, 5}));
  // The same for moving-average lags: residual 1 at t = 1, then 2 - 1 * 0.5 - 1 * 0.25.
  EXPECT_EQ(run({{0.5, 0.25}, {}, {1, 1}, 0, {0, 1, 2}, {}, 0, 1, {1, 1, 1}}),
            (std::vector<double>{0, 1, 2 - 0.75}));
}

TEST(LagregLags, FractionalLagIsTruncated) {
  // Lag 2.9 acts as 2: 1000 - 10 and 10000 - 100; as lag 3 it would give 999.
  const Call call{{1}, {2.9}, {}, 0, {1, 10, 100, 1000, 10000}, {}, 0, 3, {1, 1, 1, 1, 1}};
  EXPECT_EQ(run(call), (std::vector<double>{0, 0, 0, 990, 9900}));
}

TEST(LagregLags, LagListOrderIsSubtractionOrder) {
  // Lags (1, 2) with weights (-2^-53, 1) on y = 1: 1 + 2^-53 rounds to 1, then 1 - 1 = 0.
  // Subtracting the lag-2 term first would give 0 + 2^-53.
  const double half_ulp = std::ldexp(1.0, -53);
  const Call call{{-half_ulp, 1.0}, {1, 2}, {}, 0, {1, 1, 1}, {}, 0, 2, {1, 1, 1}};
  EXPECT_EQ(run(call)[2], 0.0);
}

TEST(LagregRegressors, ReadWithRowStrideT) {
  // T = 3 from a 5-by-2 regressor matrix: column 1 starts at element 3, not 5.
  // 100 - 1 * x[0] - 10 * x[3] = 59; a stride of 5 would give 100 - 1 - 60 = 39.
  const Call call{{1, 10}, {}, {},       0, {100, 200, 300}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                  2,       0,  {1, 1, 1}};
  EXPECT_EQ(run(call), (std::vector<double>{59, 148, 237}));
}

TEST(LagregOrderOfArithmetic, ConstantThenAutoregressiveThenRegressors) {
  // 1 - (-2^-53) = 1 + 2^-53 rounds to 1, then - 1 * 1 = 0, then - 1 * (-2^-53) = 2^-53.
  // Taking the autoregressive term before the constant would keep the constant: 2^-52.
  const double half_ulp = std::ldexp(1.0, -53);
  const Call call{{-half_ulp, 1, 1}, {1}, {}, 1, {1, 1}, {0, -half_ulp}, 1, 1, {1, 1}};
  EXPECT_EQ(run(call)[1], half_ulp);
}

TEST(LagregOrderOfArithmetic, NoFusedMultiplyAdd) {
  // 1 - (1 + 2^-30)^2: the square rounds to 1 + 2^-29, so the residual is exactly -2^-29;
  // a fused multiply-add keeps the 2^-60.
  const double x = 1.0 + std::ldexp(1.0, -30);
  ASSERT_NE(std::fma(-x, x, 1.0), -std::ldexp(1.0, -29));
  const Call call{{x}, {1}, {}, 0, {x, 1}, {}, 0, 1, {1, 1}};
  EXPECT_EQ(run(call)[1], -std::ldexp(1.0, -29));
}

TEST(LagregEdges, NothingButTheScaledData) {
  // c = P = Q = k = 0: y(t) / sigma(t) from m on, zeros below.
  EXPECT_EQ(run({{}, {}, {}, 0, {3, 4, 9}, {}, 0, 1, {5, 2, 3}}), (std::vector<double>{0, 2, 3}));
}

TEST(LagregEdges, PresampleEqualToSampleIsAllZeros) {
  // Neither the recursion nor the scaling runs: a zero scale changes nothing.
  EXPECT_EQ(run({{1}, {1}, {1}, 1, {3, 4, 9}, {}, 0, 3, {0, 0, 0}}),
            (std::vector<double>{0, 0, 0}));
}

TEST(LagregEdges, EmptySampleReadsNothing) {
  lagreg_kernel(nullptr, nullptr, nullptr, 1, 3, 3, nullptr, nullptr, 0, 0, 4, nullptr, nullptr);
}

TEST(LagregEdges, ZeroScaleSpoilsOnlyItsOwnEntry) {
  // Scaling comes after the recursion, so the moving-average term at t = 2 still sees the
  // finite residual 2 of t = 1.
  const std::vector<double> residuals = run({{0.5}, {}, {1}, 0, {1, 2, 3}, {}, 0, 1, {1, 0, 1}});
  EXPECT_EQ(residuals[1], std::numeric_limits<double>::infinity());
  EXPECT_EQ(residuals[2], 2.0);
}

}  // namespace
