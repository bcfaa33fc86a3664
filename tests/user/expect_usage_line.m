function expect_usage_line (name)
  % expect_usage_line (name)
  % Fails unless the help of NAME begins with its usage line, "out = name (inputs)" or
  % "[out1, out2] = name (inputs)".
  lines = strsplit (strtrim (help (name)), "\n");
  if (isempty (regexp (lines{1}, ['^(\w+|\[\w+(, \w+)*\]) = ' name ' \([\w, ]+\)$'], 'once')))
    error ('%s: help begins with "%s", not with the usage line', name, lines{1});
  end
end
