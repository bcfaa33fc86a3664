function [value, gradient] = linear_constraint (x, row, bound)
% [value, gradient] = linear_constraint (x, row, bound)
% One linear inequality row * x' <= bound as NLopt takes it, X and ROW rows: the value
% x * row' - bound (at most 0 where it holds) and its gradient.
value = x * row' - bound;
gradient = row;
end
