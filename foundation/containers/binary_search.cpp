// BinarySearch. The bounds are signed 64-bit: hi = mid - 1 reaches -1 when the
// key lies before item 0, which unsigned bounds would turn into a huge index.
#include "foundation/containers/binary_search.h"

#include <cstddef>

bool BinarySearch(uint32_t* index, const void* key, const void* items, uint32_t count,
                  uint32_t itemSize, ItemCompare compare, void* user) {
  if (count == 0) {
    *index = 0;
    return false;
  }
  const uint8_t* base = static_cast<const uint8_t*>(items);
  auto item = [&](int64_t i) { return base + static_cast<size_t>(itemSize) * static_cast<size_t>(i); };
  int64_t lo = 0;
  int64_t hi = static_cast<int64_t>(count) - 1;
  while (lo < hi) {
    int64_t mid = (lo + hi) / 2;
    int c = compare(item(mid), key, user);
    if (c == 0) {
      *index = static_cast<uint32_t>(mid);
      return true;
    }
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  // lo stays below count: it only ever becomes mid + 1 <= hi.
  int c = compare(item(lo), key, user);
  *index = static_cast<uint32_t>(c < 0 ? lo + 1 : lo);
  return c == 0;
}
