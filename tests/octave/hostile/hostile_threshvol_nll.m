function t = hostile_threshvol_nll ()
  % The hostile battery's table for threshvol_nll (see hostile_cases and likelihood_extras).
  e = [0.5; -1; 2; -0.3];
  t.call = {e, [0.1; 0.1; 0.05; 0.8; 6], 1, 1, 1, 1, 1, 2, 1};
  t.arrays = {1, 'e'; 2, 'parameters'; 3, 'backcast'};
  t.scalars = {4, 'p'; 5, 'o'; 6, 'q'; 7, 'm'; 8, 'type'; 9, 'distribution'};
  % T is the length of e, which the host cannot make huge; no array is sized by a scalar.
  t.sized = cell (0, 3);
  positions = struct ('e', 1, 'parameters', 2, 'm', 7, 'distribution', 9, 'orders', [4, 5, 6]);
  t.extra = likelihood_extras (t.call, positions);
end
