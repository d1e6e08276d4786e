// RangeIndex: the entries of a cache whose entries each cover a range of
// positions, kept in order of their range's start, so that the entry that
// may hold a position (the last one starting at or before it) is found by
// binary search rather than by walking every entry. A cache of text blocks
// holds one entry per block it has out, and a book cut into very many small
// records may have hundreds out at once.
//
// Each entry is a key (the range's start, with whatever the owner orders
// equal starts by in its low bits) and the owner's value (a slot number).
// The table lives on the device heap; only Insert can fail (lack of
// memory), and then nothing changed.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/memory/allocator.h"

class RangeIndex {
 public:
  struct Entry {
    uint64_t key;
    uint32_t value;
  };

  RangeIndex() = default;
  ~RangeIndex() { DeviceFree(entries_); }
  RangeIndex(const RangeIndex&) = delete;
  RangeIndex& operator=(const RangeIndex&) = delete;

  uint32_t Count() const { return count_; }
  const Entry& At(uint32_t i) const { return entries_[i]; }

  // The number of entries whose key is at or below `key`: the entry that
  // may cover a position is the one before that index.
  uint32_t CountAtOrBelow(uint64_t key) const {
    uint32_t low = 0;
    uint32_t high = count_;
    while (low < high) {
      const uint32_t middle = low + (high - low) / 2;
      if (entries_[middle].key <= key) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    return low;
  }

  // Adds an entry behind those with an equal key; false when memory runs
  // out (the table is then as it was).
  bool Insert(uint64_t key, uint32_t value) {
    if (count_ == capacity_) {
      const uint32_t grown = capacity_ < 8 ? 8 : capacity_ + capacity_ / 2;
      if (grown <= capacity_ || grown > kMaxEntries) return false;
      void* moved = DeviceRealloc(entries_, sizeof(Entry) * grown);
      if (moved == nullptr) return false;
      entries_ = static_cast<Entry*>(moved);
      capacity_ = grown;
    }
    const uint32_t at = CountAtOrBelow(key);
    std::memmove(entries_ + at + 1, entries_ + at, sizeof(Entry) * (count_ - at));
    entries_[at] = Entry{key, value};
    ++count_;
    return true;
  }

  // Removes the entry with this key and value; false when there is none.
  bool Remove(uint64_t key, uint32_t value) {
    for (uint32_t i = CountAtOrBelow(key); i > 0 && entries_[i - 1].key == key; --i) {
      if (entries_[i - 1].value != value) continue;
      std::memmove(entries_ + i - 1, entries_ + i, sizeof(Entry) * (count_ - i));
      --count_;
      return true;
    }
    return false;
  }

  void Clear() { count_ = 0; }

 private:
  static constexpr uint32_t kMaxEntries = 0x0FFFFFFFu;
  Entry* entries_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
};
