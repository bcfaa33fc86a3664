function [value, gradient] = fit_objective (x, command)
% [value, gradient] = fit_objective (x)
% The objective of the optimisers: the negative log-likelihood at the scaled parameters X,
% a row (theta = x .* scale), times the weight, and with two outputs its gradient with
% respect to X, a row, from one call of the likelihood module. A point where the model is
% not defined gives +Inf (a NaN from the module counts as such).
%
% fit_objective ([], problem) begins a fit: PROBLEM holds the module, the residuals e, the
% module's other inputs, the scales (a row), the weight and the gradient's scales
% (weight * scale); the counts start from zero.
% state = fit_objective ([], 'read') returns the problem with the counts (evaluations,
% undefined points, improvements on the best value) and the best point (best_value,
% best_x); fit_objective ([], 'clear') forgets it all. The state lives only from the
% beginning of one fit to its end, so that the optimisers' callbacks can count.
persistent state
if nargin > 1
  value = [];
  gradient = [];
  if isstruct (command)
    state = command;
    state.evaluations = 0;
    state.undefined = 0;
    state.improvements = 0;
    state.best_value = Inf;
    state.best_x = [];
  elseif strcmp (command, 'read')
    value = state;
  else
    state = [];
  end
  return;
end

state.evaluations = state.evaluations + 1;
if nargout > 1
  [value, gradient] = state.module (state.e, x .* state.scale, state.arguments{:});
  gradient = gradient' .* state.gradient_scale;
else
  value = state.module (state.e, x .* state.scale, state.arguments{:});
end
value = state.weight * value;
if value < state.best_value
  state.best_value = value;
  state.best_x = x;
  state.improvements = state.improvements + 1;
elseif ~(value < Inf)
  value = Inf;
  state.undefined = state.undefined + 1;
end
end
