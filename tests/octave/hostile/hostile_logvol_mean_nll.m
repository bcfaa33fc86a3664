function t = hostile_logvol_mean_nll ()
  % The hostile battery's table for logvol_mean_nll (see hostile_cases and
  % mean_likelihood_extras).
  y = [0.5; -1; 2; -0.3; 1];
  t.call = {y, [], 1, 2, 1, [0.1; 0.2; 0.1; -0.01; 0.1; -0.05; 0.9], 0, 100, 1, 1, 1, 2, 0};
  t.arrays = {1, 'y'; 2, 'x'; 3, 'ar_lags'; 4, 'ma_lags'; 6, 'parameters'; 7, 'backcast';
              8, 'upper_bound'};
  t.scalars = {5, 'constant'; 9, 'p'; 10, 'o'; 11, 'q'; 12, 'm'; 13, 'distribution'};
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 6, 'm', 12, 'distribution', 13, ...
                      'orders', [9, 10, 11], 'x', 2, 'ar_lags', 3, 'ma_lags', 4, 'constant', 5);
  t.extra = mean_likelihood_extras (t.call, positions);
end
