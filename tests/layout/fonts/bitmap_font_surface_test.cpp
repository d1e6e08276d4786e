// Text in a bitmap font on the drawing surface: measured from the glyph
// table, drawn through the bitmap-text strip onto the window, and a font
// file that cannot be used falling back to a platform face.
#include <gtest/gtest.h>

#include "tests/layout/drawing/surface_fixture.h"
#include "tests/support/bitmap_font_builder.h"
#include "tests/support/palm_database_builder.h"

namespace {

using surfacetest::SurfaceTest;

constexpr uint8_t kBitmapId = 7;

// One face of size 12: 'A' is 3 x 4 pixels of index 200 at the line's top.
void WriteFont(const char16_t* path, bool sound = true) {
  testbuild::BitmapFontSpec font;
  testbuild::BitmapFaceSpec face;
  face.lineHeight = 6;
  face.ascent = 4;
  face.glyphs = {testbuild::SolidGlyph('A', 3, 4, 200)};
  font.faces = {face};
  if (!sound) font.tag = "XXXX";
  ASSERT_TRUE(testbuild::WriteDeviceFile(path, testbuild::BuildBitmapFont(font)));
}

using BitmapFontSurface = SurfaceTest;

TEST_F(BitmapFontSurface, DrawsTextThroughTheStrip) {
  WriteFont(u"\\font.clf");
  fonts.Set(kBitmapId, 1, u"\\font.clf");
  Clear();
  surface.BeginDraw(false);
  surface.SetFontSpec(kBitmapId, 12);
  Size size;
  ASSERT_TRUE(surface.MeasureText(u"AAB", 3, &size));
  EXPECT_EQ(size.width, 6);  // B has no glyph
  EXPECT_EQ(size.height, 6);
  EXPECT_EQ(surface.GetAscent(), 4);
  EXPECT_EQ(surface.FitText(u"AAA", 3, 7), 2);
  surface.DrawText(u"AA", 2, Point{10, 20});
  surface.EndDraw();
  uint32_t glyph = Pixel(10, 20);
  uint32_t background = Pixel(10, 25);  // the strip's height is the line height
  EXPECT_NE(glyph, 0xFFFFFFu);
  EXPECT_NE(glyph, background);
  EXPECT_EQ(Pixel(15, 23), glyph);
  EXPECT_EQ(Pixel(9, 20), 0xFFFFFFu);   // left of the run
  EXPECT_EQ(Pixel(16, 20), 0xFFFFFFu);  // right of its measured width
  EXPECT_EQ(Pixel(10, 26), 0xFFFFFFu);  // below the line
}

TEST_F(BitmapFontSurface, AnOpenStripGathersRunsUntilFlushed) {
  WriteFont(u"\\font.clf");
  fonts.Set(kBitmapId, 1, u"\\font.clf");
  Clear();
  surface.BeginDraw(false);
  surface.SetFontSpec(kBitmapId, 12);
  ASSERT_EQ(surface.BeginBitmapText(Point{0, 0}, Size{20, 6}, 0), 1);
  surface.DrawText(u"A", 1, Point{0, 0});
  surface.DrawText(u"A", 1, Point{10, 0});
  surface.DrawText(u"A", 1, Point{30, 0});  // outside the strip: cut
  EXPECT_EQ(Pixel(0, 0), 0xFFFFFFu);        // nothing shown before the flush
  surface.FlushBitmapText();
  surface.EndDraw();
  EXPECT_NE(Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(Pixel(12, 3), Pixel(0, 0));
  EXPECT_NE(Pixel(5, 0), Pixel(0, 0));
  EXPECT_EQ(Pixel(20, 0), 0xFFFFFFu);
}

// The gap between two underlined runs: in a bitmap font it is the font's
// own underline in the open strip, and without a strip nothing at all (a
// platform font's underlined spaces would show in a face not asked for).
TEST_F(BitmapFontSurface, ADecorationGapUnderlinesOnlyInsideAnOpenStrip) {
  WriteFont(u"\\font.clf");
  fonts.Set(kBitmapId, 1, u"\\font.clf");
  FontSpec underlined;
  underlined.size = 12;
  underlined.style = FontSpec::kUnderline | (FontSpec::kPositionBaseline << 4);
  underlined.id = kBitmapId;
  Clear();
  surface.BeginDraw(false);
  surface.SetFont(underlined);
  surface.DrawDecorationGap(Point{10, 0}, 20);  // no strip open
  surface.EndDraw();
  for (int32_t y = 0; y < 12; ++y) {
    for (int32_t x = 0; x < 40; ++x) ASSERT_EQ(Pixel(x, y), 0xFFFFFFu) << x << "," << y;
  }

  surface.BeginDraw(false);
  surface.SetFont(underlined);
  ASSERT_EQ(surface.BeginBitmapText(Point{0, 0}, Size{30, 8}, 0), 1);
  surface.DrawDecorationGap(Point{10, 0}, 5);
  surface.FlushBitmapText();
  surface.EndDraw();
  uint32_t line = Pixel(12, 4 + 2);  // two rows below the ascent
  EXPECT_NE(line, 0xFFFFFFu);
  EXPECT_EQ(Pixel(9, 6), line);   // one pixel to the left, against a seam
  EXPECT_EQ(Pixel(14, 6), line);
  EXPECT_NE(Pixel(15, 6), line);
  EXPECT_NE(Pixel(8, 6), line);
  EXPECT_NE(Pixel(12, 5), line);
}

TEST_F(BitmapFontSurface, UnusableFontFilesFallBackToAPlatformFace) {
  WriteFont(u"\\bad.clf", false);
  fonts.Set(kBitmapId, 1, u"\\bad.clf");
  fonts.Set(8, 1, u"\\font.clf");
  WriteFont(u"\\font.clf");
  surface.BeginDraw(false);
  surface.SetFontSpec(kBitmapId, 12);
  Size bad;
  ASSERT_TRUE(surface.MeasureText(u"AAB", 3, &bad));
  EXPECT_EQ(surface.GetFont().id, 1);
  EXPECT_EQ(surface.BeginBitmapText(Point{0, 0}, Size{10, 6}, 0), 1);  // not a bitmap font: nothing to do
  surface.SetFontSpec(8, 5);  // no face of size 5 or less
  Size small;
  ASSERT_TRUE(surface.MeasureText(u"AAB", 3, &small));
  EXPECT_EQ(surface.GetFont().id, 1);
  EXPECT_NE(small.width, 6);
  surface.EndDraw();
}

}  // namespace
