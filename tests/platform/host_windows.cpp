// The Windows side of the shared calls: modules loaded with LoadLibrary and GetProcAddress,
// as the host loads them, next to the stand-in libmx.dll and libmex.dll; calls go through
// standin_call, whose error path returns here by a jump rather than an exception.
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "module_host.hpp"
#include "standin_arrays.hpp"
#include "standin_call.h"

namespace volfilter::platform {

namespace {

class WindowsModule : public ModuleFile {
 public:
  explicit WindowsModule(const std::string& path) {
    std::string native(path);
    std::replace(native.begin(), native.end(), '/', '\\');
    handle_ = LoadLibraryA(native.c_str());
    if (handle_ == nullptr) {
      throw std::runtime_error("cannot load " + path + " (error " + std::to_string(GetLastError()) +
                               ")");
    }
    // GetProcAddress hands back a generic function pointer; the entry's type is fixed.
    entry_ = reinterpret_cast<mexFunction_t>(
        reinterpret_cast<void (*)()>(GetProcAddress(handle_, "mexFunction")));
    if (entry_ == nullptr) {
      FreeLibrary(handle_);
      throw std::runtime_error(path + " has no mexFunction");
    }
  }
  ~WindowsModule() override { FreeLibrary(handle_); }
  WindowsModule(const WindowsModule&) = delete;
  WindowsModule& operator=(const WindowsModule&) = delete;

  bool call(int nlhs, const std::vector<const mxArray*>& inputs, std::vector<mxArray*>& slots,
            std::string& message) const override {
    slots.assign(static_cast<std::size_t>(std::max(nlhs, 1)), nullptr);
    std::vector<const mxArray*> arguments(inputs);
    const char* error_message = nullptr;
    const int ended = standin_call(entry_, nlhs, slots.data(), static_cast<int>(arguments.size()),
                                   arguments.data(), &error_message);
    if (ended != 0) {
      message = error_message;
      // The host frees whatever the call had placed in its output slots.
      for (mxArray*& slot : slots) {
        mxDestroyArray(slot);
        slot = nullptr;
      }
      return false;
    }
    return true;
  }

 private:
  HMODULE handle_ = nullptr;
  mexFunction_t entry_ = nullptr;
};

}  // namespace

const char* platform_name() { return "windows"; }

const char* module_extension() { return ".mexw64"; }

std::unique_ptr<ModuleFile> load_module(const std::string& path) {
  return std::make_unique<WindowsModule>(path);
}

long live_arrays() { return standin::live_arrays(); }

}  // namespace volfilter::platform
