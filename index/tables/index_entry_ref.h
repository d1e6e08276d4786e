// IndexEntryRef: the place of one entry of an index table, {entry record
// (1-based), entry within it (0-based)}, with two sentinels: before the
// start {-1, -1} and past the end {-1, -2}. Copied by value.
#pragma once

#include <cstdint>

struct IndexEntryRef {
  int32_t record = -1;
  int32_t entry = -1;

  static IndexEntryRef BeforeStart() { return {-1, -1}; }
  static IndexEntryRef PastEnd() { return {-1, -2}; }
  bool IsSentinel() const { return record == -1 || entry < 0; }
  bool operator==(const IndexEntryRef& other) const { return record == other.record && entry == other.entry; }
  bool operator!=(const IndexEntryRef& other) const { return !(*this == other); }
};
