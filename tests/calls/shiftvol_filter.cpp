// shiftvol_filter: the calls every platform must answer with the same bits.
#include <cmath>
#include <cstdint>
#include <limits>

#include "call_table.hpp"

namespace volfilter::calls {

CallTable shiftvol_filter_calls() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double x = 1 + 0x1p-30;
  const Value d = column({nan, 1, -1});
  const Value params = column({0.1, 0.1, 0.5, 0.8});
  const Value long_params = column({0.05, 0.06, 0.04, 0.3, 0.5, 0.35});
  std::vector<Call> calls{
      {"constant shift", 1, {d, params, 1, 1, 1, 1, 3, 1}},
      {"scaled shift", 1, {d, params, 1, 1, 1, 1, 3, 0}},
      {"type 1.7", 1, {d, params, 1, 1, 1, 1, 3, 1.7}},
      {"type -1", 1, {d, params, 1, 1, 1, 1, 3, -1}},
      {"pre-sample, constant", 1, {column({nan, 0}), column({0, 1, 0.1}), 3, 1, 0, 1, 2, 1}},
      {"pre-sample, scaled", 1, {column({nan, 0}), column({0, 1, 0.1}), 3, 1, 0, 1, 2, 0}},
      {"no fused multiply-add", 1, {column({nan, 0}), column({-1, 0, x}), x, 0, 1, 1, 2, 1}},
      {"no output requested", 0, {d, params, 1, 1, 1, 1, 3, 1}},
      {"m equals T", 1, {empty(), column({nan, nan, 0.5}), 2, 1, 5, 3, 3, 0}},
      {"empty sample", 1, {empty(), column({0, 0.5}), empty(), 0, 0, 0, 0, 1}},
      {"one input", 1, {d}, "Eight inputs required."},
      {"two outputs", 2, {d, params, 1, 1, 1, 1, 3, 1}, "One output only."},
      {"negative p", 1, {d, params, 1, -1, 1, 1, 3, 1}, "Input p must not be negative."},
      {"m past T", 1, {d, params, 1, 1, 1, 4, 3, 1}, "Input m must not exceed T."},
      {"short data",
       1,
       {column({nan, 1}), params, 1, 1, 1, 1, 3, 1},
       "Input data must have at least 3 elements."},
      {"infinite type",
       1,
       {d, params, 1, 1, 1, 1, 3, std::numeric_limits<double>::infinity()},
       "Input type must be a finite number within the range of a 32-bit integer."},
      // Two arrays of 2^61 bytes each: each fits alone, not both together.
      {"arrays too large together",
       1,
       {empty(), column({0.1, 0.2}), empty(), 0, 0, -1, std::ldexp(1.0, 58), 1},
       "The output is too large for the host."},
      {"cell type",
       1,
       {d, params, 1, 1, 1, 1, 3, of_class(ArrayClass::cell, 1)},
       "Input type must be a real numeric scalar."},
  };
  for (std::uint32_t seed = 1; seed <= 2; ++seed) {
    const Value returns = column(sequence(400, seed, -2.0, 2.0));
    for (const double type : {0.0, 1.0}) {
      calls.push_back({"long sample, seed " + std::to_string(seed) + ", type " +
                           std::to_string(static_cast<int>(type)),
                       1,
                       {returns, long_params, 0.8, 2, 2, 2, 400, type}});
    }
  }
  return {"shiftvol_filter", kBitIdentical, calls};
}

}  // namespace volfilter::calls
