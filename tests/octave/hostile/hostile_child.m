function hostile_child (module, first, last, results)
  % hostile_child (module, first, last, results)
  % Makes calls FIRST to LAST of the hostile battery of MODULE (see hostile_cases) and
  % appends one line per call to the file RESULTS as soon as it ends: its number, "ok" or
  % what went wrong, and the seconds and bytes a refusal took (0 for a call served), apart
  % by tabs. Run by hostile_battery in a process of its own, so that a call
  % that kills the process shows as the first number missing. Where the table sets a
  % budget, each refusal is timed (wall clock around the call) and its memory measured: the
  % growth of the process's peak resident size (VmHWM, reset before the call through
  % /proc/self/clear_refs) over its resident size before the call.
  [cases, t] = hostile_cases (module);
  budget = [];
  if (isfield (t, 'budget'))
    budget = t.budget;
  end
  f = str2func (module);
  out = fopen (results, 'a');
  if (out < 0)
    error ('hostile_child:results', 'hostile_child: cannot write %s', results);
  end
  for i = first:last
    [verdict, cost] = judge (f, cases(i), budget);
    fprintf (out, '%d\t%s\t%.6f\t%.0f\n', i, verdict, cost);
    fflush (out);
  end
  fclose (out);
end

% The verdict on call C, and what it cost when it was refused ([seconds, bytes], else 0).
function [verdict, cost] = judge (f, c, budget)
  [served, result, err, cost] = attempt (f, c.inputs);
  message = err.message;
  verdict = 'ok';
  switch (c.expect.kind)
    case 'message'
      if (served)
        verdict = sprintf ('served, expected "%s"', c.expect.text);
      elseif (! ends_with (message, c.expect.text))
        verdict = sprintf ('refused with "%s", expected "%s"', message, c.expect.text);
      end
    case 'refusal'
      if (served)
        verdict = sprintf ('served, expected %s', c.expect.identifier);
      elseif (! same_identifier (err.identifier, c.expect.identifier) ...
              || ! ends_with (message, '.') || ! ends_with (message, c.expect.text))
        verdict = sprintf ('refused with %s "%s", expected %s "...%s"', shown (err.identifier), ...
                           message, c.expect.identifier, c.expect.text);
      end
    case 'check'
      verdict = c.expect.check (served, result, err);
    case 'same'
      [served_as, result_as, err_as] = attempt (f, c.expect.reference);
      if (served != served_as)
        verdict = sprintf ('served %d (%s "%s"), the call it stands for served %d (%s "%s")', ...
                           served, shown (err.identifier), message, served_as, ...
                           shown (err_as.identifier), err_as.message);
      elseif (! served && ! strcmp (message, err_as.message))
        verdict = sprintf ('refused with "%s", the call it stands for with "%s"', ...
                           message, err_as.message);
      elseif (served && ! same_bits (result, result_as))
        verdict = 'served with other results than the call it stands for';
      end
    case 'size'
      too_large = 'The output is too large for the host.';
      if (served)
        verdict = 'served';
      elseif (c.expect.too_large && ! ends_with (message, too_large))
        verdict = sprintf ('refused with "%s", expected "%s"', message, too_large);
      elseif (! c.expect.too_large
              && isempty (regexp (message, 'out of memory|failed to allocate|memory exhausted', 'once')))
        verdict = sprintf ('refused with "%s", expected the host''s out-of-memory error', message);
      end
  end
  if (served)
    cost = [0, 0];
  end
  if (! served && ! isempty (budget) && (cost(1) > budget(1) || cost(2) > budget(2)))
    over = sprintf ('refused after %.2f s and %.0f MB (at most %g s and %g MB)', cost(1), ...
                    cost(2) / 1e6, budget(1), budget(2) / 1e6);
    if (strcmp (verdict, 'ok'))
      verdict = over;
    else
      verdict = [verdict '; ' over];
    end
  end
end

% The call's outcome and its cost: [wall seconds, growth of the peak resident bytes].
function [served, result, err, cost] = attempt (f, inputs)
  served = false;
  result = [];
  err = struct ('identifier', '', 'message', '');
  before = resident_bytes (true);
  start = tic ();
  try
    result = f (inputs{:});
    served = true;
  catch caught
    err = struct ('identifier', caught.identifier, 'message', caught.message);
  end
  seconds = toc (start);
  cost = [seconds, resident_bytes(false) - before];
end

% The resident size (RESTART true: after resetting the peak to it) or its peak since the
% reset, in bytes; NaN where /proc/self cannot tell (no growth is then measured).
function bytes = resident_bytes (restart)
  bytes = NaN;
  field = 'VmHWM';
  if (restart)
    field = 'VmRSS';
    clear_refs = fopen ('/proc/self/clear_refs', 'w');
    if (clear_refs < 0)
      return;
    end
    fprintf (clear_refs, '5');
    fclose (clear_refs);
  end
  status = fopen ('/proc/self/status', 'r');
  if (status < 0)
    return;
  end
  text = fread (status, Inf, 'char=>char')';
  fclose (status);
  kilobytes = regexp (text, [field ':\s*(\d+)'], 'tokens', 'once');
  if (! isempty (kilobytes))
    bytes = 1024 * str2double (kilobytes{1});
  end
end

function text = shown (identifier)
  text = identifier;
  if (isempty (text))
    text = 'no identifier';
  end
end

% IDENTIFIER is EXPECTED, or begins with it where EXPECTED ends in a colon (any of a
% function's identifiers).
function yes = same_identifier (identifier, expected)
  yes = strcmp (identifier, expected) || (ends_with (expected, ':') ...
                                          && strncmp (identifier, expected, numel (expected)));
end

function yes = ends_with (text, ending)
  yes = isempty (ending) ...
        || (numel (text) >= numel (ending) && strcmp (text(end-numel (ending)+1:end), ending));
end

% The same values bit for bit: numbers by their bits, structs and cells element by element.
function yes = same_bits (a, b)
  yes = strcmp (class (a), class (b)) && isequal (size (a), size (b)) ...
        && issparse (a) == issparse (b);
  if (! yes)
    return;
  end
  if (isstruct (a))
    names = fieldnames (a);
    yes = isequal (names, fieldnames (b));
    for i = 1:numel (a)
      for j = 1:numel (names)
        yes = yes && same_bits (a(i).(names{j}), b(i).(names{j}));
      end
    end
  elseif (iscell (a))
    for i = 1:numel (a)
      yes = yes && same_bits (a{i}, b{i});
    end
  elseif (isfloat (a))
    yes = isequal (bits (real (a)), bits (real (b))) && isequal (bits (imag (a)), bits (imag (b)));
  else
    yes = isequal (a, b);
  end
end

function b = bits (x)
  width = 'uint64';
  if (isa (x, 'single'))
    width = 'uint32';
  end
  b = typecast (full (x(:)), width);
end
