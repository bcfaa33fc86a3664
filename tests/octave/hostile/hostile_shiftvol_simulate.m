function t = hostile_shiftvol_simulate ()
  % The hostile battery's table for shiftvol_simulate (see hostile_cases and
  % simulation_extras).
  t.call = {[0.5, -1; 2, -0.3; 1, 0.2], [0.3; -0.4], [0.1; 0.1; 0.3; 0.8], 1, 1, 1, 1, 0};
  t.arrays = {1, 'z'; 2, 'history'; 3, 'parameters'; 4, 'backcast'};
  t.scalars = {5, 'p'; 6, 'q'; 7, 'm'; 8, 'type'};
  t.sized = cell (0, 3);
  positions = struct ('z', 1, 'history', 2, 'm', 7, 'orders', [5, 6]);
  t.extra = simulation_extras (t.call, positions);
end
