function test_fit_parallel ()
  % test_fit_parallel ()
  % volfilter_fit and the modules keep nothing from one call to the next: fits of a small
  % panel give the same bits serially in either order and in parcellfun's workers, which
  % take the series in whatever order they come free. Exits with 77 (skipped) when
  % Octave's parallel package is not installed.
  require_likelihoods ();
  if (isempty (pkg ('list', 'parallel')))
    printf ('skipped: the parallel package is not installed\n');
    exit (77);
  end
  pkg load parallel
  models = {'threshvol', 'logvol', 'shiftvol', 'intvol'};
  series = cell (1, 8);
  for i = 1:numel (series)
    series{i} = simulate_returns ('threshvol', [0.05; 0.08; 0.05; 0.85], 1000, 'seed', i);
  end
  distributions = {'normal', 't'};
  fit = @(i) volfilter_fit (models{mod(i, 4) + 1}, series{i}, 'distribution', ...
                            distributions{(i > 4) + 1});
  indices = num2cell (1:numel (series));
  forward = cellfun (fit, indices, 'UniformOutput', false);
  backward = fliplr (cellfun (fit, fliplr (indices), 'UniformOutput', false));
  workers = parcellfun (2, fit, indices, 'UniformOutput', false, 'VerboseLevel', 0);
  for i = 1:numel (series)
    if (! isequal (forward{i}, backward{i}) || ! isequal (forward{i}, workers{i}))
      error ('series %d (%s): the fits differ between runs', i, forward{i}.model);
    end
  end
  printf ('fit parallel: %d fits, the same bits serially and in 2 workers\n', numel (series));
end
