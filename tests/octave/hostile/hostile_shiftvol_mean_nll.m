function t = hostile_shiftvol_mean_nll ()
  % The hostile battery's table for shiftvol_mean_nll (see hostile_cases and
  % mean_likelihood_extras).
  y = [0.5; -1; 2; -0.3; 1];
  t.call = {y, [], 1, 2, 1, [0.1; 0.2; 0.1; 0.1; 0.1; 0.3; 0.8], 1, 1, 1, 2, 0, 0};
  t.arrays = {1, 'y'; 2, 'x'; 3, 'ar_lags'; 4, 'ma_lags'; 6, 'parameters'; 7, 'backcast'};
  t.scalars = {5, 'constant'; 8, 'p'; 9, 'q'; 10, 'm'; 11, 'type'; 12, 'distribution'};
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 6, 'm', 10, 'distribution', 12, 'orders', [8, 9], ...
                      'x', 2, 'ar_lags', 3, 'ma_lags', 4, 'constant', 5);
  t.extra = mean_likelihood_extras (t.call, positions);
end
