function gradient = fit_gradient (x)
% gradient = fit_gradient (x)
% The gradient of fit_objective at the column X, a column, for optimisers that work on
% columns and ask for the gradient on its own.
[value, gradient] = fit_objective (x'); %#ok<ASGLU>
gradient = gradient';
end
