function result = demo_forecast (T, verbose, seed, figure_file)
  % result = demo_forecast (T, verbose, seed, figure_file)
  % Simulates threshold GARCH(1,1,1) returns with Student's t innovations from known
  % parameters (volfilter_simulate), fits them (volfilter_fit) and forecasts the variance
  % 20 days ahead by each method of volfilter_forecast: analytic, from 10000 simulated
  % paths, and from 10000 bootstrapped paths (the fit's own standardised residuals). Prints
  % the three side by side with the simulations' standard errors and the 1 % value at risk
  % of the cumulative return, and draws the volatility forecasts and the value at risk in a
  % figure written to a PNG file where a graphics toolkit is available.
  %
  % T            number of simulated returns (default 2000)
  % verbose      print the report (default true)
  % seed         state of the normal and gamma generators (default 1)
  % figure_file  the PNG to write (default volfilter_forecast.png in the temporary
  %              folder; '' for none)
  % result       struct: truth, fit, analytic, simulation, bootstrap (volfilter_forecast's
  %              results), seconds (the time of each forecast), figure_file ('' when no
  %              figure was written)
  %
  % Needs the threshvol modules and the toolbox on the path (addpath ('build/default/mex')).
  if (nargin < 1 || isempty (T))
    T = 2000;
  end
  if (nargin < 2 || isempty (verbose))
    verbose = true;
  end
  if (nargin < 3 || isempty (seed))
    seed = 1;
  end
  if (nargin < 4)
    figure_file = fullfile (tempdir (), 'volfilter_forecast.png');
  end

  truth = [0.02; 0.05; 0.10; 0.85; 8];
  randn ('state', seed);
  randg ('state', seed);
  rand ('state', seed);
  returns = volfilter_simulate ('threshvol', truth, T, 1, 'distribution', 't').y;
  fit = volfilter_fit ('threshvol', returns, 'distribution', 't');

  horizon = 20;
  paths = 10000;
  common = {'paths', paths, 'quantiles', 0.01};
  methods = {'analytic', 'simulation', 'bootstrap'};
  seconds = zeros (1, 3);
  for i = 1:3
    volfilter_forecast (fit, horizon, 'method', methods{i}, common{:});  % once to load
    tic ();
    forecasts.(methods{i}) = volfilter_forecast (fit, horizon, 'method', methods{i}, common{:});
    seconds(i) = toc ();
  end
  result = struct ('truth', truth, 'fit', fit, 'analytic', forecasts.analytic, ...
                   'simulation', forecasts.simulation, 'bootstrap', forecasts.bootstrap, ...
                   'seconds', seconds, 'figure_file', '');
  if (! isempty (figure_file) && draw (fit, forecasts, figure_file))
    result.figure_file = figure_file;
  end
  if (verbose)
    report (result, T, paths);
  end
end

function report (result, T, paths)
  a = result.analytic;
  s = result.simulation;
  b = result.bootstrap;
  printf ('\nForecasts after a threshold GARCH(1,1,1) fit, Student''s t, %d returns\n', T);
  printf ('truth      %s\nestimates  %s\n', sprintf ('%8.4f', result.truth), ...
          sprintf ('%8.4f', result.fit.parameters));
  printf (['\nE[h(T+k)]: analytic, and the mean of %d paths with its standard error, drawn ' ...
           'from the fitted\nt and from the standardised residuals; the 1 %% value at risk ' ...
           'of the k-day return.\n'], paths);
  printf ('%4s %10s %10s %8s %10s %8s %10s %10s\n', 'k', 'analytic', 'simulated', 's.e.', ...
          'bootstrap', 's.e.', 'VaR sim', 'VaR boot');
  for k = [1:5, 10, 15, 20]
    printf ('%4d %10.4f %10.4f %8.4f %10.4f %8.4f %10.3f %10.3f\n', k, a.variance(k), ...
            s.variance(k), s.std_error(k), b.variance(k), b.std_error(k), ...
            -s.cumulative_quantiles(k), -b.cumulative_quantiles(k));
  end
  printf (['step 1 is the filter''s next value by every method; the analytic forecast ' ...
           'tends to %.4f.\n'], result.fit.parameters(1) / (1 - result.fit.parameters(2) ...
                                - result.fit.parameters(3) / 2 - result.fit.parameters(4)));
  printf (['seconds: analytic %.4f (with %d paths for the quantiles), simulation %.4f, ' ...
           'bootstrap %.4f\n'], result.seconds(1), paths, result.seconds(2), result.seconds(3));
  if (! isempty (result.figure_file))
    printf ('figure: %s\n', result.figure_file);
  else
    printf ('figure: none (no graphics toolkit)\n');
  end
end

function written = draw (fit, forecasts, figure_file)
  % The fit's last 30 conditional volatilities and the forecasts of each method 20 days
  % ahead, with the simulation's band of two standard errors, above the 1 % value at risk of
  % the k-day return by simulation and bootstrap; written to FIGURE_FILE from an invisible
  % figure. False where there is no graphics toolkit that prints.
  written = false;
  if (exist ('OCTAVE_VERSION', 'builtin'))
    toolkits = available_graphics_toolkits ();
    if (any (strcmp (toolkits, 'gnuplot')) && ! isempty (file_in_path (getenv ('PATH'), 'gnuplot')))
      warning ('off', 'Octave:gnuplot-graphics', 'local');
      graphics_toolkit ('gnuplot');
    elseif (isempty (toolkits) || ! any (strcmp (graphics_toolkit (), toolkits)))
      return;
    end
  end
  handle = figure ('visible', 'off', 'position', [0, 0, 800, 640]);
  T = numel (fit.ht);
  past = (-29:0)';
  s = forecasts.simulation;
  ahead = (1:numel (s.variance))';
  band = sqrt ([s.variance - 2 * s.std_error, s.variance + 2 * s.std_error]);
  subplot (2, 1, 1);
  plot (past, sqrt (fit.ht(T + past)), 'k-', ahead, sqrt (forecasts.analytic.variance), 'b-', ...
        ahead, sqrt (s.variance), 'r--', ahead, sqrt (forecasts.bootstrap.variance), 'g-.', ...
        ahead, band(:, 1), 'r:', ahead, band(:, 2), 'r:');
  legend ('fitted', 'analytic', 'simulated (and 2 s.e.)', 'bootstrapped', 'location', ...
          'northwest');
  title ('Conditional volatility: the last 30 days of the sample and 20 days ahead');
  xlabel ('days from the end of the sample');
  ylabel ('volatility');
  subplot (2, 1, 2);
  plot (ahead, -s.cumulative_quantiles, 'r-o', ahead, -forecasts.bootstrap.cumulative_quantiles, ...
        'g-s');
  legend ('simulated', 'bootstrapped', 'location', 'southeast');
  title ('1 % value at risk of the return over the next k days');
  xlabel ('k (days)');
  ylabel ('value at risk');
  print (handle, figure_file, '-dpng', '-r100');
  close (handle);
  written = exist (figure_file, 'file') == 2;
end
