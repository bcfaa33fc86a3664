function [value, gradient] = linear_constraint (x, row, bound)
% [value, gradient] = linear_constraint (x, row, bound)
% One linear inequality row * x <= bound as NLopt takes it: value row * x - bound (at most 0
% where it holds) and its gradient in the shape of x.
value = row * x(:) - bound;
gradient = reshape (row, size (x));
end
