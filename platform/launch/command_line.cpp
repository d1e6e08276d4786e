// The program's command line in the device's form, and its module name.
#include <cstring>
#include <mutex>
#include <string>

#include "platform/core/last_error.h"
#include "platform/files/host_names.h"
#include "platform/launch/launch.h"

namespace {

std::mutex& LineLock() {
  static std::mutex lock;
  return lock;
}

std::u16string& LineText() {
  static std::u16string text;
  return text;
}

}  // namespace

namespace devlaunch {

void SetProgramArguments(int argc, char** argv) {
  std::u16string line;
  for (int i = 1; i < argc; ++i) {
    std::u16string argument = devicefs::HostNameToDevice(argv[i] ? argv[i] : "");
    if (!line.empty()) line += u' ';
    if (argument.find(u' ') != std::u16string::npos) {
      line += u'"';
      line += argument;
      line += u'"';
    } else {
      line += argument;
    }
  }
  SetCommandLineText(line.c_str());
}

void SetCommandLineText(const char16_t* text) {
  std::lock_guard<std::mutex> hold(LineLock());
  LineText() = text ? text : u"";
}

}  // namespace devlaunch

LPWSTR GetCommandLineW() {
  std::lock_guard<std::mutex> hold(LineLock());
  // The text lives as long as the process (until the next Set call, which
  // only the entry and tests make).
  return LineText().data();
}

DWORD GetModuleFileNameW(HMODULE, LPWSTR buffer, DWORD size) {
  const std::u16string path(kProgramModulePath);
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() + 1 > size) {
    std::memcpy(buffer, path.data(), (size - 1) * sizeof(WCHAR));
    buffer[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.data(), path.size() * sizeof(WCHAR));
  buffer[path.size()] = 0;
  return static_cast<DWORD>(path.size());
}
