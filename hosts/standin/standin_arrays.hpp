// The array side of the stand-in host (the operations of the host's array library), shared
// by every platform: on Linux it is part of the one stand-in library, on Windows it is
// libmx.dll.
#pragma once

#include "mex.h"

namespace volfilter::standin {

// Number of arrays created by mxCreateDoubleMatrix_730 and not yet destroyed.
VOLFILTER_HOST_API long live_arrays();

// The storage classes a test can hand to a module. Only real_double is what the modules
// read; the others stand for the host's other classes and are refused by every module.
enum class ArrayClass { real_double, complex_double, sparse_double, int32 };

// Marks an array as being of another class; its data stay real doubles. Arrays are created
// real_double.
VOLFILTER_HOST_API void set_array_class(mxArray* array, ArrayClass array_class);

}  // namespace volfilter::standin
