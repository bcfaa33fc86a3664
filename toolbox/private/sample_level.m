function [level, units] = sample_level (e, type)
% [level, units] = sample_level (e, type)
% The mean of the squared residuals in the units of a recursion of power 1 (TYPE 1: its
% square root, 'std') or power 2 (otherwise: itself, 'variance').
level = sum (e .^ 2) / numel (e);
units = 'variance';
if type == 1
  level = sqrt (level);
  units = 'std';
end
end
