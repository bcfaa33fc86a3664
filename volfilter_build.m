function [folder, modules] = volfilter_build (folder, modules)
% [folder, modules] = volfilter_build (folder, modules)
% Compiles the volfilter modules with this host's own mex command, places the help of each
% beside it with volfilter_fit (and its private helpers), and prints the folder to add to
% the path. For users with only the host and a C++17 compiler: no CMake needed.
%
%   folder   where the modules go, created when missing (default: build/host/octave or
%            build/host/matlab in the folder of this file)
%   modules  cell array of module names (default: every modules/<name>/<name>.cpp)
%
% Every module is compiled with optimisation on, without floating-point contraction or
% fast-math (a fused multiply-add would change results in the last bit), and, in MATLAB,
% against the 64-bit array API (-R2017b).
%
% volfilter_estimate, the compiled fit, links NLopt's C library (nlopt.h, -lnlopt; Debian:
% libnlopt-dev). Where it does not compile or link, it is left out with a message saying so,
% and volfilter_fit falls back to nlopt_optimize, sqp or fmincon.
%
% In GNU Octave, mex calls mkoctfile. In MATLAB, choose a compiler first with
% "mex -setup C++".
%
% Example:
%   folder = volfilter_build ();
%   addpath (folder)
%   help threshvol_filter

root = fileparts (mfilename ('fullpath'));
is_octave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
if nargin < 1 || isempty (folder)
  if is_octave
    folder = fullfile (root, 'build', 'host', 'octave');
  else
    folder = fullfile (root, 'build', 'host', 'matlab');
  end
end
if nargin < 2 || isempty (modules)
  modules = modules_present (root);
end
if ischar (modules)
  modules = {modules};
end
if ~exist (folder, 'dir')
  mkdir (folder);
end

includes = {['-I' fullfile(root, 'gateway')], ['-I' fullfile(root, 'kernels')], ...
            ['-I' fullfile(root, 'estimation')], ['-I' fullfile(root, 'estimation', 'optimiser')]};
shared = [sources_in(root, 'gateway'), sources_in(root, 'kernels'), ...
          sources_in(root, 'estimation')];

% The gateway and the kernels are compiled once, into a scratch folder, and linked into
% every module; no two of their files share a name.
scratch = tempname ();
mkdir (scratch);
remove_scratch = onCleanup (@() remove_folder (scratch, is_octave));
if is_octave
  [flags, restore_flags] = octave_flags (); %#ok<ASGLU> restores the flags when cleared
else
  flags = matlab_flags ();
end

objects = compile_objects (shared, includes, flags, scratch, is_octave);
% The compiled fit's own sources, and NLopt, only for it; where NLopt's header or library is
% missing it is not built.
optimiser = {};
if any (strcmp (modules, 'volfilter_estimate'))
  try
    optimiser = [compile_objects(sources_in (root, fullfile ('estimation', 'optimiser')), ...
                                 includes, flags, scratch, is_octave), {'-lnlopt'}];
  catch
    optimiser = {};
  end
  if isempty (optimiser)
    fprintf (['volfilter_build: NLopt''s library was not found (nlopt.h, -lnlopt; Debian: ' ...
              'libnlopt-dev): volfilter_estimate is not built, and volfilter_fit falls back ' ...
              'to nlopt_optimize, sqp or fmincon.\n']);
    modules = modules(~strcmp (modules, 'volfilter_estimate'));
  end
end

for i = 1:numel (modules)
  name = modules{i};
  linked = objects;
  if strcmp (name, 'volfilter_estimate')
    linked = [objects, optimiser];
  end
  entry = fullfile (root, 'modules', name, [name '.cpp']);
  if ~exist (entry, 'file')
    error ('volfilter_build: no module %s (%s is missing).', name, entry);
  end
  % A module loaded from an earlier build is released before its file is replaced.
  clear (name);
  built = true;
  try
    if is_octave
      mex (includes{:}, entry, linked{:}, '-o', fullfile (folder, name));
    else
      mex (flags{:}, includes{:}, '-outdir', folder, '-output', name, entry, linked{:});
    end
  catch failure
    if ~strcmp (name, 'volfilter_estimate')
      rethrow (failure);
    end
    built = false;
  end
  if ~built
    % NLopt's header was there but its library would not link.
    fprintf (['volfilter_build: volfilter_estimate did not link with NLopt (-lnlopt): it is ' ...
              'not built, and volfilter_fit falls back to nlopt_optimize, sqp or fmincon.\n']);
    modules{i} = '';
    continue;
  end
  help_file = fullfile (root, 'modules', name, [name '.m']);
  if exist (help_file, 'file')
    copyfile (help_file, folder);
  end
end
modules = modules(~cellfun (@isempty, modules));
copyfile (fullfile (root, 'modules', 'Contents.m'), folder);
place_toolbox (root, folder);

fprintf ('volfilter_build: %s built in %s\n', strjoin (modules, ', '), folder);
fprintf ('  addpath (''%s'')\n', folder);
end

function objects = compile_objects (sources, includes, flags, scratch, is_octave)
% Each of SOURCES compiled into SCRATCH; their object files. In Octave mex reports a failed
% compilation as an error.
objects = cell (size (sources));
for i = 1:numel (sources)
  [~, name] = fileparts (sources{i});
  if is_octave
    objects{i} = fullfile (scratch, [name '.o']);
    [output, status] = mkoctfile ('--mex', '-c', includes{:}, sources{i}, '-o', objects{i});
    if status ~= 0
      error ('volfilter_build: %s did not compile:\n%s', sources{i}, output);
    end
  else
    mex (flags{:}, '-c', includes{:}, '-outdir', scratch, sources{i});
    found = dir (fullfile (scratch, [name '.o*']));
    objects{i} = fullfile (scratch, found(1).name);
  end
end
end

function place_toolbox (root, folder)
% volfilter_fit and the other functions in the host's language beside the modules, their
% helpers in the folder's private/ (where only the functions beside it can call them).
source = fullfile (root, 'toolbox');
functions = dir (fullfile (source, '*.m'));
for i = 1:numel (functions)
  copyfile (fullfile (source, functions(i).name), folder);
end
helpers = dir (fullfile (source, 'private', '*.m'));
if ~exist (fullfile (folder, 'private'), 'dir')
  mkdir (fullfile (folder, 'private'));
end
for i = 1:numel (helpers)
  copyfile (fullfile (source, 'private', helpers(i).name), fullfile (folder, 'private'));
end
end

function modules = modules_present (root)
% Every folder modules/<name> that holds an entry <name>.cpp.
entries = dir (fullfile (root, 'modules'));
modules = {};
for i = 1:numel (entries)
  name = entries(i).name;
  if entries(i).isdir && exist (fullfile (root, 'modules', name, [name '.cpp']), 'file')
    modules{end + 1} = name; %#ok<AGROW>
  end
end
end

function sources = sources_in (root, folder)
% Every C++ source file of FOLDER in the checkout, with its full path.
files = dir (fullfile (root, folder, '*.cpp'));
sources = cellfun (@(name) fullfile (root, folder, name), {files.name}, 'UniformOutput', false);
end

function [flags, restore] = octave_flags ()
% mkoctfile takes compiler flags from the environment: ours are added to its own until the
% returned cleanup object is cleared.
previous = getenv ('CXXFLAGS');
setenv ('CXXFLAGS', [strtrim(mkoctfile('-p', 'CXXFLAGS')) ...
                     ' -std=c++17 -O3 -ffp-contract=off -fno-fast-math -fno-math-errno' ...
                     ' -fvisibility=hidden']);
flags = {};
restore = onCleanup (@() restore_variable ('CXXFLAGS', previous));
end

function restore_variable (name, previous)
if isempty (previous)
  unsetenv (name);
else
  setenv (name, previous);
end
end

function remove_folder (folder, is_octave)
if is_octave
  confirm_recursive_rmdir (false, 'local');
end
rmdir (folder, 's');
end

function flags = matlab_flags ()
% Flags for MATLAB's mex: the 64-bit array API, optimisation, and the selected compiler's
% way of saying C++17 without contraction or fast-math (and, for gcc and clang, without
% errno from the maths library, so that a square root is one instruction).
compiler = mex.getCompilerConfigurations ('C++', 'Selected');
if isempty (compiler)
  error ('volfilter_build: no C++ compiler is selected; run "mex -setup C++" first.');
end
flags = {'-R2017b', '-O'};
if strncmpi (compiler.ShortName, 'MSVC', 4)
  flags = [flags, {'COMPFLAGS=$COMPFLAGS /std:c++17 /fp:precise', 'OPTIMFLAGS=/O2 /DNDEBUG'}];
else
  flags = [flags, {['CXXFLAGS=$CXXFLAGS -std=c++17 -ffp-contract=off -fno-fast-math ' ...
                    '-fno-math-errno -fvisibility=hidden'], 'CXXOPTIMFLAGS=-O3 -DNDEBUG'}];
end
end
