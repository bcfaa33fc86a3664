function t = hostile_volfilter_plan ()
  % The hostile battery's table for volfilter_plan (see hostile_cases and estimation_extras).
  e = [0.5; -1; 2; -0.3; 1.5; -0.7];
  t.call = {0, e, 1, 1, 1, 2, 1, 0, 1, 0, [], [], [0.1; 0.1; 0.05; 0.8]};
  t.arrays = {2, 'e'; 11, 'backcast'; 12, 'upper_bound'; 13, 'parameters'};
  t.scalars = {1, 'model'; 3, 'p'; 4, 'o'; 5, 'q'; 6, 'type'; 7, 'constant'; 8, 'distribution';
               9, 'm'; 10, 'backcast_rule'};
  % No array is sized by a scalar: the outputs by the orders, which m <= T bounds.
  t.sized = cell (0, 3);
  t.extra = estimation_extras (t.call, 'e');
  bad_e = {'e a matrix', [1, 2; 3, 4], 'Input e must be a vector.';
           'e with NaN', [1; NaN; 2; 3], 'Input e must hold finite values.';
           'e with Inf last', [1; 2; 3; Inf], 'Input e must hold finite values.'};
  for i = 1:rows (bad_e)
    inputs = t.call;
    inputs{2} = bad_e{i, 2};
    t.extra(end+1, :) = {bad_e{i, 1}, inputs, bad_e{i, 3}, false};
  end
  inputs = t.call;
  inputs{13} = [0.1; 0.1];
  t.extra(end+1, :) = {'two parameters for four', inputs, ...
                       'Input parameters must have at least 4 elements.', false};
  % A plan no fit takes is refused before it is built; the short call counts any orders.
  long = t.call;
  long([2, 3, 4, 5, 9, 13]) = {sin((1:2000)'), 400, 400, 400, 400, []};
  t.extra(end+1, :) = {'orders of 400', long, ...
                       'The orders give 1201 parameters, more than the 1000 a plan takes.', false};
  most = 2^31 - 1;
  for sizes = {{{0, 1, 1, 1, 2, 1, 0}, [4, 40, 1000]}, ...
               {{1, most, most, most, 2, 1, 1}, [3 * most + 2, 30 * most + 20, 1000]}, ...
               {{0, 1, 1, 1, 2, 1, 0, 1, 2, 1, 3}, [11, 110, 1000]}, ...
               {{0, 1, 1, 1, 2, 1, 0, 1, 2^63, 2^63, 2^63}, [2^64, 2^64, 1000]}}
    [inputs, expected] = sizes{1}{:};
    t.extra(end+1, :) = {sprintf('the sizes alone, p = %d, %d inputs', inputs{2}, numel (inputs)), inputs, ...
                         @(served, result, err) sized (served, result, expected), false};
  end
end

function verdict = sized (served, result, expected)
  verdict = 'ok';
  if (! served || ! isequal (result, expected))
    verdict = sprintf ('expected the sizes %s', mat2str (expected));
  end
end
