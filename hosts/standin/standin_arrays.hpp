// The array side of the stand-in host (the operations of the host's array library), shared
// by every platform: on Linux it is part of the one stand-in library, on Windows it is
// libmx.dll.
#pragma once

#include <cstdint>

#include "mex.h"

namespace volfilter::standin {

// Number of arrays created by mxCreateDoubleMatrix_730 and not yet destroyed.
VOLFILTER_HOST_API long live_arrays();

// Number of arrays created by mxCreateDoubleMatrix_730 so far, destroyed or not: a call that
// is refused before it creates anything leaves it unchanged.
VOLFILTER_HOST_API long created_arrays();

// The most elements one array may have. Creating a larger array fails with "Out of memory.",
// as it would on a host whose memory is used up; a fuzzer sets a small limit so that a
// sample size it makes up costs neither time nor memory. No limit by default but the
// stand-in's memory: an array of more than 2^40 bytes always fails so.
VOLFILTER_HOST_API void set_element_limit(std::uint64_t elements);

// The classes a test can hand to a module. Only real_double is what the modules read as
// data; the others stand for the host's other classes. As scalar inputs the real numeric
// classes and logical are read by value (see mxGetScalar), the rest are refused.
enum class ArrayClass {
  real_double,
  complex_double,
  sparse_double,
  int32,
  single,
  logical,
  character,
  cell,
  structure,
  function_handle,
};

// Marks an array as being of another class; its data stay doubles, which mxGetScalar reads
// as the host reads the class (a logical as 0 or 1, a sparse array by its first non-zero).
// Arrays are created real_double.
VOLFILTER_HOST_API void set_array_class(mxArray* array, ArrayClass array_class);

}  // namespace volfilter::standin
