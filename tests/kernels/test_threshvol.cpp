#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "kernels.hpp"

namespace {

using volfilter::threshvol_kernel;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Call {
  std::vector<double> data;
  std::vector<double> asym_data;
  std::vector<double> parameters;
  double backcast;
  int p, o, q, m;
  std::size_t T;
  int type;
};

std::vector<double> run(const Call& call) {
  std::vector<double> ht(call.T, kNaN);
  threshvol_kernel(call.data.data(), call.asym_data.data(), call.parameters.data(), &call.backcast,
                   call.p, call.o, call.q, call.m, call.T, call.type, ht.data());
  return ht;
}

// p = o = q = 1, m = 1, T = 3; the last data values are never read.
Call worked_example(int type) {
  return {{1, 2, 7}, {2, 4, 9}, {0.5, 0.25, 0.125, 0.5}, 2.0, 1, 1, 1, 1, 3, type};
}

TEST(ThreshvolWorkedExample, PowerTwo) {
  EXPECT_EQ(run(worked_example(2)), (std::vector<double>{2, 2, 2.5}));
}

TEST(ThreshvolWorkedExample, PowerOneFeedsBackUnsquaredValues) {
  // Recursion values 2 and 2.5; t = 2 uses the unsquared 2 of t = 1, not 4.
  EXPECT_EQ(run(worked_example(1)), (std::vector<double>{2, 4, 6.25}));
}

TEST(ThreshvolWorkedExample, EveryTypeButOneIsPowerTwo) {
  for (const int type : {0, 2, -1, 7}) {
    EXPECT_EQ(run(worked_example(type)), (std::vector<double>{2, 2, 2.5})) << type;
  }
}

TEST(ThreshvolWorkedExample, LastDataElementsAreNeverRead) {
  Call call = worked_example(2);
  call.data.back() = kNaN;
  call.asym_data.back() = kNaN;
  EXPECT_EQ(run(call), (std::vector<double>{2, 2, 2.5}));
}

TEST(ThreshvolOrderOfArithmetic, NoFusedMultiplyAdd) {
  // (1 + 2^-30)^2 = 1 + 2^-29 + 2^-60 rounds to 1 + 2^-29, so -1 + that is exactly 2^-29.
  // A fused multiply-add keeps the 2^-60.
  const double x = 1.0 + std::ldexp(1.0, -30);
  const Call call{{x, 0}, {}, {-1.0, x}, 0.0, 1, 0, 0, 1, 2, 2};
  ASSERT_NE(std::fma(x, x, -1.0), std::ldexp(1.0, -29));
  EXPECT_EQ(run(call)[1], std::ldexp(1.0, -29));
}

TEST(ThreshvolOrderOfArithmetic, FamiliesAddedOneProductAtATimeAfterTheConstant) {
  // 1 + 2^-53 rounds back to 1 twice; summing the two families first, or adding the
  // constant last, gives 1 + 2^-52.
  const double half_ulp = std::ldexp(1.0, -53);
  const Call call{{1, 0}, {1, 0}, {1.0, half_ulp, half_ulp}, 0.0, 1, 1, 0, 1, 2, 2};
  EXPECT_EQ(run(call)[1], 1.0);
}

TEST(ThreshvolOrderOfArithmetic, LagOneBeforeLagTwo) {
  // 1 - 1 + 2^-53 = 2^-53 in lag order; lag 2 first would give 1 + 2^-53 - 1 = 0.
  const Call call{{1, 1, 0}, {}, {1.0, -1.0, std::ldexp(1.0, -53)}, 0.0, 2, 0, 0, 2, 3, 2};
  EXPECT_EQ(run(call)[2], std::ldexp(1.0, -53));
}

TEST(ThreshvolOrderOfArithmetic, OutputLagsAreTheirOwnLags) {
  // q = 2 with distinct coefficients: lag 1 weighs 0.5, lag 2 weighs 0.25.
  const Call call{{}, {}, {0.0, 0.5, 0.25}, 4.0, 0, 0, 2, 2, 4, 2};
  EXPECT_EQ(run(call), (std::vector<double>{4, 4, 3, 2.5}));
}

TEST(ThreshvolEdges, NoLagsGiveTheConstant) {
  const Call power2{{}, {}, {-3.0}, 1.0, 0, 0, 0, 1, 3, 2};
  EXPECT_EQ(run(power2), (std::vector<double>{1, -3, -3}));
  Call power1 = power2;
  power1.type = 1;
  // A negative recursion value still gives a positive entry; the pre-sample stays as given.
  EXPECT_EQ(run(power1), (std::vector<double>{1, 9, 9}));
}

TEST(ThreshvolEdges, PresampleEqualToSampleIsAllBackcastUnderEitherPower) {
  for (const int type : {1, 2}) {
    const Call call{{}, {}, {}, 3.0, 2, 1, 2, 3, 3, type};
    EXPECT_EQ(run(call), (std::vector<double>{3, 3, 3})) << type;
  }
}

TEST(ThreshvolEdges, EmptySampleReadsNothing) {
  threshvol_kernel(nullptr, nullptr, nullptr, nullptr, 1, 1, 1, 0, 0, 1, nullptr);
}

TEST(ThreshvolEdges, NegativePresampleLengthWritesNothing) {
  const Call call{{}, {}, {1.0}, 5.0, 0, 0, 0, -1, 2, 2};
  const std::vector<double> ht = run(call);
  EXPECT_TRUE(std::isnan(ht[0]) && std::isnan(ht[1]));
}

TEST(ThreshvolEdges, NonFiniteValuesPassThrough) {
  const double inf = std::numeric_limits<double>::infinity();
  const Call call{{inf, 0}, {}, {0.0, -1.0}, 0.0, 1, 0, 0, 1, 2, 1};
  EXPECT_EQ(run(call)[1], inf);
}

}  // namespace
