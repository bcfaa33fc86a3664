% run_demos
% Runs the estimation demonstrations: the threshold GARCH model with threshvol_filter, then
% the exponential GARCH model with logvol_filter when that module is built.
demo_threshvol ();
if (exist ('logvol_filter') == 3)
  demo_logvol ();
else
  disp ('demo_logvol skipped: logvol_filter is not built.');
end
