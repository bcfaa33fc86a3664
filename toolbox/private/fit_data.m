function e = fit_data (e)
% e = fit_data (e)
% The residual series as a double column, refused when it is not a non-empty real vector
% (volfilter:fit:badData), holds a value that is not finite (volfilter:fit:nonFiniteData) or
% does not vary (volfilter:fit:constantSeries).
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
end
