// intvol_kernel with a constant and p = q = order, power 1 and power 2.
#include <memory>
#include <string>

#include "baselines/baselines.hpp"
#include "bench_support.hpp"
#include "floors.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

using Kernel = decltype(&intvol_kernel);

struct IntvolInputs {
  std::vector<double> data;
  std::vector<double> parameters;
  double backcast = 0.5;
  std::vector<double> ht;
  std::vector<double> feedback;  // for the floor: beta_1 .. beta_{q-1}, then the implied one

  IntvolInputs(std::uint64_t T, int order) : data(uniform(T, 0.0, 1.0, 16)), ht(T) {
    const auto n = static_cast<std::size_t>(order);
    parameters.push_back(0.01);
    parameters.insert(parameters.end(), n, 0.1 / order);
    parameters.insert(parameters.end(), n - 1, 0.8 / order);
    double implied = 1.0;
    for (std::size_t i = 1; i < parameters.size(); ++i) {
      implied = implied - parameters[i];
    }
    feedback.assign(parameters.begin() + 1 + order, parameters.end());
    feedback.push_back(implied);
  }
};

void add_variant(int power, int order) {
  const std::string variant = "power" + std::to_string(power) + "_order" + std::to_string(order);
  const auto run = [power, order](Kernel kernel) {
    return [power, order, kernel](IntvolInputs& in, std::uint64_t T) {
      kernel(in.data.data(), in.parameters.data(), &in.backcast, order, order, order, T, power, 1,
             in.ht.data());
    };
  };
  add_side_by_side<IntvolInputs>(
      "intvol", variant, order, run(&intvol_kernel), run(&baseline::intvol),
      [order](IntvolInputs& in, std::uint64_t T) {
        floors::linear(in.data.data(), in.feedback.data(), order, T, in.ht.data());
      });
}

}  // namespace

void add_intvol() {
  for (const int order : {1, 2, 5}) {
    for (const int power : {1, 2}) {
      add_variant(power, order);
    }
  }
}

}  // namespace volfilter::bench
