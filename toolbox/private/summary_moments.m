function [lines, moments] = summary_moments (fit)
% [lines, moments] = summary_moments (fit)
% The summary's line on what the fitted model implies, and the same as a struct: the
% persistence, the half-life log(0.5) / log(persistence) and the unconditional variance
% where the model defines them, all from model_moments (the one source of each model's
% moments). A model that has none (a struct that is not a fit, parameters that are not
% numbers) gives no line and an empty struct.
lines = {};
moments = struct ();
try
  implied = model_moments (fit);
catch
  return;
end
if ~(isfinite (implied.persistence))
  return;
end
moments = struct ('persistence', implied.persistence, 'half_life', implied.half_life, ...
                  'unconditional_variance', implied.unconditional_variance, ...
                  'unconditional_level', implied.unconditional_level);
text = sprintf ('  persistence %.4f', implied.persistence);
if isfinite (implied.half_life)
  text = [text, sprintf('   half-life %.1f steps', implied.half_life)];
elseif implied.persistence >= 1
  text = [text, '   not stationary: no half-life'];
end
if isfinite (implied.unconditional_variance)
  text = [text, sprintf('   unconditional variance %.4g', implied.unconditional_variance)];
elseif isfinite (implied.unconditional_level)
  if strcmp (fit.model, 'logvol')
    text = [text, sprintf('   unconditional E[log h] %.4g', implied.unconditional_level)];
  else
    text = [text, sprintf('   unconditional E[sqrt h] %.4g', implied.unconditional_level)];
  end
end
lines = {text};
end
