// The record order of side files: the comparison and the key of a record.
#include "storage/side_file/bookmark_order.h"

#include "storage/side_file/side_file_layout.h"

namespace {

int CompareUnsigned(uint32_t a, uint32_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

}  // namespace

MarkOrderKey MarkOrderKeyOfRecord(const uint8_t* data, uint32_t size) {
  MarkOrderKey key;
  if (!data || size < 4) return key;
  key.tag = LoadU32BE(data);
  if (size < kRecordHeadSize) return key;
  uint32_t available = size - kRecordHeadSize;
  uint32_t stored = LoadU32BE(data + 4);
  if (stored < available) available = stored;
  const uint8_t* words = data + kRecordHeadSize;
  auto word = [&](uint32_t offset) { return offset + 4 <= available ? LoadU32BE(words + offset) : 0u; };
  key.start = word(sidefile::kMarkStart);
  key.viewPosition = word(sidefile::kMarkViewPosition);
  key.viewExtra = word(sidefile::kMarkViewExtra);
  key.kind = word(sidefile::kMarkKind);
  return key;
}

int CompareSideFileRecords(const MarkOrderKey& a, const MarkOrderKey& b) {
  if (a.tag == sidefile::kHeaderTag) return -1;
  if (b.tag == sidefile::kHeaderTag) return 1;
  bool aMark = a.tag == sidefile::kMarkTag;
  bool bMark = b.tag == sidefile::kMarkTag;
  if (!aMark || !bMark) return aMark == bMark ? 0 : (aMark ? 1 : -1);
  bool aSecond = (a.kind & sidefile::kKindSecondClass) != 0;
  bool bSecond = (b.kind & sidefile::kKindSecondClass) != 0;
  if (aSecond != bSecond) return aSecond ? 1 : -1;
  int first = aSecond ? CompareUnsigned(a.viewExtra, b.viewExtra) : CompareUnsigned(a.start, b.start);
  if (first != 0) return first;
  return CompareUnsigned(a.viewPosition, b.viewPosition);
}
