// Sorts over arrays of fixed-size items with a caller's comparison function:
// a stable insertion sort for short or nearly sorted lists and a quicksort
// (not stable) with an explicit stack for the rest. Both move items through a
// one-item scratch buffer and fail only when it cannot be allocated.
#pragma once

#include <cstdint>

// compare(a, b, user) > 0 means a sorts after b. For BinarySearch the first
// argument is an item and the second the key.
using ItemCompare = int (*)(const void* a, const void* b, void* user);

// Stable: each item from the second on is taken out, the earlier items that
// compare greater move one place up, and it is put into the gap.
bool InsertionSort(void* items, uint32_t count, uint32_t itemSize, ItemCompare compare, void* user);

// Partitions around the middle item and sorts the smaller part first, keeping
// the larger on a stack of at most 32 pending ranges.
bool QuickSort(void* items, uint32_t count, uint32_t itemSize, ItemCompare compare, void* user);
