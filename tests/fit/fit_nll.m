function varargout = fit_nll (fit, e, theta)
  % [nll, gradient, scores, ht, residuals] = fit_nll (fit, e, theta)
  % The likelihood module of the fit FIT at THETA, called with the inputs the fit reports it
  % used: the likelihood that the fit maximised, and as many of its outputs as asked for.
  % With a mean (a constant or terms), E is the returns and the module the mean likelihood.
  distribution = double (strcmp (fit.distribution, 't'));
  switch (fit.model)
    case 'threshvol'
      args = {fit.backcast, fit.p, fit.o, fit.q, fit.m, fit.type, distribution};
    case 'logvol'
      args = {fit.backcast, fit.upper_bound, fit.p, fit.o, fit.q, fit.m, distribution};
    case 'shiftvol'
      args = {fit.backcast, fit.p, fit.q, fit.m, fit.type, distribution};
    case 'intvol'
      args = {fit.backcast, fit.p, fit.q, fit.m, fit.type, double(fit.constant), distribution};
  end
  varargout = cell (1, max (nargout, 1));
  if (isfield (fit, 'mean') && (strcmp (fit.mean, 'constant')
                                || ! isempty ([fit.ar; fit.ma]) || ! isempty (fit.x)))
    constant = double (strcmp (fit.mean, 'constant'));
    [varargout{:}] = feval ([fit.model '_mean_nll'], e, fit.x, fit.ar, fit.ma, constant, ...
                            theta, args{:});
  else
    [varargout{:}] = feval ([fit.model '_nll'], e, theta, args{:});
  end
end
