function t = hostile_intvol_mean_nll ()
  % The hostile battery's table for intvol_mean_nll (see hostile_cases and
  % mean_likelihood_extras).
  y = [0.5; -1; 2; -0.3; 1];
  t.call = {y, [], 1, 2, 1, [0.1; 0.2; 0.1; 0.1; 0.1; 6], 1, 1, 1, 2, 1, 1, 1};
  t.arrays = {1, 'y'; 2, 'x'; 3, 'ar_lags'; 4, 'ma_lags'; 6, 'parameters'; 7, 'backcast'};
  t.scalars = {5, 'constant'; 8, 'p'; 9, 'q'; 10, 'm'; 11, 'type'; 12, 'has_constant';
               13, 'distribution'};
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 6, 'm', 10, 'distribution', 13, 'orders', 8, ...
                      'x', 2, 'ar_lags', 3, 'ma_lags', 4, 'constant', 5);
  t.extra = mean_likelihood_extras (t.call, positions);
end
