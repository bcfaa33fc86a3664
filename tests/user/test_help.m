function test_help (folder, modules)
  % test_help (folder, modules)
  % The help of every module, read by Octave from the file beside the module in FOLDER:
  % help prints the usage line first, lookfor finds the module by a word of its summary, and
  % the folder's Contents.m lists it. volfilter_fit, volfilter_forecast and volfilter_simulate
  % are there too, each help beginning with its usage line, volfilter_fit with its helpers.
  summary_word = struct ('threshvol_filter', 'threshold', 'logvol_filter', 'exponential', ...
                         'shiftvol_filter', 'shifted-innovation', ...
                         'intvol_filter', 'integrated', 'lagreg_residuals', 'regression', ...
                         'pairwise_nll', 'bivariate', 'threshvol_nll', 'threshold', ...
                         'logvol_nll', 'exponential', 'shiftvol_nll', 'asymmetric', ...
                         'intvol_nll', 'integrated', 'threshvol_simulate', 'simulation', ...
                         'logvol_simulate', 'simulation', 'shiftvol_simulate', 'simulation', ...
                         'intvol_simulate', 'simulation', 'volfilter_plan', 'plan', ...
                         'volfilter_estimate', 'threads');
  contents = evalc ('help (folder)');
  for i = 1:numel (modules)
    name = modules{i};
    if (exist (name) != 3)
      error ('%s: not a compiled module on the path', name);
    end
    expect_usage_line (name);

    if (! isfield (summary_word, name))
      error ('test_help: no summary word for %s; add one here', name);
    end
    found = lookfor (summary_word.(name));
    if (! any (strcmp (found, name)))
      error ('%s: lookfor %s does not find it', name, summary_word.(name));
    end

    if (isempty (regexp (contents, ['\n\s*' name ' +- '], 'once')))
      error ('%s: not listed by help of %s', name, folder);
    end
  end
  usage = struct ('volfilter_fit', 'fit = volfilter_fit (model, e, name, value, ...)', ...
                  'volfilter_forecast', ...
                  'forecast = volfilter_forecast (fit, horizon, name, value, ...)', ...
                  'volfilter_simulate', 'sim = volfilter_simulate (fit, T, N, name, value, ...)', ...
                  'volfilter_summary', 's = volfilter_summary (fit)', ...
                  'volfilter_plot', 'h = volfilter_plot (fit, name, value)');
  for name = fieldnames (usage)'
    if (isempty (regexp (contents, ['\n\s*' name{1} ' +- '], 'once')))
      error ('%s: not listed by help of %s', name{1}, folder);
    end
    lines = strsplit (strtrim (help (name{1})), "\n");
    if (! strcmp (lines{1}, usage.(name{1})))
      error ('%s: help begins with "%s", not with the usage line', name{1}, lines{1});
    end
  end
  expect_usage_line ('volfilter_summary');
  expect_usage_line ('volfilter_plot');
  check_fit_function (folder);
  printf (['help: %d modules, volfilter_fit, volfilter_forecast and volfilter_simulate ' ...
           'documented\n'], numel (modules));
end
