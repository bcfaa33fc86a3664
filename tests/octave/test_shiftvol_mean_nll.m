function test_shiftvol_mean_nll ()
  % Results, derivatives, edges and refusals of shiftvol_mean_nll in the real host, the scaled
  % shift.
  mean_likelihood_tests ('shiftvol', [0.05; 0.08; 0.3; 0.85], ...
                         @(m, distribution) {1, 1, 1, m, 0, distribution});
end
