// The walk over a text record's trailing entries and the entry header parser.
#include "foundation/streams/trailing_entries.h"

#include "foundation/streams/varint.h"

namespace {

constexpr uint32_t kUtf8CodePage = 65001;

void SetFlag(bool* flag, bool value) {
  if (flag != nullptr) *flag = value;
}

// Walks the flagged entries from `end` towards `record`, stopping after the
// entry of `stopFlag` (0: walk them all). Answers false on a corrupt size.
// *newEnd is where the walk stopped; *entrySize and *sizeLength describe the
// last entry walked.
bool WalkEntries(const uint8_t* record, const uint8_t* end, uint32_t extraFlags, uint32_t stopFlag,
                 const uint8_t** newEnd, uint32_t* entrySize, uint32_t* sizeLength) {
  *entrySize = 0;
  *sizeLength = 0;
  for (uint32_t bit = 1; bit < 32; ++bit) {
    uint32_t flag = 1u << bit;
    if ((extraFlags & flag) == 0) continue;
    uint32_t length = 0;
    uint32_t size = ReadBackwardVarint(record, end, &length);
    if (length == 0 || size < length || size > static_cast<uint32_t>(end - record)) {
      *newEnd = end;
      return false;
    }
    end -= size;
    *entrySize = size;
    *sizeLength = length;
    if (flag == stopFlag) break;
  }
  *newEnd = end;
  return true;
}

}  // namespace

uint32_t TrailingEntriesSize(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                             bool* corrupt) {
  const uint8_t* newEnd;
  uint32_t size, sizeLength;
  SetFlag(corrupt, !WalkEntries(record, end, extraFlags, 0, &newEnd, &size, &sizeLength));
  return static_cast<uint32_t>(end - newEnd);
}

uint32_t TrailingMultibyteCount(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                                uint32_t codePage, bool* corrupt) {
  SetFlag(corrupt, false);
  if (codePage != kUtf8CodePage || (extraFlags & kExtraFlagMultibyte) == 0 || end <= record) return 0;
  uint32_t count = (end[-1] & 0x0Fu) + 1;
  uint32_t held = static_cast<uint32_t>(end - record);
  if (count > held) {
    SetFlag(corrupt, true);
    return held;
  }
  return count;
}

uint32_t TrailingEntriesTotal(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                              uint32_t codePage, bool* corrupt) {
  bool bad = false;
  uint32_t entries = TrailingEntriesSize(record, end, extraFlags, &bad);
  uint32_t carry = 0;
  if (!bad) carry = TrailingMultibyteCount(record, end - entries, extraFlags, codePage, &bad);
  SetFlag(corrupt, bad);
  return entries + carry;
}

const uint8_t* FindTrailingEntry(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                                 uint32_t selectorFlag, uint32_t* payloadLength, bool* corrupt) {
  SetFlag(corrupt, false);
  *payloadLength = 0;
  bool singleBit = selectorFlag != 0 && (selectorFlag & (selectorFlag - 1)) == 0;
  if (!singleBit || selectorFlag == 1 || (extraFlags & selectorFlag) == 0) return nullptr;
  const uint8_t* entryStart;
  uint32_t size, sizeLength;
  if (!WalkEntries(record, end, extraFlags, selectorFlag, &entryStart, &size, &sizeLength)) {
    SetFlag(corrupt, true);
    return nullptr;
  }
  *payloadLength = size - sizeLength;
  return entryStart;
}

uint32_t ParseEntryHeader(const uint8_t* data, uint32_t length, int32_t* first, int32_t* second,
                          int32_t* third, int32_t* fourth, int32_t* fifth) {
  if (length == 0) return 1;
  *first = -1;
  *second = 0;
  *third = -1;
  *fourth = 1;
  *fifth = -1;
  uint32_t flags = 0;
  uint32_t used = ReadForwardVarint(data, &flags, length);
  if (flags & 0x2) {
    uint32_t value = 0;
    uint32_t n = ReadForwardVarint(data + used, &value, length - used);
    if (n != 0) *third = static_cast<int32_t>(value);
    used += n;
    *first = static_cast<int32_t>(flags >> 3);
  } else {
    int32_t step = static_cast<int32_t>(flags >> 4);
    *second = (flags & 0x8) ? -step : step;
  }
  if ((flags & 0x4) && used < length) *fourth = data[used++];
  if (flags & 0x1) {
    uint32_t value = 0;
    uint32_t n = ReadForwardVarint(data + used, &value, length - used);
    if (n != 0) *fifth = static_cast<int32_t>(value);
    used += n;
  }
  return used;
}
