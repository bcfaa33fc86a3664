function check_fit_function (folder)
  % check_fit_function (folder)
  % Fails unless volfilter_fit resolves to FOLDER with its private helpers beside it, its
  % help begins with the usage line, and, where the threshold likelihood module is there
  % too, it fits a GARCH(1,1) to a short simulated series.
  found = which ('volfilter_fit');
  if (! strcmp (canonicalize_file_name (fileparts (found)), canonicalize_file_name (folder)))
    error ('volfilter_fit: expected in %s, found "%s"', folder, found);
  end
  if (! exist (fullfile (folder, 'private', 'fit_objective.m'), 'file'))
    error ('volfilter_fit: no private helpers in %s', folder);
  end
  lines = strsplit (strtrim (help ('volfilter_fit')), "\n");
  if (! strcmp (lines{1}, 'fit = volfilter_fit (model, e, name, value, ...)'))
    error ('volfilter_fit: help begins with "%s", not with the usage line', lines{1});
  end
  if (exist ('threshvol_nll') != 3)
    return;
  end
  randn ('state', 1);
  z = randn (1500, 1);
  e = zeros (size (z));
  h = 1;
  for t = 1:numel (z)
    e(t) = sqrt (h) * z(t);
    h = 0.1 + 0.1 * e(t) ^ 2 + 0.8 * h;
  end
  fit = volfilter_fit ('threshvol', e, 'o', 0);
  if (! fit.converged || any (abs (fit.parameters - [0.1; 0.1; 0.8]) > 4 * fit.std_errors))
    error ('volfilter_fit from %s: %s, estimates %s', folder, fit.message, ...
           mat2str (fit.parameters', 3));
  end
end
