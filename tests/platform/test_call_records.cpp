// The comparison of shared-call results between platforms: distances in units in the last
// place, and what passes and fails for exact and tolerant modules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

#include "call_records.hpp"

namespace {

using namespace volfilter::platform;

std::uint64_t bits_of(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

Results results_of(const std::string& text) {
  std::istringstream input(text);
  return parse_results(input);
}

Record result(const std::string& module, const std::string& label,
              const std::vector<double>& values) {
  Record record;
  record.module = module;
  record.label = label;
  record.rows = values.size();
  record.columns = 1;
  for (const double value : values) {
    record.bits.push_back(bits_of(value));
  }
  return record;
}

std::string file_of(int tolerance, const std::vector<Record>& records) {
  std::string text = tolerance_line("m", tolerance) + "\n";
  for (const Record& record : records) {
    text += record_line(record) + "\n";
  }
  return text;
}

std::vector<ModuleReport> compare(int tolerance, const std::vector<Record>& reference,
                                  const std::vector<Record>& candidate) {
  return compare_results(results_of(file_of(tolerance, reference)),
                         results_of(file_of(tolerance, candidate)));
}

TEST(UlpDistance, CountsTheDoublesBetween) {
  const double one = 1.0;
  EXPECT_EQ(ulp_distance(bits_of(one), bits_of(one)), 0U);
  EXPECT_EQ(ulp_distance(bits_of(one), bits_of(std::nextafter(one, 2.0))), 1U);
  EXPECT_EQ(ulp_distance(bits_of(std::nextafter(one, 0.0)), bits_of(std::nextafter(one, 2.0))), 2U);
  // Across zero: the two zeros are one point, the smallest subnormals one step either side.
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(ulp_distance(bits_of(0.0), bits_of(-0.0)), 0U);
  EXPECT_EQ(ulp_distance(bits_of(-tiny), bits_of(tiny)), 2U);
  EXPECT_EQ(ulp_distance(bits_of(-1.0), bits_of(std::nextafter(-1.0, -2.0))), 1U);
  // The largest finite double is one step below infinity.
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(ulp_distance(bits_of(largest), bits_of(std::numeric_limits<double>::infinity())), 1U);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(ulp_distance(bits_of(nan), bits_of(-nan)), 0U);
  EXPECT_EQ(ulp_distance(bits_of(nan), bits_of(one)), std::numeric_limits<std::uint64_t>::max());
}

TEST(ResultsFile, RoundTripsRecordsAndTolerances) {
  Record refused;
  refused.module = "m";
  refused.label = "two outputs";
  refused.refused = true;
  refused.message = "One output only.";
  const Record empty = result("m", "empty", {});
  const Record values = result("m", "values", {1.0, -0.0, 0.1});
  const Results parsed = results_of(file_of(1, {refused, empty, values}) + "\r\n");
  EXPECT_EQ(parsed.tolerance.at("m"), 1);
  ASSERT_EQ(parsed.records.size(), 3U);
  EXPECT_EQ(record_line(parsed.records[0]), record_line(refused));
  EXPECT_EQ(record_line(parsed.records[1]), "m\tempty\tresult\t0x1\t");
  EXPECT_EQ(parsed.records[2].bits, values.bits);
  EXPECT_THROW(results_of("m\tlabel\tresult\t2x1\t3ff0000000000000\n"), std::runtime_error);
  EXPECT_THROW(results_of("m\tlabel\tserved\n"), std::runtime_error);
}

TEST(CompareResults, ExactModulesNeedTheSameBits) {
  const double x = 0.1;
  const auto same = compare(0, {result("m", "a", {x, 2.0})}, {result("m", "a", {x, 2.0})});
  ASSERT_EQ(same.size(), 1U);
  EXPECT_TRUE(same[0].failures.empty());
  EXPECT_EQ(same[0].values, 2U);
  EXPECT_EQ(same[0].differing, 0U);

  const auto one_ulp =
      compare(0, {result("m", "a", {x})}, {result("m", "a", {std::nextafter(x, 1.0)})});
  EXPECT_EQ(one_ulp[0].failures.size(), 1U);
  EXPECT_EQ(one_ulp[0].ulp_counts.at(1), 1U);
  // The sign of zero is part of the bits.
  EXPECT_EQ(compare(0, {result("m", "a", {0.0})}, {result("m", "a", {-0.0})})[0].failures.size(),
            1U);
}

TEST(CompareResults, TolerantModulesAllowTheirUlps) {
  const double x = 0.7;
  const auto within = compare(1, {result("m", "a", {x, x, 3.0})},
                              {result("m", "a", {std::nextafter(x, 0.0), x, 3.0})});
  EXPECT_TRUE(within[0].failures.empty());
  EXPECT_EQ(within[0].differing, 1U);
  EXPECT_EQ(within[0].ulp_counts.at(1), 1U);

  const double two_up = std::nextafter(std::nextafter(x, 1.0), 1.0);
  const auto beyond = compare(1, {result("m", "a", {x})}, {result("m", "a", {two_up})});
  EXPECT_EQ(beyond[0].failures.size(), 1U);
  EXPECT_EQ(beyond[0].ulp_counts.at(2), 1U);
}

TEST(CompareResults, EveryOutputOfACallIsCompared) {
  // A likelihood's call: nll, then the gradient and the variances on the same line.
  Record call = result("m", "a", {0.5});
  call.further.push_back({2, 1, {bits_of(1.0), bits_of(-2.0)}});
  call.further.push_back({1, 0, {}});
  const Results parsed = results_of(file_of(1, {call}));
  EXPECT_EQ(record_line(parsed.records.at(0)), record_line(call));
  EXPECT_EQ(record_line(call),
            "m\ta\tresult\t1x1\t3fe0000000000000\t2x1\t3ff0000000000000 c000000000000000\t1x0\t");
  EXPECT_TRUE(compare(0, {call}, {call})[0].failures.empty());
  EXPECT_EQ(compare(0, {call}, {call})[0].values, 3U);

  Record two_ulps = call;
  two_ulps.further[0].bits[1] += 2;
  const auto differs = compare(1, {call}, {two_ulps});
  ASSERT_EQ(differs[0].failures.size(), 1U);
  EXPECT_EQ(differs[0].failures[0].rfind("a: output 2, element 1", 0), 0U)
      << differs[0].failures[0];
  Record fewer = call;
  fewer.further.pop_back();
  EXPECT_EQ(compare(1, {call}, {fewer})[0].failures.size(), 1U);
  Record reshaped = call;
  reshaped.further[0].rows = 1;
  reshaped.further[0].columns = 2;
  EXPECT_EQ(compare(1, {call}, {reshaped})[0].failures.size(), 1U);
  EXPECT_THROW(results_of("m\ta\tresult\t1x1\t3fe0000000000000\t1x1\n"), std::runtime_error);
}

TEST(CompareResults, CallsMustMatchInKindShapeAndMessage) {
  Record refused;
  refused.module = "m";
  refused.label = "a";
  refused.refused = true;
  refused.message = "Ten inputs required.";
  Record other_message = refused;
  other_message.message = "Nine inputs required.";
  EXPECT_EQ(compare(1, {refused}, {other_message})[0].failures.size(), 1U);
  EXPECT_EQ(compare(1, {refused}, {result("m", "a", {1.0})})[0].failures.size(), 1U);
  Record row = result("m", "a", {1.0, 2.0});
  row.rows = 1;
  row.columns = 2;
  EXPECT_EQ(compare(1, {result("m", "a", {1.0, 2.0})}, {row})[0].failures.size(), 1U);
  // A call on one side only.
  EXPECT_EQ(compare(1, {result("m", "a", {1.0})}, {})[0].failures.size(), 1U);
  EXPECT_EQ(compare(1, {}, {result("m", "a", {1.0})})[0].failures.size(), 1U);
}

}  // namespace
