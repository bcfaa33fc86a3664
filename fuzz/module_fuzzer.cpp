// A libFuzzer target that drives one module's entry through the stand-in host, built once
// per module with VOLFILTER_FUZZ_MODULE naming it.
//
// The fuzz input is read as the script of one call, byte by byte:
//
//   input count       below 0xE0 the module's own count, else (byte - 0xE0) % (most + 3),
//                     most the largest count of its forms
//   requested outputs kOutputCounts[byte % 32]
//   for every input:
//     shape           high nibble the form (Form below, every nibble one), low nibble n
//                     (0 to 15)
//     [columns]       only for Form::any_columns: byte % 8
//     values          one per element, column-major (value_of)
//
// Bytes past the end read as neutral values (a 1-by-1 zero for an input), so every input
// decodes into some call. Small integers, fractions, negatives, signed zeros, subnormals,
// infinities, NaN and the limits of the integer conversions are one byte each, which keeps
// the scalars a module converts and the lengths it checks within the fuzzer's easy reach.
//
// Checked on every call, besides whatever the sanitizers report:
//   - a refused call raises the host's error with a sentence ending in a full stop; a wrong
//     input count gives the module's input-count message, then a wrong output count gives
//     the module's output-count message ("One output only.", "At most four outputs." for a
//     likelihood, five with a mean, "At most two outputs." for a simulation); a refusal comes
//     before any array is created (only the host's own "Out of memory." comes from creating
//     one);
//   - a served call leaves in output slot 0 the shape the module promises, and a likelihood
//     or a simulation the shapes of its other outputs in the slots requested and nothing in
//     the others (an estimation module: an output in each slot requested and nothing in the
//     others);
//   - the host's live-array count is back where it was before the call;
//   - the same call made again gives the same refusal, or the same bits (NaN included).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "standin_host.hpp"

namespace {

using volfilter::standin::Array;
using volfilter::standin::ArrayClass;
using volfilter::standin::HostError;
using volfilter::standin::Module;

// The shape of the output a served call must leave in slot 0.
enum class Promise {
  column_of_count,  // T-by-1, T the truncated scalar at `size_input`
  column_of_rows,   // T-by-1, T the row count of the array at `size_input`
  one_by_one,
  // A likelihood: nll 1-by-1 in slot 0; when requested, the gradient k-by-1 in slot 1, the
  // scores T-by-k in slot 2 and ht T-by-1 in slot 3 (and with a mean the residuals T-by-1 in
  // slot 4), T the element count of the array at `size_input` and k the same in slots 1 and 2.
  likelihood,
  // A simulation: e in slot 0 and, when requested, ht in slot 1, both with the shape of the
  // array at `size_input` (z), and nothing in the others.
  paths,
  // An estimation module: an output in every slot requested (slot 0 when none is), nothing
  // in the others.
  estimation,
};

struct ModuleDescriptor {
  const char* name;
  int inputs;
  const char* input_message;
  bool output_required;  // nlhs must be exactly 1, not at most most_outputs
  int most_outputs;
  const char* output_message;
  Promise promise;
  int size_input;
  // A second, short form of the call (volfilter_plan's sizes alone): its input count, at most
  // one output, refused beyond it with short_output_message; served as a 1-by-3 row.
  int short_inputs = -1;
  const char* short_output_message = "";
  // The estimation modules' forms with the mean's four inputs after the others: the long
  // call's and the short call's input counts (-1: none).
  int mean_inputs = -1;
  int short_mean_inputs = -1;
};

constexpr const char* kOneOutputOnly = "One output only.";
constexpr const char* kAtMostFour = "At most four outputs.";
constexpr const char* kAtMostTwo = "At most two outputs.";
constexpr const char* kAtMostFive = "At most five outputs.";

constexpr ModuleDescriptor kModules[] = {
    {"threshvol_filter", 10, "Ten inputs required.", false, 1, kOneOutputOnly,
     Promise::column_of_count, 8},
    {"logvol_filter", 9, "Nine inputs required.", false, 1, kOneOutputOnly,
     Promise::column_of_count, 8},
    {"shiftvol_filter", 8, "Eight inputs required.", false, 1, kOneOutputOnly,
     Promise::column_of_count, 6},
    {"intvol_filter", 9, "Nine inputs required.", false, 1, kOneOutputOnly,
     Promise::column_of_count, 6},
    {"lagreg_residuals", 8, "Eight inputs required.", true, 1, kOneOutputOnly,
     Promise::column_of_rows, 4},
    {"pairwise_nll", 3, "Three inputs required.", false, 1, kOneOutputOnly, Promise::one_by_one,
     -1},
    {"threshvol_nll", 9, "Nine inputs required.", false, 4, kAtMostFour, Promise::likelihood, 0},
    {"logvol_nll", 9, "Nine inputs required.", false, 4, kAtMostFour, Promise::likelihood, 0},
    {"shiftvol_nll", 8, "Eight inputs required.", false, 4, kAtMostFour, Promise::likelihood, 0},
    {"intvol_nll", 9, "Nine inputs required.", false, 4, kAtMostFour, Promise::likelihood, 0},
    {"threshvol_mean_nll", 13, "Thirteen inputs required.", false, 5, kAtMostFive,
     Promise::likelihood, 0},
    {"logvol_mean_nll", 13, "Thirteen inputs required.", false, 5, kAtMostFive, Promise::likelihood,
     0},
    {"shiftvol_mean_nll", 12, "Twelve inputs required.", false, 5, kAtMostFive, Promise::likelihood,
     0},
    {"intvol_mean_nll", 13, "Thirteen inputs required.", false, 5, kAtMostFive, Promise::likelihood,
     0},
    {"threshvol_simulate", 9, "Nine inputs required.", false, 2, kAtMostTwo, Promise::paths, 0},
    {"logvol_simulate", 9, "Nine inputs required.", false, 2, kAtMostTwo, Promise::paths, 0},
    {"shiftvol_simulate", 8, "Eight inputs required.", false, 2, kAtMostTwo, Promise::paths, 0},
    {"intvol_simulate", 9, "Nine inputs required.", false, 2, kAtMostTwo, Promise::paths, 0},
    {"volfilter_plan", 13, "Seven, eleven, thirteen or seventeen inputs required.", false, 8,
     "At most eight outputs.", Promise::estimation, 1, 7,
     "At most one output for the sizes of a plan.", 17, 11},
    {"volfilter_estimate", 15, "Fifteen or nineteen inputs required.", false, 11,
     "At most eleven outputs.", Promise::estimation, 1, -1, "", 19},
};

// The first eight as they always were, so that old inputs keep their meaning; the second
// eight reach the likelihoods' four outputs and one too many; the other sixteen the
// estimation modules' eight, ten and eleven outputs and one too many.
constexpr int kOutputCounts[32] = {1, 1, 1, 1,  0,  2, 3,  -1, 4, 4, 5, 4, 2, 3, 4,  6,
                                   7, 8, 9, 10, 11, 8, 10, 9,  1, 2, 5, 6, 7, 8, 10, 12};
// Output slots the stand-in gives a call, so that a slot past those requested can be seen
// to stay empty.
constexpr int kSlots = 12;

// Arrays the host will create for a module, at most: larger ones fail with "Out of memory.".
// Keeps a made-up sample size from costing time or memory; every input here is far smaller.
constexpr std::uint64_t kElementLimit = 1U << 14;

// The one-byte special values, from 0xC0 on.
const double kSpecials[32] = {
    std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    -0.0,
    std::numeric_limits<double>::denorm_min(),
    -2.225073858507201e-308,  // the largest subnormal, negated
    1e300,
    -1e300,
    std::numeric_limits<double>::max(),
    std::numeric_limits<double>::lowest(),
    2147483648.0,            // 2^31: one past the largest 32-bit integer
    2147483647.0,            // 2^31 - 1
    -2147483648.0,           // -2^31
    -2147483649.0,           // one below the lowest 32-bit integer
    4294967297.0,            // 2^32 + 1: wraps to 1 in a careless conversion
    9007199254740992.0,      // 2^53
    9223372036854775808.0,   // 2^63
    18446744073709551616.0,  // 2^64
    18446744073709549568.0,  // the largest double below 2^64
    1e-300,
    0.999999,
    -0.999999,
    2147483647.5,
    -2147483648.5,
    static_cast<double>(kElementLimit),
    static_cast<double>(kElementLimit + 1),
    1e6,
    -std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::min(),
    std::numeric_limits<double>::epsilon(),
    1.5,
    -1.5,
};

// Shapes, by the high nibble of the shape byte; n is the low nibble.
enum class Form {
  column,       // n-by-1
  row,          // 1-by-n
  two_columns,  // n-by-2
  square,       // n-by-n
  no_rows,      // 0-by-n
  no_columns,   // n-by-0
  any_columns,  // n-by-k, k from the next byte
  complex_column,
  sparse_column,
  int32_column,
  // Classes that a scalar input reads by value (single, logical) or refuses; the stand-in
  // aborts if a module asks for the scalar value of a cell, struct or function handle.
  single_column,
  logical_column,
  character_column,
  cell_column,
  struct_column,
  function_handle_column,
};

// The classes of the forms from Form::complex_column on, in order.
constexpr ArrayClass kColumnClasses[] = {
    ArrayClass::complex_double, ArrayClass::sparse_double, ArrayClass::int32,
    ArrayClass::single,         ArrayClass::logical,       ArrayClass::character,
    ArrayClass::cell,           ArrayClass::structure,     ArrayClass::function_handle,
};

class Script {
 public:
  Script(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  std::uint8_t next(std::uint8_t missing) { return at_ < size_ ? bytes_[at_++] : missing; }

  double value() {
    const std::uint8_t code = next(0x40);
    if (code < 0xC0) {
      return (code - 64) / 8.0;  // -8 to 15.875 in steps of 1/8
    }
    if (code < 0xE0) {
      return kSpecials[code - 0xC0];
    }
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
      bits |= static_cast<std::uint64_t>(next(0)) << (8 * i);
    }
    double raw = 0.0;
    std::memcpy(&raw, &bits, sizeof raw);
    return raw;
  }

 private:
  const std::uint8_t* bytes_;
  std::size_t size_;
  std::size_t at_ = 0;
};

struct Input {
  ArrayClass array_class = ArrayClass::real_double;
  std::uint64_t rows = 1;
  std::uint64_t columns = 1;
  std::vector<double> values;
};

Input read_input(Script& script) {
  const std::uint8_t shape = script.next(0x01);
  const std::uint64_t n = shape & 0x0FU;
  Input input;
  switch (static_cast<Form>(shape >> 4)) {
    case Form::row:
      input.rows = 1;
      input.columns = n;
      break;
    case Form::two_columns:
      input.rows = n;
      input.columns = 2;
      break;
    case Form::square:
      input.rows = n;
      input.columns = n;
      break;
    case Form::no_rows:
      input.rows = 0;
      input.columns = n;
      break;
    case Form::no_columns:
      input.rows = n;
      input.columns = 0;
      break;
    case Form::any_columns:
      input.rows = n;
      input.columns = script.next(0x01) % 8U;
      break;
    case Form::column:
      input.rows = n;
      break;
    default:  // a column of another class
      input.array_class =
          kColumnClasses[(shape >> 4) - static_cast<unsigned>(Form::complex_column)];
      input.rows = n;
      break;
  }
  input.values.resize(input.rows * input.columns);
  for (double& value : input.values) {
    value = script.value();
    if (input.array_class == ArrayClass::logical) {
      value = value != 0.0 ? 1.0 : 0.0;  // all that a logical array can hold
    }
  }
  return input;
}

Array make_input(const Input& input) {
  Array array =
      volfilter::standin::make_array_of_class(input.array_class, input.rows, input.columns);
  std::copy(input.values.begin(), input.values.end(), mxGetPr(array.get()));
  return array;
}

struct Call {
  int nlhs = 1;
  std::vector<Input> inputs;
};

// One output slot of a served call.
struct Slot {
  bool filled = false;
  std::uint64_t rows = 0;
  std::uint64_t columns = 0;
  std::vector<std::uint64_t> bits;  // compared as bits, so that NaN equals NaN

  bool operator==(const Slot& other) const {
    return filled == other.filled && rows == other.rows && columns == other.columns &&
           bits == other.bits;
  }
};

struct Outcome {
  bool refused = false;
  long created = 0;  // arrays the call created through the host
  std::string message;
  std::vector<Slot> slots;
};

const ModuleDescriptor* descriptor = nullptr;
const Module* module = nullptr;
// With VOLFILTER_FUZZ_REPORT set, each call's outcome goes to standard error: replaying a
// corpus then shows which refusals and which served shapes it reaches.
bool report = false;

std::string describe(const Call& call) {
  std::string text = "nlhs " + std::to_string(call.nlhs) + ", " +
                     std::to_string(call.inputs.size()) + " inputs:\n";
  const char* class_names[] = {"double",  "complex", "sparse", "int32",  "single",
                               "logical", "char",    "cell",   "struct", "function handle"};
  for (std::size_t i = 0; i < call.inputs.size(); ++i) {
    const Input& input = call.inputs[i];
    char line[96];
    std::snprintf(line, sizeof line, "  %zu: %llu-by-%llu %s", i,
                  static_cast<unsigned long long>(input.rows),
                  static_cast<unsigned long long>(input.columns),
                  class_names[static_cast<int>(input.array_class)]);
    text += line;
    for (std::size_t j = 0; j < input.values.size() && j < 16; ++j) {
      std::snprintf(line, sizeof line, " %.17g", input.values[j]);
      text += line;
    }
    text += input.values.size() > 16 ? " ...\n" : "\n";
  }
  return text;
}

[[noreturn]] void fail(const Call& call, const std::string& what) {
  std::fprintf(stderr, "\n%s: %s\nThe call: %s\n", descriptor->name, what.c_str(),
               describe(call).c_str());
  std::abort();
}

Outcome run(const Call& call, const std::vector<const mxArray*>& handles) {
  const long live_before = volfilter::standin::live_arrays();
  const long created_before = volfilter::standin::created_arrays();
  Outcome outcome;
  try {
    const std::vector<Array> outputs = module->call(call.nlhs, handles, kSlots);
    if (outputs.at(0) == nullptr) {
      fail(call, "a served call left output slot 0 empty");
    }
    for (const Array& output : outputs) {
      Slot slot;
      if (output) {
        slot.filled = true;
        slot.rows = mxGetM(output.get());
        slot.columns = mxGetN(output.get());
        const double* values = mxGetPr(output.get());
        slot.bits.resize(slot.rows * slot.columns);
        for (std::size_t i = 0; i < slot.bits.size(); ++i) {
          std::memcpy(&slot.bits[i], &values[i], sizeof(double));
        }
      }
      outcome.slots.push_back(std::move(slot));
    }
  } catch (const HostError& error) {
    outcome.refused = true;
    outcome.message = error.what();
  }
  outcome.created = volfilter::standin::created_arrays() - created_before;
  if (volfilter::standin::live_arrays() != live_before) {
    fail(call, "the call left " + std::to_string(volfilter::standin::live_arrays() - live_before) +
                   " arrays alive");
  }
  return outcome;
}

// The input counts of the module's long and short forms.
bool is_long(int nrhs) { return nrhs == descriptor->inputs || nrhs == descriptor->mean_inputs; }
bool is_short(int nrhs) {
  return nrhs == descriptor->short_inputs || nrhs == descriptor->short_mean_inputs;
}

bool outputs_wrong(int nlhs) {
  return descriptor->output_required ? nlhs != 1 : nlhs > descriptor->most_outputs;
}

void check_refusal(const Call& call, const Outcome& outcome) {
  const std::string& message = outcome.message;
  if (message.size() < 2 || message.back() != '.') {
    fail(call, "refused without a sentence ending in a full stop: \"" + message + "\"");
  }
  if (outcome.created != 0 && message != "Out of memory.") {
    fail(call, "refused with \"" + message + "\" after creating " +
                   std::to_string(outcome.created) + " arrays");
  }
  const auto nrhs = static_cast<int>(call.inputs.size());
  if (is_short(nrhs)) {
    if (call.nlhs > 1 && message != descriptor->short_output_message) {
      fail(call, "a short call of several outputs was refused with \"" + message + "\"");
    }
  } else if (!is_long(nrhs)) {
    if (message != descriptor->input_message) {
      fail(call, "a wrong input count was refused with \"" + message + "\"");
    }
  } else if (outputs_wrong(call.nlhs)) {
    if (message != descriptor->output_message) {
      fail(call, "a wrong output count was refused with \"" + message + "\"");
    }
  } else if (message == descriptor->input_message || message == descriptor->output_message) {
    fail(call, "right counts refused with a count message: \"" + message + "\"");
  }
}

// Each requested slot (slot 0 when none is) filled, the others empty.
void check_requested_slots(const Call& call, const Outcome& outcome) {
  const int requested = std::max(call.nlhs, 1);
  for (std::size_t i = 0; i < outcome.slots.size(); ++i) {
    if (outcome.slots[i].filled != (static_cast<int>(i) < requested)) {
      fail(call, "output slot " + std::to_string(i) +
                     (outcome.slots[i].filled ? " filled" : " empty") + " with " +
                     std::to_string(call.nlhs) + " outputs requested");
    }
  }
}

// A likelihood's slots: each requested one (nll always) filled with its shape, the others
// empty.
void check_likelihood_slots(const Call& call, const Outcome& outcome) {
  const std::uint64_t T =
      call.inputs[static_cast<std::size_t>(descriptor->size_input)].values.size();
  const int requested = std::max(call.nlhs, 1);
  check_requested_slots(call, outcome);
  const auto shape_is = [&](std::size_t slot, std::uint64_t rows, std::uint64_t columns) {
    if (static_cast<int>(slot) < requested &&
        (outcome.slots[slot].rows != rows || outcome.slots[slot].columns != columns)) {
      fail(call, "output slot " + std::to_string(slot) + " is " +
                     std::to_string(outcome.slots[slot].rows) + "-by-" +
                     std::to_string(outcome.slots[slot].columns) + ", not " + std::to_string(rows) +
                     "-by-" + std::to_string(columns));
    }
  };
  const std::uint64_t k = requested >= 2 ? outcome.slots[1].rows : 0;
  shape_is(0, 1, 1);
  shape_is(1, k, 1);
  shape_is(2, T, k);
  shape_is(3, T, 1);
  shape_is(4, T, 1);
}

// A simulation's slots: e, and ht when requested, each of z's shape; the others empty.
void check_path_slots(const Call& call, const Outcome& outcome) {
  const Input& z = call.inputs[static_cast<std::size_t>(descriptor->size_input)];
  const int requested = std::max(call.nlhs, 1);
  for (std::size_t i = 0; i < outcome.slots.size(); ++i) {
    const Slot& slot = outcome.slots[i];
    if (slot.filled != (static_cast<int>(i) < requested)) {
      fail(call, "output slot " + std::to_string(i) + (slot.filled ? " filled" : " empty") +
                     " with " + std::to_string(call.nlhs) + " outputs requested");
    }
    if (slot.filled && (slot.rows != z.rows || slot.columns != z.columns)) {
      fail(call, "output slot " + std::to_string(i) + " is " + std::to_string(slot.rows) + "-by-" +
                     std::to_string(slot.columns) + ", not the shape of z");
    }
  }
}

void check_served(const Call& call, const Outcome& outcome) {
  if (is_short(static_cast<int>(call.inputs.size()))) {
    if (call.nlhs > 1) {
      fail(call, "a short call of several outputs was served");
    }
    check_requested_slots(call, outcome);
    if (outcome.slots[0].rows != 1 || outcome.slots[0].columns != 3) {
      fail(call, "a short call served a " + std::to_string(outcome.slots[0].rows) + "-by-" +
                     std::to_string(outcome.slots[0].columns) + " output, not 1-by-3");
    }
    return;
  }
  if (!is_long(static_cast<int>(call.inputs.size())) || outputs_wrong(call.nlhs)) {
    fail(call, "a call with wrong counts was served");
  }
  if (descriptor->promise == Promise::likelihood) {
    check_likelihood_slots(call, outcome);
    return;
  }
  if (descriptor->promise == Promise::paths) {
    check_path_slots(call, outcome);
    return;
  }
  if (descriptor->promise == Promise::estimation) {
    check_requested_slots(call, outcome);
    return;
  }
  std::uint64_t rows = 1;
  switch (descriptor->promise) {
    case Promise::column_of_count: {
      const Input& size = call.inputs[static_cast<std::size_t>(descriptor->size_input)];
      const double T = size.values.empty() ? 0.0 : size.values[0];
      if (!(T > -1.0 && T < 18446744073709551616.0)) {
        fail(call, "served with a sample size that has no unsigned 64-bit value");
      }
      rows = static_cast<std::uint64_t>(T);
      break;
    }
    case Promise::column_of_rows:
      rows = call.inputs[static_cast<std::size_t>(descriptor->size_input)].rows;
      break;
    case Promise::one_by_one:
    case Promise::likelihood:
    case Promise::paths:
    case Promise::estimation:
      break;
  }
  const Slot& result = outcome.slots[0];
  if (result.rows != rows || result.columns != 1) {
    fail(call, "served a " + std::to_string(result.rows) + "-by-" + std::to_string(result.columns) +
                   " output where " + std::to_string(rows) + "-by-1 was promised");
  }
  for (std::size_t i = 1; i < outcome.slots.size(); ++i) {
    if (outcome.slots[i].filled) {
      fail(call, "served an output in slot " + std::to_string(i));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  for (const ModuleDescriptor& candidate : kModules) {
    if (std::strcmp(candidate.name, VOLFILTER_FUZZ_MODULE) == 0) {
      descriptor = &candidate;
    }
  }
  if (descriptor == nullptr) {
    std::fprintf(stderr, "no descriptor for module %s\n", VOLFILTER_FUZZ_MODULE);
    std::abort();
  }
  // Loaded once, before fuzzing starts, so that its coverage counters are registered.
  static const Module loaded(std::string(VOLFILTER_STANDIN_DIR) + "/" + VOLFILTER_FUZZ_MODULE +
                             ".so");
  module = &loaded;
  volfilter::standin::set_element_limit(kElementLimit);
  report = std::getenv("VOLFILTER_FUZZ_REPORT") != nullptr;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  Script script(bytes, size);
  Call call;
  const std::uint8_t count_code = script.next(0x00);
  const int most_inputs = std::max(descriptor->inputs, descriptor->mean_inputs);
  const int input_count =
      count_code < 0xE0 ? descriptor->inputs : (count_code - 0xE0) % (most_inputs + 3);
  call.nlhs = kOutputCounts[script.next(0x00) % std::size(kOutputCounts)];
  for (int i = 0; i < input_count; ++i) {
    call.inputs.push_back(read_input(script));
  }

  std::vector<Array> arrays;
  std::vector<const mxArray*> handles;
  for (const Input& input : call.inputs) {
    arrays.push_back(make_input(input));
    handles.push_back(arrays.back().get());
  }

  const Outcome first = run(call, handles);
  if (report) {
    const bool empty = !first.refused && first.slots[0].rows == 0;
    std::fprintf(stderr, "outcome: %s\n",
                 first.refused ? first.message.c_str() : (empty ? "served, empty" : "served"));
  }
  if (first.refused) {
    check_refusal(call, first);
  } else {
    check_served(call, first);
  }
  const Outcome second = run(call, handles);
  if (second.refused != first.refused || second.message != first.message ||
      second.slots != first.slots) {
    fail(call, "the same call made twice gave different results");
  }

  arrays.clear();
  if (volfilter::standin::live_arrays() != 0) {
    fail(call, "arrays still alive after the inputs were released");
  }
  return 0;
}
