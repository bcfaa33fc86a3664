// The results of the shared calls as text, one call per line, values as the hexadecimal bits
// of each double (no decimal formatting, which differs between C libraries), and the
// comparison of two such files: bit for bit, or within the units in the last place that a
// module's table allows.
//
//   tolerance <TAB> module <TAB> ulps
//   module <TAB> label <TAB> result <TAB> ROWSxCOLUMNS <TAB> bits bits ...
//   module <TAB> label <TAB> refused <TAB> message
//
// A call that returns more than one output has a further ROWSxCOLUMNS <TAB> bits pair on
// its result line for each output after the first, in slot order.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace volfilter::platform {

// An output of a served call after the first.
struct Output {
  std::uint64_t rows = 0;
  std::uint64_t columns = 0;
  std::vector<std::uint64_t> bits;
};

struct Record {
  std::string module;
  std::string label;
  bool refused = false;
  std::string message;
  std::uint64_t rows = 0;  // the first output
  std::uint64_t columns = 0;
  std::vector<std::uint64_t> bits;
  std::vector<Output> further;  // the outputs after it
};

struct Results {
  std::map<std::string, int> tolerance;  // by module
  std::vector<Record> records;
};

std::string tolerance_line(const std::string& module, int ulps);
std::string record_line(const Record& record);

// Reads a results file; throws std::runtime_error naming the line that does not parse.
Results parse_results(std::istream& input);

// Units in the last place between two doubles given as bits: the number of doubles from one
// to the other, with +0 and -0 counted as one point. Two NaNs are 0 apart, a NaN and a number
// infinitely far (the largest value).
std::uint64_t ulp_distance(std::uint64_t a, std::uint64_t b);

struct ModuleReport {
  std::string module;
  int tolerance = 0;
  std::size_t calls = 0;
  std::size_t values = 0;
  std::size_t differing = 0;                        // values whose bits differ
  std::map<std::uint64_t, std::size_t> ulp_counts;  // how many differ by how many ULP
  std::vector<std::string> failures;
};

// Holds `candidate` against `reference`, module by module. A module fails when a call is
// missing on either side, refused on one side only or with another message, of another
// shape or number of outputs, or has a value that differs: at all when the module's tolerance
// is 0 (bit-identical,
// the sign of zero and NaN payloads included), by more than the tolerance otherwise.
std::vector<ModuleReport> compare_results(const Results& reference, const Results& candidate);

}  // namespace volfilter::platform
