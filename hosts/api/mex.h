/* The host extension interface, as this project uses it.
 *
 * This header declares, under the names that the host's 64-bit array API exports, exactly
 * the operations that the modules call. It serves two builds that have no host header of
 * their own: the stand-in host used by the tests, and the cross build of the Windows
 * modules. Sizes are unsigned 64-bit throughout. */
#ifndef VOLFILTER_HOST_API_MEX_H
#define VOLFILTER_HOST_API_MEX_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VOLFILTER_BUILDING_HOST)
#define VOLFILTER_HOST_API __declspec(dllexport)
#else
#define VOLFILTER_HOST_API __declspec(dllimport)
#endif
#else
#define VOLFILTER_HOST_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mxArray_tag mxArray;
typedef uint64_t mwSize;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

/* libmex */
VOLFILTER_HOST_API void mexErrMsgTxt(const char* message);

/* libmx */
VOLFILTER_HOST_API double mxGetScalar(const mxArray* array);
VOLFILTER_HOST_API double* mxGetPr(const mxArray* array);
VOLFILTER_HOST_API mwSize mxGetM(const mxArray* array);
VOLFILTER_HOST_API mwSize mxGetN(const mxArray* array);
VOLFILTER_HOST_API mxArray* mxCreateDoubleMatrix_730(mwSize rows, mwSize columns,
                                                     mxComplexity complexity);
VOLFILTER_HOST_API void mxDestroyArray(mxArray* array);
VOLFILTER_HOST_API bool mxIsInf(double value);
VOLFILTER_HOST_API bool mxIsDouble(const mxArray* array);
VOLFILTER_HOST_API bool mxIsNumeric(const mxArray* array);
VOLFILTER_HOST_API bool mxIsLogical(const mxArray* array);
VOLFILTER_HOST_API bool mxIsComplex(const mxArray* array);
VOLFILTER_HOST_API bool mxIsSparse(const mxArray* array);

#define mxCreateDoubleMatrix mxCreateDoubleMatrix_730

/* The entry every module exports. */
typedef void (*mexFunction_t)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

#ifdef __cplusplus
}
#endif

#endif
