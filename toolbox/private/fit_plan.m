function plan = fit_plan (model, e, options)
% plan = fit_plan (model, e, options)
% What the host's own optimisers are given, from one call of volfilter_plan: the names,
% bounds, linear constraints (A * theta <= b), the nonlinear one (a function of theta giving
% its value and gradient, [] without one), the scales, the start candidates (grid), the
% pre-sample value (backcast, and as a variance presample_variance) and logvol's ceiling
% (upper_bound), the names of every constraint, and the likelihood module with its inputs
% after e and theta. With a mean, E is the returns y and plan.module the mean likelihood
% module called as plan.module (y, theta, ...) with the mean's inputs bound in
% (fit_mean_call, which gives it the rows of x of a head of y); plan.module_name names it.
if ~any (exist ('volfilter_plan') == [2, 3]) %#ok<EXIST>
  error ('volfilter:fit:missingModule', ...
         'volfilter_fit: the module volfilter_plan is not on the path.');
end
[code, inputs, mean] = fit_module_inputs (model, options);
try
  [names, bounds, linear, starts, presample, constraint_names] = volfilter_plan (code, e, ...
                                                                                 inputs{:}, ...
                                                                                 [], mean{:});
catch failure
  % The mean's least-squares start cannot be formed on this series: refused as the compiled
  % fit refuses it.
  if ~isempty (strfind (failure.message, 'least-squares fit is singular'))
    fit_refuse ('meanSingular');
  elseif ~isempty (strfind (failure.message, 'The mean fits e exactly'))
    fit_refuse ('meanExact');
  end
  rethrow (failure);
end
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
  plan.nonlinear = @(theta) plan_nonlinear (theta, code, e, inputs, mean);
end
plan.active = @(theta) plan_active (theta, code, e, inputs, mean, plan.constraint_names);

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
plan.module_name = func2str (plan.module);
if options.has_mean
  plan.module_name = strrep (plan.module_name, '_nll', '_mean_nll');
  module = str2func (plan.module_name);
  plan.module = @(y, theta, varargin) fit_mean_call (module, mean, y, theta, varargin{:});
end
end

function [value, gradient] = plan_nonlinear (theta, code, e, inputs, mean)
% The model's nonlinear constraint at theta (at most 0 where it holds), its gradient a row.
[~, ~, ~, ~, ~, ~, nonlinear] = volfilter_plan (code, e, inputs{:}, theta, mean{:});
value = nonlinear(1);
gradient = nonlinear(2:end);
end

function names = plan_active (theta, code, e, inputs, mean, constraint_names)
% The names of the constraints active at theta, a column cell.
[~, ~, ~, ~, ~, ~, ~, active] = volfilter_plan (code, e, inputs{:}, theta, mean{:});
names = constraint_names(active ~= 0);
end
