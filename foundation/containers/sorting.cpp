// InsertionSort and QuickSort over raw items.
#include "foundation/containers/sorting.h"

#include <cassert>
#include <cstring>

#include "platform/memory/allocator.h"

namespace {

struct Items {
  uint8_t* base;
  size_t size;
  uint8_t* At(uint32_t i) const { return base + size * i; }
};

void Swap(const Items& items, uint32_t a, uint32_t b, uint8_t* scratch) {
  if (a == b) return;
  std::memcpy(scratch, items.At(a), items.size);
  std::memcpy(items.At(a), items.At(b), items.size);
  std::memcpy(items.At(b), scratch, items.size);
}

// Partitions [lo, hi] (hi > lo) around its middle item; answers the pivot's
// final place.
uint32_t Partition(const Items& items, uint32_t lo, uint32_t hi, ItemCompare compare, void* user,
                   uint8_t* scratch) {
  Swap(items, lo + (hi - lo) / 2, lo, scratch);
  const uint8_t* pivot = items.At(lo);
  uint32_t i = lo;
  uint32_t j = hi + 1;
  for (;;) {
    // Pass over items the pivot sorts after; the far end bounds the walk.
    do {
      ++i;
    } while (i <= hi && compare(pivot, items.At(i), user) > 0);
    // Pass over items that sort after the pivot; the pivot itself stops it
    // (and lo bounds it should the comparison not answer 0 for equal items).
    do {
      --j;
    } while (j > lo && compare(items.At(j), pivot, user) > 0);
    if (i >= j) break;
    Swap(items, i, j, scratch);
  }
  Swap(items, lo, j, scratch);
  return j;
}

}  // namespace

bool InsertionSort(void* base, uint32_t count, uint32_t itemSize, ItemCompare compare, void* user) {
  if (count < 2 || itemSize == 0) return true;
  uint8_t* held = static_cast<uint8_t*>(DeviceAlloc(itemSize));
  if (held == nullptr) return false;
  Items items{static_cast<uint8_t*>(base), itemSize};
  for (uint32_t i = 1; i < count; ++i) {
    if (compare(items.At(i - 1), items.At(i), user) <= 0) continue;
    std::memcpy(held, items.At(i), itemSize);
    uint32_t gap = i;
    while (gap > 0 && compare(items.At(gap - 1), held, user) > 0) --gap;
    std::memmove(items.At(gap + 1), items.At(gap), static_cast<size_t>(itemSize) * (i - gap));
    std::memcpy(items.At(gap), held, itemSize);
  }
  DeviceFree(held);
  return true;
}

bool QuickSort(void* base, uint32_t count, uint32_t itemSize, ItemCompare compare, void* user) {
  if (count < 2 || itemSize == 0) return true;
  uint8_t* scratch = static_cast<uint8_t*>(DeviceAlloc(itemSize));
  if (scratch == nullptr) return false;
  Items items{static_cast<uint8_t*>(base), itemSize};
  struct Range {
    uint32_t lo, hi;
  };
  // Each pushed range is larger than the one sorted next, so the ranges being
  // sorted at least halve from one push to the next: 32 suffice for 2^32.
  Range pending[32];
  uint32_t depth = 0;
  uint32_t lo = 0;
  uint32_t hi = count - 1;
  for (;;) {
    uint32_t j = Partition(items, lo, hi, compare, user, scratch);
    uint32_t leftItems = j - lo;   // [lo, j - 1]
    uint32_t rightItems = hi - j;  // [j + 1, hi]
    Range small{lo, j - 1}, large{j + 1, hi};
    if (leftItems > rightItems) {
      small = Range{j + 1, hi};
      large = Range{lo, j - 1};
    }
    uint32_t smallItems = leftItems > rightItems ? rightItems : leftItems;
    uint32_t largeItems = leftItems > rightItems ? leftItems : rightItems;
    if (largeItems > 1 && smallItems > 1) {
      assert(depth < 32);
      pending[depth++] = large;
      lo = small.lo;
      hi = small.hi;
    } else if (largeItems > 1) {
      lo = large.lo;
      hi = large.hi;
    } else if (depth != 0) {
      --depth;
      lo = pending[depth].lo;
      hi = pending[depth].hi;
    } else {
      break;
    }
  }
  DeviceFree(scratch);
  return true;
}
