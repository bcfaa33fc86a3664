function text = machine_line ()
  % text = machine_line ()
  % What a benchmark ran on: the Octave version, the CPU's name and the load average.
  cpu = 'unknown CPU';
  [status, name] = system ('grep -m1 "model name" /proc/cpuinfo');
  if (status == 0)
    cpu = strtrim (regexprep (name, '^[^:]*:', ''));
  end
  load = 'unknown';
  [status, value] = system ('cut -d" " -f1-3 /proc/loadavg');
  if (status == 0)
    load = strtrim (value);
  end
  text = sprintf ('Octave %s, %s, load average %s', OCTAVE_VERSION, cpu, load);
end
