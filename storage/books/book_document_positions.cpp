// BookDocument: the position directory that maps text positions to entry
// lists (LookupIndexEntry), and the anchors that text records list in their
// trailing entries (FindAnchorPosition). Directory and entry-data records
// come from the book: every header length, count, shift, limit word, pair,
// reference and offset is checked against its record before it is read.
#include <cstring>

#include "foundation/streams/byte_order.h"
#include "foundation/streams/trailing_entries.h"
#include "foundation/streams/varint.h"
#include "storage/books/book_document.h"
#include "storage/books/entry_list_iterator.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"

namespace {

// The layout of one directory record, checked: its header length, its pairs
// and (record 0) the shift and the limit words.
struct DirectoryRecord {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  uint32_t headerLength = 0;
  uint32_t pairsAt = 0;
  uint32_t pairCount = 0;
};

bool ReadDirectoryRecord(const uint8_t* data, uint32_t size, uint32_t limitWords, DirectoryRecord* out) {
  if (data == nullptr || size < 16) return false;
  const uint32_t headerLength = LoadU32BE(data + 4);
  if (headerLength < 16 || headerLength > size) return false;
  const uint64_t pairsAt = static_cast<uint64_t>(headerLength) + 4ull * limitWords;
  const uint32_t pairCount = LoadU32BE(data + 12);
  if (pairsAt + 8ull * pairCount > size) return false;
  out->data = data;
  out->size = size;
  out->headerLength = headerLength;
  out->pairsAt = static_cast<uint32_t>(pairsAt);
  out->pairCount = pairCount;
  return true;
}

uint32_t PairPosition(const DirectoryRecord& d, uint32_t i) { return LoadU32BE(d.data + d.pairsAt + 8 * i); }
uint32_t PairReference(const DirectoryRecord& d, uint32_t i) { return LoadU32BE(d.data + d.pairsAt + 8 * i + 4); }

}  // namespace

void BookDocument::ReleasePositionDirectory() {
  RecordBuffer** slots[] = {&directoryRoot_, &directoryCache_, &entryCache_};
  for (RecordBuffer** slot : slots) {
    if (*slot != nullptr && store_ != nullptr) store_->ReleaseRecord(*slot, false);
    *slot = nullptr;
  }
  directoryCacheNumber_ = -1;
  entryCacheNumber_ = -1;
}

const uint8_t* BookDocument::CachedRecord(RecordBuffer** slot, int32_t* number, uint32_t record, uint32_t* size) {
  *size = 0;
  if (store_ == nullptr || record >= store_->GetRecordCount()) return nullptr;
  if (*slot == nullptr || *number != static_cast<int32_t>(record)) {
    if (*slot != nullptr) store_->ReleaseRecord(*slot, false);
    *number = -1;
    *slot = store_->LockRecord(static_cast<uint16_t>(record), false);
    if (*slot == nullptr) return nullptr;
    *number = static_cast<int32_t>(record);
  }
  *size = (*slot)->GetSize();
  return (*slot)->GetData();
}

// The pair that holds a position: its reference and the range it covers.
bool BookDocument::LookupPositionPair(uint32_t p, uint32_t* reference, uint32_t* start, uint32_t* end) {
  const uint32_t D = header_.positionDirectoryRecord;
  const uint32_t C = header_.positionDirectoryCount;
  if (store_ == nullptr || header_.headerVersion <= 3 || D == kNoRecord16 || C == 0) return false;
  if (static_cast<uint64_t>(D) + C > store_->GetRecordCount()) return false;
  if (directoryRoot_ == nullptr) {
    directoryRoot_ = store_->LockRecord(static_cast<uint16_t>(D), false);
    if (directoryRoot_ == nullptr) return false;
  }
  DirectoryRecord root;
  if (!ReadDirectoryRecord(directoryRoot_->GetData(), directoryRoot_->GetSize(), C, &root)) return false;
  const uint8_t* limits = root.data + root.headerLength;
  // The first directory record whose limit word is not below p.
  uint32_t i = 0;
  while (i < C && LoadU32BE(limits + 4 * i) < p) ++i;
  if (i == C) return false;
  DirectoryRecord d;
  if (i == 0) {
    d = root;
  } else {
    uint32_t size = 0;
    const uint8_t* data = CachedRecord(&directoryCache_, &directoryCacheNumber_, D + i, &size);
    if (!ReadDirectoryRecord(data, size, 0, &d)) return false;
  }
  // The pair at p, or the one before the insertion point.
  uint32_t lo = 0;
  uint32_t hi = d.pairCount;
  while (lo < hi) {
    uint32_t mid = lo + (hi - lo) / 2;
    if (PairPosition(d, mid) <= p) lo = mid + 1;
    else hi = mid;
  }
  if (lo == 0) return false;
  const uint32_t pair = lo - 1;
  *reference = PairReference(d, pair);
  *start = PairPosition(d, pair);
  if (pair + 1 < d.pairCount) *end = PairPosition(d, pair + 1);
  else if (i + 1 < C) *end = LoadU32BE(limits + 4 * (i + 1));
  else *end = GetTextLength();
  return true;
}

int32_t BookDocument::LookupIndexEntry(uint32_t position, EntryListIterator* entries, bool* changed,
                                       uint32_t previous, uint32_t* range) {
  if (entries == nullptr) return 0;
  *entries = EntryListIterator();
  uint32_t r = 0;
  uint32_t start = 0;
  uint32_t end = 0;
  if (!LookupPositionPair(position, &r, &start, &end)) return 0;
  if (changed != nullptr) {
    uint32_t before = 0, s = 0, e = 0;
    *changed = !LookupPositionPair(previous, &before, &s, &e) || before != r;
    // The first look-up may have moved the cached record: look again.
    LookupPositionPair(position, &r, &start, &end);
  }
  if (range != nullptr) *range = end;
  // Directory record 0 holds the shift.
  const uint32_t shift = LoadU32BE(directoryRoot_->GetData() + 8);
  if (shift >= 32 || header_.entryDataRecord == kNoRecord16) return 0;
  const uint32_t mask = (1u << shift) - 1;
  const uint64_t directory = static_cast<uint64_t>(header_.positionDirectoryRecord) + (r >> shift);
  if ((r >> shift) >= header_.positionDirectoryCount) return 0;
  uint32_t dirSize = 0;
  const uint8_t* dir = CachedRecord(&directoryCache_, &directoryCacheNumber_, static_cast<uint32_t>(directory), &dirSize);
  const uint32_t at = r & mask;
  if (dir == nullptr || dirSize < 16 || !RecordRangeFits(at, 4, dirSize)) return 0;
  const uint32_t r2 = LoadU32BE(dir + at);
  const uint32_t headerLength = LoadU32BE(dir + 4);
  entries->rangeValue = headerLength >= 20 && dirSize >= 20 ? LoadU32BE(dir + 16) : 0;
  const uint64_t entryRecord = static_cast<uint64_t>(header_.entryDataRecord) + (r2 >> shift);
  if (entryRecord > 0xFFFF) return 0;
  uint32_t dataSize = 0;
  const uint8_t* data = CachedRecord(&entryCache_, &entryCacheNumber_, static_cast<uint32_t>(entryRecord), &dataSize);
  if (data == nullptr) return 0;
  // The directory record may have been the entry-data record's slot: keep
  // both pointers from their own slots.
  dir = directoryCache_ != nullptr ? directoryCache_->GetData() : nullptr;
  if (dir == nullptr) return 0;
  entries->document = this;
  entries->records = data;
  entries->recordSize = dataSize;
  entries->entry = r2 & mask;
  entries->words = dir;
  entries->wordsSize = dirSize;
  entries->word = at + 4;
  entries->remaining = 1;
  if (!entries->HasEntry()) entries->remaining = 0;
  return entries->remaining != 0 ? 1 : 0;
}

uint32_t BookDocument::FindAnchorPosition(uint32_t from, uint32_t to, bool forward) {
  const uint32_t length = GetTextLength();
  if (length == kAbsentField || header_.headerVersion < 6 || (header_.extraFlags & 0x4) == 0 || store_ == nullptr)
    return 0xFFFFFFFFu;
  if (to > length) to = length;
  if (from > to) from = to;
  if (from == to) return 0xFFFFFFFFu;
  uint32_t best = 0xFFFFFFFFu;
  uint32_t record = 0, recordStart = 0, recordLength = 0;
  if (!LocateTextRecord(to - 1, &record, &recordStart, &recordLength)) return best;
  for (uint32_t guard = 0; guard < 0x10000; ++guard) {
    // The record's trailing entries, held for the next look-up.
    const uint8_t* trailing = nullptr;
    uint32_t size = 0, held = 0;
    const bool haveTrailing = GetRecordTrailingData(recordStart, &trailing, &size, &held);
    uint32_t payload = 0;
    const uint8_t* list =
        haveTrailing ? FindTrailingEntry(trailing, trailing + size, header_.extraFlags, 0x4, &payload) : nullptr;
    // The anchors, each moved out of a tag it lies in: the record's text is
    // read raw to look up to 7 characters around it.
    TextBlock block;
    const bool haveText = list != nullptr && ReadBlock(recordStart, &block, 0, true);
    const uint8_t* text = haveText ? static_cast<const uint8_t*>(block.data) : nullptr;
    const uint32_t textLength = haveText ? block.length : 0;
    const uint32_t textStart = haveText ? block.start : 0;
    uint32_t at = 0;
    while (list != nullptr && at < payload) {
      uint32_t v = 0;
      uint32_t used = ReadForwardVarint(list + at, &v, payload - at);
      if (used == 0) break;
      at += used;
      uint64_t anchor = static_cast<uint64_t>(recordStart) + 8ull * v;
      if (text != nullptr && anchor >= textStart && anchor < static_cast<uint64_t>(textStart) + textLength) {
        const uint32_t i = static_cast<uint32_t>(anchor - textStart);
        if (text[i] == '>') {
          ++anchor;
        } else if (text[i] != '<') {
          // Within 7 characters and within the text.
          uint32_t lt = 0xFFFFFFFFu, gt = 0xFFFFFFFFu;
          for (uint32_t k = 1; k <= 7 && k <= i; ++k)
            if (text[i - k] == '<') { lt = i - k; break; }
          for (uint32_t k = 1; k <= 7 && i + k < textLength; ++k)
            if (text[i + k] == '>') { gt = i + k; break; }
          if (lt != 0xFFFFFFFFu && gt != 0xFFFFFFFFu) {
            const bool closing = lt + 1 < textLength && text[lt + 1] == '/';
            const bool selfClosing = gt > 0 && text[gt - 1] == '/';
            anchor = textStart + ((closing || selfClosing) ? gt + 1 : lt);
          } else if (gt != 0xFFFFFFFFu) {
            anchor = textStart + gt + 1;
          }
        }
      }
      if (anchor >= from && anchor < to) {
        const uint32_t a = static_cast<uint32_t>(anchor);
        if (best == 0xFFFFFFFFu || (forward ? a < best : a > best)) best = a;
      }
    }
    if (haveText) ReleaseBlock(block.blockId);
    if (haveTrailing) ReleaseRecordTrailingData(held);
    if (recordStart <= from || record <= 1) break;
    if (!LocateTextRecord(recordStart - 1, &record, &recordStart, &recordLength)) break;
  }
  return best;
}
