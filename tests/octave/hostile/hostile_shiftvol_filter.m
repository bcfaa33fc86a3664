function t = hostile_shiftvol_filter ()
  % The hostile battery's table for shiftvol_filter (see hostile_cases).
  t.call = {[NaN; 1; -1], [0.1; 0.1; 0.5; 0.8], 1, 1, 1, 1, 3, 1};
  t.arrays = {1, 'data'; 2, 'parameters'; 3, 'backcast'};
  t.scalars = {4, 'p'; 5, 'q'; 6, 'm'; 7, 'T'; 8, 'type'};
  % A negative m reads no data; the output and a working column, two arrays of T.
  t.sized = {'negative m', @(T) {[], [0.1; 0.2], [], 0, 0, -1, T, 1}, 2};
  t.extra = {};
end
