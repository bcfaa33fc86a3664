// The frame every entry shares, exercised through threshvol_filter: count checks and their
// precedence, output slot 0, scalar conversions, and nothing left alive after any call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

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
    EXPECT_EQ(first_output(module, inputs(3, 1, type)), (std::vector<double>{2, 2, 2.5})) << type;
  }
}

TEST_F(GatewayFrame, UndefinedConversionsAreRefused) {
  for (const double bad : {kNaN, kInf, -kInf, 2147483648.0, -2147483649.0}) {
    const std::string message = refusal(module, inputs(3, 1, bad));
    EXPECT_EQ(message, "Input type must be a finite number within the range of a 32-bit integer.")
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
  EXPECT_EQ(first_output(module, inputs(3, 1, -2147483648.9)), (std::vector<double>{2, 2, 2.5}));
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
using volfilter::standin::make_array_of_class;

// An array of `array_class` holding `values` in a rows-by-columns shape.
Array array_of(ArrayClass array_class, std::uint64_t rows, std::uint64_t columns,
               const std::vector<double>& values) {
  Array array = make_array_of_class(array_class, rows, columns);
  std::copy(values.begin(), values.end(), mxGetPr(array.get()));
  return array;
}

// threshvol_filter's scalar positions, with the worked example's value in each.
struct ScalarPosition {
  std::size_t input;
  const char* name;
  double value;
};
constexpr ScalarPosition kScalarPositions[] = {{4, "p", 1}, {5, "o", 1}, {6, "q", 1},
                                               {7, "m", 1}, {8, "T", 3}, {9, "type", 2}};

std::vector<Array> worked_example() {
  std::vector<Array> arrays;
  arrays.push_back(make_column({1, 2, 7}));
  arrays.push_back(make_column({2, 4, 9}));
  arrays.push_back(make_column({0.5, 0.25, 0.125, 0.5}));
  arrays.push_back(make_scalar(2));
  for (const ScalarPosition& position : kScalarPositions) {
    arrays.push_back(make_scalar(position.value));
  }
  return arrays;
}

TEST(GatewayScalarKind, NonNumbersAreRefusedInEveryPositionBeforeAnyArrayExists) {
  // Text would be read as its character code ('1' as 49), a complex number as its real
  // part, a sparse array by its first non-zero element (3 here, not 0); the host has no
  // scalar read of the others at all (the stand-in aborts if one is asked for). The kind is
  // tested before emptiness, so an empty cell is not a number either.
  const Module module = load_module("threshvol_filter");
  struct Kind {
    const char* what;
    ArrayClass array_class;
    std::uint64_t rows;
    std::uint64_t columns;
    std::vector<double> values;
  };
  const Kind kinds[] = {
      {"character", ArrayClass::character, 1, 1, {49}},
      {"cell", ArrayClass::cell, 1, 1, {1}},
      {"empty cell", ArrayClass::cell, 0, 0, {}},
      {"struct", ArrayClass::structure, 1, 1, {1}},
      {"function handle", ArrayClass::function_handle, 1, 1, {1}},
      {"complex", ArrayClass::complex_double, 1, 1, {1}},
      {"sparse of two elements", ArrayClass::sparse_double, 1, 2, {0, 3}},
  };
  for (const ScalarPosition& position : kScalarPositions) {
    for (const Kind& kind : kinds) {
      std::vector<Array> arrays = worked_example();
      arrays[position.input] = array_of(kind.array_class, kind.rows, kind.columns, kind.values);
      const long created = volfilter::standin::created_arrays();
      EXPECT_EQ(refusal(module, arrays),
                std::string("Input ") + position.name + " must be a real numeric scalar.")
          << position.name << ", " << kind.what;
      EXPECT_EQ(volfilter::standin::created_arrays(), created)
          << position.name << ", " << kind.what;
      arrays.clear();
      EXPECT_EQ(volfilter::standin::live_arrays(), 0);
    }
  }
}

TEST(GatewayScalarKind, NumbersOfEveryClassAreReadByValue) {
  // Each kind must give the same outcome as the double it stands for (a logical true as 1,
  // a non-scalar array as its first element, a 1-by-1 sparse array as its element, 0 when
  // it stores none), in every position.
  const Module module = load_module("threshvol_filter");
  for (const ScalarPosition& position : kScalarPositions) {
    const double v = position.value;
    struct Kind {
      const char* what;
      Array array;
      double stands_for;
    };
    Kind kinds[] = {
        {"int32", array_of(ArrayClass::int32, 1, 1, {v}), v},
        {"single", array_of(ArrayClass::single, 1, 1, {v}), v},
        {"logical true", array_of(ArrayClass::logical, 1, 1, {1}), 1},
        {"logical false", array_of(ArrayClass::logical, 1, 1, {0}), 0},
        {"1-by-1 sparse", array_of(ArrayClass::sparse_double, 1, 1, {v}), v},
        {"1-by-1 sparse zero", array_of(ArrayClass::sparse_double, 1, 1, {0}), 0},
        {"row, first element read", make_array(1, 3, {v, 7, 9}), v},
        {"int32 column, first element read", array_of(ArrayClass::int32, 2, 1, {v, 5}), v},
    };
    for (Kind& kind : kinds) {
      std::vector<Array> reference = worked_example();
      reference[position.input] = make_scalar(kind.stands_for);
      const std::string expected_refusal = refusal(module, reference);
      std::vector<Array> arrays = worked_example();
      arrays[position.input] = std::move(kind.array);
      EXPECT_EQ(refusal(module, arrays), expected_refusal) << position.name << ", " << kind.what;
      if (expected_refusal.empty()) {
        EXPECT_EQ(first_output(module, arrays), first_output(module, reference))
            << position.name << ", " << kind.what;
      }
    }
  }
  EXPECT_EQ(volfilter::standin::live_arrays(), 0);
}

TEST(GatewayScalarKind, EmptyNumbersAreRefusedAsEmpty) {
  const Module module = load_module("threshvol_filter");
  for (const ArrayClass array_class : {ArrayClass::real_double, ArrayClass::int32,
                                       ArrayClass::logical, ArrayClass::sparse_double}) {
    std::vector<Array> arrays = worked_example();
    arrays[8] = make_array_of_class(array_class, 0, 1);
    EXPECT_EQ(refusal(module, arrays), "Input T must not be empty.");
  }
  EXPECT_EQ(volfilter::standin::live_arrays(), 0);
}

// A call of `module` that passes every other check and creates arrays of T rows, so that
// the creation path alone decides. threshvol and intvol run a recursion that would write T
// entries; logvol and shiftvol (negative m) write nothing; lagreg_residuals takes T from
// the rows of an empty y.
std::vector<Array> sized_call(const std::string& module, double T) {
  std::vector<Array> arrays;
  auto add = [&arrays](Array array) { arrays.push_back(std::move(array)); };
  auto none = [] { return make_array(0, 0, {}); };
  if (module == "threshvol_filter") {
    add(none()), add(none()), add(make_scalar(0.1)), add(none());
    for (const double scalar : {0.0, 0.0, 0.0, 0.0, T, 2.0}) {
      add(make_scalar(scalar));
    }
  } else if (module == "intvol_filter") {
    add(none()), add(make_scalar(0.1)), add(make_scalar(1));
    for (const double scalar : {0.0, 1.0, 1.0, T, 2.0, 1.0}) {
      add(make_scalar(scalar));
    }
  } else if (module == "logvol_filter") {
    add(none()), add(none()), add(make_scalar(0)), add(none());
    for (const double scalar : {0.0, 0.0, 0.0, -1.0, T}) {
      add(make_scalar(scalar));
    }
  } else if (module == "shiftvol_filter") {
    add(none()), add(make_column({0.1, 0.2})), add(none());
    for (const double scalar : {0.0, 0.0, -1.0, T, 1.0}) {
      add(make_scalar(scalar));
    }
  } else {  // lagreg_residuals
    add(none()), add(none()), add(none()), add(make_scalar(0));
    add(make_array(static_cast<std::uint64_t>(T), 0, {}));
    add(none()), add(make_scalar(T)), add(none());
  }
  return arrays;
}

TEST(GatewayCreation, SizesBeyondTheHostAreRefusedBeforeAnyArrayExists) {
  // Every array is 8 bytes an element; each, and a call's arrays together, must stay below
  // 2^62 bytes. Just below that the host is asked and cannot serve: its "Out of memory."
  // ends the call. logvol creates four T-by-1 arrays and shiftvol two, so they are refused
  // at sizes where each array alone would fit. T = 2^64 - 2^11 is the largest double below
  // 2^64; 2^59 - 2^6 the largest below 2^59.
  const std::string too_large = "The output is too large for the host.";
  const std::string out_of_memory = "Out of memory.";
  struct Case {
    const char* module;
    double T;
    const std::string& outcome;
  };
  const Case cases[] = {
      {"threshvol_filter", std::ldexp(1.0, 61), too_large},
      {"threshvol_filter", std::ldexp(1.0, 64) - 2048, too_large},
      {"threshvol_filter", std::ldexp(1.0, 59), too_large},
      {"threshvol_filter", std::ldexp(1.0, 59) - 64, out_of_memory},
      {"intvol_filter", std::ldexp(1.0, 62), too_large},
      {"intvol_filter", std::ldexp(1.0, 59) - 64, out_of_memory},
      {"lagreg_residuals", std::ldexp(1.0, 63) - 1024, too_large},
      {"lagreg_residuals", std::ldexp(1.0, 59), too_large},
      {"lagreg_residuals", 1e12, out_of_memory},
      {"shiftvol_filter", std::ldexp(1.0, 58), too_large},
      {"shiftvol_filter", std::ldexp(1.0, 58) - 32, out_of_memory},
      {"logvol_filter", std::ldexp(1.0, 57), too_large},
      {"logvol_filter", std::ldexp(1.0, 57) - 16, out_of_memory},
      {"logvol_filter", std::ldexp(1.0, 61), too_large},
  };
  for (const Case& c : cases) {
    const Module module = load_module(c.module);
    std::vector<Array> arrays = sized_call(c.module, c.T);
    const long created = volfilter::standin::created_arrays();
    EXPECT_EQ(refusal(module, arrays), c.outcome) << c.module << ", T = " << c.T;
    if (c.outcome == too_large) {
      EXPECT_EQ(volfilter::standin::created_arrays(), created) << c.module << ", T = " << c.T;
    }
    arrays.clear();
    EXPECT_EQ(volfilter::standin::live_arrays(), 0) << c.module << ", T = " << c.T;
  }
}

TEST(GatewayCreation, EveryArrayOfACallIsCreatedAndTheScratchReleased) {
  // At a size the host can serve, each module leaves only its output alive.
  for (const char* name : {"threshvol_filter", "intvol_filter", "logvol_filter", "shiftvol_filter",
                           "lagreg_residuals"}) {
    const Module module = load_module(name);
    std::vector<Array> arrays = sized_call(name, 5);
    const long created = volfilter::standin::created_arrays();
    const std::vector<Array> outputs = module.call(1, handles(arrays));
    EXPECT_EQ(mxGetM(outputs.at(0).get()), 5U) << name;
    EXPECT_EQ(volfilter::standin::live_arrays(), static_cast<long>(arrays.size()) + 1) << name;
    const bool four = std::string(name) == "logvol_filter";
    const bool two = std::string(name) == "shiftvol_filter";
    EXPECT_EQ(volfilter::standin::created_arrays() - created, four ? 4 : two ? 2 : 1) << name;
  }
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
