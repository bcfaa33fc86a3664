function [theta, run, counts] = fit_optimise (plan, e, start, optimizer, options)
% [theta, run, counts] = fit_optimise (plan, e, start, optimizer, options)
% Maximises the likelihood from START with OPTIMIZER ('nlopt', 'sqp' or 'fmincon'):
% THETA the estimates, RUN the last run's account (converged, message), COUNTS the
% iterations and evaluations of all runs and the restarts.
%
% The optimisers work on the parameters divided by their scales (omega by its start value,
% so that its steps are of the size of the others') and on the negative log-likelihood per
% observation, whose gradient does not grow with the sample. A run that met points where
% the model is not defined has an account of how it ended that is not to be trusted: it
% is run again, afresh, from the best point found, at most twice.
plan.scale(plan.scale_by_start) = start(plan.scale_by_start);
weight = 1 / (numel (e) - options.m);
problem = struct ('module', plan.module, 'e', e, 'arguments', {plan.arguments}, ...
                  'scale', plan.scale', 'weight', weight, 'gradient_scale', weight * plan.scale');
fit_objective ([], problem);
try
  x = start ./ plan.scale;
  counts = struct ('iterations', 0, 'evaluations', 0, 'restarts', 0);
  while true
    before = fit_objective ([], 'read');
    switch optimizer
      case 'nlopt'
        run = fit_nlopt (plan, x, options);
      case 'sqp'
        run = fit_sqp (plan, x, options);
      otherwise
        run = fit_fmincon (plan, x, options);
    end
    after = fit_objective ([], 'read');
    counts.iterations = counts.iterations + run.iterations;
    x = run.x;
    if after.undefined == before.undefined || counts.restarts == 2 || isempty (after.best_x)
      break;
    end
    counts.restarts = counts.restarts + 1;
    x = after.best_x(:);
  end
  counts.evaluations = after.evaluations;
catch failure
  fit_objective ([], 'clear');
  rethrow (failure);
end
fit_objective ([], 'clear');
theta = x .* plan.scale;
end
