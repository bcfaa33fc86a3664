function plan = fit_plan (model, e, options)
% plan = fit_plan (model, e, options)
% What the host's own optimisers are given, from one call of volfilter_plan: the names,
% bounds, linear constraints (A * theta <= b), the nonlinear one (a function of theta giving
% its value and gradient, [] without one), the scales, the start candidates (grid), the
% pre-sample value (backcast, and as a variance presample_variance) and logvol's ceiling
% (upper_bound), the names of every constraint, and the likelihood module with its inputs
% after e and theta.
if ~any (exist ('volfilter_plan') == [2, 3]) %#ok<EXIST>
  error ('volfilter:fit:missingModule', ...
         'volfilter_fit: the module volfilter_plan is not on the path.');
end
[code, inputs] = fit_module_inputs (model, options);
[names, bounds, linear, starts, presample, constraint_names] = volfilter_plan (code, e, ...
                                                                               inputs{:}, []);
plan.names = fit_names (names);
k = numel (plan.names);
plan.lower = bounds(:, 1);
plan.upper = bounds(:, 2);
plan.scale = bounds(:, 3);
plan.scale_by_start = bounds(:, 4) ~= 0;
plan.A = linear(:, 1:k);
plan.b = linear(:, k + 1);
plan.grid = starts;
plan.backcast = presample(1);
plan.upper_bound = presample(2);
plan.presample_variance = presample(6);
plan.constraint_names = fit_names (constraint_names);
plan.nonlinear = [];
if numel (plan.constraint_names) > 2 * k + rows (linear)
  plan.nonlinear = @(theta) plan_nonlinear (theta, code, e, inputs);
end
plan.active = @(theta) plan_active (theta, code, e, inputs, plan.constraint_names);

distribution = double (strcmp (options.distribution, 't'));
switch model
  case 'threshvol'
    plan.module = @threshvol_nll;
    plan.arguments = {plan.backcast, options.p, options.o, options.q, options.m, options.type, ...
                      distribution};
  case 'logvol'
    plan.module = @logvol_nll;
    plan.arguments = {plan.backcast, plan.upper_bound, options.p, options.o, options.q, ...
                      options.m, distribution};
  case 'shiftvol'
    plan.module = @shiftvol_nll;
    plan.arguments = {plan.backcast, options.p, options.q, options.m, options.type, distribution};
  otherwise
    plan.module = @intvol_nll;
    plan.arguments = {plan.backcast, options.p, options.q, options.m, options.type, ...
                      options.constant, distribution};
end
end

function [value, gradient] = plan_nonlinear (theta, code, e, inputs)
% The model's nonlinear constraint at theta (at most 0 where it holds), its gradient a row.
[~, ~, ~, ~, ~, ~, nonlinear] = volfilter_plan (code, e, inputs{:}, theta);
value = nonlinear(1);
gradient = nonlinear(2:end);
end

function names = plan_active (theta, code, e, inputs, constraint_names)
% The names of the constraints active at theta, a column cell.
[~, ~, ~, ~, ~, ~, ~, active] = volfilter_plan (code, e, inputs{:}, theta);
names = constraint_names(active ~= 0);
end
