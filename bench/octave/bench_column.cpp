// bench_column(rows, ...): accepts any further inputs and returns a rows-by-1 column of
// zeros, created as a module creates its output. Called with a filter's sample size and
// inputs, it measures what the host spends on a call that returns a result of that size,
// so that what a module takes beyond it is the module's own work.
#include "mex.h"

extern "C" __attribute__((visibility("default"))) void mexFunction(int /*nlhs*/, mxArray* plhs[],
                                                                   int nrhs,
                                                                   const mxArray* prhs[]) {
  const double rows = nrhs > 0 ? mxGetScalar(prhs[0]) : 1.0;
  plhs[0] = mxCreateDoubleMatrix(rows > 0 ? static_cast<mwSize>(rows) : 0, 1, mxREAL);
}
