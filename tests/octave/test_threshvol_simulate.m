function test_threshvol_simulate ()
  % Paths of threshvol_simulate against threshvol_filter in the real host, and its refusals.
  % p, o, q, type, parameters: orders 1 (the lanes' registers) and others (their rings).
  cases = {
    1, 0, 1, 2, [0.05; 0.1; 0.85]
    1, 1, 1, 2, [0.05; 0.05; 0.1; 0.8]
    1, 1, 1, 1, [0.04; 0.06; 0.05; 0.85]
    2, 1, 2, 2, [0.1; 0.05; 0.04; 0.06; 0.5; 0.3]
    0, 2, 3, 1, [0.02; 0.04; 0.03; 0.4; 0.3; 0.2]
  };
  for i = 1:rows (cases)
    [p, o, q, type, theta] = cases{i, :};
    m = max ([p, o, q, 1]);
    b = 0.8 + 0.2 * (type == 1);
    what = sprintf ('threshvol_simulate, orders %d %d %d, type %d', p, o, q, type);
    expect_simulation (@threshvol_simulate, @(x) filter_of (x, theta, b, p, o, q, m, type), ...
                       {theta, b, p, o, q, m, type}, m, what);
  end
  expect_simulation_refusals (@threshvol_simulate, ...
                              {randn(5, 3), randn(4, 1), [0.1; 0.1; 0.8], 1, 1, 0, 1, 2, 2}, ...
                              8, 'Nine inputs required.', ...
                              'p, o and q');
end

function h = filter_of (x, theta, b, p, o, q, m, type)
  if (type == 1)
    d = abs (x);
  else
    d = x .* x;
  end
  h = threshvol_filter (d, d .* (x < 0), theta, b, p, o, q, m, numel (x), type);
end
