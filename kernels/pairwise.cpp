#include <algorithm>
#include <cmath>

#include "kernels.hpp"

namespace volfilter {

namespace {

// 2 ln(2 pi) as 3.67575413281869, i.e. rounded to 15 significant digits: the double with
// bits 0x400D67F1C864BEB2, two units in the last place below the double nearest to
// 2 ln(2 pi). Results are reproduced bit for bit with this value, so it stays.
constexpr double kTwoLogTwoPi = 0x1.D67F1C864BEB2p+1;

// Pairs per block (see pairwise_kernel); the block's values live on the stack.
constexpr std::uint64_t kBlock = 32;

// A 1-based index as a 0-based offset. The caller keeps every index within 1..K, so the
// signed conversion is exact and defined; on x86-64 without AVX-512 it is one instruction,
// where the unsigned one needs a test and a branch.
inline std::uint64_t offset_of(double index) {
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(index)) - 1;
}

}  // namespace

void pairwise_kernel(const double* covariance, const double* data, const double* pairs,
                     std::uint64_t pair_count, std::uint64_t dim_large, std::uint64_t dim_small,
                     double* nll) {
  const auto n = static_cast<double>(pair_count);
  nll[0] = 0.0;
  if (pair_count == 0) {
    return;
  }
  const std::uint64_t K = dim_large;
  const bool matrix_form = dim_large == dim_small;
  const double* first_index = pairs;
  const double* second_index = pairs + pair_count;

  // Pairs are independent but for the running sum, and a pair's time is mostly its
  // logarithm, a library call. One pair at a time, each call waits behind the gathering of
  // its own elements and every live value, the sum included, is saved across it. The pairs
  // are therefore taken a block at a time: the determinants and numerators of the whole
  // block, then the logarithms back to back, so that consecutive calls overlap, then the
  // terms in a pass of their own (no gather in it, so its divisions go two to an
  // instruction), and last the terms added to the sum in pair order as always.
  double det[kBlock];
  double numerator[kBlock];
  double term[kBlock];
  double sum = 0.0;
  for (std::uint64_t start = 0; start < pair_count; start += kBlock) {
    const std::uint64_t count = std::min<std::uint64_t>(kBlock, pair_count - start);
    for (std::uint64_t j = 0; j < count; ++j) {
      const std::uint64_t a = offset_of(first_index[start + j]);
      const std::uint64_t b = offset_of(second_index[start + j]);
      const double s_aa = covariance[a * (K + 1)];
      const double s_bb = covariance[b * (K + 1)];
      const double s_ab = covariance[a * K + b];

      // Determinant of the 2-by-2 block and the numerator of the quadratic form
      // x' inv(block) x (vector data) or trace(inv(block) S) (matrix data), by the adjugate.
      // Every product is rounded before the next operation; for S = x x' both forms meet
      // the same operands.
      det[j] = s_bb * s_aa - s_ab * s_ab;
      if (matrix_form) {
        const double S_aa = data[a * (K + 1)];
        const double S_bb = data[b * (K + 1)];
        const double S_ab = data[a * K + b];
        numerator[j] = (s_bb * S_aa - (2.0 * s_ab) * S_ab) + s_aa * S_bb;
      } else {
        const double x_a = data[a];
        const double x_b = data[b];
        numerator[j] = ((x_a * x_a) * s_bb - (x_b * x_a) * (2.0 * s_ab)) + (x_b * x_b) * s_aa;
      }
    }
    for (std::uint64_t j = 0; j < count; ++j) {
      term[j] = std::log(det[j]);
    }
    for (std::uint64_t j = 0; j < count; ++j) {
      // Each pair's term is divided by the pair count before it joins the running sum.
      term[j] = (((term[j] + kTwoLogTwoPi) + numerator[j] / det[j]) * 0.5) / n;
    }
    for (std::uint64_t j = 0; j < count; ++j) {
      sum = term[j] + sum;
    }
  }
  nll[0] = sum;
}

}  // namespace volfilter
