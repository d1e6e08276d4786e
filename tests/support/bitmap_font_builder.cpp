#include "tests/support/bitmap_font_builder.h"

#include <cstring>

#include "tests/support/palm_database_builder.h"

namespace testbuild {

BitmapGlyphSpec SolidGlyph(uint8_t code, uint8_t width, uint8_t rows, uint8_t index) {
  BitmapGlyphSpec glyph;
  glyph.code = code;
  glyph.width = width;
  glyph.rows = rows;
  glyph.advance = width;
  glyph.pixels.assign(static_cast<size_t>(width) * rows, index);
  return glyph;
}

namespace {

std::vector<uint8_t> BuildGlyphRecord(const BitmapFaceSpec& face) {
  std::vector<uint8_t> record(8 + 12 * face.glyphs.size(), 0);
  std::memcpy(record.data(), face.glyphTag.data(), face.glyphTag.size() < 4 ? face.glyphTag.size() : 4);
  PutU16BE(record, 4, face.firstCode);
  uint16_t count = face.glyphCountOverride >= 0 ? static_cast<uint16_t>(face.glyphCountOverride)
                                                : static_cast<uint16_t>(face.glyphs.size());
  record[6] = static_cast<uint8_t>(count & 0xFF);
  record[7] = static_cast<uint8_t>(count >> 8);
  for (size_t i = 0; i < face.glyphs.size(); ++i) {
    const BitmapGlyphSpec& g = face.glyphs[i];
    size_t at = 8 + 12 * i;
    uint32_t offset = static_cast<uint32_t>(record.size());
    std::vector<uint8_t> pixels = g.pixels;
    if (pixels.empty()) pixels.assign(static_cast<size_t>(g.width) * g.rows, 1);
    record.insert(record.end(), pixels.begin(), pixels.end());
    PutU32BE(record, at, g.offsetOverride >= 0 ? static_cast<uint32_t>(g.offsetOverride) : offset);
    record[at + 4] = g.width;
    record[at + 5] = g.rows;
    record[at + 6] = static_cast<uint8_t>(g.xOffset);
    record[at + 7] = static_cast<uint8_t>(g.yOffset);
    record[at + 8] = static_cast<uint8_t>(g.leftBearing);
    record[at + 9] = g.advance;
    record[at + 10] = static_cast<uint8_t>(g.rightBearing);
  }
  return record;
}

}  // namespace

std::vector<uint8_t> BuildBitmapFont(const BitmapFontSpec& font) {
  std::vector<uint8_t> header(1360 + 184 * font.faces.size(), 0);
  std::memcpy(header.data(), font.tag.data(), font.tag.size() < 4 ? font.tag.size() : 4);
  PutU16BE(header, 328, font.faceCountOverride >= 0 ? static_cast<uint16_t>(font.faceCountOverride)
                                                    : static_cast<uint16_t>(font.faces.size()));
  header[333] = font.lastPaletteIndex;
  for (int i = 0; i < 256; ++i) {
    header[336 + 4 * i] = static_cast<uint8_t>(i);
    header[336 + 4 * i + 1] = static_cast<uint8_t>(255 - i);
    header[336 + 4 * i + 2] = static_cast<uint8_t>(i / 2);
  }
  for (size_t f = 0; f < font.faces.size(); ++f) {
    const BitmapFaceSpec& face = font.faces[f];
    size_t at = 1360 + 184 * f;
    std::memcpy(header.data() + at + 2, face.name.data(), face.name.size() < 60 ? face.name.size() : 60);
    header[at + 64] = face.lineHeight;
    header[at + 65] = face.ascent;
    header[at + 66] = face.slant;
    header[at + 67] = face.depth;
    header[at + 68] = face.recordOverride >= 0 ? static_cast<uint8_t>(face.recordOverride)
                                               : static_cast<uint8_t>(f + 1);
    header[at + 69] = face.italic;
    header[at + 70] = face.bold;
    header[at + 174] = face.size;
  }
  if (font.headerLengthOverride >= 0) header.resize(static_cast<size_t>(font.headerLengthOverride));
  PalmDatabaseBuilder builder;
  builder.Head().type = FourCC("FONT");
  builder.AddRecord(header);
  for (const BitmapFaceSpec& face : font.faces) builder.AddRecord(BuildGlyphRecord(face));
  return builder.Build();
}

}  // namespace testbuild
