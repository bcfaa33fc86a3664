// What the shared-calls runner needs from a platform: load a module file the way the host
// loads it, and call its entry the way the host calls it. One implementation per platform
// (host_standin.cpp on Linux, host_windows.cpp on Windows); both act through the stand-in
// host, so the arrays themselves are made and read with the host's own functions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mex.h"

namespace volfilter::platform {

class ModuleFile {
 public:
  virtual ~ModuleFile() = default;

  // Calls the entry with `nlhs` requested outputs and at least one output slot. Fills
  // `slots` with what the entry left there (the caller releases them) and returns true when
  // the entry returned; returns false and sets `message` when it ended through the host's
  // error call.
  virtual bool call(int nlhs, const std::vector<const mxArray*>& inputs,
                    std::vector<mxArray*>& slots, std::string& message) const = 0;
};

// The platform's name in reports, and the file name extension of its modules.
const char* platform_name();
const char* module_extension();

// Loads `path`; throws std::runtime_error when the file cannot be loaded or has no entry.
std::unique_ptr<ModuleFile> load_module(const std::string& path);

// Arrays of the stand-in host still alive.
long live_arrays();

}  // namespace volfilter::platform
