// BitmapFontRenderer: text in pre-rendered glyphs from a font file, a Palm
// database whose record 0 ("CLFO") holds a palette and face entries and
// whose per-face glyph records ("GLYT") hold a glyph table and the glyphs'
// pixels (bytes that index the palette; 0 is the background).
//
// The renderer keeps the file open and its records locked while a face is
// in use, answers metrics and widths from the glyph table without any
// device context and draws runs into an 8-bit target buffer (the surface's
// bitmap-text strip), OR-ing palette indexes into it. Characters are single
// bytes: only the low byte of each UTF-16 unit picks a glyph.
//
// Font files come from outside the program, so nothing read from one is
// trusted: a face record must hold its whole glyph table, a glyph whose
// pixels pass the record's end is treated as missing (neither drawn nor
// measured), and every pixel written is clipped to the target on all four
// sides.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

class PalmDatabase;
class RecordBuffer;

class BitmapFontRenderer {
 public:
  static constexpr uint32_t kHeaderSize = 1360;
  static constexpr uint32_t kFaceEntrySize = 184;
  static constexpr uint32_t kGlyphTableStart = 8;
  static constexpr uint32_t kGlyphEntrySize = 12;
  static constexpr uint8_t kUnderlineIndex = 255;

  // One glyph entry as read from the glyph table.
  struct Glyph {
    uint32_t offset;  // of the pixels from the glyph record's start
    uint8_t width;
    uint8_t rows;
    int8_t xOffset;
    int8_t yOffset;  // rows below the top of the line
    int8_t leftBearing;
    uint8_t advance;
    int8_t rightBearing;
  };

  BitmapFontRenderer() = default;
  ~BitmapFontRenderer() { Close(false); }
  BitmapFontRenderer(const BitmapFontRenderer&) = delete;
  BitmapFontRenderer& operator=(const BitmapFontRenderer&) = delete;

  // Opens a font file (terminated path): 0 when its header is sound, else 1
  // with nothing left open. Whatever was open is closed first.
  int Open(const WCHAR* path);
  // Releases the records and the file; `keep` skips the database's Discard.
  void Close(bool keep);
  bool IsOpen() const { return database_ != nullptr; }

  // Picks the face that best fits size, slant and weight among those of
  // `depth` bits and no larger than `size`, and selects it: 0 ok, 1 none.
  int ChooseFace(uint8_t size, uint8_t italic, uint8_t bold, uint8_t depth);
  // Makes face `index` current: 0 ok, 1 when its glyph record is missing,
  // lacks its tag or is too short for its glyph table (no face is current then).
  int SelectFace(uint16_t index);
  bool HasFace() const { return face_ != nullptr; }
  uint16_t FaceCount() const { return faceCount_; }

  // Line height and ascent of the current face; both 0 without one.
  void GetMetrics(int32_t* lineHeight, int32_t* ascent) const;
  // Widths of a run over the characters that have a glyph: the first one's
  // left bearing, the last one's right bearing and what lies between.
  void MeasureRun(const WCHAR* text, int32_t count, int32_t* leading, int32_t* inner, int32_t* trailing) const;
  // The whole width of a run (leading + inner + trailing).
  int32_t RunWidth(const WCHAR* text, int32_t count) const;

  // The buffer runs are drawn into: `height` rows of `stride` bytes, of
  // which `width` pixels are used. The clip becomes the whole buffer. Only
  // depth 8 is drawn into; another depth leaves every draw a no-op.
  void SetTarget(uint8_t* buffer, int32_t stride, int32_t width, int32_t height, uint8_t depth);
  // Draws a run with its top-left corner at (x, y) of the target.
  void DrawRun(int32_t x, int32_t y, const WCHAR* text, int32_t count, bool underline);
  // Fills row y + ascent + 2 from x0 to x1 (exclusive) with index 255.
  void DrawUnderline(int32_t x0, int32_t x1, int32_t y);

  // The file's 256 palette entries of {red, green, blue, reserved}; null
  // when no file is open.
  const uint8_t* GetPalette() const;
  // Colours the file uses: its last palette index + 1.
  uint32_t PaletteSize() const { return static_cast<uint32_t>(lastPaletteIndex_) + 1; }

 private:
  void ReleaseGlyphRecord();
  // The glyph of a character, or false when it has none or its pixels do
  // not lie within the glyph record.
  bool GlyphFor(WCHAR character, Glyph* out) const;
  void DrawGlyph(const Glyph& glyph, int32_t left, int32_t top);

  PalmDatabase* database_ = nullptr;
  RecordBuffer* headerRecord_ = nullptr;
  const uint8_t* header_ = nullptr;
  uint32_t headerSize_ = 0;
  uint16_t faceCount_ = 0;
  RecordBuffer* glyphRecord_ = nullptr;
  const uint8_t* glyphData_ = nullptr;
  uint32_t glyphSize_ = 0;
  const uint8_t* face_ = nullptr;
  uint16_t firstCode_ = 0;
  uint16_t glyphCount_ = 0;

  uint8_t* target_ = nullptr;
  int32_t stride_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  uint8_t depth_ = 8;
  int32_t clipLeft_ = 0;
  int32_t clipRight_ = 0x7FFF;
  int32_t clipTop_ = 0;
  int32_t clipBottom_ = 0x7FFF;
  uint8_t lastPaletteIndex_ = 0;
};
