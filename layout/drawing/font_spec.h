// FontSpec: the three bytes that choose a font on the drawing surface:
// size (the platform font's cell height in pixels, signed; a negative
// value is the character-height form), style bits and the font identifier
// (an index into the application's font table).
#pragma once

#include <cstdint>

struct FontSpec {
  static constexpr uint8_t kBold = 0x01;
  static constexpr uint8_t kItalic = 0x02;
  static constexpr uint8_t kUnderline = 0x04;
  static constexpr uint8_t kStrikeOut = 0x08;
  // Bits 4-7: the vertical position; 6 raised, 7 lowered, else the baseline.
  static constexpr uint8_t kPositionRaised = 6;
  static constexpr uint8_t kPositionLowered = 7;
  static constexpr uint8_t kPositionBaseline = 3;  // what SetFontSpec writes (0x30)

  int8_t size = -1;  // 255 as stored
  uint8_t style = 0;
  uint8_t id = 1;

  uint8_t VerticalPosition() const { return static_cast<uint8_t>(style >> 4); }
};

inline bool operator==(const FontSpec& a, const FontSpec& b) {
  return a.size == b.size && a.style == b.style && a.id == b.id;
}
