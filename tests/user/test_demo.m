function test_demo (name)
  % test_demo (name)
  % Runs the demonstration NAME ('threshvol', 'logvol', 'student_t', 'panel' or
  % 'forecast') on a small sample. A fit demonstration passes when both of its fits
  % converge, volfilter_fit's estimates lie within three standard errors of the truth, its
  % log-likelihood is at least that of today's way on the same likelihood, and (where it
  % compares them) its recursion in Octave's language matches the filter module to the last
  % bit. The panel passes when
  % every fit converges and the workers' results are the serial ones. The forecasts pass when
  % every method gives the filter's next value first, the simulated ones lie within four
  % standard errors of the analytic ones, the values at risk are positive and grow with the
  % horizon, and the figure, where a graphics toolkit is available, is a PNG that is not
  % blank. Exits with 77
  % (skipped) when a module the demonstration needs is not built or the parallel package
  % is missing.
  switch (name)
    case 'threshvol'
      modules = {'threshvol_filter', 'threshvol_nll'};
      run = @() demo_threshvol (1500, false);
    case 'logvol'
      modules = {'logvol_filter', 'logvol_nll'};
      run = @() demo_logvol (1000, false);
    case 'student_t'
      modules = {'threshvol_filter', 'threshvol_nll'};
      run = @() demo_student_t (2000, false);
    case 'panel'
      modules = {'threshvol_nll'};
      run = @() demo_panel (8, 1000, false);
    case 'forecast'
      modules = {'threshvol_filter', 'threshvol_nll', 'threshvol_simulate'};
      run = @() demo_forecast (2000, false, 1, [tempname() '.png']);
    otherwise
      error ('test_demo: no demonstration %s', name);
  end
  for i = 1:numel (modules)
    if (! any (exist (modules{i}) == [2 3]))
      printf ('skipped: %s is not built, so demo_%s cannot run\n', modules{i}, name);
      exit (77);
    end
  end
  if (strcmp (name, 'panel') && isempty (pkg ('list', 'parallel')))
    printf ('skipped: the parallel package is not installed, so demo_panel cannot run\n');
    exit (77);
  end

  result = run ();
  if (strcmp (name, 'forecast'))
    check_forecast_demo (result);
    return;
  end
  if (strcmp (name, 'panel'))
    if (! result.same_bits || result.converged != columns (result.truth))
      error ('demo_panel: %d of %d converged, same bits %d', result.converged, ...
             columns (result.truth), result.same_bits);
    end
    printf ('demo_panel: %d fits, the same bits in %d workers\n', result.converged, ...
            result.workers);
    return;
  end
  today = result.today;
  fit = result.fit;
  if (! any (today.info == [101 104]) || ! fit.converged)
    error ('demo_%s: a fit stopped early (sqp: %s; volfilter_fit: %s)', name, today.status, ...
           fit.message);
  end
  if (! all (isfinite (fit.std_errors) & fit.std_errors > 0)
      || fit.loglik < today.fit_loglik - 1e-6)
    error ('demo_%s: standard errors %s, log-likelihood %.6f, today''s way %.6f', name, ...
           mat2str (fit.std_errors'), fit.loglik, today.fit_loglik);
  end
  distance = abs (fit.parameters - result.truth) ./ fit.std_errors;
  if (any (distance > 3))
    error ('demo_%s: estimates %s, truth %s, standard errors %s', name, ...
           mat2str (fit.parameters', 4), mat2str (result.truth'), mat2str (fit.std_errors', 4));
  end
  if (isfield (result, 'timing') && ! result.timing.same_bits)
    error ('demo_%s: the module and the loop in Octave differ', name);
  end
  printf ('demo_%s: %d evaluations (sqp: %d), estimates within %.2f standard errors\n', name, ...
          fit.evaluations, today.evaluations, max (distance));
end

function check_forecast_demo (result)
  a = result.analytic;
  s = result.simulation;
  b = result.bootstrap;
  if (! isequal (a.variance(1), s.variance(1), b.variance(1)))
    error ('demo_forecast: first steps %.17g, %.17g, %.17g', a.variance(1), s.variance(1), ...
           b.variance(1));
  end
  distance = abs (s.variance(2:end) - a.variance(2:end)) ./ s.std_error(2:end);
  risk = -s.cumulative_quantiles;
  if (any (distance > 4) || ! all (risk > 0) || risk(end) <= risk(1))
    error ('demo_forecast: simulated %s, analytic %s, value at risk %s', ...
           mat2str (s.variance', 4), mat2str (a.variance', 4), mat2str (risk', 3));
  end
  if (! isempty (available_graphics_toolkits ())
      && ! isempty (file_in_path (getenv ('PATH'), 'gnuplot')))
    if (isempty (result.figure_file))
      error ('demo_forecast: no figure although gnuplot is installed');
    end
    picture = double (imread (result.figure_file));
    delete (result.figure_file);
    if (std (picture(:)) < 1)
      error ('demo_forecast: the figure is blank');
    end
  end
  printf ('demo_forecast: %d steps within %.2f standard errors of the analytic forecast\n', ...
          numel (distance), max (distance));
end
