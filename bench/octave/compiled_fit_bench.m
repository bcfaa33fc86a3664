function results = compiled_fit_bench (sizes, repetitions, panel_series)
  % COMPILED_FIT_BENCH  The compiled fit (volfilter_estimate behind volfilter_fit), standard
  % errors included, beside the NLopt path in Octave and beside R's tseries (garch) and
  % fGarch (garchFit) on the same simulated series, in one run, R fitting each series just
  % before Octave does. Cases: GARCH(1,1), the
  % threshold GARCH(1,1,1) (GJR), the exponential GARCH(1,1,1) and the GJR and GARCH(1,1)
  % with Student's t innovations, each at the given sizes; then a panel of GARCH(1,1) series
  % fitted in one call on 1 and 2 threads.
  %
  % For each case and size: the median wall time of a volfilter_fit call ('backcast',
  % 'mean'), of the same call on the NLopt path ('optimizer', 'nlopt'; the two alternate),
  % and of volfilter_estimate alone (the core and the gateway); the likelihood evaluations
  % the core made by kind (their times with no host: build/<preset>/bench/
  % volfilter_estimation_bench); the median time of tseries' garch (GARCH(1,1) only) and of
  % fGarch's garchFit, and how far fGarch's estimates lie from ours, in our standard errors,
  % on the same likelihood: fGarch's pre-sample rule conditions on nothing and starts the
  % recursion at the mean square b of the series, which is ours for the series [sqrt(b); e]
  % with 'backcast', b and m = 1 (the GJR's pre-sample term differs: fGarch's leverage form
  % puts (1 + gamma^2) b there).
  %
  % sizes         sample sizes (default [1000 4000 20000])
  % repetitions   fits timed per size and way, the median reported (default 51; R's fGarch
  %               a tenth of them, at least 3)
  % panel_series  series of 1000 returns in the panel (default 1000; 0 for none)
  %
  % R's columns are left out (NaN) where Rscript, tseries or fGarch is absent. Needs the
  % modules (volfilter_estimate among them), volfilter_fit and the examples on the path,
  % e.g. from the top of the checkout:
  %   octave-cli --no-history --eval "addpath('build/ci/mex', 'examples', 'bench/octave'); compiled_fit_bench"
  if (nargin < 1 || isempty (sizes))
    sizes = [1000 4000 20000];
  end
  if (nargin < 2 || isempty (repetitions))
    repetitions = 51;
  end
  if (nargin < 3 || isempty (panel_series))
    panel_series = 1000;
  end
  t = {'distribution', 't'};
  cases = struct ('name', {'GARCH(1,1)', 'GJR(1,1,1)', 'EGARCH(1,1,1)', 'GJR(1,1,1) t', ...
                           'GARCH(1,1) t'}, ...
                  'peer', {'garch', 'gjr', '', '', 'garch_t'}, ...
                  'model', {'threshvol', 'threshvol', 'logvol', 'threshvol', 'threshvol'}, ...
                  'truth', {[0.05; 0.08; 0.87], [0.02; 0.05; 0.10; 0.88], ...
                            [-0.01; 0.15; -0.08; 0.95], [0.02; 0.05; 0.10; 0.88; 6], ...
                            [0.05; 0.08; 0.87; 6]}, ...
                  'options', {{'o', 0}, {}, {}, t, [{'o', 0}, t]});
  fprintf ('%s\n', machine_line ());

  % The series; R fits each just before Octave does, so that both meet the same load.
  folder = tempname ();
  mkdir (folder);
  cleanup = onCleanup (@() remove_folder (folder));
  have_r = system ('Rscript --version > /dev/null 2>&1') == 0;
  if (! have_r)
    fprintf ('R not found: no tseries or fGarch columns\n');
  end
  fprintf ('\n');

  fprintf ('Fits with standard errors, milliseconds, medians of %d after a first call\n', ...
           repetitions);
  fprintf (['%-14s %6s %8s %8s %8s %7s %8s %8s %9s %8s  %s\n'], 'case', 'T', 'ours', ...
           'NLopt', 'tseries', 'ratio', 'core', 'fGarch', 'apart/se', 'evals', ...
           'likelihood calls: value (head), gradient, scores');
  results = struct ('name', {}, 'T', {}, 'ours_ms', {}, 'nlopt_ms', {}, 'tseries_ms', {}, ...
                    'core_ms', {}, 'fgarch_ms', {}, 'apart', {}, 'evaluations', {}, ...
                    'counts', {});
  warning ('off', 'volfilter:fit:atBoundary', 'local');
  for c = 1:numel (cases)
    options = [cases(c).options, {'backcast', 'mean'}];
    for s = 1:numel (sizes)
      T = sizes(s);
      r = simulate_returns (cases(c).model, cases(c).truth, T, cases(c).options{:}, 'seed', 42);
      peer = [];
      if (have_r && ! isempty (cases(c).peer))
        file = fullfile (folder, sprintf ('%s_%d.txt', cases(c).peer, T));
        write_series (file, r);
        peer = peer_fits (file, repetitions);
      end
      ours = @() volfilter_fit (cases(c).model, r, options{:});
      nlopt = @() volfilter_fit (cases(c).model, r, options{:}, 'optimizer', 'nlopt');
      seconds = time_alternately ({ours, nlopt}, repetitions);
      fit = ours ();
      [code, inputs] = core_inputs (cases(c), fit);
      core = @() outputs_of (@() volfilter_estimate (code, r, inputs{:}, [], 1000, 1), 6);
      core_seconds = time_alternately ({core}, repetitions);
      [~, ~, ~, ~, ~, summary] = volfilter_estimate (code, r, inputs{:}, [], 1000, 1);
      row = struct ('name', cases(c).name, 'T', T, 'ours_ms', 1e3 * seconds(1), ...
                    'nlopt_ms', 1e3 * seconds(2), 'tseries_ms', NaN, ...
                    'core_ms', 1e3 * core_seconds, 'fgarch_ms', NaN, 'apart', NaN, ...
                    'evaluations', fit.evaluations, 'counts', summary(13:16)');
      if (! isempty (peer))
        row.tseries_ms = peer.tseries_ms;
        row.fgarch_ms = peer.fgarch_ms;
        row.apart = distance_to_fgarch (cases(c), r, peer.estimates);
      end
      results(end + 1) = row;
      fprintf ('%-14s %6d %8.3f %8.3f %8.3f %7.2f %8.3f %8.1f %9.1e %8d  %d (%d), %d, %d\n', ...
               row.name, T, row.ours_ms, row.nlopt_ms, row.tseries_ms, ...
               row.ours_ms / row.tseries_ms, row.core_ms, row.fgarch_ms, row.apart, ...
               row.evaluations, row.counts);
    end
  end
  fprintf (['ratio: ours over tseries; apart/se: the largest distance of fGarch''s estimates ', ...
            'from ours on the same likelihood, in our standard errors\n']);

  if (panel_series > 0)
    rand ('state', 1);
    alpha = 0.03 + 0.09 * rand (1, panel_series);
    persistence = 0.90 + 0.08 * rand (1, panel_series);
    panel = simulate_panel ([1 - persistence; alpha; persistence - alpha], 1000, 1);
    fprintf ('\nPanel of %d GARCH(1,1) series of 1000 returns, one call, median of 5:\n', ...
             panel_series);
    warning ('off', 'volfilter:fit:notConverged', 'local');
    warning ('off', 'volfilter:fit:singularHessian', 'local');
    fits = cell (1, 2);
    cores = cell (1, 2);
    for threads = 1:2
      fits{threads} = @() volfilter_fit ('threshvol', panel, 'o', 0, 'threads', threads);
      cores{threads} = @() volfilter_estimate (0, panel, 1, 0, 1, 2, 1, 0, 1, 0, [], [], [], ...
                                               1000, threads);
    end
    seconds = time_alternately (fits, 5);
    core_seconds = time_alternately (cores, 5);
    for threads = 1:2
      fprintf ('  %d thread%s: %.3f s (volfilter_estimate alone %.3f s)\n', threads, ...
               repmat ('s', 1, threads > 1), seconds(threads), core_seconds(threads));
    end
    fprintf ('  two threads %.2fx one (volfilter_estimate alone %.2fx)\n', ...
             seconds(1) / seconds(2), core_seconds(1) / core_seconds(2));
  end
  fprintf ('%s\n', machine_line ());
end

function remove_folder (folder)
  confirm_recursive_rmdir (false, 'local');
  rmdir (folder, 's');
end

function write_series (file, r)
  fid = fopen (file, 'w');
  fprintf (fid, '%.17g\n', r);
  fclose (fid);
end

function peer = peer_fits (file, repetitions)
  % R's times and estimates for the series in FILE (bench/r/peer_fits.R), none where tseries
  % or fGarch is absent.
  peer = [];
  script = fullfile (fileparts (fileparts (mfilename ('fullpath'))), 'r', 'peer_fits.R');
  [status, text] = system (sprintf ('Rscript %s %d %s 2>&1', script, repetitions, file));
  if (status != 0)
    fprintf ('R''s fits failed (tseries and fGarch installed?): no R columns\n%s\n', text);
    return;
  end
  values = str2double (strsplit (strtrim (text), "\t")(2:end));
  k = values(4);
  peer = struct ('tseries_ms', values(1), 'fgarch_ms', values(2), 'estimates', values(5:4 + k)');
end

function apart = distance_to_fgarch (c, r, estimates)
  % fGarch's estimates against ours on its likelihood: the series behind a pre-sample
  % observation sqrt(b), b = mean (r .^ 2) as the backcast, m = 1. Its leverage form
  % (|e| - gamma e)^2 in our GJR's parameters: alpha (1 - gamma)^2 and 4 alpha gamma.
  b = mean (r .^ 2);
  options = c.options;
  fit = volfilter_fit (c.model, [sqrt(b); r], options{:}, 'backcast', b);
  theirs = estimates;
  if (strcmp (c.peer, 'gjr'))
    alpha = estimates(2);
    gamma = estimates(3);
    theirs = [estimates(1); alpha * (1 - gamma) ^ 2; 4 * alpha * gamma; estimates(4)];
  end
  apart = max (abs (theirs - fit.parameters) ./ fit.std_errors);
end

function [code, inputs] = core_inputs (c, fit)
  % volfilter_estimate's inputs after E for the case: p, o, q, type, constant, distribution,
  % m, the pre-sample rule 'mean', no value, no ceiling.
  code = find (strcmp (c.model, {'threshvol', 'logvol', 'shiftvol', 'intvol'})) - 1;
  student = strcmp (fit.distribution, 't');
  type = fit.type;
  if (isempty (type))
    type = 2;  % logvol has no type
  end
  inputs = {fit.p, fit.o, fit.q, type, 1, student, fit.m, 1, [], []};
end

function seconds = time_alternately (calls, repetitions)
  % The median time of each call over `repetitions` rounds, the calls taking turns in each
  % round so that a change of load falls on all of them alike; after a first call of each.
  for i = 1:numel (calls)
    calls{i} ();
  end
  times = zeros (repetitions, numel (calls));
  for round = 1:repetitions
    for i = 1:numel (calls)
      started = tic ();
      calls{i} ();
      times(round, i) = toc (started);
    end
  end
  seconds = median (times, 1);
end

function outputs_of (f, count)
  out = cell (1, count);
  [out{:}] = f ();
end
