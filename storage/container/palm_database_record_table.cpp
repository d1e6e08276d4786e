// RecordTable: reserving, growing, inserting and removing entries.
#include "storage/container/palm_database_record_table.h"

#include <cstring>

#include "platform/memory/allocator.h"

RecordTable::~RecordTable() { DeviceFree(slots_); }

bool RecordTable::Reserve(uint32_t n) {
  auto* block = static_cast<RecordTableEntry*>(DeviceAllocZeroed(sizeof(RecordTableEntry) * (static_cast<size_t>(n) + 1)));
  if (!block) {
    status.SetError(kErrorGrowth);
    return false;
  }
  DeviceFree(slots_);
  slots_ = block;
  capacity_ = n + 1;
  count_ = 0;
  return true;
}

bool RecordTable::Grow(uint32_t slotsNeeded) {
  if (slotsNeeded <= capacity_) return true;
  uint32_t slots = capacity_ == 0 ? 6 : slotsNeeded - 1 + (slotsNeeded - 1) / 2 + 2;
  if (slots < slotsNeeded) slots = slotsNeeded;
  auto* block = static_cast<RecordTableEntry*>(DeviceAllocZeroed(sizeof(RecordTableEntry) * static_cast<size_t>(slots)));
  if (!block) {
    status.SetError(kErrorGrowth);
    return false;
  }
  if (slots_) std::memcpy(block, slots_, sizeof(RecordTableEntry) * capacity_);
  DeviceFree(slots_);
  slots_ = block;
  capacity_ = slots;
  return true;
}

bool RecordTable::Insert(uint32_t i, const RecordTableEntry& entry) {
  if (i > count_) i = count_;
  // Slot count_ + 1 is the one the new last entry reaches.
  if (!Grow(count_ + 2)) return false;
  RecordTableEntry* at = &slots_[i + 1];
  std::memmove(at + 1, at, sizeof(RecordTableEntry) * (count_ - i));
  *at = entry;
  ++count_;
  return true;
}

void RecordTable::Remove(uint32_t i) {
  if (i >= count_) return;
  RecordTableEntry* at = &slots_[i + 1];
  std::memmove(at, at + 1, sizeof(RecordTableEntry) * (count_ - i - 1));
  --count_;
}
