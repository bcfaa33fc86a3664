function [value, gradient] = scaled_nonlinear (x, constraint, scale)
% [value, gradient] = scaled_nonlinear (x, constraint, scale)
% A model's nonlinear constraint CONSTRAINT (theta) <= 0 at theta = x .* scale, with its
% gradient with respect to x as a row; a model's own gradient that stops before a shape
% parameter has zeros appended.
[value, model_gradient] = constraint (x(:) .* scale);
gradient = zeros (1, numel (scale));
gradient(1:numel (model_gradient)) = model_gradient;
gradient = gradient .* scale';
end
