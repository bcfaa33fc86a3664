function t = hostile_intvol_filter ()
  % The hostile battery's table for intvol_filter (see hostile_cases).
  t.call = {[4; 8; NaN], [0.5; 0.25], 2, 1, 1, 1, 3, 2, 1};
  t.arrays = {1, 'data'; 2, 'parameters'; 3, 'backcast'};
  t.scalars = {4, 'p'; 5, 'q'; 6, 'm'; 7, 'T'; 8, 'type'; 9, 'has_constant'};
  % p = 0, q = 1, m = 1: no data read, a fill and a recursion over all T entries.
  t.sized = {'p = 0, q = 1, m = 1', @(T) {[], 0.1, 2, 0, 1, 1, T, 2, 1}, 1};
  t.extra = {};
end
