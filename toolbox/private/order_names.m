function names = order_names (family, count)
% names = order_names (family, count)
% Column of the parameter names of one family of lags: {'alpha1'; 'alpha2'; ...}.
names = cell (count, 1);
for i = 1:count
  names{i} = sprintf ('%s%d', family, i);
end
end
