// Calls the stand-in's error call with no module call in progress; the stand-in must stop
// the program with the message rather than return or jump anywhere.
#include <cstdio>

#include "mex.h"

int main() {
  mexErrMsgTxt("stray error");
  std::puts("mexErrMsgTxt returned");
  return 0;
}
