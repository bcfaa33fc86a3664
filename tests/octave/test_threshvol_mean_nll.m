function test_threshvol_mean_nll ()
  % Results, derivatives, edges and refusals of threshvol_mean_nll in the real host.
  mean_likelihood_tests ('threshvol', [0.05; 0.08; 0.06; 0.85], ...
                         @(m, distribution) {1, 1, 1, 1, m, 2, distribution});
end
