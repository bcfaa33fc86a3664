function fit_warnings (fit)
% fit_warnings (fit)
% The warnings of a fit, one of each kind for the call, the boundary first. One series:
% volfilter:fit:atBoundary naming the constraints active at the estimates,
% volfilter:fit:notConverged when it did not converge, volfilter:fit:singularHessian when it
% has no standard errors. A panel: one warning counting the columns on a boundary, and one
% counting those that did not converge or have no standard errors (notConverged when any did
% not converge, else singularHessian).
if numel (fit) == 1
  model = fit.model;
  if ~isempty (fit.active_constraints)
    warning ('volfilter:fit:atBoundary', ...
             ['volfilter_fit: the %s estimates lie on a boundary (%s); their standard errors ' ...
              'are not reliable there.'], model, strjoin (fit.active_constraints', ', '));
  end
  if ~fit.converged
    warning ('volfilter:fit:notConverged', ...
             'volfilter_fit: the %s fit did not converge (%s).', model, fit.message);
  end
  if ~all (isfinite (fit.covariance(:)))
    warning ('volfilter:fit:singularHessian', ...
             ['volfilter_fit: the Hessian of the %s fit is not positive definite at the ' ...
              'estimates; the standard errors are NaN.'], model);
  end
  return;
end
model = fit(1).model;
N = numel (fit);
bounded = find (~cellfun ('isempty', {fit.active_constraints}));
if ~isempty (bounded)
  warning ('volfilter:fit:atBoundary', ...
           ['volfilter_fit: %d of %d %s columns have estimates on a boundary%s; see ' ...
            'fit(j).active_constraints. Their standard errors are not reliable there.'], ...
           numel (bounded), N, model, listed (bounded));
end
failed = find (~[fit.converged]);
% Each column's covariance (k-by-k) as a column of k * k values.
no_errors = find (~all (isfinite (reshape ([fit.covariance], [], N)), 1));
if ~isempty (failed) || ~isempty (no_errors)
  identifier = 'volfilter:fit:singularHessian';
  if ~isempty (failed)
    identifier = 'volfilter:fit:notConverged';
  end
  verb = 'have';
  if numel (no_errors) == 1
    verb = 'has';
  end
  warning (identifier, ['volfilter_fit: %d of %d %s columns did not converge%s and %d %s no ' ...
                        'standard errors%s; see fit(j).message.'], numel (failed), N, model, ...
           listed (failed), numel (no_errors), verb, listed (no_errors));
end
end

function text = listed (columns)
% " (columns 3, 7, 12)", the first ten only; " (column 3)".
text = '';
if isempty (columns)
  return;
end
shown = sprintf ('%d, ', columns(1:min (end, 10)));
plural = repmat ('s', 1, numel (columns) > 1);
text = sprintf (' (column%s %s%s)', plural, shown(1:end - 2), ...
                repmat (', ...', 1, numel (columns) > 10));
end
