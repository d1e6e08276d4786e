// The emulated device's root for a benchmark: a fresh folder under the
// system's temporary folder, named after the benchmark and the process, set
// as the device root on first use.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/files/device_root.h"

namespace benchroot {

inline std::filesystem::path MakeDeviceRoot(const std::string& name) {
  const std::filesystem::path r =
      std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
  std::filesystem::create_directories(r);
  devicefs::SetRoot(r, {});
  return r;
}

}  // namespace benchroot
