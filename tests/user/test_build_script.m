function test_build_script (root, folder, modules)
  % test_build_script (root, folder, modules)
  % Runs volfilter_build from the checkout ROOT into FOLDER with Octave's mex, and checks
  % that every one of MODULES was built, works, and has its help beside it, and that
  % volfilter_fit and its helpers were placed there.
  addpath (root);
  [built_folder, built] = volfilter_build (folder);
  if (! strcmp (built_folder, folder))
    error ('test_build_script: built into %s, asked for %s', built_folder, folder);
  end
  missing = setdiff (modules, built);
  if (! isempty (missing))
    error ('test_build_script: %s not built', strjoin (missing, ', '));
  end
  addpath (folder);
  check_modules (folder, modules);
  check_fit_function (folder);
  printf ('build script: %d modules built and called\n', numel (modules));
end
