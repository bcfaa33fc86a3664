function t = hostile_volfilter_simulate ()
  % The hostile battery's table for volfilter_simulate (see hostile_cases): T, N and every
  % option of both forms (a fit, a model by its parameters) given every kind of array,
  % counts from 10^6 to 2^64 and NaN, infinite, negative or fractional, innovations of
  % every kind, parameters at the ends of the double range, models of a million lags, and
  % fits that are not fits (fit_extras). A refusal must come within a second and 100 MB,
  % with an identifier volfilter:simulate:*; paths the host cannot hold are refused before
  % any is made.
  t.requires = {'threshvol_nll', 'logvol_nll', 'shiftvol_nll', 'intvol_nll', ...
                'threshvol_simulate', 'logvol_simulate', 'shiftvol_simulate', 'intvol_simulate'};
  fits = hostile_fits (t.requires);
  if (isempty (fits))
    return;
  end
  fit = fits.gjr_t;
  id = @(name) ['volfilter:simulate:' name];
  t.refusal = id ('badOption');
  t.budget = [1, 100e6];
  t.seconds = [30, 120];
  ours = @(served, result, err) hostile_ours (served, err, 'volfilter:simulate:');
  % Calls that compare two of them give their innovations and draw nothing: a fit's paths
  % continue its sample, and a model of constant variance (no lags) has no pre-sample
  % values to draw.
  z = reshape (sin (1:15), 5, 3);
  z7 = reshape (sin (1:21), 7, 3);
  flat = {'threshvol', 0.5, 5, 3, 'p', 0, 'o', 0, 'q', 0, 'z', z, 'burn_in', 0};
  flat_logvol = [{'logvol'}, flat(2:end)];
  t.positional = {{fit, 5, 3}, 1, 'fit', 1, 'none', 'volfilter:simulate:';
                  {fit, 5, 3, 'z', z}, 2, 'T', 5, 'number', id('badCount');
                  {fit, 5, 3, 'z', z}, 3, 'N', 3, 'number', id('badCount');
                  flat, 3, 'T', 5, 'number', id('badCount');
                  flat, 4, 'N', 3, 'number', id('badCount')};
  t.options = {{fit, 5, 3}, 'origin', 'end', 'text', [];
               {fit, 5, 3}, 'distribution', 'fitted', 'text', [];
               [flat(1:11), {z7}], 'burn_in', 2, 'optional number', id('badCount');
               flat, 'backcast', 1, 'optional number', [];
               flat, 'p', 0, 'number', id('badCount');
               flat, 'o', 0, 'number', id('badCount');
               flat, 'q', 0, 'number', id('badCount');
               flat, 'type', 2, 'number', [];
               flat, 'distribution', 'normal', 'text', [];
               flat, 'origin', 'unconditional', 'text', [];
               flat_logvol, 'upper_bound', 1000, 'number', []};

  % Counts: whole numbers from 1 (burn_in from 0), below 2^53; paths that the battery's
  % child cannot hold are refused before any is made, the others served.
  prefix = 'volfilter:simulate:';
  counts = {'T', 'T', @(v) {fit, v, 1}, 1; 'N', 'N', @(v) {fit, 1, v}, 1;
            'burn_in', 'burn_in', @(v) {fit, 1, 1, 'origin', 'unconditional', 'burn_in', v}, 0;
            'T of a model', 'T', @(v) {'threshvol', [0.1; 0.1; 0.8], v, 1, 'o', 0}, 1};
  t.extra = cell (0, 4);
  for c = 1:rows (counts)
    t.extra = [t.extra; count_extras(counts{c, :}, prefix, 10 .^ (9:15))];
    t.extra(end+1, :) = {[counts{c, 1} ' 10^6'], counts{c, 3}(1e6), @served, false};
  end
  t.extra(end+1, :) = {'10^5 steps of 10^4 paths', {fit, 1e5, 1e4}, {id('tooLarge')}, false};
  t.extra(end+1, :) = {'a panel of 10 fits, 10^7 steps of 10 paths', ...
                       {repmat(fits.garch, 10, 1), 1e7, 10}, {id('tooLarge')}, false};
  t.extra(end+1, :) = {'a panel of 100 fits', {repmat(fits.garch, 100, 1), 5, 2}, @served, false};

  % Models by their parameters: every kind of array, values at the ends of the range,
  % models with no unconditional level, of a million lags.
  kinds = hostile_kinds (0.1);
  kinds = [kinds(:, 1:2); {'a row', [0.1, 0.1, 0.8]; 'int32', int32([1; 0; 0]);
                           'single', single([0.1; 0.1; 0.8]); 'sparse', sparse([0.1; 0.1; 0.8]);
                           'with NaN', [0.1; NaN; 0.8]; 'with Inf', [Inf; 0.1; 0.8];
                           'too many', [0.1; 0.1; 0.8; 0.5]; 'of 2^62 rows', zeros(2^62, 0);
                           'omega realmax', [realmax; 0.1; 0.8]; 'omega subnormal', [5e-324; 0.1; 0.8];
                           'zero', [0; 0; 0]; 'negative omega', [-1; 0.1; 0.8];
                           'beta 1e300', [0.1; 0.1; 1e300]; 'alpha -realmax', [0.1; -realmax; 0.8]}];
  for k = 1:rows (kinds)
    t.extra(end+1, :) = {['parameters ' kinds{k, 1}], ...
                         {'threshvol', kinds{k, 2}, 5, 3, 'o', 0}, ours, false};
  end
  for model = {'threshvol', 'logvol', 'shiftvol', 'intvol', {}, 3, ['threshvol'; 'threshvol'], ...
               'THRESHVOL', 'garch', ''}
    t.extra(end+1, :) = {sprintf('model %s', disp (model{1})(1:end-1)), ...
                         {model{1}, [0.1; 0.1; 0.8], 5, 3, 'o', 0}, ours, false};
  end
  lags = 1e6;
  alpha = [0.1; 0.5 / lags * ones(lags, 1)];
  t.extra(end+1, :) = {'a model of 10^6 lags', {'threshvol', [alpha; 0.3], 5, 1, 'p', lags, ...
                       'o', 0, 'burn_in', 0}, @served, false};
  mixed = [0.1; 0.5; -0.3 / lags * ones(lags - 1, 1)];
  t.extra(end+1, :) = {'a model of 10^6 lags of both signs', {'threshvol', [mixed; 0.3], 5, 1, ...
                       'p', lags, 'o', 0, 'burn_in', 0}, ours, false};
  t.extra(end+1, :) = {'10^4 paths after 10^6 lags', {'threshvol', [alpha; 0.3], 5, 1e4, 'p', lags, ...
                       'o', 0, 'burn_in', 0}, {id('tooLarge'), 'a model of fewer lags.'}, false};
  for p = [1e6, 1e9, 2^31, 2^53, 1e18, NaN, -1, 0.5]
    t.extra(end+1, :) = {sprintf('model p %g with 3 parameters', p), ...
                         {'threshvol', [0.1; 0.1; 0.8], 5, 3, 'p', p, 'o', 0}, ...
                         {'volfilter:simulate:'}, false};
  end
  for constant = {true, false, 1, 0, int8(1), 2, -1, NaN, 0.5, 'yes', {true}, [true, false]}
    served_constant = (islogical (constant{1}) || isnumeric (constant{1})) ...
                      && isscalar (constant{1}) && any (constant{1} == [0, 1]);
    outcome = {id('badOption'), 'constant must be true or false.'};
    parameters = [0.02; 0.1];
    if (served_constant)
      outcome = @served;
      parameters = parameters(2 - constant{1}:end);
    end
    t.extra(end+1, :) = {sprintf('intvol constant %s', disp (constant{1})(1:end-1)), ...
                         {'intvol', parameters, 5, 3, 'backcast', 1, 'constant', constant{1}}, ...
                         outcome, false};
  end

  % Innovations: finite reals of burn_in + T rows and N columns, of any numeric class.
  innovations = {'cell', num2cell(z), {id('badInnovations')}; 'text', repmat('1', 5, 3), {id('badInnovations')};
                 'struct', struct('z', z), {id('badInnovations')}; 'logical', z > 0, {id('badInnovations')};
                 'complex', complex(z, 1), {id('badInnovations')}; 'transposed', z', {id('badInnovations')};
                 'a 3-D array', reshape(z, 5, 3, 1, 1), {{fit, 5, 3, 'z', z}};
                 'of 5-by-3-by-2', repmat(z, [1, 1, 2]), {id('badInnovations')};
                 'with NaN', [z(1:4, :); NaN(1, 3)], {id('badInnovations'), 'z(5) is NaN.'};
                 'with -Inf', [-Inf(1, 3); z(2:5, :)], {id('badInnovations'), 'z(1) is -Inf.'};
                 'empty of 2^62 rows', zeros(2^62, 0), {id('badInnovations')};
                 'int32', int32(10 * z), {{fit, 5, 3, 'z', double(int32(10 * z))}};
                 'single', single(z), {{fit, 5, 3, 'z', double(single(z))}};
                 'sparse', sparse(z), {{fit, 5, 3, 'z', z}};
                 'realmax', realmax * ones(5, 3), ours; 'subnormal', 5e-324 * ones(5, 3), ours};
  for i = 1:rows (innovations)
    t.extra(end+1, :) = {['z ' innovations{i, 1}], {fit, 5, 3, 'z', innovations{i, 2}}, ...
                         innovations{i, 3}, false};
  end

  t.extra = [t.extra; name_extras({fit, 5, 3, 'z', z}, 'origin', 'end', prefix)];
  t.extra(end+1, :) = {'option p of a fit', {fit, 5, 3, 'p', 1}, {id('unknownOption')}, false};
  t.extra(end+1, :) = {'no N', {fit, 5}, {id('badFit')}, false};
  t.extra(end+1, :) = {'no inputs', {}, {id('badFit')}, false};
  t.extra(end+1, :) = {'a model without N', {'threshvol', [0.1; 0.1; 0.8], 5}, {id('badOption')}, false};

  % Fits that are not fits: every field of every kind, fields missing, struct arrays with
  % bad members; the sample's fields also for the bootstrap, the model's own fields from
  % the unconditional level.
  t.extra = [t.extra; fit_extras(fit, @(f) {f, 3, 2}, prefix)];
  t.extra = [t.extra; fit_extras(fit, @(f) {f, 3, 2, 'distribution', 'bootstrap'}, prefix, ...
                                 {'std_residuals', 'm', 'residuals'})];
  unconditional = {'origin', 'unconditional', 'burn_in', 2};
  t.extra = [t.extra; fit_extras(fits.logvol, @(f) [{f, 3, 2}, unconditional], prefix, ...
                                 {'upper_bound', 'parameters', 'o'})];
  t.extra = [t.extra; fit_extras(fits.intvol, @(f) [{f, 3, 2, 'backcast', 1}, unconditional], ...
                                 prefix, {'constant', 'q', 'parameters'})];
  t.extra = [t.extra; fit_extras(fits.shiftvol, @(f) [{f, 3, 2}, unconditional], prefix, ...
                                 {'type', 'parameters'})];
end

function verdict = served (served, ~, err)
  verdict = 'ok';
  if (! served)
    verdict = sprintf ('refused with %s "%s", expected paths', err.identifier, err.message);
  end
end
