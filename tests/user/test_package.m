function test_package (tarball, modules)
  % test_package (tarball, modules)
  % Installs the Octave package TARBALL into a temporary prefix with pkg, loads it, and
  % checks that every one of MODULES was compiled, works, and has its help beside it, and
  % that volfilter_fit came with it.
  root = tempname ();
  mkdir (root);
  cleanup = onCleanup (@() remove_tree (root));
  pkg ('prefix', fullfile (root, 'packages'), fullfile (root, 'arch'));
  pkg ('local_list', fullfile (root, 'octave_packages'));
  pkg ('global_list', fullfile (root, 'global_octave_packages'));

  pkg ('install', '-local', tarball);
  pkg ('load', 'volfilter');
  installed = pkg ('list', 'volfilter');
  if (numel (installed) != 1)
    error ('test_package: volfilter is not listed after pkg install');
  end
  check_modules (installed{1}.dir, modules);
  check_fit_function (installed{1}.dir);
  pkg ('unload', 'volfilter');
  printf ('package: %s installed, %d modules called\n', tarball, numel (modules));
end

function remove_tree (folder)
  confirm_recursive_rmdir (false, 'local');
  rmdir (folder, 's');
end
