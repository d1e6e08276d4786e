// Finding text: section ranges from the FDST table, the text record that
// holds a position (arithmetic for fixed-size records, a sequential scan
// for plain-text books, the DATP tables for HUFF/CDIC books) and the length
// of the whole text.
#include <cstring>

#include "foundation/streams/varint.h"
#include "platform/memory/allocator.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/compression/palmdoc.h"
#include "storage/books/text_record.h"

namespace {

constexpr uint32_t kUnknownLength = 0xFFFFFFFFu;

bool IsSectionRecord(const RecordBuffer* r) {
  return r->GetSize() >= 12 && std::memcmp(r->GetData(), "FDST", 4) == 0;
}

}  // namespace

// A Palm Doc file's stated text length stands in for the count of its
// records while each record it implies holds the record size (the last one
// the rest); a record found to decode to another length corrects it
// (NoteRecordLength). A stated length no full set of records could give is
// not taken: the records are counted instead; so is one that the last
// record, counted here, contradicts.
void BookDocument::TakeStatedTextLength() {
  statedLengthInUse_ = false;
  if (header_.hasNativeHeader || !header_.plainText || header_.textLength != kUnknownLength) return;
  const uint64_t count = header_.textRecordCount;
  const uint64_t size = header_.textRecordSize;
  const uint64_t stated = statedTextLength_;
  if (count == 0 || stated == kUnknownLength || stated <= (count - 1) * size || stated > count * size) return;
  header_.textLength = statedTextLength_;
  statedLengthInUse_ = true;
  uint32_t last = 0;
  if (!RecordTextLength(header_.textRecordCount, &last)) {
    statedLengthInUse_ = false;
    header_.textLength = kUnknownLength;
  }
}

void BookDocument::NoteRecordLength(uint32_t record, uint32_t length) {
  if (record == 0 || record > header_.textRecordCount) return;
  if (recordLengths_ != nullptr) recordLengths_[record - 1] = length;
  if (!statedLengthInUse_) return;
  const uint32_t size = header_.textRecordSize;
  const uint32_t expected = record < header_.textRecordCount ? size : header_.textLength - (record - 1) * size;
  if (length != expected) {
    // The stated length does not describe the records: count them.
    statedLengthInUse_ = false;
    header_.textLength = kUnknownLength;
  }
}

bool BookDocument::KnownRecordLength(uint32_t record, uint32_t* length) const {
  if (recordLengths_ == nullptr || record == 0 || record > header_.textRecordCount ||
      recordLengths_[record - 1] == kUnknownLength)
    return false;
  *length = recordLengths_[record - 1];
  return true;
}

bool BookDocument::RecordTextLength(uint32_t record, uint32_t* length) {
  *length = 0;
  if (record == 0 || record > header_.textRecordCount) return false;
  if (header_.plainText && recordLengths_ == nullptr) {
    // Sequential scans ask for the same lengths again and again.
    recordLengths_ = static_cast<uint32_t*>(DeviceAlloc(sizeof(uint32_t) * header_.textRecordCount));
    if (recordLengths_ != nullptr)
      for (uint32_t i = 0; i < header_.textRecordCount; ++i) recordLengths_[i] = kUnknownLength;
  }
  if (KnownRecordLength(record, length)) return true;
  RecordBuffer* buffer = store_->LockRecord(static_cast<uint16_t>(record), false);
  if (buffer == nullptr) return false;
  TextRecordParts parts;
  bool ok = SplitTextRecord(buffer->GetData(), buffer->GetSize(), header_.extraFlags, sourceCp_, &parts);
  if (ok) {
    *length = header_.compression == kCompressionPalmDoc ? PalmDocDecodedLength(buffer->GetData(), parts.textLength)
                                                         : parts.textLength;
  }
  store_->ReleaseRecord(buffer, false);
  if (ok) NoteRecordLength(record, *length);
  return ok;
}

uint32_t BookDocument::GetTextLength() {
  if (header_.textLength != kUnknownLength || store_ == nullptr) return header_.textLength;
  uint64_t total = 0;
  const uint32_t count = header_.textRecordCount;
  if (!header_.hasNativeHeader) {
    for (uint32_t r = 1; r <= count; ++r) {
      uint32_t length = 0;
      RecordTextLength(r, &length);  // an unreadable record adds nothing
      total += length;
    }
  } else if (count != 0) {
    uint32_t last = 0;
    RecordTextLength(count, &last);
    total = static_cast<uint64_t>(count - 1) * header_.textRecordSize + last;
  }
  header_.textLength = total > 0xFFFFFFFEu ? 0xFFFFFFFEu : static_cast<uint32_t>(total);
  return header_.textLength;
}

bool BookDocument::GetSectionRange(uint32_t section, uint32_t* start, uint32_t* end) {
  if (section == 0) {
    *start = 0;
    *end = GetTextLength();
    return *end != kUnknownLength;
  }
  return ReadSectionEntry(section, start, end);
}

bool BookDocument::ReadSectionEntry(uint32_t section, uint32_t* start, uint32_t* end) {
  if (header_.headerVersion < 4 || header_.sectionTableRecord == kNoRecord16 || section >= header_.sectionCount)
    return false;
  const uint32_t first = header_.sectionTableRecord;
  if (sectionEntriesPerRecord_ == 0xFFFF) {
    RecordBuffer* head = store_->LockRecord(static_cast<uint16_t>(first), false);
    if (head == nullptr) return false;
    uint32_t per = IsSectionRecord(head) ? ReadBigEndianU32(head->GetData() + 8) : 0;
    store_->ReleaseRecord(head, false);
    if (per == 0 || per >= 0xFFFF) return false;
    sectionEntriesPerRecord_ = per;
  }
  const uint32_t per = sectionEntriesPerRecord_;
  const uint32_t record = first + section / per;
  const uint32_t entry = section % per;
  if (record > 0xFFFF) return false;
  RecordBuffer* buffer = store_->LockRecord(static_cast<uint16_t>(record), false);
  if (buffer == nullptr) return false;
  bool ok = IsSectionRecord(buffer);
  if (ok) {
    const uint8_t* bytes = buffer->GetData();
    const uint64_t at = ReadBigEndianU32(bytes + 4) + 8ull * entry;
    ok = at + 8 <= buffer->GetSize();
    if (ok) {
      *start = ReadBigEndianU32(bytes + at);
      *end = ReadBigEndianU32(bytes + at + 4);
    }
  }
  store_->ReleaseRecord(buffer, false);
  return ok && *start <= *end && *end <= GetTextLength();
}

bool BookDocument::LocateTextRecord(uint32_t position, uint32_t* record, uint32_t* start, uint32_t* length) {
  if (header_.compression == kCompressionHuffCdic) {
    if (!EnsureHuffCdicTables()) return false;
    return offsets_.Locate(position, record, start, length);
  }
  if (header_.plainText) return LocatePalmDocRecord(position, record, start, length);
  const uint32_t size = header_.textRecordSize;
  const uint32_t r = position / size + 1;
  if (r > header_.textRecordCount) return false;
  *record = r;
  *start = (r - 1) * size;
  *length = size;
  const uint32_t textLength = header_.textLength;
  if (r == header_.textRecordCount && textLength != kUnknownLength && header_.sectionCount <= 1 &&
      textLength > *start && textLength - *start < size) {
    *length = textLength - *start;
  }
  return true;
}

// The scan walks the records' lengths from the record it found last. The
// record that starts exactly at the position holds it whatever its length,
// so a reader going through the text in order never counts a record before
// decoding it: its length is first the record size (or what is left of the
// text length) and becomes the decoded length when it is read.
bool BookDocument::LocatePalmDocRecord(uint32_t position, uint32_t* record, uint32_t* start, uint32_t* length) {
  const uint32_t count = header_.textRecordCount;
  if (count == 0) return false;
  if (position < scanStart_ / 2) {
    // From the first record, for a position in the lower half.
    scanRecord_ = 1;
    scanStart_ = 0;
    scanLength_ = kUnknownLength;
  }
  while (position < scanStart_) {
    if (scanRecord_ <= 1) return false;
    uint32_t previous = 0;
    if (!RecordTextLength(scanRecord_ - 1, &previous) || previous > scanStart_) return false;
    --scanRecord_;
    scanStart_ -= previous;
    scanLength_ = previous;
  }
  for (;;) {
    if (scanLength_ == kUnknownLength && !KnownRecordLength(scanRecord_, &scanLength_)) {
      scanLength_ = kUnknownLength;
      if (position == scanStart_) break;
      if (!RecordTextLength(scanRecord_, &scanLength_)) {
        scanLength_ = kUnknownLength;
        return false;
      }
    }
    if (position - scanStart_ < scanLength_) break;
    if (scanRecord_ >= count) return false;
    if (scanLength_ > 0xFFFFFFFFu - scanStart_) return false;
    scanStart_ += scanLength_;
    ++scanRecord_;
    scanLength_ = kUnknownLength;
  }
  *record = scanRecord_;
  *start = scanStart_;
  *length = scanLength_;
  if (scanLength_ == kUnknownLength) {
    // Not counted yet: what the header implies, until it is decoded.
    const uint32_t size = header_.textRecordSize;
    const uint32_t textLength = header_.textLength;
    *length = size;
    if (scanRecord_ == count && textLength != kUnknownLength && textLength > scanStart_ &&
        textLength - scanStart_ < size)
      *length = textLength - scanStart_;
  }
  return true;
}
