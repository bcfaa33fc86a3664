function t = hostile_logvol_filter ()
  % The hostile battery's table for logvol_filter (see hostile_cases).
  t.call = {[0.5; -1; 2], [0.1; 0.2; -0.1; 0.9], 0, 100, 1, 1, 1, 1, 3};
  t.arrays = {1, 'data'; 2, 'parameters'; 3, 'backcast'; 4, 'upper_bound'};
  t.scalars = {5, 'p'; 6, 'o'; 7, 'q'; 8, 'm'; 9, 'T'};
  % A negative m reads no data; the output and three working columns, four arrays of T.
  t.sized = {'negative m', @(T) {[], [], 0, [], 0, 0, 0, -1, T}, 4};
  t.extra = {};
end
