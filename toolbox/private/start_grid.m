function [news, persistence] = start_grid ()
% [news, persistence] = start_grid ()
% The nine candidate start points of every model as two rows: the news coefficient 0.03,
% 0.08 or 0.15 by the persistence 0.85, 0.95 or 0.99.
news = [0.03, 0.03, 0.03, 0.08, 0.08, 0.08, 0.15, 0.15, 0.15];
persistence = [0.85, 0.95, 0.99, 0.85, 0.95, 0.99, 0.85, 0.95, 0.99];
end
