function t = hostile_logvol_nll ()
  % The hostile battery's table for logvol_nll (see hostile_cases and likelihood_extras).
  e = [0.5; -1; 2; -0.3];
  t.call = {e, [-0.01; 0.1; -0.05; 0.9], 0, 100, 1, 1, 1, 1, 0};
  t.arrays = {1, 'e'; 2, 'parameters'; 3, 'backcast'; 4, 'upper_bound'};
  t.scalars = {5, 'p'; 6, 'o'; 7, 'q'; 8, 'm'; 9, 'distribution'};
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 2, 'm', 8, 'distribution', 9, 'orders', [5, 6, 7]);
  t.extra = likelihood_extras (t.call, positions);
end
