function y = simulate_mean (spec, e, identifier, caller)
% y = simulate_mean (spec, e, identifier, caller)
% The returns of the simulated residuals E (a path a column) under the fit's mean model:
% the residuals themselves for a fit of residuals (no mean terms), plus the constant mu
% where the fit has one. A mean's autoregressive, moving-average and regression terms
% (parameters named ar<lag>, ma<lag>, x<column>) would follow the paths' own past returns
% and residuals and the regressors' future values; they are refused with IDENTIFIER
% ':meanModel' until they are simulated here.
y = e;
for i = 1:numel (spec.mean_names)
  name = spec.mean_names{i};
  if strcmp (name, 'mu')
    y = y + spec.mean_values(i);
  else
    error ([identifier ':meanModel'], ...
           '%s: the fit''s mean term %s is not simulated; only a constant mean (mu) is.', ...
           caller, name);
  end
end
end
