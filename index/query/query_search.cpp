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
  // Whether the answer lies at or before a label: an unreadable label
  // counts as above the key.
  auto goesLeft = [&](bool readable, const uint8_t* label, uint32_t labelLength) {
    if (!readable) return true;
    const int32_t order = table->CompareKeys(copy, length, label, labelLength, limit);
    return upper ? order < 0 : order <= 0;
  };
  // First the entry record, by the highest keys that the header record
  // lists (it stays loaded); then that record's own entries, so that a
  // search loads one entry record instead of one per probe.
  const uint32_t records = table->GetEntryRecordCount();
  uint32_t r = 0;
  uint32_t rhi = records;
  while (r < rhi) {
    const uint32_t mid = r + (rhi - r) / 2;
    const uint8_t* label = nullptr;
    uint32_t labelLength = 0;
    const bool readable = table->GetHeaderLabel(mid, &label, &labelLength);
    if (goesLeft(readable, label, labelLength)) rhi = mid;
    else r = mid + 1;
  }
  if (r >= records) return static_cast<int32_t>(count);
  const int32_t first = table->GetEntryNumber({static_cast<int32_t>(r + 1), 0});
  if (first < 0 || static_cast<uint32_t>(first) >= count) return static_cast<int32_t>(count);
  uint32_t lo = static_cast<uint32_t>(first);
  uint32_t hi = lo + table->RecordEntryCount(r + 1);
  if (hi > count) hi = count;
  while (lo < hi) {
    const uint32_t mid = lo + (hi - lo) / 2;
    const IndexEntryRef ref = table->MakeEntryRef(static_cast<int32_t>(mid));
    const uint8_t* label = nullptr;
    uint32_t labelLength = 0;
    const bool readable = !ref.IsSentinel() && table->GetLabelData(ref.record, ref.entry, &label, &labelLength);
    if (goesLeft(readable, label, labelLength)) hi = mid;
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
