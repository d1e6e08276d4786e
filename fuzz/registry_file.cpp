// Fuzz target: untrusted bytes as the registry's saved file in the device
// root. The bytes are parsed directly, and a file that parses must write
// back to exactly the same bytes (the file form has one spelling). Then they
// are put in place of the file and the registry is used as a program would:
// every key is walked through the calls (counts, values by index and by
// name, subkeys by index and then opened by their names), and a change is
// made and undone. Every key the calls list must open by the name they list
// it under. Nothing may read outside the file, loop without end, or
// allocate more than the file justifies.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_tree.h"
#include "platform/testing/registry.h"
#include "platform/testing/reset.h"
#include "fuzz/temp_in_memory.h"

namespace {

// Keys visited through the calls per input; a file of the allowed size holds
// fewer, but the walk must end whatever the calls answer.
constexpr int kVisitBudget = 20000;
constexpr int kMaxWalkDepth = 300;

struct Walk {
  int visits = 0;
  std::vector<char16_t> name = std::vector<char16_t>(kMaxRegistryValueName + 2);
  std::vector<uint8_t> data;
};

void CheckDirectParse(const uint8_t* data, size_t size) {
  devreg::RegHive hive;
  if (!devreg::ParseHive(data, size, &hive)) return;
  std::vector<uint8_t> again = devreg::SerializeHive(hive);
  if (again.size() != size || (size && std::memcmp(again.data(), data, size) != 0)) std::abort();
}

// Puts the bytes in place of the registry file. The file's stamp (inode,
// size, time) tells the registry it changed; a time of its own for every
// input makes sure it does.
void PutRegistryFile(const uint8_t* data, size_t size) {
  static int64_t stamp = 1000000000;
  std::filesystem::path file = devtest::RegistryFilePath();
  std::error_code ec;
  std::filesystem::remove(file.string() + ".bad", ec);
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  timespec times[2] = {{stamp, 0}, {stamp, 0}};
  ++stamp;
  ::utimensat(AT_FDCWD, file.c_str(), times, 0);
}

void WalkValues(HKEY key, DWORD count, Walk& walk) {
  for (DWORD i = 0; i < count + 1; ++i) {
    DWORD units = static_cast<DWORD>(walk.name.size());
    DWORD type = 0, bytes = 0;
    LONG status = RegEnumValueW(key, i, walk.name.data(), &units, nullptr, &type, nullptr, &bytes);
    if (status != ERROR_SUCCESS) break;
    walk.data.resize(bytes ? bytes : 1);
    DWORD room = bytes;
    if (RegQueryValueExW(key, walk.name.data(), nullptr, &type, walk.data.data(), &room) != ERROR_SUCCESS)
      continue;  // a name with a NUL inside is listed but not found by name
  }
}

void WalkKey(HKEY key, int depth, Walk& walk) {
  if (depth > kMaxWalkDepth || ++walk.visits > kVisitBudget) return;
  DWORD subKeys = 0, values = 0, longestName = 0, longestValueName = 0, longestData = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &longestName, nullptr, &values,
                       &longestValueName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  WalkValues(key, values, walk);
  for (DWORD i = 0; i < subKeys; ++i) {
    char16_t name[kMaxRegistryKeyName + 2];
    DWORD units = sizeof(name) / sizeof(name[0]);
    if (RegEnumKeyExW(key, i, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) std::abort();
    HKEY child = nullptr;
    // What the registry lists, it must open by that name.
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) std::abort();
    WalkKey(child, depth + 1, walk);
    RegCloseKey(child);
  }
}

void UseRegistry() {
  Walk walk;
  for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS}) WalkKey(root, 0, walk);
  HKEY probe = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, u"Fuzz\\Probe", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &probe,
                      &disposition) == ERROR_SUCCESS) {
    DWORD one = 1;
    RegSetValueExW(probe, u"One", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    RegCloseKey(probe);
    RegDeleteKeyW(HKEY_CURRENT_USER, u"Fuzz");
  }
  if (devtest::OpenRegistryKeyCount() != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = false;
  if (!ready) {
    fuzzsupport::UseTempInMemory();
    devtest::ResetDevice();
    ready = true;
  }
  if (size > (64u << 10)) return 0;
  CheckDirectParse(data, size);
  PutRegistryFile(data, size);
  UseRegistry();
  return 0;
}
