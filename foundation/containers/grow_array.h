// GrowArray: a growable array of pointer-sized elements with a failure
// sentinel. Element i lives in slot i + 1 of the data; slot 0 is the
// sentinel that At answers when the array cannot grow, so a caller may
// always write through the answer and test the error head afterwards (error
// kErrorArrayGrowth, 14).
#pragma once

#include <cstdint>

#include "foundation/encoded_string/error_status.h"

class GrowArray {
 public:
  GrowArray() = default;
  ~GrowArray() { Free(); }
  GrowArray(const GrowArray&) = delete;
  GrowArray& operator=(const GrowArray&) = delete;

  // The address of element `index`. When slot index + 1 is beyond the data,
  // the data grows to index + index / 2 + 2 slots first (new slots zero);
  // when that fails, error 14 goes into the head and the sentinel's address
  // is answered. The count grows to take in the element.
  uintptr_t* At(uint32_t index);
  // The element at the append cursor, which then moves on; the sentinel
  // (cursor kept) when the array cannot grow.
  uintptr_t* AppendSlot();
  // Removes element `index` (< count): later elements move down, the count
  // drops by one and the append cursor moves back when it lay beyond it.
  void RemoveAt(uint32_t index);
  uint32_t Count() const { return countPlusOne - 1; }
  void Free();

  ErrorStatus status;
  uint32_t word = 0;  // free for the owner's use
  uint32_t capacity = 0;  // slots, sentinel included
  uint32_t appendCursor = 0;
  uint32_t countPlusOne = 1;
  uintptr_t* data = nullptr;

 private:
  uintptr_t spare_ = 0;  // the sentinel until there is data
};
