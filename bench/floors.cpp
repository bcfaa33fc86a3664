#include "floors.hpp"

#include <array>
#include <cstddef>

namespace volfilter::floors {

namespace {

template <std::size_t Order>
void linear_of_order(const double* independent, const double* coefficient, std::uint64_t T,
                     double* out) {
  std::array<double, Order> b{};
  std::array<double, Order> lag{};  // lag[k]: s[t-1-k]
  for (std::size_t k = 0; k < Order; ++k) {
    b[k] = coefficient[k];
  }
  for (std::uint64_t t = 0; t < T; ++t) {
    double s = independent[t];
    for (std::size_t k = 0; k < Order; ++k) {
      s = s + lag[k] * b[k];
    }
    for (std::size_t k = Order - 1; k > 0; --k) {
      lag[k] = lag[k - 1];
    }
    lag[0] = s;
    out[t] = s;
  }
}

}  // namespace

void linear(const double* independent, const double* coefficient, int order, std::uint64_t T,
            double* out) {
  using Floor = void (*)(const double*, const double*, std::uint64_t, double*);
  constexpr std::array<Floor, 8> floors{
      &linear_of_order<1>, &linear_of_order<2>, &linear_of_order<3>, &linear_of_order<4>,
      &linear_of_order<5>, &linear_of_order<6>, &linear_of_order<7>, &linear_of_order<8>};
  floors[static_cast<std::size_t>(order - 1)](independent, coefficient, T, out);
}

}  // namespace volfilter::floors
