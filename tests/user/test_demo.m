function test_demo (name)
  % test_demo (name)
  % Runs the demonstration NAME ('threshvol', 'logvol', 'student_t' or 'panel') on a small
  % sample. A fit demonstration passes when both of its fits converge, volfilter_fit's
  % estimates lie within three standard errors of the truth, its log-likelihood is at least
  % that of today's way on the same likelihood, and (where it compares them) its recursion
  % in Octave's language matches the filter module to the last bit. The panel passes when
  % every fit converges and the workers' results are the serial ones. Exits with 77
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
