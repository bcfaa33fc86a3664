// lagreg_residuals through the stand-in host: shapes taken from the arrays, the exactly-one
// output rule, and the calls refused because they would reach outside an array.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "module_call.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint64_t kRows2To31 = std::uint64_t{1} << 31;

// The inputs in position order; each array may be replaced to vary its shape.
struct Inputs {
  Array parameters = make_column({0.5, 0.5});
  Array ar_lags = make_column({1});
  Array ma_lags = make_array(0, 0, {});
  Array constant = make_scalar(1);
  Array y = make_column({1, 2, 3, 4});
  Array x = make_array(0, 0, {});
  Array m = make_scalar(1);
  Array sigma = make_column({1, 1, 1, 1});

  std::vector<const mxArray*> list() const {
    return {parameters.get(), ar_lags.get(), ma_lags.get(), constant.get(),
            y.get(),          x.get(),       m.get(),       sigma.get()};
  }
};

class LagregResiduals : public ::testing::Test {
 protected:
  Module module = load_module("lagreg_residuals");
  void TearDown() override { EXPECT_EQ(volfilter::standin::live_arrays(), 0); }

  std::vector<double> result(const Inputs& in) const {
    const std::vector<Array> outputs = module.call(1, in.list());
    EXPECT_EQ(mxGetN(outputs.at(0).get()), 1U);
    return volfilter::standin::values_of(outputs.at(0).get());
  }

  // The message of a refused call, after checking that it left no array behind (the
  // inputs themselves are the only live arrays).
  std::string refusal(const Inputs& in, int nlhs = 1) const {
    const long before = volfilter::standin::live_arrays();
    try {
      module.call(nlhs, in.list());
    } catch (const volfilter::standin::HostError& error) {
      EXPECT_EQ(volfilter::standin::live_arrays(), before);
      return error.what();
    }
    return "";
  }
};

TEST_F(LagregResiduals, WorkedExamples) {
  // Constant and one autoregressive lag.
  EXPECT_EQ(result(Inputs{}), (std::vector<double>{0, 1, 1.5, 2}));
  // One moving-average lag fed with unscaled residuals; scaled feedback would end in 1.25.
  Inputs ma;
  ma.parameters = make_column({0.5});
  ma.ar_lags = make_array(0, 1, {});
  ma.ma_lags = make_column({1});
  ma.constant = make_scalar(0);
  ma.y = make_column({1, 2, 3});
  ma.sigma = make_column({1, 2, 2});
  EXPECT_EQ(result(ma), (std::vector<double>{0, 1, 1}));
}

TEST_F(LagregResiduals, RandomModelWithATallerRegressorMatrix) {
  // The kernel test's model: T = 10, two regressors read with row stride 10 from 12 rows.
  Inputs in;
  in.parameters = make_column(
      {0.057167, -0.239705, 0.490644, 0.08684, 0.458781, 0.417653, 0.010047, -0.103265});
  in.ar_lags = make_column({1, 3, 1});
  in.ma_lags = make_column({2, 1});
  in.y = make_column({-1.055808, -1.587336, -0.415767, -1.380111, -1.73394, -0.393636, 1.67182,
                      1.201809, 1.06065, -1.112287});
  in.x = make_array(
      12, 2, {0.07336,  -0.446635, -0.654671, -0.787633, -0.571199, 0.854951,  0.65784,  0.613305,
              0.600896, -0.613129, -0.3803,   0.253951,  0.463789,  0.709297,  0.760102, -0.826563,
              0.211704, 0.343403,  0.011908,  -0.64442,  -0.052824, -0.821308, 0.869177, 0.730968});
  in.m = make_scalar(3.7);  // truncated to 3
  in.sigma = make_column({1.398369, 1.146565, 0.741981, 0.957667, 1.718888, 0.564858, 0.569483,
                          1.439526, 0.92065, 1.301933});
  EXPECT_EQ(result(in),
            (std::vector<double>{0.0, 0.0, 0.0, -0x1.eaa18349c9e2cp-1, -0x1.99197ee448359p-1,
                                 -0x1.396495727e588p+0, 0x1.90ef3249fcbadp+1, 0x1.66c019bce0964p+0,
                                 0x1.66b954d1e331fp+0, -0x1.c9d59978fb9b8p-1}));
}

TEST_F(LagregResiduals, ShapesComeFromTheArrays) {
  // A 1-by-N data row is one observation: T = 1, a 1-by-1 output.
  Inputs row;
  row.y = make_array(1, 3, {5, 6, 7});
  row.m = make_scalar(0);
  row.ar_lags = make_array(0, 0, {});
  row.constant = make_scalar(0);
  row.sigma = make_scalar(2);
  EXPECT_EQ(result(row), (std::vector<double>{2.5}));

  // A lag list given as a 1-by-3 row is one lag, its first value; the others are never read.
  Inputs lag_row;
  lag_row.ar_lags = make_array(1, 3, {1, kNaN, -7});
  EXPECT_EQ(result(lag_row), (std::vector<double>{0, 1, 1.5, 2}));

  // Regressors with no columns add nothing, whatever their row count.
  Inputs no_regressors;
  no_regressors.x = make_array(7, 0, {});
  EXPECT_EQ(result(no_regressors), (std::vector<double>{0, 1, 1.5, 2}));

  // A 5-by-2 regressor matrix with T = 3: column 1 starts at element 3, not 5.
  Inputs stride;
  stride.parameters = make_column({1, 10});
  stride.ar_lags = make_array(0, 0, {});
  stride.constant = make_scalar(0);
  stride.y = make_column({100, 200, 300});
  stride.x = make_array(5, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  stride.m = make_scalar(0);
  stride.sigma = make_column({1, 1, 1});
  EXPECT_EQ(result(stride), (std::vector<double>{59, 148, 237}));
}

TEST_F(LagregResiduals, CallsWithoutARecursionReadNothing) {
  // m = T: all zeros; lags, parameters and scales are not consulted.
  Inputs all_presample;
  all_presample.parameters = make_array(0, 0, {});
  all_presample.ar_lags = make_column({kNaN, 0, 99});
  all_presample.m = make_scalar(4);
  all_presample.sigma = make_array(0, 0, {});
  EXPECT_EQ(result(all_presample), (std::vector<double>{0, 0, 0, 0}));
  // T = 0 with m = 0: an empty column.
  Inputs empty;
  empty.y = make_array(0, 1, {});
  empty.m = make_scalar(0);
  EXPECT_TRUE(result(empty).empty());
}

TEST_F(LagregResiduals, ExactlyOneOutput) {
  EXPECT_EQ(refusal(Inputs{}, 0), "One output only.");
  EXPECT_EQ(refusal(Inputs{}, 2), "One output only.");
  std::vector<const mxArray*> seven = Inputs{}.list();
  seven.pop_back();
  for (const int nlhs : {0, 1, 2}) {
    try {
      module.call(nlhs, seven);
      ADD_FAILURE() << "seven inputs accepted";
    } catch (const volfilter::standin::HostError& error) {
      EXPECT_STREQ(error.what(), "Eight inputs required.");
    }
  }
}

TEST_F(LagregResiduals, ScalarsThatDoNotConvertAreRefused) {
  for (const double bad : {kNaN, kInf, 2147483648.0}) {
    Inputs in;
    in.constant = make_scalar(bad);
    EXPECT_EQ(refusal(in),
              "Input constant must be a finite number within the range of a 32-bit integer.");
  }
  for (const double bad : {kNaN, -1.0, kInf}) {
    Inputs in;
    in.m = make_scalar(bad);
    EXPECT_EQ(refusal(in), "Input m must be a finite number, not negative, below 2^64.");
  }
  Inputs empty;
  empty.constant = make_array(0, 1, {});
  EXPECT_EQ(refusal(empty), "Input constant must not be empty.");
}

TEST_F(LagregResiduals, FlagAndPresampleOutsideTheirRangesAreRefused) {
  // The flag is an offset into the parameters, so only 0 and 1 make sense, with or
  // without a recursion.
  for (const double bad : {2.0, -1.0}) {
    for (const double m : {1.0, 4.0}) {
      Inputs in;
      in.constant = make_scalar(bad);
      in.m = make_scalar(m);
      EXPECT_EQ(refusal(in), "Input constant must be 0 or 1.") << bad << " " << m;
    }
  }
  Inputs past;
  past.m = make_scalar(5);
  EXPECT_EQ(refusal(past), "Input m must not exceed T.");
}

TEST_F(LagregResiduals, LagsOutsideOneToMAreRefused) {
  // m = 2: lags 1, 2 and 2.9 are fine; 0.5, 0, negatives, 3, NaN and infinities are not.
  for (const double lag : {1.0, 2.0, 2.9}) {
    Inputs in;
    in.ar_lags = make_column({1, lag});
    in.ma_lags = make_column({lag});
    in.parameters = make_column({0, 0, 0, 0});
    in.m = make_scalar(2);
    EXPECT_EQ(result(in), (std::vector<double>{0, 0, 3, 4})) << lag;
  }
  for (const double lag : {0.5, 0.0, -1.0, 3.0, kNaN, kInf, -kInf, 4294967297.0}) {
    Inputs ar;
    ar.ar_lags = make_column({1, lag});
    ar.parameters = make_column({0, 0, 0});
    ar.m = make_scalar(2);
    EXPECT_EQ(refusal(ar), "Input ar_lags must hold lags from 1 to m.") << lag;
    Inputs ma;
    ma.ma_lags = make_column({lag, 1});
    ma.parameters = make_column({0, 0, 0, 0});
    ma.m = make_scalar(2);
    EXPECT_EQ(refusal(ma), "Input ma_lags must hold lags from 1 to m.") << lag;
  }
}

TEST_F(LagregResiduals, ArraysShorterThanTheRecursionReadsAreRefused) {
  struct Case {
    const char* what;
    void (*change)(Inputs&);
    const char* message;
  };
  const Case cases[] = {
      {"parameters", [](Inputs& in) { in.parameters = make_column({0.5}); },
       "Input parameters must have at least 2 elements."},
      {"lag rows without values", [](Inputs& in) { in.ar_lags = make_array(3, 0, {}); },
       "Input parameters must have at least 4 elements."},
      {"lag rows without values, enough parameters",
       [](Inputs& in) {
         in.ar_lags = make_array(3, 0, {});
         in.parameters = make_column({1, 1, 1, 1});
       },
       "Input ar_lags must have at least 3 elements."},
      {"ma_lags without values",
       [](Inputs& in) {
         in.ma_lags = make_array(1, 0, {});
         in.parameters = make_column({1, 1, 1});
       },
       "Input ma_lags must have at least 1 element."},
      {"y rows without values", [](Inputs& in) { in.y = make_array(4, 0, {}); },
       "Input y must have at least 4 elements."},
      {"x shorter than k * T",
       [](Inputs& in) {
         in.x = make_array(3, 1, {1, 1, 1});
         in.parameters = make_column({1, 1, 1});
       },
       "Input x must have at least 4 elements."},
      {"sigma",
       [](Inputs& in) {
         in.sigma = make_column({1, 1, 1});
       },
       "Input sigma must have at least 4 elements."},
      {"lag list of 2^31 rows", [](Inputs& in) { in.ar_lags = make_array(kRows2To31, 0, {}); },
       "Input ar_lags must have fewer than 2^31 rows."},
      {"lag list of 2^31 rows, no recursion",
       [](Inputs& in) {
         in.ma_lags = make_array(kRows2To31, 0, {});
         in.m = make_scalar(4);
       },
       "Input ma_lags must have fewer than 2^31 rows."},
      // k * T and c + P + k + Q would wrap around 2^64; they must not pass as small numbers.
      {"k * T past 2^64",
       [](Inputs& in) {
         in.x = make_array(0, std::uint64_t{1} << 62, {});
         in.parameters = make_column({1, 1});
       },
       "Input parameters must have at least 4611686018427387906 elements."},
      {"c + P + k + Q past 2^64",
       [](Inputs& in) { in.x = make_array(0, std::numeric_limits<std::uint64_t>::max(), {}); },
       "Input parameters must have at least 18446744073709551615 elements."},
  };
  for (const Case& c : cases) {
    Inputs in;
    c.change(in);
    EXPECT_EQ(refusal(in), c.message) << c.what;
  }
}

}  // namespace
