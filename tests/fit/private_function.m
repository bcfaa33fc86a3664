function handle = private_function (name)
  % handle = private_function (name)
  % A handle to NAME, one of volfilter_fit's private helpers, for tests of the helper
  % itself: private functions can be called only from their parent folder, so the file is
  % copied to a temporary folder put on the path.
  source = fullfile (fileparts (which ('volfilter_fit')), 'private', [name '.m']);
  folder = tempname ();
  mkdir (folder);
  copyfile (source, folder);
  addpath (folder);
  handle = str2func (name);
end
