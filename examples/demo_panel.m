function result = demo_panel (series_count, T, verbose, seed)
  % result = demo_panel (series_count, T, verbose, seed)
  % Fits a GARCH(1,1) (volfilter_fit, model threshvol with o = 0) to each series of a
  % simulated panel, once serially and once across the machine's cores with parcellfun from
  % Octave's parallel package, and shows that both give the same bits: volfilter_fit and the
  % modules keep nothing between calls, so the workers, each fitting whatever series comes
  % next, cannot disturb one another. In MATLAB, parfor does the same with the Parallel
  % Computing Toolbox.
  %
  % series_count  number of series (default 200)
  % T             returns per series (default 2000)
  % verbose       print the report (default true)
  % seed          state of the normal and uniform generators (default 1)
  % result        struct: truth (3-by-series_count), estimates, std_errors and
  %               robust_std_errors (serial, 3-by-series_count), same_bits, converged (count),
  %               workers, seconds_serial, seconds_parallel
  %
  % Needs threshvol_nll and volfilter_fit on the path (addpath ('build/default/mex')) and
  % the parallel package (Debian: octave-parallel).
  if (nargin < 1 || isempty (series_count))
    series_count = 200;
  end
  if (nargin < 2 || isempty (T))
    T = 2000;
  end
  if (nargin < 3 || isempty (verbose))
    verbose = true;
  end
  if (nargin < 4 || isempty (seed))
    seed = 1;
  end
  pkg load parallel

  % Each series has its own parameters: news 0.03 to 0.12, persistence 0.90 to 0.98, an
  % unconditional variance of 1.
  rand ('state', seed);
  alpha = 0.03 + 0.09 * rand (1, series_count);
  persistence = 0.90 + 0.08 * rand (1, series_count);
  truth = [1 - persistence; alpha; persistence - alpha];
  panel = simulate_panel (truth, T, seed);
  series = num2cell (panel, 1);

  % One fit a series, of which a column of numbers comes back (panel_summary): a handle
  % held in a variable, which the workers can call.
  summary = @panel_summary;
  fit = @(r) summary (volfilter_fit ('threshvol', r, 'o', 0));
  volfilter_fit ('threshvol', panel(:, 1), 'o', 0);   % loaded before it is timed
  started = tic ();
  serial = cell2mat (cellfun (fit, series, 'UniformOutput', false));
  seconds_serial = toc (started);

  workers = nproc ();
  started = tic ();
  parallel = cell2mat (parcellfun (workers, fit, series, 'UniformOutput', false, ...
                                   'VerboseLevel', 0, 'ChunksPerProc', 10));
  seconds_parallel = toc (started);

  result = struct ('truth', truth, 'estimates', serial(1:3, :), ...
                   'std_errors', serial(4:6, :), 'robust_std_errors', serial(7:9, :), ...
                   'same_bits', isequaln (serial, parallel), ...
                   'converged', sum (serial(10, :)), 'workers', workers, ...
                   'seconds_serial', seconds_serial, 'seconds_parallel', seconds_parallel);
  if (verbose)
    print_panel (result, T);
  end
end

function print_panel (result, T)
  count = columns (result.truth);
  fprintf ('Panel of %d GARCH(1,1) series of %d returns, one volfilter_fit each\n\n', ...
           count, T);
  fprintf ('  serially:               %7.2f s (%.2f ms a fit)\n', result.seconds_serial, ...
           1e3 * result.seconds_serial / count);
  fprintf ('  parcellfun, %d workers:  %7.2f s (%.1fx)\n', result.workers, ...
           result.seconds_parallel, result.seconds_serial / result.seconds_parallel);
  if (result.same_bits)
    fprintf ('  the workers'' estimates and standard errors are the serial ones to the last bit\n');
  else
    fprintf ('  the workers'' estimates DIFFER from the serial ones\n');
  end
  distance = abs (result.estimates - result.truth) ./ result.std_errors;
  fprintf (['  %d of %d fits converged; estimates within 2 standard errors of the ' ...
            'truth: %.0f%%\n'], result.converged, count, 100 * mean (distance(:) < 2));
  singular = sum (any (isnan (result.std_errors), 1));
  if (singular > 0)
    fprintf ('  %d fits without standard errors (the Hessian not positive definite)\n', singular);
  end
  ratio = result.robust_std_errors ./ result.std_errors;
  fprintf ('  median robust / classical standard error: %.2f\n\n', ...
           median (ratio(isfinite (ratio))));
end
