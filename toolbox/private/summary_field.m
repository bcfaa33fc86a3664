function value = summary_field (fit, name, default)
% value = summary_field (fit, name, default)
% The field NAME of the fit FIT, or DEFAULT where the fit has no such field: a summary or a
% plot reads what a fit has and marks what it lacks.
if isfield (fit, name)
  value = fit.(name);
else
  value = default;
end
end
