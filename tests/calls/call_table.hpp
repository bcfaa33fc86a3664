// Calls that every build of a module must answer alike, whatever the platform.
//
// One file per module, tests/calls/<module>.cpp, defines `CallTable <module>_calls()`; the
// build finds it by that name for every module in VOLFILTER_MODULES. The runner (tests/platform)
// makes each call through the platform's stand-in host, checks the refusals and that no array
// is left alive, and prints every result as bits; the comparer then holds the results of two
// platforms against each other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "standin_arrays.hpp"

namespace volfilter::calls {

using standin::ArrayClass;

// One input array: its shape, its values (column-major) and its class in the host.
struct Value {
  std::uint64_t rows = 0;
  std::uint64_t columns = 0;
  std::vector<double> values;
  ArrayClass array_class = ArrayClass::real_double;

  Value() = default;
  // A number stands for a 1-by-1 array, so that scalars read naturally in a table.
  Value(double value) : rows(1), columns(1), values{value} {}  // NOLINT: implicit on purpose
  Value(std::uint64_t rows_, std::uint64_t columns_, std::vector<double> values_)
      : rows(rows_), columns(columns_), values(std::move(values_)) {}
};

inline Value column(std::vector<double> values) {
  const std::uint64_t rows = values.size();
  return {rows, 1, std::move(values)};
}

inline Value row(std::vector<double> values) {
  const std::uint64_t columns = values.size();
  return {1, columns, std::move(values)};
}

inline Value matrix(std::uint64_t rows, std::uint64_t columns, std::vector<double> values) {
  return {rows, columns, std::move(values)};
}

// An empty array of the given shape (0-by-0 by default).
inline Value empty(std::uint64_t rows = 0, std::uint64_t columns = 0) {
  return {rows, columns, {}};
}

// `value` as an array of another class, e.g. a character or a cell where a number belongs.
inline Value of_class(ArrayClass array_class, Value value) {
  value.array_class = array_class;
  return value;
}

// `count` numbers spread over [low, high) from a fixed linear congruential sequence. Only
// exact integer steps and correctly rounded double operations: the same numbers on every
// platform, unlike anything built on a platform's random or transcendental functions.
inline std::vector<double> sequence(std::size_t count, std::uint32_t seed, double low,
                                    double high) {
  std::vector<double> numbers;
  std::uint32_t state = seed;
  for (std::size_t i = 0; i < count; ++i) {
    state = state * 1664525U + 1013904223U;
    numbers.push_back(low + (high - low) * (static_cast<double>(state) / 4294967296.0));
  }
  return numbers;
}

struct Call {
  std::string label;  // unique within the table; no tab or line break
  int nlhs = 1;
  std::vector<Value> inputs;
  // The whole message of a call that must be refused; empty for a call that must succeed.
  std::string refusal;

  Call(std::string label_, int nlhs_, std::vector<Value> inputs_, std::string refusal_ = "")
      : label(std::move(label_)),
        nlhs(nlhs_),
        inputs(std::move(inputs_)),
        refusal(std::move(refusal_)) {}
};

// Modules whose arithmetic is only additions, multiplications, divisions and square roots
// give the same bits everywhere. Modules that call exp or log may differ by the platform's
// library: they allow one unit in the last place.
inline constexpr int kBitIdentical = 0;
inline constexpr int kWithinOneUlp = 1;

struct CallTable {
  std::string module;
  int ulp_tolerance = kBitIdentical;
  std::vector<Call> calls;
};

}  // namespace volfilter::calls
