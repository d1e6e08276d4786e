// StyleLength: a length as markup gives it, in one 32-bit word: the number
// in the bits of mask 0x8FFFFFFF (sign included), the unit in bits 28-29
// (0 pixels, 0x10000000 a multiple of the font size, 0x20000000 percent),
// bit 30 a value that is not set.
#pragma once

#include <cstdint>

using StyleLength = uint32_t;

inline constexpr uint32_t kStyleLengthNumberMask = 0x8FFFFFFFu;
inline constexpr uint32_t kStyleLengthEm = 0x10000000u;
inline constexpr uint32_t kStyleLengthPercent = 0x20000000u;
inline constexpr uint32_t kStyleLengthUnitMask = 0x30000000u;
inline constexpr uint32_t kStyleLengthUnset = 0x40000000u;

// The signed number of a length (bits 28-30 filled from the sign).
inline constexpr int32_t StyleLengthNumber(StyleLength length) {
  uint32_t number = length & kStyleLengthNumberMask;
  if (number & 0x80000000u) number |= 0x70000000u;
  return static_cast<int32_t>(number);
}
inline constexpr StyleLength MakeStyleLength(int32_t number, uint32_t unit) {
  return (static_cast<uint32_t>(number) & kStyleLengthNumberMask) | unit;
}

// Pixels for a length: pixels as they are, a font-size multiple times the
// font size, a percentage of the reference; both unit bits give 1. Products
// are taken in 64 bits and saturated, since markup numbers are unbounded.
int32_t ResolveStyleLength(StyleLength length, int32_t fontSize, int32_t reference);
// a + factor x b when both have the same unit; otherwise a when its number
// is not 0, else b.
StyleLength AddStyleLengths(StyleLength a, StyleLength b, int32_t factor);
