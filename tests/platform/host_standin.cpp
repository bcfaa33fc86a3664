// The Linux side of the shared calls: modules loaded by the stand-in host's loader, whose
// error call throws HostError.
#include <stdexcept>

#include "module_host.hpp"
#include "standin_host.hpp"

namespace volfilter::platform {

namespace {

class StandinModule : public ModuleFile {
 public:
  explicit StandinModule(const std::string& path) : module_(path) {}

  bool call(int nlhs, const std::vector<const mxArray*>& inputs, std::vector<mxArray*>& slots,
            std::string& message) const override {
    try {
      std::vector<standin::Array> outputs = module_.call(nlhs, inputs);
      slots.clear();
      for (standin::Array& output : outputs) {
        slots.push_back(output.release());
      }
      return true;
    } catch (const standin::HostError& error) {
      // The stand-in's loader has already released the slots of a refused call.
      slots.clear();
      message = error.what();
      return false;
    }
  }

 private:
  standin::Module module_;
};

}  // namespace

const char* platform_name() { return "linux"; }

const char* module_extension() { return ".so"; }

std::unique_ptr<ModuleFile> load_module(const std::string& path) {
  return std::make_unique<StandinModule>(path);
}

long live_arrays() { return standin::live_arrays(); }

}  // namespace volfilter::platform
