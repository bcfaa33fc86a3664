// The gateway frame shared by every module: the only code that talks to the host.
//
// An entry reads like its module's input table: check the counts, read the scalars in
// input order, take the data pointers, guard, create the output (and scratch), call the
// kernel, release the scratch. Every refusal goes through the host's error call, which
// does not return, and happens before any array is created, so a refused call leaves
// nothing behind.
#pragma once

#include <cstdint>
#include <initializer_list>

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

// Scalar inputs, read with the host's scalar read and truncated toward zero. A value whose
// truncation does not fit the integer type (NaN, an infinity, out of range, a negative
// count) has no defined conversion and is refused, naming the input.
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
// infinities never do. The values must be there: check the elements first.
void require_indices(const double* values, std::uint64_t count, std::uint64_t largest,
                     const char* message);

// Refuses with `message` unless `condition` holds.
void require(bool condition, const char* message);

// Creates the rows-by-columns output, stores it in output slot 0 at once (whatever nlhs
// is) and returns its data. Refuses shapes the host cannot index.
double* create_output(mxArray* plhs[], std::uint64_t rows, std::uint64_t columns);

// A T-by-1 scratch column created through the host and destroyed before the entry returns.
struct Scratch {
  mxArray* array;
  double* data;
};
Scratch create_scratch(std::uint64_t rows);
void destroy_scratch(Scratch& scratch);

}  // namespace volfilter::gateway
