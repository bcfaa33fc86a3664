function [cases, t] = hostile_cases (module)
  % [cases, t] = hostile_cases (module)
  % Every call of the hostile battery for MODULE (a module or a function of the toolbox),
  % built from its table T = hostile_<module>.m:
  %   call     the inputs of a call that is served
  %   arrays   {position, name} of the array inputs: each is given arrays of other classes
  %   scalars  {position, name} of the scalar inputs: each is given every kind of array
  %            (scalar_kinds below), in the served call
  %   sized    {label, @(T) inputs, arrays[, sizes]}: calls that create `arrays` arrays of
  %            T elements, made at each of the sizes (by default the common ones below)
  %   extra    {label, inputs, expected, isolated}: further calls of the module's own
  % An expected outcome is a message (the call is refused with a message ending in it), a
  % 1-by-1 cell holding other inputs (the call ends as the call with those does: the same
  % bits or the same message), or, for the sized calls, the size rule: arrays of 2^62 bytes
  % or more, alone or together, are refused; anything smaller reaches the host, which cannot
  % hold it and ends the call with its out-of-memory error.
  % A call that could kill the host runs isolated, in a process of its own (hostile_battery).
  %
  % A function's table may also have
  %   options   {inputs, name, value, accepts}: the name-value option NAME, appended to the
  %             served call INPUTS, given every kind of array (scalar_kinds around VALUE);
  %             a real numeric scalar, full or sparse, acts as the double it holds (also a
  %             logical one where ACCEPTS is 'logical'; none where it is 'text'), and
  %             anything else is refused with the identifier t.refusal
  %   requires  names of the modules the function needs: without them the battery skips
  %   budget    [seconds, bytes]: a refusal that takes longer, or grows the process's peak
  %             resident size by more, fails (hostile_child measures both)
  %   seconds   [isolated, grouped]: the time limits of a child process (default [30, 90])
  % and two more forms of expected outcome in `extra`: {identifier} or {identifier, ending}
  % (refused with that identifier and a message ending so, and in a full stop), and a
  % handle verdict = check (served, result, err) for what the other forms cannot say
  % ("ok", what went wrong, or "to come: ..." for behaviour that has not landed yet).
  t = feval (['hostile_' module]);
  for part = {'arrays', 'scalars', 'sized', 'extra'}
    if (! isfield (t, part{1}))
      t.(part{1}) = cell (0, 4);
    end
  end
  cases = struct ('label', {}, 'inputs', {}, 'expect', {}, 'isolated', {});

  for a = 1:rows (t.arrays)
    [position, name] = t.arrays{a, :};
    x = t.call{position};
    if (isempty (x))
      x = 1;
    end
    kinds = {'cell', num2cell(x); 'char', repmat('1', size(x)); 'struct', struct('x', x); ...
             'function handle', @sin; 'int32', int32(x); 'single', single(x); ...
             'logical', x > 0; 'complex', complex(x, 1); 'sparse', sparse(x)};
    for k = 1:rows (kinds)
      inputs = t.call;
      inputs{position} = kinds{k, 2};
      cases(end+1) = one_case (sprintf ('%s as %s', kinds{k, 1}, name), inputs, ...
                               message (sprintf ('Input %s must be a real double array.', name)), false);
    end
  end

  for s = 1:rows (t.scalars)
    [position, name] = t.scalars{s, :};
    kinds = scalar_kinds (t.call{position});
    for k = 1:rows (kinds)
      [label, value, outcome] = kinds{k, :};
      inputs = t.call;
      inputs{position} = value;
      if (ischar (outcome))
        expected = message (sprintf (outcome, name));
      else
        reference = t.call;
        reference{position} = outcome;
        expected = same_as (reference);
      end
      cases(end+1) = one_case (sprintf ('%s as %s', label, name), inputs, expected, false);
    end
  end

  for z = 1:rows (t.sized)
    [label, make, arrays] = t.sized{z, 1:3};
    if (columns (t.sized) > 3 && ! isempty (t.sized{z, 4}))
      sizes = t.sized{z, 4};
    else
      % The sizes of the first reports (2^61 and 2^62 crashed the host, 2^63 - 2^10 made it
      % report a negative request), the largest double below 2^64, one the host represents
      % but cannot hold, and the two sides of the limit for this many arrays.
      limit = 2^62 / (8 * arrays);
      sizes = [2^61, 2^62, 2^63 - 2^10, 2^64 - 2^11, 1e12, limit - limit * 2^-53, limit];
    end
    for T = sizes
      expected = expectation ('size', 8 * arrays * T >= 2^62, {}, '');
      cases(end+1) = one_case (sprintf ('%s, T = %.17g', label, T), make (T), expected, true);
    end
  end

  if (isfield (t, 'options'))
    for o = 1:rows (t.options)
      [base, name, v, accepts] = t.options{o, :};
      if (strcmp (accepts, 'text'))
        kinds = scalar_kinds (1);
      else
        kinds = scalar_kinds (v);
      end
      for k = 1:rows (kinds)
        value = kinds{k, 2};
        acts = (isnumeric (value) || (islogical (value) && strcmp (accepts, 'logical'))) ...
               && isreal (value) && numel (value) == 1 && ! strcmp (accepts, 'text');
        if (acts)
          expected = same_as ([base, {name, full(double(value))}]);
        else
          expected = refusal (t.refusal, '');
        end
        cases(end+1) = one_case (sprintf ('%s: %s as %s', base{1}, kinds{k, 1}, name), ...
                                 [base, {name, value}], expected, false);
      end
    end
  end

  for e = 1:rows (t.extra)
    [label, inputs, outcome, isolated] = t.extra{e, :};
    if (ischar (outcome))
      expected = message (outcome);
    elseif (is_function_handle (outcome))
      expected = expectation ('check', false, {}, '');
      expected.check = outcome;
    elseif (ischar (outcome{1}))
      expected = refusal (outcome{:});
    else
      expected = same_as (outcome{1});
    end
    cases(end+1) = one_case (label, inputs, expected, isolated);
  end
end

% Every kind of array given as a scalar whose served value is v: {label, array, outcome},
% the outcome a message format (%s the input's name) or the number the array stands for.
function kinds = scalar_kinds (v)
  not_real = 'Input %s must be a real numeric scalar.';
  empty = 'Input %s must not be empty.';
  kinds = {'cell', {v}, not_real; 'empty cell', {}, not_real; 'struct', struct('v', v), not_real;
           'function handle', @sin, not_real; 'text', num2str(v), not_real;
           'empty text', '', not_real; 'complex', complex(v, 1), not_real;
           'complex, imaginary part 0', complex(v, 0), not_real;
           'complex int8', complex(int8(v), int8(1)), not_real;
           'sparse [0 v]', sparse([0, v]), not_real; 'sparse [v; v]', sparse([v; v]), not_real;
           'sparse logical pair', sparse([false, true]), not_real;
           'object', containers.Map(), not_real;
           'empty double', [], empty; 'empty 0-by-3', zeros(0, 3), empty;
           'empty int32', int32([]), empty; 'empty logical', false(0, 1), empty;
           'empty sparse', sparse(0, 0), empty;
           'int8', int8(v), v; 'uint8', uint8(max(v, 0)), max(v, 0); 'int32', int32(v), v;
           'int64', int64(v), v; 'uint64', uint64(max(v, 0)), max(v, 0); 'single', single(v), v;
           'true', true, 1; 'false', false, 0; '1-by-1 sparse', sparse(v), v;
           '1-by-1 sparse 0', sparse(0), 0; 'row, first element', [v, 99], v;
           'int16 column, first element', int16([v; 5]), v; 'range, first element', v:v+2, v;
           'logical row, first element', [true, false], 1};
end

function c = one_case (label, inputs, expect, isolated)
  c = struct ('label', label, 'inputs', {inputs}, 'expect', expect, 'isolated', isolated);
end

function e = message (text)
  e = expectation ('message', false, {}, text);
end

function e = same_as (reference)
  e = expectation ('same', false, reference, '');
end

function e = refusal (identifier, ending)
  if (nargin < 2)
    ending = '';
  end
  e = expectation ('refusal', false, {}, ending);
  e.identifier = identifier;
end

function e = expectation (kind, too_large, reference, text)
  e = struct ('kind', kind, 'too_large', too_large, 'reference', {reference}, 'text', text, ...
              'identifier', '', 'check', []);
end
