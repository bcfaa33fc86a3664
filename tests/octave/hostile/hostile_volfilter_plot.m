function t = hostile_volfilter_plot ()
  % The hostile battery's table for volfilter_plot (see hostile_cases): the fit and the
  % 'file' option given every kind of array, file names that cannot be written, and fits
  % that are not fits (fit_extras): every field of every kind and at the ends of the
  % double range, fields missing, struct arrays. Those calls write to a folder that does
  % not exist, so that a fit that can be drawn is refused for its file before any figure
  % is made; a few pictures are drawn for real. Each call is drawn or refused with
  % volfilter:plot:*, a refusal within a second and 100 MB.
  t.requires = {'threshvol_nll', 'logvol_nll', 'shiftvol_nll', 'intvol_nll'};
  fits = hostile_fits (t.requires);
  if (isempty (fits) || isempty (available_graphics_toolkits ()))
    return;
  end
  fit = fits.gjr_t;
  id = @(name) ['volfilter:plot:' name];
  t.refusal = id ('badOption');
  t.budget = [1, 100e6];
  t.seconds = [60, 120];
  folder = tempname ();
  missing = fullfile (folder, 'no such folder', 'fit.png');
  t.positional = {{fit, 'file', missing}, 1, 'fit', 1, 'none', id('notFit')};
  t.options = {{fit}, 'file', 'fit.png', 'text', []};
  t.extra = {'no inputs', {}, {id('notFit')}, false};
  % The fields a plot reads, of a GARCH fit; those of Student's t's quantiles of a t fit;
  % the model line's of every model.
  draws = @(f) {f, 'file', missing};
  t.extra = [t.extra; fit_extras(fits.garch, draws, 'volfilter:plot:', ...
                                 {'std_residuals', 'ht', 'm', 'diagnostics', 'model', 'p', ...
                                  'o', 'q', 'type', 'distribution'})];
  t.extra = [t.extra; fit_extras(fit, draws, 'volfilter:plot:', ...
                                 {'names', 'parameters', 'distribution'})];
  for model = {'logvol', 'shiftvol', 'intvol'}
    t.extra = [t.extra; fit_extras(fits.(model{1}), draws, 'volfilter:plot:', {'type', 'constant'})];
  end
  t.extra = [t.extra; fit_extras(fit, draws, 'volfilter:plot:', {})];
  % Values the axes cannot span: refused, not drawn.
  spread = {'residuals of realmax', setfield(fit, 'std_residuals', realmax * sign (fit.std_residuals));
            'variances of realmax, residuals of 1e300', ...
            setfield(setfield(fit, 'ht', realmax * ones (size (fit.ht))), 'std_residuals', ...
                     1e300 * fit.std_residuals)};
  for i = 1:rows (spread)
    t.extra(end+1, :) = {spread{i, 1}, {spread{i, 2}, 'file', missing}, ...
                         {id('notFit'), 'rescale the series.'}, false};
  end

  % File names: text ending in .png, in a folder that exists, that can be opened.
  names = {'.png', 'fit.jpg', 'fit', ['a.png'; 'b.png'], 'fit.png ', {'fit.png'}, ["fit.png"](:)};
  for i = 1:numel (names)
    t.extra(end+1, :) = {sprintf('file %s', disp (names{i})(1:end-1)), {fit, 'file', names{i}}, ...
                         {id('badOption')}, false};
  end
  folder_png = fullfile (tempdir (), 'hostile_plot_folder.png');
  if (! isfolder (folder_png))
    mkdir (folder_png);
  end
  unwritable = {'a missing folder', missing; 'a folder', folder_png;
                'a name of 10^4 characters', fullfile(tempdir(), [repmat('a', 1, 1e4) '.png']);
                'in /proc', '/proc/fit.png'};
  for i = 1:rows (unwritable)
    t.extra(end+1, :) = {['file in ' unwritable{i, 1}], {fit, 'file', unwritable{i, 2}}, ...
                         {id('writeFailed')}, false};
  end
  option_names = {'a cell', {'file'}; 'a number', 7; 'empty', ''; 'another', 'colour';
                  'of two rows', ['file'; 'file']};
  for i = 1:rows (option_names)
    t.extra(end+1, :) = {['option name ' option_names{i, 1}], {fit, option_names{i, 2}, 'x.png'}, ...
                         {id('badOption')}, false};
  end
  t.extra(end+1, :) = {'a name without a value', {fit, 'file'}, {id('badOption')}, false};
  t.extra(end+1, :) = {'a panel', {[fit; fit], 'file', missing}, {id('notFit'), 'volfilter_plot (fit(j)).'}, false};

  % Pictures drawn for real: Student's t, 10^6 observations (drawn as 2000 runs of them),
  % variances at the ends of the double range, a t of 10^300 degrees of freedom.
  long = setfield (setfield (setfield (fits.garch, 'std_residuals', sin ((1:1e6)')), 'ht', ...
                             ones (1e6, 1)), 'm', 1);
  drawn = {'Student''s t', fit; '10^6 observations', rmfield(long, 'diagnostics');
           'variances of realmax', setfield(fit, 'ht', realmax * ones (size (fit.ht)));
           'variances subnormal', setfield(fit, 'ht', 5e-324 * ones (size (fit.ht)));
           'nu = 1e300', setfield(fit, 'parameters', [fit.parameters(1:end-1); 1e300])};
  for i = 1:rows (drawn)
    file = fullfile (tempdir (), sprintf ('hostile_plot_%d.png', i));
    t.extra(end+1, :) = {['drawn: ' drawn{i, 1}], {drawn{i, 2}, 'file', file}, ...
                         @(served, result, err) written (served, result, err, file), false};
  end
end

% Drawn into FILE, which is then removed, in the figure returned (closed here), no other
% left open.
function verdict = written (served, result, err, file)
  verdict = 'ok';
  if (! served)
    verdict = sprintf ('refused with %s "%s", expected a picture', err.identifier, err.message);
  else
    if (ishghandle (result))
      close (result);
    end
    if (! exist (file, 'file') || ! isempty (get (0, 'children')))
      verdict = sprintf ('%s not written or a figure left open', file);
    end
  end
  if (exist (file, 'file'))
    delete (file);
  end
end
