function test_logvol_mean_nll ()
  % Results, derivatives, edges and refusals of logvol_mean_nll in the real host.
  mean_likelihood_tests ('logvol', [0.02; 0.1; -0.06; 0.95], ...
                         @(m, distribution) {0, 1e4, 1, 1, 1, m, distribution});
end
