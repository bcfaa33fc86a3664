function t = hostile_threshvol_filter ()
  % The hostile battery's table for threshvol_filter (see hostile_cases).
  t.call = {[1; 2; 7], [2; 4; 9], [0.5; 0.25; 0.125; 0.5], 2, 1, 1, 1, 1, 3, 2};
  t.arrays = {1, 'data'; 2, 'asym_data'; 3, 'parameters'; 4, 'backcast'};
  t.scalars = {5, 'p'; 6, 'o'; 7, 'q'; 8, 'm'; 9, 'T'; 10, 'type'};
  % No data read, and a recursion that writes all T entries of its one array.
  t.sized = {'no lags, m = 0', @(T) {[], [], 1, [], 0, 0, 0, 0, T, 2}, 1;
             'pre-sample fill, m = 1', @(T) {[], [], 1, 2, 0, 0, 0, 1, T, 2}, 1;
             'q = 1, m = 1, power 1', @(T) {[], [], [1; 0.5], 2, 0, 0, 1, 1, T, 1}, 1};
  t.extra = {};
end
