#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "kernels.hpp"

namespace {

using volfilter::pairwise_kernel;

constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t bits_of(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// pairs holds the n first indices, then the n second indices (an n-by-2 matrix).
double run(const std::vector<double>& covariance, const std::vector<double>& data,
           const std::vector<double>& pairs, std::uint64_t dim_large, std::uint64_t dim_small) {
  double nll = std::nan("");
  pairwise_kernel(covariance.data(), data.data(), pairs.data(), pairs.size() / 2, dim_large,
                  dim_small, &nll);
  return nll;
}

double vector_form(const std::vector<double>& covariance, const std::vector<double>& x,
                   const std::vector<double>& pairs) {
  return run(covariance, x, pairs, x.size(), 1);
}

// S = x x' with every element the rounded product x_i * x_j.
std::vector<double> outer(const std::vector<double>& x) {
  std::vector<double> S;
  for (const double column : x) {
    for (const double row : x) {
      S.push_back(row * column);
    }
  }
  return S;
}

double matrix_form(const std::vector<double>& covariance, const std::vector<double>& S,
                   const std::vector<double>& pairs) {
  const auto K = static_cast<std::uint64_t>(std::lround(std::sqrt(S.size())));
  return run(covariance, S, pairs, K, K);
}

const std::vector<double> kCovariance{2, 0.5, 0.5, 1};

// A 4-by-4 positive definite covariance and data vector; the five pairs visit every
// variable, one of them in reverse.
const std::vector<double> kCovariance4{
    1.987004,  -0.622346, -0.075212, -0.016958, -0.622346, 2.377613, 0.770097,  -0.33066,
    -0.075212, 0.770097,  1.927532,  -0.024495, -0.016958, -0.33066, -0.024495, 1.379298};
const std::vector<double> kData4{-1.22806, 0.214461, 1.220496, -0.937916};
const std::vector<double> kPairs4{1, 3, 2, 4, 1, 2, 4, 4, 1, 3};

TEST(PairwiseWorkedExamples, VectorData) {
  // det = 1.75, Q = ((1 - 2) + 8) / 1.75 = 4; 0.5 (ln 1.75 + C + 4) = 4.11768496037706.
  const double nll = vector_form(kCovariance, {1, 2}, {1, 2});
  EXPECT_EQ(nll, 0x1.07882680033bap+2);
  EXPECT_NEAR(nll, 4.11768496037706, 5e-15);
}

TEST(PairwiseWorkedExamples, MatrixDataGivesTheSameBits) {
  EXPECT_EQ(bits_of(matrix_form(kCovariance, {1, 2, 2, 4}, {1, 2})),
            bits_of(vector_form(kCovariance, {1, 2}, {1, 2})));
}

TEST(PairwiseWorkedExamples, ConstantIsTheFifteenDigitValue) {
  // Identity block and zero data: the result is C / 2, exactly. C is 3.67575413281869
  // (bits 0x400D67F1C864BEB2), not 3.6757541328186907, the double nearest to 2 ln(2 pi),
  // two units in the last place higher, which would give 0x3FFD67F1C864BEB4 here.
  ASSERT_EQ(bits_of(3.67575413281869), 0x400D67F1C864BEB2U);
  ASSERT_EQ(bits_of(3.6757541328186907), 0x400D67F1C864BEB4U);
  const double nll = vector_form({1, 0, 0, 1}, {0, 0}, {1, 2});
  EXPECT_EQ(bits_of(nll), 0x3FFD67F1C864BEB2U);
  EXPECT_EQ(nll, 1.837877066409345);
}

TEST(PairwiseWorkedExamples, RandomPairsVectorAndOuterProduct) {
  // Expected bits from a separate step-by-step evaluation. Summing the terms before
  // dividing by n, adding the pairs in reverse or using the nearest double for C each
  // change them.
  const double expected = 0x1.802a8f5a140bep+1;
  EXPECT_EQ(vector_form(kCovariance4, kData4, kPairs4), expected);
  EXPECT_EQ(bits_of(matrix_form(kCovariance4, outer(kData4), kPairs4)), bits_of(expected));
}

TEST(PairwiseShapes, NonSquareDataIsAFlatVector) {
  // 2-by-4 data: K = 4, the first four values in storage order are the vector.
  std::vector<double> wide = kData4;
  wide.insert(wide.end(), {9, 9, 9, 9});
  EXPECT_EQ(bits_of(run(kCovariance4, wide, kPairs4, 4, 2)),
            bits_of(vector_form(kCovariance4, kData4, kPairs4)));
}

TEST(PairwiseIndices, FractionalIndicesAreTruncated) {
  // (2.9, 1.5) acts as (2, 1); as (3, 1) the result would differ.
  const std::vector<double> covariance{2, 0.5, 0.1, 0.5, 1, 0.2, 0.1, 0.2, 3};
  const std::vector<double> x{1, 2, -1};
  EXPECT_EQ(bits_of(vector_form(covariance, x, {2.9, 1.5})),
            bits_of(vector_form(covariance, x, {2, 1})));
  EXPECT_NE(vector_form(covariance, x, {2.9, 1.5}), vector_form(covariance, x, {3, 1}));
}

TEST(PairwiseIndices, EqualPairGivesNaN) {
  EXPECT_TRUE(std::isnan(vector_form(kCovariance, {1, 2}, {1, 1})));
}

TEST(PairwiseIndices, EmptyPairListGivesZero) {
  double nll = std::nan("");
  pairwise_kernel(nullptr, nullptr, nullptr, 0, 0, 0, &nll);
  EXPECT_EQ(bits_of(nll), bits_of(0.0));
}

TEST(PairwiseOrderOfArithmetic, EachTermDividedBeforeAdding) {
  // Two copies of the worked pair: t / 2 + t / 2 = t exactly, whatever the order.
  EXPECT_EQ(vector_form(kCovariance, {1, 2}, {1, 2, 2, 1}), 0x1.07882680033bap+2);
}

TEST(PairwiseOrderOfArithmetic, NoFusedMultiplyAddInTheDeterminant) {
  // s_aa = s_bb = 1 + 2^-30, s_ab = 1: the rounded square is 1 + 2^-29, so det = 2^-29
  // exactly; a fused multiply-add keeps 2^-60 more and moves the logarithm.
  const double e = 1.0 + std::ldexp(1.0, -30);
  ASSERT_NE(std::fma(e, e, -1.0), std::ldexp(1.0, -29));
  EXPECT_EQ(vector_form({e, 1, 1, e}, {0, 0}, {1, 2}), -0x1.06cee7e062cabp+3);
}

TEST(PairwiseOrderOfArithmetic, NoFusedMultiplyAddInTheQuadraticTerm) {
  // Matrix form, s_bb * S_aa = 2^40 (1 + 2^-30)^2 rounds to 2^40 (1 + 2^-29), less
  // (2 * 0.5) * 2^40 leaves exactly 2^11; a fused multiply-add keeps 2^-20 more.
  const double e = 1.0 + std::ldexp(1.0, -30);
  const double big = std::ldexp(1.0, 40);
  EXPECT_EQ(matrix_form({1, 0.5, 0.5, e}, {big * e, big, big, 0}, {1, 2}), 0x1.55c1c0645286cp+10);
}

TEST(PairwiseEdges, BlocksThatAreNotPositiveDefinite) {
  // Negative determinant: the logarithm is NaN.
  EXPECT_TRUE(std::isnan(vector_form({1, 2, 2, 1}, {1, 1}, {1, 2})));
  // Zero determinant with a positive numerator: -Inf + Inf is NaN.
  EXPECT_TRUE(std::isnan(vector_form({1, 1, 1, 1}, {1, 0}, {1, 2})));
  // Zero determinant with a negative numerator: -Inf - Inf stays -Inf.
  EXPECT_EQ(vector_form({-1, 1, 1, -1}, {1, 0}, {1, 2}), -kInf);
}

}  // namespace
