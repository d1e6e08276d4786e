// Walking the EXTH block of record 0.
#include "storage/books/exth.h"

#include <cstring>

#include "foundation/streams/varint.h"

const uint8_t* FindExthBlock(const uint8_t* record0, uint32_t size, uint32_t at, uint32_t* blockLength,
                             uint32_t* entryCount, ExthCursor* cursor) {
  *blockLength = 0;
  *entryCount = 0;
  *cursor = ExthCursor();
  if (record0 == nullptr || at > size || size - at < 12) return nullptr;
  const uint8_t* block = record0 + at;
  if (std::memcmp(block, "EXTH", 4) != 0) return nullptr;
  const uint32_t length = ReadBigEndianU32(block + 4);
  if (length < 12) return nullptr;
  *blockLength = length;
  *entryCount = ReadBigEndianU32(block + 8);
  const uint32_t room = size - at;
  cursor->next = block + 12;
  cursor->limit = block + (length < room ? length : room);
  cursor->remaining = *entryCount;
  return block;
}

const uint8_t* NextExthEntry(ExthCursor* cursor, uint32_t* type, uint32_t* dataLength) {
  *type = 0;
  *dataLength = 0;
  if (cursor->remaining == 0 || cursor->next == nullptr) return nullptr;
  const uint32_t left = static_cast<uint32_t>(cursor->limit - cursor->next);
  if (left < 8) return nullptr;
  const uint32_t entryLength = ReadBigEndianU32(cursor->next + 4);
  if (entryLength < 8 || entryLength > left) {
    cursor->remaining = 0;
    return nullptr;
  }
  *type = ReadBigEndianU32(cursor->next);
  *dataLength = entryLength - 8;
  const uint8_t* data = cursor->next + 8;
  cursor->next += entryLength;
  --cursor->remaining;
  return data;
}

const uint8_t* FindExthEntry(uint32_t type, const uint8_t* record0, uint32_t size, uint32_t at,
                             uint32_t* dataLength) {
  *dataLength = 0;
  uint32_t blockLength, count;
  ExthCursor cursor;
  if (FindExthBlock(record0, size, at, &blockLength, &count, &cursor) == nullptr) return nullptr;
  uint32_t entryType, length;
  while (const uint8_t* data = NextExthEntry(&cursor, &entryType, &length)) {
    if (entryType == type) {
      *dataLength = length;
      return data;
    }
  }
  return nullptr;
}
