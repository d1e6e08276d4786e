// Page-table growth of the paged arrays.
#include "index/records/paged_array.h"

uint32_t PagedArrayTableSlots(uint32_t end) {
  uint64_t slots = static_cast<uint64_t>(end) + end / 2;
  if (slots < static_cast<uint64_t>(end) + 4) slots = static_cast<uint64_t>(end) + 4;
  if (slots < 8) slots = 8;
  return slots > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(slots);
}
