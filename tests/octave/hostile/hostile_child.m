function hostile_child (module, first, last, results)
  % hostile_child (module, first, last, results)
  % Makes calls FIRST to LAST of the hostile battery of MODULE (see hostile_cases) and
  % appends one line per call to the file RESULTS as soon as it ends: its number, a tab and
  % "ok" or what went wrong. Run by hostile_battery in a process of its own, so that a call
  % that kills the process shows as the first number missing.
  cases = hostile_cases (module);
  f = str2func (module);
  out = fopen (results, 'a');
  if (out < 0)
    error ('hostile_child:results', 'hostile_child: cannot write %s', results);
  end
  for i = first:last
    verdict = judge (f, cases(i));
    fprintf (out, '%d\t%s\n', i, verdict);
    fflush (out);
  end
  fclose (out);
end

function verdict = judge (f, c)
  [served, result, message] = attempt (f, c.inputs);
  verdict = 'ok';
  switch (c.expect.kind)
    case 'message'
      if (served)
        verdict = sprintf ('served, expected "%s"', c.expect.text);
      elseif (! ends_with (message, c.expect.text))
        verdict = sprintf ('refused with "%s", expected "%s"', message, c.expect.text);
      end
    case 'same'
      [served_as, result_as, message_as] = attempt (f, c.expect.reference);
      if (served != served_as)
        verdict = sprintf ('served %d ("%s"), the call it stands for served %d ("%s")', ...
                           served, message, served_as, message_as);
      elseif (! served && ! strcmp (message, message_as))
        verdict = sprintf ('refused with "%s", the call it stands for with "%s"', ...
                           message, message_as);
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
end

function [served, result, message] = attempt (f, inputs)
  served = false;
  result = [];
  message = '';
  try
    result = f (inputs{:});
    served = true;
  catch err
    message = err.message;
  end
end

function yes = ends_with (text, ending)
  yes = numel (text) >= numel (ending) && strcmp (text(end-numel (ending)+1:end), ending);
end

function yes = same_bits (a, b)
  yes = isequal (size (a), size (b)) && isequal (typecast (a(:), 'uint64'), typecast (b(:), 'uint64'));
end
