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
% The state is held in plain persistent variables rather than one struct: an optimiser
% calls this dozens of times a fit, and Octave updates a field of a persistent struct much
% more slowly than a variable of its own.
persistent module e arguments scale weight gradient_scale
persistent evaluations undefined improvements best_value best_x
if nargin > 1
  value = [];
  gradient = [];
  if isstruct (command)
    module = command.module;
    e = command.e;
    arguments = command.arguments;
    scale = command.scale;
    weight = command.weight;
    gradient_scale = command.gradient_scale;
    evaluations = 0;
    undefined = 0;
    improvements = 0;
    best_value = Inf;
    best_x = [];
  elseif strcmp (command, 'read')
    value = struct ('module', module, 'e', e, 'arguments', {arguments}, 'scale', scale, ...
                    'weight', weight, 'gradient_scale', gradient_scale, ...
                    'evaluations', evaluations, 'undefined', undefined, ...
                    'improvements', improvements, 'best_value', best_value, 'best_x', best_x);
  else
    module = [];
    e = [];
    arguments = {};
  end
  return;
end

evaluations = evaluations + 1;
if nargout > 1
  [value, gradient] = module (e, x .* scale, arguments{:});
  gradient = gradient' .* gradient_scale;
else
  value = module (e, x .* scale, arguments{:});
end
value = weight * value;
if value < best_value
  best_value = value;
  best_x = x;
  improvements = improvements + 1;
elseif ~(value < Inf)
  value = Inf;
  undefined = undefined + 1;
end
end
