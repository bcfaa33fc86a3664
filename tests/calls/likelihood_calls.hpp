// The shared calls every likelihood module's table has: results of each kind of call (value
// only, every output, both distributions, the edges, the undefined region) and the refusals
// of the inputs all four take. Each module's table adds its own.
#pragma once

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "call_table.hpp"

namespace volfilter::calls {

// The values of a likelihood call are sums over the modelled observations of terms that
// each take a logarithm (two for Student's t, with lgamma, and the digamma function's own
// logarithm in the derivative with respect to nu) from the platform's math library. A term
// one unit in the last place off moves a value by about one unit while the terms share its
// sign, and the roundings of the later partial sums add a few more. Where terms of opposite
// sign cancel, a unit of the terms is many units of the value: the derivatives with respect
// to nu are differences of digamma values and logarithms some ten to thirty times larger
// than themselves, and under Wine they differ by up to 32 units in the last place in these
// calls (every other value by at most 16). The samples are kept short (at most 24 modelled
// observations) and the parameters away from the likelihood's minimum, so that no other
// derivative is a small difference of large terms; 64 units leave room for twice what was
// seen, and still fail a wrong constant, a missing term or a lost observation by far.
inline constexpr int kLikelihoodUlps = 64;

// A likelihood call by meaning; a model lays out the inputs it takes in its order.
struct LikelihoodSetting {
  std::vector<double> e;
  std::vector<double> parameters;
  double backcast = 1;
  double p = 1, o = 1, q = 1, m = 1, type = 2, has_constant = 1, distribution = 0;
};
using LikelihoodLayout = std::function<std::vector<Value>(const LikelihoodSetting&)>;

// The shared calls of a model whose inputs `layout` lays out, from `parameters` (the model's
// own, orders 1) at which the model is defined and `undefined` at which a variance is not
// positive; the model's input-count message. A likelihood with a mean names its series `series`
// (y) and puts `leading` parameters of its mean before the model's, and has five outputs.
inline std::vector<Call> likelihood_calls(const LikelihoodLayout& layout,
                                          const std::vector<double>& parameters,
                                          const std::vector<double>& undefined,
                                          const std::string& input_message,
                                          const std::string& series = "e",
                                          std::size_t leading = 0) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  LikelihoodSetting s;
  s.e = sequence(13, 2024, -2.0, 2.0);
  s.parameters = parameters;
  LikelihoodSetting student = s;
  student.distribution = 1;
  student.parameters.push_back(6.5);
  auto with = [&](LikelihoodSetting base, const std::function<void(LikelihoodSetting&)>& change) {
    change(base);
    return layout(base);
  };
  std::vector<Call> calls{
      {"value only", 1, layout(s)},
      {"no output requested", 0, layout(s)},
      {"every output", 4, layout(s)},
      {"Student's t, value only", 1, layout(student)},
      {"Student's t, every output", 4, layout(student)},
      {"Student's t, gradient", 2, layout(student)},
      {"power 1, every output", 4, with(student, [](LikelihoodSetting& c) { c.type = 1; })},
      {"two observations conditioned on", 3, with(s, [](LikelihoodSetting& c) { c.m = 2; })},
      {"longer sample", 4,
       with(student, [](LikelihoodSetting& c) { c.e = sequence(25, 77, -3.0, 3.0); })},
      {"m equals T", 4, with(s, [](LikelihoodSetting& c) { c.m = 13; })},
      {"empty sample", 4,
       with(student,
            [](LikelihoodSetting& c) {
              c.e.clear();
              c.m = 0;
            })},
      {"undefined variance", 4, with(s, [&](LikelihoodSetting& c) { c.parameters = undefined; })},
      {"nu of 2", 4, with(student, [](LikelihoodSetting& c) { c.parameters.back() = 2; })},
      {"NaN parameter", 3, with(s, [&](LikelihoodSetting& c) { c.parameters[1] = nan; })},
      {"one input", 1, {column(s.e)}, input_message},
      {leading == 0 ? "five outputs" : "six outputs", leading == 0 ? 5 : 6, layout(s),
       leading == 0 ? "At most four outputs." : "At most five outputs."},
      {"negative m", 1, with(s, [](LikelihoodSetting& c) { c.m = -1; }),
       "Input m must not be negative."},
      {"NaN in e", 2, with(s, [&](LikelihoodSetting& c) { c.e[4] = nan; }),
       "Input " + series + " must hold finite values."},
      {"distribution 2", 1, with(s, [](LikelihoodSetting& c) { c.distribution = 2; }),
       "Input distribution must be 0 (normal) or 1 (Student's t)."},
      {"no nu", 1, with(s, [](LikelihoodSetting& c) { c.distribution = 1; }),
       "Input parameters must have at least " + std::to_string(leading + parameters.size() + 1) +
           " elements."},
      {"m past T", 1, with(s, [](LikelihoodSetting& c) { c.m = 14; }),
       "Input m must not exceed T."},
  };
  // A row of residuals reads as the column.
  std::vector<Value> row_inputs = layout(s);
  row_inputs[0] = row(s.e);
  calls.push_back({"residuals as a row", 4, row_inputs});
  std::vector<Value> matrix_inputs = layout(s);
  matrix_inputs[0] = matrix(2, 2, {1, 2, 3, 4});
  calls.push_back(
      {"residuals as a matrix", 1, matrix_inputs, "Input " + series + " must be a vector."});
  return calls;
}

}  // namespace volfilter::calls
