// threshvol_filter: the calls every platform must answer with the same bits.
#include <cmath>
#include <limits>

#include "call_table.hpp"

namespace volfilter::calls {

CallTable threshvol_filter_calls() {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Value data = column({1, 2, 7});
  const Value asym = column({2, 4, 9});
  const Value parameters = column({0.5, 0.25, 0.125, 0.5});

  // A long sample with orders 2, 1, 2: squared and absolute returns of a fixed sequence,
  // and parameters whose products all round, so that any change in the order of the
  // additions or a fused multiply-add shows in the bits.
  const std::vector<double> returns = sequence(400, 12345, -3.0, 3.0);
  std::vector<double> squares;
  std::vector<double> magnitudes;
  std::vector<double> negative_squares;
  std::vector<double> negative_magnitudes;
  for (const double r : returns) {
    squares.push_back(r * r);
    magnitudes.push_back(std::fabs(r));
    negative_squares.push_back(r < 0 ? r * r : 0.0);
    negative_magnitudes.push_back(r < 0 ? -r : 0.0);
  }
  const Value long_parameters = column({0.05, 0.03, 0.02, 0.07, 0.6, 0.25});

  return {
      "threshvol_filter",
      kBitIdentical,
      {
          // Results.
          {"worked example, power 2", 1, {data, asym, parameters, 2, 1, 1, 1, 1, 3, 2}},
          {"worked example, power 1", 1, {data, asym, parameters, 2, 1, 1, 1, 1, 3, 1}},
          {"long sample, power 2",
           1,
           {column(squares), column(negative_squares), long_parameters, 1.1, 2, 1, 2, 2, 400, 2}},
          {"long sample, power 1",
           1,
           {column(magnitudes), column(negative_magnitudes), long_parameters, 0.9, 2, 1, 2, 2, 400,
            1}},
          {"truncated scalars", 1, {data, asym, parameters, 2, 1.7, 1, 1, 1, 3.9, 1.9}},
          {"type 0 is power 2", 1, {data, asym, parameters, 2, 1, 1, 1, 1, 3, 0}},
          {"type -1 is power 2", 1, {data, asym, parameters, 2, 1, 1, 1, 1, 3, -1}},
          {"rows and data of T - 1 elements",
           1,
           {row({1, 2}), row({2, 4}), row({0.5, 0.25, 0.125, 0.5, 9}), row({2, 7}), 1, 1, 1, 1, 3,
            2}},
          {"no output requested", 0, {data, asym, parameters, 2, 1, 1, 1, 1, 3, 2}},
          {"no lags, power 1", 1, {empty(), empty(), column({-0.3}), 5, 0, 0, 0, 1, 4, 1}},
          {"m equals T", 1, {empty(), empty(), empty(), 4, 2, 2, 2, 3, 3, 1}},
          {"empty sample", 1, {empty(), empty(), empty(), empty(), 1, 1, 1, 0, 0, 1}},
          {"negative m", 1, {empty(), empty(), empty(), empty(), 1, 1, 1, -2, 3, 2}},
          {"negative recursion squared",
           1,
           {data, asym, column({-3, 0.25, 0.125, 0.5}), 2, 1, 1, 1, 1, 3, 1}},
          {"subnormal values",
           1,
           {column({1e-310, 3e-310}), column({2e-310, 5e-311}), column({1e-312, 0.75, 0.5, 0.3}),
            4e-310, 1, 1, 1, 1, 3, 2}},
          {"non-finite values pass through",
           1,
           {column({inf, 1}), column({1, nan}), column({0.5, 0.25, 0.125, 0.5}), -inf, 1, 1, 1, 1,
            3, 2}},
          // Wrong counts: the input message comes first.
          {"one input", 1, {data}, "Ten inputs required."},
          {"nine inputs", 1, {data, asym, parameters, 2, 1, 1, 1, 1, 3}, "Ten inputs required."},
          {"two outputs", 2, {data, asym, parameters, 2, 1, 1, 1, 1, 3, 2}, "One output only."},
          {"two outputs and nine inputs",
           2,
           {data, asym, parameters, 2, 1, 1, 1, 1, 3},
           "Ten inputs required."},
          // Calls that would reach outside an array or convert without a defined result.
          {"negative p",
           1,
           {data, asym, parameters, 2, -1, 1, 1, 1, 3, 2},
           "Input p must not be negative."},
          {"m past T",
           1,
           {data, asym, parameters, 2, 1, 1, 1, 4, 3, 2},
           "Input m must not exceed T."},
          {"m below the largest order",
           1,
           {data, asym, column({1, 1, 1, 1, 1}), 2, 1, 2, 1, 1, 3, 2},
           "Input m must be at least the largest of p, o and q when T exceeds m."},
          {"short data",
           1,
           {1, asym, parameters, 2, 1, 1, 1, 1, 3, 2},
           "Input data must have at least 2 elements."},
          {"short parameters",
           1,
           {data, asym, column({0.5, 0.25, 0.125}), 2, 1, 1, 1, 1, 3, 2},
           "Input parameters must have at least 4 elements."},
          {"empty backcast",
           1,
           {data, asym, parameters, empty(), 1, 1, 1, 1, 3, 2},
           "Input backcast must have at least 1 element."},
          {"NaN m",
           1,
           {data, asym, parameters, 2, 1, 1, 1, nan, 3, 2},
           "Input m must be a finite number within the range of a 32-bit integer."},
          {"infinite T",
           1,
           {data, asym, parameters, 2, 1, 1, 1, 1, inf, 2},
           "Input T must be a finite number, not negative, below 2^64."},
          {"empty type",
           1,
           {data, asym, parameters, 2, 1, 1, 1, 1, 3, empty()},
           "Input type must not be empty."},
          // A count past 2^31 in the message: 64-bit formatting on every platform.
          {"parameter count past 2^31",
           1,
           {empty(), empty(), column({1}), 1, 0, 0, 2147483647, 2147483647, 2147483648.0, 2},
           "Input parameters must have at least 2147483648 elements."},
          // 2^61 doubles are 2^64 bytes, which a host's size arithmetic would wrap: refused
          // before the host is asked.
          {"output too large for the host",
           1,
           {empty(), empty(), empty(), empty(), 0, 0, 0, -1, std::ldexp(1.0, 61), 2},
           "The output is too large for the host."},
          // 2^58 doubles the host can represent but not allocate: its error ends the call
          // from inside creation.
          {"output beyond the host's memory",
           1,
           {empty(), empty(), empty(), empty(), 0, 0, 0, -1, std::ldexp(1.0, 58), 2},
           "Out of memory."},
          // With m = 0 the recursion would write all T entries of an output the host made
          // too small.
          {"recursion into an output too large for the host",
           1,
           {empty(), empty(), column({1}), empty(), 0, 0, 0, 0, std::ldexp(1.0, 64) - 2048, 1},
           "The output is too large for the host."},
          // Scalars that are not real numbers: '1' would run power 2 (code 49), sparse
          // [0 3] would act as 3.
          {"character type",
           1,
           {data, asym, parameters, 2, 1, 1, 1, 1, 3, of_class(ArrayClass::character, 49)},
           "Input type must be a real numeric scalar."},
          {"cell T",
           1,
           {data, asym, parameters, 2, 1, 1, 1, 1, of_class(ArrayClass::cell, 3), 2},
           "Input T must be a real numeric scalar."},
          {"complex m",
           1,
           {data, asym, parameters, 2, 1, 1, 1, of_class(ArrayClass::complex_double, 1), 3, 2},
           "Input m must be a real numeric scalar."},
          {"sparse T of two elements",
           1,
           {data, asym, parameters, 2, 1, 1, 1, 1, of_class(ArrayClass::sparse_double, row({0, 3})),
            2},
           "Input T must be a real numeric scalar."},
          {"scalars of other numeric classes and logical",
           1,
           {data, asym, parameters, 2, of_class(ArrayClass::int32, 1),
            of_class(ArrayClass::logical, 1), of_class(ArrayClass::single, 1), 1,
            of_class(ArrayClass::sparse_double, 3), 2}},
      },
  };
}

}  // namespace volfilter::calls
