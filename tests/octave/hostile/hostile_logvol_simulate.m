function t = hostile_logvol_simulate ()
  % The hostile battery's table for logvol_simulate (see hostile_cases and simulation_extras).
  t.call = {[0.5, -1; 2, -0.3; 1, 0.2], [0.3; -0.4], [-0.01; 0.1; -0.05; 0.9], 0, 100, 1, 1, 1, 1};
  t.arrays = {1, 'z'; 2, 'history'; 3, 'parameters'; 4, 'backcast'; 5, 'upper_bound'};
  t.scalars = {6, 'p'; 7, 'o'; 8, 'q'; 9, 'm'};
  t.sized = cell (0, 3);
  positions = struct ('z', 1, 'history', 2, 'm', 9, 'orders', [6, 7, 8]);
  t.extra = simulation_extras (t.call, positions);
end
