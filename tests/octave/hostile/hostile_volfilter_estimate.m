function t = hostile_volfilter_estimate ()
  % The hostile battery's table for volfilter_estimate (see hostile_cases and
  % estimation_extras): a panel of two GARCH(1,1) series of 60, fitted in every served call.
  E = reshape (sin ((1:120)' .^ 1.5) .* (1 + 0.5 * cos ((1:120)' / 7)), 60, 2);
  t.call = {0, E, 1, 0, 1, 2, 1, 0, 1, 0, [], [], [], 200, 2};
  t.arrays = {2, 'E'; 11, 'backcast'; 12, 'upper_bound'; 13, 'start'};
  t.scalars = {1, 'model'; 3, 'p'; 4, 'o'; 5, 'q'; 6, 'type'; 7, 'constant'; 8, 'distribution';
               9, 'm'; 10, 'backcast_rule'; 14, 'max_evaluations'; 15, 'threads'};
  t.sized = cell (0, 3);
  t.extra = estimation_extras (t.call, 'E');
  % Columns that cannot be fitted are not refused: their results are NaN.
  bad = E;
  bad(7, 2) = NaN;
  inputs = t.call;
  inputs{2} = bad;
  t.extra(end+1, :) = {'a column with NaN', inputs, {inputs}, false};
  for threads = [0, 7, 2^31 - 1]
    inputs = t.call;
    inputs{15} = threads;
    t.extra(end+1, :) = {sprintf('%g threads: the bits of 2', threads), inputs, {t.call}, false};
  end
  inputs = t.call;
  inputs{13} = [0.1; 0.1];
  t.extra(end+1, :) = {'a start of two values for three', inputs, {inputs}, false};
  inputs = t.call;
  inputs{14} = 2^31 - 1;
  t.extra(end+1, :) = {'2^31 - 1 evaluations', inputs, {inputs}, false};
end
