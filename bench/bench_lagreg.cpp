// lagreg_kernel with a constant, autoregressive lags 1..order, one regressor and
// moving-average lags 1..order.
#include <memory>
#include <string>

#include "baselines/baselines.hpp"
#include "bench_support.hpp"
#include "floors.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

using Kernel = decltype(&lagreg_kernel);

struct LagregInputs {
  std::vector<double> parameters;
  std::vector<double> ar_lags;
  std::vector<double> ma_lags;
  std::vector<double> y;
  std::vector<double> x;
  std::vector<double> sigma;
  std::vector<double> residuals;
  std::vector<double> ma_negated;  // for the floor: -psi, added

  LagregInputs(std::uint64_t T, int order)
      : y(uniform(T, -1.0, 1.0, 3)),
        x(uniform(T, -1.0, 1.0, 4)),
        sigma(uniform(T, 0.5, 1.5, 5)),
        residuals(T) {
    parameters.push_back(0.01);
    for (int j = 1; j <= order; ++j) {
      ar_lags.push_back(j);
      parameters.push_back(0.3 / order);
    }
    parameters.push_back(0.5);
    for (int j = 1; j <= order; ++j) {
      ma_lags.push_back(j);
      parameters.push_back(0.3 / order);
      ma_negated.push_back(-0.3 / order);
    }
  }
};

void add_variant(int order) {
  const auto run = [order](Kernel kernel) {
    return [order, kernel](LagregInputs& in, std::uint64_t T) {
      kernel(in.parameters.data(), in.ar_lags.data(), in.ma_lags.data(), 1, order, order,
             in.y.data(), in.x.data(), static_cast<std::uint64_t>(order), T, 1, in.sigma.data(),
             in.residuals.data());
    };
  };
  add_side_by_side<LagregInputs>(
      "lagreg", "order" + std::to_string(order), order, run(&lagreg_kernel), run(&baseline::lagreg),
      [order](LagregInputs& in, std::uint64_t T) {
        floors::linear(in.y.data(), in.ma_negated.data(), order, T, in.residuals.data());
      });
}

}  // namespace

void add_lagreg() {
  for (const int order : {1, 2, 5}) {
    add_variant(order);
  }
}

}  // namespace volfilter::bench
