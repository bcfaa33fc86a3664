// Calls an installed kernel with no host at all and checks the result to the last bit.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "kernels.hpp"

int main() {
  // Threshold GARCH(1,1,1), power 1: the recursion runs on standard deviations 2 and 2.5
  // and squares them at the end; the pre-sample entry stays as given.
  const double data[] = {1.0, 2.0, 7.0};
  const double asym_data[] = {2.0, 4.0, 9.0};
  const double parameters[] = {0.5, 0.25, 0.125, 0.5};
  const double backcast = 2.0;
  double ht[3] = {};
  volfilter::threshvol_kernel(data, asym_data, parameters, &backcast, 1, 1, 1, 1, 3, 1, ht);

  const double expected[] = {2.0, 4.0, 6.25};
  if (std::memcmp(ht, expected, sizeof ht) != 0) {
    std::printf("threshvol_kernel: got %.17g %.17g %.17g, expected 2 4 6.25\n", ht[0], ht[1],
                ht[2]);
    return 1;
  }
  std::printf("threshvol_kernel from the installed package: %g %g %g\n", ht[0], ht[1], ht[2]);
  return 0;
}
