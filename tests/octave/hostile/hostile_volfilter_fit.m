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
  t.requires = {'threshvol_nll', 'logvol_nll', 'shiftvol_nll', 'intvol_nll', 'volfilter_plan', ...
                'threshvol_mean_nll', 'logvol_mean_nll', 'shiftvol_mean_nll', 'intvol_mean_nll'};
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
  t.options(end+1:end+8, :) = {{'threshvol', e}, 'backcast', 1, 'number';
                               {'threshvol', e}, 'max_evaluations', 100, 'number';
                               {'threshvol', e}, 'threads', 1, 'number';
                               {'threshvol', e}, 'diagnostics', 1, 'logical';
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
  % Threads likewise, more than the core ever starts (a panel's rows below too).
  for v = [10 .^ [6, 9, 18], 2^31, 2^64, Inf]
    t.extra(end+1, :) = {sprintf('threads = %.17g', v), {'threshvol', e, 'threads', v}, ...
                         {{'threshvol', e}}, false};
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

  % The mean: lag lists of every class and shape, lags from 10^6 to 2^64 and no lag at all,
  % regressors of every class, shape and value, and series the mean fits exactly or cannot
  % tell apart; refused in the user's terms, the lags against the sample before anything
  % is built for them.
  lags_refused = 'must be a list of lags, whole numbers of at least 1.';
  x = hostile_series (T, 23);
  for family = {'ar', 'ma'}
    f = family{1};
    kinds = {'int32', int32([1; 2]), {{'threshvol', e, f, [1; 2]}};
             'single', single(2), {{'threshvol', e, f, 2}};
             'sparse', sparse([1; 3]), {{'threshvol', e, f, [1; 3]}};
             'a row', [1, 2], {{'threshvol', e, f, [1; 2]}};
             'unsorted', [3; 1], @served;
             'empty', [], {{'threshvol', e}}; 'empty 0-by-3', zeros(0, 3), {{'threshvol', e}};
             'empty of 2^62 rows', zeros(2^62, 0), {{'threshvol', e}};
             'cell', {1}, {id('badOption'), lags_refused};
             'text', '1', {id('badOption'), lags_refused};
             'struct', struct('lag', 1), {id('badOption'), lags_refused};
             'function handle', @sin, {id('badOption'), lags_refused};
             'logical', true, {id('badOption'), lags_refused};
             'complex', complex(1, 1), {id('badOption'), lags_refused};
             'a matrix', [1, 2; 3, 4], {id('badOption'), lags_refused};
             'a 1-by-1-by-2 array', reshape([1, 2], 1, 1, 2), {id('badOption'), lags_refused};
             'a lag twice', [1; 2; 1], {id('badOption'), 'could not be told apart.'};
             '10^6 copies of a lag', ones(1e6, 1), {id('badOption'), 'could not be told apart.'};
             'lags 1 to 10^6', (1:1e6)', {id('tooFewObservations')};
             'lags 1 to 999', (1:999)', {id('tooFewObservations'), 'the 1 after the first m = 999 are too few for 1004 parameters (at least 10040).'};
             'lag 4, m 3', 4, {id('badOption'), 'm must be at least the largest lag of the mean (4).'}};
    for i = 1:rows (kinds)
      more = {};
      if (strcmp (kinds{i, 1}, 'lag 4, m 3'))
        more = {'m', 3};
      end
      t.extra(end+1, :) = {sprintf('%s as %s', kinds{i, 1}, f), [{'threshvol', e, f, kinds{i, 2}}, more], ...
                           kinds{i, 3}, false};
    end
    for v = [0, -1, 0.5, 1.5, NaN, Inf, -Inf, -2^63]
      t.extra(end+1, :) = {sprintf('%s lag %g', f, v), {'threshvol', e, f, [1; v]}, ...
                           {id('badOption'), lags_refused}, false};
    end
    for v = [T, 10 .^ (6:18), 2^31 - 1, 2^31, 2^53 + 2, 2^63, 2^64, realmax]
      t.extra(end+1, :) = {sprintf('%s lag %.17g', f, v), {'threshvol', e, f, [1; v]}, ...
                           {id('tooFewObservations'), sprintf(['%s lag = %.15g leaves no ' ...
                           'observations: the sample has %d.'], f, v, T)}, false};
    end
  end
  for model = {'threshvol', 'logvol', 'shiftvol', 'intvol'}
    t.extra(end+1, :) = {sprintf('%s with ar 1, ma 1 and x', model{1}), ...
                         {model{1}, e, 'ar', 1, 'ma', 1, 'x', x}, @converged, false};
  end
  means = {'mean Constant', {'mean', 'Constant'}, {{'threshvol', e, 'mean', 'constant'}};
           'mean zero', {'mean', 'zero'}, {{'threshvol', e}};
           'mean zero with ar 1', {'mean', 'zero', 'ar', 1}, @served;
           'mean constant without terms', {'mean', 'constant', 'ar', []}, @served;
           'mean ar', {'mean', 'ar'}, {id('badOption')}; 'mean empty', {'mean', ''}, {id('badOption')};
           'mean 1', {'mean', 1}, {id('badOption')}; 'mean true', {'mean', true}, {id('badOption')};
           'mean a cell', {'mean', {'zero'}}, {id('badOption')};
           'mean a column of text', {'mean', ['zero'; 'zero']}, {id('badOption')}};
  for i = 1:rows (means)
    t.extra(end+1, :) = {means{i, 1}, [{'threshvol', e}, means{i, 2}], means{i, 3}, false};
  end
  ending = @(n) sprintf ('x must have a row for each of the %d observations; it has %d.', T, n);
  xs = {'int32', int32(10 * x), {{'threshvol', e, 'x', double(int32(10 * x))}};
        'single', single(x), {{'threshvol', e, 'x', double(single(x))}};
        'sparse', sparse(x), {{'threshvol', e, 'x', x}};
        'empty', [], {{'threshvol', e}}; 'T-by-0', zeros(T, 0), {{'threshvol', e}};
        'empty of 2^62 rows', zeros(2^62, 0), {{'threshvol', e}};
        'a row', x', {id('badOption'), ending(1)};
        'T - 1 rows', x(2:end), {id('badOption'), ending(T - 1)};
        'T + 1 rows', [x; 1], {id('badOption'), ending(T + 1)};
        'with NaN', [x(1:end-1); NaN], {id('badOption'), 'x must hold finite values.'};
        'with Inf', [Inf; x(2:end)], {id('badOption'), 'x must hold finite values.'};
        'cell', num2cell(x), {id('badOption')}; 'text', repmat('1', T, 1), {id('badOption')};
        'struct', struct('x', x), {id('badOption')}; 'logical', x > 0, {id('badOption')};
        'complex', complex(x, 1), {id('badOption')}; 'function handle', @sin, {id('badOption')};
        'T-by-1-by-2', repmat(x, [1, 1, 2]), {id('badOption')};
        'T-by-1001', repmat(x, 1, 1001), {id('tooFewObservations')};
        'zeros', zeros(T, 1), {id('meanSingular')}; 'ones', ones(T, 1), {id('meanSingular')};
        'two equal columns', [x, x], {id('meanSingular')};
        'e itself, no constant', e, {id('meanExact')}};
  for i = 1:rows (xs)
    more = {};
    if (strcmp (xs{i, 1}, 'e itself, no constant'))
      more = {'mean', 'zero'};
    end
    t.extra(end+1, :) = {['x ' xs{i, 1}], [{'threshvol', e, 'x', xs{i, 2}}, more], xs{i, 3}, false};
  end
  t.extra(end+1, :) = {'sqp, x of ones', {'threshvol', e, 'x', ones(T, 1), 'optimizer', 'sqp'}, ...
                       {id('meanSingular')}, false};
  t.extra(end+1, :) = {'sqp, x e itself', {'threshvol', e, 'x', e, 'mean', 'zero', 'optimizer', ...
                       'sqp'}, {id('meanExact')}, false};

  % Panels, a series a column: each good column is the bits of its fit alone, each bad one
  % is flagged alone (its own message, NaN results), on the compiled fit and on the
  % fallback; what concerns every column alike is refused for the whole call.
  e2 = hostile_series (T, 22);
  sqp = {'optimizer', 'sqp'};
  panels = {'two series', [e, e2], {}, cell(0, 2);
            'a column with NaN', [e, with_value(3, NaN)], {}, {2, 'e(3) is NaN.'};
            'a constant column', [zeros(T, 1), e], {}, {1, 'no variance to model.'};
            'a column scaled by 1e200', [e, 1e200 * e2, e2], {}, {2, 'rescale the series.'};
            'a column scaled by 1e-160', [1e-160 * e, e2], {}, {1, 'rescale the series.'};
            'a column with one value of 1e200', [e, with_value(5, 1e200)], {}, ...
            {2, 'rescale the series.'};
            'every column bad', [with_value(1, -Inf), ones(T, 1)], {}, ...
            {1, 'e(1) is -Inf.'; 2, 'no variance to model.'};
            'int32', int32(10 * [e, e2]), {}, cell(0, 2);
            'threads 10^18', [e, e2], {'threads', 1e18}, cell(0, 2);
            'sqp, two series', [e, e2], sqp, cell(0, 2);
            'sqp, bad columns', [with_value(9, Inf), e, 1e200 * e2, 1e-160 * e2], sqp, ...
            {1, 'e(9) is Inf.'; 3, 'rescale the series.'; 4, 'rescale the series.'};
            'ar 1 and x shared', [e, e2], {'ar', 1, 'x', x}, cell(0, 2);
            'ar 1 and x shared, a column x itself', [e, x, e2], {'mean', 'zero', 'x', x}, ...
            {2, 'leave no variance to model.'};
            'sqp, ar 1 and ma 2', [e, e2], [sqp, {'ar', 1, 'ma', 2}], cell(0, 2)};
  for i = 1:rows (panels)
    [label, E, more, bad] = panels{i, :};
    t.extra(end+1, :) = {['panel, ' label], [{'threshvol', E}, more], ...
                         @(served, result, err) panel_verdict (served, result, err, E, more, ...
                                                               bad), false};
  end
  t.extra(end+1, :) = {'panel, ar lag 10^6', {'threshvol', [e, e2], 'ar', 1e6}, ...
                       {id('tooFewObservations')}, false};
  t.extra(end+1, :) = {'panel, x of T - 1 rows', {'threshvol', [e, e2], 'x', x(2:end)}, ...
                       {id('badOption')}, false};
  for call = {{'p', 1e6}, {'q', T - 1}, {'start', s(1:3)}, {'start', s(1:3), 'optimizer', 'sqp'}}
    t.extra(end+1, :) = {['panel, ' describe(call{1})], [{'threshvol', [e, e2, e]}, call{1}], ...
                         {id(merge (numel (call{1}{2}) > 1, 'badStart', ...
                                    'tooFewObservations'))}, false};
  end
  t.extra(end+1, :) = {'panel of two rows', {'threshvol', [e(1:2), e2(1:2)]}, ...
                       {id('tooFewObservations')}, false};
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

function verdict = panel_verdict (served, result, err, E, more, bad)
  % Each column as fitted alone, or flagged alone where BAD (rows {column, ending}) says.
  verdict = 'ok';
  if (! served || numel (result) != columns (E))
    verdict = sprintf ('expected a fit per column, got %d (%s)', numel (result), err.message);
    return;
  end
  for j = 1:columns (E)
    r = result(j);
    flagged = find (cellfun (@(c) isequal (c, j), bad(:, 1)));
    if (! isempty (flagged))
      expected = sprintf ('not fitted (column %d): ', j);
      ending = bad{flagged, 2};
      if (r.converged || ! strncmp (r.message, expected, numel (expected))
          || ! strcmp (r.message(max (1, end-numel (ending)+1):end), ending)
          || ! all (isnan ([r.parameters; r.std_errors; r.loglik; r.ht])))
        verdict = sprintf ('bad column %d not flagged alone: "%s"', j, r.message);
      end
      continue;
    end
    alone = volfilter_fit ('threshvol', E(:, j), more{:});
    bits = @(f) typecast ([f.parameters; f.loglik; f.covariance(:)], 'uint64');
    if (! isequal (bits (alone), bits (r)) || ! strcmp (alone.message, r.message))
      verdict = sprintf ('column %d: other estimates than its fit alone ("%s")', j, r.message);
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
