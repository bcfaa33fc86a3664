function t = hostile_intvol_nll ()
  % The hostile battery's table for intvol_nll (see hostile_cases and likelihood_extras).
  e = [0.5; -1; 2; -0.3];
  t.call = {e, [0.1; 0.1; 6], 1, 1, 1, 1, 2, 1, 1};
  t.arrays = {1, 'e'; 2, 'parameters'; 3, 'backcast'};
  t.scalars = {4, 'p'; 5, 'q'; 6, 'm'; 7, 'type'; 8, 'has_constant'; 9, 'distribution'};
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 2, 'm', 6, 'distribution', 9, 'orders', 4);
  t.extra = likelihood_extras (t.call, positions);
end
