// IntArray: a growable array of 32-bit values (16 to a block) for column
// and row vectors. A value may carry bit 30 as a "flexible" flag; sums and
// Plain() mask it off. Growing reports lack of memory, never throws.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"

class IntArray {
 public:
  static constexpr int32_t kFlexible = 0x40000000;
  static constexpr int32_t kLargest = 0x0FFFFFFF;  // every stored length stays below the flag

  IntArray() { values_.SetGeometry(4, 4); }
  IntArray(const IntArray&) = delete;
  IntArray& operator=(const IntArray&) = delete;

  static int32_t Plain(int32_t v) { return v & ~kFlexible; }
  static bool IsFlexible(int32_t v) { return (v & kFlexible) != 0; }
  static int32_t Clamp(int64_t v) { return v < 0 ? 0 : (v > kLargest ? kLargest : static_cast<int32_t>(v)); }

  uint32_t Count() const { return values_.count; }
  // The index of the new value, -1 on lack of memory.
  int32_t Append(int32_t v) { return values_.Append(&v); }
  // Clears and holds n copies of v; false on lack of memory (then empty).
  bool Fill(uint32_t n, int32_t v);
  int32_t Get(uint32_t i) const { return *static_cast<const int32_t*>(values_.At(i)); }
  void Set(uint32_t i, int32_t v) { *static_cast<int32_t*>(values_.At(i)) = v; }
  // The plain values of the first n (all when n is larger), in 64 bits.
  int64_t SumFirst(uint32_t n) const;
  int64_t Sum() const { return SumFirst(Count()); }
  bool CopyFrom(const IntArray& other) { return values_.CopyFrom(other.values_); }
  void Clear() { values_.Clear(); }

 private:
  SegmentedArray values_;
};
