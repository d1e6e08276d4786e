// Pins the built-in font's metric model: these numbers are what every layout
// and pixel test of the system relies on, on every machine.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/fonts/builtin_font.h"
#include "platform/fonts/font_engine.h"

namespace {

std::unique_ptr<fonts::FontFace> Face(int32_t height, int32_t weight = 0,
                                      fonts::FontFamily family = fonts::FontFamily::Sans) {
  fonts::FontRequest request;
  request.height = height;
  request.weight = weight;
  request.family = family;
  return fonts::BuiltinFontEngine().OpenFace(request);
}

int32_t Width(fonts::FontFace& face, const std::u16string& text) {
  int32_t width = 0;
  int32_t i = 0;
  while (i < static_cast<int32_t>(text.size()))
    width += face.Advance(fonts::NextCharacter(text.data(), static_cast<int32_t>(text.size()), &i));
  return width;
}

struct MetricsCase {
  int32_t height;
  int32_t weight;
  int32_t cell, ascent, descent, leading, aveWidth, maxWidth;
};

TEST(BuiltinFontMetrics, CellAscentDescentAndWidthsFollowTheModel) {
  const MetricsCase cases[] = {
      {-12, 400, 13, 11, 2, 1, 8, 12},
      {0, 0, 13, 11, 2, 1, 8, 12},  // the default size is -12
      {-13, 400, 14, 12, 2, 1, 9, 13},
      {16, 400, 16, 13, 3, 1, 10, 15},  // positive: the cell height
      {-8, 400, 9, 8, 1, 1, 5, 8},
      {-9, 400, 10, 8, 2, 1, 6, 9},
      {-24, 700, 27, 22, 5, 3, 17, 25},  // bold adds one pixel to advances
      {-24, 599, 27, 22, 5, 3, 16, 24},  // below 600 is not bold
      {1, 400, 1, 1, 0, 0, 1, 1},
      {INT_MIN, 400, 1125, 903, 222, 125, 667, 1000},  // cut to 1000 pixels
      {INT_MAX, 400, 1125, 903, 222, 125, 667, 1000},
  };
  for (const MetricsCase& c : cases) {
    SCOPED_TRACE(c.height);
    auto face = Face(c.height, c.weight);
    const fonts::FontMetrics& m = face->Metrics();
    EXPECT_EQ(m.height, c.cell);
    EXPECT_EQ(m.ascent, c.ascent);
    EXPECT_EQ(m.descent, c.descent);
    EXPECT_EQ(m.internalLeading, c.leading);
    EXPECT_EQ(m.externalLeading, 0);
    EXPECT_EQ(m.aveCharWidth, c.aveWidth);
    EXPECT_EQ(m.maxCharWidth, c.maxWidth);
    EXPECT_FALSE(m.trueType);
  }
}

TEST(BuiltinFontMetrics, NegativeAndPositiveHeightsAreInverse) {
  for (int32_t c = 1; c <= 200; ++c) {
    fonts::BuiltinSize bySize = fonts::BuiltinSizeFor(-c);
    EXPECT_EQ(bySize.characterHeight, c);
    fonts::BuiltinSize byCell = fonts::BuiltinSizeFor(bySize.cellHeight);
    EXPECT_EQ(byCell.characterHeight, c) << "cell " << bySize.cellHeight;
  }
}

TEST(BuiltinFontMetrics, TextWidthsAtTwelvePixels) {
  auto face = Face(-12);
  EXPECT_EQ(Width(*face, u"Hello, World!"), 83);
  EXPECT_EQ(Width(*face, u"iiii"), 12);
  EXPECT_EQ(Width(*face, u"MMMM"), 32);
  EXPECT_EQ(Width(*face, u" "), 5);
  EXPECT_EQ(Width(*face, u"\u00e9t\u00e9"), 8 + 7 + 8);  // accented letters keep their base's width
  EXPECT_EQ(Width(*face, u"\u4e2d\u6587"), 24);          // CJK: one character height each
  EXPECT_EQ(Width(*face, u"\U0002000B"), 12);            // a surrogate pair is one wide character
  EXPECT_EQ(Width(*face, u"\u0416"), 7);                 // no design: a narrow box
}

TEST(BuiltinFontMetrics, FixedPitchFaceGivesEveryNarrowCharacterTheSameAdvance) {
  auto face = Face(-12, 400, fonts::FontFamily::Mono);
  EXPECT_TRUE(face->Metrics().fixedPitch);
  for (char16_t c : std::u16string(u"iW .m|")) EXPECT_EQ(face->Advance(c), 8) << static_cast<int>(c);
  EXPECT_EQ(face->Advance(U'\u4e2d'), 12);
}

TEST(BuiltinFontMetrics, UnderlineAndStrikeOutLieInsideTheCell) {
  for (int32_t h : {-6, -8, -12, -13, -16, -24, -40, 9, 20}) {
    SCOPED_TRACE(h);
    auto face = Face(h);
    const fonts::FontMetrics& m = face->Metrics();
    EXPECT_GE(m.underlineTop, m.ascent);
    EXPECT_LE(m.underlineTop + m.underlineThickness, m.height);
    EXPECT_LT(m.strikeOutTop, m.ascent);
    EXPECT_GE(m.strikeOutTop, m.internalLeading);
  }
  auto twelve = Face(-12);
  const fonts::FontMetrics& m = twelve->Metrics();
  EXPECT_EQ(m.underlineTop, 11);
  EXPECT_EQ(m.underlineThickness, 1);
  EXPECT_EQ(m.strikeOutTop, 8);
  EXPECT_EQ(Face(-24)->Metrics().underlineThickness, 2);
}

}  // namespace
