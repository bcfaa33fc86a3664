function result = demo_panel (series_count, T, verbose, seed)
  % result = demo_panel (series_count, T, verbose, seed)
  % Fits a GARCH(1,1) (volfilter_fit, model threshvol with o = 0) to every series of a
  % simulated panel, one series a column, three ways, and shows that all three give the
  % same bits:
  %   - in one call, the columns across the machine's cores ('threads', the default);
  %   - in one call on one thread;
  %   - split by columns over Octave's parallel package (parcellfun), each worker fitting a
  %     block of columns in one call, the blocks concatenated: the way to spread a panel
  %     over the processes (or, the same blocks, the machines) of a larger job. In MATLAB,
  %     parfor over the blocks does the same with the Parallel Computing Toolbox.
  % Each column is fitted alone whatever way it is reached: no result depends on the
  % threads, the workers or the blocks. Where volfilter_fit has no compiled fit (a build
  % without NLopt), it fits the columns one after the other in each call instead.
  %
  % series_count  number of series (default 200)
  % T             returns per series (default 2000)
  % verbose       print the report (default true)
  % seed          state of the normal and uniform generators (default 1)
  % result        struct: truth (3-by-series_count), estimates, std_errors and
  %               robust_std_errors (3-by-series_count), same_bits (the three ways alike),
  %               converged (count), optimizer, threads (of the machine), workers,
  %               seconds_threads, seconds_one_thread, seconds_workers
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

  % A column may end on a boundary or without standard errors: the counts are reported below
  % rather than warned about once a way.
  warning ('off', 'volfilter:fit:atBoundary', 'local');
  warning ('off', 'volfilter:fit:notConverged', 'local');
  warning ('off', 'volfilter:fit:singularHessian', 'local');
  volfilter_fit ('threshvol', panel(:, 1:2), 'o', 0);   % loaded before it is timed

  started = tic ();
  fits = volfilter_fit ('threshvol', panel, 'o', 0);
  seconds_threads = toc (started);

  started = tic ();
  one_thread = volfilter_fit ('threshvol', panel, 'o', 0, 'threads', 1);
  seconds_one_thread = toc (started);

  % The panel in blocks of columns, a few for each worker so that none waits long for the
  % last; each worker fits its blocks on one thread, as the workers share the cores.
  workers = nproc ();
  edges = round (linspace (0, series_count, min (series_count, 4 * workers) + 1));
  blocks = arrayfun (@(i) panel(:, edges(i) + 1:edges(i + 1)), 1:numel (edges) - 1, ...
                     'UniformOutput', false);
  fit_block = @(block) volfilter_fit ('threshvol', block, 'o', 0, 'threads', 1);
  started = tic ();
  parts = parcellfun (workers, fit_block, blocks, 'UniformOutput', false, 'VerboseLevel', 0);
  by_workers = vertcat (parts{:});
  seconds_workers = toc (started);

  result = struct ('truth', truth, 'estimates', [fits.parameters], ...
                   'std_errors', [fits.std_errors], ...
                   'robust_std_errors', [fits.robust_std_errors], ...
                   'same_bits', isequaln (fits, one_thread) && isequaln (fits, by_workers), ...
                   'converged', sum ([fits.converged]), 'optimizer', fits(1).optimizer, ...
                   'threads', nproc (), 'workers', workers, ...
                   'seconds_threads', seconds_threads, 'seconds_one_thread', seconds_one_thread, ...
                   'seconds_workers', seconds_workers);
  if (verbose)
    print_panel (result, T);
  end
end

function print_panel (result, T)
  count = columns (result.truth);
  fprintf ('Panel of %d GARCH(1,1) series of %d returns (volfilter_fit: %s)\n\n', count, T, ...
           result.optimizer);
  ways = {sprintf('one call, %d threads', result.threads), 'one call, 1 thread', ...
          sprintf('blocks of columns, %d parcellfun workers', result.workers)};
  seconds = [result.seconds_threads, result.seconds_one_thread, result.seconds_workers];
  for i = 1:3
    fprintf ('  %-40s %7.3f s (%.2f ms a series)\n', ways{i}, seconds(i), ...
             1e3 * seconds(i) / count);
  end
  if (result.same_bits)
    fprintf ('  all three give the same estimates, standard errors and series to the last bit\n');
  else
    fprintf ('  the three ways DIFFER\n');
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
