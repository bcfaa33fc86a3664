function s = volfilter_summary (fit)
% s = volfilter_summary (fit)
% Prints a fit of volfilter_fit as one compact table; with an output, returns the same as
% a struct instead of printing.
%
% For one fit: the model (orders, type, distribution), the observations, the optimiser and
% whether it converged; each parameter with its estimate, standard error, t statistic
% (estimate / standard error), two-sided normal p-value, robust standard error and robust
% p-value; the log-likelihood, AIC and BIC; the persistence, half-life and unconditional
% variance where the model defines them (model_moments); the bounds and constraints active
% at the estimates (fit.active_constraints), each parameter in one marked in the table; and
% the tests of the standardised residuals (see help volfilter_fit), always: a fit carries
% them in fit.diagnostics only when asked for ('diagnostics', true), since in Octave they
% cost about as much as a whole compiled fit, so the summary computes them from
% fit.std_residuals where the fit has none.
% Standard errors at an active bound or constraint are printed as computed, but the
% usual asymptotics do not hold there: the table says so.
%
% For a panel (a struct array of fits, one a series): one line per series with whether it
% converged, whether it sits on a boundary, its estimates and log-likelihood, then the
% counts of series that did not converge, sit on a boundary or have no standard errors.
%
% What a fit lacks is marked, not refused: standard errors that are NaN (the Hessian not
% positive definite) or absent print as '-' with a note saying why, as does a p-value
% whose statistic could not be formed; a fit without standardised residuals says that it
% has no tests.
%
% s, for one fit: a struct with description (the model line), model, T, m, n,
%   optimizer, converged, message, evaluations, parameters (a table-like struct of
%   k-by-1 columns: name, estimate, std_error, t, p_value, robust_std_error,
%   robust_p_value, active), loglik, aic, bic, moments (a struct for the persistence,
%   half_life, unconditional_variance and unconditional_level the model implies; empty
%   where it defines none),
%   active_constraints, diagnostics, notes (a cell of what is missing or to be read with
%   care) and text (the printed table).
% s, for a panel: a struct with description, count, names (the parameters, k-by-1),
%   converged and at_boundary (N-by-1 logical), parameters (N-by-k, NaN where a series
%   has none), loglik (N-by-1), not_converged, on_boundary and without_std_errors
%   (counts) and text.
%
% Errors: volfilter:summary:notFit when FIT is not a result of volfilter_fit (not a
% struct, an empty struct array, or without the model, names and parameters of one).
%
% Example:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   volfilter_summary (fit)
%   fit = volfilter_fit ('threshvol', e, 'o', 0, 'display', 'summary');   % the same
%
% See also volfilter_fit, volfilter_plot.

if nargin < 1 || ~isstruct (fit) || isempty (fit)
  error ('volfilter:summary:notFit', ...
         ['volfilter_summary: fit must be the result of volfilter_fit (a struct, or a ' ...
          'panel of them).']);
end
missing = setdiff ({'model', 'names', 'parameters'}, fieldnames (fit));
if ~isempty (missing)
  error ('volfilter:summary:notFit', ...
         'volfilter_summary: fit is not a result of volfilter_fit: it has no field %s.', ...
         strjoin (missing, ', '));
end
for j = 1:numel (fit)
  names = fit(j).names;
  if ~iscellstr (names) || ~isnumeric (fit(j).parameters) || ~isreal (fit(j).parameters) ...
     || numel (fit(j).parameters) ~= numel (names) || ~ischar (fit(j).model) ...
     || size (fit(j).model, 1) ~= 1
    error ('volfilter:summary:notFit', ...
           ['volfilter_summary: fit(%d) is not a result of volfilter_fit: its names and ' ...
            'parameters do not match.'], j);
  end
end

if numel (fit) == 1
  result = single_summary (fit);
else
  result = panel_summary (fit);
end
if nargout > 0
  s = result;
else
  fprintf ('%s\n', result.text);
end
end

function s = single_summary (fit)
names = fit.names(:);
k = numel (names);
estimate = double (fit.parameters(:));
std_error = column (summary_field (fit, 'std_errors', []), k);
robust = column (summary_field (fit, 'robust_std_errors', []), k);
active = active_constraints (fit);
marked = false (k, 1);
marks = repmat ({''}, k, 1);
for i = 1:k
  pattern = ['(^|\W)' regexptranslate('escape', names{i}) '(\W|$)'];
  in = ~cellfun ('isempty', regexp (active, pattern, 'once'));
  marked(i) = any (in);
  if marked(i)
    marks{i} = ['  at ' strjoin(active(in), ', ')];
  end
end
t = estimate ./ std_error;
table = struct ('name', {names}, 'estimate', estimate, 'std_error', std_error, 't', t, ...
                'p_value', erfc (abs (t) / sqrt (2)), 'robust_std_error', robust, ...
                'robust_p_value', erfc (abs (estimate ./ robust) / sqrt (2)), ...
                'active', marked);

converged = summary_field (fit, 'converged', []);
description = summary_description (fit);
lines = {['volfilter_fit: ' description]};
T = summary_field (fit, 'T', NaN);
m = summary_field (fit, 'm', NaN);
n = summary_field (fit, 'n', NaN);
lines{end + 1} = sprintf ('  %s observations, %s conditioned on, %s in the likelihood', ...
                          count_text (T), count_text (m), count_text (n));
optimizer = summary_field (fit, 'optimizer', '');
message = summary_field (fit, 'message', '');
evaluations = summary_field (fit, 'evaluations', []);
if isequal (converged, true)
  state = 'converged';
elseif isequal (converged, false)
  state = 'DID NOT CONVERGE';
else
  state = 'convergence not reported';
end
line = sprintf ('  optimizer %s: %s', text_or_dash (optimizer), state);
if ischar (message) && ~isempty (message)
  line = sprintf ('%s (%s)', line, message);
end
if isnumeric (evaluations) && isreal (evaluations) && isscalar (evaluations)
  line = sprintf ('%s, %d evaluations', line, evaluations);
end
lines{end + 1} = line;
lines{end + 1} = '';
lines{end + 1} = sprintf ('  %-10s %11s %11s %8s %8s %11s %8s', 'parameter', 'estimate', ...
                          'std. error', 't', 'p-value', 'robust s.e.', 'robust p');
for i = 1:k
  lines{end + 1} = sprintf ('  %-10s %11s %11s %8s %8s %11s %8s%s', names{i}, ...
                            number (estimate(i)), number (std_error(i)), ...
                            fixed (t(i)), p_text (table.p_value(i)), number (robust(i)), ...
                            p_text (table.robust_p_value(i)), marks{i}); %#ok<AGROW>
end

notes = {};
if ~isfield (fit, 'std_errors')
  notes{end + 1} = 'the fit carries no standard errors';
elseif any (isnan (std_error))
  notes{end + 1} = ['standard errors marked - are not available (the Hessian is not ' ...
                    'positive definite at the estimates)'];
end
if any (isnan (robust) & ~isnan (std_error))
  notes{end + 1} = 'robust standard errors marked - are not available';
end
if ~isempty (active)
  notes{end + 1} = sprintf (['%s active at the estimates: the standard errors of the ' ...
                             'parameters in them are not reliable (the usual asymptotics do ' ...
                             'not hold on a bound)'], strjoin (active, ', '));
end
if isequal (converged, false)
  notes{end + 1} = 'the optimizer did not converge: the estimates are where it stopped';
end

loglik = summary_field (fit, 'loglik', NaN);
aic = summary_field (fit, 'aic', NaN);
bic = summary_field (fit, 'bic', NaN);
lines{end + 1} = '';
lines{end + 1} = sprintf ('  log-likelihood %s   aic %s   bic %s', decimals (loglik, 3), ...
                          decimals (aic, 3), decimals (bic, 3));
[moment_lines, moments] = summary_moments (fit);
lines = [lines, moment_lines];
for i = 1:numel (notes)
  lines = [lines, wrap(['note: ' notes{i}], '  ', '        ')]; %#ok<AGROW>
end

diagnostics = summary_field (fit, 'diagnostics', []);
parts = {'n', 'lags', 'ljung_box', 'ljung_box_squared', 'arch_lm', 'jarque_bera', 'sign_bias'};
if ~isstruct (diagnostics) || numel (diagnostics) ~= 1 || ~all (isfield (diagnostics, parts))
  diagnostics = [];
  z = summary_field (fit, 'std_residuals', []);
  whole = isnumeric (m) && isscalar (m) && m == fix (m) && m >= 0;
  if isnumeric (z) && isreal (z) && isvector (z) && whole && numel (z) > m + 1
    % A column of doubles after the m conditioned on, whatever the vector's class and shape.
    z = full (double (z(:)));
    diagnostics = fit_diagnostics (z(double (m) + 1:end), names);
  end
end
lines{end + 1} = '';
if isempty (diagnostics)
  lines{end + 1} = '  standardised residuals: not in the fit, no tests';
  notes{end + 1} = 'no standardised residuals to test';
else
  try
    lines = [lines, diagnostic_lines(diagnostics)];
  catch
    lines{end + 1} = '  standardised residuals: fit.diagnostics is not as volfilter_fit makes it';
  end
end

s = struct ('description', description, 'model', fit.model, 'T', T, 'm', m, 'n', n, ...
            'optimizer', optimizer, 'converged', converged, 'message', message, ...
            'evaluations', evaluations, 'parameters', table, 'loglik', loglik, ...
            'aic', aic, 'bic', bic, 'moments', moments, ...
            'active_constraints', {active}, 'diagnostics', diagnostics, ...
            'notes', {notes(:)}, 'text', strjoin (lines, char (10)));
end

function lines = diagnostic_lines (d)
% The tests of the standardised residuals, a row a lag.
lines = {sprintf('  %-32s %7s %4s %10s %8s', ...
                 sprintf ('standardised residuals, n = %d', d.n), 'lag', 'df', 'statistic', ...
                 'p-value')};
tests = {'Ljung-Box of z', d.ljung_box; 'Ljung-Box of z^2', d.ljung_box_squared; ...
         'ARCH LM', d.arch_lm};
for r = 1:size (tests, 1)
  test = tests{r, 2};
  for i = 1:numel (d.lags)
    label = '';
    if i == 1
      label = tests{r, 1};
    end
    lines{end + 1} = sprintf ('    %-30s %7d %4d %10s %8s', label, d.lags(i), test.df(i), ...
                              fixed (test.statistic(i)), p_text (test.p_value(i))); %#ok<AGROW>
  end
end
jb = d.jarque_bera;
lines{end + 1} = sprintf ('    %-30s %7s %4d %10s %8s   skewness %s, kurtosis %s', ...
                          'Jarque-Bera', '', jb.df, fixed (jb.statistic), ...
                          p_text (jb.p_value), fixed (jb.skewness), fixed (jb.kurtosis));
bias = d.sign_bias;
for i = 1:numel (bias.terms)
  lines{end + 1} = sprintf ('    %-30s %7s %4s %10s %8s', [bias.terms{i} ' bias (t)'], '', ...
                            '', fixed (bias.t(i)), p_text (bias.p_value(i))); %#ok<AGROW>
end
lines{end + 1} = sprintf ('    %-30s %7s %4d %10s %8s', 'sign and size bias, joint', '', ...
                          bias.joint_df, fixed (bias.joint), p_text (bias.joint_p_value));
end

function s = panel_summary (fits)
count = numel (fits);
names = {};
for j = 1:count
  names = [names; setdiff(fits(j).names(:), names, 'stable')]; %#ok<AGROW>
end
k = numel (names);
parameters = NaN (count, k);
loglik = NaN (count, 1);
converged = false (count, 1);
at_boundary = false (count, 1);
without = false (count, 1);
descriptions = cell (count, 1);
for j = 1:count
  fit = fits(j);
  [~, where] = ismember (fit.names(:), names);
  parameters(j, where) = fit.parameters(:)';
  value = summary_field (fit, 'loglik', NaN);
  if isnumeric (value) && isreal (value) && isscalar (value)
    loglik(j) = value;
  end
  converged(j) = isequal (summary_field (fit, 'converged', false), true);
  at_boundary(j) = ~isempty (active_constraints (fit));
  errors = summary_field (fit, 'std_errors', []);
  without(j) = ~isnumeric (errors) || isempty (errors) || any (isnan (errors(:)));
  descriptions{j} = summary_description (fit);
end
description = descriptions{1};
if numel (unique (descriptions)) > 1
  description = 'series of different models';
end

lines = {sprintf('volfilter_fit: a panel of %d series, %s', count, description), ''};
header = sprintf ('  %6s %9s %8s', 'series', 'converged', 'boundary');
for i = 1:k
  header = sprintf ('%s %9s', header, names{i});
end
lines{end + 1} = sprintf ('%s %12s', header, 'loglik');
answers = {'no', 'yes'};
stars = {'', '*'};
for j = 1:count
  row = sprintf ('  %6d %9s %8s', j, answers{converged(j) + 1}, stars{at_boundary(j) + 1});
  for i = 1:k
    row = sprintf ('%s %9s', row, number (parameters(j, i), 4));
  end
  lines{end + 1} = sprintf ('%s %12s', row, decimals (loglik(j), 3)); %#ok<AGROW>
end
lines{end + 1} = '';
lines{end + 1} = sprintf (['  converged: %d of %d; not converged: %d; on a boundary (*): %d; ' ...
                           'without standard errors: %d'], sum (converged), count, ...
                          sum (~converged), sum (at_boundary), sum (without));
if any (at_boundary)
  lines{end + 1} = '  (the bounds and constraints active for series j: fits(j).active_constraints)';
end
if ~any (converged)
  lines{end + 1} = '  no series converged: the estimates are where the optimizer stopped';
end
s = struct ('description', description, 'count', count, 'names', {names}, ...
            'converged', converged, 'at_boundary', at_boundary, ...
            'parameters', parameters, 'loglik', loglik, ...
            'not_converged', sum (~converged), 'on_boundary', sum (at_boundary), ...
            'without_std_errors', sum (without), 'text', strjoin (lines, char (10)));
end

function active = active_constraints (fit)
% The names of the bounds and constraints active at the estimates; none where the fit
% does not name them.
active = summary_field (fit, 'active_constraints', {});
if ischar (active)
  active = {active};
end
if ~iscellstr (active)
  active = {};
end
active = active(:)';
end

function values = column (values, k)
% K values as a double column, NaN where the fit has none or not K real ones.
if ~isnumeric (values) || ~isreal (values) || numel (values) ~= k
  values = NaN (k, 1);
end
values = double (full (values(:)));
end

function text = number (value, digits)
% DIGITS decimals (default 5) from 0.001 to 100000, beyond that 4 significant digits in
% exponent form, so that data on any scale print; '-' for what is missing.
if nargin < 2
  digits = 5;
end
if ~isnumeric (value) || ~isreal (value) || ~isscalar (value) || isnan (value)
  text = '-';
elseif value == 0 || (abs (value) >= 1e-3 && abs (value) < 1e5)
  text = sprintf ('%.*f', digits, value);
else
  text = sprintf ('%.3e', value);
end
end

function text = fixed (value)
text = decimals (value, 2);
end

function text = decimals (value, digits)
if ~isnumeric (value) || ~isreal (value) || ~isscalar (value) || isnan (value)
  text = '-';
else
  text = sprintf ('%.*f', digits, value);
end
end

function lines = wrap (text, first, rest)
% TEXT in lines of at most 96 columns, the first behind FIRST, the others behind REST.
lines = {};
prefix = first;
words = strsplit (text, ' ');
line = '';
for i = 1:numel (words)
  if ~isempty (line) && numel (prefix) + numel (line) + 1 + numel (words{i}) > 96
    lines{end + 1} = [prefix line]; %#ok<AGROW>
    prefix = rest;
    line = '';
  end
  if isempty (line)
    line = words{i};
  else
    line = [line ' ' words{i}]; %#ok<AGROW>
  end
end
lines{end + 1} = [prefix line];
end

function text = p_text (p)
if isnan (p)
  text = '-';
elseif p < 1e-4
  text = '<0.0001';
else
  text = sprintf ('%.4f', p);
end
end

function text = count_text (value)
if isnumeric (value) && isreal (value) && isscalar (value) && ~isnan (value)
  text = sprintf ('%d', value);
else
  text = '-';
end
end

function text = text_or_dash (value)
if ischar (value) && ~isempty (value)
  text = value;
else
  text = '-';
end
end
