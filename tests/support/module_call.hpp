// Calling modules through the stand-in host from a test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "standin_host.hpp"

namespace volfilter::testing {

using standin::Array;
using standin::make_array;
using standin::make_column;
using standin::make_scalar;
using standin::Module;

// The stand-in build of module `name`, loaded from the build tree.
inline Module load_module(const std::string& name) {
  return Module(std::string(VOLFILTER_STANDIN_DIR) + "/" + name + ".so");
}

// Handles of owned arrays, in order, as the input list of a call.
inline std::vector<const mxArray*> handles(const std::vector<Array>& arrays) {
  std::vector<const mxArray*> result;
  for (const Array& array : arrays) {
    result.push_back(array.get());
  }
  return result;
}

// `count` numbers in [low, high) from a fixed linear congruential sequence.
inline std::vector<double> uniform_series(std::size_t count, std::uint32_t seed, double low,
                                          double high) {
  std::vector<double> values;
  std::uint32_t state = seed;
  for (std::size_t i = 0; i < count; ++i) {
    state = state * 1664525U + 1013904223U;
    values.push_back(low + (high - low) * (static_cast<double>(state) / 4294967296.0));
  }
  return values;
}

// The values of output slot 0 after a successful call.
inline std::vector<double> first_output(const Module& module, const std::vector<Array>& inputs,
                                        int nlhs = 1) {
  const std::vector<Array> outputs = module.call(nlhs, handles(inputs));
  return standin::values_of(outputs.at(0).get());
}

// The bits of every value of an array, column-major, so that NaN equals NaN and -0 is not +0.
inline std::vector<std::uint64_t> bits_of(const mxArray* array) {
  std::vector<std::uint64_t> bits;
  for (const double value : standin::values_of(array)) {
    std::uint64_t word = 0;
    std::memcpy(&word, &value, sizeof word);
    bits.push_back(word);
  }
  return bits;
}

// The message of the host error that the call raised, or "" when it succeeded.
inline std::string refusal(const Module& module, const std::vector<Array>& inputs, int nlhs = 1) {
  try {
    module.call(nlhs, handles(inputs));
  } catch (const standin::HostError& error) {
    return error.what();
  }
  return "";
}

}  // namespace volfilter::testing
