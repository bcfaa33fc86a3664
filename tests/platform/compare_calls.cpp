// compare_calls REFERENCE CANDIDATE
//
// Holds the shared-call results of one platform (CANDIDATE) against another's (REFERENCE)
// and reports, module by module, how many values differ and by how many units in the last
// place. Exits 1 when a module differs by more than its table allows.
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "call_records.hpp"

namespace {

volfilter::platform::Results read(const char* path) {
  std::ifstream input(path, std::ios::binary);
  if (!input) {
    throw std::runtime_error(std::string("cannot read ") + path);
  }
  return volfilter::platform::parse_results(input);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: compare_calls REFERENCE CANDIDATE\n";
    return 2;
  }
  try {
    const auto reports = volfilter::platform::compare_results(read(argv[1]), read(argv[2]));
    bool passed = !reports.empty();
    for (const auto& report : reports) {
      std::cout << report.module << ": " << report.calls << " calls, " << report.values
                << " values, ";
      if (report.differing == 0) {
        std::cout << "bit-identical";
      } else {
        std::cout << report.differing << " differ (";
        const char* separator = "";
        for (const auto& [ulps, count] : report.ulp_counts) {
          std::cout << separator << count << " by " << ulps << " ULP"
                    << (ulps == 0 ? ": NaN or zero of the other sign" : "");
          separator = ", ";
        }
        std::cout << ")";
      }
      std::cout << "; allowed " << report.tolerance << " ULP"
                << (report.failures.empty() ? "" : ": FAILED") << '\n';
      for (const std::string& failure : report.failures) {
        std::cout << "  " << failure << '\n';
      }
      passed = passed && report.failures.empty();
    }
    return passed ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "compare_calls: " << error.what() << '\n';
    return 2;
  }
}
