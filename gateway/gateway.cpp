#include "gateway.hpp"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

namespace volfilter::gateway {

namespace {

// Room for every message the gateway builds; input names are short.
constexpr std::size_t kMessageCapacity = 256;

// The truncated value fits Integer exactly when the double lies strictly between
// (lowest - 1) and (max + 1); both bounds are powers of two, or one less than the lowest,
// and so exact doubles.
template <typename Integer>
bool truncates_into(double value) {
  const double above = std::ldexp(1.0, std::numeric_limits<Integer>::digits);
  const double below = std::is_signed_v<Integer> ? -above - 1.0 : -1.0;
  return value > below && value < above;
}

// A scalar input is tested for its kind first, whatever its size, then for emptiness:
// a cell, a struct, a function handle, text or a complex number has no real value to read
// (the host's scalar read of the first three is not even defined, and would read text as a
// character code and a complex number as its real part), so {} or '' is refused as not a
// real number rather than as empty. A numeric or logical array of several elements is read
// as its first element; but the host reads a sparse array by its first non-zero element,
// which is not its first, so a sparse one is read only when it holds one element.
double scalar_of(const mxArray* input, const char* name) {
  if (!(mxIsNumeric(input) || mxIsLogical(input)) || mxIsComplex(input)) {
    refuse_with("Input %s must be a real numeric scalar.", name);
  }
  const std::uint64_t elements = elements_of(input);
  if (elements == 0) {
    refuse_with("Input %s must not be empty.", name);
  }
  if (mxIsSparse(input) && elements > 1) {
    refuse_with("Input %s must be a real numeric scalar.", name);
  }
  return mxGetScalar(input);
}

}  // namespace

void refuse(const char* message) {
  mexErrMsgTxt(message);
  // The host's error call does not return; this keeps the promise of [[noreturn]] should a
  // host ever break that.
  std::abort();
}

void refuse_with(const char* format, ...) {
  char message[kMessageCapacity];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  refuse(message);
}

void check_counts(int nlhs, int nrhs, int required_inputs, const char* input_message,
                  Outputs outputs) {
  if (nrhs != required_inputs) {
    refuse(input_message);
  }
  const bool outputs_wrong = outputs == Outputs::exactly_one ? nlhs != 1 : nlhs > 1;
  if (outputs_wrong) {
    refuse(kOneOutputOnly);
  }
}

std::int32_t order_value(const mxArray* input, const char* name) {
  const double value = scalar_of(input, name);
  if (!truncates_into<std::int32_t>(value)) {
    refuse_with("Input %s must be a finite number within the range of a 32-bit integer.", name);
  }
  return static_cast<std::int32_t>(value);
}

std::uint64_t count_value(const mxArray* input, const char* name) {
  const double value = scalar_of(input, name);
  if (!truncates_into<std::uint64_t>(value)) {
    refuse_with("Input %s must be a finite number, not negative, below 2^64.", name);
  }
  return static_cast<std::uint64_t>(value);
}

std::int32_t lag_order(const mxArray* input, const char* name) {
  const std::int32_t order = order_value(input, name);
  if (order < 0) {
    refuse_with("Input %s must not be negative.", name);
  }
  return order;
}

bool check_presample(std::int32_t m, std::uint64_t T, std::int32_t largest_order,
                     const char* orders) {
  if (m < 0) {
    return false;
  }
  const auto presample = static_cast<std::uint64_t>(m);
  if (presample > T) {
    refuse("Input m must not exceed T.");
  }
  const bool runs = presample < T;
  if (runs && m < largest_order) {
    refuse_with("Input m must be at least the largest of %s when T exceeds m.", orders);
  }
  return runs;
}

std::uint64_t sum_counts(std::initializer_list<std::int64_t> counts) {
  std::uint64_t total = 0;
  for (const std::int64_t count : counts) {
    total += static_cast<std::uint64_t>(count);
  }
  return total;
}

std::uint64_t add_counts(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
  return a > largest - b ? largest : a + b;
}

std::uint64_t multiply_counts(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
  return b != 0 && a > largest / b ? largest : a * b;
}

const double* data_of(const mxArray* input, const char* name) {
  if (!mxIsDouble(input) || mxIsComplex(input) || mxIsSparse(input)) {
    refuse_with("Input %s must be a real double array.", name);
  }
  return mxGetPr(input);
}

std::uint64_t rows_of(const mxArray* input) { return static_cast<std::uint64_t>(mxGetM(input)); }

std::uint64_t columns_of(const mxArray* input) { return static_cast<std::uint64_t>(mxGetN(input)); }

std::uint64_t elements_of(const mxArray* input) {
  return multiply_counts(rows_of(input), columns_of(input));
}

void require_elements(const mxArray* input, const char* name, std::uint64_t needed) {
  if (elements_of(input) < needed) {
    refuse_with("Input %s must have at least %llu %s.", name,
                static_cast<unsigned long long>(needed), needed == 1 ? "element" : "elements");
  }
}

namespace {

// The least double such that a double v with 1 <= v < bound truncates to a whole number from
// 1 to `largest`, and no other double does: largest + 1 when a double holds it exactly, else
// the double just above it (v < that bound is then v <= largest + 1 rounded down). The
// bound is at most 2^64, so every value that passes has a defined unsigned conversion.
double index_bound(std::uint64_t largest) {
  if (largest == std::numeric_limits<std::uint64_t>::max()) {
    return std::ldexp(1.0, 64);
  }
  const std::uint64_t limit = largest + 1;
  // limit rounded down to the 53 significant bits of a double, which converts exactly.
  int shift = 0;
  while ((limit >> shift) >= (std::uint64_t{1} << std::numeric_limits<double>::digits)) {
    ++shift;
  }
  const std::uint64_t below = (limit >> shift) << shift;
  const auto bound = static_cast<double>(below);
  return below == limit ? bound : std::nextafter(bound, std::numeric_limits<double>::infinity());
}

}  // namespace

void require_indices(const double* values, std::uint64_t count, std::uint64_t largest,
                     const char* message) {
  // A range test on the doubles, with no conversion and no branch per value: `outside`
  // becomes 1 at the first value outside [1, bound) and stays so. Written as a select, GCC
  // vectorises it (two values to a comparison); NaN fails both comparisons.
  const double bound = index_bound(largest);
  double outside = 0.0;
  for (std::uint64_t i = 0; i < count; ++i) {
    const double value = values[i];
    outside = value >= 1.0 && value < bound ? outside : 1.0;
  }
  if (outside != 0.0) {
    refuse(message);
  }
}

void require(bool condition, const char* message) {
  if (!condition) {
    refuse(message);
  }
}

std::uint64_t largest_call_bytes() {
  return static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()) / 2;
}

CallArrays::Index CallArrays::declare(int slot, std::uint64_t rows, std::uint64_t columns) {
  if (count_ == kMostArrays) {
    // A module declaring more arrays than the frame holds is a fault of the module's own.
    std::abort();
  }
  Entry& entry = entries_[count_];
  entry.rows = rows;
  entry.columns = columns;
  entry.slot = slot;
  return count_++;
}

CallArrays::Index CallArrays::output(int slot, std::uint64_t rows, std::uint64_t columns) {
  return declare(slot, rows, columns);
}

CallArrays::Index CallArrays::scratch(std::uint64_t rows, std::uint64_t columns) {
  return declare(-1, rows, columns);
}

void CallArrays::create() {
  // The host's size type may be narrower or signed; a dimension it cannot represent would
  // wrap in the conversion.
  constexpr auto largest_dimension = static_cast<std::uint64_t>(std::numeric_limits<mwSize>::max());
  std::uint64_t total_bytes = 0;
  for (std::size_t i = 0; i < count_; ++i) {
    const Entry& entry = entries_[i];
    if (entry.rows > largest_dimension || entry.columns > largest_dimension) {
      refuse("The output is too large for the host.");
    }
    const std::uint64_t bytes =
        multiply_counts(multiply_counts(entry.rows, entry.columns), sizeof(double));
    total_bytes = add_counts(total_bytes, bytes);
  }
  if (total_bytes > largest_call_bytes()) {
    refuse("The output is too large for the host.");
  }
  for (std::size_t i = 0; i < count_; ++i) {
    Entry& entry = entries_[i];
    entry.array = mxCreateDoubleMatrix(static_cast<mwSize>(entry.rows),
                                       static_cast<mwSize>(entry.columns), mxREAL);
    if (entry.slot >= 0) {
      plhs_[entry.slot] = entry.array;
    }
    entry.data = mxGetPr(entry.array);
  }
}

double* CallArrays::data(Index array) const { return entries_[array].data; }

void CallArrays::destroy_scratch() {
  for (std::size_t i = 0; i < count_; ++i) {
    Entry& entry = entries_[i];
    if (entry.slot < 0 && entry.array != nullptr) {
      mxDestroyArray(entry.array);
      entry.array = nullptr;
      entry.data = nullptr;
    }
  }
}

}  // namespace volfilter::gateway
