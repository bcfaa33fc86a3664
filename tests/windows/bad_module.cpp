// A module file that breaks every rule the import and export check enforces: it imports a
// host function that the .def files do not list, it needs the MinGW runtime DLLs (linked
// without -static), and it exports a second function. The check must reject it.
#include <stdexcept>

#include "mex.h"

extern "C" VOLFILTER_HOST_API mxArray* mxCreateSparse(mwSize rows, mwSize columns, mwSize count,
                                                      mxComplexity complexity);

extern "C" __declspec(dllexport) void mexFunction(int nlhs, mxArray* plhs[], int nrhs,
                                                  const mxArray* prhs[]) {
  if (nrhs != 0 || prhs == nullptr) {
    throw std::invalid_argument("needs the C++ runtime");
  }
  plhs[0] = nlhs > 0 ? mxCreateSparse(1, 1, 1, mxREAL) : nullptr;
}

extern "C" __declspec(dllexport) void extra_export() {}
