// The frame every entry shares, exercised through threshvol_filter: count checks and their
// precedence, output slot 0, scalar conversions, and nothing left alive after any call.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class GatewayFrame : public ::testing::Test {
 protected:
  Module module = load_module("threshvol_filter");

  // p = o = q = 1, m = 1, T = 3: the worked example, with scalars replaceable.
  static std::vector<Array> inputs(double T = 3, double p = 1, double type = 2) {
    std::vector<Array> arrays;
    arrays.push_back(make_column({1, 2, 7}));
    arrays.push_back(make_column({2, 4, 9}));
    arrays.push_back(make_column({0.5, 0.25, 0.125, 0.5}));
    arrays.push_back(make_scalar(2));
    arrays.push_back(make_scalar(p));
    arrays.push_back(make_scalar(1));
    arrays.push_back(make_scalar(1));
    arrays.push_back(make_scalar(1));
    arrays.push_back(make_scalar(T));
    arrays.push_back(make_scalar(type));
    return arrays;
  }

  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }
};

TEST_F(GatewayFrame, WrongInputCountIsRefused) {
  for (const std::size_t count : {0U, 9U, 11U}) {
    std::vector<Array> arrays = inputs();
    arrays.resize(count);
    EXPECT_EQ(refusal(module, arrays), "Ten inputs required.") << count;
  }
}

TEST_F(GatewayFrame, MoreThanOneOutputIsRefused) {
  EXPECT_EQ(refusal(module, inputs(), 2), "One output only.");
}

TEST_F(GatewayFrame, InputCountIsCheckedFirst) {
  std::vector<Array> arrays = inputs();
  arrays.pop_back();
  EXPECT_EQ(refusal(module, arrays, 3), "Ten inputs required.");
}

TEST_F(GatewayFrame, NoRequestedOutputStillFillsSlotZero) {
  EXPECT_EQ(first_output(module, inputs(), 0), (std::vector<double>{2, 2, 2.5}));
}

TEST_F(GatewayFrame, OutputIsAColumnOfTRows) {
  const std::vector<Array> arrays = inputs();
  const std::vector<Array> outputs = module.call(1, handles(arrays));
  EXPECT_EQ(mxGetM(outputs[0].get()), 3U);
  EXPECT_EQ(mxGetN(outputs[0].get()), 1U);
}

TEST_F(GatewayFrame, ScalarsAreTruncatedTowardZero) {
  // T = 3.9 is 3 and p = 1.7 is 1; type 1.9 is power 1.
  EXPECT_EQ(first_output(module, inputs(3.9, 1.7)), (std::vector<double>{2, 2, 2.5}));
  EXPECT_EQ(first_output(module, inputs(3, 1, 1.9)), (std::vector<double>{2, 4, 6.25}));
  for (const double type : {2.0, 0.0, -1.0, -0.5, 0.9}) {
    EXPECT_EQ(first_output(module, inputs(3, 1, type)), (std::vector<double>{2, 2, 2.5}))
        << type;
  }
}

TEST_F(GatewayFrame, UndefinedConversionsAreRefused) {
  for (const double bad : {kNaN, kInf, -kInf, 2147483648.0, -2147483649.0}) {
    const std::string message = refusal(module, inputs(3, 1, bad));
    EXPECT_EQ(message,
              "Input type must be a finite number within the range of a 32-bit integer.")
        << bad;
  }
  for (const double bad : {kNaN, kInf, -1.0, 18446744073709551616.0}) {
    EXPECT_EQ(refusal(module, inputs(bad)),
              "Input T must be a finite number, not negative, below 2^64.")
        << bad;
  }
}

TEST_F(GatewayFrame, ConversionLimitsThatFitAreAccepted) {
  // -2147483648.9 truncates to the lowest 32-bit integer; -0.5 truncates to a count of 0.
  EXPECT_EQ(first_output(module, inputs(3, 1, -2147483648.9)),
            (std::vector<double>{2, 2, 2.5}));
  std::vector<Array> arrays = inputs(-0.5);
  arrays[7] = make_scalar(0);  // m
  EXPECT_TRUE(first_output(module, arrays).empty());
}

TEST_F(GatewayFrame, EmptyScalarIsRefused) {
  std::vector<Array> arrays = inputs();
  arrays[9] = make_array(0, 0, {});
  EXPECT_EQ(refusal(module, arrays), "Input type must not be empty.");
}

}  // namespace

namespace {

using namespace volfilter::testing;
using volfilter::standin::ArrayClass;

TEST(GatewayDataClass, OnlyRealDoubleArraysAreRead) {
  // Integer, complex or sparse storage is not a run of doubles: reading it as one would
  // misread it and run past its end.
  const Module module = load_module("threshvol_filter");
  for (const ArrayClass array_class :
       {ArrayClass::int32, ArrayClass::complex_double, ArrayClass::sparse_double}) {
    std::vector<Array> arrays;
    arrays.push_back(make_column({1, 2, 7}));
    arrays.push_back(make_array_of_class(array_class, 3, 1));
    arrays.push_back(make_column({0.5, 0.25, 0.125, 0.5}));
    arrays.push_back(make_scalar(2));
    for (const double scalar : {1, 1, 1, 1, 3, 2}) {
      arrays.push_back(make_scalar(scalar));
    }
    EXPECT_EQ(refusal(module, arrays), "Input asym_data must be a real double array.");
    arrays.clear();
    EXPECT_EQ(volfilter::standin::live_arrays(), 0);
  }
}

}  // namespace
