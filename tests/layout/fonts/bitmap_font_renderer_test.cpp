// The bitmap-font renderer over font files from the builder: which files
// and faces it refuses, the face it chooses, widths, and where pixels land
// in a target that has guard bytes around it.
#include "layout/fonts/bitmap_font_renderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/bitmap_font_builder.h"
#include "tests/support/palm_database_builder.h"

namespace {

using testbuild::BitmapFaceSpec;
using testbuild::BitmapFontSpec;
using testbuild::SolidGlyph;

constexpr const char16_t* kPath = u"\\font.clf";

BitmapFaceSpec FaceOf(uint8_t size, uint8_t bold, uint8_t italic, uint8_t lineHeight) {
  BitmapFaceSpec face;
  face.size = size;
  face.bold = bold;
  face.italic = italic;
  face.lineHeight = lineHeight;
  face.glyphs = {SolidGlyph('A', 2, 3)};
  return face;
}

bool OpenFont(BitmapFontRenderer& renderer, const BitmapFontSpec& font) {
  if (!testbuild::WriteDeviceFile(kPath, testbuild::BuildBitmapFont(font))) return false;
  return renderer.Open(kPath) == 0;
}

// A target `width` x `height` inside a buffer with a guard of 8 columns on
// the right (the stride) and 4 rows below; every guard byte must stay 0.
struct Target {
  Target(int32_t w, int32_t h) : width(w), height(h), stride(w + 8), bytes(static_cast<size_t>(stride) * (h + 4), 0) {}
  void Attach(BitmapFontRenderer& renderer) { renderer.SetTarget(bytes.data(), stride, width, height, 8); }
  uint8_t At(int32_t x, int32_t y) const { return bytes[static_cast<size_t>(y) * stride + x]; }
  bool GuardsClear() const {
    for (int32_t y = 0; y < height + 4; ++y) {
      for (int32_t x = 0; x < stride; ++x) {
        if ((y >= height || x >= width) && At(x, y) != 0) return false;
      }
    }
    return true;
  }
  std::string Row(int32_t y) const {
    std::string row;
    for (int32_t x = 0; x < width; ++x) row += At(x, y) == 0 ? '.' : static_cast<char>('0' + At(x, y) % 10);
    return row;
  }
  int32_t width, height, stride;
  std::vector<uint8_t> bytes;
};

TEST(BitmapFontRenderer, RefusesMalformedFiles) {
  struct Case {
    const char* name;
    BitmapFontSpec font;
  };
  BitmapFontSpec sound;
  sound.faces = {FaceOf(12, 0, 0, 12)};
  std::vector<Case> cases;
  cases.push_back({"wrong tag", sound});
  cases.back().font.tag = "CLFX";
  cases.push_back({"zero faces", sound});
  cases.back().font.faceCountOverride = 0;
  cases.push_back({"header short of its faces", sound});
  cases.back().font.headerLengthOverride = 1360 + 183;
  cases.push_back({"more faces than the header holds", sound});
  cases.back().font.faceCountOverride = 2;
  cases.push_back({"header under 1360 bytes", sound});
  cases.back().font.headerLengthOverride = 1000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BitmapFontRenderer renderer;
    EXPECT_FALSE(OpenFont(renderer, c.font));
    EXPECT_FALSE(renderer.IsOpen());
    EXPECT_EQ(renderer.GetPalette(), nullptr);
  }
  BitmapFontRenderer renderer;
  EXPECT_EQ(renderer.Open(u"\\missing.clf"), 1);
  ASSERT_TRUE(OpenFont(renderer, sound));
  EXPECT_EQ(renderer.GetPalette()[4 * 7 + 1], 248);
}

TEST(BitmapFontRenderer, RefusesBrokenFaceRecords) {
  struct Case {
    const char* name;
    void (*breakFace)(BitmapFaceSpec&);
  };
  const Case cases[] = {
      {"glyph count past the table", [](BitmapFaceSpec& f) { f.glyphCountOverride = 2; }},
      {"huge glyph count", [](BitmapFaceSpec& f) { f.glyphCountOverride = 0xFFFF; }},
      {"wrong tag", [](BitmapFaceSpec& f) { f.glyphTag = "GLYX"; }},
      {"record index past the file", [](BitmapFaceSpec& f) { f.recordOverride = 9; }},
      {"header record named", [](BitmapFaceSpec& f) { f.recordOverride = 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BitmapFontSpec font;
    font.faces = {FaceOf(12, 0, 0, 12)};
    c.breakFace(font.faces[0]);
    BitmapFontRenderer renderer;
    ASSERT_TRUE(OpenFont(renderer, font));
    EXPECT_EQ(renderer.ChooseFace(12, 0, 0, 8), 1);
    EXPECT_FALSE(renderer.HasFace());
    int32_t height = -1, ascent = -1;
    renderer.GetMetrics(&height, &ascent);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(ascent, 0);
  }
}

TEST(BitmapFontRenderer, ChoosesLargestFaceNotAboveTheSize) {
  BitmapFontSpec font;
  font.faces = {FaceOf(8, 0, 0, 8), FaceOf(10, 0, 0, 10), FaceOf(12, 1, 0, 12), FaceOf(14, 0, 0, 14),
                FaceOf(12, 0, 1, 13)};
  font.faces.push_back(FaceOf(12, 1, 1, 15));
  font.faces.back().depth = 16;
  BitmapFontRenderer renderer;
  ASSERT_TRUE(OpenFont(renderer, font));
  struct Case {
    uint8_t size, italic, bold;
    int32_t lineHeight;  // of the face expected; 0: none
  };
  const Case cases[] = {
      {12, 0, 0, 12},  // 12 bold beats 10 plain: larger wins over a better score
      {12, 0, 1, 12},  // exact match taken at once
      {12, 1, 0, 13},  // the italic face scores 8 over the bold one's 1
      {13, 0, 0, 12},  // nothing of 13: the 12 faces compete
      {20, 0, 0, 14},
      {9, 0, 0, 8},
      {7, 0, 0, 0},  // every face is larger: none is current afterwards
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.size) << " italic " << int(c.italic) << " bold " << int(c.bold));
    EXPECT_EQ(renderer.ChooseFace(c.size, c.italic, c.bold, 8), c.lineHeight == 0 ? 1 : 0);
    int32_t height = 0, ascent = 0;
    renderer.GetMetrics(&height, &ascent);
    EXPECT_EQ(height, c.lineHeight);
  }
  EXPECT_EQ(renderer.ChooseFace(12, 1, 1, 16), 0);
  int32_t height = 0, ascent = 0;
  renderer.GetMetrics(&height, &ascent);
  EXPECT_EQ(height, 15);
}

// Glyphs 'A'..'D': A plain, B with bearings, C with pixels past its record
// (skipped like a missing glyph), D plain.
BitmapFontSpec MeasuringFont() {
  BitmapFontSpec font;
  BitmapFaceSpec face = FaceOf(12, 0, 0, 12);
  face.glyphs = {SolidGlyph('A', 3, 2, 1), SolidGlyph('B', 2, 2, 2), SolidGlyph('C', 4, 4, 3), SolidGlyph('D', 1, 2, 4)};
  face.glyphs[1].leftBearing = 1;
  face.glyphs[1].rightBearing = 2;
  face.glyphs[2].offsetOverride = 80;  // 80 + 16 bytes pass the record's end
  font.faces = {face};
  return font;
}

TEST(BitmapFontRenderer, MeasuresTheThreeWidthsOfGlyphsPresent) {
  BitmapFontRenderer renderer;
  ASSERT_TRUE(OpenFont(renderer, MeasuringFont()));
  ASSERT_EQ(renderer.ChooseFace(12, 0, 0, 8), 0);
  struct Case {
    std::u16string text;
    int32_t leading, inner, trailing;
  };
  const Case cases[] = {
      {u"A", 0, 3, 0},
      {u"BA", 1, 2 + 2 + 3, 0},
      {u"AB", 0, 3 + 1 + 2, 2},
      {u"@A", 0, 3, 0},           // below the first code: skipped
      {u"AC D", 0, 3 + 1, 0},     // C's pixels lie outside its record; space has no glyph
      {u"\u0141", 0, 3, 0},       // only the low byte (0x41) counts
      {u"", 0, 0, 0},
  };
  for (const Case& c : cases) {
    int32_t leading = -1, inner = -1, trailing = -1;
    renderer.MeasureRun(reinterpret_cast<const WCHAR*>(c.text.data()), static_cast<int32_t>(c.text.size()), &leading,
                        &inner, &trailing);
    EXPECT_EQ(leading, c.leading);
    EXPECT_EQ(inner, c.inner);
    EXPECT_EQ(trailing, c.trailing);
  }
}

TEST(BitmapFontRenderer, DrawsGlyphsAndSkipsThoseWithoutPixels) {
  BitmapFontRenderer renderer;
  ASSERT_TRUE(OpenFont(renderer, MeasuringFont()));
  ASSERT_EQ(renderer.ChooseFace(12, 0, 0, 8), 0);
  Target target(16, 4);
  target.Attach(renderer);
  renderer.DrawRun(1, 1, reinterpret_cast<const WCHAR*>(u"ABCD@"), 5, false);
  EXPECT_EQ(target.Row(0), "................");
  EXPECT_EQ(target.Row(1), ".111.22..4......");
  EXPECT_EQ(target.Row(2), ".111.22..4......");
  EXPECT_TRUE(target.GuardsClear());
}

TEST(BitmapFontRenderer, ClipsToTheTargetOnAllSides) {
  // One glyph 6 x 5 whose columns hold 1..6, drawn 2 rows above its line
  // (negative y offset) and past both side edges of a 4-pixel target.
  BitmapFontSpec font;
  BitmapFaceSpec face = FaceOf(12, 0, 0, 12);
  testbuild::BitmapGlyphSpec glyph = SolidGlyph('A', 6, 5);
  for (size_t i = 0; i < glyph.pixels.size(); ++i) glyph.pixels[i] = static_cast<uint8_t>(1 + i % 6);
  glyph.yOffset = -2;
  face.glyphs = {glyph};
  font.faces = {face};
  BitmapFontRenderer renderer;
  ASSERT_TRUE(OpenFont(renderer, font));
  ASSERT_EQ(renderer.ChooseFace(12, 0, 0, 8), 0);
  Target target(4, 2);
  target.Attach(renderer);
  renderer.DrawRun(-1, 1, reinterpret_cast<const WCHAR*>(u"A"), 1, false);
  // Rows -1 and 0 of the line, columns 1..4 of the glyph; the rest is cut.
  EXPECT_EQ(target.Row(0), "2345");
  EXPECT_EQ(target.Row(1), "2345");
  EXPECT_TRUE(target.GuardsClear());
  // Far outside on every side: nothing written, nothing read past the buffer.
  for (int32_t x : {-100, 100, -0x7000, 0x7000}) {
    for (int32_t y : {-100, 100, -0x7000, 0x7000}) {
      Target empty(4, 2);
      empty.Attach(renderer);
      renderer.DrawRun(x, y, reinterpret_cast<const WCHAR*>(u"AAAA"), 4, true);
      EXPECT_EQ(empty.Row(0) + empty.Row(1), "........");
      EXPECT_TRUE(empty.GuardsClear());
    }
  }
}

TEST(BitmapFontRenderer, UnderlinesTwoRowsBelowTheBaselineWithinTheTarget) {
  BitmapFontSpec font;
  BitmapFaceSpec face = FaceOf(12, 0, 0, 12);
  face.ascent = 3;
  face.glyphs = {SolidGlyph('A', 3, 1, 1)};
  font.faces = {face};
  BitmapFontRenderer renderer;
  ASSERT_TRUE(OpenFont(renderer, font));
  ASSERT_EQ(renderer.ChooseFace(12, 0, 0, 8), 0);
  Target target(8, 6);
  target.Attach(renderer);
  renderer.DrawRun(-2, 0, reinterpret_cast<const WCHAR*>(u"AAAA"), 4, true);
  EXPECT_EQ(target.Row(0), "11111111");
  EXPECT_EQ(target.Row(5), "55555555");  // index 255, cut at the right edge
  EXPECT_EQ(target.At(0, 5), 255);
  EXPECT_TRUE(target.GuardsClear());
  // The underline row below the target is not written.
  renderer.DrawUnderline(0, 8, 4);
  EXPECT_TRUE(target.GuardsClear());
}

TEST(BitmapFontRenderer, SlantMovesLowerRowsLeft) {
  // Line height 4, slant 2: the counter starts at 2 and passes 4 after
  // every second row, so rows shift 0, 1, 1, 2 pixels left.
  BitmapFontSpec font;
  BitmapFaceSpec face = FaceOf(12, 0, 0, 4);
  face.slant = 2;
  face.glyphs = {SolidGlyph('A', 1, 4, 1)};
  font.faces = {face};
  BitmapFontRenderer renderer;
  ASSERT_TRUE(OpenFont(renderer, font));
  ASSERT_EQ(renderer.ChooseFace(12, 0, 0, 8), 0);
  Target target(6, 4);
  target.Attach(renderer);
  renderer.DrawRun(3, 0, reinterpret_cast<const WCHAR*>(u"A"), 1, false);
  EXPECT_EQ(target.Row(0), "...1..");
  EXPECT_EQ(target.Row(1), "..1...");
  EXPECT_EQ(target.Row(2), "..1...");
  EXPECT_EQ(target.Row(3), ".1....");
  // Leaning past the left edge is cut, not wrapped onto the row above.
  Target edge(6, 4);
  edge.Attach(renderer);
  renderer.DrawRun(0, 0, reinterpret_cast<const WCHAR*>(u"A"), 1, false);
  EXPECT_EQ(edge.Row(0), "1.....");
  EXPECT_EQ(edge.Row(1), "......");
  EXPECT_TRUE(edge.GuardsClear());
}

}  // namespace
