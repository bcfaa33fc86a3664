function t = hostile_volfilter_forecast ()
  % The hostile battery's table for volfilter_forecast (see hostile_cases): the horizon and
  % every option given every kind of array, horizons and paths from 10^6 to 2^64 and NaN,
  % infinite, negative or fractional, quantiles of every kind, and fits that are not fits
  % (fit_extras). A refusal must come within a second and 100 MB, with an identifier
  % volfilter:forecast:*; what the host cannot hold is refused before it is made.
  t.requires = {'threshvol_nll', 'logvol_nll', 'shiftvol_nll', 'intvol_nll', 'threshvol_filter', ...
                'logvol_filter', 'intvol_filter', 'threshvol_simulate', 'logvol_simulate', ...
                'intvol_simulate'};
  fits = hostile_fits (t.requires);
  if (isempty (fits))
    return;
  end
  fit = fits.gjr_t;
  id = @(name) ['volfilter:forecast:' name];
  t.refusal = id ('badOption');
  t.budget = [1, 100e6];
  t.seconds = [30, 120];
  % The analytic forecasts are the same at every call; paths are not, so the rows that
  % compare two calls leave them out.
  t.positional = {{fit, 5}, 1, 'fit', 1, 'none', id('badFit');
                  {fit, 5}, 2, 'horizon', 5, 'number', id('badCount');
                  {fit, 5, 'origin', 'all'}, 2, 'horizon', 5, 'number', id('badCount')};
  t.options = {{fit, 5}, 'paths', 50, 'number', id('badCount');
               {fit, 5}, 'method', 'analytic', 'text', [];
               {fit, 5}, 'origin', 'end', 'text', []};

  ok = @(served, result, err) served_as (served, result, err, []);
  % Counts: whole numbers from 1, below 2^53; what the battery's child cannot hold is
  % refused before anything is made, what it can is served however long the horizon.
  p = 'volfilter:forecast:';
  t.extra = [count_extras('analytic, horizon', 'horizon', @(v) {fit, v}, 1, p, 10 .^ (9:15));
             count_extras('every date, horizon', 'horizon', @(v) {fit, v, 'origin', 'all'}, 1, p, ...
                          10 .^ (6:8));
             count_extras('simulation of 1 path, horizon', 'horizon', ...
                          @(v) {fit, v, 'method', 'simulation', 'paths', 1}, 1, p, 10 .^ (9:15));
             count_extras('quantiles of 10^4 paths, horizon', 'horizon', ...
                          @(v) {fit, v, 'quantiles', 0.01}, 1, p, 10 .^ (5:8));
             count_extras('bootstrap, paths', 'paths', @(v) {fit, 5, 'method', 'bootstrap', ...
                          'paths', v}, 1, p, 10 .^ (9:15))];
  t.extra(end+1, :) = {'quantiles at 10^6 probabilities, horizon 1000', ...
                       {fit, 1000, 'quantiles', 0.5 * ones(1e6, 1)}, {id('tooLarge')}, false};
  served = {'analytic, horizon 10^6', {fit, 1e6}, 1e6;
            'analytic, horizon 10^7', {fit, 1e7}, 1e7;
            'IGARCH, horizon 10^7', {fits.intvol, 1e7}, 1e7;
            'every date, horizon 1000', {fit, 1000, 'origin', 'all'}, [];
            'simulation of 1 path, horizon 10^6', {fit, 1e6, 'method', 'simulation', 'paths', 1}, 1e6;
            'bootstrap, 10^6 paths', {fit, 2, 'method', 'bootstrap', 'paths', 1e6}, 2;
            'EGARCH, 10^6 paths', {fits.logvol, 2, 'paths', 1e6}, 2;
            'analytic, 10^15 paths unused', {fit, 5, 'paths', 1e15}, 5};
  for i = 1:rows (served)
    steps = served{i, 3};
    t.extra(end+1, :) = {served{i, 1}, served{i, 2}, ...
                         @(served, result, err) served_as (served, result, err, steps), false};
  end

  % Quantiles: probabilities in (0, 1), a vector, or none.
  kinds = hostile_kinds (0.05);
  kinds = [kinds(:, 1:2); {'0', 0; '1', 1; 'NaN', NaN; '-Inf', -Inf; '1 + eps', 1 + eps;
                           '1 - eps', 1 - eps; 'subnormal', 4.9e-324; 'a matrix', [0.1, 0.2; 0.3, 0.4];
                           'five levels', [0.01, 0.05, 0.5, 0.95, 0.99]}];
  for k = 1:rows (kinds)
    q = kinds{k, 2};
    if (isnumeric (q) && isreal (q) && (isvector (q) || isempty (q)) && all (q > 0 & q < 1))
      outcome = ok;
    else
      outcome = {id('badQuantiles'), 'quantiles must be probabilities within (0, 1).'};
    end
    t.extra(end+1, :) = {['quantiles ' kinds{k, 1}], {fit, 3, 'quantiles', q, 'paths', 20}, ...
                         outcome, false};
  end

  t.extra = [t.extra; name_extras({fit, 5}, 'method', 'analytic', p)];
  t.extra(end+1, :) = {'no horizon', {fit}, {id('badFit')}, false};
  t.extra(end+1, :) = {'no inputs', {}, {id('badFit')}, false};
  t.extra(end+1, :) = {'EGARCH analytic', {fits.logvol, 5, 'method', 'analytic'}, ...
                       {id('noAnalytic')}, false};
  t.extra(end+1, :) = {'power 1 every date', {fits.power_one, 5, 'origin', 'all'}, ...
                       {id('noAnalytic')}, false};

  % Fits that are not fits: every field of every kind, fields missing, struct arrays with
  % bad members; the sample's fields also for the bootstrap, the model's own fields for
  % the models that have them.
  t.extra = [t.extra; fit_extras(fit, @(f) {f, 3}, 'volfilter:forecast:')];
  t.extra = [t.extra; fit_extras(fit, @(f) {f, 3, 'method', 'bootstrap', 'paths', 10}, ...
                                 'volfilter:forecast:', {'residuals', 'std_residuals', 'm', ...
                                 'backcast', 'ht'})];
  t.extra = [t.extra; fit_extras(fits.logvol, @(f) {f, 3, 'paths', 10}, 'volfilter:forecast:', ...
                                 {'upper_bound', 'parameters', 'o'})];
  t.extra = [t.extra; fit_extras(fits.intvol, @(f) {f, 3, 'origin', 'all'}, ...
                                 'volfilter:forecast:', {'constant', 'q', 'parameters'})];
  t.extra = [t.extra; fit_extras(fits.power_one, @(f) {f, 3, 'paths', 10}, ...
                                 'volfilter:forecast:', {'type'})];
  t.extra(end+1, :) = {'a panel of 100 fits', {repmat(fits.garch, 100, 1), 5}, ok, false};
  t.extra(end+1, :) = {'a panel of two models', {[fits.garch; fits.logvol], 5}, ok, false};
end

% Served, with a forecast of STEPS finite variances where STEPS is given.
function verdict = served_as (served, result, err, steps)
  verdict = 'ok';
  if (! served)
    verdict = sprintf ('refused with %s "%s", expected a forecast', err.identifier, err.message);
  elseif (! isempty (steps) && ! (numel (result(1).variance) == steps ...
                                  && all (isfinite (result(1).variance(:)))))
    verdict = sprintf ('served %d variances, %d of them finite, for a horizon of %d', ...
                       numel (result(1).variance), sum (isfinite (result(1).variance(:))), steps);
  end
end
