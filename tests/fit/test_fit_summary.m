function test_fit_summary ()
  % test_fit_summary ()
  % volfilter_summary on fits as they come: a GARCH(1,1) (the table's columns worked out
  % here), standard errors that are NaN, estimates on a bound or constraint, a fit that did
  % not converge, panels with and without converged series; the 'display' option of
  % volfilter_fit; and inputs that are not fits, refused with volfilter:summary:notFit.
  require_likelihoods ();
  r = simulate_returns ('threshvol', [0.05; 0.1; 0.85], 1000, 'o', 0, 'seed', 2);
  fit = volfilter_fit ('threshvol', r, 'o', 0);
  asked = volfilter_fit ('threshvol', r, 'o', 0, 'diagnostics', true);
  s = volfilter_summary (fit);
  garch = setfield (fit, 'parameters', [0.05; 0.08; 0.87]);
  gjr = setfield (setfield (garch, 'o', 1), 'parameters', [0.02; 0.05; 0.1; 0.88]);
  gjr.names = {'omega'; 'alpha1'; 'gamma1'; 'beta1'};
  t = fit.parameters ./ fit.std_errors;
  robust_t = fit.parameters ./ fit.robust_std_errors;
  two_sided = @(t) 2 * (1 - normal_cdf (abs (t)));
  lines = strsplit (s.text, "\n");
  starts = @(name) any (strncmp (strtrim (lines), [name ' '], numel (name) + 1));
  displayed = evalc ('volfilter_fit (''threshvol'', r, ''o'', 0, ''display'', ''summary'');');
  printed = evalc ('volfilter_summary (fit)');
  model = 'volfilter_fit: threshvol, p = 1, o = 0, q = 1, variance form, normal';
  row = @(s, name) lines_starting (s.text, ['  ' name ' ']);
  has = @(s, text) ! isempty (strfind (s.text, text));
  noted = @(s, pattern) any (! cellfun ('isempty', regexp (s.notes, pattern, 'once')));
  checks = {
    % what                         holds
    'at most 40 lines',            @() numel (lines) <= 40 && max (cellfun ('length', lines)) <= 100
    't = estimate / std. error',   @() max (abs (s.parameters.t - t)) < 1e-12
    'two-sided p-values',          @() max (abs (s.parameters.p_value - two_sided (t))) < 1e-12
    'robust p-values',             @() max (abs (s.parameters.robust_p_value ...
                                                 - two_sided (robust_t))) < 1e-12
    'one row per parameter',       @() all (cellfun (starts, fit.names))
    'converged, and how',          @() ! isempty (strfind (s.text, 'converged (NLOPT_'))
    'the model line',              @() strcmp (lines{1}, model)
    'log-likelihood as fitted',    @() has (s, sprintf ('log-likelihood %.3f', fit.loglik))
    'the diagnostics as fitted',   @() isempty (fit.diagnostics) ...
                                       && isequaln (s.diagnostics, asked.diagnostics)
    'nothing active, no note',     @() isempty ([s.active_constraints, s.notes]) ...
                                       && ! any (s.parameters.active)
    'display prints the same',     @() strcmp (strtrim (displayed), strtrim (s.text))
    'no output prints it',         @() strcmp (strtrim (printed), strtrim (s.text))
    % persistence alpha + beta, half-life log 0.5 / log persistence, omega / (1 - it)
    'the moments line',            @() has (volfilter_summary (garch), ['persistence 0.9500' ...
                                       '   half-life 13.5 steps   unconditional variance 1'])
    'GJR: gamma counts half',      @() has (volfilter_summary (gjr), 'persistence 0.9800')
  };

  % On a bound and a constraint, set as the fit names them: those parameters marked, the
  % constraints listed with the warning about their standard errors.
  bound = fit;
  bound.active_constraints = {'alpha1 >= 0', 'stationarity'};
  on_bound = volfilter_summary (bound);
  pair = bound;
  pair.names = {'omega'; 'alpha1'; 'alpha10'};
  pair.active_constraints = 'alpha10 + gamma1 >= 0';

  % NaN standard errors (a Hessian that is not positive definite) print as '-'; a fit
  % stopped early says so; a struct with only a model, names and estimates still prints.
  nearly_constant = ones (500, 1);
  nearly_constant(17) = 1 + 1e-12;
  singular = quiet_fit (nearly_constant);
  stopped = quiet_fit (r, 'max_evaluations', 3);
  bare = struct ('model', 'threshvol', 'names', {{'omega'}}, 'parameters', 0.5);
  complex_z = setfield (setfield (bare, 'std_residuals', complex (r, 1)), 'm', 0);
  real_z = setfield (complex_z, 'std_residuals', r);
  regex = setfield (setfield (bare, 'names', {'a[1('}), 'active_constraints', 'a[1( >= 0');
  garbage = setfield (fit, 'diagnostics', 5);

  % Panels: a line per series and the counts; none converged still prints.
  [fit.active_constraints, stopped.active_constraints] = deal ({});
  failed = fit;
  failed.parameters(:) = NaN;
  failed.std_errors(:) = NaN;
  failed.loglik = NaN;
  failed.converged = false;
  panel = volfilter_summary ([fit; bound; failed; stopped]);
  none = volfilter_summary ([failed; failed]);
  estimates = [fit.parameters'; bound.parameters'; NaN(1, 3)];
  s = {on_bound, volfilter_summary(singular), volfilter_summary(stopped), ...
       volfilter_summary(bare)};
  checks = [checks; {
    'bound: alpha1 marked',        @() isequal (on_bound.parameters.active, [false; true; false])
    'bound: the row says which',   @() ! isempty (strfind (row (on_bound, 'alpha1'), 'at alpha1'))
    'bound: no other row',         @() isempty (strfind (row (on_bound, 'beta1'), ' at '))
    'bound: listed, with a warning', @() noted (on_bound, '>= 0, stationarity active.*not reliable')
    'a name, not its prefix',      @() isequal (volfilter_summary (pair).parameters.active, ...
                                                [false; false; true])
    'NaN standard errors: -',      @() all (isnan (singular.std_errors)) ...
                                       && numel (strfind (row (s{2}, 'omega'), ' - ')) >= 4
    'NaN standard errors: why',    @() noted (s{2}, 'Hessian')
    'not converged, in the table', @() ! stopped.converged ...
                                       && ! isempty (strfind (s{3}.text, 'DID NOT CONVERGE'))
    'not converged, in a note',    @() noted (s{3}, 'did not converge')
    'a bare fit still prints',     @() isempty (s{4}.diagnostics) ...
                                       && isnan (s{4}.loglik) ...
                                       && ! isempty (strfind (s{4}.text, 'no tests'))
    'complex residuals: no tests', @() isempty (volfilter_summary (complex_z).diagnostics) ...
                                       && ! isempty (volfilter_summary (real_z).diagnostics)
    'names are not patterns',      @() volfilter_summary (regex).parameters.active
    'garbled diagnostics redone',  @() isequaln (volfilter_summary (garbage).diagnostics, ...
                                                 asked.diagnostics)
    'panel: counts',               @() isequal ([panel.count, panel.not_converged, ...
                                                 panel.on_boundary, panel.without_std_errors], ...
                                                [4, 2, 1, 1])
    'panel: converged',            @() isequal (panel.converged, [true; true; false; false])
    'panel: a line each',          @() numel (strsplit (panel.text, "\n")) <= 4 + 8
    'panel: what is missing, -',   @() ! isempty (regexp (panel.text, '\n +3 +no( +-){4}\n'))
    'panel: estimates',            @() isequaln (panel.parameters(1:3, :), estimates)
    'panel: none converged',       @() none.not_converged == 2 ...
                                       && ! isempty (strfind (none.text, 'no series converged'))
  }];
  for i = 1:rows (checks)
    if (! checks{i, 2} ())
      error ('summary: %s fails', checks{i, 1});
    end
  end

  % Not fits, in every form a user might pass by mistake.
  refused = {[], 3, 'fit', {fit}, struct(), repmat(fit, 0, 1), rmfield(fit, 'names'), ...
             rmfield(fit, 'parameters'), setfield(fit, 'names', 'omega'), ...
             setfield(fit, 'parameters', [1; 2]), setfield(fit, 'parameters', 'abc'), ...
             setfield(fit, 'model', 7), setfield(fit, 'parameters', complex(fit.parameters)), ...
             @() fit, int8(1)};
  for i = 1:numel (refused)
    try
      volfilter_summary (refused{i});
    catch err
      if (! strcmp (err.identifier, 'volfilter:summary:notFit') ...
          || isempty (strfind (err.message, 'volfilter_summary: ')))
        error ('not a fit %d: %s "%s"', i, err.identifier, err.message);
      end
      continue;
    end
    error ('not a fit %d: summarised', i);
  end
  printf ('fit summary: %d checks, %d inputs refused\n', rows (checks), numel (refused));
end

function fit = quiet_fit (varargin)
  % volfilter_fit ('threshvol', ...) of o = 0, without its (expected) warnings.
  state = warning ('off', 'all');
  fit = volfilter_fit ('threshvol', varargin{1}, 'o', 0, varargin{2:end});
  warning (state);
end

function line = lines_starting (text, start)
  lines = strsplit (text, "\n");
  line = [lines{strncmp (lines, start, numel (start))}];
end

function p = normal_cdf (x)
  p = 0.5 * (1 + erf (x / sqrt (2)));
end
