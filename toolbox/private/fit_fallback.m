function fit = fit_fallback (model, e, options, optimizer)
% fit = fit_fallback (model, e, options, optimizer)
% Fits the series E (a column) with the host's own optimiser ('nlopt', 'sqp' or 'fmincon'), on
% the plan that volfilter_plan gives: the start (fit_start), the optimiser's runs
% (fit_optimise), the standard errors (fit_covariance) and the constraints active at the
% estimates, all as volfilter_estimate forms them.
% The orders and m have been compared with the sample (fit_sample).
plan = fit_plan (model, e, options);
module_name = plan.module_name;
if ~any (exist (module_name) == [2, 3]) %#ok<EXIST>
  error ('volfilter:fit:missingModule', ...
         'volfilter_fit: the likelihood module %s is not on the path.', module_name);
end

start = fit_start (plan, e, options.start, options.m);
[theta, run, counts] = fit_optimise (plan, e, start, optimizer, options);

residuals = e;
if options.has_mean
  [nll, ~, scores, ht, residuals] = plan.module (e, theta, plan.arguments{:});
else
  [nll, ~, scores, ht] = plan.module (e, theta, plan.arguments{:});
end
[covariance, robust] = fit_covariance (plan, e, theta, scores);
ht(1:options.m) = plan.presample_variance;

r = struct ('parameters', theta, 'covariance', covariance(:), 'robust', robust(:), 'ht', ht, ...
            'residuals', residuals, ...
            'scores', scores, 'nll', nll, 'converged', run.converged && nll < Inf, ...
            'iterations', counts.iterations, 'evaluations', counts.evaluations, ...
            'restarts', counts.restarts, 'backcast', plan.backcast, ...
            'upper_bound', plan.upper_bound, 'start', start);
r.message = {run.message};
r.active = {plan.active(theta)};
fit = fit_result (model, options, optimizer, plan.names, e, r);
end
