function t = hostile_volfilter_fit ()
  % The hostile battery's table for volfilter_fit (see hostile_cases): every option of
  % every model given every kind of array, orders and counts from 10^6 to 2^64 and
  % NaN, infinite, negative or fractional, pre-sample values that are no variance, data of
  % every class and shape and at the ends of the double range, and panels. A refusal must
  % come within a second and 100 MB, with an identifier volfilter:fit:* and a message that
  % says what is wrong in the user's terms.
  T = 1000;
  e = hostile_series (T, 21);
  id = @(name) ['volfilter:fit:' name];
  t.call = {'threshvol', e};
  t.requires = {'threshvol_nll', 'logvol_nll', 'shiftvol_nll', 'intvol_nll'};
  t.refusal = id ('badOption');
  t.budget = [1, 100e6];
  t.seconds = [30, 60];
  % model, its orders, its parameters at the default orders, the served value of type
  models = {'threshvol', {'p', 'o', 'q'}, 4, 2; 'logvol', {'p', 'o', 'q'}, 4, [];
            'shiftvol', {'p', 'q'}, 4, 1; 'intvol', {'p', 'q'}, 2, 2};

  t.options = cell (0, 4);
  for i = 1:rows (models)
    [model, orders, ~, type] = models{i, :};
    for name = [orders, {'m'}]
      t.options(end+1, :) = {{model, e}, name{1}, 1, 'number'};
    end
    if (! isempty (type))
      t.options(end+1, :) = {{model, e}, 'type', type, 'number'};
    end
  end
  t.options(end+1:end+6, :) = {{'threshvol', e}, 'backcast', 1, 'number';
                               {'threshvol', e}, 'max_evaluations', 100, 'number';
                               {'threshvol', e}, 'distribution', 't', 'text';
                               {'threshvol', e}, 'optimizer', 'sqp', 'text';
                               {'logvol', e}, 'upper_bound', 1000, 'number';
                               {'intvol', e}, 'constant', 1, 'logical'};

  t.extra = cell (0, 4);
  % The model and the number of inputs.
  for model = {{'threshvol'}, 'GARCH', '', 'threshvol ', ['threshvol'; 'threshvol'], 3, [], ...
               @sin, struct('model', 'threshvol')}
    t.extra(end+1, :) = {sprintf('model %s', describe (model{1})), {model{1}, e}, ...
                         {id('unknownModel')}, false};
  end
  t.extra(end+1, :) = {'model THRESHVOL', {'THRESHVOL', e}, {{'threshvol', e}}, false};
  t.extra(end+1, :) = {'no inputs', {}, {id('badData')}, false};
  t.extra(end+1, :) = {'no data', {'threshvol'}, {id('badData')}, false};

  % Data of every class and shape.
  refused = {'cell', num2cell(e); 'text', repmat('1', T, 1); 'struct', struct('e', e);
             'function handle', @sin; 'logical', e > 0; 'complex', complex(e, 1);
             'complex, imaginary part 0', complex(e, 0); 'sparse logical', sparse(e > 0);
             'empty', []; 'empty column', zeros(0, 1); 'empty row', zeros(1, 0);
             'empty of 2^62 rows', zeros(2^62, 0); 'empty of 2^62 columns', zeros(0, 2^62);
             'a 1-by-1-by-T array', reshape(e, 1, 1, T); 'a 2-by-2-by-2 array', ones(2, 2, 2);
             'a T-by-2-by-2 array', repmat(e, [1, 2, 2]);
             'a complex panel', complex([e, e], 1); 'a logical panel', [e, e] > 0};
  for i = 1:rows (refused)
    t.extra(end+1, :) = {['data ' refused{i, 1}], {'threshvol', refused{i, 2}}, ...
                         {id('badData')}, false};
  end
  acting = {'int32', int32(10 * e); 'int8', int8(10 * e); 'single', single(e);
            'sparse', sparse(e); 'row', e'; 'uint16', uint16(100 * abs (e))};
  for i = 1:rows (acting)
    t.extra(end+1, :) = {['data ' acting{i, 1}], {'threshvol', acting{i, 2}}, ...
                         {{'threshvol', full(double(acting{i, 2}(:)))}}, false};
  end
  with_value = @(k, v) [e(1:k-1); v; e(k+1:end)];
  bad_values = {'NaN first', with_value(1, NaN), 'e(1) is NaN.';
                'NaN last', with_value(T, NaN), 'e(1000) is NaN.';
                'Inf', with_value(500, Inf), 'e(500) is Inf.';
                '-Inf', with_value(2, -Inf), 'e(2) is -Inf.'};
  for i = 1:rows (bad_values)
    t.extra(end+1, :) = {['data ' bad_values{i, 1}], {'threshvol', bad_values{i, 2}}, ...
                         {id('nonFiniteData'), bad_values{i, 3}}, false};
  end
  constant = {'zeros', zeros(T, 1); 'ones', ones(T, 1); 'realmax', realmax * ones(T, 1);
              'subnormal', 4.9e-324 * ones(T, 1); 'one value', 1.5; 'every value -0', -zeros(T, 1)};
  for i = 1:rows (constant)
    t.extra(end+1, :) = {['data constant ' constant{i, 1}], {'threshvol', constant{i, 2}}, ...
                         {id('constantSeries')}, false};
  end
  t.extra(end+1, :) = {'data two values', {'threshvol', [1; 2]}, {id('tooFewObservations')}, false};

  % The ends of the double range: the squares of the data, their mean and the variances
  % formed from them must fit a double; outside, the user is told to rescale.
  rescale = 'rescale the series.';
  for scale = [1e-320, 1e-310, 1e-308, 1e-300, 1e-200, 1e-160, 1e-154, 1e-150, 2^-500, ...
               1e-147, 1e147, 1e150, 1e153, 1e154, 1e200, 1e300, 1e307]
    for model = {'threshvol', 'logvol'}
      t.extra(end+1, :) = {sprintf('%s, data scaled by %g', model{1}, scale), ...
                           {model{1}, scale * e}, {id('badScale'), rescale}, false};
    end
  end
  t.extra(end+1, :) = {'data scaled by 1e308', {'threshvol', 1e308 * e}, ...
                       {id('nonFiniteData')}, false};
  t.extra(end+1, :) = {'data subnormal', {'threshvol', 1e-310 * sign(e)}, ...
                       {id('badScale'), rescale}, false};
  t.extra(end+1, :) = {'data with one value of 1e200', {'threshvol', with_value(7, 1e200)}, ...
                       {id('badScale'), rescale}, false};
  for scale = [1e-145, 2^-480, 1e-100, 1e100, 2^480, 1e145]
    for model = {'threshvol', 'logvol', 'shiftvol', 'intvol'}
      t.extra(end+1, :) = {sprintf('%s, data scaled by %g', model{1}, scale), ...
                           {model{1}, scale * e}, @converged, false};
    end
  end
  t.extra(end+1, :) = {'data with a subnormal value', {'threshvol', with_value(9, 1e-310)}, ...
                       @converged, false};
  t.extra(end+1, :) = {'data of 10^6 values', {'threshvol', repmat(e, 1000, 1)}, @converged, true};

  % Option names.
  names = {'a cell', {'p'}; 'a number', 1; 'empty', ''; 'a column of text', ['p'; 'q'];
           'a struct', struct('p', 1); 'a prefix', 'dist'; 'upper_bound of logvol', 'upper_bound';
           'constant of intvol', 'constant'};
  for i = 1:rows (names)
    t.extra(end+1, :) = {['option name ' names{i, 1}], {'threshvol', e, names{i, 2}, 1}, ...
                         {id('unknownOption')}, false};
  end
  t.extra(end+1, :) = {'option o of shiftvol', {'shiftvol', e, 'o', 1}, {id('unknownOption')}, false};
  t.extra(end+1, :) = {'option type of logvol', {'logvol', e, 'type', 1}, {id('unknownOption')}, false};
  t.extra(end+1, :) = {'option name P', {'threshvol', e, 'P', 2}, {{'threshvol', e, 'p', 2}}, false};
  t.extra(end+1, :) = {'a name without a value', {'threshvol', e, 'p'}, {id('badOption')}, false};
  t.extra(end+1, :) = {'p given twice, the last huge', {'threshvol', e, 'p', 1, 'p', 1e18}, ...
                       {id('tooFewObservations')}, false};
  t.extra(end+1, :) = {'p given twice, the last 2', {'threshvol', e, 'p', 1e18, 'p', 2}, ...
                       {{'threshvol', e, 'p', 2}}, false};

  % Orders and m from 10^6 to 2^64, and values that are no count: refused before anything
  % is built, in constant time and memory, naming what is wrong.
  huge = [10 .^ (6:18), 2^31 - 1, 2^31, 2^53 + 2, 2^63, 2^64, realmax, T];
  no_count = [NaN, Inf, -Inf, -1, -2^63, 0.5, 1.5, -0.5];
  for i = 1:rows (models)
    [model, orders] = models{i, 1:2};
    for name = [orders, {'m'}]
      for v = huge
        t.extra(end+1, :) = {sprintf('%s %s = %.17g', model, name{1}, v), ...
                             {model, e, name{1}, v}, {id('tooFewObservations'), ...
                             sprintf('%s = %.15g leaves no observations: the sample has %d.', ...
                                     name{1}, v, T)}, false};
      end
      for v = no_count
        t.extra(end+1, :) = {sprintf('%s %s = %g', model, name{1}, v), {model, e, name{1}, v}, ...
                             {id('badOption'), 'must be a whole number of at least 0.'}, false};
      end
    end
    % Huge orders with m small: the orders are what is wrong.
    t.extra(end+1, :) = {sprintf('%s %s = 10^9, m = 5', model, orders{end}), ...
                         {model, e, orders{end}, 1e9, 'm', 5}, {id('tooFewObservations'), ...
                         sprintf('%s = 1000000000 leaves no observations: the sample has %d.', ...
                                 orders{end}, T)}, false};
  end
  t.extra(end+1, :) = {'m = -0', {'threshvol', e, 'p', 0, 'o', 0, 'q', 0, 'm', -0}, ...
                       {{'threshvol', e, 'p', 0, 'o', 0, 'q', 0, 'm', 0}}, false};
  t.extra(end+1, :) = {'m below the largest order', {'threshvol', e, 'p', 3, 'm', 2}, ...
                       {id('badOption'), 'm must be at least the largest order (3).'}, false};
  % The count of evaluations: any whole number from 1, capped where it makes no difference.
  for v = [10 .^ (6:18), 2^31 - 1, 2^31, 2^63, 2^64, realmax, Inf]
    t.extra(end+1, :) = {sprintf('max_evaluations = %.17g', v), ...
                         {'threshvol', e, 'max_evaluations', v}, {{'threshvol', e}}, false};
  end
  t.extra(end+1, :) = {'sqp, max_evaluations = 10^18', ...
                       {'threshvol', e, 'optimizer', 'sqp', 'max_evaluations', 1e18}, ...
                       {{'threshvol', e, 'optimizer', 'sqp'}}, false};
  for v = [NaN, -Inf, -1, 0, 0.5, -1e18]
    t.extra(end+1, :) = {sprintf('max_evaluations = %g', v), ...
                         {'threshvol', e, 'max_evaluations', v}, ...
                         {id('badOption'), 'must be a whole number of at least 1.'}, false};
  end

  % Few observations for the parameters: refused exactly below 10 a parameter.
  for i = 1:rows (models)
    [model, ~, k] = models{i, 1:3};
    for distribution = {'normal', 't'}
      k_here = k + strcmp (distribution{1}, 't');
      short = {model, e(1:10 * k_here), 'distribution', distribution{1}};
      t.extra(end+1, :) = {sprintf('%s %s, %d observations', model, distribution{1}, 10 * k_here), ...
                           short, {id('tooFewObservations'), sprintf(['the sample has %d ' ...
                           'observations: the %d after the first m = 1 are too few for %d ' ...
                           'parameters (at least %d).'], 10 * k_here, 10 * k_here - 1, k_here, ...
                           10 * k_here)}, false};
      short{2} = e(1:10 * k_here + 1);
      t.extra(end+1, :) = {sprintf('%s %s, %d observations', model, distribution{1}, ...
                                   10 * k_here + 1), short, @served, false};
    end
  end
  t.extra(end+1, :) = {'p = T - 1', {'threshvol', e, 'p', T - 1}, {id('tooFewObservations'), ...
                       'the 1 after the first m = 999 are too few for 1002 parameters (at least 10020).'}, ...
                       false};
  t.extra(end+1, :) = {'m = T - 1', {'threshvol', e, 'm', T - 1}, {id('tooFewObservations'), ...
                       'the 1 after the first m = 999 are too few for 4 parameters (at least 40).'}, ...
                       false};
  t.extra(end+1, :) = {'no parameter', {'intvol', e, 'p', 0, 'constant', false}, ...
                       {id('badOption')}, false};
  t.extra(end+1, :) = {'intvol q = 0', {'intvol', e, 'q', 0}, {id('badOption')}, false};

  % Pre-sample values: a variance or standard deviation must be positive, and what it
  % stands for as a variance must fit a double.
  positive = @(units) sprintf ('cannot be a pre-sample %s: it must be positive.', units);
  overflow = @(units, how) sprintf (['cannot be a pre-sample %s: the variance it stands ' ...
                                     'for, its %s, does not fit a double.'], units, how);
  backcasts = {'threshvol', {}, [-1, 0, -0, -realmax, -realmin], positive('variance');
               'shiftvol', {'type', 0}, [-1, 0], positive('variance');
               'shiftvol', {}, -1e-300, positive('variance');
               'intvol', {}, -1, positive('variance');
               'threshvol', {'type', 1}, [-1, 0], positive('standard deviation');
               'intvol', {'type', 1}, -2, positive('standard deviation');
               'threshvol', {'type', 1}, [1e200, 1e-200], overflow('standard deviation', 'square');
               'logvol', {}, [1000, -1000, realmax], overflow('log variance', 'exponential')};
  for i = 1:rows (backcasts)
    [model, more, values, ending] = backcasts{i, :};
    for v = values
      t.extra(end+1, :) = {sprintf('%s %s backcast %g', model, describe (more), v), ...
                           [{model, e, 'backcast', v}, more], {id('badOption'), ending}, false};
    end
  end
  for call = {{'threshvol', 1e-320}, {'threshvol', 1e300}, {'logvol', -1}, {'logvol', 0}, ...
              {'intvol', 1e-300}}
    t.extra(end+1, :) = {sprintf('%s backcast %g', call{1}{:}), ...
                         {call{1}{1}, e, 'backcast', call{1}{2}}, @served, false};
  end
  t.extra(end+1, :) = {'backcast EWMA', {'threshvol', e, 'backcast', 'EWMA'}, {{'threshvol', e}}, false};
  t.extra(end+1, :) = {'backcast Mean', {'threshvol', e, 'backcast', 'Mean'}, ...
                       {{'threshvol', e, 'backcast', 'mean'}}, false};
  t.extra(end+1, :) = {'backcast median', {'threshvol', e, 'backcast', 'median'}, ...
                       {id('badOption')}, false};
  % Other options at their edges.
  texts = {'distribution', 'T', {{'threshvol', e, 'distribution', 't'}};
           'distribution', 'Normal', {{'threshvol', e}};
           'distribution', 'student', {id('badOption')}; 'distribution', '', {id('badOption')};
           'optimizer', 'SQP', {{'threshvol', e, 'optimizer', 'sqp'}};
           'optimizer', 'Auto', {{'threshvol', e}}; 'optimizer', 'bfgs', {id('badOption')};
           'optimizer', 'fmincon', {id('noOptimizer')}; 'type', 3, {id('badOption')};
           'distribution', ['t'; 't'], {id('badOption')};
           'optimizer', ['sqp'; 'sqp'], {id('badOption')};
           'backcast', ['mean'; 'mean'], {id('badOption')};
           'type', 1.5, {id('badOption')}; 'type', NaN, {id('badOption')}};
  for i = 1:rows (texts)
    [name, value, outcome] = texts{i, :};
    t.extra(end+1, :) = {sprintf('%s %s', name, describe (value)), {'threshvol', e, name, value}, ...
                         outcome, false};
  end
  t.extra(end+1, :) = {'shiftvol type 2', {'shiftvol', e, 'type', 2}, {id('badOption')}, false};
  for v = [-1, 0, NaN, Inf, -Inf]
    t.extra(end+1, :) = {sprintf('upper_bound %g', v), {'logvol', e, 'upper_bound', v}, ...
                         {id('badOption')}, false};
  end
  for v = [1e308, realmax]
    t.extra(end+1, :) = {sprintf('upper_bound %g', v), {'logvol', e, 'upper_bound', v}, ...
                         @served, false};
  end
  for v = [2, -1, NaN, 0.5]
    t.extra(end+1, :) = {sprintf('constant %g', v), {'intvol', e, 'constant', v}, ...
                         {id('badOption')}, false};
  end

  % Start values: a vector of one finite value per parameter, within the model's bounds.
  s = [0.05; 0.05; 0.05; 0.85];
  starts = {'cell', num2cell(s), {id('badOption')}; 'text', '0.05', {id('badOption')};
            'struct', struct('s', s), {id('badOption')}; 'function handle', @sin, {id('badOption')};
            'logical', s > 0, {id('badOption')}; 'complex', complex(s, 1), {id('badOption')};
            'with NaN', [s(1:3); NaN], {id('badOption')}; 'with Inf', [Inf; s(2:4)], {id('badOption')};
            'a matrix', [s, s], {id('badOption')}; 'empty of 2^62 rows', zeros(2^62, 0), {{'threshvol', e}};
            'int32', int32(s), {{'threshvol', e, 'start', double(int32(s))}};
            'single', single(s), {{'threshvol', e, 'start', double(single(s))}};
            'sparse', sparse(s), {{'threshvol', e, 'start', s}};
            'row', s', {{'threshvol', e, 'start', s}};
            'empty', [], {{'threshvol', e}}; 'three values', s(1:3), {id('badStart')};
            'five values', [s; 8], {id('badStart')}; '10^6 values', zeros(1e6, 1), {id('badStart')};
            'outside the bounds', 1e308 * s, {id('badStart')};
            'nonstationary', [0.05; 0.5; 0.5; 0.5], {id('badStart')}};
  for i = 1:rows (starts)
    t.extra(end+1, :) = {['start ' starts{i, 1}], {'threshvol', e, 'start', starts{i, 2}}, ...
                         starts{i, 3}, false};
  end
  t.extra(end+1, :) = {'start, t: four values', {'threshvol', e, 'distribution', 't', 'start', s}, ...
                       {id('badStart')}, false};

  % Panels, a series a column: until they land each is refused as not a vector; once they
  % have, each column is fitted as it would be alone and a bad column is flagged, alone.
  e2 = hostile_series (T, 22);
  panels = {'two series', [e, e2], [];
            'a column with NaN', [e, with_value(3, NaN)], 2;
            'a constant column', [zeros(T, 1), e], 1;
            'a column scaled by 1e200', [e, 1e200 * e2, e2], 2;
            'int32', int32(10 * [e, e2]), []};
  for i = 1:rows (panels)
    [label, E, bad] = panels{i, :};
    t.extra(end+1, :) = {['panel, ' label], {'threshvol', E}, ...
                         @(served, result, err) panel_verdict (served, result, err, E, bad), false};
  end
end

function verdict = served (served, ~, err)
  verdict = 'ok';
  if (! served)
    verdict = sprintf ('refused with %s "%s", expected a fit', err.identifier, err.message);
  end
end

function verdict = converged (was_served, result, err)
  verdict = served (was_served, result, err);
  if (was_served && ! (result.converged && isfinite (result.loglik)))
    verdict = sprintf ('served, not converged (%s)', result.message);
  end
end

function verdict = panel_verdict (served, result, err, E, bad)
  verdict = 'ok';
  if (! served)
    verdict = sprintf ('refused with %s "%s", expected a fit per column', err.identifier, ...
                       err.message);
    if (strcmp (err.identifier, 'volfilter:fit:badData') && ! isempty (strfind (err.message, 'vector')))
      verdict = 'to come: refused as not a vector (panels have not landed)';
    end
    return;
  end
  if (! isstruct (result) || numel (result) != columns (E))
    verdict = sprintf ('served a %s of %d elements for %d columns', class (result), ...
                       numel (result), columns (E));
    return;
  end
  for j = 1:columns (E)
    if (any (j == bad))
      if (result(j).converged || isempty (strfind (result(j).message, num2str (j))))
        verdict = sprintf ('bad column %d not flagged: "%s"', j, result(j).message);
      end
    else
      alone = volfilter_fit ('threshvol', E(:, j));
      if (! isequal (typecast ([alone.parameters; alone.loglik], 'uint64'), ...
                     typecast ([result(j).parameters; result(j).loglik], 'uint64')))
        verdict = sprintf ('column %d: other estimates than its fit alone', j);
      end
    end
  end
end

function text = describe (value)
  if (ischar (value) && rows (value) <= 1)
    text = ['''' value ''''];
  elseif (isnumeric (value) && isscalar (value))
    text = sprintf ('%g', value);
  elseif (iscell (value) && isrow (value))
    text = strjoin (cellfun (@describe, value, 'UniformOutput', false), ', ');
  elseif (iscell (value) && isempty (value))
    text = '';
  else
    text = sprintf ('%s %s', mat2str (size (value)), class (value));
  end
end
