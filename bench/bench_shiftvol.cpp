// shiftvol_kernel with p = q = order, constant and scaled shift.
#include <memory>
#include <string>

#include "baselines/baselines.hpp"
#include "bench_support.hpp"
#include "floors.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

using Kernel = decltype(&shiftvol_kernel);

struct ShiftvolInputs {
  std::vector<double> data;
  std::vector<double> parameters;
  double backcast = 1.0;
  std::vector<double> ht;
  std::vector<double> shifted_sq;
  std::vector<double> independent;  // for the floors

  ShiftvolInputs(std::uint64_t T, int order)
      : data(uniform(T, -2.0, 2.0, 14)),
        ht(T),
        shifted_sq(T),
        independent(uniform(T + 2 * static_cast<std::uint64_t>(order), 0.0, 0.05, 15)) {
    const auto n = static_cast<std::size_t>(order);
    parameters.push_back(0.05);
    parameters.insert(parameters.end(), n, 0.1 / order);
    parameters.push_back(0.2);
    parameters.insert(parameters.end(), n, 0.8 / order);
  }
};

void add_variant(int type, int order) {
  const std::string variant =
      std::string(type == 1 ? "constant" : "scaled") + "_order" + std::to_string(order);
  const auto run = [type, order](Kernel kernel) {
    return [type, order, kernel](ShiftvolInputs& in, std::uint64_t T) {
      kernel(in.data.data(), in.parameters.data(), &in.backcast, order, order, order, T, type,
             in.ht.data(), in.shifted_sq.data());
    };
  };
  add_side_by_side<ShiftvolInputs>(
      "shiftvol", variant, order, run(&shiftvol_kernel), run(&baseline::shiftvol),
      [type, order](ShiftvolInputs& in, std::uint64_t T) {
        // The constant shift feeds nothing back through the shifted squares: the chain is
        // the variance lags alone, a linear recursion.
        if (type == 1) {
          floors::linear(in.independent.data(), in.parameters.data() + order + 2, order, T,
                         in.ht.data());
        } else {
          floors::shiftvol(in.data.data(), in.independent.data(), in.parameters[0],
                           in.parameters[1], in.parameters[static_cast<std::size_t>(order) + 1],
                           order, T, in.ht.data());
        }
      });
}

}  // namespace

void add_shiftvol() {
  for (const int order : {1, 2, 5}) {
    for (const int type : {1, 0}) {
      add_variant(type, order);
    }
  }
}

}  // namespace volfilter::bench
