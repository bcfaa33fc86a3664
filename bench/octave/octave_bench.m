function octave_bench (sizes, quick)
  % OCTAVE_BENCH  Per-call times of the modules in the host, beside the same recursion as an
  % Octave loop and Octave's filter where the recursion is linear. Two modules that do no
  % work show what the host spends: bench_trivial only creates a 1-by-1 output (the fixed
  % cost of any call); bench_column creates an output of the module's size, so that the
  % module's time less its time is the module's own work (gateway and kernel). At T = 1 a
  % third, bench_host_calls, makes the host calls an entry makes on its inputs, so that a
  % module's fixed cost less its cost is what the gateway adds beyond the host. Last,
  % pairwise_nll beside two modules without any check, its own kernel and the straightforward
  % loop, at 10^3 to 10^5 pairs: what its checks cost.
  %
  % Then each likelihood module, value only and with its gradient (two outputs), beside one
  % call of its filter and beside the same likelihood written in Octave's language around
  % the filter (the sum of logarithms and quotients), with the ratios.
  %
  % Needs the modules and bench_trivial on the path, e.g. from the top of the checkout:
  %   octave-cli --no-history --eval "addpath('build/default/mex', ...
  %                                 'build/default/bench/mex', 'bench/octave'); octave_bench"
  % Modules not built yet are skipped. octave_bench (sizes, true) times each call once, as a
  % quick check that everything runs.
  if (nargin < 1)
    sizes = [1e3 1e4];
  end
  global timing_runs;
  timing_runs = 7;
  if (nargin >= 2 && quick)
    timing_runs = 0;
  end
  fprintf ('%s\n', machine_line ());
  if (timing_runs > 0)
    fprintf ('microseconds per call (median of %d timings)\n\n', timing_runs);
  else
    fprintf ('microseconds per call (one call each: a quick check, not a measurement)\n\n');
  end
  fprintf ('%-26s %6s %9s %10s %9s %9s %9s %9s %9s  %s\n', 'case', 'T', 'module', 'loop', ...
           'filter', 'trivial', 'column', 'own', 'loop/mod', 'loop result');
  for T = sizes
    for c = cases (T)
      run_case (c, T);
    end
  end

  fprintf (['\nFixed cost of a call: each module at T = 1 beside bench_trivial and' ...
           ' bench_host_calls (the host calls\nan entry makes on its inputs) with the same' ...
           ' inputs; "gateway" is module less host calls\n']);
  fprintf ('%-26s %9s %9s %9s %9s\n', 'case', 'module', 'trivial', 'host', 'gateway');
  for c = cases (1)
    if (exist (c.module) != 3)
      continue;
    end
    module = per_call (str2func (c.module), c.inputs);
    trivial = per_call (@bench_trivial, c.inputs);
    host = per_call (@bench_host_calls, c.inputs);
    fprintf ('%-26s %9.2f %9.2f %9.2f %9.2f\n', c.name, module, trivial, host, module - host);
  end

  fprintf (['\nLikelihoods: one call value only (nll) and with the gradient (nll+grad), one call' ...
            ' of the filter,\nand the likelihood in Octave around the filter (octave);' ...
            ' microseconds, then ratios\n']);
  fprintf ('%-26s %6s %9s %9s %9s %9s %10s %10s %10s\n', 'case', 'T', 'filter', 'nll', ...
           'nll+grad', 'octave', 'nll/filt', 'grad/filt', 'octave/nll');
  for T = sizes
    for c = likelihood_cases (T)
      run_likelihood_case (c, T);
    end
  end
  guard_cost ([1e3 1e4 1e5]);
end

function run_likelihood_case (c, T)
  if (exist (c.module) != 3 || exist (c.filter_module) != 3)
    return;
  end
  module_handle = str2func (c.module);
  filter_time = per_call (str2func (c.filter_module), c.filter_inputs);
  value = per_call (module_handle, c.inputs);
  with_gradient = per_call (module_handle, c.inputs, 2);
  in_octave = per_call (c.octave, c.filter_inputs);
  fprintf ('%-26s %6d %9.2f %9.2f %9.2f %9.2f %10.2f %10.2f %10.2f\n', c.name, T, ...
           filter_time, value, with_gradient, in_octave, value / filter_time, ...
           with_gradient / filter_time, in_octave / value);
end

% The likelihood cases at sample size T: orders 1, m = 1, as in a typical fit.
function list = likelihood_cases (T)
  randn ('state', 43);
  e = randn (T, 1);
  e2 = e .^ 2;
  asym = e2 .* (e < 0);
  b = mean (e2);
  list = struct ('name', {}, 'module', {}, 'inputs', {}, 'filter_module', {}, ...
                 'filter_inputs', {}, 'octave', {});
  threshvol = [0.05; 0.05; 0.05; 0.85];
  list(end+1) = likelihood_entry ('threshvol_nll normal', 'threshvol_nll', ...
                                  {e, threshvol, b, 1, 1, 1, 1, 2, 0}, 'threshvol_filter', ...
                                  {e2, asym, threshvol, b, 1, 1, 1, 1, T, 2}, ...
                                  @(varargin) normal_nll (e, threshvol_filter (varargin{:}), 1));
  list(end+1) = likelihood_entry ('threshvol_nll Student t', 'threshvol_nll', ...
                                  {e, [threshvol; 8], b, 1, 1, 1, 1, 2, 1}, 'threshvol_filter', ...
                                  {e2, asym, threshvol, b, 1, 1, 1, 1, T, 2}, ...
                                  @(varargin) student_nll (e, threshvol_filter (varargin{:}), 1, 8));
  logvol = [0.0; 0.1; -0.05; 0.95];
  list(end+1) = likelihood_entry ('logvol_nll normal', 'logvol_nll', ...
                                  {e, logvol, 0, 1e6, 1, 1, 1, 1, 0}, 'logvol_filter', ...
                                  {e, logvol, 0, 1e6, 1, 1, 1, 1, T}, ...
                                  @(varargin) normal_nll (e, logvol_filter (varargin{:}), 1));
  shiftvol = [0.05; 0.1; 0.2; 0.85];
  list(end+1) = likelihood_entry ('shiftvol_nll normal', 'shiftvol_nll', ...
                                  {e, shiftvol, 1, 1, 1, 1, 1, 0}, 'shiftvol_filter', ...
                                  {e, shiftvol, 1, 1, 1, 1, T, 1}, ...
                                  @(varargin) normal_nll (e, shiftvol_filter (varargin{:}), 1));
  intvol = [0.05; 0.1];
  list(end+1) = likelihood_entry ('intvol_nll normal', 'intvol_nll', ...
                                  {e, intvol, 1, 1, 1, 1, 2, 1, 0}, 'intvol_filter', ...
                                  {e2, intvol, 1, 1, 1, 1, T, 2, 1}, ...
                                  @(varargin) normal_nll (e, intvol_filter (varargin{:}), 1));
end

function c = likelihood_entry (name, module, inputs, filter_module, filter_inputs, octave)
  c = struct ('name', name, 'module', module, 'inputs', {inputs}, ...
              'filter_module', filter_module, 'filter_inputs', {filter_inputs}, 'octave', octave);
end

% The likelihoods as a user writes them in Octave around a filter's variances.
function nll = normal_nll (e, ht, m)
  e = e(m+1:end);
  ht = ht(m+1:end);
  nll = 0.5 * (numel (e) * log (2 * pi) + sum (log (ht) + e .^ 2 ./ ht));
end

function nll = student_nll (e, ht, m, nu)
  e = e(m+1:end);
  ht = ht(m+1:end);
  constant = gammaln (nu / 2) - gammaln ((nu + 1) / 2) + 0.5 * log (pi * (nu - 2));
  nll = numel (e) * constant + 0.5 * sum (log (ht) + (nu + 1) * log1p (e .^ 2 ./ ((nu - 2) * ht)));
end


% pairwise_nll beside bench_pairwise_unguarded (the same kernel without any check) and
% bench_pairwise_plain (the straightforward loop without any check) on the same inputs, timed
% in alternation so that all meet the same load: what the checks cost, mostly the test of
% every index.
function guard_cost (pair_counts)
  global timing_runs;
  names = {'pairwise_nll', 'bench_pairwise_unguarded', 'bench_pairwise_plain'};
  if (! all (cellfun (@(name) exist (name) == 3, names)))
    return;
  end
  runs = max (3 * timing_runs, 1);
  fprintf (['\nThe checks of pairwise_nll beside the kernel alone (bench_pairwise_unguarded) and' ...
            ' the\nstraightforward loop alone (bench_pairwise_plain), K = 50, microseconds per' ...
            ' call,\nmedians of %d alternating timings\n'], runs);
  fprintf ('%8s %12s %12s %12s %11s %11s\n', 'pairs', 'guarded', 'unguarded', 'plain', ...
           'g/unguarded', 'g/plain');
  for n = pair_counts
    c = cases (n)(end);
    modules = cellfun (@str2func, names, 'UniformOutput', false);
    calls = calls_for (modules{1}, c.inputs);
    timings = zeros (runs, numel (modules));
    for r = 1:runs
      for k = 1:numel (modules)
        timings(r, k) = batch_time (modules{k}, c.inputs, calls);
      end
    end
    t = 1e6 * median (timings, 1);
    fprintf ('%8d %12.2f %12.2f %12.2f %11.3f %11.3f\n', n, t, t(1) / t(2), t(1) / t(3));
  end
end

% Calls of f in a batch of about 0.02 s, or 1 in a quick run.
function calls = calls_for (f, inputs, outputs)
  global timing_runs;
  if (nargin < 3)
    outputs = 1;
  end
  calls = 1;
  if (timing_runs == 0)
    return;
  end
  while (batch_time (f, inputs, calls, outputs) * calls < 0.02)
    calls *= 4;
  end
end

% Seconds per call of f(inputs{:}) over a batch of `calls` calls, with one output or, when
% OUTPUTS is 2, two (the call itself in the loop, not through a wrapper, whose own call
% would be timed too).
function seconds = batch_time (f, inputs, calls, outputs)
  if (nargin > 3 && outputs == 2)
    start = tic;
    for i = 1:calls
      [result, second] = f (inputs{:});
    end
  else
    start = tic;
    for i = 1:calls
      result = f (inputs{:});
    end
  end
  seconds = toc (start) / calls;
end

function run_case (c, T)
  if (exist (c.module) != 3)
    return;
  end
  module_handle = str2func (c.module);
  result = module_handle (c.inputs{:});
  looped = c.loop (c.inputs{:});
  if (isequal (typecast (result(:), 'uint64'), typecast (looped(:), 'uint64')))
    agreement = 'same bits';
  else
    difference = abs (result(:) - looped(:)) ./ max (abs (result(:)), realmin);
    agreement = sprintf ('differs by %.1e', max (difference));
  end
  module = per_call (module_handle, c.inputs);
  loop = per_call (c.loop, c.inputs);
  trivial = per_call (@bench_trivial, c.inputs);
  column = per_call (@bench_column, [{numel(result)}, c.inputs]);
  if (isempty (c.filter))
    filter_time = '-';
  else
    filtered = c.filter (c.inputs{:});
    scale = max (abs (result(:)));
    assert (max (abs (filtered(:) - result(:))) <= 1e-10 * scale, 'filter disagrees');
    filter_time = sprintf ('%.2f', per_call (c.filter, c.inputs));
  end
  fprintf ('%-26s %6d %9.2f %10.1f %9s %9.2f %9.2f %9.2f %9.0f  %s\n', c.name, T, module, ...
           loop, filter_time, trivial, column, module - column, loop / module, agreement);
end

% Median time of one call of f(inputs{:}) with one output, or two when OUTPUTS is 2, in
% microseconds.
function microseconds = per_call (f, inputs, outputs)
  global timing_runs;
  if (nargin < 3)
    outputs = 1;
  end
  start = tic;
  [result, second] = call_with (f, inputs, outputs);
  microseconds = 1e6 * toc (start);
  if (timing_runs == 0)
    return;
  end
  calls = calls_for (f, inputs, outputs);
  timings = zeros (timing_runs, 1);
  for r = 1:numel (timings)
    timings(r) = batch_time (f, inputs, calls, outputs);
  end
  microseconds = 1e6 * median (timings);
end

function [result, second] = call_with (f, inputs, outputs)
  second = [];
  if (outputs == 2)
    [result, second] = f (inputs{:});
  else
    result = f (inputs{:});
  end
end

% The cases timed at sample size T: orders 1, as in a typical fit.
function list = cases (T)
  randn ('state', 42);
  rand ('state', 42);
  e = randn (T, 1);
  e2 = e .^ 2;
  asym = e2 .* (e < 0);
  list = struct ('name', {}, 'module', {}, 'inputs', {}, 'loop', {}, 'filter', {});

  threshvol = [0.05; 0.05; 0.05; 0.85];
  list(end+1) = entry ('threshvol_filter power 2', 'threshvol_filter', ...
                       {e2, asym, threshvol, 1, 1, 1, 1, 1, T, 2}, @threshvol_loop, ...
                       @threshvol_by_filter);
  list(end+1) = entry ('threshvol_filter power 1', 'threshvol_filter', ...
                       {abs(e), abs(e) .* (e < 0), threshvol, 1, 1, 1, 1, 1, T, 1}, ...
                       @threshvol_loop, []);
  list(end+1) = entry ('logvol_filter', 'logvol_filter', ...
                       {e, [0.0; 0.1; -0.05; 0.95], 0, 1e6, 1, 1, 1, 1, T}, @logvol_loop, []);
  list(end+1) = entry ('shiftvol_filter constant', 'shiftvol_filter', ...
                       {e, [0.05; 0.1; 0.2; 0.85], 1, 1, 1, 1, T, 1}, @shiftvol_loop, []);
  list(end+1) = entry ('shiftvol_filter scaled', 'shiftvol_filter', ...
                       {e, [0.05; 0.1; 0.2; 0.85], 1, 1, 1, 1, T, 0}, @shiftvol_loop, []);
  list(end+1) = entry ('intvol_filter power 2', 'intvol_filter', ...
                       {e2, [0.05; 0.1], 1, 1, 1, 1, T, 2, 1}, @intvol_loop, @intvol_by_filter);
  list(end+1) = entry ('lagreg_residuals', 'lagreg_residuals', ...
                       {[0.1; 0.5; 0.2; 0.3], 1, 1, 1, e, rand(T, 1), 1, 1 + rand(T, 1)}, ...
                       @lagreg_loop, []);
  K = 50;
  A = randn (K);
  covariance = A * A' / K + eye (K);
  pairs = 1 + floor (K * rand (T, 2));
  pairs(:, 2) = 1 + mod (pairs(:, 1) + floor ((K - 1) * rand (T, 1)), K);  % never equal
  list(end+1) = entry ('pairwise_nll (T pairs)', 'pairwise_nll', ...
                       {covariance, randn(K, 1), pairs}, @pairwise_loop, []);
end

function c = entry (name, module, inputs, loop, filter_version)
  c = struct ('name', name, 'module', module, 'inputs', {inputs}, 'loop', loop, ...
              'filter', filter_version);
end

% The recursions as Octave loops, in the modules' order of arithmetic.

function ht = threshvol_loop (data, asym, par, backcast, p, o, q, m, T, type)
  ht = zeros (T, 1);
  ht(1:m) = backcast(1);
  for t = m+1:T
    s = par(1);
    for i = 1:p
      s = s + data(t-i) * par(1+i);
    end
    for i = 1:o
      s = s + asym(t-i) * par(1+p+i);
    end
    for i = 1:q
      s = s + ht(t-i) * par(1+p+o+i);
    end
    ht(t) = s;
  end
  if (type == 1)
    ht(m+1:T) = ht(m+1:T) .* ht(m+1:T);
  end
end

function ht = logvol_loop (data, par, backcast, upper_bound, p, o, q, m, T)
  mu = 0.797884560802865;
  ht = zeros (T, 1);
  log_ht = zeros (T, 1);
  std_data = zeros (T, 1);
  centered = zeros (T, 1);
  V0 = exp (backcast);
  s0 = sqrt (V0);
  for t = 1:m
    log_ht(t) = backcast;
    ht(t) = V0;
    std_data(t) = data(t) / s0;
    centered(t) = abs (std_data(t)) - mu;
  end
  floor_value = V0 / 10000;
  floor_log = backcast - log (10000);
  for t = m+1:T
    s = par(1);
    for j = 1:p
      s = s + par(1+j) * centered(t-j);
    end
    for j = 1:o
      s = s + par(1+p+j) * std_data(t-j);
    end
    for j = 1:q
      s = s + par(1+p+o+j) * log_ht(t-j);
    end
    log_ht(t) = s;
    h = exp (s);
    if (h < floor_value)
      h = floor_value;
      log_ht(t) = floor_log;
    end
    if (h > upper_bound)
      if (isinf (h))
        h = upper_bound;
      else
        h = upper_bound + log_ht(t);
      end
      log_ht(t) = log (upper_bound);
    end
    ht(t) = h;
    std_data(t) = data(t) / sqrt (h);
    centered(t) = abs (std_data(t)) - mu;
  end
end

function ht = shiftvol_loop (data, par, backcast, p, q, m, T, type)
  gamma = par(p+2);
  g2 = gamma * gamma;
  ht = zeros (T, 1);
  shifted = zeros (T, 1);
  ht(1:m) = backcast;
  if (type == 1)
    shifted(1:m) = g2 + backcast;
  else
    shifted(1:m) = (g2 + 1) * backcast;
  end
  for t = m+1:T
    h = par(1);
    for j = 1:p
      h = h + par(1+j) * shifted(t-j);
    end
    for k = 1:q
      h = h + par(p+2+k) * ht(t-k);
    end
    ht(t) = h;
    if (type == 1)
      d = data(t) - gamma;
    else
      d = data(t) - gamma * sqrt (h);
    end
    shifted(t) = d * d;
  end
end

function ht = intvol_loop (data, par, backcast, p, q, m, T, type, f)
  k = 1;
  for i = 0:p+q-2
    k = k - par(f+i+1);
  end
  ht = zeros (T, 1);
  ht(1:m) = backcast;
  for t = m+1:T
    if (f != 0)
      s = par(1);
    else
      s = ht(t);
    end
    for i = 0:p-1
      s = s + data(t-1-i) * par(f+i+1);
    end
    for i = 0:q-2
      s = s + ht(t-1-i) * par(f+p+i+1);
    end
    s = s + k * ht(t-q);
    ht(t) = s;
  end
  if (type == 1)
    ht(m+1:T) = ht(m+1:T) .* ht(m+1:T);
  end
end

function r = lagreg_loop (par, ar_lags, ma_lags, c, y, x, m, sigma)
  T = rows (y);
  k = columns (x);
  P = rows (ar_lags);
  Q = rows (ma_lags);
  r = zeros (T, 1);
  for t = m+1:T
    e = y(t);
    if (c != 0)
      e = e - par(1);
    end
    for j = 1:P
      e = e - y(t - fix (ar_lags(j))) * par(c+j);
    end
    for j = 1:k
      e = e - par(c+P+j) * x(t + (j-1)*T);
    end
    for j = 1:Q
      e = e - r(t - fix (ma_lags(j))) * par(c+P+k+j);
    end
    r(t) = e;
  end
  r(m+1:T) = r(m+1:T) ./ sigma(m+1:T);
end

function nll = pairwise_loop (covariance, data, pairs)
  C = 3.67575413281869;
  K = max (size (data));
  matrix = rows (data) == columns (data);
  n = rows (pairs);
  nll = 0;
  for i = 1:n
    a = fix (pairs(i, 1));
    b = fix (pairs(i, 2));
    saa = covariance(a, a);
    sbb = covariance(b, b);
    sab = covariance(b, a);
    det_ab = sbb * saa - sab * sab;
    L = log (det_ab);
    if (matrix)
      Q2 = ((sbb * data(a, a) - (2 * sab) * data(b, a)) + saa * data(b, b)) / det_ab;
    else
      xa = data(a);
      xb = data(b);
      Q2 = (((xa * xa) * sbb - (xb * xa) * (2 * sab)) + (xb * xb) * saa) / det_ab;
    end
    nll = (((L + C) + Q2) * 0.5) / n + nll;
  end
end

% The linear recursions through Octave's filter: the data terms as FIR filters, the output
% lags as the denominator, the pre-sample outputs as its initial state.

function ht = linear_by_filter (constant, inputs, input_weights, feedback, backcast, m, T)
  u = constant * ones (T, 1);
  for j = 1:numel (inputs)
    u = u + filter ([0; input_weights{j}(:)], 1, inputs{j}(1:T));
  end
  state = backcast * flipud (cumsum (flipud (feedback(:))));
  ht = [backcast * ones(m, 1); filter(1, [1; -feedback(:)], u(m+1:T), state)];
end

function ht = threshvol_by_filter (data, asym, par, backcast, p, o, q, m, T, type)
  ht = linear_by_filter (par(1), {data, asym}, {par(2:1+p), par(2+p:1+p+o)}, ...
                         par(2+p+o:1+p+o+q), backcast, m, T);
end

function ht = intvol_by_filter (data, par, backcast, p, q, m, T, type, f)
  k = 1;
  for i = 0:p+q-2
    k = k - par(f+i+1);
  end
  ht = linear_by_filter (par(1) * (f != 0), {data}, {par(f+1:f+p)}, ...
                         [par(f+p+1:f+p+q-1); k], backcast, m, T);
end
