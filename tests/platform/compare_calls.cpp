// compare_calls REFERENCE CANDIDATE [MODULES]
//
// Holds the shared-call results of one platform (CANDIDATE) against another's (REFERENCE)
// and reports, module by module, how many values differ and by how many units in the last
// place. Exits 1 when a module differs by more than its table allows. MODULES, a
// comma-separated list, names the modules the candidate's build has: the reference's others
// (a module that needs a library the candidate's platform lacks) are left out, and said so.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include "call_records.hpp"

namespace {

volfilter::platform::Results read(const char* path) {
  std::ifstream input(path, std::ios::binary);
  if (!input) {
    throw std::runtime_error(std::string("cannot read ") + path);
  }
  return volfilter::platform::parse_results(input);
}

// The reference's results of the modules in `built` only.
volfilter::platform::Results only(volfilter::platform::Results results, const std::string& built) {
  std::set<std::string> modules;
  std::stringstream list(built);
  for (std::string module; std::getline(list, module, ',');) {
    modules.insert(module);
  }
  std::set<std::string> left_out;
  for (const auto& [module, ulps] : results.tolerance) {
    if (modules.count(module) == 0) {
      left_out.insert(module);
    }
  }
  for (const std::string& module : left_out) {
    std::cout << module << ": not built for this platform, not compared\n";
    results.tolerance.erase(module);
  }
  auto& records = results.records;
  records.erase(
      std::remove_if(records.begin(), records.end(),
                     [&](const auto& record) { return left_out.count(record.module) > 0; }),
      records.end());
  return results;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: compare_calls REFERENCE CANDIDATE [MODULES]\n";
    return 2;
  }
  try {
    volfilter::platform::Results reference = read(argv[1]);
    if (argc == 4) {
      reference = only(reference, argv[3]);
    }
    const auto reports = volfilter::platform::compare_results(reference, read(argv[2]));
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
