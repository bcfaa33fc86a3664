function F = forecast_analytic (spec, moments, horizon, every_date)
% F = forecast_analytic (spec, moments, horizon, every_date)
% The expected variances E[h(t + k) | information at t], k = 1..HORIZON, of the fitted
% sample of SPEC (simulate_model): a row for the end of the sample (t = T), or with
% EVERY_DATE a row for every t = 1..T (rows t < m, the observations conditioned on, NaN).
%
% k = 1 is the filter's next value, the variance the filter gives t + 1 from the residuals
% up to t (bit for bit: the filter run on the residuals and one more value). Further steps
% follow the recursion of expectations of model_moments: each lagged term at or before t
% is the value the filter holds (the data, the asymmetric data, the variance), each one
% after t its expectation, data_scale * E[h] + data_shift for the data and
% asymmetric_scale * E[h] for the asymmetric data (MOMENTS, model_moments of SPEC). Only
% for the models whose moments say analytic; for the others, only k = 1.
e = spec.residuals;
T = numel (e);
ht = simulate_filter (spec, [e; 0]);
if every_date
  rows = (1:T)';
else
  rows = T;
end
F = NaN (numel (rows), horizon);
valid = rows >= spec.m;
t = rows(valid);
F(valid, 1) = ht(t + 1);
if horizon == 1
  return;
end

terms = moments.terms;
[data, asym] = observed_data (spec, e, ht);
G = F(valid, :);
% Steps 2..L, L the longest lag, reach back to the sample: each family term by term.
L = max ([numel(terms.data), numel(terms.asymmetric), numel(terms.own)]);
for k = 2:min (horizon, L)
  value = terms.constant * ones (numel (t), 1);
  value = value + lag_terms (terms.data, G, data, t, k, terms.data_scale, terms.data_shift);
  value = value + lag_terms (terms.asymmetric, G, asym, t, k, terms.asymmetric_scale, 0);
  value = value + lag_terms (terms.own, G, ht, t, k, 1, 0);
  G(:, k) = value;
end
first = max (2, L + 1);
if horizon >= first
  G(:, first:horizon) = linear_tail (moments, G(:, 1:first - 1), horizon - first + 1);
end
F(valid, :) = G;
end

function tail = linear_tail (moments, G, steps)
% The next STEPS forecasts after the columns of G once every lag lies beyond the origin:
% E[h(k)] = constant + sum_l phi(l) E[h(k - l)] (the families combined in model_moments),
% the whole horizon in one pass of the host's filter, whose transposed direct form holds
% the state z(i) = sum_{j >= i} phi(j) E[h(k - 1 - j + i)] before step k: a step of the
% interpreter's loop each would make a long horizon take minutes.
phi = moments.phi;
lags = numel (phi);
last = size (G, 2);
state = zeros (lags, size (G, 1));
for i = 1:lags
  for j = i:lags
    state(i, :) = state(i, :) + phi(j) * G(:, last - j + i)';
  end
end
tail = filter (1, [1, -phi], moments.constant * ones (steps, size (G, 1)), state)';
end

function total = lag_terms (coefficients, G, observed, t, k, scale, shift)
% sum_i coefficients(i) * (lag i of step k): beyond the origin its expectation from the
% forecasts so far, at or before it the value observed at t + k - i.
total = zeros (numel (t), 1);
for i = 1:numel (coefficients)
  if k - i >= 1
    total = total + coefficients(i) * (scale * G(:, k - i) + shift);
  else
    total = total + coefficients(i) * observed(t + k - i);
  end
end
end

function [data, asym] = observed_data (spec, e, ht)
% The data of the recursion as the filter reads them: e.^2 and its part where e < 0
% (threshvol, intvol of power 2), or the shifted squares (shiftvol: the pre-sample value
% for the first m, then (e - gamma)^2 or (e - gamma sqrt(h))^2).
T = numel (e);
asym = zeros (T, 1);
if strcmp (spec.model, 'shiftvol')
  gamma = spec.theta(spec.p + 2);
  b = spec.backcast;
  if spec.type == 1
    data = (e - gamma) .^ 2;
    data(1:spec.m) = gamma ^ 2 + b;
  else
    data = (e - gamma * sqrt (ht(1:T))) .^ 2;
    data(1:spec.m) = (gamma ^ 2 + 1) * b;
  end
else
  data = e .* e;
  asym = data .* (e < 0);
end
end
