// Test control of the device registry: seed keys and values before the
// system reads them, inspect what it wrote. Paths are "A\B\C" below one of
// the roots (HKEY_LOCAL_MACHINE, ...). Every test starts with an empty
// registry, since each test gets a fresh device root and the registry lives
// inside it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/registry.h"

namespace devtest {

void SeedRegistryKey(HKEY root, const std::u16string& keyPath);
// Each creates the key when missing and replaces the value.
void SeedRegistryString(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                        const std::u16string& text);  // REG_SZ with its terminating NUL
void SeedRegistryDword(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                       uint32_t value);
void SeedRegistryValue(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                       uint32_t type, const std::vector<uint8_t>& bytes);

struct RegistryValue {
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
};

bool RegistryKeyExists(HKEY root, const std::u16string& keyPath);
std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::u16string& keyPath,
                                               const std::u16string& valueName);
// A REG_SZ value's text up to its first NUL; nothing for a missing value or another type.
std::optional<std::u16string> ReadRegistryString(HKEY root, const std::u16string& keyPath,
                                                 const std::u16string& valueName);
// A REG_DWORD value of 4 bytes; nothing otherwise.
std::optional<uint32_t> ReadRegistryDword(HKEY root, const std::u16string& keyPath,
                                          const std::u16string& valueName);
// Names in enumeration order (creation order).
std::vector<std::u16string> RegistrySubkeyNames(HKEY root, const std::u16string& keyPath);
std::vector<std::u16string> RegistryValueNames(HKEY root, const std::u16string& keyPath);

// Empties the registry of the current device root.
void ClearRegistry();
// Keys this process opened on the current root and has not closed: the
// system must close every key it opens.
int OpenRegistryKeyCount();
// The host file that holds the registry of the current device root.
std::filesystem::path RegistryFilePath();

}  // namespace devtest
