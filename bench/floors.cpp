#include "floors.hpp"

#include <array>
#include <cmath>
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

void logvol(const double* data, const double* independent, double omega, double alpha, int order,
            std::uint64_t T, double* out) {
  constexpr double mu = 0.797884560802865;
  const auto later_additions = static_cast<std::uint64_t>(3 * order - 1);
  double l = 0.0;
  for (std::uint64_t t = 0; t < T; ++t) {
    const double h = std::exp(l);
    const double z = data[t] / std::sqrt(h);
    double s = omega + (std::fabs(z) - mu) * alpha;
    for (std::uint64_t k = 0; k < later_additions; ++k) {
      s = s + independent[t + k];
    }
    l = s;
    out[t] = h;
  }
}

void shiftvol(const double* data, const double* independent, double omega, double alpha,
              double gamma, int order, std::uint64_t T, double* out) {
  const auto later_additions = static_cast<std::uint64_t>(2 * order - 1);
  double h = 1.0;
  for (std::uint64_t t = 0; t < T; ++t) {
    const double d = data[t] - gamma * std::sqrt(h);
    double s = omega + (d * d) * alpha;
    for (std::uint64_t k = 0; k < later_additions; ++k) {
      s = s + independent[t + k];
    }
    h = s;
    out[t] = h;
  }
}

void pairwise(const double* det, const double* numerator, std::uint64_t n, double* nll) {
  const auto count = static_cast<double>(n);
  double sum = 0.0;
  for (std::uint64_t i = 0; i < n; ++i) {
    sum = (std::log(det[i]) + numerator[i] / det[i]) / count + sum;
  }
  nll[0] = sum;
}

namespace {

// With the instruction set the simulation kernels' lanes take on this processor.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(_WIN32)
#define VOLFILTER_FLOOR_INLINE __attribute__((always_inline)) inline
#else
#define VOLFILTER_FLOOR_INLINE inline
#endif

VOLFILTER_FLOOR_INLINE void residuals_loop(const double* h, const double* z, std::uint64_t n,
                                           double* e, double* variance) {
  for (std::uint64_t i = 0; i < n; ++i) {
    e[i] = std::sqrt(h[i]) * z[i];
    variance[i] = h[i];
  }
}

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(_WIN32)
__attribute__((target("avx2"))) void residuals_avx2(const double* h, const double* z,
                                                    std::uint64_t n, double* e, double* variance) {
  residuals_loop(h, z, n, e, variance);
}
bool has_avx2() {
  __builtin_cpu_init();
  return static_cast<int>(__builtin_cpu_supports("avx2")) != 0;
}
#else
void residuals_avx2(const double* h, const double* z, std::uint64_t n, double* e,
                    double* variance) {
  residuals_loop(h, z, n, e, variance);
}
bool has_avx2() { return false; }
#endif

}  // namespace

void residuals(const double* h, const double* z, std::uint64_t n, double* e, double* variance) {
  if (has_avx2()) {
    residuals_avx2(h, z, n, e, variance);
  } else {
    residuals_loop(h, z, n, e, variance);
  }
}

}  // namespace volfilter::floors
