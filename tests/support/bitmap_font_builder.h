// Bitmap font files made for the tests: a Palm database whose record 0
// ("CLFO") holds the palette and the face entries and whose later records
// ("GLYT") hold each face's glyph table and pixels. Numbers are big-endian
// except the glyph count, which the font files store little-endian.
//
// Beside sound files the builder's fields can be set to anything, so that
// the broken files a renderer must refuse or skip are made the same way:
// a wrong tag, a short header, zero faces, a glyph count beyond the table,
// glyph pixels past the record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testbuild {

struct BitmapGlyphSpec {
  uint8_t code = 'A';  // character code (low byte)
  uint8_t width = 0;
  uint8_t rows = 0;
  int8_t xOffset = 0;
  int8_t yOffset = 0;
  int8_t leftBearing = 0;
  uint8_t advance = 0;
  int8_t rightBearing = 0;
  std::vector<uint8_t> pixels;  // rows x width palette indexes; empty: all 1
  // Written instead of the computed offset when set (for broken files).
  int64_t offsetOverride = -1;
};

struct BitmapFaceSpec {
  std::string name = "Test";
  uint8_t lineHeight = 12;
  uint8_t ascent = 9;
  uint8_t slant = 0;
  uint8_t depth = 8;
  uint8_t italic = 0;
  uint8_t bold = 0;
  uint8_t size = 12;
  uint16_t firstCode = 'A';
  std::vector<BitmapGlyphSpec> glyphs;  // their codes must run from firstCode without gaps
  // Written instead of the real glyph count when set.
  int32_t glyphCountOverride = -1;
  // Written instead of the glyph record's index when set.
  int32_t recordOverride = -1;
  std::string glyphTag = "GLYT";
};

struct BitmapFontSpec {
  std::string tag = "CLFO";
  uint8_t lastPaletteIndex = 255;
  std::vector<BitmapFaceSpec> faces;
  int32_t faceCountOverride = -1;
  // Cut record 0 to this many bytes when set.
  int32_t headerLengthOverride = -1;
};

// A glyph `width` x `rows` filled with `index`, advancing by its width.
BitmapGlyphSpec SolidGlyph(uint8_t code, uint8_t width, uint8_t rows, uint8_t index = 1);

// The palette entry of index i is {i, 255 - i, i / 2, 0}.
std::vector<uint8_t> BuildBitmapFont(const BitmapFontSpec& font);

}  // namespace testbuild
