// The stand-in host: our own implementation of the host operations that the modules call,
// plus what a test needs to act as the host (load a module, build inputs, call the entry,
// read the outputs, count the arrays still alive).
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "mex.h"
#include "standin_arrays.hpp"

namespace volfilter::standin {

// What the host's error call raises: the message passed to mexErrMsgTxt.
class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An array owned by the test, destroyed with the value.
struct ArrayDeleter {
  void operator()(mxArray* array) const;
};
using Array = std::unique_ptr<mxArray, ArrayDeleter>;

VOLFILTER_HOST_API Array make_array_of_class(ArrayClass array_class, std::uint64_t rows,
                                             std::uint64_t columns);
VOLFILTER_HOST_API Array make_array(std::uint64_t rows, std::uint64_t columns,
                                    const std::vector<double>& values);
VOLFILTER_HOST_API Array make_column(const std::vector<double>& values);
VOLFILTER_HOST_API Array make_scalar(double value);
VOLFILTER_HOST_API std::vector<double> values_of(const mxArray* array);

// A module file loaded the way the host loads it: dynamic loading, then `mexFunction`.
class Module {
 public:
  VOLFILTER_HOST_API explicit Module(const std::string& path);
  VOLFILTER_HOST_API ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // Calls the entry with `nlhs` requested outputs. Output slots the entry filled come
  // back as owned arrays; slot 0 is returned even when nlhs is 0. Errors raised through
  // mexErrMsgTxt come out as HostError, after the slots already filled are released.
  VOLFILTER_HOST_API std::vector<Array> call(int nlhs, const std::vector<const mxArray*>& inputs,
                                             int slots = 1) const;

 private:
  void* handle_ = nullptr;
  mexFunction_t entry_ = nullptr;
};

}  // namespace volfilter::standin
