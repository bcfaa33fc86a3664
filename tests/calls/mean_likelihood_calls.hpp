// The shared calls of the likelihoods with a mean: those of every likelihood (the setting's e
// standing for the returns y, with a constant, AR lag 1 and MA lag 1 wherever m allows), then
// the mean's own: regressors, lags past 1, no mean terms, an explosive mean, and its refusals.
#pragma once

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "likelihood_calls.hpp"

namespace volfilter::calls {

// The model's own inputs after the parameters (backcast, orders, m, ...), from a setting.
using TrailingLayout = std::function<std::vector<Value>(const LikelihoodSetting&)>;

struct MeanSetting {
  Value x = empty();
  Value ar_lags = column({1});
  Value ma_lags = column({1});
  double constant = 1;
  std::vector<double> mean{0.05, 0.2, -0.1};
};

inline std::vector<Value> mean_inputs(const LikelihoodSetting& s, const MeanSetting& mean,
                                      const TrailingLayout& trailing) {
  std::vector<double> theta = mean.mean;
  theta.insert(theta.end(), s.parameters.begin(), s.parameters.end());
  std::vector<Value> inputs{column(s.e),  mean.x,        mean.ar_lags,
                            mean.ma_lags, mean.constant, column(theta)};
  for (Value& value : trailing(s)) {
    inputs.push_back(std::move(value));
  }
  return inputs;
}

inline std::vector<Call> mean_likelihood_calls(const TrailingLayout& trailing,
                                               const std::vector<double>& parameters,
                                               const std::vector<double>& undefined,
                                               const std::string& input_message) {
  // Without an observation before the first modelled one (m = 0), a constant only. The returns
  // are made from the setting's series by the mean itself, y(t) = e(t) + 0.05 + 0.2 y(t - 1) -
  // 0.1 e(t - 1), so that the residuals are about the series of the likelihoods' own calls:
  // there no per-observation derivative with respect to nu is a small difference of large
  // terms, which would turn the platforms' differences in a logarithm into many units.
  const LikelihoodLayout layout = [trailing](const LikelihoodSetting& s) {
    MeanSetting mean;
    if (s.m < 1) {
      mean.ar_lags = empty();
      mean.ma_lags = empty();
      mean.mean = {0.05};
    }
    LikelihoodSetting returns = s;
    for (std::size_t t = 1; t < s.e.size(); ++t) {
      returns.e[t] = s.e[t] + 0.05 + 0.2 * returns.e[t - 1] - 0.1 * s.e[t - 1];
    }
    return mean_inputs(returns, mean, trailing);
  };
  std::vector<Call> calls = likelihood_calls(layout, parameters, undefined, input_message, "y", 3);
  LikelihoodSetting s;
  s.e = sequence(16, 41, -1.5, 2.5);
  s.parameters = parameters;
  s.m = 2;
  const auto add = [&](const std::string& label, int nlhs, const MeanSetting& mean,
                       const std::string& refusal = "") {
    calls.push_back({label, nlhs, mean_inputs(s, mean, trailing), refusal});
  };
  MeanSetting regressors;
  regressors.x = matrix(16, 2, sequence(32, 42, -1.0, 1.0));
  regressors.ar_lags = column({2, 1});
  regressors.ma_lags = row({2});
  regressors.mean = {0.05, 0.1, 0.2, 0.3, -0.2, 0.15};
  add("regressors, AR lags 2 and 1, MA lag 2", 5, regressors);
  MeanSetting none;
  none.ar_lags = empty();
  none.ma_lags = empty();
  none.constant = 0;
  none.mean.clear();
  add("no mean terms", 5, none);
  MeanSetting explosive;
  explosive.mean = {0.05, 0.2, -1e100};
  add("explosive moving average", 5, explosive);
  MeanSetting fractional;
  fractional.ar_lags = column({1.5});
  add("fractional lag", 1, fractional, "Input ar_lags must hold whole numbers from 1 to m.");
  MeanSetting past_m;
  past_m.ma_lags = column({3});
  add("lag past m", 1, past_m, "Input ma_lags must hold whole numbers from 1 to m.");
  MeanSetting short_x;
  short_x.x = matrix(15, 1, sequence(15, 43, -1.0, 1.0));
  short_x.mean.push_back(0.1);
  add("regressors of T - 1 rows", 1, short_x, "Input x must have T rows.");
  MeanSetting constant_two;
  constant_two.constant = 2;
  add("constant 2", 1, constant_two, "Input constant must be 0 or 1.");
  return calls;
}

}  // namespace volfilter::calls
