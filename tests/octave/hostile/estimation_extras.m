function extra = estimation_extras (call, series_name)
  % extra = estimation_extras (call, series_name)
  % The calls of the hostile battery that volfilter_plan and volfilter_estimate share, as rows
  % of a table's `extra` (see hostile_cases), around the served CALL: models and rules the core
  % does not know, orders and m far beyond the sample (every order with it), orders of two
  % hundred thousand on a sample long enough for them, and series shaped as empty arrays of
  % 2^62 rows or columns, each in a process of its own. SERIES_NAME is "e" or "E".
  extra = cell (0, 4);
  unknown_model = 'Input model must be 0 (threshvol), 1 (logvol), 2 (shiftvol) or 3 (intvol).';
  for model = [4, -1, 1e9]
    extra(end+1, :) = {sprintf('model %g', model), with(call, 1, model), unknown_model, false};
  end
  unknown_rule = 'Input backcast_rule must be 0 (ewma), 1 (mean) or 2 (the value given).';
  for rule = [3, -1]
    extra(end+1, :) = {sprintf('backcast_rule %g', rule), with(call, 10, rule), unknown_rule, ...
                       false};
  end
  extra(end+1, :) = {'constant 2', with(call, 7, 2), 'Input constant must be 0 or 1.', false};
  integrated = with (call, 1, 3);
  extra(end+1, :) = {'intvol with q 0', with(integrated, 5, 0), 'Input q must be at least 1.', ...
                     false};
  extra(end+1, :) = {'the value rule without a value', with(call, 10, 2), ...
                     'Input backcast must have at least 1 element.', false};
  for m = [2^30, 2^31 - 1]
    inputs = call;
    inputs([3, 4, 5, 9]) = {m};
    extra(end+1, :) = {sprintf('orders and m %.17g', m), inputs, 'Input m must not exceed T.', ...
                       false};
  end
  extra(end+1, :) = {'m below q', with(call, 5, 2), ...
                     'Input m must be at least the largest of p, o and q.', false};
  % Orders of two hundred thousand on a series that long: a plan of 600,001 parameters (its
  % dense constraint matrix more than the host holds), a fit that takes none of them (too
  % many); in a process of its own, ending as the same call ends.
  series = sin ((1:2e5)');
  if (strcmp (series_name, 'E'))
    series = [series, series];
  end
  long = with (call, 2, series);
  long([3, 4, 5, 9]) = {2e5};
  long{13} = [];
  extra(end+1, :) = {'orders of 200000', long, {long}, true};
  % The mean's four inputs after the others: its constant flag, the lag lists, the regressors.
  T = rows (call{2});
  mean = [call, {1, 1, [], []}];
  first = numel (call);
  extra(end+1, :) = {'with a mean', mean, {mean}, false};
  extra(end+1, :) = {'one of the mean''s inputs short', mean(1:end-1), ...
                     count_message(first), false};
  rows_x = {'mean_constant 2', first + 1, 2, 'Input mean_constant must be 0 or 1.';
            'mean_constant text', first + 1, '1', ...
            'Input mean_constant must be a real numeric scalar.';
            'ar_lags a cell', first + 2, {1}, 'Input ar_lags must be a real double array.';
            'ma_lags int32', first + 3, int32(1), 'Input ma_lags must be a real double array.';
            'x complex', first + 4, complex(ones(T, 1), 1), 'Input x must be a real double array.';
            'ar_lags a matrix', first + 2, ones(2, 2), 'Input ar_lags must be a vector.';
            'ar_lags 0', first + 2, 0, 'Input ar_lags must hold whole numbers from 1 to m.';
            'ar_lags 1.5', first + 2, 1.5, 'Input ar_lags must hold whole numbers from 1 to m.';
            'ma_lags past m', first + 3, 2, 'Input ma_lags must hold whole numbers from 1 to m.';
            'ma_lags NaN', first + 3, NaN, 'Input ma_lags must hold whole numbers from 1 to m.';
            'ma_lags 2^31', first + 3, 2^31, 'Input ma_lags must hold whole numbers from 1 to m.';
            'ar_lags a lag twice', first + 2, [1; 1], 'Input ar_lags must not hold a lag twice.';
            'x of T - 1 rows', first + 4, ones(T - 1, 1), 'Input x must have T rows.';
            'x with NaN', first + 4, [NaN; ones(T - 1, 1)], 'Input x must hold finite values.';
            'x of 1001 columns', first + 4, ones(T, 1001), ...
            'The mean has 1003 parameters, more than the 1000 a fit takes.'};
  for i = 1:rows (rows_x)
    extra(end+1, :) = {rows_x{i, 1}, with(mean, rows_x{i, 2}, rows_x{i, 3}), rows_x{i, 4}, false};
  end
  expected = sprintf ('Input %s must not be empty.', series_name);
  for shape = {[2^62, 0], [0, 2^62]}
    extra(end+1, :) = {sprintf('%s empty %.17g-by-%.17g', series_name, shape{1}), ...
                       with(call, 2, zeros (shape{1})), expected, true};
  end
end

function text = count_message (count)
  % The input-count message of the entry whose call has COUNT inputs without the mean's.
  if (count == 13)
    text = 'Seven, eleven, thirteen or seventeen inputs required.';
  else
    text = 'Fifteen or nineteen inputs required.';
  end
end

function inputs = with (inputs, position, value)
  inputs{position} = value;
end
