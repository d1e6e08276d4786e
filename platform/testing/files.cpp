// Fresh temporary device roots for tests, and the file layer's reset.
#include "platform/testing/files.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <system_error>

#include "platform/files/attribute_store.h"
#include "platform/files/device_root.h"
#include "platform/files/file_objects.h"

namespace fs = std::filesystem;

namespace devtest {

namespace {
fs::path g_madeRoot;  // the temporary root this process made last
}

void UseFreshDeviceRoot(const std::vector<std::u16string>& cards) {
  std::error_code ec;
  if (!g_madeRoot.empty()) fs::remove_all(g_madeRoot, ec);
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tessalyn-device-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back(0);
  if (::mkdtemp(buffer.data()) == nullptr) return;
  static bool cleanupRegistered = false;
  if (!cleanupRegistered) {
    cleanupRegistered = true;
    std::atexit([] {
      std::error_code ignored;
      if (!g_madeRoot.empty()) fs::remove_all(g_madeRoot, ignored);
    });
  }
  g_madeRoot = buffer.data();
  devicefs::ResetAttributeStore();
  devicefs::SetRoot(g_madeRoot, cards);
}

fs::path DeviceRootFolder() { return devicefs::RootFolder(); }

fs::path HostPath(const std::u16string& devicePath) {
  devicefs::Resolved r;
  if (devicefs::Resolve(devicePath.c_str(), &r)) return r.host;
  return devicefs::RootFolder() / devicefs::ToUtf8(devicePath);
}

void ResetFiles() {
  ResetWriteInjection();
  ResetDiskSpace();
  UseFreshDeviceRoot();
}

}  // namespace devtest
