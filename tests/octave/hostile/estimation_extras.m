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
  expected = sprintf ('Input %s must not be empty.', series_name);
  for shape = {[2^62, 0], [0, 2^62]}
    extra(end+1, :) = {sprintf('%s empty %.17g-by-%.17g', series_name, shape{1}), ...
                       with(call, 2, zeros (shape{1})), expected, true};
  end
end

function inputs = with (inputs, position, value)
  inputs{position} = value;
end
