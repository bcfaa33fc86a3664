function t = hostile_lagreg_residuals ()
  % The hostile battery's table for lagreg_residuals (see hostile_cases).
  y = [1; 2; 3; 4];
  t.call = {[0.5; 0.5], 1, [], 1, y, [], 1, ones(4, 1)};
  t.arrays = {1, 'parameters'; 2, 'ar_lags'; 3, 'ma_lags'; 5, 'y'; 6, 'x'; 8, 'sigma'};
  t.scalars = {4, 'constant'; 7, 'm'};
  % T is the row count of y: an empty y of T rows, with m = T so that nothing is read. The
  % host has no array of 2^64 - 2^11 rows.
  t.sized = {'empty y of T rows, m = T', @(T) {[], [], [], 0, zeros(T, 0), [], T, []}, 1, ...
             [2^61, 2^62, 2^63 - 2^10, 1e12]};
  % Lags must lie in 1 to m (here 2); the test on them is a range test on the doubles.
  t.extra = {};
  model = @(lags) {zeros(numel(lags) + 1, 1), [1; lags], [], 0, y, [], 2, ones(4, 1)};
  for lag = [0, 0.5, -0, -1, 3, NaN, Inf, -Inf, 2^31, 2^32 + 1, 2^63, 2^64, realmax]
    t.extra(end+1, :) = {sprintf('ar lag %.17g', lag), model(lag), ...
                         'Input ar_lags must hold lags from 1 to m.', false};
  end
  t.extra(end+1, :) = {'ar lag 2.999 acts as 2', model(2.999), {model(2)}, false};
  % A bad lag at the end of a long list, past any block the test works in.
  lags = [ones(38, 1); 3];
  t.extra(end+1, :) = {'bad lag last of 40', model(lags), ...
                       'Input ar_lags must hold lags from 1 to m.', false};
end
