function check_fit_function (folder)
  % check_fit_function (folder)
  % Fails unless volfilter_fit, volfilter_summary and volfilter_plot resolve to FOLDER
  % with their private helpers beside them, the help of volfilter_fit begins with the usage
  % line, and, where the threshold likelihood module is there too, volfilter_fit fits a
  % GARCH(1,1) to a short simulated series and volfilter_summary summarises it.
  for name = {'volfilter_fit', 'volfilter_summary', 'volfilter_plot'}
    found = which (name{1});
    if (! strcmp (canonicalize_file_name (fileparts (found)), canonicalize_file_name (folder)))
      error ('%s: expected in %s, found "%s"', name{1}, folder, found);
    end
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
  summary = volfilter_summary (fit);
  if (! strncmp (summary.text, 'volfilter_fit: threshvol', 24))
    error ('volfilter_summary from %s: "%s"', folder, strtok (summary.text, "\n"));
  end
end
