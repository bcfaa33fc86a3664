function [args, expected, output] = module_example (name)
  % [args, expected, output] = module_example (name)
  % A worked call of each module and the exact value of its output number OUTPUT (the first
  % unless said), to tell a working build from a broken one wherever the modules were
  % compiled (by CMake, by pkg, by volfilter_build).
  output = 1;
  switch (name)
    case 'threshvol_filter'
      % Power 1: the recursion feeds back unsquared values (2 and 2.5), then squares them.
      args = {[1; 2; 7], [2; 4; 9], [0.5; 0.25; 0.125; 0.5], 2, 1, 1, 1, 1, 3, 1};
      expected = [2; 4; 6.25];
    case 'logvol_filter'
      % The finite ceiling: exp(5) > 100 gives 100 plus the log variance 5.
      args = {[1; 2], 5, 0, 100, 0, 0, 0, 1, 2};
      expected = [1; 105];
    case 'shiftvol_filter'
      % Constant, then both shifted-square lags in order, then the variance lag: any other
      % order of the additions gives 1.3 or 1.3000000000000003.
      args = {[9; 9; 0.5], [0.1; 0.2; 0.1; 1.0; 0.6], 1, 2, 1, 2, 3, 1};
      expected = [1; 1; 1.2999999999999998];
    case 'intvol_filter'
      % Implied last coefficient 0.75.
      args = {[4; 8; 99], [0.5; 0.25], 2, 1, 1, 1, 3, 2, 1};
      expected = [2; 3; 4.75];
    case 'lagreg_residuals'
      % The moving-average term feeds back the unscaled residual 2, not the scaled 1.
      args = {0.5, zeros(0, 1), 1, 0, [1; 2; 3], zeros(3, 0), 1, [1; 2; 2]};
      expected = [0; 1; 1];
    case 'pairwise_nll'
      % det 1.75, quadratic term 4, and the constant 2*log(2*pi) as written to 15 digits.
      args = {[2 0.5; 0.5 1], [1; 2], [1 2]};
      expected = ((log (1.75) + hex2num ('400D67F1C864BEB2')) + 4) * 0.5 / 1;
    case 'threshvol_nll'
      % Power 1 on abs(e): s = 0.5 + 0.5 * 3 = 2, so ht = 4, and the first observation is
      % conditioned on. log(2*pi) is the double nearest to it, not log of the double 2*pi.
      args = {[-3; 2], [0.5; 0.5], 1, 1, 0, 0, 1, 1, 0};
      expected = 0.5 * (hex2num ('3FFD67F1C864BEB5') + (log (4) + 1));
    case 'logvol_nll'
      % ht = exp(0) = 1 and e = 0 for the one modelled observation: nll = ln(2 pi) / 2,
      % which shows the constant's last bit.
      args = {[7; 0], 0, 0, 100, 0, 0, 0, 1, 0};
      expected = 0.5 * hex2num ('3FFD67F1C864BEB5');
    case 'shiftvol_nll'
      % ht = 1 + 0.5 * 2 = 2 from the pre-sample shifted square gamma^2 + backcast = 2.
      args = {[3; 2], [1; 0.5; 1], 1, 1, 0, 1, 1, 0};
      expected = 0.5 * (hex2num ('3FFD67F1C864BEB5') + (log (2) + 2));
    case 'intvol_nll'
      % ht = 1 + 1 * 1 = 2, the implied coefficient 1 on the one lag.
      args = {[9; 2], 1, 1, 0, 1, 1, 2, 1, 0};
      expected = 0.5 * (hex2num ('3FFD67F1C864BEB5') + (log (2) + 2));
    case 'threshvol_simulate'
      % After the history (4, 2.5): variances 6.25, then 0.5 + 0.5 * 25 + 0.25 * 6.25.
      args = {[2; 1], [4; 2.5], [0.5; 0.5; 0.25], 8, 1, 0, 1, 1, 2};
      expected = [5; sqrt(14.5625)];
    case 'logvol_simulate'
      % The finite ceiling: exp(5) > 100 gives 100 plus the log variance 5.
      args = {1, 1, 5, 0, 100, 0, 0, 0, 1};
      expected = sqrt (105);
    case 'shiftvol_simulate'
      % shiftvol_filter's order of additions, continued: the pre-sample shifted squares.
      args = {1, [9; 9], [0.1; 0.2; 0.1; 1.0; 0.6], 1, 2, 1, 2, 1};
      expected = sqrt (1.2999999999999998);
    case 'intvol_simulate'
      % Implied last coefficient 0.75: 0.5 + 9 * 0.25 + 0.75 * 3 after the history (2, -3).
      args = {2, [2; -3], [0.5; 0.25], 2, 1, 1, 1, 2, 1};
      expected = 2 * sqrt (5);
    case 'volfilter_plan'
      % The bounds of a GARCH(1,1) of [1; -1; 2; -2], mean square 2.5: omega within 1e-8 and
      % 10 times it, scaled by its start value; alpha and beta in [0, 1].
      args = {0, [1; -1; 2; -2], 1, 0, 1, 2, 1, 0, 1, 1, [], [], []};
      expected = [1e-8 * 2.5, 25, 2.5, 1; 0, 1, 1, 0; 0, 1, 1, 0];
      output = 2;
    case 'volfilter_estimate'
      % A constant variance (no lags) of a series of mean square 2.5: every candidate start
      % is omega = 2.5 (the seventh output; the estimate itself is the optimiser's).
      series = repmat ([1; -1; 2; -2], 3, 1);
      args = {0, series, 0, 0, 0, 2, 1, 0, 0, 1, [], [], [], 1000, 1};
      expected = 2.5;
      output = 7;
    otherwise
      error ('module_example: no worked call for %s; add one here', name);
  end
end
