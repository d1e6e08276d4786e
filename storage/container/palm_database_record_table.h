// RecordTable: the in-memory record entries of a StreamPalmDatabase, one
// growable block of entries. Slot 0 of the block is never used; entry i
// lives in slot i + 1. The table starts with 6 slots and grows, when an
// insert reaches its end, to i + i/2 + 2 slots for the slot index i reached.
// An allocation failure leaves the table as it was and records error 14 in
// its status.
//
// The table does not own the records' data: the database that holds it
// frees the blocks (it alone knows whether it owns them).
#pragma once

#include <cstdint>

#include "foundation/encoded_string/error_status.h"

struct RecordTableEntry {
  uint32_t offset;       // in the file, native order
  uint8_t attributes;
  uint8_t uniqueId[3];   // as stored (big-endian)
  uint8_t* data;         // never null for a record that holds data
  uint32_t size;         // at most 24 bits
};

class RecordTable {
 public:
  static constexpr int32_t kErrorGrowth = 14;

  RecordTable() = default;
  ~RecordTable();
  RecordTable(const RecordTable&) = delete;
  RecordTable& operator=(const RecordTable&) = delete;

  // Drops the contents and makes room for n entries.
  bool Reserve(uint32_t n);
  uint32_t Count() const { return count_; }
  RecordTableEntry* At(uint32_t i) { return i < count_ ? &slots_[i + 1] : nullptr; }
  const RecordTableEntry* At(uint32_t i) const { return i < count_ ? &slots_[i + 1] : nullptr; }
  // The entries 0 .. Count() - 1, contiguous (for sorting); null when empty.
  RecordTableEntry* Entries() { return count_ ? &slots_[1] : nullptr; }
  // Puts entry at min(i, Count()), moving the tail up; false (and error 14)
  // when the table cannot grow.
  bool Insert(uint32_t i, const RecordTableEntry& entry);
  // Appends during a load (room reserved before).
  bool Append(const RecordTableEntry& entry) { return Insert(count_, entry); }
  // Takes entry i out, moving the tail down.
  void Remove(uint32_t i);
  // Forgets every entry (their data is the owner's to free).
  void Clear() { count_ = 0; }

  ErrorStatus status;

 private:
  bool Grow(uint32_t slotsNeeded);

  RecordTableEntry* slots_ = nullptr;
  uint32_t capacity_ = 0;  // slots, slot 0 included
  uint32_t count_ = 0;
};
