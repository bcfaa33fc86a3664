function grid = start_grid (make)
% grid = start_grid (make)
% Candidate start values, one column each: MAKE (news, persistence) for the news
% coefficient 0.03, 0.08 or 0.15 and the persistence 0.85, 0.95 or 0.99 of the model.
grid = [];
for news = [0.03, 0.08, 0.15]
  for persistence = [0.85, 0.95, 0.99]
    grid = [grid, make(news, persistence)]; %#ok<AGROW>
  end
end
end
