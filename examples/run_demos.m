% run_demos
% Runs the estimation demonstrations, each fitting simulated returns with volfilter_fit
% beside today's way (sqp on a likelihood written in Octave): the threshold GARCH model,
% the exponential GARCH model, the threshold model with Student's t innovations, then a
% panel of series fitted across the machine's cores, and last the forecasts of a fit by
% every method. A demonstration whose modules are not built, or the panel without Octave's
% parallel package, is skipped. The threshold model's fit is also drawn by volfilter_plot
% into demo_threshvol.png in the current folder, where Octave has a graphics toolkit.
demos = {'demo_threshvol', {'threshvol_filter', 'threshvol_nll'}
         'demo_logvol', {'logvol_filter', 'logvol_nll'}
         'demo_student_t', {'threshvol_filter', 'threshvol_nll'}
         'demo_panel', {'threshvol_nll'}
         'demo_forecast', {'threshvol_filter', 'threshvol_nll', 'threshvol_simulate'}};
for i = 1:rows (demos)
  missing = demos{i, 2}(cellfun (@(name) ! any (exist (name) == [2 3]), demos{i, 2}));
  if (! isempty (missing))
    printf ('%s skipped: %s is not built.\n', demos{i, 1}, strjoin (missing, ', '));
  elseif (strcmp (demos{i, 1}, 'demo_panel') && isempty (pkg ('list', 'parallel')))
    printf ('demo_panel skipped: the parallel package is not installed.\n');
  elseif (strcmp (demos{i, 1}, 'demo_threshvol'))
    result = demo_threshvol ();
    if (isempty (available_graphics_toolkits ()))
      printf ('no graphics toolkit: the figure of the fit is not drawn.\n\n');
    else
      volfilter_plot (result.fit, 'file', 'demo_threshvol.png');
      printf ('volfilter_plot (fit, ''file'', ''demo_threshvol.png'') wrote %s\n\n', ...
              fullfile (pwd (), 'demo_threshvol.png'));
    end
  else
    feval (demos{i, 1});
  end
end
