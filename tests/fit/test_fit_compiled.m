function test_fit_compiled ()
  % test_fit_compiled ()
  % The compiled fit against the NLopt path in Octave (the same plan, start and stopping
  % rules; the compiled fit's SLSQP moves in coordinates whitened by the scores at the start)
  % on every case of the fit tests and of the demonstrations: a log-likelihood not lower by
  % more than 1e-9 of itself, estimates within 1e-3 standard errors and standard errors
  % within 1e-3 of the NLopt path's (both stop within about 1e-5 of the maximum), both
  % converged or neither; the demonstrations' panel fitted in one call against each of its
  % series fitted by the NLopt path.
  require_compiled ();
  cases = fit_cases ();
  compared = 0;
  for c = 1:rows (cases)
    [model, truth, options, T] = cases{c, :};
    r = simulate_returns (model, truth, T, options{:}, 'seed', c);
    compare (model, r, options, sprintf ('case %d', c));
    compared += 1;
  end
  % The other fit tests' series: the closed forms of test_fit_standard_errors, its Student's t
  % and sandwich cases, test_fit_fallback's, test_fit_recovery's series at other scales.
  randn ('state', 3);
  calm = 0.7 * randn (800, 1);
  garch = [0.05; 0.08; 0.87];
  gjr = [0.02; 0.05; 0.10; 0.88];
  t = {'distribution', 't'};
  scaled = simulate_returns ('threshvol', [gjr; 6], 2000, t{:}, 'seed', 99);
  egarch = simulate_returns ('logvol', [-0.01; 0.15; -0.08; 0.95; 7], 2000, t{:}, 'seed', 22);
  shifted = simulate_returns ('shiftvol', [0.03; 0.08; 0.8; 0.80], 2000, 'type', 0, 'seed', 23);
  integrated = simulate_returns ('intvol', 0.07, 2000, 'constant', false, 'seed', 24);
  others = {
    % model       series                                                    options
    'threshvol', calm,                                                     {'p', 0, 'o', 0, 'q', 0}
    'logvol',    calm,                                                     {'p', 0, 'o', 0, 'q', 0}
    'threshvol', simulate_returns('threshvol', [gjr; 6], 3000, t{:}, 'seed', 5), t
    'threshvol', simulate_returns('threshvol', garch, 4000, 'o', 0, 'seed', 7), {'o', 0}
    'threshvol', simulate_returns('threshvol', [garch; 5], 4000, 'o', 0, t{:}, 'seed', 7), ...
                 {'o', 0}
    'threshvol', simulate_returns('threshvol', gjr, 2000, 'seed', 21),      {}
    'logvol',    egarch,                                                   t
    'shiftvol',  shifted,                                                  {'type', 0}
    'intvol',    integrated,                                               {'constant', false}
    'threshvol', 1e-3 * scaled,                                            t
    'threshvol', 1e3 * scaled,                                             t
  };
  for c = 1:rows (others)
    [model, r, options] = others{c, :};
    compare (model, r, options, sprintf ('other test''s case %d', c));
    compared += 1;
  end

  % The demonstrations, with the options of their volfilter_fit calls (fit_by_sqp).
  demos = {
    % kind     model        truth                           options          T
    'gjr',    'threshvol', [0.02; 0.05; 0.10; 0.88],       {},                4000
    'egarch', 'logvol',    [-0.01; 0.15; -0.08; 0.95],     {},                2000
    'gjr',    'threshvol', [0.02; 0.05; 0.10; 0.88; 6],    {'distribution', 't'}, 4000
  };
  for d = 1:rows (demos)
    [kind, model, truth, options, T] = demos{d, :};
    r = simulate_returns (model, truth, T, options{:}, 'seed', 1);
    distribution = 'normal';
    if (! isempty (options))
      distribution = 't';
    end
    today = fit_by_sqp (kind, r, distribution);
    compare (model, r, today.options, sprintf ('demonstration %s %s', kind, distribution));
    compared += 1;
  end

  % demo_panel's 200 GARCH(1,1) series in one call.
  rand ('state', 1);
  alpha = 0.03 + 0.09 * rand (1, 200);
  persistence = 0.90 + 0.08 * rand (1, 200);
  panel = simulate_panel ([1 - persistence; alpha; persistence - alpha], 2000, 1);
  fits = volfilter_fit ('threshvol', panel, 'o', 0);
  for j = 1:columns (panel)
    nlopt = volfilter_fit ('threshvol', panel(:, j), 'o', 0, 'optimizer', 'nlopt');
    agree (fits(j), nlopt, sprintf ('panel column %d', j));
  end
  printf ('fit compiled: %d cases and a panel of %d at the NLopt path''s maximum\n', compared, ...
          columns (panel));
end

function compare (model, r, options, label)
  compiled = volfilter_fit (model, r, options{:}, 'optimizer', 'compiled');
  nlopt = volfilter_fit (model, r, options{:}, 'optimizer', 'nlopt');
  if (! strcmp (compiled.optimizer, 'compiled'))
    error ('%s: optimizer %s', label, compiled.optimizer);
  end
  agree (compiled, nlopt, label);
end

function agree (compiled, nlopt, label)
  apart = abs (compiled.parameters - nlopt.parameters) ./ nlopt.std_errors;
  if (compiled.loglik < nlopt.loglik - 1e-9 * abs (nlopt.loglik) || any (apart > 1e-3)
      || compiled.converged != nlopt.converged || ! isequal (compiled.names, nlopt.names)
      || compiled.backcast != nlopt.backcast
      || any (abs (compiled.std_errors ./ nlopt.std_errors - 1) > 1e-3))
    error ('%s: compiled %.12f (%s) %s, NLopt path %.12f (%s) %s', label, compiled.loglik, ...
           compiled.message, mat2str (compiled.parameters', 8), nlopt.loglik, nlopt.message, ...
           mat2str (nlopt.parameters', 8));
  end
end
