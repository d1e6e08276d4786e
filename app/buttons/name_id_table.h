// NameIdTable: the application controller's font table, in which names are
// registered and found by a small number. Entries 0-7 are fixed slots (the
// preferences keep the system font at 3 and the font-file font at 4);
// named entries start at 8; the table holds at most 256 entries.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"

class NameIdTable {
 public:
  static constexpr uint32_t kCapacity = 256;
  static constexpr uint32_t kFirstNamed = 8;
  static constexpr uint32_t kDataSize = 32;

  struct Entry {
    uint32_t value = 0;
    EncodedString name;
    uint8_t data[kDataSize] = {};
  };

  NameIdTable() = default;
  virtual ~NameIdTable() = default;
  NameIdTable(const NameIdTable&) = delete;
  NameIdTable& operator=(const NameIdTable&) = delete;

  // The index of the named entry, added when new; 0 for an empty name or a
  // full table. Data of at least 32 bytes is copied into the entry.
  virtual uint32_t FindOrAdd(const EncodedString& name, const uint8_t* data, uint32_t length);
  virtual uint32_t Identity(uint32_t value) { return value; }

  // Grows the table to hold `index` (false beyond the capacity).
  bool EnsureCount(uint32_t count);
  uint32_t Count() const { return count_; }
  Entry* At(uint32_t index) { return index < count_ ? &entries_[index] : nullptr; }
  const Entry* At(uint32_t index) const { return index < count_ ? &entries_[index] : nullptr; }

 private:
  Entry entries_[kCapacity];
  uint32_t count_ = 0;
};
