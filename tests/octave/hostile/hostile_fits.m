function fits = hostile_fits (requires)
  % fits = hostile_fits (requires)
  % Fits of a GARCH(1,1) series of 1000 values (hostile_series) for the batteries of the
  % functions that take a fit: a GJR(1,1,1) of Student's t (every kind of parameter), a
  % GARCH(1,1), a threshold model of power 1, an EGARCH, a constant-shift model and an
  % IGARCH; quietly, as their warnings are not what is tested. None ([]) where volfilter_fit
  % or a module that a table REQUIRES is not on the path: the battery then skips.
  fits = [];
  for name = [requires, {'volfilter_fit'}]
    if (! any (exist (name{1}) == [2, 3]))
      return;
    end
  end
  e = hostile_series (1000, 21);
  state = warning ('off', 'all');
  fits = struct ('gjr_t', volfilter_fit ('threshvol', e, 'distribution', 't'), ...
                 'garch', volfilter_fit ('threshvol', e, 'o', 0), ...
                 'power_one', volfilter_fit ('threshvol', e, 'type', 1), ...
                 'logvol', volfilter_fit ('logvol', e), ...
                 'shiftvol', volfilter_fit ('shiftvol', e), ...
                 'intvol', volfilter_fit ('intvol', e));
  warning (state);
end
