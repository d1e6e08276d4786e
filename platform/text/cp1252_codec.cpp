// Code page 1252 by table. Only 0x80-0x9F differ from Latin-1; the table
// below gives their characters, and the reverse look-up walks the same 32
// entries (no best-fit: anything else above U+00FF has no equivalent).
#include "platform/text/cp1252_codec.h"

#include "platform/text/ascii_widen.h"

namespace devtext {
namespace {

constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

}  // namespace

char16_t Cp1252ToUnicode(uint8_t byte) {
  return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : static_cast<char16_t>(byte);
}

bool UnicodeToCp1252Byte(char16_t unit, uint8_t* byte) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
    *byte = static_cast<uint8_t>(unit);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == unit) {
      *byte = static_cast<uint8_t>(0x80 + i);
      return true;
    }
  }
  return false;
}

ConvStatus DecodeCp1252(const uint8_t* bytes, size_t length, UnitWriter<char16_t>& out) {
  if (!out.counting()) {
    if (out.room() < length) return ConvStatus::BufferTooSmall;
    char16_t* dest = out.cursor();
    size_t i = 0;
    while (i < length) {
      // ASCII bytes are their own units; only 0x80-0x9F change.
      i += WidenAsciiBlocks(bytes + i, length - i, dest + i);
      if (i == length) break;
      dest[i] = Cp1252ToUnicode(bytes[i]);
      ++i;
    }
  }
  out.Advance(length);
  return ConvStatus::Ok;
}

ConvStatus EncodeCp1252(const char16_t* units, size_t length, const DefaultChar& fallback, bool* usedDefault,
                        UnitWriter<uint8_t>& out) {
  for (size_t i = 0; i < length; ++i) {
    uint8_t byte;
    if (UnicodeToCp1252Byte(units[i], &byte)) {
      if (!out.Put(byte)) return ConvStatus::BufferTooSmall;
      continue;
    }
    // A supplementary character is one character: one default for the pair.
    if (units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < length && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF)
      ++i;
    *usedDefault = true;
    for (size_t k = 0; k < fallback.length; ++k)
      if (!out.Put(fallback.bytes[k])) return ConvStatus::BufferTooSmall;
  }
  return ConvStatus::Ok;
}

}  // namespace devtext
