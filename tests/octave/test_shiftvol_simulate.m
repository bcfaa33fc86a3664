function test_shiftvol_simulate ()
  % Paths of shiftvol_simulate against shiftvol_filter in the real host, and its refusals.
  % p, q, type, parameters: orders 1 (the lanes' registers) and others (their rings).
  cases = {
    1, 1, 1, [0.05; 0.08; 0.3; 0.85]
    1, 1, 0, [0.05; 0.07; 0.5; 0.8]
    2, 2, 0, [0.05; 0.05; 0.03; 0.4; 0.5; 0.3]
    3, 1, 1, [0.1; 0.03; 0.03; 0.02; -0.2; 0.8]
  };
  for i = 1:rows (cases)
    [p, q, type, theta] = cases{i, :};
    m = max ([p, q, 1]);
    what = sprintf ('shiftvol_simulate, orders %d %d, type %d', p, q, type);
    expect_simulation (@shiftvol_simulate, ...
                       @(x) shiftvol_filter (x, theta, 0.9, p, q, m, numel (x), type), ...
                       {theta, 0.9, p, q, m, type}, m, what);
  end
  expect_simulation_refusals (@shiftvol_simulate, ...
                              {randn(5, 3), randn(4, 1), [0.1; 0.1; 0.2; 0.8], 1, 1, 1, 2, 1}, ...
                              7, 'Eight inputs required.', ...
                              'p and q');
end
