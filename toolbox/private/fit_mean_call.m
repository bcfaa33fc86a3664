function varargout = fit_mean_call (module, mean, y, theta, varargin)
% [nll, gradient, scores, ht, residuals] = fit_mean_call (module, mean, y, theta, ...)
% The likelihood of returns Y with a mean: MODULE (a <model>_mean_nll module) called with the
% mean's inputs MEAN ({constant, ar_lags, ma_lags, x}, as fit_module_inputs gives them), the
% parameters THETA and the variance model's inputs after them. Y may be a head of the returns:
% x is given the same rows.
x = mean{4};
if rows (x) > numel (y)
  x = x(1:numel (y), :);
end
[varargout{1:max (nargout, 1)}] = module (y, x, mean{2}, mean{3}, mean{1}, theta, varargin{:});
end
