function value = simulate_count (value, name, least, identifier, caller)
% value = simulate_count (value, name, least, identifier, caller)
% VALUE as a full double, refused with IDENTIFIER ':badCount' unless it is a real whole
% number of at least LEAST (0 or 1) and below 2^53, the last whole number a double holds
% with its neighbours; NAME names it in CALLER's message.
if ~(isnumeric (value) && isreal (value) && isscalar (value) && isfinite (value) ...
     && value == fix (value) && value >= least)
  error ([identifier ':badCount'], '%s: %s must be a whole number of at least %d.', caller, ...
         name, least);
end
if value >= 2^53
  error ([identifier ':badCount'], '%s: %s must be below 2^53; %s = %.17g is too large.', ...
         caller, name, name, double (value));
end
value = double (full (value));
end
