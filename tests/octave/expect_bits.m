function expect_bits (actual, expected, what)
  % EXPECT_BITS  Fails unless ACTUAL and EXPECTED have the same shape and the same bits.
  if (! isequal (size (actual), size (expected)))
    error ('%s: size %s, expected %s', what, mat2str (size (actual)), mat2str (size (expected)));
  end
  if (! isequal (typecast (actual(:), 'uint64'), typecast (expected(:), 'uint64')))
    error ('%s: got %s, expected %s', what, mat2str (actual, 17), mat2str (expected, 17));
  end
end
