function t = hostile_threshvol_mean_nll ()
  % The hostile battery's table for threshvol_mean_nll (see hostile_cases and
  % mean_likelihood_extras).
  y = [0.5; -1; 2; -0.3; 1];
  t.call = {y, [], 1, 2, 1, [0.1; 0.2; 0.1; 0.1; 0.1; 0.05; 0.8; 6], 1, 1, 1, 1, 2, 2, 1};
  t.arrays = {1, 'y'; 2, 'x'; 3, 'ar_lags'; 4, 'ma_lags'; 6, 'parameters'; 7, 'backcast'};
  t.scalars = {5, 'constant'; 8, 'p'; 9, 'o'; 10, 'q'; 11, 'm'; 12, 'type'; 13, 'distribution'};
  % T is the length of y, which the host cannot make huge; no array is sized by a scalar.
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 6, 'm', 11, 'distribution', 13, 'orders', [8, 9, 10], ...
                      'x', 2, 'ar_lags', 3, 'ma_lags', 4, 'constant', 5);
  t.extra = mean_likelihood_extras (t.call, positions);
end
