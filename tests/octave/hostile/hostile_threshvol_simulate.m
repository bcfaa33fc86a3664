function t = hostile_threshvol_simulate ()
  % The hostile battery's table for threshvol_simulate (see hostile_cases and
  % simulation_extras).
  t.call = {[0.5, -1; 2, -0.3; 1, 0.2], [0.3; -0.4], [0.1; 0.1; 0.05; 0.8], 1, 1, 1, 1, 1, 2};
  t.arrays = {1, 'z'; 2, 'history'; 3, 'parameters'; 4, 'backcast'};
  t.scalars = {5, 'p'; 6, 'o'; 7, 'q'; 8, 'm'; 9, 'type'};
  % T and N are the shape of z, which the host cannot make huge; no array is sized by a scalar.
  t.sized = cell (0, 3);
  positions = struct ('z', 1, 'history', 2, 'm', 8, 'orders', [5, 6, 7]);
  t.extra = simulation_extras (t.call, positions);
end
