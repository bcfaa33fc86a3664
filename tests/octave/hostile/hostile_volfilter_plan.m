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
end
