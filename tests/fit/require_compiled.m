function require_compiled ()
  % require_compiled ()
  % Exits with 77 (skipped) unless the compiled fit volfilter_estimate and, to compare it with,
  % NLopt's nlopt_optimize are on the path.
  require_likelihoods ();
  if (exist ('volfilter_estimate') != 3)
    printf ('skipped: volfilter_estimate is not built (no NLopt library)\n');
    exit (77);
  end
  if (! any (exist ('nlopt_optimize') == [2 3]))
    printf ('skipped: nlopt_optimize is not installed\n');
    exit (77);
  end
end
