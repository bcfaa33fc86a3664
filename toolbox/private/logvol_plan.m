function plan = logvol_plan (e, options)
% plan = logvol_plan (e, options)
% The exponential model for volfilter_fit: parameters [omega; alpha; gamma; beta] of the log
% variance, the module logvol_nll and its inputs, bounds, constraints, scales and candidate
% start values.
%
% The log variance needs no positivity. Bounds keep the search in a plausible region:
% |omega| at most |log second moment| + 20, alpha and gamma in [-2, 2], each beta in
% (-1, 1); with more than one beta also sum(beta) <= 1 - 1e-6 (with one beta the bound is
% the whole stationarity condition |beta| < 1). The filter's ceiling is upper_bound
% (default 1000 times the largest squared residual, far above any variance the data
% support), its floor the pre-sample variance over 10000.
p = options.p;
o = options.o;
q = options.q;
log_variance = log (sample_level (e, 2));
plan.backcast = fit_backcast (e, options.backcast, 'logvariance');
plan.upper_bound = options.upper_bound;
if isempty (plan.upper_bound)
  plan.upper_bound = 1000 * max (e .^ 2);
end
plan.names = [{'omega'}; order_names('alpha', p); order_names('gamma', o); ...
              order_names('beta', q)];
distribution = double (strcmp (options.distribution, 't'));
plan.module = @logvol_nll;
plan.arguments = {plan.backcast, plan.upper_bound, p, o, q, options.m, distribution};

reach = abs (log_variance) + 20;
plan.lower = [-reach; -2 * ones(p + o, 1); (-1 + 1e-6) * ones(q, 1)];
plan.upper = [reach; 2 * ones(p + o, 1); (1 - 1e-6) * ones(q, 1)];
plan.A = zeros (0, 1 + p + o + q);
plan.b = zeros (0, 1);
if q > 1
  plan.A = [zeros(1, 1 + p + o), ones(1, q)];
  plan.b = 1 - 1e-6;
end
plan.nonlinear = [];
plan.scale = ones (1 + p + o + q, 1);
plan.scale_by_start = false (1 + p + o + q, 1);
% Start candidates: twice the news coefficient on the magnitude, no asymmetry, the
% persistence on the log variance, and omega that makes the unconditional log variance the
% sample's.
[news, persistence] = start_grid ();
beta = persistence * (q > 0);
plan.grid = [log_variance * (1 - beta); ones(p, 1) * (2 * news / max(p, 1)); zeros(o, 9); ...
             ones(q, 1) * (beta / max(q, 1))];
end
