function gradient = fit_gradient (x)
% gradient = fit_gradient (x)
% The gradient of fit_objective at X, for optimisers that ask for it on its own.
[~, gradient] = fit_objective (x);
end
