// The stand-in host on Linux: the arrays of standin_arrays.cpp, an error call that throws
// HostError, and the loader and helpers through which tests act as the host.
#include "standin_host.hpp"

#include <dlfcn.h>

#include <algorithm>

extern "C" void mexErrMsgTxt(const char* message) { throw volfilter::standin::HostError(message); }

namespace volfilter::standin {

void ArrayDeleter::operator()(mxArray* array) const { mxDestroyArray(array); }

Array make_array_of_class(ArrayClass array_class, std::uint64_t rows, std::uint64_t columns) {
  Array array(mxCreateDoubleMatrix_730(rows, columns, mxREAL));
  set_array_class(array.get(), array_class);
  return array;
}

Array make_array(std::uint64_t rows, std::uint64_t columns, const std::vector<double>& values) {
  Array array(mxCreateDoubleMatrix_730(rows, columns, mxREAL));
  std::copy_n(values.begin(), std::min<std::uint64_t>(values.size(), rows * columns),
              mxGetPr(array.get()));
  return array;
}

Array make_column(const std::vector<double>& values) {
  return make_array(values.size(), 1, values);
}

Array make_scalar(double value) { return make_array(1, 1, {value}); }

std::vector<double> values_of(const mxArray* array) {
  const double* data = mxGetPr(array);
  return {data, data + mxGetM(array) * mxGetN(array)};
}

Module::Module(const std::string& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    throw std::runtime_error("cannot load " + path + ": " + dlerror());
  }
  entry_ = reinterpret_cast<mexFunction_t>(dlsym(handle_, "mexFunction"));
  if (entry_ == nullptr) {
    dlclose(handle_);
    throw std::runtime_error(path + " has no mexFunction");
  }
}

Module::~Module() { dlclose(handle_); }

std::vector<Array> Module::call(int nlhs, const std::vector<const mxArray*>& inputs,
                                int slots) const {
  std::vector<mxArray*> outputs(static_cast<std::size_t>(std::max({slots, nlhs, 1})), nullptr);
  auto collect = [&outputs] {
    std::vector<Array> owned;
    for (mxArray* output : outputs) {
      owned.emplace_back(output);
    }
    return owned;
  };
  std::vector<const mxArray*> arguments(inputs);
  try {
    entry_(nlhs, outputs.data(), static_cast<int>(arguments.size()), arguments.data());
  } catch (const HostError&) {
    collect();  // the host frees whatever the call had placed in its output slots
    throw;
  }
  return collect();
}

}  // namespace volfilter::standin
