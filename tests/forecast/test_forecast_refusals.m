function test_forecast_refusals ()
  % Every bad input of volfilter_forecast and volfilter_simulate is refused with an
  % identifier of ours and a message that names the input.
  require_simulation ();
  sim = volfilter_simulate ('threshvol', [0.05; 0.08; 0.88], 600, 1, 'o', 0);
  fit = volfilter_fit ('threshvol', sim.e, 'o', 0);
  egarch = volfilter_fit ('logvol', sim.e);
  no_sample = rmfield (fit, {'residuals', 'std_residuals'});
  broken = @(field, value) setfield (fit, field, value);
  F = @(varargin) volfilter_forecast (varargin{:});
  S = @(varargin) volfilter_simulate (varargin{:});
  refused = {
    % call                                                     identifier      message part
    @() F (),                                                  'badFit',       'a fit and a horizon'
    @() F (3, 10),                                             'badFit',       'fit must be'
    @() F (struct ('model', 'threshvol'), 10),                 'badFit',       'no field parameters'
    @() F (broken ('model', 'garch'), 10),                     'badFit',       'model must be'
    @() F (broken ('parameters', [0.1; NaN; 0.8]), 10),        'badFit',       'parameters'
    @() F (broken ('parameters', [0.1; 0.8]), 10),             'badFit',       'at least 3'
    @() F (broken ('p', -1), 10),                              'badFit',       'p must be'
    @() F (broken ('m', 600), 10),                             'badFit',       'm must be'
    @() F (broken ('residuals', [sim.e(1:end-1); Inf]), 10),   'badFit',       'residuals'
    @() F (broken ('distribution', 'cauchy'), 10),             'badFit',       'distribution'
    @() F (no_sample, 10),                                     'noSample',     'no sample'
    @() F (fit, 0),                                            'badCount',     'horizon'
    @() F (fit, 2.5),                                          'badCount',     'horizon'
    @() F (fit, NaN),                                          'badCount',     'horizon'
    @() F (fit, Inf),                                          'badCount',     'horizon'
    @() F (fit, '10'),                                         'badCount',     'horizon'
    @() F (fit, [5, 10]),                                      'badCount',     'horizon'
    @() F (fit, {10}),                                         'badCount',     'horizon'
    @() F (fit, true),                                         'badCount',     'horizon'
    @() F (fit, 10, 'paths', 0),                               'badCount',     'paths'
    @() F (fit, 10, 'paths', -3),                              'badCount',     'paths'
    @() F (fit, 10, 'quantiles', 0),                           'badQuantiles', 'within (0, 1)'
    @() F (fit, 10, 'quantiles', [0.05, 1]),                   'badQuantiles', 'within (0, 1)'
    @() F (fit, 10, 'quantiles', NaN),                         'badQuantiles', 'within (0, 1)'
    @() F (fit, 10, 'quantiles', -0.01),                       'badQuantiles', 'within (0, 1)'
    @() F (fit, 10, 'quantiles', 'low'),                       'badQuantiles', 'within (0, 1)'
    @() F (fit, 10, 'quantiles', [0.1, 0.2; 0.3, 0.4]),        'badQuantiles', 'within (0, 1)'
    @() F (fit, 10, 'method', 'exact'),                        'badOption',    'method'
    @() F (fit, 10, 'origin', 'start'),                        'badOption',    'origin'
    @() F (fit, 10, 'origin', 'all', 'quantiles', 0.01),       'badOption',    'quantiles'
    @() F (fit, 10, 'origin', 'all', 'method', 'simulation'),  'badOption',    'analytic'
    @() F (fit, 10, 'paths'),                                  'badOption',    'pairs'
    @() F (fit, 10, 'steps', 3),                               'unknownOption', 'steps'
    @() F (fit, 10, 7, 3),                                     'unknownOption', 'a double'
    @() F (egarch, 10, 'method', 'analytic'),                  'noAnalytic',   'logvol'
    @() F (egarch, 10, 'origin', 'all'),                       'noAnalytic',   'logvol'
    @() S (fit),                                               'badFit',       'a fit, T and N'
    @() S ({fit}, 10, 5),                                      'badFit',       'fit must be'
    @() S (broken ('q', 1.5), 10, 5),                          'badFit',       'q must be'
    @() S (fit, 0, 5),                                         'badCount',     'T must'
    @() S (fit, 10, -1),                                       'badCount',     'N must'
    @() S (fit, 10, 2^53),                                     'badCount',     'N must'
    @() S (fit, 10, 5, 'burn_in', 100),                        'badOption',    'burn_in'
    @() S (fit, 10, 5, 'origin', 'unconditional', 'burn_in', -1), 'badCount',  'burn_in'
    @() S (fit, 10, 5, 'backcast', 1),                         'badOption',    'backcast'
    @() S (fit, 10, 5, 'distribution', 't'),                   'badOption',    'distribution'
    @() S (fit, 10, 5, 'z', randn (10, 4)),                    'badInnovations', '10-by-5'
    @() S (fit, 10, 5, 'z', [randn(9, 5); NaN(1, 5)]),         'badInnovations', 'finite'
    @() S (fit, 10, 5, 'z', complex (randn (10, 5), 1)),       'badInnovations', 'real'
    @() S (fit, 10, 5, 'z', randn (10, 5, 2)),                 'badInnovations', '10-by-5'
    @() S (fit, 10, 5, 'origin', 'unconditional', 'z', randn (10, 5)), 'badInnovations', '510-by-5'
    @() S (no_sample, 10, 5),                                  'noSample',     'no sample'
    @() S (no_sample, 10, 5, 'origin', 'unconditional', ...
           'distribution', 'bootstrap'),                       'noResiduals',  'standardised'
    @() S ('garch', [0.1; 0.1; 0.8], 10, 5),                   'unknownModel', 'model must be'
    @() S ('threshvol', [0.1; 0.1; 0.8], 10),                  'badOption',    'T and N'
    @() S ('threshvol', [0.1; NaN; 0.8], 10, 5, 'o', 0),       'badParameters', 'parameters'
    @() S ('threshvol', [0.1; 0.1], 10, 5, 'o', 0),            'badFit',       'at least 3'
    @() S ('threshvol', [0.1; 0.1; 0.8], 10, 5),               'badFit',       'at least 4'
    @() S ('threshvol', [0.1; 0.1; 0.8], 10, 5, 'o', 0, ...
           'origin', 'end'),                                   'badOption',    'unconditional'
    @() S ('threshvol', [0.1; 0.2; 0.9], 10, 5, 'o', 0),       'noUnconditional', 'backcast'
    @() S ('intvol', [0.02; 0.1], 10, 5),                      'noUnconditional', 'backcast'
    @() S ('threshvol', [0.1; 0.1; 0.8], 10, 5, 'o', 0, ...
           'backcast', -1),                                    'noUnconditional', 'not positive'
    @() S ('threshvol', [0.1; 0.1; 0.8], 10, 5, 'o', 0, 'z', {}), 'badInnovations', 'real matrix'
    @() S ('threshvol', [0.1; 0.1; 0.8], 10, 5, 'o', 0, ...
           'backcast', {2}),                                   'badOption',    'backcast'
    @() S ('shiftvol', [0.1; 0.1; 0.2; 0.8], 10, 5, 'type', 2), 'badOption',   'type'
    @() S ('threshvol', [0.1; 0.1; 0.8; 2], 10, 5, 'o', 0, 'distribution', 't'), 'badFit', 'nu'
  };
  for i = 1:rows (refused)
    [call, identifier, part] = refused{i, :};
    try
      call ();
    catch err
      prefix = 'volfilter:forecast:';
      if (strncmp (func2str (call), '@() S', 5))
        prefix = 'volfilter:simulate:';
      end
      if (! strcmp (err.identifier, [prefix identifier]) || isempty (strfind (err.message, part)))
        error ('refusal %d (%s): got %s "%s", expected %s%s with "%s"', i, func2str (call), ...
               err.identifier, err.message, prefix, identifier, part);
      end
      continue;
    end
    error ('refusal %d (%s): served', i, func2str (call));
  end

  % Every kind of value in every option and every field of a fit: served, or refused with
  % an identifier of ours, never with one of the host's errors.
  kinds = {{1}, {}, struct('a', 1), @sin, 'abc', '', complex(1, 1), sparse(1), int8(3), true, ...
           NaN, Inf, -1, 0, 0.5, 2^63, [], zeros(0, 3), [1, 2], single(2), containers.Map(), ...
           sim.e(1:10), [sim.e; NaN]};
  intvol = volfilter_fit ('intvol', sim.e);
  for i = 1:numel (kinds)
    v = kinds{i};
    calls = {@() F (v, 3), @() S (v, 3, 2), @() S ('threshvol', v, 3, 2)};
    for name = {'method', 'paths', 'quantiles', 'origin'}
      calls{end+1} = @() F (fit, 3, name{1}, v);
    end
    for name = {'origin', 'burn_in', 'distribution', 'z', 'backcast'}
      calls{end+1} = @() S (fit, 3, 2, name{1}, v);
      calls{end+1} = @() S ('threshvol', [0.1; 0.1; 0.8], 3, 2, 'o', 0, name{1}, v);
    end
    for model = {fit, egarch, intvol}
      for name = fieldnames (model{1})'
        changed = model{1};
        changed.(name{1}) = v;
        calls{end+1} = @() F (changed, 3, 'method', 'bootstrap', 'paths', 10);
        calls{end+1} = @() S (changed, 3, 2, 'origin', 'unconditional', 'burn_in', 2);
        calls{end+1} = @() F (changed, 3, 'origin', 'all');
      end
    end
    for c = 1:numel (calls)
      try
        calls{c} ();
      catch err
        if (! strncmp (err.identifier, 'volfilter:', 10))
          error ('kind %d, call %s: the host''s error "%s"', i, func2str (calls{c}), err.message);
        end
      end
    end
  end
end
