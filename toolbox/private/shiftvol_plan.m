function plan = shiftvol_plan (e, options)
% plan = shiftvol_plan (e, options)
% The shifted-innovation model for volfilter_fit: parameters [omega; alpha; gamma; beta],
% the module shiftvol_nll and its inputs, bounds, constraints, scales and candidate start
% values.
%
% Constraints: omega > 0 (at least 1e-8 of the sample's second moment), alpha >= 0 and
% beta >= 0, so that every variance is positive; the shift gamma within 10 (type 0, a
% multiple of the standard deviation) or 10 sample standard deviations (type 1). The
% stationarity condition bounds the expected shifted square: sum(alpha) + sum(beta) <= 1 - 1e-6
% under type 1 (E (e - gamma)^2 = h + gamma^2, a constant added), and
% (1 + gamma^2) * sum(alpha) + sum(beta) <= 1 - 1e-6 under type 0 (E (e - gamma sqrt(h))^2
% = (1 + gamma^2) h), a nonlinear constraint with its gradient.
p = options.p;
q = options.q;
variance = sample_level (e, 2);
plan.backcast = fit_backcast (e, options.backcast, 'variance');
plan.names = [{'omega'}; order_names('alpha', p); {'gamma'}; order_names('beta', q)];
distribution = double (strcmp (options.distribution, 't'));
plan.module = @shiftvol_nll;
plan.arguments = {plan.backcast, p, q, options.m, options.type, distribution};

if options.type == 1
  shift_unit = sqrt (variance);
else
  shift_unit = 1;
end
plan.lower = [1e-8 * variance; zeros(p, 1); -10 * shift_unit; zeros(q, 1)];
plan.upper = [10 * variance; ones(p, 1); 10 * shift_unit; ones(q, 1)];
if options.type == 1
  plan.A = [0, ones(1, p), 0, ones(1, q)];
  plan.b = 1 - 1e-6;
  plan.nonlinear = [];
else
  plan.A = zeros (0, p + q + 2);
  plan.b = zeros (0, 1);
  plan.nonlinear = @(theta) scaled_stationarity (theta, p, q);
end
plan.scale = [variance; ones(p, 1); shift_unit; ones(q, 1)];
plan.scale_by_start = [true; false(p + q + 1, 1)];
% Start candidates without a shift: the symmetric model with the news split evenly over
% the lags, beta taking the rest of the persistence and omega making the unconditional
% variance the sample's.
[news, persistence] = start_grid ();
alpha = news * (p > 0);
beta = max (persistence - alpha, 0) * (q > 0);
plan.grid = [variance * (1 - alpha - beta); ones(p, 1) * (alpha / max(p, 1)); zeros(1, 9); ...
             ones(q, 1) * (beta / max(q, 1))];
end

function [value, gradient] = scaled_stationarity (theta, p, q)
% (1 + gamma^2) * sum(alpha) + sum(beta) - (1 - 1e-6), at most 0 where stationary.
alpha = theta(2:1 + p);
gamma = theta(p + 2);
beta = theta(p + 3:p + 2 + q);
value = (1 + gamma ^ 2) * sum (alpha) + sum (beta) - (1 - 1e-6);
gradient = [0, (1 + gamma ^ 2) * ones(1, p), 2 * gamma * sum(alpha), ones(1, q)];
end
