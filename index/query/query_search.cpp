// Entry-number binary search (see query_search.h).
#include "index/query/query_search.h"

#include <cstring>

#include "index/tables/index_table.h"

int32_t SearchEntries(IndexTable* table, uint32_t count, const uint8_t* key, uint32_t length, uint32_t limit,
                      bool upper) {
  if (table == nullptr || !table->IsOpen()) return static_cast<int32_t>(count);
  // The key may live in a record buffer that the search replaces.
  uint8_t copy[kIndexScratchBytes];
  if (length > sizeof(copy)) length = sizeof(copy);
  if (length != 0) std::memcpy(copy, key, length);
  uint32_t lo = 0;
  uint32_t hi = count;
  while (lo < hi) {
    const uint32_t mid = lo + (hi - lo) / 2;
    const IndexEntryRef ref = table->MakeEntryRef(static_cast<int32_t>(mid));
    const uint8_t* label = nullptr;
    uint32_t labelLength = 0;
    int32_t order = -1;  // an unreadable entry counts as above the key
    if (!ref.IsSentinel() && table->GetLabelData(ref.record, ref.entry, &label, &labelLength))
      order = table->CompareKeys(copy, length, label, labelLength, limit);
    const bool goesLeft = upper ? order < 0 : order <= 0;
    if (goesLeft) hi = mid;
    else lo = mid + 1;
  }
  return static_cast<int32_t>(lo);
}

uint32_t CountTableEntries(IndexTable* table) {
  if (table == nullptr || !table->IsOpen()) return 0;
  uint64_t total = 0;
  for (uint32_t i = 1; i <= table->GetEntryRecordCount(); ++i) total += table->RecordEntryCount(i);
  return total > 0x7FFFFFFF ? 0x7FFFFFFFu : static_cast<uint32_t>(total);
}
