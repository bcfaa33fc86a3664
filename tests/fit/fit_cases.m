function cases = fit_cases ()
  % cases = fit_cases ()
  % Simulated fits of every model in each of its forms and both distributions:
  % {model, truth, options, T} a row, the series simulate_returns (model, truth, T,
  % options{:}, 'seed', row).
  cases = {
    % model       truth                            options                           T
    'threshvol', [0.05; 0.10; 0.85],              {'o', 0},                         2000
    'threshvol', [0.02; 0.05; 0.10; 0.88],        {},                               3000
    'threshvol', [0.02; 0.05; 0.10; 0.88; 6],     {'distribution', 't'},            3000
    'threshvol', [0.03; 0.06; 0.05; 0.88],        {'type', 1},                      3000
    'threshvol', [0.05; 0.10; 0.45; 0.40],        {'o', 0, 'q', 2, 'backcast', 'mean'}, 3000
    'logvol',    [-0.01; 0.15; -0.08; 0.95],      {},                               3000
    'logvol',    [-0.01; 0.15; -0.08; 0.95; 7],   {'distribution', 't'},            3000
    'shiftvol',  [0.03; 0.08; 0.5; 0.85],         {},                               3000
    'shiftvol',  [0.03; 0.08; 0.8; 0.80],         {'type', 0},                      3000
    'shiftvol',  [0.03; 0.08; 0.5; 0.85; 6],      {'distribution', 't'},            3000
    'intvol',    [0.01; 0.08],                    {},                               3000
    'intvol',    [0.01; 0.08; 8],                 {'distribution', 't'},            3000
    'intvol',    [0.02; 0.06],                    {'type', 1},                      3000
    'intvol',    [0.07],                          {'constant', false},              3000
  };
end
