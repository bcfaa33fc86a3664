function extra = mean_likelihood_extras (call, positions)
  % extra = mean_likelihood_extras (call, positions)
  % The calls of the hostile battery that every likelihood with a mean shares: those of
  % likelihood_extras (its series y), then lags that are not whole numbers from 1 to m, at
  % the end of a long list too, regressors of the wrong number of rows or not finite, and a
  % constant flag other than 0 or 1. POSITIONS as for likelihood_extras, with x, ar_lags,
  % ma_lags and constant; the served CALL has no regressors and m = 2.
  positions.series = 'y';
  positions.lags = [positions.ar_lags, positions.ma_lags];
  extra = likelihood_extras (call, positions);
  lags = 'Input %s must hold whole numbers from 1 to m.';
  for lag = [0, 0.5, -0, -1, 1.5, 3, NaN, Inf, -Inf, 2^31, 2^32 + 1, 2^63, 2^64, realmax]
    extra(end+1, :) = {sprintf('ar lag %.17g', lag), with(call, positions.ar_lags, [1; lag]), ...
                       sprintf(lags, 'ar_lags'), false};
    extra(end+1, :) = {sprintf('ma lag %.17g', lag), with(call, positions.ma_lags, lag), ...
                       sprintf(lags, 'ma_lags'), false};
  end
  extra(end+1, :) = {'bad lag last of 40', with(call, positions.ar_lags, [ones(39, 1); 3]), ...
                     sprintf(lags, 'ar_lags'), false};
  extra(end+1, :) = {'lags as a matrix', with(call, positions.ma_lags, [1, 2; 2, 1]), ...
                     'Input ma_lags must be a vector.', false};
  extra(end+1, :) = {'lags as a row', with(call, positions.ar_lags, call{positions.ar_lags}.'), ...
                     {call}, false};
  y = call{positions.e};
  T = numel (y);
  regressors = {'x of T - 1 rows', ones(T - 1, 1), 'Input x must have T rows.';
                'x of T + 1 rows', ones(T + 1, 2), 'Input x must have T rows.';
                'x with NaN', [1; NaN; ones(T - 2, 1)], 'Input x must hold finite values.';
                'x with -Inf', [ones(T - 1, 1); -Inf], 'Input x must hold finite values.';
                'x of T rows and 3 pages', ones(T, 2, 3), ''};
  for i = 1:rows (regressors)
    inputs = with (call, positions.x, regressors{i, 2});
    if (isempty (regressors{i, 3}))
      % A T-by-2-by-3 array is read as T-by-6: six more parameters, which it lacks.
      extra(end+1, :) = {regressors{i, 1}, inputs, 'elements.', false};
    else
      extra(end+1, :) = {regressors{i, 1}, inputs, regressors{i, 3}, false};
    end
  end
  extra(end+1, :) = {'x of 0 columns and many rows', with(call, positions.x, zeros(9, 0)), ...
                     {call}, false};
  for constant = [2, -1, 1.5]
    if (constant == 1.5)
      extra(end+1, :) = {'constant 1.5 acts as 1', with(call, positions.constant, constant), ...
                         {call}, false};
    else
      extra(end+1, :) = {sprintf('constant %g', constant), ...
                         with(call, positions.constant, constant), ...
                         'Input constant must be 0 or 1.', false};
    end
  end
end

function inputs = with (inputs, position, value)
  inputs{position} = value;
end
