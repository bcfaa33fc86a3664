function test_help (folder, modules)
  % test_help (folder, modules)
  % The help of every module, read by Octave from the file beside the module in FOLDER:
  % help prints the usage line first, lookfor finds the module by a word of its summary, and
  % the folder's Contents.m lists it. volfilter_fit is there too, with its helpers.
  summary_word = struct ('threshvol_filter', 'threshold', 'logvol_filter', 'exponential', ...
                         'shiftvol_filter', 'shifted-innovation', ...
                         'intvol_filter', 'integrated', 'lagreg_residuals', 'regression', ...
                         'pairwise_nll', 'bivariate', 'threshvol_nll', 'threshold', ...
                         'logvol_nll', 'exponential', 'shiftvol_nll', 'asymmetric', ...
                         'intvol_nll', 'integrated', 'threshvol_mean_nll', 'returns', ...
                         'logvol_mean_nll', 'returns', 'shiftvol_mean_nll', 'returns', ...
                         'intvol_mean_nll', 'returns');
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
  if (isempty (regexp (contents, '\n\s*volfilter_fit +- ', 'once')))
    error ('volfilter_fit: not listed by help of %s', folder);
  end
  check_fit_function (folder);
  printf ('help: %d modules and volfilter_fit documented\n', numel (modules));
end
