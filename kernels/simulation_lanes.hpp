// The lanes shared by the simulation kernels: N paths run a block at a time, one path to a
// lane, over tiles of steps transposed so that the lanes of one step lie side by side.
//
// A model supplies a Family with
//   - run_history(e): its filter over one column of the history, into the family's series;
//   - template <std::size_t W> class Lanes, constructed from the family, with load(lane) (the lags
//     of the last history run into one lane) and step(z, e, ht) (one step of every lane: z
//     in, e and ht out, each W values of one tile row).
// A step is written as plain loops over the lanes, one lane's arithmetic exactly that of one
// path alone, which the compiler turns into vector instructions: additions, products,
// quotients, square roots and selects are the same operations in a vector lane as on their
// own, so every path has the same bits however many run beside it. Nothing here contracts
// or reorders an operation (the kernels are compiled without contraction or fast-math).
//
// The lanes' instruction set is chosen once a call: AVX2 where the processor and the build
// have it (GCC or clang on x86-64 outside Windows, where GCC cannot keep the 32-byte stack
// alignment that AVX spills assume), else the target's baseline. Every function that a
// step runs in is forced inline, so that each instruction set compiles its own copy.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "kernels.hpp"

#if defined(__GNUC__) || defined(__clang__)
#define VOLFILTER_LANE_INLINE __attribute__((always_inline)) inline
#else
#define VOLFILTER_LANE_INLINE inline
#endif

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(_WIN32)
#define VOLFILTER_AVX2_LANES 1
#else
#define VOLFILTER_AVX2_LANES 0
#endif

// The transposes use the compilers' vector types and shuffles where they have them.
#if defined(__clang__) || (defined(__GNUC__) && __GNUC__ >= 12)
#define VOLFILTER_VECTOR_TRANSPOSE 1
#else
#define VOLFILTER_VECTOR_TRANSPOSE 0
#endif

namespace volfilter::detail {

// Paths in a block; a lone last path runs in a block of one.
inline constexpr std::size_t kBlockLanes = 16;
// Steps in a tile: the innovations, residuals and variances of a tile of a block take
// 3 * 16 * 16 doubles, well within the first-level cache.
inline constexpr std::size_t kTileSteps = 16;

// The columns of one block's paths. Lanes past the last path repeat the block's first one:
// they do the same arithmetic and write the same bits to the same place.
template <std::size_t W>
struct LaneColumns {
  const double* z[W];
  double* e[W];
  double* ht[W];
  std::uint64_t path[W];
};

template <std::size_t W>
VOLFILTER_LANE_INLINE LaneColumns<W> lane_columns(const SimulationPaths& paths,
                                                  std::uint64_t first) {
  LaneColumns<W> columns{};
  for (std::size_t lane = 0; lane < W; ++lane) {
    const std::uint64_t path = first + lane;
    const std::uint64_t column = path < paths.N ? path : first;
    columns.z[lane] = paths.z + column * paths.T;
    columns.e[lane] = paths.e + column * paths.T;
    columns.ht[lane] = paths.ht + column * paths.T;
    columns.path[lane] = column;
  }
  return columns;
}

// to[k][i] = from[i][k] for i, k < V: V runs of V consecutive values, transposed.
template <std::size_t V>
VOLFILTER_LANE_INLINE void transpose(const double* const (&from)[V], double* const (&to)[V]) {
#if VOLFILTER_VECTOR_TRANSPOSE
  if constexpr (V == 2) {
    using Vector = double __attribute__((vector_size(16)));
    Vector a;
    Vector b;
    std::memcpy(&a, from[0], sizeof a);
    std::memcpy(&b, from[1], sizeof b);
    const Vector first = __builtin_shufflevector(a, b, 0, 2);
    const Vector second = __builtin_shufflevector(a, b, 1, 3);
    std::memcpy(to[0], &first, sizeof first);
    std::memcpy(to[1], &second, sizeof second);
    return;
  } else if constexpr (V == 4) {
    using Vector = double __attribute__((vector_size(32)));
    Vector a;
    Vector b;
    Vector c;
    Vector d;
    std::memcpy(&a, from[0], sizeof a);
    std::memcpy(&b, from[1], sizeof b);
    std::memcpy(&c, from[2], sizeof c);
    std::memcpy(&d, from[3], sizeof d);
    const Vector ab_even = __builtin_shufflevector(a, b, 0, 4, 2, 6);  // a0 b0 a2 b2
    const Vector ab_odd = __builtin_shufflevector(a, b, 1, 5, 3, 7);   // a1 b1 a3 b3
    const Vector cd_even = __builtin_shufflevector(c, d, 0, 4, 2, 6);
    const Vector cd_odd = __builtin_shufflevector(c, d, 1, 5, 3, 7);
    const Vector row0 = __builtin_shufflevector(ab_even, cd_even, 0, 1, 4, 5);
    const Vector row1 = __builtin_shufflevector(ab_odd, cd_odd, 0, 1, 4, 5);
    const Vector row2 = __builtin_shufflevector(ab_even, cd_even, 2, 3, 6, 7);
    const Vector row3 = __builtin_shufflevector(ab_odd, cd_odd, 2, 3, 6, 7);
    std::memcpy(to[0], &row0, sizeof row0);
    std::memcpy(to[1], &row1, sizeof row1);
    std::memcpy(to[2], &row2, sizeof row2);
    std::memcpy(to[3], &row3, sizeof row3);
    return;
  }
#endif
  for (std::size_t k = 0; k < V; ++k) {
    for (std::size_t i = 0; i < V; ++i) {
      to[k][i] = from[i][k];
    }
  }
}

// Steps t0 .. t0 + n - 1 between the lanes' columns and a tile (row k, lane l at
// k * W + l): from the columns into the tile (kIntoTile), or back. Full tiles go V by V
// through the transposes.
template <std::size_t V, std::size_t W, bool kIntoTile, class Column, class Tile>
VOLFILTER_LANE_INLINE void move_tile(Column* const (&columns)[W], std::uint64_t t0, std::size_t n,
                                     Tile* tile) {
  const auto column_at = [&](std::size_t lane, std::size_t k) { return columns[lane] + t0 + k; };
  const auto tile_at = [&](std::size_t lane, std::size_t k) { return tile + k * W + lane; };
  if constexpr (W % V == 0 && V > 1) {
    if (n == kTileSteps) {
      for (std::size_t lane = 0; lane < W; lane += V) {
        for (std::size_t k = 0; k < kTileSteps; k += V) {
          const double* from[V];
          double* to[V];
          for (std::size_t i = 0; i < V; ++i) {
            if constexpr (kIntoTile) {
              from[i] = column_at(lane + i, k);
              to[i] = tile_at(lane, k + i);
            } else {
              from[i] = tile_at(lane, k + i);
              to[i] = column_at(lane + i, k);
            }
          }
          transpose<V>(from, to);
        }
      }
      return;
    }
  }
  for (std::size_t lane = 0; lane < W; ++lane) {
    for (std::size_t k = 0; k < n; ++k) {
      if constexpr (kIntoTile) {
        *tile_at(lane, k) = *column_at(lane, k);
      } else {
        *column_at(lane, k) = *tile_at(lane, k);
      }
    }
  }
}

// One block of W paths from `first`: each lane's history, then the steps, tile by tile.
template <std::size_t V, std::size_t W, class Family>
VOLFILTER_LANE_INLINE void run_block(const Family& family, const SimulationPaths& paths,
                                     const SimulationHistory& history, std::uint64_t first) {
  const LaneColumns<W> columns = lane_columns<W>(paths, first);
  typename Family::template Lanes<W> lanes(family);
  for (std::size_t lane = 0; lane < W; ++lane) {
    if (history.columns != 1) {
      family.run_history(history.e + columns.path[lane] * history.rows);
    }
    lanes.load(lane);
  }
  alignas(64) double z[kTileSteps * W];
  alignas(64) double e[kTileSteps * W];
  alignas(64) double ht[kTileSteps * W];
  for (std::uint64_t t0 = 0; t0 < paths.T; t0 += kTileSteps) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kTileSteps, paths.T - t0));
    move_tile<V, W, true>(columns.z, t0, n, z);
    for (std::size_t k = 0; k < n; ++k) {
      lanes.step(z + k * W, e + k * W, ht + k * W);
    }
    move_tile<V, W, false>(columns.e, t0, n, static_cast<const double*>(e));
    move_tile<V, W, false>(columns.ht, t0, n, static_cast<const double*>(ht));
  }
}

// Every path: blocks of kBlockLanes (the last one filled up with repeats of its first path
// when two or more paths are left for it), and a lone last path on its own.
template <std::size_t V, class Family>
VOLFILTER_LANE_INLINE void run_blocks(const Family& family, const SimulationPaths& paths,
                                      const SimulationHistory& history) {
  std::uint64_t first = 0;
  for (; paths.N - first >= 2; first += std::min<std::uint64_t>(kBlockLanes, paths.N - first)) {
    run_block<V, kBlockLanes>(family, paths, history, first);
  }
  if (first < paths.N) {
    run_block<V, 1>(family, paths, history, first);
  }
}

template <class Family>
void run_blocks_baseline(const Family& family, const SimulationPaths& paths,
                         const SimulationHistory& history) {
  run_blocks<2>(family, paths, history);
}

#if VOLFILTER_AVX2_LANES
template <class Family>
__attribute__((target("avx2"))) void run_blocks_avx2(const Family& family,
                                                     const SimulationPaths& paths,
                                                     const SimulationHistory& history) {
  run_blocks<4>(family, paths, history);
}
#endif

// Whether the AVX2 lanes run for a call that asks for `instruction_set`.
bool avx2_lanes(SimulationLanes instruction_set);

// A model's paths: nothing without steps to take; a history shared by every path filtered
// once, one a path filtered as its block starts.
template <class Family>
void run_paths(const Family& family, const SimulationPaths& paths, const SimulationHistory& history,
               SimulationLanes instruction_set) {
  if (paths.T == 0 || paths.N == 0) {
    return;
  }
  if (history.columns == 1) {
    family.run_history(history.e);
  }
#if VOLFILTER_AVX2_LANES
  if (avx2_lanes(instruction_set)) {
    run_blocks_avx2(family, paths, history);
    return;
  }
#else
  static_cast<void>(instruction_set);  // one instruction set only
#endif
  run_blocks_baseline(family, paths, history);
}

// A model's paths with the lanes of `Family`, a model's simulation with its Lanes (see the
// top of this file).
template <class Family, class Simulation>
void run_family(const Simulation& simulation, const SimulationPaths& paths,
                const SimulationHistory& history, SimulationLanes instruction_set) {
  run_paths(Family{simulation}, paths, history, instruction_set);
}

// Slots of a ring that holds lags 1 .. largest_lag of a series and the value being formed:
// the least power of two above largest_lag.
std::uint64_t ring_slots(std::int32_t largest_lag);

// The lanes' scratch of `rings` such rings of a block: the lane_values of a simulation
// kernel's scratch at general orders.
inline std::uint64_t ring_values(std::uint64_t rings, std::int32_t largest_lag) {
  return rings * ring_slots(largest_lag) * kBlockLanes;
}

// The lagged values of one series at orders above 1: slot (g mod slots) of lane l at
// (slot * kBlockLanes + l), g the step's index counted from the start of the history.
class LaneRing {
 public:
  LaneRing() = default;
  // Series `series` of the rings laid one after the other in `lanes`.
  LaneRing(double* lanes, std::uint64_t slots, std::uint64_t series)
      : values_(lanes + series * slots * kBlockLanes), mask_(slots - 1) {}

  [[nodiscard]] VOLFILTER_LANE_INLINE double* at(std::uint64_t g) const {
    return values_ + (g & mask_) * kBlockLanes;
  }

 private:
  double* values_ = nullptr;
  std::uint64_t mask_ = 0;
};

// The rings of a model's kSeries fed-back series, one after the other in the lanes' scratch,
// and the index g of the step being taken (the first step's is the history's rows).
template <std::size_t kSeries>
class LaneRings {
 public:
  LaneRings(double* lanes, std::uint64_t slots, std::uint64_t rows) : g_(rows) {
    for (std::size_t s = 0; s < kSeries; ++s) {
      rings_[s] = LaneRing(lanes, slots, s);
    }
  }

  // Lags 1 .. largest of every series into one lane, from the history's series as the
  // filter left them (`rows` values each).
  void load(std::size_t lane, const double* const (&series)[kSeries], std::uint64_t rows,
            std::uint64_t largest) {
    for (std::uint64_t k = 1; k <= largest; ++k) {
      for (std::size_t s = 0; s < kSeries; ++s) {
        rings_[s].at(g_ - k)[lane] = series[s][rows - k];
      }
    }
  }

  // sum = constant, then for each series in order, lag 1 first, each product of a lag and
  // its coefficient: the recursion's sum in the filter's order, in every lane.
  template <std::size_t W, std::size_t kFamilies>
  VOLFILTER_LANE_INLINE void sum(double (&sum)[W], double constant,
                                 const double* const (&coefficients)[kFamilies],
                                 const std::int32_t (&counts)[kFamilies]) const {
    for (std::size_t l = 0; l < W; ++l) {
      sum[l] = constant;
    }
    for (std::size_t s = 0; s < kFamilies; ++s) {
      for (std::int32_t i = 0; i < counts[s]; ++i) {
        const double* lagged = lag(s, 1 + static_cast<std::uint64_t>(i));
        const double coefficient = coefficients[s][i];
        for (std::size_t l = 0; l < W; ++l) {
          sum[l] = sum[l] + lagged[l] * coefficient;
        }
      }
    }
  }

  [[nodiscard]] VOLFILTER_LANE_INLINE double* lag(std::size_t series, std::uint64_t k) const {
    return rings_[series].at(g_ - k);
  }
  // The slots of the step being taken, and the move to the next step.
  [[nodiscard]] VOLFILTER_LANE_INLINE double* now(std::size_t series) const {
    return rings_[series].at(g_);
  }
  VOLFILTER_LANE_INLINE void advance() { ++g_; }

 private:
  LaneRing rings_[kSeries];
  std::uint64_t g_;
};

}  // namespace volfilter::detail
