// The attribute store's file: one line per device path,
//   "<attributes, hex> <creation FILETIME, decimal> <folded device path>"
// the path written with the file layer's host-name encoder, so that paths
// holding undecodable host bytes (U+DC80..U+DCFF) come back as they went.
// The file lies in the device root, where anything may be planted: a line
// that is not exactly of this form is skipped, never trusted.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/types/device_types.h"

namespace devicefs {

struct StoredEntry {
  DWORD attributes = 0;   // only the emulated bits
  uint64_t creation = 0;  // FILETIME value; 0 when none was kept
  bool operator==(const StoredEntry&) const = default;
};

// Key: the folded device path.
using StoredEntries = std::map<std::u16string, StoredEntry>;

// Entries with nothing to keep are neither read nor written.
StoredEntries ParseAttributeStore(const std::string& text);
std::string FormatAttributeStore(const StoredEntries& entries);

}  // namespace devicefs
