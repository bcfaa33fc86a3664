function extra = count_extras (label, name, call, least, prefix, huge)
  % extra = count_extras (label, name, call, least, prefix, huge)
  % Rows of a table's `extra` (see hostile_cases), labelled LABEL, for the count NAME, a
  % whole number from LEAST (0 or 1), given to the call that CALL (a handle of the count)
  % makes: values that are no count, refused as such; 2^53 and more, refused as too large;
  % the counts HUGE, which the battery's child (4 GB of address space) cannot hold, refused
  % as too large before anything is made. Identifiers PREFIX badCount and tooLarge.
  extra = cell (0, 4);
  whole = sprintf ('%s must be a whole number of at least %d.', name, least);
  for v = [NaN, Inf, -Inf, -1, 0.5, 1.5, -0.5, -2^63, zeros(1, least)]
    extra(end+1, :) = {sprintf('%s %g', label, v), call(v), {[prefix 'badCount'], whole}, false};
  end
  for v = [1e16, 1e18, 2^53, 2^63, 2^64, realmax]
    extra(end+1, :) = {sprintf('%s %.17g', label, v), call(v), {[prefix 'badCount'], ...
                       sprintf('%s = %.17g is too large.', name, v)}, false};
  end
  for v = huge
    extra(end+1, :) = {sprintf('%s %g', label, v), call(v), {[prefix 'tooLarge']}, false};
  end
end
