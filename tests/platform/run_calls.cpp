// shared_calls MODULE_DIR RESULTS_FILE
//
// Loads every module of the build from MODULE_DIR through this platform's stand-in host and
// makes its shared calls: each must be served or refused as its table says, with the message
// given, and leave no array alive. Writes every outcome to RESULTS_FILE as bits, for the
// comparer to hold against another platform's. Exits 1 when any check fails.
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <stdexcept>

#include "call_records.hpp"
#include "call_registry.hpp"
#include "module_host.hpp"
#include "standin_arrays.hpp"

namespace {

using volfilter::calls::Call;
using volfilter::calls::CallTable;
using volfilter::calls::ModuleCalls;
using volfilter::calls::Value;
using volfilter::platform::ModuleFile;
using volfilter::platform::Record;

// Refusals repeated in a row, to show that the error path returns to the host cleanly every
// time: nothing leaks, and the module still answers afterwards.
constexpr int kRepeatedRefusals = 10000;

mxArray* make_input(const Value& value) {
  mxArray* array = mxCreateDoubleMatrix_730(value.rows, value.columns, mxREAL);
  if (!value.values.empty()) {
    std::memcpy(mxGetPr(array), value.values.data(), value.values.size() * sizeof(double));
  }
  volfilter::standin::set_array_class(array, value.array_class);
  return array;
}

std::vector<std::uint64_t> bits_of(const mxArray* output) {
  std::vector<std::uint64_t> bits(mxGetM(output) * mxGetN(output));
  if (!bits.empty()) {
    std::memcpy(bits.data(), mxGetPr(output), bits.size() * sizeof(double));
  }
  return bits;
}

class Runner {
 public:
  explicit Runner(std::ostream& results) : results_(results) {}

  void run_module(const std::string& directory, const ModuleCalls& entry) {
    const std::string module = entry.module;
    const std::size_t failures_before = failures_;
    std::unique_ptr<ModuleFile> file;
    try {
      file = volfilter::platform::load_module(directory + "/" + module +
                                              volfilter::platform::module_extension());
    } catch (const std::exception& error) {
      fail(module, "(load)", error.what());
      return;
    }
    const CallTable table = entry.table != nullptr ? entry.table() : CallTable{module, 0, {}};
    if (table.module != module) {
      fail(module, "(table)", "the table is named " + table.module);
    }
    // Calls are matched across platforms by label.
    std::set<std::string> labels;
    for (const Call& call : table.calls) {
      if (!labels.insert(call.label).second ||
          call.label.find_first_of("\t\r\n") != std::string::npos) {
        fail(module, call.label, "label repeated or holding a tab or line break");
      }
    }
    results_ << volfilter::platform::tolerance_line(module, table.ulp_tolerance) << '\n';

    // Every module takes inputs, so a call without any is refused with the input-count
    // message, whatever the module.
    const Call no_inputs{"(no inputs)", 0, {}, ""};
    const Record refused = make_call(*file, module, no_inputs);
    const std::string ending = " inputs required.";
    if (!refused.refused || refused.message.size() < ending.size() ||
        refused.message.compare(refused.message.size() - ending.size(), ending.size(), ending) !=
            0) {
      fail(module, no_inputs.label, "not refused with an input-count message");
    }
    results_ << volfilter::platform::record_line(refused) << '\n';

    std::vector<Record> records;
    for (const Call& call : table.calls) {
      records.push_back(make_call(*file, module, call));
      check_outcome(call, records.back());
      results_ << volfilter::platform::record_line(records.back()) << '\n';
      calls_ += 1;
    }

    for (int i = 0; i < kRepeatedRefusals; ++i) {
      const Record again = make_call(*file, module, no_inputs);
      if (again.message != refused.message) {
        fail(module, no_inputs.label, "refusal " + std::to_string(i) + " differs");
        break;
      }
    }
    if (!table.calls.empty() &&
        volfilter::platform::record_line(make_call(*file, module, table.calls.front())) !=
            volfilter::platform::record_line(records.front())) {
      fail(module, table.calls.front().label, "differs when made again after the refusals");
    }

    std::cout << volfilter::platform::platform_name() << ": " << module << ": "
              << table.calls.size() << " calls" << (entry.table == nullptr ? " (no table yet)" : "")
              << ", " << (failures_ == failures_before ? "all as expected" : "FAILED") << '\n';
  }

  std::size_t failures() const { return failures_; }
  std::size_t calls() const { return calls_; }

 private:
  void fail(const std::string& module, const std::string& label, const std::string& what) {
    ++failures_;
    std::cerr << volfilter::platform::platform_name() << ": FAIL " << module << " / " << label
              << ": " << what << '\n';
  }

  // Served or refused as the table says, with its message.
  void check_outcome(const Call& call, const Record& record) {
    if (record.refused && call.refusal.empty()) {
      fail(record.module, call.label, "refused with \"" + record.message + "\"");
    } else if (!record.refused && !call.refusal.empty()) {
      fail(record.module, call.label, "served, expected \"" + call.refusal + "\"");
    } else if (record.message != call.refusal) {
      fail(record.module, call.label,
           "message \"" + record.message + "\", expected \"" + call.refusal + "\"");
    }
  }

  // Makes one call through the host: inputs created, the entry called, every array
  // released again; fails unless an output arrived in slot 0 of a served call (and in every
  // slot it asked for) and no array is left alive.
  Record make_call(const ModuleFile& file, const std::string& module, const Call& call) {
    Record record;
    record.module = module;
    record.label = call.label;
    if (volfilter::platform::live_arrays() != 0) {
      fail(module, call.label, "arrays alive before the call");
    }
    std::vector<const mxArray*> inputs;
    for (const Value& value : call.inputs) {
      inputs.push_back(make_input(value));
    }
    std::vector<mxArray*> slots;
    record.refused = !file.call(call.nlhs, inputs, slots, record.message);
    if (!record.refused) {
      const mxArray* output = slots.empty() ? nullptr : slots[0];
      if (output == nullptr) {
        fail(module, call.label, "no output in slot 0");
      } else {
        record.rows = mxGetM(output);
        record.columns = mxGetN(output);
        record.bits = bits_of(output);
      }
      for (std::size_t slot = 1; slot < slots.size(); ++slot) {
        if (slots[slot] == nullptr) {
          fail(module, call.label, "no output in slot " + std::to_string(slot));
          continue;
        }
        record.further.push_back({mxGetM(slots[slot]), mxGetN(slots[slot]), bits_of(slots[slot])});
      }
    }
    for (mxArray* slot : slots) {
      mxDestroyArray(slot);
    }
    for (const mxArray* input : inputs) {
      mxDestroyArray(const_cast<mxArray*>(input));
    }

    const long alive = volfilter::platform::live_arrays();
    if (alive != 0) {
      fail(module, call.label, std::to_string(alive) + " arrays left alive");
    }
    return record;
  }

  std::ostream& results_;
  std::size_t failures_ = 0;
  std::size_t calls_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: shared_calls MODULE_DIR RESULTS_FILE\n";
    return 2;
  }
  // Binary mode: the same line ends on every platform.
  std::ofstream results(argv[2], std::ios::binary);
  if (!results) {
    std::cerr << "cannot write " << argv[2] << '\n';
    return 2;
  }
  Runner runner(results);
  for (const ModuleCalls& entry : volfilter::calls::registered_modules()) {
    runner.run_module(argv[1], entry);
  }
  results.close();
  std::cout << volfilter::platform::platform_name() << ": " << runner.calls() << " calls in "
            << volfilter::calls::registered_modules().size() << " modules, " << runner.failures()
            << " failures; results in " << argv[2] << '\n';
  return runner.failures() == 0 && results ? 0 : 1;
}
