function names = fit_names (codes)
% names = fit_names (codes)
% Names returned by the estimation modules as rows of character codes, as a column cell of
% char.
if isempty (codes)
  names = cell (size (codes, 1), 1);
  return;
end
names = cellstr (char (codes));
end
