function summary = panel_summary (fit)
% summary = panel_summary (fit)
% What demo_panel keeps of a fit, one column: the estimates, both kinds of standard error
% and whether it converged. Workers send back this column rather than the whole result,
% whose series (ht, std_residuals, scores) would cost more to pass between processes than
% the fit itself.
summary = [fit.parameters; fit.std_errors; fit.robust_std_errors; fit.converged];
end
