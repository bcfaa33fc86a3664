function e = fit_data (e)
% e = fit_data (e)
% The residual series as a double column, refused when it is not a non-empty real vector
% (volfilter:fit:badData), holds a value that is not finite (volfilter:fit:nonFiniteData),
% does not vary (volfilter:fit:constantSeries), or has squares that a double cannot hold
% with room to spare (volfilter:fit:badScale): the fit forms the mean square, variances of
% that size and their squares and products, so the mean square must lie within
% [realmin/eps, eps*realmax], about 1e-292 to 4e292, a root mean square of 1e-146 to
% 2e146. Outside, the squares overflow or sink into the subnormal numbers and the
% likelihood is not defined, or defined only to a few digits.
if ~isnumeric (e) || ~isreal (e) || ~isvector (e) || isempty (e)
  error ('volfilter:fit:badData', 'volfilter_fit: e must be a non-empty real numeric vector.');
end
e = double (full (e(:)));
bad = find (~isfinite (e), 1);
if ~isempty (bad)
  error ('volfilter:fit:nonFiniteData', ...
         'volfilter_fit: e must hold finite values; e(%d) is %g.', bad, e(bad));
end
if all (e == e(1))
  error ('volfilter:fit:constantSeries', ...
         'volfilter_fit: e is constant (every value is %g): there is no variance to model.', ...
         e(1));
end
mean_square = sum (e .^ 2) / numel (e);
if ~(mean_square >= realmin / eps && mean_square <= eps * realmax)
  % The root mean square, formed without overflow or underflow for the message.
  largest = max (abs (e));
  rms = largest * sqrt (sum ((e / largest) .^ 2) / numel (e));
  if mean_square > 1
    what = 'too large';
    limit = sprintf ('at most %.2g', sqrt (eps * realmax));
  else
    what = 'too small';
    limit = sprintf ('at least %.2g', sqrt (realmin / eps));
  end
  error ('volfilter:fit:badScale', ...
         ['volfilter_fit: e is %s for its squares to fit a double: its root mean square ' ...
          'is %.3g (%s); rescale the series.'], what, rms, limit);
end
end
