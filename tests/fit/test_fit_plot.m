function test_fit_plot ()
  % test_fit_plot ()
  % volfilter_plot writes a PNG without a display (this test runs without one), and the
  % picture is not blank: the grey returns, the red bands and lines and the blue volatility,
  % quantiles and autocorrelations are all there. Refusals name what is wrong, with
  % identifiers volfilter:plot:*. Skipped (77) where Octave has no graphics toolkit at all.
  require_likelihoods ();
  if (isempty (available_graphics_toolkits ()))
    printf ('skipped: no graphics toolkit (install gnuplot-nox)\n');
    exit (77);
  end
  setenv ('DISPLAY', '');
  setenv ('WAYLAND_DISPLAY', '');
  r = simulate_returns ('threshvol', [0.02; 0.05; 0.10; 0.88; 6], 1500, ...
                        'distribution', 't', 'seed', 3);
  fits = {volfilter_fit('threshvol', r, 'o', 0), ...
          volfilter_fit('threshvol', r, 'distribution', 't')};
  fits{3} = setfield (fits{2}, 'diagnostics', 'garbled');
  folder = tempname ();
  mkdir (folder);
  for i = 1:numel (fits)
    file = fullfile (folder, sprintf ('fit%d.png', i));
    volfilter_plot (fits{i}, 'file', file);
    picture = double (imread (file));
    [red, green, blue] = deal (picture(:, :, 1), picture(:, :, 2), picture(:, :, 3));
    share = @(mask) mean (mask(:));
    inked = share (red + green + blue < 600);
    reds = share (red > 150 & green < 90 & blue < 90);
    blues = share (blue > 120 & red < 90);
    greys = share (abs (red - green) < 8 & abs (green - blue) < 8 & red > 80 & red < 200);
    if (! isequal (size (picture), [750, 1000, 3]) || inked < 0.03 || reds < 0.002 ...
        || blues < 0.004 || greys < 0.01 || ! isempty (get (0, 'children')))
      error ('%s: %s pixels, inked %.3f, red %.4f, blue %.4f, grey %.4f, %d figures open', ...
             file, mat2str (size (picture)), inked, reds, blues, greys, ...
             numel (get (0, 'children')));
    end
  end
  h = volfilter_plot (fits{1}, 'file', fullfile (folder, 'kept.png'));
  if (! ishghandle (h) || ! strcmp (get (h, 'visible'), 'off'))
    error ('with an output the figure stays open and invisible');
  end
  close (h);

  fit = fits{1};
  refused = {
    % call                                                      identifier
    @() volfilter_plot (3),                                     'notFit'
    @() volfilter_plot ([fit; fit], 'file', 'x.png'),           'notFit'
    @() volfilter_plot (rmfield (fit, 'ht'), 'file', 'x.png'),  'notFit'
    @() volfilter_plot (setfield (fit, 'ht', fit.ht(1:10)), 'file', 'x.png'), 'notFit'
    @() volfilter_plot (setfield (fit, 'std_residuals', 0 * fit.ht / 0), 'file', 'x.png'), 'notFit'
    @() volfilter_plot (setfield (fit, 'm', -1), 'file', 'x.png'), 'notFit'
    @() volfilter_plot (fit, 'file'),                           'badOption'
    @() volfilter_plot (fit, 'file', 'x.jpg'),                  'badOption'
    @() volfilter_plot (fit, 'file', 7),                        'badOption'
    @() volfilter_plot (fit, 'file', ['a.png'; 'b.png']),       'badOption'
    @() volfilter_plot (fit, 'colour', 'red'),                  'badOption'
    @() volfilter_plot (fit),                                   'noDisplay'
    @() volfilter_plot (fit, 'file', fullfile (folder, 'no', 'such', 'x.png')), 'writeFailed'
  };
  for i = 1:rows (refused)
    [call, identifier] = refused{i, :};
    try
      call ();
    catch err
      if (! strcmp (err.identifier, ['volfilter:plot:' identifier]) ...
          || isempty (strfind (err.message, 'volfilter_plot: ')))
        error ('%s: expected %s, got %s "%s"', func2str (call), identifier, ...
               err.identifier, err.message);
      end
      continue;
    end
    error ('%s: expected %s, the call succeeded', func2str (call), identifier);
  end
  if (! isempty (get (0, 'children')))
    error ('a refused call left %d figures open', numel (get (0, 'children')));
  end
  confirm_recursive_rmdir (false, 'local');
  rmdir (folder, 's');
  printf ('fit plot: %d pictures drawn and read back, %d calls refused\n', numel (fits), ...
          rows (refused));
end
