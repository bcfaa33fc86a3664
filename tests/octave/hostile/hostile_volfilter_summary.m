function t = hostile_volfilter_summary ()
  % The hostile battery's table for volfilter_summary (see hostile_cases): the fit given
  % every kind of array, and fits that are not fits (fit_extras): every field of every kind
  % and at the ends of the double range, fields missing, alone and as a member of a panel.
  % What a fit lacks is marked, not refused, so each call is summarised (a struct with the
  % table's text) or refused with volfilter:summary:notFit, within a second and 100 MB.
  t.requires = {'threshvol_nll', 'logvol_nll', 'shiftvol_nll', 'intvol_nll'};
  fits = hostile_fits (t.requires);
  if (isempty (fits))
    return;
  end
  % A fit with a bound active, so that the constraints are read and given every kind too.
  fit = fits.gjr_t;
  fit.active_constraints = {'alpha1 >= 0'};
  prefix = 'volfilter:summary:';
  t.refusal = [prefix 'notFit'];
  t.budget = [1, 100e6];
  t.seconds = [30, 120];
  t.positional = {{fit}, 1, 'fit', 1, 'none', []};
  t.extra = {'no inputs', {}, {t.refusal}, false};
  t.extra = [t.extra; fit_extras(fit, @(f) {f}, prefix)];
  % The fields a panel's summary reads, of every kind in the second member of a panel,
  % beside a fit as it comes.
  t.extra = [t.extra; fit_extras(fit, @(f) {panel_with(fit, f)}, prefix, ...
                                 {'names', 'parameters', 'loglik', 'converged', ...
                                  'active_constraints', 'std_errors', 'model', 'p', 'o', ...
                                  'q', 'type', 'distribution'})];
  for model = {'garch', 'power_one', 'logvol', 'shiftvol', 'intvol'}
    t.extra = [t.extra; fit_extras(fits.(model{1}), @(f) {f}, prefix, ...
                                   {'parameters', 'type', 'constant', 'upper_bound', 'o', 'q'})];
  end
  t.extra(end+1, :) = {'a panel of 1000 fits', {repmat(fits.garch, 1000, 1)}, @summarised, false};
  t.extra(end+1, :) = {'a panel of every model', {[fits.garch; fits.logvol; fits.intvol]}, ...
                       @summarised, false};
  e = hostile_series (1e6, 23);
  long = struct ('model', 'threshvol', 'names', {{'omega'}}, 'parameters', 1, ...
                 'std_residuals', e, 'm', 1);
  t.extra(end+1, :) = {'residuals of 10^6 values to test', {long}, @summarised, false};
end

% A panel of FIT and MEMBER (its fields, FIT's where MEMBER has the same).
function panel = panel_with (fit, member)
  panel = [member; member];
  for name = intersect (fieldnames (fit), fieldnames (member))'
    panel(1).(name{1}) = fit.(name{1});
  end
end

function verdict = summarised (served, result, err)
  verdict = 'ok';
  if (! served)
    verdict = sprintf ('refused with %s "%s", expected a summary', err.identifier, err.message);
  elseif (! (isstruct (result) && isfield (result, 'text') && ischar (result.text)))
    verdict = 'served without the text of a summary';
  end
end
