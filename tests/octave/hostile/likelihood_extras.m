function extra = likelihood_extras (call, positions)
  % extra = likelihood_extras (call, positions)
  % The calls of the hostile battery that every likelihood module shares, as rows of a
  % table's `extra` (see hostile_cases), around the served CALL: residuals that are not a
  % finite vector, distributions the modules do not know, no parameters, orders and m far
  % beyond the sample, and residuals shaped as empty arrays of 2^62 rows or columns.
  % POSITIONS names the inputs' places: e, parameters, m, distribution, and orders (the lag
  % orders); a likelihood with a mean names its series (positions.series, 'y') and its lag
  % lists (positions.lags), which the calls of no observation conditioned on leave empty.
  extra = cell (0, 4);
  series = 'e';
  if (isfield (positions, 'series'))
    series = positions.series;
  end
  vector = sprintf ('Input %s must be a vector.', series);
  finite = sprintf ('Input %s must hold finite values.', series);
  bad_e = {'e a matrix', [1, 2; 3, 4], vector;
           'e a 2-by-2-by-2 array', ones(2, 2, 2), vector;
           'e with NaN', [1; NaN; 2; 3], finite;
           'e with Inf last', [1; 2; 3; Inf], finite;
           'e with -Inf first', [-Inf; 2; 3; 4], finite};
  for i = 1:rows (bad_e)
    extra(end+1, :) = {bad_e{i, 1}, with(call, positions.e, bad_e{i, 2}), bad_e{i, 3}, false};
  end
  unknown = 'Input distribution must be 0 (normal) or 1 (Student''s t).';
  for code = [2, -1, 7, 1e9]
    extra(end+1, :) = {sprintf('distribution %g', code), ...
                       with(call, positions.distribution, code), unknown, false};
  end
  % A row of residuals is the same series as a column.
  extra(end+1, :) = {'e as a row', with(call, positions.e, call{positions.e}.'), {call}, false};
  extra(end+1, :) = {'no parameters', with(call, positions.parameters, []), ...
                     'elements.', false};
  % m far beyond the sample, every order with it: refused before anything is read.
  for m = [2^30, 2^31 - 1]
    inputs = with (call, positions.m, m);
    for position = positions.orders
      inputs{position} = m;
    end
    extra(end+1, :) = {sprintf('orders and m %.17g', m), inputs, 'Input m must not exceed T.', ...
                       false};
  end
  extra(end+1, :) = {'m 2^31', with(call, positions.m, 2^31), ...
                     'must be a finite number within the range of a 32-bit integer.', false};
  extra(end+1, :) = {'m -1', with(call, positions.m, -1), 'Input m must not be negative.', false};
  % Residuals shaped as empty arrays of 2^62 rows or columns: T is 0 and nothing is modelled,
  % as with no residuals at all. Each in a process of its own.
  served = with (call, positions.m, 0);
  for position = positions.orders
    served{position} = 0;
  end
  served{positions.parameters} = call{positions.parameters};
  if (isfield (positions, 'lags'))
    for position = positions.lags
      served{position} = [];
    end
  end
  for shape = {[2^62, 0], [0, 2^62]}
    extra(end+1, :) = {sprintf('e empty %.17g-by-%.17g', shape{1}), ...
                       with(served, positions.e, zeros(shape{1})), ...
                       {with(served, positions.e, zeros(0, 1))}, true};
  end
end

function inputs = with (inputs, position, value)
  inputs{position} = value;
end
