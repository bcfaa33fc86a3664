function extra = fit_extras (fit, inputs, prefix, fields)
  % extra = fit_extras (fit, inputs, prefix, fields)
  % The calls of the hostile battery that every function of a fit shares, as rows of a
  % table's `extra` (see hostile_cases): the fit FIT without each of its FIELDS (by default
  % all), each field given every kind of array (hostile_kinds), values at the ends of the
  % double range and, for an array, the array mangled (of another class or shape, too
  % short, too long, not finite, scaled to the ends of the range); and, with every field
  % or none ({}), struct arrays with a bad member. INPUTS (a handle) makes a call's inputs from a fit. Each call must be
  % served or refused with an identifier PREFIX* (for example 'volfilter:forecast:') and a
  % message that begins with the function's name and ends in a full stop.
  if (nargin < 4)
    fields = fieldnames (fit)';
  end
  extra = cell (0, 4);
  check = @(served, result, err) hostile_ours (served, err, prefix);
  for name = fields
    extra(end+1, :) = {sprintf('fit without %s', name{1}), inputs(rmfield(fit, name{1})), ...
                       check, false};
    kinds = field_kinds (fit.(name{1}));
    for k = 1:rows (kinds)
      changed = fit;
      changed.(name{1}) = kinds{k, 2};
      extra(end+1, :) = {sprintf('fit.%s %s', name{1}, kinds{k, 1}), inputs(changed), check, false};
    end
  end
  if (nargin == 4 && ! isempty (fields))
    return;
  end
  % Struct arrays: a panel, one with a bad member, one with a hole (every field of fit(2)
  % empty), a 2-by-2 one, and none.
  bad = setfield (fit, 'model', 'garch');
  holed = fit;
  holed(3) = fit;
  arrays = {'two fits', [fit; fit]; 'a bad second member', [fit; bad];
            'a member of empty fields', holed; 'a 2-by-2 array with a bad member', [fit, fit; fit, bad];
            'no fits', fit([])};
  for i = 1:rows (arrays)
    extra(end+1, :) = {['struct array, ' arrays{i, 1}], inputs(arrays{i, 2}), check, false};
  end
end

% Every kind of value a field of a fit can be given in place of VALUE.
function kinds = field_kinds (value)
  kinds = hostile_kinds (1)(:, 1:2);
  kinds = [kinds; {'NaN', NaN; 'Inf', Inf; '-Inf', -Inf; '-1', -1; '0.5', 0.5; '2^31', 2^31;
                   '2^63', 2^63; '1e18', 1e18; 'realmax', realmax; '-realmax', -realmax;
                   'subnormal', 4.9e-324; 'empty of 2^62 rows', zeros(2^62, 0)}];
  if (isnumeric (value) && numel (value) > 1)
    last = @(x) [reshape(value(1:end-1), [], 1); x];
    kinds = [kinds; {'as a cell', num2cell(value); 'as int32', int32(value);
                     'as single', single(value); 'as logical', value != 0;
                     'as complex', complex(value, 1); 'as sparse', sparse(value);
                     'transposed', value.'; 'without its last', value(1:end-1);
                     'doubled', [value; value]; 'ending in NaN', last(NaN);
                     'ending in Inf', last(Inf); 'times 1e200', 1e200 * value;
                     'times 1e-200', 1e-200 * value; 'as a 3-D array', reshape(value, 1, 1, [])}];
  elseif (iscell (value))
    kinds = [kinds; {'as text', char(value); 'with a number', [value(1:end-1); {1}];
                     'transposed', value.'; 'without its last', value(1:end-1);
                     'doubled', [value; value]; 'nested', {value}}];
  elseif (ischar (value))
    kinds = [kinds; {'in capitals', upper(value); 'of two rows', [value; value];
                     'with a space', [value ' ']; 'as a cell', {value}; 'as numbers', double(value)}];
  elseif (isstruct (value))
    kinds = [kinds; {'as a struct array', [value; value]; 'an empty struct array', value([]);
                     'with fields of text', structfun(@(x) 'x', value, 'UniformOutput', false)}];
  end
end
