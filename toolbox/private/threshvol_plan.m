function plan = threshvol_plan (e, options)
% plan = threshvol_plan (e, options)
% The threshold model for volfilter_fit: parameters [omega; alpha; gamma; beta], the module
% threshvol_nll and its inputs, bounds, constraints, scales and candidate start values.
%
% Constraints: omega > 0 (at least 1e-8 of the sample's second moment in the model's units),
% alpha >= 0, beta >= 0, alpha(j) + gamma(j) >= 0 where lag j has both (gamma(j) >= 0
% where it has no alpha), so that every variance is positive; and
% sum(alpha) + sum(gamma)/2 + sum(beta) <= 1 - 1e-6, the stationarity condition for shocks
% symmetric about zero (under power 1 a conservative form of it).
p = options.p;
o = options.o;
q = options.q;
[unit, units] = sample_level (e, options.type);
plan.backcast = fit_backcast (e, options.backcast, units);
plan.names = [{'omega'}; order_names('alpha', p); order_names('gamma', o); ...
              order_names('beta', q)];
distribution = double (strcmp (options.distribution, 't'));
plan.module = @threshvol_nll;
plan.arguments = {plan.backcast, p, o, q, options.m, options.type, distribution};

gamma_lower = -ones (o, 1);
gamma_lower(p + 1:end) = 0;
plan.lower = [1e-8 * unit; zeros(p, 1); gamma_lower; zeros(q, 1)];
plan.upper = [10 * unit; ones(p, 1); 2 * ones(o, 1); ones(q, 1)];
plan.A = [0, ones(1, p), 0.5 * ones(1, o), ones(1, q)];
plan.b = 1 - 1e-6;
for j = 1:min (p, o)
  row = zeros (1, 1 + p + o + q);
  row([1 + j, 1 + p + j]) = -1;
  plan.A = [plan.A; row];
  plan.b = [plan.b; 0];
end
plan.nonlinear = [];
plan.scale = [unit; ones(p + o + q, 1)];
plan.scale_by_start = [true; false(p + o + q, 1)];
% Start candidates: the news split evenly over the lags of each family, alpha and gamma
% alike; beta takes the rest of the persistence; omega makes the unconditional level the
% sample's.
[news, persistence] = start_grid ();
alpha = news * (p > 0);
gamma = news * (o > 0);
beta = max (persistence - alpha - gamma / 2, 0) * (q > 0);
plan.grid = [unit * (1 - alpha - gamma / 2 - beta); ones(p, 1) * (alpha / max(p, 1)); ...
             ones(o, 1) * (gamma / max(o, 1)); ones(q, 1) * (beta / max(q, 1))];
end
