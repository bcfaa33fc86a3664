function [value, gradient] = fit_objective (x, command)
% [value, gradient] = fit_objective (x)
% The objective of the optimisers: the negative log-likelihood at the scaled parameters X
% (theta = x .* scale), times the weight, and with two outputs its gradient with respect
% to X in the shape of X, from one call of the likelihood module. A point where the model
% is not defined gives +Inf (a NaN from the module counts as such).
%
% fit_objective ([], problem) begins a fit: PROBLEM holds the module, the residuals e, the
% module's other inputs, the scales and the weight; the counts start from zero.
% state = fit_objective ([], 'read') returns the counts (evaluations, undefined points,
% improvements on the best value) and the best point; fit_objective ([], 'clear') forgets
% the problem. The state lives only from the beginning of one fit to its end, so that
% the optimisers' callbacks can count; volfilter_fit clears it when it returns.
persistent problem evaluations undefined improvements best_value best_x
if nargin > 1
  value = [];
  gradient = [];
  if isstruct (command)
    problem = command;
    evaluations = 0;
    undefined = 0;
    improvements = 0;
    best_value = Inf;
    best_x = [];
  elseif strcmp (command, 'read')
    value = struct ('evaluations', evaluations, 'undefined', undefined, ...
                    'improvements', improvements, 'best_value', best_value, ...
                    'best_x', best_x);
  else
    problem = [];
    best_x = [];
  end
  return;
end

evaluations = evaluations + 1;
theta = x(:) .* problem.scale;
if nargout > 1
  [value, module_gradient] = problem.module (problem.e, theta, problem.arguments{:});
  gradient = reshape (problem.weight * (module_gradient .* problem.scale), size (x));
else
  value = problem.module (problem.e, theta, problem.arguments{:});
end
if ~(value < Inf)
  value = Inf;
  undefined = undefined + 1;
  return;
end
value = problem.weight * value;
if value < best_value
  best_value = value;
  best_x = x(:);
  improvements = improvements + 1;
end
end
