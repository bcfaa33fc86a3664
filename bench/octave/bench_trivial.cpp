// bench_trivial(...): accepts any inputs and returns a 1-by-1 zero. Called with a module's
// inputs, it measures what one call costs the host before any module does work: the
// dispatch, the passing of the inputs and the creation of an output.
#include "mex.h"

extern "C" __attribute__((visibility("default"))) void mexFunction(int /*nlhs*/, mxArray* plhs[],
                                                                   int /*nrhs*/,
                                                                   const mxArray* /*prhs*/[]) {
  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
}
