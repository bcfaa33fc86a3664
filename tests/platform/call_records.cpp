#include "call_records.hpp"

#include <cstdio>
#include <istream>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace volfilter::platform {

namespace {

constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
constexpr std::uint64_t kExponent = 0x7ff0000000000000;
constexpr std::uint64_t kMantissa = 0x000fffffffffffff;

bool is_nan(std::uint64_t bits) {
  return (bits & kExponent) == kExponent && (bits & kMantissa) != 0;
}

std::vector<std::string> split_tabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  while (true) {
    const std::string::size_type tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) {
      return fields;
    }
    start = tab + 1;
  }
}

std::string hex(std::uint64_t bits) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
  return text;
}

Record parse_record(const std::vector<std::string>& fields) {
  Record record;
  record.module = fields.at(0);
  record.label = fields.at(1);
  if (fields.at(2) == "refused" && fields.size() == 4) {
    record.refused = true;
    record.message = fields[3];
    return record;
  }
  if (fields.at(2) != "result" || fields.size() != 5) {
    throw std::invalid_argument("neither a result nor a refusal");
  }
  char separator = 0;
  std::istringstream shape(fields[3]);
  shape >> record.rows >> separator >> record.columns;
  if (!shape || separator != 'x') {
    throw std::invalid_argument("bad shape");
  }
  std::istringstream values(fields[4]);
  values >> std::hex;
  std::uint64_t bits = 0;
  while (values >> bits) {
    record.bits.push_back(bits);
  }
  if (!values.eof() || record.bits.size() != record.rows * record.columns) {
    throw std::invalid_argument("bad values");
  }
  return record;
}

std::string describe_value(std::size_t index, std::uint64_t expected, std::uint64_t actual) {
  return "element " + std::to_string(index) + ": " + hex(actual) + ", reference " + hex(expected);
}

void compare_call(const Record& expected, const Record& actual, ModuleReport& report) {
  const std::string where = expected.label + ": ";
  if (expected.refused != actual.refused) {
    report.failures.push_back(where + (expected.refused ? "served, the reference refused it"
                                                        : "refused, the reference served it"));
    return;
  }
  if (expected.refused) {
    if (expected.message != actual.message) {
      report.failures.push_back(where + "message \"" + actual.message + "\", reference \"" +
                                expected.message + "\"");
    }
    return;
  }
  if (expected.rows != actual.rows || expected.columns != actual.columns) {
    report.failures.push_back(
        where + "shape " + std::to_string(actual.rows) + "x" + std::to_string(actual.columns) +
        ", reference " + std::to_string(expected.rows) + "x" + std::to_string(expected.columns));
    return;
  }
  for (std::size_t i = 0; i < expected.bits.size(); ++i) {
    ++report.values;
    if (expected.bits[i] == actual.bits[i]) {
      continue;
    }
    ++report.differing;
    const std::uint64_t ulps = ulp_distance(expected.bits[i], actual.bits[i]);
    ++report.ulp_counts[ulps];
    // With no tolerance the bits must agree, even where the distance is 0 (+0 and -0, two
    // different NaNs).
    if (report.tolerance == 0 || ulps > static_cast<std::uint64_t>(report.tolerance)) {
      report.failures.push_back(where + describe_value(i, expected.bits[i], actual.bits[i]));
    }
  }
}

}  // namespace

std::string tolerance_line(const std::string& module, int ulps) {
  return "tolerance\t" + module + "\t" + std::to_string(ulps);
}

std::string record_line(const Record& record) {
  std::string line = record.module + "\t" + record.label + "\t";
  if (record.refused) {
    return line + "refused\t" + record.message;
  }
  line += "result\t" + std::to_string(record.rows) + "x" + std::to_string(record.columns) + "\t";
  for (std::size_t i = 0; i < record.bits.size(); ++i) {
    line += (i == 0 ? "" : " ") + hex(record.bits[i]);
  }
  return line;
}

Results parse_results(std::istream& input) {
  Results results;
  std::string line;
  std::size_t number = 0;
  while (std::getline(input, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty()) {
      continue;
    }
    const std::vector<std::string> fields = split_tabs(line);
    try {
      if (fields.at(0) == "tolerance" && fields.size() == 3) {
        results.tolerance[fields[1]] = std::stoi(fields[2]);
      } else {
        results.records.push_back(parse_record(fields));
      }
    } catch (const std::exception& error) {
      throw std::runtime_error("line " + std::to_string(number) + " does not parse (" +
                               error.what() + "): " + line);
    }
  }
  return results;
}

std::uint64_t ulp_distance(std::uint64_t a, std::uint64_t b) {
  if (is_nan(a) || is_nan(b)) {
    return is_nan(a) && is_nan(b) ? 0 : std::numeric_limits<std::uint64_t>::max();
  }
  // Doubles ordered as unsigned integers: negatives below 2^63 in reverse, positives above,
  // both zeros on 2^63 itself.
  auto ordered = [](std::uint64_t bits) {
    const std::uint64_t magnitude = bits & ~kSign;
    return (bits & kSign) != 0 ? kSign - magnitude : kSign + magnitude;
  };
  const std::uint64_t x = ordered(a);
  const std::uint64_t y = ordered(b);
  return x > y ? x - y : y - x;
}

std::vector<ModuleReport> compare_results(const Results& reference, const Results& candidate) {
  std::map<std::string, ModuleReport> reports;
  std::vector<std::string> order;
  auto report_of = [&](const std::string& module) -> ModuleReport& {
    auto [position, inserted] = reports.try_emplace(module);
    if (inserted) {
      position->second.module = module;
      order.push_back(module);
    }
    return position->second;
  };
  // Modules in the order of the reference file, each with its tolerance.
  for (const Record& expected : reference.records) {
    report_of(expected.module);
  }
  for (const auto& [module, ulps] : reference.tolerance) {
    ModuleReport& report = report_of(module);
    report.tolerance = ulps;
    const auto other = candidate.tolerance.find(module);
    if (other == candidate.tolerance.end() || other->second != ulps) {
      report.failures.push_back("tolerance differs between the two files");
    }
  }
  std::map<std::pair<std::string, std::string>, const Record*> candidates;
  for (const Record& record : candidate.records) {
    candidates[{record.module, record.label}] = &record;
  }
  std::map<std::pair<std::string, std::string>, bool> seen;
  for (const Record& expected : reference.records) {
    ModuleReport& report = report_of(expected.module);
    ++report.calls;
    seen[{expected.module, expected.label}] = true;
    const auto found = candidates.find({expected.module, expected.label});
    if (found == candidates.end()) {
      report.failures.push_back(expected.label + ": missing");
      continue;
    }
    compare_call(expected, *found->second, report);
  }
  for (const Record& actual : candidate.records) {
    if (seen.count({actual.module, actual.label}) == 0) {
      report_of(actual.module).failures.push_back(actual.label + ": not in the reference");
    }
  }
  std::vector<ModuleReport> ordered_reports;
  for (const std::string& module : order) {
    ordered_reports.push_back(reports[module]);
  }
  return ordered_reports;
}

}  // namespace volfilter::platform
