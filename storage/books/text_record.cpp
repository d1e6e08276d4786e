// Cutting a text record into text, carry and trailing entries.
#include "storage/books/text_record.h"

#include <cstring>

#include "foundation/code_pages/char_position_map.h"
#include "foundation/code_pages/code_page.h"
#include "foundation/streams/trailing_entries.h"

bool SplitTextRecord(const uint8_t* record, uint32_t size, uint32_t extraFlags, int32_t codePage,
                     TextRecordParts* parts) {
  *parts = TextRecordParts();
  if (size == 0) return true;
  if (record == nullptr) return false;
  bool corrupt = false;
  const uint32_t entries = TrailingEntriesSize(record, record + size, extraFlags, &corrupt);
  if (corrupt || entries > size) return false;
  uint32_t end = size - entries;
  // Only a UTF-8 book whose flags say so carries: otherwise the last byte
  // is text like any other.
  if (codePage == kCodePageUtf8 && (extraFlags & kExtraFlagMultibyte) != 0 && end > 0) {
    const uint32_t carried = record[end - 1] & 0x0F;
    if (carried + 1 > end) return false;
    end -= carried + 1;
    parts->carry = record + end;
    parts->carryLength = carried;
  }
  parts->textLength = end;
  return true;
}

bool AppendUtf8Overlap(uint8_t* output, uint32_t capacity, uint32_t at, const TextRecordParts& parts,
                       uint32_t* count) {
  *count = 0;
  if (parts.carryLength == 0) return true;
  if (at > capacity || parts.carryLength > capacity - at) return false;
  std::memcpy(output + at, parts.carry, parts.carryLength);
  *count = parts.carryLength;
  return true;
}

uint32_t MapShiftFor(uint32_t bytes, uint32_t headerShift) {
  uint32_t shift = headerShift;
  while (shift < CharPositionMap::kMaxShift && (bytes >> shift) > CharPositionMap::kMaxBlocks) ++shift;
  return shift;
}
