function [identifier, text] = fit_error_text (kind, varargin)
% [identifier, text] = fit_error_text (kind, ...)
% The identifier and the words (after "volfilter_fit: ") of each refusal that a series or a
% model can meet, the same whichever optimiser fits it; a panel's column that meets one gets
% the words as its message.
%   'nonFiniteData'       index, value
%   'constantSeries'      value
%   'badScale'            the root mean square, true where it is too large
%   'noObservations'      the name of an order or m, its value, T
%   'mBelowOrder'         the largest order
%   'mBelowLag'           the mean's largest lag
%   'xRows'               T, the rows of x
%   'meanSingular', 'meanExact'
%   'noParameters'
%   'tooManyParameters'   k, most
%   'tooFewObservations'  T, n, m, k, least
%   'startLength'         k, names (cell)
%   'startOutside'        name, value, lower, upper
%   'startBreaks', 'startUndefined', 'undefined', 'outOfMemory'
a = varargin;
switch kind
  case 'nonFiniteData'
    text = sprintf ('e must hold finite values; e(%d) is %g.', a{1}, a{2});
  case 'constantSeries'
    text = sprintf ('e is constant (every value is %g): there is no variance to model.', a{1});
  case 'badScale'
    limit = sprintf ('at least %.2g', sqrt (realmin / eps));
    what = 'small';
    if a{2}
      limit = sprintf ('at most %.2g', sqrt (eps * realmax));
      what = 'large';
    end
    text = sprintf (['e is too %s for its squares to fit a double: its root mean square is ' ...
                     '%.3g (%s); rescale the series.'], what, a{1}, limit);
  case 'noObservations'
    kind = 'tooFewObservations';
    text = sprintf ('%s = %.15g leaves no observations: the sample has %d.', a{:});
  case 'mBelowOrder'
    kind = 'badOption';
    text = sprintf ('m must be at least the largest order (%d).', a{1});
  case 'mBelowLag'
    kind = 'badOption';
    text = sprintf ('m must be at least the largest lag of the mean (%d).', a{1});
  case 'xRows'
    kind = 'badOption';
    text = sprintf ('x must have a row for each of the %d observations; it has %d.', a{:});
  case 'meanSingular'
    text = ['the least-squares fit of the mean is singular: its regressors (the constant, ' ...
            'the lagged returns, the columns of x) are collinear over the observations after ' ...
            'the first m, or outnumber them.'];
  case 'meanExact'
    text = ['the mean fits the series exactly: its least-squares residuals leave no ' ...
            'variance to model.'];
  case 'noParameters'
    kind = 'badOption';
    text = 'the model has no parameter to estimate.';
  case 'tooManyParameters'
    kind = 'badOption';
    text = sprintf ('the model has %d parameters, more than the %d a fit takes.', a{1}, a{2});
  case 'tooFewObservations'
    text = sprintf (['the sample has %d observations: the %d after the first m = %d are too ' ...
                     'few for %d parameters (at least %d).'], a{:});
  case 'startLength'
    kind = 'badStart';
    text = sprintf ('start must have %d values (%s).', a{1}, strjoin (a{2}', ', '));
  case 'startOutside'
    kind = 'badStart';
    text = sprintf ('start value %s = %g is outside [%g, %g].', a{:});
  case 'startBreaks'
    kind = 'badStart';
    text = 'the start values break the model''s constraints (see help volfilter_fit).';
  case 'startUndefined'
    kind = 'badStart';
    text = 'the likelihood is not defined at the start values.';
  case 'undefined'
    text = 'the likelihood is not defined at any of the default start values.';
  otherwise
    kind = 'outOfMemory';
    text = 'there is not enough memory for the fit.';
end
identifier = ['volfilter:fit:' kind];
end
