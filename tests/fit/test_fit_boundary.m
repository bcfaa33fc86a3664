function test_fit_boundary ()
  % test_fit_boundary ()
  % The constraints active at the estimates, from the core on every path: a bound (alpha at 0
  % on returns without news effects), the linear stationarity condition and the nonlinear one
  % of the scaled shift (integrated returns), none inside. Each is in fit.active_constraints
  % under its name, and volfilter_fit warns once (volfilter:fit:atBoundary) naming it; a panel
  % warns once, counting its columns on a boundary.
  require_likelihoods ();
  % At alpha = 0 the other parameters are barely identified: only the boundary's warning is
  % looked at here.
  warning ('off', 'volfilter:fit:singularHessian');
  randn ('state', 2);
  calm = randn (1000, 1);
  integrated = simulate_returns ('intvol', [0.01; 0.1], 3000, 'seed', 1);
  inside = simulate_returns ('threshvol', [0.05; 0.10; 0.85], 2000, 'o', 0, 'seed', 1);
  cases = {
    % model       e           options          active
    'threshvol', calm,       {'o', 0},         {'alpha1 >= 0'}
    'threshvol', integrated, {'o', 0},         {'stationarity'}
    'shiftvol',  integrated, {'type', 0},      {'stationarity'}
    'threshvol', inside,     {'o', 0},         cell(0, 1)
  };
  optimizers = {'sqp'};
  if (any (exist ('nlopt_optimize') == [2 3]))
    optimizers{end + 1} = 'nlopt';
  end
  if (exist ('volfilter_estimate') == 3)
    optimizers{end + 1} = 'compiled';
  end
  for c = 1:rows (cases)
    [model, e, options, active] = cases{c, :};
    for o = optimizers
      lastwarn ('');
      fit = volfilter_fit (model, e, options{:}, 'optimizer', o{1});
      [text, identifier] = lastwarn ();
      named = isempty (active) || (strcmp (identifier, 'volfilter:fit:atBoundary')
                                   && ! isempty (strfind (text, ['(' active{1} ')'])));
      if (! isequal (fit.active_constraints, active(:)) || ! named
          || (isempty (active) && ! isempty (identifier)))
        error ('%s %d by %s: active {%s}, warned %s "%s"', model, c, o{1}, ...
               strjoin (fit.active_constraints', ', '), identifier, text);
      end
    end
  end
  lastwarn ('');
  fits = volfilter_fit ('threshvol', [inside(1:1000), calm, inside(1001:2000)], 'o', 0, ...
                        'optimizer', optimizers{end});
  [text, identifier] = lastwarn ();
  counted = '1 of 3 threshvol columns have estimates on a boundary (column 2)';
  if (! strcmp (identifier, 'volfilter:fit:atBoundary') || isempty (strfind (text, counted)))
    error ('panel: warned %s "%s"', identifier, text);
  end
  printf ('fit boundary: %d cases by %s\n', rows (cases), strjoin (optimizers, ', '));
end
