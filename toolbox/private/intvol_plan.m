function plan = intvol_plan (e, options)
% plan = intvol_plan (e, options)
% The integrated model for volfilter_fit: parameters [omega; alpha; beta(1:q-1)] (omega
% only with a constant), beta(q) = 1 - sum(alpha) - sum(beta(1:q-1)) implied, the module
% intvol_nll and its inputs, bounds, constraints, scales and candidate start values.
%
% Constraints: omega > 0 (at least 1e-8 of the sample's second moment in the model's units),
% alpha >= 0, beta >= 0 and the implied beta(q) >= 0: sum(alpha) + sum(beta(1:q-1)) <= 1.
% The model is integrated by construction, so there is no stationarity condition.
p = options.p;
q = options.q;
constant = options.constant;
[unit, units] = sample_level (e, options.type);
plan.backcast = fit_backcast (e, options.backcast, units);
names = [{'omega'}; order_names('alpha', p); order_names('beta', q - 1)];
plan.names = names(2 - constant:end);
distribution = double (strcmp (options.distribution, 't'));
plan.module = @intvol_nll;
plan.arguments = {plan.backcast, p, q, options.m, options.type, constant, distribution};

omega_lower = 1e-8 * unit;
omega_upper = 10 * unit;
plan.lower = [omega_lower(constant > 0); zeros(p + q - 1, 1)];
plan.upper = [omega_upper(constant > 0); ones(p + q - 1, 1)];
plan.A = [zeros(1, constant), ones(1, p + q - 1)];
plan.b = 1;
plan.nonlinear = [];
plan.scale = [unit(constant > 0); ones(p + q - 1, 1)];
plan.scale_by_start = [true(constant, 1); false(p + q - 1, 1)];
% Start candidates: the news split evenly over the alpha lags, the rest of the unit sum
% over the beta lags (the implied last one included), and omega a fifth of
% (1 - persistence) of the sample's level: integrated variances drift upwards with omega.
[news, persistence] = start_grid ();
alpha = news * (p > 0);
omega = 0.2 * (1 - persistence) * unit;
plan.grid = [omega(constant > 0, :); ones(p, 1) * (alpha / max(p, 1)); ...
             ones(q - 1, 1) * ((1 - alpha) / q)];
end
