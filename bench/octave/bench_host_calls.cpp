// bench_host_calls(...): makes, on every input, the host calls a module's entry makes (the
// class tests, the row and column counts, and the scalar or the data pointer) and returns
// a 1-by-1 output, without any logic of its own. A module's fixed cost less this one's is
// what the gateway adds beyond the host.
#include "mex.h"

extern "C" __attribute__((visibility("default"))) void mexFunction(int /*nlhs*/, mxArray* plhs[],
                                                                   int nrhs,
                                                                   const mxArray* prhs[]) {
  double touched = 0.0;
  for (int i = 0; i < nrhs; ++i) {
    const mxArray* input = prhs[i];
    const bool real_double = mxIsDouble(input) && !mxIsComplex(input) && !mxIsSparse(input);
    const double elements = static_cast<double>(mxGetM(input)) * static_cast<double>(mxGetN(input));
    if (elements == 1.0) {
      const bool real_number = (mxIsNumeric(input) || mxIsLogical(input)) && !real_double;
      touched += mxGetScalar(input) + (real_number ? 1.0 : 0.0);
    } else if (mxGetPr(input) != nullptr) {
      touched += real_double ? 1.0 : 0.0;
    }
  }
  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
  mxGetPr(plhs[0])[0] = touched;
}
