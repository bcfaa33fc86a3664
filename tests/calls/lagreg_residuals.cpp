// lagreg_residuals: the calls every platform must answer with the same bits.
#include <cmath>
#include <cstdint>
#include <limits>

#include "call_table.hpp"

namespace volfilter::calls {

CallTable lagreg_residuals_calls() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Value params = column({0.5, 0.5});
  const Value y4 = column({1, 2, 3, 4});
  const Value ones4 = column({1, 1, 1, 1});
  std::vector<Call> calls{
      {"constant and AR", 1, {params, 1, empty(), 1, y4, empty(), 1, ones4}},
      {"unscaled MA feedback",
       1,
       {0.5, empty(), 1, 0, column({1, 2, 3}), empty(), 1, column({1, 2, 2})}},
      {"duplicate lags",
       1,
       {column({0.5, 0.25}), column({1, 1}), empty(), 0, column({2, 4, 8}), empty(), 1,
        column({1, 1, 1})}},
      {"lag 2.9",
       1,
       {1, 2.9, empty(), 0, column({1, 10, 100, 1000, 10000}), empty(), 3,
        column({1, 1, 1, 1, 1})}},
      {"data row", 1, {empty(), empty(), empty(), 0, row({5, 6, 7}), empty(), 0, 2}},
      {"regressors with stride T",
       1,
       {column({1, 10}), empty(), empty(), 0, column({100, 200, 300}),
        matrix(5, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 0, column({1, 1, 1})}},
      {"zero scale", 1, {0.5, empty(), 1, 0, column({1, 2, 3}), empty(), 1, column({1, 0, 1})}},
      {"m equals T",
       1,
       {empty(), column({nan, 0}), empty(), 1, column({1, 2, 3}), empty(), 3, empty()}},
      {"empty sample", 1, {empty(), empty(), empty(), 0, empty(0, 1), empty(), 0, empty()}},
      {"seven inputs",
       1,
       {0.5, empty(), 1, 0, column({1, 2, 3}), empty(), 1},
       "Eight inputs required."},
      {"no output", 0, {params, 1, empty(), 1, y4, empty(), 1, ones4}, "One output only."},
      {"two outputs", 2, {params, 1, empty(), 1, y4, empty(), 1, ones4}, "One output only."},
      {"constant 2",
       1,
       {params, 1, empty(), 2, y4, empty(), 1, ones4},
       "Input constant must be 0 or 1."},
      {"lag past m",
       1,
       {params, 2, empty(), 1, y4, empty(), 1, ones4},
       "Input ar_lags must hold lags from 1 to m."},
      {"short sigma",
       1,
       {params, 1, empty(), 1, y4, empty(), 1, column({1, 1, 1})},
       "Input sigma must have at least 4 elements."},
      // T comes from the rows of y: an empty y of 2^61 rows asks for an output of 2^64 bytes.
      {"output too large for the host",
       1,
       {empty(), empty(), empty(), 0, empty(std::uint64_t{1} << 61, 0), empty(),
        std::ldexp(1.0, 61), empty()},
       "The output is too large for the host."},
      {"character constant",
       1,
       {params, 1, empty(), of_class(ArrayClass::character, 49), y4, empty(), 1, ones4},
       "Input constant must be a real numeric scalar."},
  };
  // A long sample: constant, three AR lags (one repeated), two regressors, two MA lags.
  const std::uint64_t T = 300;
  std::vector<double> regressors = sequence(T, 31, -1.0, 1.0);
  const std::vector<double> second = sequence(T, 32, 0.0, 2.0);
  regressors.insert(regressors.end(), second.begin(), second.end());
  calls.push_back({"long sample",
                   1,
                   {column({0.01, 0.3, -0.1, 0.05, 0.2, -0.3, 0.25, 0.1}), column({1, 2, 5}),
                    column({1, 3}), 1, column(sequence(T, 30, -2.0, 2.0)), matrix(T, 2, regressors),
                    5, column(sequence(T, 33, 0.5, 2.0))}});
  return {"lagreg_residuals", kBitIdentical, calls};
}

}  // namespace volfilter::calls
