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

// An output from its two fields, the shape and the bits.
Output parse_output(const std::string& shape_field, const std::string& bits_field) {
  Output output;
  char separator = 0;
  std::istringstream shape(shape_field);
  shape >> output.rows >> separator >> output.columns;
  if (!shape || separator != 'x') {
    throw std::invalid_argument("bad shape");
  }
  std::istringstream values(bits_field);
  values >> std::hex;
  std::uint64_t bits = 0;
  while (values >> bits) {
    output.bits.push_back(bits);
  }
  if (!values.eof() || output.bits.size() != output.rows * output.columns) {
    throw std::invalid_argument("bad values");
  }
  return output;
}

std::string output_fields(std::uint64_t rows, std::uint64_t columns,
                          const std::vector<std::uint64_t>& bits) {
  std::string fields = std::to_string(rows) + "x" + std::to_string(columns) + "\t";
  for (std::size_t i = 0; i < bits.size(); ++i) {
    fields += (i == 0 ? "" : " ") + hex(bits[i]);
  }
  return fields;
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
  if (fields.at(2) != "result" || fields.size() < 5 || fields.size() % 2 == 0) {
    throw std::invalid_argument("neither a result nor a refusal");
  }
  Output first = parse_output(fields[3], fields[4]);
  record.rows = first.rows;
  record.columns = first.columns;
  record.bits = std::move(first.bits);
  for (std::size_t i = 5; i < fields.size(); i += 2) {
    record.further.push_back(parse_output(fields[i], fields[i + 1]));
  }
  return record;
}

std::string describe_value(std::size_t index, std::uint64_t expected, std::uint64_t actual) {
  return "element " + std::to_string(index) + ": " + hex(actual) + ", reference " + hex(expected);
}

// Holds the values of one output against the reference's, counting each that differs.
void compare_values(const std::string& where, const std::vector<std::uint64_t>& expected,
                    const std::vector<std::uint64_t>& actual, ModuleReport& report) {
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ++report.values;
    if (expected[i] == actual[i]) {
      continue;
    }
    ++report.differing;
    const std::uint64_t ulps = ulp_distance(expected[i], actual[i]);
    ++report.ulp_counts[ulps];
    // With no tolerance the bits must agree, even where the distance is 0 (+0 and -0, two
    // different NaNs).
    if (report.tolerance == 0 || ulps > static_cast<std::uint64_t>(report.tolerance)) {
      report.failures.push_back(where + describe_value(i, expected[i], actual[i]));
    }
  }
}

std::string shape_text(std::uint64_t rows, std::uint64_t columns) {
  return std::to_string(rows) + "x" + std::to_string(columns);
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
  if (expected.further.size() != actual.further.size()) {
    report.failures.push_back(where + std::to_string(actual.further.size() + 1) +
                              " outputs, reference " + std::to_string(expected.further.size() + 1));
    return;
  }
  std::vector<Output> expected_outputs{{expected.rows, expected.columns, expected.bits}};
  std::vector<Output> actual_outputs{{actual.rows, actual.columns, actual.bits}};
  expected_outputs.insert(expected_outputs.end(), expected.further.begin(), expected.further.end());
  actual_outputs.insert(actual_outputs.end(), actual.further.begin(), actual.further.end());
  for (std::size_t k = 0; k < expected_outputs.size(); ++k) {
    const Output& reference = expected_outputs[k];
    const Output& candidate = actual_outputs[k];
    const std::string output = k == 0 ? where : where + "output " + std::to_string(k + 1) + ", ";
    if (reference.rows != candidate.rows || reference.columns != candidate.columns) {
      report.failures.push_back(output + "shape " + shape_text(candidate.rows, candidate.columns) +
                                ", reference " + shape_text(reference.rows, reference.columns));
      continue;
    }
    compare_values(output, reference.bits, candidate.bits, report);
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
  line += "result\t" + output_fields(record.rows, record.columns, record.bits);
  for (const Output& output : record.further) {
    line += "\t" + output_fields(output.rows, output.columns, output.bits);
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
