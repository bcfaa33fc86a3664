// Shared by the general loops whose coefficient count may be a template argument.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace volfilter::detail {

// The coefficients of one family of lags. When their count Q is a template argument
// (Q > 0), they are copied into an array of Q values at the start, so that a loop over
// them unrolls with each one in a register; otherwise (Q <= 0, count known only at run
// time) they are read from the parameters as the loop goes.
template <int Q>
class ListedCoefficients {
 public:
  explicit ListedCoefficients(const double* values) : values_(values) {
    if constexpr (Q > 0) {
      for (std::size_t k = 0; k < kListed; ++k) {
        listed_[k] = values[k];
      }
    }
  }

  double operator[](std::int32_t k) const {
    if constexpr (Q > 0) {
      return listed_[static_cast<std::size_t>(k)];
    } else {
      return values_[k];
    }
  }

 private:
  static constexpr auto kListed = static_cast<std::size_t>(std::max(Q, 1));
  std::array<double, kListed> listed_{};
  const double* values_;
};

}  // namespace volfilter::detail
