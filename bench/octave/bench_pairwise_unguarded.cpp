// bench_pairwise_unguarded(covariance, data, pairs) and bench_pairwise_plain(...): pairwise_nll
// without a single check, for inputs known to be right: the data pointers, K from the data's
// shape, a 1-by-1 output and the kernel (bench_pairwise_unguarded: pairwise_nll's own, so
// that pairwise_nll's time less this one's is what its checks cost) or the straightforward
// loop of the baselines (bench_pairwise_plain: a module written plainly, without guards).
#include <algorithm>
#include <cstdint>

#include "mex.h"
#if defined(VOLFILTER_BENCH_PLAIN)
#include "baselines/baselines.hpp"
#else
#include "kernels.hpp"
#endif

extern "C" __attribute__((visibility("default"))) void mexFunction(int /*nlhs*/, mxArray* plhs[],
                                                                   int /*nrhs*/,
                                                                   const mxArray* prhs[]) {
  const auto rows = static_cast<std::uint64_t>(mxGetM(prhs[1]));
  const auto columns = static_cast<std::uint64_t>(mxGetN(prhs[1]));
  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
#if defined(VOLFILTER_BENCH_PLAIN)
  volfilter::baseline::pairwise(
#else
  volfilter::pairwise_kernel(
#endif
      mxGetPr(prhs[0]), mxGetPr(prhs[1]), mxGetPr(prhs[2]),
      static_cast<std::uint64_t>(mxGetM(prhs[2])), std::max(rows, columns), std::min(rows, columns),
      mxGetPr(plhs[0]));
}
