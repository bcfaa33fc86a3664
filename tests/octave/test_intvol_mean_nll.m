function test_intvol_mean_nll ()
  % Results, derivatives, edges and refusals of intvol_mean_nll in the real host, power 1.
  mean_likelihood_tests ('intvol', [0.05; 0.1], ...
                         @(m, distribution) {1, 1, 1, m, 1, 1, distribution});
end
