function value = simulate_count (value, name, least, identifier, caller)
% value = simulate_count (value, name, least, identifier, caller)
% VALUE as a double, refused with IDENTIFIER ':badCount' unless it is a real whole number of
% at least LEAST (0 or 1) and below 2^53; NAME names it in CALLER's message.
if ~(isnumeric (value) && isreal (value) && isscalar (value) && value == fix (value) ...
     && value >= least && value < 2^53)
  error ([identifier ':badCount'], '%s: %s must be a whole number of at least %d.', caller, ...
         name, least);
end
value = double (value);
end
