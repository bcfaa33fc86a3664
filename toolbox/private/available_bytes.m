function bytes = available_bytes ()
% bytes = available_bytes ()
% The bytes this process can still allocate, as the system tells it, or Inf where it does
% not: on Linux the least of the memory available (MemAvailable and free swap), what the
% process's address-space limit (ulimit -v) leaves beyond its present size, and what its
% control group's memory limit leaves (version 2, else version 1; the file cache it could
% give back not counted as used); on Windows what the host's memory function reports for
% all arrays. Read from a few small files, so that a request too large for the machine is
% refused before anything is allocated.
bytes = Inf;
if ispc ()
  try
    user = memory ();
    bytes = user.MemAvailableAllArrays;
  catch
  end
  return;
end
info = read_text ('/proc/meminfo');
if isempty (info)
  return;
end
bytes = 1024 * (kilobytes (info, 'MemAvailable') + kilobytes (info, 'SwapFree'));
limit = regexp (read_text ('/proc/self/limits'), 'Max address space\s+(\d+)', 'tokens', 'once');
if ~isempty (limit)
  present = 1024 * kilobytes (read_text ('/proc/self/status'), 'VmSize');
  bytes = min (bytes, str2double (limit{1}) - present);
end
% A control group's use counts the file cache it could give back (inactive_file).
groups = {'/sys/fs/cgroup/', 'memory.max', 'memory.current', 'inactive_file';
          '/sys/fs/cgroup/memory/', 'memory.limit_in_bytes', 'memory.usage_in_bytes', ...
          'total_inactive_file'};
for g = 1:size (groups, 1)
  most = str2double (read_text ([groups{g, 1} groups{g, 2}]));
  used = str2double (read_text ([groups{g, 1} groups{g, 3}]));
  if isfinite (most) && isfinite (used)
    cache = regexp (read_text ([groups{g, 1} 'memory.stat']), ...
                    ['(^|\n)' groups{g, 4} ' (\d+)'], 'tokens', 'once');
    if ~isempty (cache)
      used = used - str2double (cache{2});
    end
    bytes = min (bytes, most - used);
    break;
  end
end
bytes = max (bytes, 0);
end

function value = kilobytes (text, field)
% The number after FIELD: in a /proc status text, 0 where it is absent.
value = 0;
token = regexp (text, [field ':\s*(\d+)'], 'tokens', 'once');
if ~isempty (token)
  value = str2double (token{1});
end
end

function text = read_text (file)
% The text of FILE, '' where it cannot be read.
text = '';
handle = fopen (file, 'r');
if handle < 0
  return;
end
text = fread (handle, Inf, 'char=>char')';
fclose (handle);
end
