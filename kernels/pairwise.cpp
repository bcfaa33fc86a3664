#include <algorithm>
#include <cmath>

#include "kernels.hpp"

namespace volfilter {

namespace {

// 2 ln(2 pi) as 3.67575413281869, i.e. rounded to 15 significant digits: the double with
// bits 0x400D67F1C864BEB2, two units in the last place below the double nearest to
// 2 ln(2 pi). Results are reproduced bit for bit with this value, so it stays.
constexpr double kTwoLogTwoPi = 0x1.D67F1C864BEB2p+1;

// Pairs per block (see pairwise_kernel); two blocks of values live on the stack.
constexpr std::uint64_t kBlock = 32;

// What a pair needs besides its logarithm.
struct Block {
  double det[kBlock];
  double numerator[kBlock];  // of the quadratic term, which is numerator / det
};

// Gathers the elements of pair i and forms the determinant of its 2-by-2 block and the
// numerator of the quadratic form x' inv(block) x (vector data) or trace(inv(block) S)
// (matrix data), by the adjugate. Every product is rounded before the next operation; for
// S = x x' both forms meet the same operands.
inline void prepare(const double* covariance, const double* data, const double* pairs,
                    std::uint64_t pair_count, std::uint64_t K, bool matrix_form, std::uint64_t i,
                    Block& block, std::uint64_t j) {
  // 1-based indices, truncated toward zero.
  const std::uint64_t a = static_cast<std::uint64_t>(pairs[i]) - 1;
  const std::uint64_t b = static_cast<std::uint64_t>(pairs[pair_count + i]) - 1;
  const double s_aa = covariance[a * (K + 1)];
  const double s_bb = covariance[b * (K + 1)];
  const double s_ab = covariance[a * K + b];
  block.det[j] = s_bb * s_aa - s_ab * s_ab;
  if (matrix_form) {
    const double S_aa = data[a * (K + 1)];
    const double S_bb = data[b * (K + 1)];
    const double S_ab = data[a * K + b];
    block.numerator[j] = (s_bb * S_aa - (2.0 * s_ab) * S_ab) + s_aa * S_bb;
  } else {
    const double x_a = data[a];
    const double x_b = data[b];
    block.numerator[j] = ((x_a * x_a) * s_bb - (x_b * x_a) * (2.0 * s_ab)) + (x_b * x_b) * s_aa;
  }
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

  // Pairs are independent but for the running sum, and the time of a pair is mostly its
  // logarithm, a library call. The pairs go a block at a time: while the logarithms of one
  // block are taken, back to back, the next block's elements are gathered in the slots the
  // calls leave idle; then the block's terms are formed and added to the sum in pair order.
  Block blocks[2];
  double log_det[kBlock];
  double sum = 0.0;
  std::uint64_t count = std::min(kBlock, pair_count);
  for (std::uint64_t j = 0; j < count; ++j) {
    prepare(covariance, data, pairs, pair_count, K, matrix_form, j, blocks[0], j);
  }
  for (std::uint64_t start = 0, current = 0; start < pair_count; start += count, current ^= 1) {
    count = std::min(kBlock, pair_count - start);
    const Block& block = blocks[current];
    Block& next = blocks[current ^ 1];
    const std::uint64_t next_start = start + count;
    const std::uint64_t next_count = std::min(kBlock, pair_count - next_start);
    for (std::uint64_t j = 0; j < count; ++j) {
      log_det[j] = std::log(block.det[j]);
      if (j < next_count) {
        prepare(covariance, data, pairs, pair_count, K, matrix_form, next_start + j, next, j);
      }
    }
    for (std::uint64_t j = 0; j < count; ++j) {
      // Each pair's term is divided by the pair count before it joins the running sum.
      const double quadratic = block.numerator[j] / block.det[j];
      const double term = (((log_det[j] + kTwoLogTwoPi) + quadratic) * 0.5) / n;
      sum = term + sum;
    }
  }
  nll[0] = sum;
}

}  // namespace volfilter
