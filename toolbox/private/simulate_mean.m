function [y, expected] = simulate_mean (spec, e, origin, identifier, caller)
% [y, expected] = simulate_mean (spec, e, origin, identifier, caller)
% The returns of the simulated residuals E (a path a column, S steps) under the fit's mean:
%
%   y(t) = mu + sum_j ar_j y(t - a_j) + e(t) + sum_j ma_j e(t - b_j),
%
% the terms named mu, ar<lag> and ma<lag> in spec.mean_names (none for a fit of residuals:
% y = e). From ORIGIN 'end' the lagged returns and residuals before the paths are the fit's
% own (spec.y, spec.residuals); from 'unconditional' the returns are at the mean's
% unconditional level mu / (1 - sum(ar)) and the residuals 0. EXPECTED (S-by-1) is the
% expected return of each step, the part of y that does not depend on the paths' residuals.
% Regressors (x<column>) would need their values after the sample: refused with IDENTIFIER
% ':meanModel', as is an autoregressive mean without the fit's returns to continue.
S = rows (e);
mu = 0;
ar = zeros (0, 2);   % [lag, coefficient] a row
ma = zeros (0, 2);
for i = 1:numel (spec.mean_names)
  name = spec.mean_names{i};
  value = spec.mean_values(i);
  if strcmp (name, 'mu')
    mu = value;
  elseif ~isempty (regexp (name, '^ar\d+$', 'once'))
    ar(end + 1, :) = [str2double(name(3:end)), value]; %#ok<AGROW>
  elseif ~isempty (regexp (name, '^ma\d+$', 'once'))
    ma(end + 1, :) = [str2double(name(3:end)), value]; %#ok<AGROW>
  else
    error ([identifier ':meanModel'], ...
           ['%s: the fit''s mean has the regressor term %s, whose values after the sample ' ...
            'are not known; only a constant, ar and ma terms are continued (add the ' ...
            'regressors'' part to the residuals e yourself).'], caller, name);
  end
end
expected = mu * ones (S, 1);
if isempty (ar) && isempty (ma)
  y = e + mu;
  return;
end
longest = max ([ar(:, 1); ma(:, 1)]);
if strcmp (origin, 'end')
  past_y = spec.y;
  past_e = spec.residuals;
  if isempty (past_y) && ~isempty (ar)
    error ([identifier ':meanModel'], ...
           '%s: the fit holds no returns y to continue its autoregressive mean from.', caller);
  end
  if isempty (past_y)
    past_y = zeros (longest, 1);
  end
  past_y = past_y(end - longest + 1:end);
  past_e = past_e(end - longest + 1:end);
else
  past_y = mu / (1 - sum (ar(:, 2))) * ones (longest, 1);
  past_e = zeros (longest, 1);
end
% The expected returns continue the past with no further shocks; the paths' shocks then
% pass through the same recursion from rest, which filter runs over every column at once.
mean_y = [past_y; zeros(S, 1)];
shocks = [past_e; zeros(S, 1)];
for t = longest + 1:longest + S
  value = mu;
  for j = 1:rows (ar)
    value = value + ar(j, 2) * mean_y(t - ar(j, 1));
  end
  for j = 1:rows (ma)
    value = value + ma(j, 2) * shocks(t - ma(j, 1));
  end
  mean_y(t) = value;
end
expected = mean_y(longest + 1:end);
a = zeros (1, longest + 1);
a(1) = 1;
a(ar(:, 1) + 1) = -ar(:, 2);
b = zeros (1, longest + 1);
b(1) = 1;
b(ma(:, 1) + 1) = ma(:, 2);
y = filter (b, a, e) + expected;
end
