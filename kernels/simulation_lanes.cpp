#include "simulation_lanes.hpp"

namespace volfilter {

namespace {

bool processor_has_avx2() {
#if VOLFILTER_AVX2_LANES
  // Also tells whether the operating system saves the AVX registers.
  __builtin_cpu_init();
  return static_cast<int>(__builtin_cpu_supports("avx2")) != 0;
#else
  return false;
#endif
}

}  // namespace

bool simulation_lanes_available(SimulationLanes lanes) {
  return lanes != SimulationLanes::avx2 || processor_has_avx2();
}

namespace detail {

bool avx2_lanes(SimulationLanes instruction_set) {
  return instruction_set != SimulationLanes::baseline && processor_has_avx2();
}

std::uint64_t ring_slots(std::int32_t largest_lag) {
  const auto largest = static_cast<std::uint64_t>(std::max(largest_lag, 0));
  std::uint64_t slots = 1;
  while (slots <= largest) {
    slots *= 2;
  }
  return slots;
}

}  // namespace detail

}  // namespace volfilter
