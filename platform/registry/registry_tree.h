// The registry in memory: a tree of keys with named values, and its file
// form. Children and values keep their creation order, which is the order
// the device enumerates them in; names compare without letter case.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/types/device_types.h"

namespace devreg {

struct RegValue {
  std::u16string name;
  DWORD type = 0;
  std::vector<uint8_t> data;
};

struct RegKey {
  std::u16string name;
  std::vector<RegValue> values;
  std::vector<std::unique_ptr<RegKey>> subkeys;

  RegKey* FindSubkey(const std::u16string& child);
  // Appends a new empty subkey (the caller checked it is missing).
  RegKey* AddSubkey(const std::u16string& child);
  bool RemoveSubkey(const std::u16string& child);
  RegValue* FindValue(const std::u16string& valueName);
  // Replaces the value of that name in place, or appends a new one.
  void SetValue(const std::u16string& valueName, DWORD type, std::vector<uint8_t> data);
  bool RemoveValue(const std::u16string& valueName);
};

// The predefined roots, in the order of their handle values 0x80000000 + i.
constexpr int kRootCount = 4;
constexpr uintptr_t kFirstRootHandle = 0x80000000u;

struct RegHive {
  RegKey roots[kRootCount];

  void Clear();
  // The key at the path below root `root`, or null.
  RegKey* Find(int root, const std::vector<std::u16string>& path);
};

// Splits "A\B\C" into its names. Empty components (doubled or trailing
// backslashes) are skipped; a name longer than the device allows is refused.
bool SplitKeyPath(const char16_t* path, std::vector<std::u16string>* parts);

// The file form: "TSLREG01", then each root as a key record
// {u16 name length, name units, u32 value count, values {u16 name length,
// name units, u32 type, u32 byte count, bytes}, u32 subkey count, subkeys},
// all little-endian.
std::vector<uint8_t> SerializeHive(const RegHive& hive);
// Checks every count and length against the bytes left; false on any
// damage (the hive is then empty).
bool ParseHive(const uint8_t* bytes, size_t size, RegHive* hive);

}  // namespace devreg
