function kinds = hostile_kinds (v)
  % kinds = hostile_kinds (v)
  % The 32 kinds of array the battery gives an input whose served value is the number V:
  % {label, array, outcome} a row, the outcome a module's message format (%s the input's
  % name) or the number the array stands for.
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
