function expect_likelihood_refusals (nll_module, args, m_index, count_message)
  % expect_likelihood_refusals (nll_module, args, m_index, count_message)
  % The refusals every likelihood module shares, from the served normal call ARGS (e first,
  % parameters second, backcast third, m at M_INDEX, the distribution last; m > 0 and the
  % parameters exactly k): counts first, then each input outside the contract.
  k = numel (args{2});
  T = numel (args{1});
  expect_error (@() nll_module (args{1:end-1}), count_message);
  expect_error (@() nll_module (args{:}, 0), count_message);
  expect_error (@() five_outputs (nll_module, args), 'At most four outputs.');
  expect_error (@() five_outputs (nll_module, args(1:end-1)), count_message);

  cases = {
    1, reshape(args{1}(1:4), 2, 2), 'Input e must be a vector.'
    1, [args{1}(1:end-1); NaN], 'Input e must hold finite values.'
    1, [-Inf; args{1}(2:end)], 'Input e must hold finite values.'
    1, int32(args{1}), 'Input e must be a real double array.'
    1, single(args{1}), 'Input e must be a real double array.'
    1, complex(args{1}), 'Input e must be a real double array.'
    2, args{2}(1:k-1), sprintf('Input parameters must have at least %d elements.', k)
    2, sparse(args{2}), 'Input parameters must be a real double array.'
    3, [], 'Input backcast must have at least 1 element.'
    m_index, -1, 'Input m must not be negative.'
    m_index, T + 1, 'Input m must not exceed T.'
    m_index, NaN, 'Input m must be a finite number within the range of a 32-bit integer.'
    numel(args), 2, 'Input distribution must be 0 (normal) or 1 (Student''s t).'
    numel(args), -1, 'Input distribution must be 0 (normal) or 1 (Student''s t).'
    numel(args), Inf, 'Input distribution must be a finite number within the range of a 32-bit integer.'
    numel(args), [], 'Input distribution must not be empty.'
    % Student's t without nu.
    numel(args), 1, sprintf('Input parameters must have at least %d elements.', k + 1)
  };
  for i = 1:rows (cases)
    changed = args;
    changed{cases{i, 1}} = cases{i, 2};
    expect_error (@() nll_module (changed{:}), cases{i, 3});
  end
  % The scalars are read, in input order, before e is looked at.
  changed = args;
  changed{1}(2) = NaN;
  changed{m_index} = -1;
  expect_error (@() nll_module (changed{:}), 'Input m must not be negative.');
end

function five_outputs (nll_module, args)
  [a, b, c, d, f] = nll_module (args{:});
end
