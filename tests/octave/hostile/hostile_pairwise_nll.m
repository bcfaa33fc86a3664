function t = hostile_pairwise_nll ()
  % The hostile battery's table for pairwise_nll (see hostile_cases).
  covariance = [2, 0.5; 0.5, 1];
  t.call = {covariance, [1; 2], [1, 2]};
  t.arrays = {1, 'covariance'; 2, 'data'; 3, 'pairs'};
  t.scalars = cell (0, 2);
  t.sized = cell (0, 3);
  bad_index = 'Input pairs must hold indices from 1 to the size of data.';
  t.extra = {};
  % Indices must lie in 1 to K (here 2); the test on them is a range test on the doubles.
  for index = [0, 0.999, -0, -1, 3, NaN, Inf, -Inf, 2^53, 2^63, 2^64, realmax]
    t.extra(end+1, :) = {sprintf('first index %.17g', index), {covariance, [1; 2], [index, 2]}, ...
                         bad_index, false};
    t.extra(end+1, :) = {sprintf('second index %.17g', index), {covariance, [1; 2], [1, index]}, ...
                         bad_index, false};
  end
  t.extra(end+1, :) = {'index 2.999 acts as 2', {covariance, [1; 2], [1, 2.999]}, ...
                       {{covariance, [1; 2], [1, 2]}}, false};
  % A bad index at the end of a long list, past any block the test works in.
  pairs = repmat ([1, 2], 37, 1);
  pairs(end, 2) = 3;
  t.extra(end+1, :) = {'bad index last of 37', {covariance, [1; 2], pairs}, bad_index, false};
  % Sizes from the inputs' shapes, as large as the host makes them (empty arrays of 2^62 or
  % more rows); each call in a process of its own.
  huge = 2^62;
  t.extra(end+1, :) = {'K = 2^62 from empty data', {covariance, zeros(huge, 0), [1, 2]}, ...
                       'Input covariance must have at least 18446744073709551615 elements.', true};
  t.extra(end+1, :) = {'K = 2^63 - 2^10 from empty data', ...
                       {covariance, zeros(0, 2^63 - 2^10), [1, 2]}, ...
                       'Input covariance must have at least 18446744073709551615 elements.', true};
  t.extra(end+1, :) = {'2^62 pairs of no columns', {covariance, [1; 2], zeros(huge, 0)}, ...
                       'Input pairs must have at least two columns.', true};
  t.extra(end+1, :) = {'empty covariance of 2^62 rows', {zeros(huge, 0), [1; 2], [1, 2]}, ...
                       'Input covariance must have at least 4 elements.', true};
  t.extra(end+1, :) = {'no pairs, 2^62 columns', {covariance, [1; 2], zeros(0, huge)}, ...
                       {{covariance, [1; 2], zeros(0, 2)}}, true};
end
