function [cases, t] = hostile_cases (module)
  % [cases, t] = hostile_cases (module)
  % Every call of the hostile battery for MODULE (a module or a function of the toolbox),
  % built from its table T = hostile_<module>.m:
  %   call     the inputs of a call that is served
  %   arrays   {position, name} of the array inputs: each is given arrays of other classes
  %   scalars  {position, name} of the scalar inputs: each is given every kind of array
  %            (hostile_kinds), in the served call
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
  %   options   {inputs, name, value, accepts[, identifier]}: the name-value option NAME,
  %             appended to the served call INPUTS, given every kind of array (hostile_kinds
  %             around VALUE); a real numeric scalar, full or sparse, acts as the double it
  %             holds (also a logical one where ACCEPTS is 'logical'; none where it is
  %             'text' or 'none'; where it is 'optional number', an empty numeric array as
  %             the option not given), and anything else is refused with IDENTIFIER (by
  %             default t.refusal)
  %   positional  {inputs, position, name, value, accepts[, identifier]}: the same for the
  %             input at POSITION of the served call INPUTS (VALUE there), named NAME
  %   requires  names of the modules the function needs: without them the battery skips
  %   budget    [seconds, bytes]: a refusal that takes longer, or grows the process's peak
  %             resident size by more, fails (hostile_child measures both)
  %   seconds   [isolated, grouped]: the time limits of a child process (default [30, 90])
  % and two more forms of expected outcome in `extra`: {identifier} or {identifier, ending}
  % (refused with that identifier, or one that begins with it where it ends in a colon, and
  % a message ending so, and in a full stop), and a
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
    kinds = hostile_kinds (t.call{position});
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

  % Options and positional inputs: each given every kind of array.
  for part = {'options', 'positional'}
    if (! isfield (t, part{1}))
      continue;
    end
    rows_of = t.(part{1});
    for o = 1:rows (rows_of)
      if (strcmp (part{1}, 'options'))
        [base, name, v, accepts] = rows_of{o, 1:4};
        place = numel (base) + 2;
        base(end+1:end+2) = {name, v};
        extra = 5;
      else
        [base, place, name, v, accepts] = rows_of{o, 1:5};
        extra = 6;
      end
      identifier = t.refusal;
      if (columns (rows_of) >= extra && ! isempty (rows_of{o, extra}))
        identifier = rows_of{o, extra};
      end
      if (any (strcmp (accepts, {'text', 'none'})))
        v = 1;
      end
      kinds = hostile_kinds (v);
      for k = 1:rows (kinds)
        value = kinds{k, 2};
        acts = (isnumeric (value) || (islogical (value) && strcmp (accepts, 'logical'))) ...
               && isreal (value) && numel (value) == 1 ...
               && any (strcmp (accepts, {'number', 'logical', 'optional number'}));
        inputs = base;
        inputs{place} = value;
        if (acts)
          reference = base;
          reference{place} = full (double (value));
          expected = same_as (reference);
        elseif (strcmp (accepts, 'optional number') && isnumeric (value) && isempty (value))
          expected = same_as (base([1:place - 2, place + 1:end]));
        else
          expected = refusal (identifier, '');
        end
        cases(end+1) = one_case ([described(base{1}), sprintf('%s as %s', kinds{k, 1}, name)], ...
                                 inputs, expected, false);
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

% A call's first input at the head of its label where it is text (a model's name).
function text = described (value)
  text = '';
  if (ischar (value) && rows (value) <= 1)
    text = [value ': '];
  end
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
