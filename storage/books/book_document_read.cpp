// BookDocument::ReadBlock and its companions: the block cache, reading a
// record in place or through the decode store (cut, decompress, carry,
// convert), making a block section-relative, releasing, and the position
// arithmetic over the blocks' character-position maps.
#include <cstring>
#include <new>

#include "foundation/code_pages/char_position_map.h"
#include "foundation/code_pages/code_page.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/compression/palmdoc.h"
#include "storage/books/text_record.h"

namespace {

uint32_t MapOffsetFor(uint32_t recordSize) { return (2 * recordSize + 3) & ~3u; }

// Bytes of the block's source text -> characters of the block.
uint32_t BytesToChars(const TextBlock& block, const CharPositionMap* map, uint32_t unitBytes, uint32_t bytes) {
  uint32_t chars;
  if (map != nullptr) {
    if (bytes > block.sourceLength) bytes = block.sourceLength;
    CharPositionMap::Translate(bytes, &chars, false, map);
  } else {
    chars = bytes / unitBytes;
  }
  return chars < block.length ? chars : block.length;
}

// Characters of the block -> bytes of its source text.
uint32_t CharsToBytes(const TextBlock& block, const CharPositionMap* map, uint32_t unitBytes, uint32_t chars) {
  if (map == nullptr) return chars * unitBytes;
  uint32_t beyond = 0;
  if (chars > block.length) {
    beyond = chars - block.length;
    chars = block.length;
  }
  uint32_t bytes;
  CharPositionMap::Translate(chars, &bytes, true, map);
  return bytes + beyond;
}

}  // namespace

bool BookDocument::Converts(bool raw) const {
  return !raw && (sourceCp_ != targetCp_ || sourceCp_ == kCodePageUtf16);
}

bool BookDocument::UsesMap(bool raw) const { return Converts(raw) && sourceCp_ == kCodePageUtf8; }

uint32_t BookDocument::OutputRecordSize() const {
  const uint32_t size = header_.textRecordSize;
  const uint32_t mapRoom = UsesMap(false) ? CharPositionMapSize(size + 16) + 16 : 0;
  return mapRoom + 2 * size + 32;
}

// Only the slots of the last record start at or before the position can
// hold it (records do not overlap): its converted and its raw block.
const BookDocument::CachedBlock* BookDocument::FindCached(uint32_t absolute, int raw) const {
  const CachedBlock* found = nullptr;
  uint32_t at = blockIndex_.CountAtOrBelow(IndexKey(absolute, 1));
  const uint64_t recordStart = at != 0 ? blockIndex_.At(at - 1).key >> 1 : 0;
  for (; at != 0 && (blockIndex_.At(at - 1).key >> 1) == recordStart; --at) {
    ++cacheProbes_;
    const CachedBlock* e = Slot(blockIndex_.At(at - 1).value);
    if (e->useCount == 0 || absolute < e->recordStart || absolute - e->recordStart >= e->span) continue;
    if (raw >= 0 && e->block.raw != raw) continue;
    // Without a raw flag to match, a converted block is preferred.
    if (found == nullptr || (found->block.raw && !e->block.raw)) found = e;
  }
  return found;
}

int32_t BookDocument::AcquireSlot(uint32_t* index) {
  while (freeSlots_.count != 0) {
    ++cacheProbes_;
    const uint32_t i = *freeSlots_.At(--freeSlots_.count);
    if (i < lockedRecords_.Count() && *LockedAt(i) == nullptr && Slot(i)->useCount == 0) {
      *index = i;
      return 0;
    }
  }
  const uint32_t i = lockedRecords_.Count();
  RecordBuffer* none = nullptr;
  if (lockedRecords_.Append(&none) < 0) return kBookErrorMemory;
  void* slot = cache_.AppendSlot();
  if (slot == nullptr) {
    lockedRecords_.RemoveAt(i, 1);
    return kBookErrorMemory;
  }
  new (slot) CachedBlock();
  *index = i;
  return 0;
}

void BookDocument::FreeSlot(uint32_t index) {
  RecordBuffer** buffer = LockedAt(index);
  if (*buffer != nullptr) {
    PalmDatabase* owner = decodeStore_ != nullptr ? decodeStore_ : store_;
    owner->ReleaseRecord(*buffer, decodeStore_ != nullptr);
    *buffer = nullptr;
  }
  CachedBlock* entry = Slot(index);
  if (entry->useCount != 0) blockIndex_.Remove(IndexKey(entry->recordStart, entry->block.raw), index);
  entry->useCount = 0;
  entry->map = nullptr;
  // A slot that cannot be noted stays unused until the slots are trimmed.
  if (uint32_t* free = freeSlots_.AppendSlot()) *free = index;
}

void BookDocument::TrimSlots() {
  while (lockedRecords_.Count() != 0) {
    const uint32_t last = lockedRecords_.Count() - 1;
    if (*LockedAt(last) != nullptr || Slot(last)->useCount != 0) break;
    if (decodeStore_ != nullptr && last < decodeStore_->GetRecordCount())
      decodeStore_->DeleteRecord(static_cast<uint16_t>(last));
    lockedRecords_.RemoveAt(last, 1);
    cache_.RemoveAt(last, 1);
  }
}

bool BookDocument::ReadBlock(uint32_t position, TextBlock* block, uint32_t section, bool raw) {
  if (block == nullptr) return false;
  block->data = nullptr;
  block->length = 0;
  if (store_ == nullptr) return false;
  uint32_t sectionStart = 0, sectionEnd = 0;
  if (!GetSectionRange(section, &sectionStart, &sectionEnd)) return false;
  if (sectionEnd < sectionStart || position >= sectionEnd - sectionStart) return false;
  const uint32_t absolute = sectionStart + position;

  if (const CachedBlock* cached = FindCached(absolute, raw ? 1 : 0)) {
    CachedBlock* entry = const_cast<CachedBlock*>(cached);
    if (absolute - entry->recordStart >= entry->textBytes) return Fail(kBookErrorCorrupt);
    if (entry->useCount == 0xFFFF) return false;
    ++entry->useCount;
    MakeSectionRelative(*entry, sectionStart, sectionEnd, block);
    return true;
  }

  uint32_t record = 0, recordStart = 0, length = 0;
  uint32_t slot = 0;
  CachedBlock entry{};
  for (;;) {
    if (!LocateTextRecord(absolute, &record, &recordStart, &length))
      return Fail(error_ != 0 ? error_ : kBookErrorCorrupt);
    if (record == 0 || record > header_.textRecordCount) return Fail(kBookErrorCorrupt);
    if (int32_t code = AcquireSlot(&slot)) return Fail(code);
    entry = CachedBlock{};
    const bool ok = UsesDecodedText() ? ReadDecoded(record, recordStart, length, slot, raw, &entry)
                                      : ReadInPlace(record, recordStart, length, slot, raw, &entry);
    if (ok) break;
    FreeSlot(slot);
    TrimSlots();
    // A plain-text record found empty when it was read holds no position:
    // the scan, which knows its length now, goes on past it.
    if (!header_.plainText || !KnownRecordLength(record, &length) || length != 0) return false;
    error_ = 0;
  }
  if (header_.plainText) {
    // The decode tells the record's length; the scan learns it here rather
    // than by counting the record beforehand.
    const uint32_t textLength = header_.textLength;
    NoteRecordLength(record, entry.textBytes);
    entry.span = entry.textBytes;
    if (scanRecord_ == record && scanStart_ == recordStart) scanLength_ = entry.textBytes;
    if (header_.textLength != textLength &&
        (!GetSectionRange(section, &sectionStart, &sectionEnd) || sectionStart + position != absolute ||
         absolute >= sectionEnd)) {
      FreeSlot(slot);
      TrimSlots();
      return Fail(kBookErrorCorrupt);
    }
  }
  entry.useCount = 1;
  entry.block.blockId = static_cast<uint16_t>(slot + 1);
  if (!blockIndex_.Insert(IndexKey(entry.recordStart, entry.block.raw), slot)) {
    FreeSlot(slot);
    TrimSlots();
    return Fail(kBookErrorMemory);
  }
  *Slot(slot) = entry;
  // A record that decodes shorter than the text it is said to cover does
  // not hold the position.
  if (absolute - recordStart >= entry.textBytes) {
    FreeSlot(slot);
    TrimSlots();
    return Fail(kBookErrorCorrupt);
  }
  MakeSectionRelative(entry, sectionStart, sectionEnd, block);
  return true;
}

bool BookDocument::ReadInPlace(uint32_t record, uint32_t recordStart, uint32_t length, uint32_t slot, bool raw,
                               CachedBlock* entry) {
  RecordBuffer* buffer = store_->LockRecord(static_cast<uint16_t>(record), false);
  if (buffer == nullptr) return Fail(kBookErrorCorrupt);
  TextRecordParts parts;
  const bool split = SplitTextRecord(buffer->GetData(), buffer->GetSize(), header_.extraFlags, sourceCp_, &parts);
  if (!split || parts.textLength == 0 || parts.textLength > header_.textRecordSize) {
    if (split && parts.textLength == 0 && header_.plainText) NoteRecordLength(record, 0);  // the scan steps past it
    store_->ReleaseRecord(buffer, false);
    return Fail(kBookErrorCorrupt);
  }
  *LockedAt(slot) = buffer;
  HoldTrailingData(record, buffer, true);
  entry->block.start = recordStart;
  entry->block.data = buffer->GetData();
  entry->block.length = parts.textLength;
  entry->block.sourceLength = parts.textLength;
  entry->block.raw = raw ? 1 : 0;
  entry->textBytes = parts.textLength;
  entry->map = nullptr;
  entry->recordStart = recordStart;
  entry->span = length;
  entry->unitBytes = 1;
  return true;
}

bool BookDocument::ReadDecoded(uint32_t record, uint32_t recordStart, uint32_t length, uint32_t slot, bool raw,
                               CachedBlock* entry) {
  if (decodeStore_ == nullptr) return Fail(kBookErrorMemory);
  RecordBuffer* source = store_->LockRecord(static_cast<uint16_t>(record), false);
  if (source == nullptr) return Fail(kBookErrorCorrupt);
  TextRecordParts parts;
  if (source->GetSize() == 0 ||
      !SplitTextRecord(source->GetData(), source->GetSize(), header_.extraFlags, sourceCp_, &parts)) {
    if (source->GetSize() == 0 && header_.plainText) NoteRecordLength(record, 0);  // the scan steps past it
    store_->ReleaseRecord(source, false);
    return Fail(kBookErrorCorrupt);
  }

  // The slot's output record: the one it has, or a new one.
  RecordBuffer* output = slot < decodeStore_->GetRecordCount()
                             ? decodeStore_->LockRecord(static_cast<uint16_t>(slot), true)
                             : decodeStore_->InsertRecord(static_cast<uint16_t>(slot), OutputRecordSize());
  uint8_t* out = output != nullptr ? output->GetWritableData() : nullptr;
  if (out == nullptr || output->GetSize() < OutputRecordSize()) {
    if (output != nullptr) decodeStore_->ReleaseRecord(output, false);
    store_->ReleaseRecord(source, false);
    return Fail(kBookErrorMemory);
  }
  *LockedAt(slot) = output;

  // The text of a record is at most the record size; the carried bytes of
  // a character cut at its end come behind it.
  const uint32_t limit = header_.textRecordSize;
  const uint8_t* input = source->GetData();
  uint32_t decoded = 0;
  bool ok = true;
  switch (header_.compression) {
    case kCompressionPalmDoc:
      ok = DecodePalmDoc(input, parts.textLength, out, limit, &decoded) == PalmDocResult::kOk;
      break;
    case kCompressionHuffCdic:
      ok = EnsureHuffCdicTables() && decoder_.Decode(input, parts.textLength, out, limit, &decoded) == HuffCdicResult::kOk;
      break;
    default:
      ok = parts.textLength <= limit;
      if (ok) {
        std::memcpy(out, input, parts.textLength);
        decoded = parts.textLength;
      }
      break;
  }
  uint32_t carried = 0;
  if (ok && !raw) ok = AppendUtf8Overlap(out, 2 * limit, decoded, parts, &carried);
  if (ok) HoldTrailingData(record, source, true);
  store_->ReleaseRecord(source, false);
  const uint32_t bytes = decoded + carried;
  if (!ok || bytes == 0) {
    if (ok && header_.plainText) NoteRecordLength(record, 0);  // the scan steps past it
    return Fail(kBookErrorCorrupt);
  }

  uint32_t chars = bytes;
  const CharPositionMap* map = nullptr;
  if (Converts(raw)) {
    const bool useMap = UsesMap(raw);
    CharMapCarry carry;
    carry.mapOffset = MapOffsetFor(limit);
    carry.shift = mapShift_;
    chars = Document::ConvertText(output, nullptr, bytes, sourceCp_, targetCp_, useMap ? &carry : nullptr, useMap);
    if (chars == 0) return Fail(kBookErrorCorrupt);
    if (useMap) map = reinterpret_cast<const CharPositionMap*>(out + carry.mapOffset);
  }
  entry->block.start = recordStart;
  entry->block.data = out;
  entry->block.length = chars;
  entry->block.sourceLength = bytes;
  entry->block.raw = raw ? 1 : 0;
  entry->textBytes = decoded;
  entry->map = map;
  entry->recordStart = recordStart;
  entry->span = length;
  entry->unitBytes = (!raw && sourceCp_ == kCodePageUtf16) ? 2 : 1;
  return true;
}

void BookDocument::MakeSectionRelative(const CachedBlock& entry, uint32_t sectionStart, uint32_t sectionEnd,
                                       TextBlock* block) const {
  *block = entry.block;
  const uint32_t unitSize = (!entry.block.raw && targetCp_ == kCodePageUtf16) ? 2 : 1;
  uint32_t first = 0;
  uint32_t last = entry.block.length;
  uint32_t start = entry.recordStart;
  if (entry.recordStart < sectionStart) {
    first = BytesToChars(entry.block, entry.map, entry.unitBytes, sectionStart - entry.recordStart);
    start = sectionStart;
  }
  if (sectionEnd - entry.recordStart < entry.span)
    last = BytesToChars(entry.block, entry.map, entry.unitBytes, sectionEnd - entry.recordStart);
  if (last < first) last = first;
  block->start = start - sectionStart;
  block->data = static_cast<const uint8_t*>(entry.block.data) + static_cast<size_t>(first) * unitSize;
  block->length = last - first;
  block->scanStart = block->start;
  block->scanOffset = 0;
}

void BookDocument::ReleaseBlock(uint16_t blockId) {
  // Unknown and already released identifiers are ignored.
  if (blockId == 0 || blockId > cache_.Count()) return;
  const uint32_t slot = blockId - 1u;
  CachedBlock* entry = Slot(slot);
  if (entry->useCount == 0) return;
  if (entry->useCount != 1) {
    --entry->useCount;
    return;
  }
  FreeSlot(slot);  // out of the index while its use count still says it is in
  TrimSlots();
}

uint32_t BookDocument::AdvancePosition(uint32_t position, uint32_t count, uint32_t section) {
  uint32_t sectionStart = 0, sectionEnd = 0;
  if (section != 0 && !GetSectionRange(section, &sectionStart, &sectionEnd)) sectionStart = 0;
  const CachedBlock* entry = FindCached(sectionStart + position, -1);
  if (entry == nullptr) return position + count * ((Converts(false) && sourceCp_ == kCodePageUtf16) ? 2 : 1);
  if (entry->map == nullptr) return position + count * entry->unitBytes;
  const uint32_t relative = sectionStart + position - entry->recordStart;
  const uint32_t chars = BytesToChars(entry->block, entry->map, entry->unitBytes, relative);
  const uint32_t bytes = CharsToBytes(entry->block, entry->map, entry->unitBytes, chars + count);
  return entry->recordStart + bytes - sectionStart;
}

uint32_t BookDocument::PositionDistance(uint32_t from, uint32_t to, uint32_t section) {
  if (to <= from) return 0;
  uint32_t sectionStart = 0, sectionEnd = 0;
  if (section != 0 && !GetSectionRange(section, &sectionStart, &sectionEnd)) sectionStart = 0;
  const CachedBlock* entry = FindCached(sectionStart + from, -1);
  if (entry == nullptr) return (to - from) / ((Converts(false) && sourceCp_ == kCodePageUtf16) ? 2 : 1);
  if (entry->map == nullptr) return (to - from) / entry->unitBytes;
  const uint32_t a = BytesToChars(entry->block, entry->map, entry->unitBytes, sectionStart + from - entry->recordStart);
  const uint64_t toRelative = static_cast<uint64_t>(sectionStart) + to - entry->recordStart;
  const uint32_t b = BytesToChars(entry->block, entry->map, entry->unitBytes,
                                  toRelative > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(toRelative));
  return b > a ? b - a : 0;
}
