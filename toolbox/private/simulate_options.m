function [options, given] = simulate_options (arguments, options, identifier, caller)
% [options, given] = simulate_options (arguments, options, identifier, caller)
% The name-value pairs ARGUMENTS laid over the defaults OPTIONS (names in any case), and the
% names given, in order. A name that OPTIONS has not is refused with IDENTIFIER
% ':unknownOption', a list of odd length with IDENTIFIER ':badOption'; CALLER begins each
% message. The values are the callers' to check.
given = {};
if mod (numel (arguments), 2) ~= 0
  error ([identifier ':badOption'], '%s: options come in pairs of a name and a value.', caller);
end
for i = 1:2:numel (arguments)
  name = arguments{i};
  if ischar (name) && isrow (name) && isfield (options, lower (name))
    name = lower (name);
    options.(name) = arguments{i + 1};
    given{end + 1} = name; %#ok<AGROW>
  else
    if ischar (name)
      what = sprintf ('"%s"', name);
    else
      what = ['a ' class(name)];
    end
    error ([identifier ':unknownOption'], '%s: no option %s; the options are %s.', caller, ...
           what, strjoin (fieldnames (options)', ', '));
  end
end
end
