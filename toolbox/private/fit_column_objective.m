function [value, gradient] = fit_column_objective (x)
% [value, gradient] = fit_column_objective (x)
% fit_objective for optimisers that work on columns: X a column, the gradient a column.
if nargout > 1
  [value, gradient] = fit_objective (x');
  gradient = gradient';
else
  value = fit_objective (x');
end
end
