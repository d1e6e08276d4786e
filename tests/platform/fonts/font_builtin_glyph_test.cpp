// The built-in font's glyphs: at nine pixels one design dot is one pixel, so
// the pictures below are the design itself; styles and accents move dots as
// the model says; every glyph stays inside its cell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fonts/font_engine.h"

namespace {

std::unique_ptr<fonts::FontFace> Face(int32_t height, bool bold = false, bool italic = false) {
  fonts::FontRequest request;
  request.height = height;
  request.weight = bold ? 700 : 400;
  request.italic = italic;
  return fonts::BuiltinFontEngine().OpenFace(request);
}

// The glyph as rows of '#' and '.', cell rows from the top.
std::vector<std::string> Picture(fonts::FontFace& face, char32_t ch) {
  fonts::GlyphImage glyph;
  EXPECT_TRUE(face.Glyph(ch, &glyph));
  std::vector<std::string> rows;
  for (int y = 0; y < glyph.height; ++y) {
    std::string row;
    for (int x = 0; x < glyph.width; ++x) row += glyph.coverage[y * glyph.width + x] ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(BuiltinFontGlyphs, NinePixelLettersAreTheDesign) {
  auto face = Face(-9);  // C = 9, one leading row on top, baseline at row 8
  EXPECT_EQ(Picture(*face, U'A'), (std::vector<std::string>{
                                      ".....", ".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#",
                                      ".....", ".....",
                                  }));
  EXPECT_EQ(Picture(*face, U'g'), (std::vector<std::string>{
                                      ".....", ".....", ".....", ".####", "#...#", "#...#", "#...#", ".####",
                                      "....#", ".###.",
                                  }));
  EXPECT_EQ(Picture(*face, U'\u00e9'), (std::vector<std::string>{
                                           ".....", "...#.", "..#..", ".###.", "#...#", "#####", "#....",
                                           ".###.", ".....", ".....",
                                       }));
}

TEST(BuiltinFontGlyphs, BoldWidensAndItalicLeans) {
  auto bold = Face(-9, true);
  EXPECT_EQ(Picture(*bold, U'I'), (std::vector<std::string>{
                                      "....", "####", ".##.", ".##.", ".##.", ".##.", ".##.", "####", "....",
                                      "....",
                                  }));
  auto italic = Face(-9, false, true);
  // Ascent 8: rows above the baseline shift right by (7 - row) / 4.
  EXPECT_EQ(Picture(*italic, U'l'), (std::vector<std::string>{
                                        "....", ".##.", "..#.", "..#.", ".#..", ".#..", ".#..", "###.", "....",
                                        "....",
                                    }));
}

TEST(BuiltinFontGlyphs, EveryGlyphStaysInItsCellAndPrintableOnesHaveInk) {
  for (int32_t height : {-7, -9, -12, -13, -20, -33}) {
    for (bool bold : {false, true}) {
      auto face = Face(height, bold);
      const fonts::FontMetrics& m = face->Metrics();
      std::u16string sample;
      for (char16_t c = 0x20; c < 0x7F; ++c) sample += c;
      sample += u"\u00c0\u00e7\u00f1\u00ff\u00df\u2026\u20ac\u4e2d\uac00\u0416";
      for (char16_t c : sample) {
        SCOPED_TRACE(testing::Message() << height << " " << bold << " U+" << std::hex << static_cast<int>(c));
        fonts::GlyphImage glyph;
        ASSERT_TRUE(face->Glyph(c, &glyph));
        EXPECT_GE(glyph.left, 0);
        EXPECT_LE(glyph.left + glyph.width, face->Advance(c));
        EXPECT_EQ(glyph.top, 0);
        EXPECT_EQ(glyph.height, m.height);
        int ink = 0;
        for (int i = 0; i < glyph.width * glyph.height; ++i) ink += glyph.coverage[i] != 0;
        if (c == u' ') {
          EXPECT_EQ(ink, 0);
        } else if (height <= -9) {
          EXPECT_GT(ink, 0);
        }
      }
    }
  }
}

TEST(BuiltinFontGlyphs, GlyphsAreSolid) {
  fonts::FontRequest request;
  request.height = -15;
  request.quality = 5;  // ClearType asked for: still solid
  auto face = fonts::BuiltinFontEngine().OpenFace(request);
  EXPECT_FALSE(face->Smoothed());
  fonts::GlyphImage glyph;
  ASSERT_TRUE(face->Glyph(U'@', &glyph));
  for (int i = 0; i < glyph.width * glyph.height; ++i) {
    EXPECT_TRUE(glyph.coverage[i] == 0 || glyph.coverage[i] == 255);
  }
}

}  // namespace
