// pairwise_nll: the calls every platform must answer alike. Each pair takes a logarithm from
// the platform's math library, so results may differ by one unit in the last place.
#include <limits>

#include "call_table.hpp"

namespace volfilter::calls {

namespace {

constexpr std::uint64_t kVariables = 6;

// A symmetric, diagonally dominant (so positive definite) covariance from a fixed sequence.
Value covariance(std::uint32_t seed) {
  const std::vector<double> draws = sequence(kVariables * kVariables, seed, -0.5, 0.5);
  std::vector<double> sigma(kVariables * kVariables);
  for (std::uint64_t r = 0; r < kVariables; ++r) {
    for (std::uint64_t c = 0; c <= r; ++c) {
      const double value = r == c ? 2.0 + draws[r * kVariables + c] : draws[r * kVariables + c];
      sigma[r + c * kVariables] = value;
      sigma[c + r * kVariables] = value;
    }
  }
  return matrix(kVariables, kVariables, sigma);
}

// Every pair (a, b), a < b, 1-based, as an n-by-2 matrix.
Value all_pairs() {
  std::vector<double> first;
  std::vector<double> second;
  for (std::uint64_t a = 1; a <= kVariables; ++a) {
    for (std::uint64_t b = a + 1; b <= kVariables; ++b) {
      first.push_back(static_cast<double>(a));
      second.push_back(static_cast<double>(b));
    }
  }
  const std::uint64_t n = first.size();
  first.insert(first.end(), second.begin(), second.end());
  return matrix(n, 2, first);
}

}  // namespace

CallTable pairwise_nll_calls() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Value sigma = matrix(2, 2, {2, 0.5, 0.5, 1});
  const Value pair = row({1, 2});
  std::vector<Call> calls{
      {"worked example, column", 1, {sigma, column({1, 2}), pair}},
      {"worked example, row", 1, {sigma, row({1, 2}), pair}},
      {"worked example, matrix", 1, {sigma, matrix(2, 2, {1, 2, 2, 4}), pair}},
      {"identity and zero data", 1, {matrix(2, 2, {1, 0, 0, 1}), column({0, 0}), pair}},
      {"truncated indices", 1, {sigma, column({1, 2}), row({1.9, 2.9})}},
      {"equal pair", 1, {sigma, column({1, 2}), row({1, 1})}},
      {"no pairs", 1, {empty(), empty(), empty(0, 2)}},
      {"negative determinant", 1, {matrix(2, 2, {1, 2, 2, 1}), column({1, 1}), pair}},
      {"zero determinant", 1, {matrix(2, 2, {-1, 1, 1, -1}), column({1, 0}), pair}},
      {"no output requested", 0, {sigma, column({1, 2}), pair}},
      {"one input", 1, {sigma}, "Three inputs required."},
      {"two outputs", 2, {sigma, column({1, 2}), pair}, "One output only."},
      {"index past the data",
       1,
       {sigma, column({1, 2}), row({1, 3})},
       "Input pairs must hold indices from 1 to the size of data."},
      {"NaN index",
       1,
       {sigma, column({1, 2}), row({nan, 1})},
       "Input pairs must hold indices from 1 to the size of data."},
      {"one column of pairs",
       1,
       {sigma, column({1, 2}), column({1, 2})},
       "Input pairs must have at least two columns."},
      {"short covariance",
       1,
       {column({2, 0.5, 0.5}), column({1, 2}), pair},
       "Input covariance must have at least 4 elements."},
  };
  // Many covariances, vector and matrix data: one logarithm per pair, fifteen pairs a call.
  const Value pairs = all_pairs();
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    const std::vector<double> x = sequence(kVariables, seed + 1000, -2.5, 2.5);
    std::vector<double> cross(kVariables * kVariables);
    for (std::uint64_t r = 0; r < kVariables; ++r) {
      for (std::uint64_t c = 0; c < kVariables; ++c) {
        cross[r + c * kVariables] = x[r] * x[c] + (r == c ? 0.5 : 0.0);
      }
    }
    calls.push_back(
        {"vector data, seed " + std::to_string(seed), 1, {covariance(seed), column(x), pairs}});
    calls.push_back({"matrix data, seed " + std::to_string(seed),
                     1,
                     {covariance(seed), matrix(kVariables, kVariables, cross), pairs}});
  }
  return {"pairwise_nll", kWithinOneUlp, calls};
}

}  // namespace volfilter::calls
