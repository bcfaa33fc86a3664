// threshvol_kernel with p = o = q = order, power 1 and power 2.
#include <memory>
#include <string>

#include "baselines/baselines.hpp"
#include "bench_support.hpp"
#include "floors.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

using Kernel = decltype(&threshvol_kernel);

struct ThreshvolInputs {
  std::vector<double> data;
  std::vector<double> asym_data;
  std::vector<double> parameters;
  double backcast = 0.5;
  std::vector<double> ht;

  ThreshvolInputs(std::uint64_t T, int order)
      : data(uniform(T, 0.0, 1.0, 1)), asym_data(uniform(T, 0.0, 1.0, 2)), ht(T) {
    // Half the asymmetric terms are zero, as for innovations of either sign.
    for (std::uint64_t t = 0; t < T; ++t) {
      asym_data[t] = t % 2 == 0 ? data[t] : 0.0;
    }
    // A stationary recursion: the coefficients sum to 0.95.
    parameters.push_back(0.05);
    parameters.insert(parameters.end(), static_cast<std::size_t>(order), 0.05 / order);
    parameters.insert(parameters.end(), static_cast<std::size_t>(order), 0.05 / order);
    parameters.insert(parameters.end(), static_cast<std::size_t>(order), 0.85 / order);
  }
};

void add_variant(int power, int order) {
  const std::string variant = "power" + std::to_string(power) + "_order" + std::to_string(order);
  const auto run = [power, order](Kernel kernel) {
    return [power, order, kernel](ThreshvolInputs& in, std::uint64_t T) {
      kernel(in.data.data(), in.asym_data.data(), in.parameters.data(), &in.backcast, order, order,
             order, order, T, power, in.ht.data());
    };
  };
  // The chain is the output lags alone: beta_1 .. beta_q after the constant, alpha, gamma.
  const std::size_t beta = 1 + 2 * static_cast<std::size_t>(order);
  add_side_by_side<ThreshvolInputs>(
      "threshvol", variant, order, run(&threshvol_kernel), run(&baseline::threshvol),
      [order, beta](ThreshvolInputs& in, std::uint64_t T) {
        floors::linear(in.data.data(), &in.parameters[beta], order, T, in.ht.data());
      });
}

}  // namespace

void add_threshvol() {
  for (const int order : {1, 2, 5}) {
    for (const int power : {1, 2}) {
      add_variant(power, order);
    }
  }
}

}  // namespace volfilter::bench
