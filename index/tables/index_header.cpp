// Parsing an index record's head, with every block checked against the
// record before a pointer to it is kept.
#include "index/tables/index_header.h"

#include <cstring>

#include "foundation/streams/byte_order.h"
#include "storage/container/record_buffer.h"

uint32_t IndexField(const uint8_t* data, uint32_t length, uint32_t offset, uint32_t absent) {
  return RecordRangeFits(offset, 4, length) ? LoadU32BE(data + offset) : absent;
}

namespace {

bool HasMagic(const uint8_t* data, uint32_t length, uint32_t offset, const char* magic) {
  return RecordRangeFits(offset, 4, length) && std::memcmp(data + offset, magic, 4) == 0;
}

void ReadCollation(const uint8_t* d, uint32_t n, IndexHeader* h) {
  const uint32_t L = h->headerLength;
  h->collation.utf16Keys = h->codePage == kIndexCodePageWide ? 1 : 0;
  uint32_t ordt = IndexField(d, n, 40, 0);
  if (ordt != 0 && RecordRangeFits(ordt, 260, n)) h->collation.ordt = d + ordt + 4;
  if (L < 180) return;
  h->collation.oneByteEntries = IndexField(d, n, 164, 0) != 0 ? 1 : 0;
  uint64_t k = IndexField(d, n, 168, 0);
  uint32_t weights = IndexField(d, n, 172, 0);
  uint32_t characters = IndexField(d, n, 176, 0);
  uint64_t weightBytes = k * (h->collation.oneByteEntries ? 1 : 2);
  bool fits = k != 0 && weights != 0 && characters != 0 && weightBytes + 4 <= n &&
              static_cast<uint64_t>(weights) + 4 + weightBytes <= n && 2 * k + 4 <= n &&
              static_cast<uint64_t>(characters) + 4 + 2 * k <= n;
  if (!fits) return;
  h->collation.characterCount = static_cast<uint32_t>(k);
  h->collation.weights = d + weights + 4;
  h->collation.characters = d + characters + 4;
}

}  // namespace

bool ParseIndexHeader(const uint8_t* d, uint32_t n, IndexHeader* h) {
  *h = IndexHeader();
  if (d == nullptr || n <= 8 || std::memcmp(d, "INDX", 4) != 0) return false;
  const uint32_t L = LoadU32BE(d + 4);
  if (L > n) return false;
  const uint32_t idxt = IndexField(d, n, 20, 0xFFFFFFFFu);
  const uint32_t count = IndexField(d, n, 24, 0);
  if (idxt == 0xFFFFFFFFu || static_cast<uint64_t>(idxt) + 2ull * count + 4 > n) return false;
  if (!HasMagic(d, n, idxt, "IDXT")) return false;
  h->data = d;
  h->length = n;
  h->headerLength = L;
  h->recordKind = IndexField(d, n, 12, 0xFFFFFFFFu);
  h->idxtItems = d + idxt + 4;
  h->count = count;
  h->totalEntries = IndexField(d, n, 36, 0);
  h->indexType = static_cast<int32_t>(IndexField(d, n, 8, 0xFFFFFFFFu));
  h->textRecordCount = L >= 56 ? IndexField(d, n, 52, 0) : 0;
  h->followingTable = L >= 60 ? IndexField(d, n, 56, 0) : 0;

  const uint32_t ligt = IndexField(d, n, 44, 0);
  const uint32_t ligtCount = IndexField(d, n, 48, 0);
  if (ligt != 0 && ligtCount != 0 && static_cast<uint64_t>(ligt) + 4ull * ligtCount + 4 <= n &&
      HasMagic(d, n, ligt, "LIGT")) {
    h->ligatures = d + ligt + 4;
    h->ligatureCount = ligtCount;
  }
  const uint32_t cp = IndexField(d, n, 28, 0xFFFFFFFFu);
  h->codePage = cp == 0xFFFFFFFFu ? 1252 : cp;
  h->languageWord = IndexField(d, n, 32, 0xFFFF) & 0xFFFF;
  ReadCollation(d, n, h);
  if (L >= 184) {
    const uint32_t nameOffset = IndexField(d, n, 180, 0);
    const uint32_t nameLength = IndexField(d, n, 184, 0);
    // A name that overruns the record is dropped.
    if (nameOffset != 0 && nameLength != 0 && RecordRangeFits(nameOffset, nameLength, n)) {
      h->name = d + nameOffset;
      h->nameLength = nameLength;
    }
  }
  if (L >= 164) h->tieBreak = IndexField(d, n, 160, 0) != 0 ? 1 : 0;
  return true;
}
