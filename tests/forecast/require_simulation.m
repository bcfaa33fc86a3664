function require_simulation ()
  % require_simulation ()
  % Exits with 77 (skipped) unless the modules that the forecasts call are on the path, and
  % seeds the host's generators.
  for model = {'threshvol', 'logvol', 'shiftvol', 'intvol'}
    for kind = {'_filter', '_nll', '_simulate'}
      if (! any (exist ([model{1} kind{1}]) == [2 3]))
        printf ('skipped: %s%s is not built\n', model{1}, kind{1});
        exit (77);
      end
    end
  end
  randn ('state', 19);
  randg ('state', 19);
  rand ('state', 19);
end
