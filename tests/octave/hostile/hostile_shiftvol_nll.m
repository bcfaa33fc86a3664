function t = hostile_shiftvol_nll ()
  % The hostile battery's table for shiftvol_nll (see hostile_cases and likelihood_extras).
  e = [0.5; -1; 2; -0.3];
  t.call = {e, [0.1; 0.1; 0.5; 0.8], 1, 1, 1, 1, 0, 0};
  t.arrays = {1, 'e'; 2, 'parameters'; 3, 'backcast'};
  t.scalars = {4, 'p'; 5, 'q'; 6, 'm'; 7, 'type'; 8, 'distribution'};
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 2, 'm', 6, 'distribution', 8, 'orders', [4, 5]);
  t.extra = likelihood_extras (t.call, positions);
end
