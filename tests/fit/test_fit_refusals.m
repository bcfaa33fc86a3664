function test_fit_refusals ()
  % test_fit_refusals ()
  % Every bad input of volfilter_fit is refused with an identifier of ours, and every
  % hopeless problem ends in a clear error or in one of our warnings, never in a crash, a
  % host error or a silent result.
  require_likelihoods ();
  r = simulate_returns ('threshvol', [0.02; 0.05; 0.10; 0.88], 600, 'seed', 2);
  fit = @(varargin) volfilter_fit (varargin{:});
  refused = {
    % call                                                      identifier
    @() fit ('garch', r),                                       'unknownModel'
    @() fit (3, r),                                             'unknownModel'
    @() fit ('threshvol'),                                      'badData'
    @() fit ('threshvol', 'abc'),                               'badData'
    @() fit ('threshvol', {r}),                                 'badData'
    @() fit ('threshvol', r > 0),                               'badData'
    @() fit ('threshvol', complex (r, 1)),                      'badData'
    @() fit ('threshvol', ones (10, 2, 2)),                     'badData'
    @() fit ('threshvol', [r, r], 'start', [0.1; 0.1; 0.8]),    'badStart'
    @() fit ('threshvol', [r(1:40), r(41:80)]),                 'tooFewObservations'
    @() fit ('intvol', [r, r], 'p', 0, 'constant', false),      'badOption'
    @() fit ('threshvol', r, 'threads', 0),                     'badOption'
    @() fit ('threshvol', r, 'optimizer', 'simplex'),           'badOption'
    @() fit ('threshvol', zeros (0, 1)),                        'badData'
    @() fit ('threshvol', [r; NaN]),                            'nonFiniteData'
    @() fit ('threshvol', [Inf; r]),                            'nonFiniteData'
    @() fit ('threshvol', -Inf (600, 1)),                       'nonFiniteData'
    @() fit ('threshvol', zeros (600, 1)),                      'constantSeries'
    @() fit ('logvol', 2.5 * ones (600, 1)),                    'constantSeries'
    @() fit ('threshvol', r(1:40)),                             'tooFewObservations'
    @() fit ('threshvol', r, 'distribution', 't', 'm', 560),    'tooFewObservations'
    @() fit ('threshvol', r, 'power', 2),                       'unknownOption'
    @() fit ('shiftvol', r, 'o', 1),                            'unknownOption'
    @() fit ('logvol', r, 'type', 1),                           'unknownOption'
    @() fit ('threshvol', r, 'constant', false),                'unknownOption'
    @() fit ('threshvol', r, 7, 1),                             'unknownOption'
    @() fit ('threshvol', r, 'p'),                              'badOption'
    @() fit ('threshvol', r, 'p', -1),                          'badOption'
    @() fit ('threshvol', r, 'q', 1.5),                         'badOption'
    @() fit ('threshvol', r, 'q', NaN),                         'badOption'
    @() fit ('threshvol', r, 'p', '1'),                         'badOption'
    @() fit ('threshvol', r, 'p', [1 1]),                       'badOption'
    @() fit ('intvol', r, 'q', 0),                              'badOption'
    @() fit ('intvol', r, 'p', 0, 'constant', false),           'badOption'
    @() fit ('threshvol', r, 'm', 0),                           'badOption'
    @() fit ('threshvol', r, 'type', 3),                        'badOption'
    @() fit ('shiftvol', r, 'type', 2),                         'badOption'
    @() fit ('threshvol', r, 'distribution', 'cauchy'),         'badOption'
    @() fit ('threshvol', r, 'backcast', 'median'),             'badOption'
    @() fit ('threshvol', r, 'backcast', NaN),                  'badOption'
    @() fit ('threshvol', r, 'backcast', [1 2]),                'badOption'
    @() fit ('logvol', r, 'upper_bound', -1),                   'badOption'
    @() fit ('intvol', r, 'constant', 2),                       'badOption'
    @() fit ('threshvol', r, 'max_evaluations', 0),             'badOption'
    @() fit ('threshvol', r, 'display', 'iter'),                'badOption'
    @() fit ('threshvol', r, 'display', true),                  'badOption'
    @() fit ('threshvol', r, 'diagnostics', 2),                 'badOption'
    @() fit ('threshvol', repmat (r, 20, 1), 'q', 1000),        'badOption'
    @() fit ('intvol', repmat (r, 20, 1), 'p', 999, 'q', 2, 'optimizer', 'sqp'), 'badOption'
    @() fit ('threshvol', r, 'start', [0.1; 0.1; 0.8]),         'badStart'
    @() fit ('threshvol', r, 'start', [0.1; 0.1; 0.1; 0.8; 6]), 'badStart'
    @() fit ('threshvol', r, 'start', [-0.1; 0.1; 0.1; 0.8]),   'badStart'
    @() fit ('threshvol', r, 'start', [0.1; 0.1; 0.1; 0.9]),    'badStart'
    @() fit ('threshvol', r, 'start', [0.1; 0.1; -0.2; 0.8]),   'badStart'
    @() fit ('shiftvol', r, 'type', 0, 'start', [0.1; 0.1; 2; 0.5]), 'badStart'
    @() fit ('threshvol', r, 'start', [0.1; 0.1; 0.1; 0.8; NaN]), 'badOption'
    @() fit ('threshvol', 1e153 * r),                           'badScale'
    @() fit ('threshvol', 1e-150 * r),                          'badScale'
    @() fit ('logvol', r, 'upper_bound', 1e-3),                 'undefined'
    @() fit ('threshvol', r, 'optimizer', 'fmincon'),           'noOptimizer'
  };
  for i = 1:rows (refused)
    [call, identifier] = refused{i, :};
    expect_identifier (call, ['volfilter:fit:' identifier], func2str (call));
  end

  % Problems with no answer: the fit returns and says so, with a warning of ours.
  nearly_constant = ones (500, 1);
  nearly_constant(17) = 1 + 1e-12;
  hopeless = {
    % call                                                      warning
    @() fit ('threshvol', r, 'max_evaluations', 3),             'notConverged'
    @() fit ('logvol', r, 'optimizer', 'sqp', 'max_evaluations', 2), 'notConverged'
    @() fit ('threshvol', nearly_constant),                     'singularHessian'
    @() fit ('intvol', nearly_constant),                        'singularHessian'
  };
  for i = 1:rows (hopeless)
    [call, identifier] = hopeless{i, :};
    lastwarn ('');
    result = call ();
    [~, warned] = lastwarn ();
    honest = ! result.converged || any (isnan (result.std_errors));
    if (! strcmp (warned, ['volfilter:fit:' identifier]) || ! honest)
      error ('%s: warned "%s", converged %d, standard errors %s', func2str (call), warned, ...
             result.converged, mat2str (result.std_errors'));
    end
  end
  printf ('fit refusals: %d refused, %d hopeless problems reported\n', rows (refused), ...
          rows (hopeless));
end

function expect_identifier (call, identifier, label)
  try
    call ();
  catch err
    if (! strcmp (err.identifier, identifier) || isempty (strfind (err.message, 'volfilter_fit: ')))
      error ('%s: expected %s, got %s "%s"', label, identifier, err.identifier, err.message);
    end
    return;
  end
  error ('%s: expected %s, the call succeeded', label, identifier);
end
