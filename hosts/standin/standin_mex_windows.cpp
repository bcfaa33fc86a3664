// libmex.dll of the stand-in host on Windows: the error call and the call frame it returns
// to (see standin_call.h for why this is a jump and not an exception).
#include <setjmp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "standin_call.h"

namespace {

// The jump target of the innermost call in progress, or null outside any call.
jmp_buf* current_target = nullptr;

// The message of the last refused call. Copied, because the caller's buffer may live in a
// frame that the jump abandons.
char last_message[1024];

}  // namespace

extern "C" {

void mexErrMsgTxt(const char* message) {
  std::snprintf(last_message, sizeof last_message, "%s", message);
  if (current_target == nullptr) {
    // An error call outside a module call has nowhere to return to.
    std::fprintf(stderr, "mexErrMsgTxt outside a call: %s\n", last_message);
    std::abort();
  }
  longjmp(*current_target, 1);
}

int standin_call(mexFunction_t entry, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[],
                 const char** message) {
  jmp_buf target;
  jmp_buf* const enclosing = current_target;
  // Only locals that do not change between setjmp and longjmp are read after the jump.
  if (setjmp(target) != 0) {
    current_target = enclosing;
    *message = last_message;
    return 1;
  }
  current_target = &target;
  entry(nlhs, plhs, nrhs, prhs);
  current_target = enclosing;
  *message = "";
  return 0;
}

}  // extern "C"
