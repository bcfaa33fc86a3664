// Arrays of the stand-in host: real double matrices, zero-filled on creation, counted while
// alive so that tests can prove that nothing is left behind. Failures to create end the
// call through mexErrMsgTxt, as the host's own creation does.
//
// Calls may come from several threads at once: the only state shared between calls is the
// live-array and created-array counts and the element limit, all atomic; everything else belongs to
// one array or one call.
#include "standin_arrays.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>

struct mxArray_tag {
  std::uint64_t rows;
  std::uint64_t columns;
  double* data;
  volfilter::standin::ArrayClass array_class;
};

namespace {

std::atomic<long> live_count{0};
std::atomic<long> created_count{0};
std::atomic<std::uint64_t> element_limit{std::numeric_limits<std::uint64_t>::max()};

}  // namespace

extern "C" {

double mxGetScalar(const mxArray* array) {
  using volfilter::standin::ArrayClass;
  const std::uint64_t count = array->rows * array->columns;
  switch (array->array_class) {
    case ArrayClass::cell:
    case ArrayClass::structure:
    case ArrayClass::function_handle:
      // The host's scalar read of these has no defined result: a module must never ask.
      std::fprintf(stderr, "mxGetScalar of an array that holds no numbers\n");
      std::abort();
    case ArrayClass::sparse_double: {
      // As the hosts read a sparse array: its first stored, that is non-zero, element.
      const double* data = array->data;
      const double* end = data + count;
      const double* first = std::find_if(data, end, [](double v) { return v != 0.0; });
      return first == end ? 0.0 : *first;
    }
    case ArrayClass::logical:
      return count == 0 ? 0.0 : (array->data[0] != 0.0 ? 1.0 : 0.0);
    default:
      // The first element, or 0.0 for an empty array.
      return count == 0 ? 0.0 : array->data[0];
  }
}

double* mxGetPr(const mxArray* array) { return array->data; }

mwSize mxGetM(const mxArray* array) { return array->rows; }

mwSize mxGetN(const mxArray* array) { return array->columns; }

mxArray* mxCreateDoubleMatrix_730(mwSize rows, mwSize columns, mxComplexity /*complexity*/) {
  // The stand-in's memory: no array of more than 2^40 bytes, more than any machine that runs
  // the tests holds, so that such a request fails alike everywhere, and is never put to the
  // allocator (which under AddressSanitizer stops the program at that size).
  const std::uint64_t limit = (std::uint64_t{1} << 40) / sizeof(double);
  if (columns != 0 && rows > limit / columns) {
    mexErrMsgTxt("Out of memory.");
  }
  const std::uint64_t count = rows * columns;
  if (count > element_limit.load()) {
    mexErrMsgTxt("Out of memory.");
  }
  auto* array = new (std::nothrow)
      mxArray_tag{rows, columns, nullptr, volfilter::standin::ArrayClass::real_double};
  if (array == nullptr) {
    mexErrMsgTxt("Out of memory.");
  }
  // calloc gives the zero fill the host promises; one element at least so that the data
  // pointer of an empty array is still a valid, distinct address.
  array->data =
      static_cast<double*>(std::calloc(std::max<std::uint64_t>(count, 1), sizeof(double)));
  if (array->data == nullptr) {
    delete array;
    mexErrMsgTxt("Out of memory.");
  }
  live_count.fetch_add(1);
  created_count.fetch_add(1);
  return array;
}

void mxDestroyArray(mxArray* array) {
  if (array == nullptr) {
    return;
  }
  std::free(array->data);
  delete array;
  live_count.fetch_sub(1);
}

bool mxIsInf(double value) { return std::isinf(value); }

bool mxIsDouble(const mxArray* array) {
  using volfilter::standin::ArrayClass;
  const ArrayClass array_class = array->array_class;
  return array_class == ArrayClass::real_double || array_class == ArrayClass::complex_double ||
         array_class == ArrayClass::sparse_double;
}

bool mxIsNumeric(const mxArray* array) {
  using volfilter::standin::ArrayClass;
  return mxIsDouble(array) || array->array_class == ArrayClass::int32 ||
         array->array_class == ArrayClass::single;
}

bool mxIsLogical(const mxArray* array) {
  return array->array_class == volfilter::standin::ArrayClass::logical;
}

bool mxIsComplex(const mxArray* array) {
  return array->array_class == volfilter::standin::ArrayClass::complex_double;
}

bool mxIsSparse(const mxArray* array) {
  return array->array_class == volfilter::standin::ArrayClass::sparse_double;
}

}  // extern "C"

namespace volfilter::standin {

long live_arrays() { return live_count.load(); }

long created_arrays() { return created_count.load(); }

void set_element_limit(std::uint64_t elements) { element_limit.store(elements); }

void set_array_class(mxArray* array, ArrayClass array_class) { array->array_class = array_class; }

}  // namespace volfilter::standin
