// Binary search over a sorted array of fixed-size items with a caller's
// comparison function; answers the match or the place where the key would be
// inserted.
#pragma once

#include <cstdint>

#include "foundation/containers/sorting.h"

// compare(item, key, user) < 0: the item lies before the key; 0: a match.
// True with *index at a matching item; false with *index at the insertion
// point (count when the key follows every item; 0 for an empty array).
bool BinarySearch(uint32_t* index, const void* key, const void* items, uint32_t count,
                  uint32_t itemSize, ItemCompare compare, void* user);
