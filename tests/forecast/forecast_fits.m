function fits = forecast_fits ()
  % fits = forecast_fits ()
  % Fits of 3000 returns drawn from each model: {label, fit, analytic?}.
  % label, model, truth, options (for the simulation and the fit alike)
  specs = {
    'GARCH(1,1)', 'threshvol', [0.05; 0.08; 0.88], {'o', 0}
    'GJR(1,1,1)', 'threshvol', [0.05; 0.05; 0.08; 0.85], {}
    'GJR(2,1,2), t', 'threshvol', [0.05; 0.04; 0.03; 0.08; 0.5; 0.3; 8], ...
        {'p', 2, 'q', 2, 'distribution', 't'}
    'threshold power 1', 'threshvol', [0.03; 0.06; 0.05; 0.88], {'type', 1}
    'EGARCH(1,1,1), t', 'logvol', [0.0; 0.12; -0.06; 0.97; 7], {'distribution', 't'}
    'constant shift', 'shiftvol', [0.05; 0.08; 0.3; 0.85], {}
    'scaled shift (2,1)', 'shiftvol', [0.05; 0.04; 0.03; 0.5; 0.85], {'type', 0, 'p', 2}
    'IGARCH(1,1)', 'intvol', [0.02; 0.1], {}
    'integrated (1,2), no constant', 'intvol', [0.08; 0.5], {'q', 2, 'constant', false}
  };
  fits = cell (rows (specs), 3);
  for i = 1:rows (specs)
    [label, model, truth, options] = specs{i, :};
    backcast = {};
    if (strcmp (model, 'intvol'))
      backcast = {'backcast', 1};
    end
    sim = volfilter_simulate (model, truth, 3000, 1, options{:}, backcast{:});
    fit = volfilter_fit (model, sim.e, options{:});
    type = fit.type;
    analytic = ! strcmp (model, 'logvol') && ! (type == 1 && ! strcmp (model, 'shiftvol'));
    fits(i, :) = {label, fit, analytic};
  end
end
