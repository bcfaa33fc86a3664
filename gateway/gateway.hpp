// The gateway frame shared by every module: the only code that talks to the host.
//
// An entry reads like its module's input table: check the counts, read the scalars in
// input order, take the data pointers, guard, create the output (and scratch), call the
// kernel, release the scratch. Every refusal goes through the host's error call, which
// does not return, and happens before any array is created, so a refused call leaves
// nothing behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "mex.h"

#if defined(_WIN32)
#define VOLFILTER_ENTRY extern "C" __declspec(dllexport)
#else
#define VOLFILTER_ENTRY extern "C" __attribute__((visibility("default")))
#endif

namespace volfilter::gateway {

inline constexpr const char* kOneOutputOnly = "One output only.";

enum class Outputs {
  at_most_one,  // nlhs 0 or 1
  exactly_one,  // nlhs 1
};

// Ends the call through the host with `message`.
[[noreturn]] void refuse(const char* message);

// Refuses with a message built from a printf format.
[[noreturn]] void refuse_with(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The two count checks, input count first: a call wrong in both shows the input message.
void check_counts(int nlhs, int nrhs, int required_inputs, const char* input_message,
                  Outputs outputs = Outputs::at_most_one);

// Scalar inputs, read with the host's scalar read and truncated toward zero. Refused,
// naming the input, in this order: an input that is not a real number (neither numeric nor
// logical, or complex: "must be a real numeric scalar."), an empty one ("must not be
// empty."), a sparse one of more than one element, which the host would read by its first
// non-zero element ("must be a real numeric scalar."), and a value whose truncation does
// not fit the integer type (NaN, an infinity, out of range, a negative count), which has no
// defined conversion. Any other numeric or logical array is read as its first element.
std::int32_t order_value(const mxArray* input, const char* name);
std::uint64_t count_value(const mxArray* input, const char* name);

// An order value that counts lags, and so must not be negative.
std::int32_t lag_order(const mxArray* input, const char* name);

// Checks the pre-sample length m of a variance recursion against the sample size T and
// the largest lag order, and tells whether the recursion runs (0 <= m < T). The fill
// writes m entries, so m may not exceed T; when the recursion runs, its first step
// reaches back `largest_order` entries, so m must be at least that. A negative m runs
// neither fill nor recursion. `orders` names the lag orders in the message.
bool check_presample(std::int32_t m, std::uint64_t T, std::int32_t largest_order,
                     const char* orders);

// The sum of non-negative counts, as the number of elements a call reads.
std::uint64_t sum_counts(std::initializer_list<std::int64_t> counts);

// The sum and the product of two element counts, saturating at 2^64 - 1: a requirement too
// large to represent is then refused rather than wrapped to a small one.
std::uint64_t add_counts(std::uint64_t a, std::uint64_t b);
std::uint64_t multiply_counts(std::uint64_t a, std::uint64_t b);

// Data of an array input, column-major. Only a real, full double array holds the doubles
// the kernels read: the data of any other class (integers, single, logical, complex or
// sparse storage) would be misread and read past its end, so it is refused.
const double* data_of(const mxArray* input, const char* name);

// Rows, columns and elements of an array input; the element count saturates at 2^64 - 1.
std::uint64_t rows_of(const mxArray* input);
std::uint64_t columns_of(const mxArray* input);
std::uint64_t elements_of(const mxArray* input);

// Refuses when `input` holds fewer than `needed` elements.
void require_elements(const mxArray* input, const char* name, std::uint64_t needed);

// Refuses with `message` unless each of the first `count` of `values` truncates toward
// zero to a whole number from 1 to `largest` (a 1-based index or a lag); NaN and
// infinities never do. The values must be there: check the elements first. A value that
// passes has a defined conversion to an unsigned 64-bit integer.
void require_indices(const double* values, std::uint64_t count, std::uint64_t largest,
                     const char* message);

// Refuses with `message` unless `condition` holds.
void require(bool condition, const char* message);

// Every array a call creates, outputs and scratch alike. An entry declares them all first,
// then creates them in one step: the sizes are tested together before the first array is
// made, so that a call the host cannot serve is refused with nothing left behind.
//
// The host computes an array's size in bytes, and a host's allocator works in its signed size
// type; an element count whose byte size does not fit, or overflows on the way, can give a
// buffer smaller than the array (a write past its end) rather than an error. So each array's
// bytes (elements x 8), and the sum over the call's arrays, must stay below half the largest
// value of the signed size type, which leaves room for whatever the host adds to a request.
// A size below that which the machine cannot hold ends in the host's own out-of-memory error.
class CallArrays {
 public:
  using Index = std::size_t;
  static constexpr std::size_t kMostArrays = 12;

  explicit CallArrays(mxArray* plhs[]) : plhs_(plhs) {}

  // Declares the array of output slot `slot`, created by create() and stored in its slot at
  // once (slot 0 whatever nlhs is). Returns its index for data().
  Index output(int slot, std::uint64_t rows, std::uint64_t columns);
  // Declares a scratch array, created by create() and destroyed by destroy_scratch().
  Index scratch(std::uint64_t rows, std::uint64_t columns = 1);

  // Refuses with "The output is too large for the host." unless every declared array fits
  // the host alone and all of them together; then creates them in the order declared.
  void create();

  // Data of a created array, column-major.
  [[nodiscard]] double* data(Index array) const;
  // The index of no array (an output not asked for, scratch not needed), and the data of an
  // array or null for that index.
  static constexpr Index kAbsent = std::numeric_limits<Index>::max();
  [[nodiscard]] double* data_or_null(Index array) const {
    return array == kAbsent ? nullptr : data(array);
  }

  // Destroys the scratch arrays in the order in which they were created.
  void destroy_scratch();

 private:
  struct Entry {
    std::uint64_t rows = 0;
    std::uint64_t columns = 0;
    int slot = -1;  // an output slot, or -1 for scratch
    mxArray* array = nullptr;
    double* data = nullptr;
  };
  Index declare(int slot, std::uint64_t rows, std::uint64_t columns);

  mxArray** plhs_;
  Entry entries_[kMostArrays];
  std::size_t count_ = 0;
};

// The largest number of bytes that the arrays of one call may take together.
std::uint64_t largest_call_bytes();

}  // namespace volfilter::gateway
