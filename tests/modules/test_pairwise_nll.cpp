// pairwise_nll through the stand-in host: the data's shape chooses the form, K comes from
// the data, and the calls refused because they would reach outside an array.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t bits_of(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

const std::vector<double> kCovariance{2, 0.5, 0.5, 1};
constexpr double kWorkedResult = 0x1.07882680033bap+2;  // 4.11768496037706

class PairwiseNll : public ::testing::Test {
 protected:
  Module module = load_module("pairwise_nll");
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }

  // The 1-by-1 result of a successful call, as bits.
  std::uint64_t result(const Array& covariance, const Array& data, const Array& pairs,
                       int nlhs = 1) const {
    const std::vector<Array> outputs =
        module.call(nlhs, {covariance.get(), data.get(), pairs.get()});
    EXPECT_EQ(mxGetM(outputs.at(0).get()), 1U);
    EXPECT_EQ(mxGetN(outputs.at(0).get()), 1U);
    return bits_of(volfilter::standin::values_of(outputs.at(0).get()).at(0));
  }

  // The message of a refused call, after checking that it left no array behind.
  std::string refusal(const Array& covariance, const Array& data, const Array& pairs) const {
    return refusal_of(1, {covariance.get(), data.get(), pairs.get()});
  }

  std::string refusal_of(int nlhs, const std::vector<const mxArray*>& inputs) const {
    const long before = volfilter::standin::live_arrays();
    try {
      module.call(nlhs, inputs);
    } catch (const volfilter::standin::HostError& error) {
      EXPECT_EQ(volfilter::standin::live_arrays(), before);
      return error.what();
    }
    return "";
  }
};

Array pair_list(const std::vector<std::pair<double, double>>& pairs) {
  std::vector<double> values;
  for (const auto& pair : pairs) {
    values.push_back(pair.first);
  }
  for (const auto& pair : pairs) {
    values.push_back(pair.second);
  }
  return make_array(pairs.size(), 2, values);
}

TEST_F(PairwiseNll, WorkedExampleInEveryForm) {
  const Array covariance = make_array(2, 2, kCovariance);
  const Array pairs = pair_list({{1, 2}});
  EXPECT_EQ(result(covariance, make_column({1, 2}), pairs), bits_of(kWorkedResult));
  EXPECT_EQ(result(covariance, make_array(1, 2, {1, 2}), pairs), bits_of(kWorkedResult));
  EXPECT_EQ(result(covariance, make_array(2, 2, {1, 2, 2, 4}), pairs), bits_of(kWorkedResult));
  // Identity block, zero data: C / 2 with C = 3.67575413281869.
  EXPECT_EQ(result(make_array(2, 2, {1, 0, 0, 1}), make_column({0, 0}), pairs),
            0x3FFD67F1C864BEB2U);
}

TEST_F(PairwiseNll, RandomPairsInEveryForm) {
  // The kernel tests' 4-variable case: column, row and outer-product matrix agree.
  const Array covariance = make_array(
      4, 4,
      {1.987004, -0.622346, -0.075212, -0.016958, -0.622346, 2.377613, 0.770097, -0.33066,
       -0.075212, 0.770097, 1.927532, -0.024495, -0.016958, -0.33066, -0.024495, 1.379298});
  const std::vector<double> x{-1.22806, 0.214461, 1.220496, -0.937916};
  std::vector<double> S;
  for (const double column : x) {
    for (const double row : x) {
      S.push_back(row * column);
    }
  }
  const Array pairs = pair_list({{1, 2}, {3, 4}, {2, 4}, {4, 1}, {1, 3}});
  const std::uint64_t expected = bits_of(0x1.802a8f5a140bep+1);
  EXPECT_EQ(result(covariance, make_column(x), pairs), expected);
  EXPECT_EQ(result(covariance, make_array(1, 4, x), pairs), expected);
  EXPECT_EQ(result(covariance, make_array(4, 4, S), pairs), expected);
  // Three columns: the third is never read.
  std::vector<double> wide{1, 3, 2, 4, 1, 2, 4, 4, 1, 3};
  wide.insert(wide.end(), {kNaN, kNaN, kNaN, kNaN, kNaN});
  EXPECT_EQ(result(covariance, make_column(x), make_array(5, 3, wide)), expected);
  // The pairs in reverse order round the sum differently.
  EXPECT_NE(result(covariance, make_column(x), pair_list({{1, 3}, {4, 1}, {2, 4}, {3, 4}, {1, 2}})),
            expected);
}

TEST_F(PairwiseNll, ShapesAndIndices) {
  const Array covariance = make_array(2, 2, kCovariance);
  // Indices 2.9 and 1.9 act as 2 and 1.
  EXPECT_EQ(result(covariance, make_column({1, 2}), pair_list({{1.9, 2.9}})),
            bits_of(kWorkedResult));
  // A non-square data matrix is a flat vector of K = 3 values: (1, 2) are its first two.
  const Array covariance3 = make_array(3, 3, {2, 0.5, 0, 0.5, 1, 0, 0, 0, 1});
  EXPECT_EQ(result(covariance3, make_array(2, 3, {1, 2, 7, 7, 7, 7}), pair_list({{1, 2}})),
            bits_of(kWorkedResult));
  // A 1-by-1 data input is the matrix form with K = 1; the only pair is (1, 1): NaN.
  EXPECT_TRUE(std::isnan(volfilter::standin::values_of(
      module.call(1, {make_scalar(4).get(), make_scalar(9).get(), pair_list({{1, 1}}).get()})
          .at(0)
          .get())[0]));
  // An equal pair makes the result NaN.
  const std::vector<Array> equal =
      module.call(1, {covariance.get(), make_column({1, 2}).get(), pair_list({{1, 1}}).get()});
  EXPECT_TRUE(std::isnan(volfilter::standin::values_of(equal.at(0).get())[0]));
}

TEST_F(PairwiseNll, EmptyPairListReadsNothing) {
  for (const std::uint64_t columns : {0U, 1U, 2U}) {
    EXPECT_EQ(result(make_array(0, 0, {}), make_array(0, 0, {}), make_array(0, columns, {})),
              bits_of(0.0));
  }
}

TEST_F(PairwiseNll, Counts) {
  const Array covariance = make_array(2, 2, kCovariance);
  const Array data = make_column({1, 2});
  const Array pairs = pair_list({{1, 2}});
  // No output requested: the result still lands in slot 0.
  EXPECT_EQ(result(covariance, data, pairs, 0), bits_of(kWorkedResult));
  EXPECT_EQ(refusal_of(2, {covariance.get(), data.get(), pairs.get()}), "One output only.");
  EXPECT_EQ(refusal_of(1, {covariance.get(), data.get()}), "Three inputs required.");
  EXPECT_EQ(refusal_of(2, {covariance.get(), data.get(), pairs.get(), pairs.get()}),
            "Three inputs required.");
}

TEST_F(PairwiseNll, UnsafeCallsAreRefusedBeforeAnyArrayExists) {
  const Array covariance = make_array(2, 2, kCovariance);
  const Array data = make_column({1, 2});
  const char* const bad_index = "Input pairs must hold indices from 1 to the size of data.";
  for (const double index : {0.5, 0.0, -1.0, 3.0, kNaN, kInf, -kInf, 18446744073709551616.0}) {
    EXPECT_EQ(refusal(covariance, data, pair_list({{1, 2}, {index, 1}})), bad_index) << index;
    EXPECT_EQ(refusal(covariance, data, pair_list({{1, 2}, {2, index}})), bad_index) << index;
  }
  // One bad index anywhere in a longer list, in either column, whatever blocks the test on
  // the indices works in.
  for (const std::size_t position : {0U, 1U, 7U, 16U, 35U, 36U}) {
    for (const std::size_t column : {0U, 1U}) {
      std::vector<double> values(74, 1.0);
      std::fill(values.begin() + 37, values.end(), 2.0);
      values[column * 37 + position] = 3.0;
      EXPECT_EQ(refusal(covariance, data, make_array(37, 2, values)), bad_index)
          << position << ", " << column;
    }
  }
  EXPECT_EQ(refusal(covariance, data, make_column({1, 2})),
            "Input pairs must have at least two columns.");
  EXPECT_EQ(refusal(make_column({2, 0.5, 0.5}), data, pair_list({{1, 2}})),
            "Input covariance must have at least 4 elements.");
  EXPECT_EQ(refusal(covariance, make_array(0, 2, {}), pair_list({{1, 2}})),
            "Input data must have at least 2 elements.");
  // K = 2^32: K * K wraps to 0 in 64 bits; the requirement must not.
  EXPECT_EQ(refusal(make_scalar(1), make_array(0, std::uint64_t{1} << 32, {}), pair_list({{1, 2}})),
            "Input covariance must have at least 18446744073709551615 elements.");
}

}  // namespace
