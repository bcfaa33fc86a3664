function test_fit_fallback ()
  % test_fit_fallback ()
  % The host's own optimiser, asked for as where NLopt is absent: sqp reaches the maximum
  % that SLSQP reaches, through every kind of constraint (linear rows, the nonlinear
  % stationarity of the scaled shift with its Jacobian, none at all, bounds only), and says
  % which optimiser it was. 'auto' takes the compiled fit where volfilter_estimate is built,
  % else NLopt where nlopt_optimize is installed.
  require_likelihoods ();
  cases = {
    % model       truth                          options
    'threshvol', [0.02; 0.05; 0.10; 0.88],      {}
    'logvol',    [-0.01; 0.15; -0.08; 0.95; 7], {'distribution', 't'}
    'shiftvol',  [0.03; 0.08; 0.8; 0.80],       {'type', 0}
    'intvol',    [0.07],                        {'constant', false}
  };
  for c = 1:rows (cases)
    [model, truth, options] = cases{c, :};
    r = simulate_returns (model, truth, 2000, options{:}, 'seed', 20 + c);
    host = volfilter_fit (model, r, options{:}, 'optimizer', 'sqp');
    nlopt = volfilter_fit (model, r, options{:}, 'optimizer', 'nlopt');
    apart = abs (host.parameters - nlopt.parameters) ./ nlopt.std_errors;
    if (! host.converged || ! strcmp (host.optimizer, 'sqp') || ! strncmp (host.message, 'sqp ', 4)
        || abs (host.loglik - nlopt.loglik) > 1e-7 * abs (nlopt.loglik) || any (apart > 1e-2))
      error ('%s with sqp: %s, log-likelihood %.9f (NLopt %.9f), estimates %s (NLopt %s)', ...
             model, host.message, host.loglik, nlopt.loglik, mat2str (host.parameters', 6), ...
             mat2str (nlopt.parameters', 6));
    end
  end
  automatic = volfilter_fit ('threshvol', simulate_returns ('threshvol', cases{1, 2}, 1000));
  expected = 'nlopt';
  if (exist ('volfilter_estimate') == 3)
    expected = 'compiled';
  end
  if (! strcmp (automatic.optimizer, expected) || ! strncmp (automatic.message, 'NLOPT_', 6))
    error ('auto chose %s (%s), not %s', automatic.optimizer, automatic.message, expected);
  end
  printf ('fit fallback: %d fits by sqp at the maximum of SLSQP\n', rows (cases));
end
