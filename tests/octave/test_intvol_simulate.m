function test_intvol_simulate ()
  % Paths of intvol_simulate against intvol_filter in the real host, and its refusals.
  % p, q, type, has_constant, parameters: orders 1 (the lanes' registers) and others.
  cases = {
    1, 1, 2, 1, [0.02; 0.1]
    1, 1, 1, 1, [0.02; 0.12]
    2, 3, 2, 0, [0.05; 0.04; 0.5; 0.2]
    0, 2, 1, 1, [0.01; 0.6]
  };
  for i = 1:rows (cases)
    [p, q, type, constant, theta] = cases{i, :};
    m = max (p, q);
    what = sprintf ('intvol_simulate, orders %d %d, type %d, constant %d', p, q, type, constant);
    expect_simulation (@intvol_simulate, @(x) filter_of (x, theta, p, q, m, type, constant), ...
                       {theta, 1, p, q, m, type, constant}, m, what);
  end
  args = {randn(5, 3), randn(4, 1), [0.1; 0.1], 1, 1, 1, 2, 2, 1};
  expect_simulation_refusals (@intvol_simulate, args, 7, 'Nine inputs required.', 'p and q');
  args{6} = 0;
  expect_error (@() intvol_simulate (args{:}), 'Input q must be at least 1.');
end

function h = filter_of (x, theta, p, q, m, type, constant)
  if (type == 1)
    d = abs (x);
  else
    d = x .* x;
  end
  h = intvol_filter (d, theta, 1, p, q, m, numel (x), type, constant);
end
