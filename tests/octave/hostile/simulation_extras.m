function extra = simulation_extras (call, positions)
  % extra = simulation_extras (call, positions)
  % The calls of the hostile battery that every simulation module shares, as rows of a
  % table's `extra` (see hostile_cases), around the served CALL: histories of the wrong
  % number of columns, m and orders far beyond the history, innovations and histories that
  % are not finite, and innovations and histories shaped as empty arrays of 2^62 rows or
  % columns. POSITIONS names the inputs' places: z, history, m and orders (the lag orders).
  extra = cell (0, 4);
  z = call{positions.z};
  history = call{positions.history};
  columns_message = 'Input history must have one column or as many as z.';
  extra(end+1, :) = {'history of one column too many', ...
                     with(call, positions.history, repmat(history, 1, columns (z) + 1)), ...
                     columns_message, false};
  % Values that are not finite pass through the arithmetic.
  for position = [positions.z, positions.history]
    changed = call;
    changed{position}(1) = NaN;
    changed{position}(end) = -Inf;
    extra(end+1, :) = {sprintf('NaN and -Inf in input %d', position), changed, {changed}, false};
  end
  % m far beyond the history, every order with it: refused before anything is read.
  for m = [2^30, 2^31 - 1]
    inputs = with (call, positions.m, m);
    for position = positions.orders
      inputs{position} = m;
    end
    extra(end+1, :) = {sprintf('orders and m %.17g', m), inputs, ...
                       'Input m must not exceed the rows of history.', false};
  end
  extra(end+1, :) = {'m 2^31', with(call, positions.m, 2^31), ...
                     'must be a finite number within the range of a 32-bit integer.', false};
  extra(end+1, :) = {'m -1', with(call, positions.m, -1), 'Input m must not be negative.', false};
  % Innovations shaped as empty arrays of 2^62 rows or columns: no steps, empty outputs of
  % that shape. A history of 2^62 rows and no columns has the wrong number of columns; one
  % of no rows and 2^62 columns is an empty history. Each in a process of its own.
  for shape = {[2^62, 0], [0, 2^62]}
    inputs = with (call, positions.z, zeros (shape{1}));
    extra(end+1, :) = {sprintf('z empty %.17g-by-%.17g', shape{1}), inputs, {inputs}, true};
  end
  extra(end+1, :) = {'history empty 2^62-by-0', with(call, positions.history, zeros(2^62, 0)), ...
                     columns_message, true};
  extra(end+1, :) = {'history empty 0-by-2^62', with(call, positions.history, zeros(0, 2^62)), ...
                     'Input m must not exceed the rows of history.', true};
end

function inputs = with (inputs, position, value)
  inputs{position} = value;
end
