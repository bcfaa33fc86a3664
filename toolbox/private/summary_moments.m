function [lines, moments] = summary_moments (fit)
% [lines, moments] = summary_moments (fit)
% The summary's lines on what the fitted model implies, and the same as a struct:
% persistence, half-life log(0.5) / log(persistence) and unconditional variance where the
% model defines them.
% Those come from the one source of each model's moments, model_moments, which is not part
% of this toolbox yet; until it is, there is nothing to print (and no formula is written a
% second time here).
lines = {};
moments = struct ();
end
