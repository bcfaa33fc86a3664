// logvol_filter: the calls every platform must answer alike. Its exp and log come from each
// platform's math library, so results may differ by one unit in the last place.
#include <cmath>
#include <cstdint>
#include <limits>

#include "call_table.hpp"

namespace volfilter::calls {

CallTable logvol_filter_calls() {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Value d = column({1, 2});
  const Value d3 = column({0.5, -1, 2});
  const Value p = column({0.1, 0.2, -0.1, 0.9});
  const Value one_lag = column({-0.05, 0.12, -0.06, 0.97});
  const Value two_lags = column({-0.04, 0.08, 0.04, -0.05, 0.6, 0.37});

  std::vector<Call> calls{
      // Bounds: the ceiling (finite, after overflow, none), the floor, both at one step.
      {"ceiling, finite", 1, {d, 5, 0, 100, 0, 0, 0, 1, 2}},
      {"ceiling after overflow", 1, {d, 800, 0, 100, 0, 0, 0, 1, 2}},
      {"no ceiling", 1, {d, 800, 0, inf, 0, 0, 0, 1, 2}},
      {"floor", 1, {d, -20, 0, 100, 0, 0, 0, 1, 2}},
      {"both bounds", 1, {d, 0, 20, 100, 0, 0, 0, 1, 2}},
      {"ceiling log fed back", 1, {column({1, 2, 3}), column({5, -0.5}), 0, 100, 0, 0, 1, 1, 3}},
      {"floor log fed back", 1, {column({1, 2, 3}), column({-20, -2}), 1.5, 100, 0, 0, 1, 1, 3}},
      {"three families", 1, {d3, p, 0, 100, 1, 1, 1, 1, 3}},
      {"two lags each",
       1,
       {column({-0.4, -1.4, -0.8, 1.1}), column({0.37, -0.46, 0.11, -0.46, 0.22, 0.9, 0.1}), 1, 100,
        2, 2, 2, 2, 4}},
      {"truncation and a row", 1, {row({1, 2}), 5, 0, 100, 0, 0, 0.7, 1.5, 2.9}},
      {"no output requested", 0, {d, 5, 0, 100, 0, 0, 0, 1, 2}},
      {"m equals T", 1, {column({3, -4}), empty(), 1.3862943611198906, empty(), 3, 3, 3, 2, 2}},
      {"empty sample", 1, {empty(), empty(), 0, empty(), 0, 0, 0, 0, 0}},
      {"negative m", 1, {empty(), empty(), 0, empty(), 0, 0, 0, -1, 3}},
      {"NaN in the data", 1, {column({0.5, nan, 1}), p, 0, 100, 1, 1, 1, 1, 3}},
      // Counts and refusals.
      {"one input", 1, {d}, "Nine inputs required."},
      {"two outputs", 2, {d, 5, 0, 100, 0, 0, 0, 1, 2}, "One output only."},
      {"negative p", 1, {d3, p, 0, 100, -1, 1, 1, 1, 3}, "Input p must not be negative."},
      {"m past T", 1, {d3, p, 0, 100, 1, 1, 1, 4, 3}, "Input m must not exceed T."},
      {"short data",
       1,
       {column({0.5, -1}), p, 0, 100, 1, 1, 1, 1, 3},
       "Input data must have at least 3 elements."},
      {"empty upper_bound",
       1,
       {d3, p, 0, empty(), 1, 1, 1, 1, 3},
       "Input upper_bound must have at least 1 element."},
      {"NaN T",
       1,
       {d3, p, 0, 100, 1, 1, 1, 1, nan},
       "Input T must be a finite number, not negative, below 2^64."},
      // Four arrays of 2^60 bytes each: each fits alone, not all four together.
      {"arrays too large together",
       1,
       {empty(), empty(), 0, empty(), 0, 0, 0, -1, std::ldexp(1.0, 57)},
       "The output is too large for the host."},
      {"character m",
       1,
       {d3, p, 0, 100, 1, 1, 1, of_class(ArrayClass::character, 49), 3},
       "Input m must be a real numeric scalar."},
  };
  // Long samples: every step takes an exponential, a square root and a logarithm.
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    const Value residuals = column(sequence(500, seed, -3.0, 3.0));
    calls.push_back({"long sample, orders 1, seed " + std::to_string(seed),
                     1,
                     {residuals, one_lag, 0.1, 1e4, 1, 1, 1, 1, 500}});
    calls.push_back({"long sample, orders 2 1 2, seed " + std::to_string(seed),
                     1,
                     {residuals, two_lags, -0.2, 1e4, 2, 1, 2, 2, 500}});
  }
  return {"logvol_filter", kWithinOneUlp, calls};
}

}  // namespace volfilter::calls
