function expect_simulation_refusals (simulate, args, m_index, count_message, orders)
  % expect_simulation_refusals (simulate, args, m_index, count_message, orders)
  % The refusals every simulation module shares, from the served call SIMULATE (ARGS{:}):
  % z first, the history second, the parameters third, exactly as many as needed; m at
  % M_INDEX, m > 0 and at least one lag order of 1; ORDERS names the lag orders. Counts
  % first, then each input outside the contract; with no steps to take, nothing but the
  % history's shape and m are checked.
  z = args{1};
  history = args{2};
  k = numel (args{3});
  expect_error (@() simulate (args{1:end-1}), count_message);
  expect_error (@() simulate (args{:}, 0), count_message);
  expect_error (@() three_outputs (simulate, args), 'At most two outputs.');
  cases = {
    1, int32(z), 'Input z must be a real double array.'
    1, complex(z), 'Input z must be a real double array.'
    2, single(history), 'Input history must be a real double array.'
    2, [history, history], 'Input history must have one column or as many as z.'
    2, history(1:m_index_value(args, m_index) - 1), 'Input m must not exceed the rows of history.'
    3, args{3}(1:k-1), sprintf('Input parameters must have at least %d elements.', k)
    m_index, -1, 'Input m must not be negative.'
    m_index, NaN, 'Input m must be a finite number within the range of a 32-bit integer.'
    m_index, 0, ['Input m must be at least the largest of ' orders '.']
    m_index, {1}, 'Input m must be a real numeric scalar.'
  };
  for i = 1:rows (cases)
    changed = args;
    changed{cases{i, 1}} = cases{i, 2};
    expect_error (@() simulate (changed{:}), cases{i, 3});
  end
  % Without steps (no rows or no paths), the parameters and the orders are not read.
  for shape = {zeros(0, columns (z)), zeros(rows (z), 0)}
    changed = args;
    changed{1} = shape{1};
    changed{3} = [];
    changed{m_index} = 0;
    [e, ht] = simulate (changed{:});
    expect_bits ([e, ht], zeros (size (shape{1}) .* [1, 2]), 'no steps');
  end
end

function m = m_index_value (args, m_index)
  m = args{m_index};
end

function three_outputs (simulate, args)
  [a, b, c] = simulate (args{:});
end
