// Forward and backward varints of the book format.
#include "foundation/streams/varint.h"

uint32_t ReadForwardVarint(const uint8_t* data, uint32_t* value, uint32_t available) {
  uint32_t limit = available < 8 ? available : 8;
  uint32_t result = 0;
  uint32_t used = 0;
  while (used < limit) {
    uint8_t byte = data[used++];
    result = (result << 7) | (byte & 0x7F);
    if (byte & 0x80) break;
  }
  *value = result;
  return used;
}

uint32_t WriteForwardVarint(uint8_t* destination, uint32_t value, uint32_t capacity) {
  uint32_t length = 1;
  while (length < 5 && (value >> (7 * length)) != 0) ++length;
  if (capacity < length) return 0;
  for (uint32_t i = 0; i < length; ++i)
    destination[i] = static_cast<uint8_t>((value >> (7 * (length - 1 - i))) & 0x7F);
  destination[length - 1] |= 0x80;
  return length;
}

uint32_t ReadBackwardVarint(const uint8_t* start, const uint8_t* end, uint32_t* length) {
  uint32_t value = 0;
  uint32_t used = 0;
  while (used < 4 && end > start) {
    uint8_t byte = *--end;
    value |= static_cast<uint32_t>(byte & 0x7F) << (7 * used);
    ++used;
    if (byte & 0x80) break;
  }
  *length = used;
  return value;
}
