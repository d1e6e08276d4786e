// CharPositionMap: a byte block, owned by a document that converts UTF-8 text,
// that translates between character indices of the converted UTF-16 text and
// byte offsets of the UTF-8 input without decoding from the start. Filled by
// ConvertFromUtf8 (code_page.h); little-endian, with a block size of 2^shift:
//
//   offset 0    4 bytes   owned by the caller (not read or written here)
//   offset 4    4 bytes   shift, written by the caller before the conversion
//   offset 8    65 u16    per byte block j: the output unit that starts at
//                         byte j << shift, or the last unit of the character
//                         the block starts inside; entry 0 = 0
//   offset 138  65 u16    per character block k: the input byte where output
//                         unit k << shift starts; entry 0 = bytes skipped
//   offset 268  65 i8     per byte block: block start minus the start byte of
//                         the recorded unit; entry 0 = minus the bytes skipped
//   offset 336  rest      2 bits per output unit, 16 to a 32-bit word, low
//                         bits first: extra input bytes the unit used (0-3)
//
// The input shifted right by `shift` must be at most 64 (ConvertFromUtf8
// refuses longer input instead of writing past the tables).
#pragma once

#include <cstddef>
#include <cstdint>

struct CharPositionMap {
  static constexpr uint32_t kEntries = 65;
  static constexpr uint32_t kMaxBlocks = 64;
  static constexpr uint32_t kMaxShift = 16;

  uint32_t owner;
  uint32_t shift;
  uint16_t unitAtByteBlock[kEntries];
  uint16_t byteAtCharBlock[kEntries];
  int8_t correction[kEntries];
  uint8_t padding[3];
  // The 2-bit table follows at offset 336.

  uint32_t* ExtraBytesTable() { return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(this) + 336); }
  const uint32_t* ExtraBytesTable() const {
    return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(this) + 336);
  }
  // Extra input bytes of output unit i (0-3).
  uint32_t ExtraBytes(uint32_t unit) const { return (ExtraBytesTable()[unit >> 4] >> ((unit & 15) * 2)) & 3; }

  // Character index -> byte offset (toByteOffset) or byte offset -> character
  // index (the first unit starting at or after it). Without a map the value
  // is returned unchanged. The value must lie within the converted text.
  static void Translate(uint32_t value, uint32_t* result, bool toByteOffset, const CharPositionMap* map);
};

static_assert(offsetof(CharPositionMap, unitAtByteBlock) == 8);
static_assert(offsetof(CharPositionMap, byteAtCharBlock) == 138);
static_assert(offsetof(CharPositionMap, correction) == 268);
static_assert(sizeof(CharPositionMap) == 336);

// Bytes of a map for n output characters: (n rounded up to 16) / 4 + 344,
// rounded in 64 bits so that a count near 2^32 cannot wrap to a tiny map.
inline constexpr uint32_t CharPositionMapSize(uint32_t n) {
  return static_cast<uint32_t>(((static_cast<uint64_t>(n) + 15) & ~uint64_t{15}) / 4 + 344);
}
