// The stand-in host. Arrays are real double matrices, zero-filled on creation; the error
// call throws HostError; a live-array count lets tests prove that nothing is left behind.
//
// Calls may come from several threads at once: the only state shared between calls is the
// live-array count and the element limit, both atomic; everything else belongs to one array
// or one call.
#include "standin_host.hpp"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

struct mxArray_tag {
  std::uint64_t rows;
  std::uint64_t columns;
  double* data;
  volfilter::standin::ArrayClass array_class;
};

namespace {

std::atomic<long> live_count{0};
std::atomic<std::uint64_t> element_limit{std::numeric_limits<std::uint64_t>::max()};

}  // namespace

extern "C" {

void mexErrMsgTxt(const char* message) { throw volfilter::standin::HostError(message); }

double mxGetScalar(const mxArray* array) {
  // The first element, or 0.0 for an empty array.
  if (array->rows == 0 || array->columns == 0) {
    return 0.0;
  }
  return array->data[0];
}

double* mxGetPr(const mxArray* array) { return array->data; }

mwSize mxGetM(const mxArray* array) { return array->rows; }

mwSize mxGetN(const mxArray* array) { return array->columns; }

mxArray* mxCreateDoubleMatrix_730(mwSize rows, mwSize columns, mxComplexity /*complexity*/) {
  const std::uint64_t limit = std::numeric_limits<std::size_t>::max() / sizeof(double);
  if (columns != 0 && rows > limit / columns) {
    mexErrMsgTxt("Out of memory.");
  }
  const std::uint64_t count = rows * columns;
  if (count > element_limit.load()) {
    mexErrMsgTxt("Out of memory.");
  }
  auto* array = new (std::nothrow)
      mxArray_tag{rows, columns, nullptr, volfilter::standin::ArrayClass::real_double};
  if (array == nullptr) {
    mexErrMsgTxt("Out of memory.");
  }
  // calloc gives the zero fill the host promises; one element at least so that the data
  // pointer of an empty array is still a valid, distinct address.
  array->data =
      static_cast<double*>(std::calloc(std::max<std::uint64_t>(count, 1), sizeof(double)));
  if (array->data == nullptr) {
    delete array;
    mexErrMsgTxt("Out of memory.");
  }
  live_count.fetch_add(1);
  return array;
}

void mxDestroyArray(mxArray* array) {
  if (array == nullptr) {
    return;
  }
  std::free(array->data);
  delete array;
  live_count.fetch_sub(1);
}

bool mxIsInf(double value) { return std::isinf(value); }

bool mxIsDouble(const mxArray* array) {
  using volfilter::standin::ArrayClass;
  return array->array_class != ArrayClass::int32;
}

bool mxIsComplex(const mxArray* array) {
  return array->array_class == volfilter::standin::ArrayClass::complex_double;
}

bool mxIsSparse(const mxArray* array) {
  return array->array_class == volfilter::standin::ArrayClass::sparse_double;
}

}  // extern "C"

namespace volfilter::standin {

long live_arrays() { return live_count.load(); }

void set_element_limit(std::uint64_t elements) { element_limit.store(elements); }

void ArrayDeleter::operator()(mxArray* array) const { mxDestroyArray(array); }

Array make_array_of_class(ArrayClass array_class, std::uint64_t rows, std::uint64_t columns) {
  Array array(mxCreateDoubleMatrix_730(rows, columns, mxREAL));
  array->array_class = array_class;
  return array;
}

Array make_array(std::uint64_t rows, std::uint64_t columns, const std::vector<double>& values) {
  Array array(mxCreateDoubleMatrix_730(rows, columns, mxREAL));
  std::copy_n(values.begin(), std::min<std::uint64_t>(values.size(), rows * columns), array->data);
  return array;
}

Array make_column(const std::vector<double>& values) {
  return make_array(values.size(), 1, values);
}

Array make_scalar(double value) { return make_array(1, 1, {value}); }

std::vector<double> values_of(const mxArray* array) {
  return {array->data, array->data + array->rows * array->columns};
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
