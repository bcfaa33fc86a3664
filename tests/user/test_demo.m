function test_demo (model)
  % test_demo (model)
  % Runs the estimation demonstration of MODEL ('threshvol' or 'logvol') on a small sample
  % and checks that it converges to estimates within three standard errors of the truth,
  % and that its recursion in Octave's language matches the module to the last bit. Exits
  % with 77 (skipped) when the module the demonstration needs is not built.
  switch (model)
    case 'threshvol'
      module = 'threshvol_filter';
      run = @() demo_threshvol (1500, false);
    case 'logvol'
      module = 'logvol_filter';
      run = @() demo_logvol (1000, false);
    otherwise
      error ('test_demo: no demonstration for %s', model);
  end
  if (exist (module) != 3)
    printf ('skipped: %s is not built, so demo_%s cannot run\n', module, model);
    exit (77);
  end

  result = run ();
  fit = result.fit;
  if (! any (fit.info == [101 104]))
    error ('demo_%s: the optimiser stopped early (%s)', model, fit.status);
  end
  if (! all (isfinite (fit.std_error) & fit.std_error > 0) || ! isfinite (fit.loglik))
    error ('demo_%s: standard errors %s, log-likelihood %g', model, ...
           mat2str (fit.std_error'), fit.loglik);
  end
  distance = abs (fit.estimate - result.truth) ./ fit.std_error;
  if (any (distance > 3))
    error ('demo_%s: estimates %s, truth %s, standard errors %s', model, ...
           mat2str (fit.estimate', 4), mat2str (result.truth'), mat2str (fit.std_error', 4));
  end
  if (! result.timing.same_bits)
    error ('demo_%s: the module and the loop in Octave differ', model);
  end
  printf ('demo_%s: %d evaluations, estimates within %.2f standard errors\n', model, ...
          fit.evaluations, max (distance));
end
