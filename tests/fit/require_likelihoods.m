function require_likelihoods ()
  % require_likelihoods ()
  % Exits with 77 (skipped) unless the four likelihood modules that volfilter_fit calls are
  % on the path.
  for name = {'threshvol_nll', 'logvol_nll', 'shiftvol_nll', 'intvol_nll'}
    if (! any (exist (name{1}) == [2 3]))
      printf ('skipped: %s is not built\n', name{1});
      exit (77);
    end
  end
end
