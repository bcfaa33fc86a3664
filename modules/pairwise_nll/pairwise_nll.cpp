// nll = pairwise_nll(covariance, data, pairs)
#include <algorithm>
#include <cstdint>

#include "gateway.hpp"
#include "kernels.hpp"

namespace {

enum Input { kCovariance, kData, kPairs, kInputCount };

}  // namespace

VOLFILTER_ENTRY void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gw = volfilter::gateway;
  gw::check_counts(nlhs, nrhs, kInputCount, "Three inputs required.");

  const double* covariance = gw::data_of(prhs[kCovariance], "covariance");
  const double* data = gw::data_of(prhs[kData], "data");
  const double* pairs = gw::data_of(prhs[kPairs], "pairs");
  const std::uint64_t data_rows = gw::rows_of(prhs[kData]);
  const std::uint64_t data_columns = gw::columns_of(prhs[kData]);
  const std::uint64_t pair_count = gw::rows_of(prhs[kPairs]);

  // K, the number of variables, is the data's longer side; a square data input (1-by-1
  // included) is a K-by-K matrix, anything else a vector of K values.
  const std::uint64_t dim_large = std::max(data_rows, data_columns);
  const std::uint64_t dim_small = std::min(data_rows, data_columns);

  // Only the pairs' own elements are read, so an empty pair list needs nothing.
  if (pair_count > 0) {
    const std::uint64_t K = dim_large;
    gw::require_elements(prhs[kCovariance], "covariance", gw::multiply_counts(K, K));
    gw::require_elements(prhs[kData], "data",
                         dim_large == dim_small ? gw::multiply_counts(K, K) : K);
    gw::require(gw::columns_of(prhs[kPairs]) >= 2, "Input pairs must have at least two columns.");
    gw::require_indices(pairs, gw::multiply_counts(pair_count, 2), K,
                        "Input pairs must hold indices from 1 to the size of data.");
  }

  gw::CallArrays arrays(plhs);
  const auto nll = arrays.output(0, 1, 1);
  arrays.create();
  volfilter::pairwise_kernel(covariance, data, pairs, pair_count, dim_large, dim_small,
                             arrays.data(nll));
}
