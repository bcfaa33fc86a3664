function test_logvol_simulate ()
  % Paths of logvol_simulate against logvol_filter in the real host, its bounds, and its
  % refusals.
  % p, o, q, parameters, upper bound: orders 1, others, the floor, a finite ceiling and an
  % exponential that overflows into it.
  cases = {
    1, 1, 1, [0.02; 0.1; -0.06; 0.95], 1e4
    1, 0, 1, [-0.01; 0.15; 0.9], 1e4
    2, 1, 3, [0.01; 0.1; 0.05; -0.05; 0.5; 0.2; 0.1], 1e4
    0, 0, 1, [-20; 0.5], 1e4
    1, 1, 1, [1.5; 0.3; 0.1; 0.5], 3
    0, 1, 0, [800; 0.1], 50
  };
  for i = 1:rows (cases)
    [p, o, q, theta, U] = cases{i, :};
    m = max ([p, o, q, 1]);
    what = sprintf ('logvol_simulate, orders %d %d %d, parameters %s', p, o, q, mat2str (theta'));
    expect_simulation (@logvol_simulate, ...
                       @(x) logvol_filter (x, theta, -0.1, U, p, o, q, m, numel (x)), ...
                       {theta, -0.1, U, p, o, q, m}, m, what);
  end
  % The floor and the ceiling bound every variance.
  [~, ht] = logvol_simulate (randn (50, 20), randn (3, 1), [-20; 0.5], 0, 1, 0, 0, 1, 1);
  expect_bits (ht, repmat (1e-4, 50, 20), 'logvol_simulate: the floor');
  [~, ht] = logvol_simulate (randn (50, 20), randn (3, 1), [800; 0.1], 0, 50, 0, 1, 0, 1);
  expect_bits (ht, repmat (50, 50, 20), 'logvol_simulate: an overflow into the ceiling');
  expect_simulation_refusals (@logvol_simulate, ...
                              {randn(5, 3), randn(4, 1), [0; 0.1; 0.9], 0, 100, 1, 0, 1, 2}, ...
                              9, 'Nine inputs required.', ...
                              'p, o and q');
  expect_error (@() logvol_simulate (randn (5, 3), randn (4, 1), [0; 0.1; 0.9], [], 100, ...
                                     1, 0, 1, 2), 'Input backcast must have at least 1 element.');
end
