// Reading the index entries a text record names for its positions.
//
// The record's trailing entry of flag 0x2 is a run of entry headers. A
// header names an entry by number (flag bit 1: its second varint) or by a
// signed step from the entry the previous header named; its byte (default
// 1) counts the consecutive entries named from there; its final varint, a
// position offset from the record's start, is not needed here: the
// entries' own ranges decide.
#include "index/books/position_entries.h"

#include "foundation/streams/trailing_entries.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "storage/books/book_document.h"

namespace {

// Distinct entries named by one record; a record that names more is read
// no further.
constexpr uint32_t kMaxNamed = 256;

struct NamedEntries {
  int32_t numbers[kMaxNamed];
  uint32_t count = 0;
  bool Add(int32_t n) {
    for (uint32_t i = 0; i < count; ++i)
      if (numbers[i] == n) return true;
    if (count == kMaxNamed) return false;
    numbers[count++] = n;
    return true;
  }
};

void CollectNamed(const uint8_t* list, uint32_t length, NamedEntries* named) {
  int64_t previous = -1;
  uint32_t at = 0;
  while (at < length) {
    int32_t first = -1, second = 0, third = -1, fourth = 1, fifth = -1;
    at += ParseEntryHeader(list + at, length - at, &first, &second, &third, &fourth, &fifth);
    const int64_t start = first >= 0 ? static_cast<int64_t>(third) : previous + second;
    if (start < 0 || fourth < 1) continue;
    for (int64_t n = start; n < start + fourth && n <= 0x7FFFFFFF; ++n) {
      if (!named->Add(static_cast<int32_t>(n))) return;
      previous = n;
    }
  }
}

// The smallest range of the entry that holds the position; false when none.
bool RangeHolding(IndexEntryReader* reader, uint32_t position, uint32_t* best) {
  uint64_t start = 0, length = 0;
  bool haveStart = false, haveLength = false, found = false;
  auto consider = [&](uint64_t s, uint64_t l) {
    if (position >= s && position < s + l && (!found || l < *best)) {
      *best = static_cast<uint32_t>(l);
      found = true;
    }
  };
  uint32_t span = 0, perItem = 0;
  for (uint32_t guard = 0; guard < 256; ++guard) {
    const uint32_t tag = reader->NextTag(&span, &perItem);
    if (tag == kTagWalkEnd) break;
    if (span == 0) continue;
    uint32_t v[2] = {0, 0};
    if (tag == 1 && reader->ReadValues(v, 1, false) == 0) {
      start = v[0];
      haveStart = true;
    } else if (tag == 2 && reader->ReadValues(v, 1, false) == 0) {
      length = v[0];
      haveLength = true;
    } else if (tag >= 101 && tag <= 108) {
      while (reader->ReadValues(v, 2, true) == 0) consider(v[0], v[1]);
    }
  }
  if (haveStart && haveLength) consider(start, length);
  return found;
}

}  // namespace

int32_t FindPositionEntry(BookDocument* book, IndexTable* table, uint32_t position) {
  if (book == nullptr || table == nullptr || !table->IsOpen()) return -1;
  const uint8_t* data = nullptr;
  uint32_t size = 0, record = 0;
  if (!book->GetRecordTrailingData(position, &data, &size, &record)) return -1;
  NamedEntries named;
  uint32_t payload = 0;
  const uint8_t* list = FindTrailingEntry(data, data + size, book->Header().extraFlags, 0x2, &payload);
  if (list != nullptr) CollectNamed(list, payload, &named);
  book->ReleaseRecordTrailingData(record);

  IndexEntryReader reader;
  if (!reader.Init(table)) return -1;
  int32_t winner = -1;
  uint32_t winnerLength = 0;
  for (uint32_t i = 0; i < named.count; ++i) {
    const IndexEntryRef ref = table->MakeEntryRef(named.numbers[i]);
    uint32_t length = 0;
    if (ref.IsSentinel() || reader.Attach(ref) != 0 || !RangeHolding(&reader, position, &length)) continue;
    // The smallest range wins; on a tie the one named later.
    if (winner < 0 || length <= winnerLength) {
      winner = named.numbers[i];
      winnerLength = length;
    }
  }
  return winner;
}
