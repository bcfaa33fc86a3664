// logvol_kernel with p = o = q = order.
#include <memory>
#include <string>

#include "baselines/baselines.hpp"
#include "bench_support.hpp"
#include "floors.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

struct LogvolInputs {
  std::vector<double> data;
  std::vector<double> parameters;
  double backcast = 0.0;
  double upper_bound = 1e6;
  std::vector<double> ht;
  std::vector<double> log_ht;
  std::vector<double> std_data;
  std::vector<double> centered_abs_std;
  std::vector<double> independent;  // for the floor

  LogvolInputs(std::uint64_t T, int order)
      : data(uniform(T, -2.0, 2.0, 12)),
        ht(T),
        log_ht(T),
        std_data(T),
        centered_abs_std(T),
        independent(uniform(T + 3 * static_cast<std::uint64_t>(order), -0.01, 0.01, 13)) {
    const auto n = static_cast<std::size_t>(order);
    parameters.push_back(0.0);
    parameters.insert(parameters.end(), n, 0.1 / order);
    parameters.insert(parameters.end(), n, -0.05 / order);
    parameters.insert(parameters.end(), n, 0.95 / order);
  }
};

void add_variant(int order) {
  add_side_by_side<LogvolInputs>(
      "logvol", "order" + std::to_string(order), order,
      [order](LogvolInputs& in, std::uint64_t T) {
        logvol_kernel(in.data.data(), in.parameters.data(), &in.backcast, &in.upper_bound, order,
                      order, order, order, T, in.ht.data(), in.log_ht.data(), in.std_data.data(),
                      in.centered_abs_std.data());
      },
      [order](LogvolInputs& in, std::uint64_t T) {
        baseline::logvol(in.data.data(), in.parameters.data(), &in.backcast, &in.upper_bound, order,
                         order, order, order, T, in.ht.data(), in.log_ht.data(), in.std_data.data(),
                         in.centered_abs_std.data(), &standard_is_infinite);
      },
      [order](LogvolInputs& in, std::uint64_t T) {
        floors::logvol(in.data.data(), in.independent.data(), in.parameters[0], in.parameters[1],
                       order, T, in.ht.data());
      });
}

}  // namespace

void add_logvol() {
  for (const int order : {1, 2, 5}) {
    add_variant(order);
  }
}

}  // namespace volfilter::bench
