function check_modules (folder, modules)
  % check_modules (folder, modules)
  % Fails unless each of MODULES resolves to a compiled module in FOLDER, gives its worked
  % result, and has its help (usage line first) read from the file beside it.
  for i = 1:numel (modules)
    name = modules{i};
    found = which (name);
    if (exist (name) != 3
        || ! strcmp (canonicalize_file_name (fileparts (found)), canonicalize_file_name (folder)))
      error ('%s: expected the module in %s, found "%s"', name, folder, found);
    end
    [args, expected, output] = module_example (name);
    results = cell (1, output);
    [results{:}] = feval (name, args{:});
    expect_bits (results{output}, expected, name);
    expect_usage_line (name);
  end
end
