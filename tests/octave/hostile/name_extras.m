function extra = name_extras (call, name, value, prefix)
  % extra = name_extras (call, name, value, prefix)
  % Rows of a table's `extra` (see hostile_cases) for the names of the options of the call
  % CALL, whose option NAME takes VALUE: a name of every other kind or unknown, refused
  % with PREFIX unknownOption; NAME in capitals, the same as NAME; NAME without a value,
  % refused with PREFIX badOption.
  names = {'a cell', {name}; 'a number', 7; 'empty', ''; 'of two rows', [name; name];
           'a struct', struct(name, 1); 'unknown', 'no_such_option'};
  extra = cell (0, 4);
  for i = 1:rows (names)
    extra(end+1, :) = {['option name ' names{i, 1}], [call, names(i, 2), {value}], ...
                       {[prefix 'unknownOption']}, false};
  end
  extra(end+1, :) = {'option name in capitals', [call, {upper(name), value}], ...
                     {[call, {name, value}]}, false};
  extra(end+1, :) = {'a name without a value', [call, {name}], {[prefix 'badOption']}, false};
end
