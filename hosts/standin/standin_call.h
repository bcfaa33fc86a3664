/* How a driver acts as the host on Windows, where the stand-in is libmx.dll and libmex.dll.
 *
 * The error call there does not throw: a C++ exception would have to travel from libmex.dll
 * through the module into the driver, three binaries that each carry their own copy of a
 * statically linked runtime. Instead standin_call sets a jump target inside libmex.dll,
 * mexErrMsgTxt copies the message and jumps back to it, and so no exception ever crosses a
 * binary's boundary. The module's frames in between are abandoned as C frames are; the
 * gateway raises every error before it holds anything but what the host owns (the inputs,
 * and the output already stored in slot 0). */
#ifndef VOLFILTER_STANDIN_CALL_H
#define VOLFILTER_STANDIN_CALL_H

#include "mex.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Calls `entry` as the host does. Returns 0 when the entry returned, 1 when it ended through
 * mexErrMsgTxt; then *message holds the message, valid until the next call. Whatever the
 * entry stored in plhs stays there for the caller to release, in both cases. */
VOLFILTER_HOST_API int standin_call(mexFunction_t entry, int nlhs, mxArray* plhs[], int nrhs,
                                    const mxArray* prhs[], const char** message);

#ifdef __cplusplus
}
#endif

#endif
