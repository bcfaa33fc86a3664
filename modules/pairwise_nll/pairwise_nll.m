% nll = pairwise_nll (covariance, data, pairs)
% Pairwise likelihood: average bivariate normal negative log-likelihood over index pairs.
%
% Inputs, all real double arrays:
%   covariance  K-by-K symmetric matrix whose 2-by-2 blocks on the listed pairs are
%               positive definite.
%   data        a K-vector x (row or column), or a K-by-K matrix S such as x*x'; a square
%               input (1-by-1 included) is read as a matrix, anything else as a vector of
%               K values, K being the larger of its two dimensions.
%   pairs       n-by-2 matrix of indices between 1 and K, one pair (a, b) per row.
%
% Output:
%   nll         1-by-1: the average over the n pairs, 0 when there are none.
%
% Model, for each pair with the 2-by-2 block C2 of covariance on rows and columns a, b:
%   term = 0.5 * (log(det(C2)) + c + q2),  c = 3.67575413281869 (2*log(2*pi), 15 digits)
%   q2 = x2' * inv(C2) * x2 for vector data, trace(inv(C2) * S2) for matrix data
%   nll = sum of term/n over the pairs, in row order.
% Each term is divided by n before it is added, and products are rounded one at a time (no
% fused multiply-add). A block that is not positive definite, or a pair with equal
% indices, gives NaN or -Inf.
%
% Indices are truncated toward zero (2.9 acts as 2).
%
% Errors:
%   "Three inputs required."  the number of inputs is not three.
%   "One output only."        more than one output requested.
% Calls that would read outside an array, and inputs of a kind the module cannot read,
% are refused before any array is made; the sizes and indices are checked only when pairs
% has at least one row:
%   "Input covariance must have at least N elements." (likewise data; "at least 1
%       element." when N is 1)
%   "Input pairs must have at least two columns."
%   "Input pairs must hold indices from 1 to the size of data."
%   "Input data must be a real double array." (likewise covariance, pairs)
%       when the input is not a real full double array (integers, single, logical, char,
%       complex, sparse or cell).
%
% Example, two variables and one pair:
%   nll = pairwise_nll ([2 0.5; 0.5 1], [1; 2], [1 2])
%
% See also lagreg_residuals.
