function hostile_battery (module, octave, mex_folder, work_folder)
  % hostile_battery (module, octave, mex_folder, work_folder)
  % The hostile battery of MODULE (see hostile_cases): every call must be refused with its
  % message, or end as the call it stands for, or in the host's out-of-memory error; none
  % may kill the host or hang. The calls run in child processes of OCTAVE (octave-cli), the
  % module taken from MEX_FOLDER: each call that could kill the host in a process of its
  % own, the others a group to a process. A process that dies is reported against the call
  % it was making, and its group goes on in a new process from the next call, so that one
  % crash hides no other. Each child has a time limit (a hang is reported as such) and an
  % address-space limit, so that a size the host could hold on a large machine still ends
  % in its out-of-memory error. Results and logs go to WORK_FOLDER. A function whose table
  % requires modules that MEX_FOLDER lacks, or that is not there itself, is skipped: the
  % battery exits with 77 (a table that makes its inputs with them makes none without). Calls whose verdict says their behaviour is still to come are
  % listed apart and do not fail the battery.
  % A function's table may call the functions and modules of MEX_FOLDER to make its inputs.
  addpath (mex_folder);
  [cases, t] = hostile_cases (module);
  here = fileparts (mfilename ('fullpath'));
  limits = [30, 90];
  if (isfield (t, 'seconds'))
    limits = t.seconds;
  end
  if (isfield (t, 'requires'))
    missing = absent (mex_folder, module, t.requires);
    if (! isempty (missing))
      printf ('%s: skipped, %s not built in %s\n', module, strjoin (missing, ', '), mex_folder);
      exit (77);
    end
  end
  pending = {};
  dearest = [0, 1; 0, 1];   % the longest refusal and the largest growth: [cost, call]
  [~, ~] = mkdir (work_folder);
  failures = {};
  children = 0;
  first = 1;
  while (first <= numel (cases))
    last = first;
    if (! cases(first).isolated)
      while (last < numel (cases) && ! cases(last + 1).isolated)
        last += 1;
      end
    end
    seconds = limits(2 - cases(first).isolated);
    from = first;
    while (from <= last)
      results = fullfile (work_folder, sprintf ('%s.%d.results', module, from));
      log = fullfile (work_folder, sprintf ('%s.%d.log', module, from));
      if (exist (results, 'file'))
        delete (results);
      end
      % A child that the time limit ends leaves no octave-workspace file behind it.
      command = sprintf (['ulimit -v 4194304 && exec timeout -k 5 %d %s --no-gui --quiet ' ...
                          '--no-init-file --no-history --eval "sigterm_dumps_octave_core (false); ' ...
                          'addpath (''%s''); addpath (''%s''); ' ...
                          'hostile_child (''%s'', %d, %d, ''%s'')" >%s 2>&1'], ...
                         seconds, octave, mex_folder, here, module, from, last, results, log);
      status = system (command);
      children += 1;
      [done, verdicts, costs] = read_results (results);
      for k = 1:numel (done)
        if (costs(k, 1) > dearest(1, 1))
          dearest(1, :) = [costs(k, 1), done(k)];
        end
        if (costs(k, 2) > dearest(2, 1))
          dearest(2, :) = [costs(k, 2), done(k)];
        end
        if (strncmp (verdicts{k}, 'to come', 7))
          pending{end+1} = sprintf ('%s: %s', cases(done(k)).label, verdicts{k});
        elseif (! strcmp (verdicts{k}, 'ok'))
          failures{end+1} = sprintf ('%s: %s', cases(done(k)).label, verdicts{k});
        end
      end
      next = from + numel (done);
      if (next <= last)
        % timeout reports 124 when its TERM ended the child, and dies of the KILL it sends
        % 5 s later to a child that ignored it (Octave hung in its fatal-signal handler).
        if (any (status == [124, 137, 9]))
          what = sprintf ('hung: killed after %d s', seconds);
        else
          what = sprintf ('killed the host (exit status %d): %s', status, last_line (log));
        end
        failures{end+1} = sprintf ('%s: %s', cases(next).label, what);
        next += 1;
      elseif (status != 0)
        failures{end+1} = sprintf ('%s: the process ended with status %d after its last call: %s', ...
                                   cases(last).label, status, last_line (log));
      end
      from = next;
    end
    first = last + 1;
  end
  printf ('%s: %d hostile calls in %d processes, %d failures, %d to come\n', module, ...
          numel (cases), children, numel (failures), numel (pending));
  if (! isempty (pending))
    printf ('  %s\n', pending{:});
  end
  if (isfield (t, 'budget'))
    printf ('  longest refusal %.3f s (%s), largest growth of the peak resident size %.1f MB (%s)\n', ...
            dearest(1, 1), cases(dearest(1, 2)).label, dearest(2, 1) / 1e6, ...
            cases(dearest(2, 2)).label);
  end
  if (! isempty (failures))
    printf ('  %s\n', failures{:});
    error ('hostile_battery:failed', '%s: %d of %d hostile calls failed', module, ...
           numel (failures), numel (cases));
  end
end

% The call numbers, verdicts and costs of refusals ([seconds, bytes] a row) a child wrote,
% in order.
function [done, verdicts, costs] = read_results (results)
  done = [];
  verdicts = {};
  costs = zeros (0, 2);
  if (! exist (results, 'file'))
    return;
  end
  lines = strsplit (strtrim (fileread (results)), "\n");
  for k = 1:numel (lines)
    parts = strsplit (lines{k}, "\t");
    if (numel (parts) == 4)
      done(end+1) = str2double (parts{1});
      verdicts{end+1} = parts{2};
      costs(end+1, :) = str2double (parts(3:4));
    end
  end
end

function text = last_line (log)
  text = '';
  if (exist (log, 'file'))
    lines = strsplit (strtrim (fileread (log)), "\n");
    text = lines{end};
  end
end

% The names among MODULE (a function) and the modules it REQUIRES that FOLDER lacks.
function missing = absent (folder, module, requires)
  missing = {};
  if (! exist (fullfile (folder, [module '.m']), 'file'))
    missing{end+1} = module;
  end
  for name = requires
    if (! exist (fullfile (folder, [name{1} '.' mexext()]), 'file'))
      missing{end+1} = name{1};
    end
  end
end
