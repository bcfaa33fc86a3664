// The array side of the stand-in host (the operations of the host's array library), shared
// by every platform: on Linux it is part of the one stand-in library, on Windows it is
// libmx.dll.
#pragma once

#include "mex.h"

namespace volfilter::standin {

// Number of arrays created by mxCreateDoubleMatrix_730 and not yet destroyed.
VOLFILTER_HOST_API long live_arrays();

}  // namespace volfilter::standin
