function varargout = fit_nll (fit, e, theta)
  % [nll, gradient, scores, ht] = fit_nll (fit, e, theta)
  % The likelihood module of the fit FIT at THETA, called with the inputs the fit reports it
  % used: the likelihood that the fit maximised, and as many of its outputs as asked for.
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
  [varargout{:}] = feval ([fit.model '_nll'], e, theta, args{:});
end
