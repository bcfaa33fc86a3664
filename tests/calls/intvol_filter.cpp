// intvol_filter: the calls every platform must answer with the same bits.
#include <cmath>
#include <limits>

#include "call_table.hpp"

namespace volfilter::calls {

CallTable intvol_filter_calls() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double x = 1 + 0x1p-30;
  const Value d = column({4, 8, nan});
  const Value params = column({0.5, 0.25});
  std::vector<Call> calls{
      {"power 2", 1, {d, params, 2, 1, 1, 1, 3, 2, 1}},
      {"power 1", 1, {d, params, 2, 1, 1, 1, 3, 1, 1}},
      {"no constant", 1, {d, 0.25, 2, 1, 1, 1, 3, 2, 0}},
      {"has_constant 2", 1, {d, column({0.5, nan, 0.25}), 2, 1, 1, 1, 3, 2, 2}},
      {"no fused multiply-add", 1, {column({x, nan}), column({-1, x}), 0, 1, 1, 1, 2, 2, 1}},
      {"power 1 from m", 1, {column({1, 1, 1}), params, -3, 1, 1, 2, 4, 1, 1}},
      {"type 1.9", 1, {d, params, 2, 1, 1, 1, 3, 1.9, 1}},
      {"rows", 1, {row({4, 8}), row({0.5, 0.25}), 2, 1, 1, 1, 3, 2, 1}},
      {"no output requested", 0, {d, params, 2, 1, 1, 1, 3, 2, 1}},
      {"m equals T", 1, {empty(), empty(), 4, 5, 3, 3, 3, 1, 1}},
      {"empty sample", 1, {empty(), empty(), empty(), 1, 1, 0, 0, 1, 1}},
      {"one input", 1, {d}, "Nine inputs required."},
      {"two outputs", 2, {d, params, 2, 1, 1, 1, 3, 2, 1}, "One output only."},
      {"q of 0", 1, {d, params, 2, 1, 0, 1, 3, 2, 1}, "Input q must be at least 1."},
      {"negative has_constant",
       1,
       {d, params, 2, 1, 1, 1, 3, 2, -1},
       "Input has_constant must not be negative."},
      {"short parameters",
       1,
       {d, params, 2, 1, 1, 1, 3, 2, 2},
       "Input parameters must have at least 3 elements."},
      // p = 0, q = 1, m = 1: the recursion reads no data and would write T entries.
      {"output too large for the host",
       1,
       {empty(), column({0.1}), 1, 0, 1, 1, std::ldexp(1.0, 62), 2, 1},
       "The output is too large for the host."},
      {"struct has_constant",
       1,
       {d, params, 2, 1, 1, 1, 3, 2, of_class(ArrayClass::structure, 1)},
       "Input has_constant must be a real numeric scalar."},
      {"function handle p",
       1,
       {d, params, 2, of_class(ArrayClass::function_handle, 1), 1, 1, 3, 2, 1},
       "Input p must be a real numeric scalar."},
  };
  const std::vector<double> returns = sequence(400, 77, -2.0, 2.0);
  std::vector<double> squares;
  std::vector<double> magnitudes;
  for (const double r : returns) {
    squares.push_back(r * r);
    magnitudes.push_back(std::fabs(r));
  }
  calls.push_back({"long sample, power 2",
                   1,
                   {column(squares), column({0.02, 0.05, 0.03, 0.5}), 1.1, 2, 2, 2, 400, 2, 1}});
  calls.push_back({"long sample, power 1, no constant",
                   1,
                   {column(magnitudes), column({0.05, 0.03, 0.5}), 0.9, 2, 2, 2, 400, 1, 0}});
  return {"intvol_filter", kBitIdentical, calls};
}

}  // namespace volfilter::calls
