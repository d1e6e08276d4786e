// The FreeType engine over the DejaVu fonts (Debian fonts-dejavu-core) and
// the CJK fallback (fonts-wqy-microhei): sizes follow the device's height
// convention, families keep their character, glyphs are smoothed unless
// solid ones are asked for.
#include <gtest/gtest.h>

#include <string>

#include "platform/fonts/font_engine.h"
#include "platform/fonts/freetype_font.h"

namespace {

fonts::FontEngine& Engine() {
  fonts::FontEngine* engine = fonts::FreeTypeFontEngine();
  if (engine == nullptr) {
    ADD_FAILURE() << "the program was built without FreeType (libfreetype-dev)";
    return fonts::BuiltinFontEngine();
  }
  return *engine;
}

std::unique_ptr<fonts::FontFace> Face(int32_t height, fonts::FontFamily family = fonts::FontFamily::Sans,
                                      int32_t weight = 400, uint8_t quality = 0) {
  fonts::FontRequest request;
  request.height = height;
  request.family = family;
  request.weight = weight;
  request.quality = quality;
  return Engine().OpenFace(request);
}

int Ink(const fonts::GlyphImage& glyph, int* partial = nullptr) {
  int ink = 0;
  for (int i = 0; i < glyph.width * glyph.height; ++i) {
    ink += glyph.coverage[i] != 0;
    if (partial && glyph.coverage[i] != 0 && glyph.coverage[i] != 255) ++*partial;
  }
  return ink;
}

TEST(FreeTypeFonts, FontFilesAreInstalled) {
  std::string missing;
  EXPECT_TRUE(fonts::FreeTypeFontsInstalled(&missing))
      << "missing:" << missing << " (Debian fonts-dejavu-core, fonts-wqy-microhei)";
}

TEST(FreeTypeFonts, HeightsFollowTheDeviceConvention) {
  for (int32_t cell : {10, 13, 16, 24, 40}) {
    auto face = Face(cell);
    EXPECT_EQ(face->Metrics().height, cell) << "a positive height is the cell height";
    EXPECT_TRUE(face->Metrics().trueType);
  }
  for (int32_t em : {8, 12, 16, 32}) {
    auto face = Face(-em);
    const fonts::FontMetrics& m = face->Metrics();
    EXPECT_GT(m.height, em) << "a negative height is the em, the cell is taller";
    EXPECT_LT(m.height, em * 3 / 2 + 2);
    EXPECT_EQ(m.height, m.ascent + m.descent);
    EXPECT_EQ(m.internalLeading, m.height - em);
    EXPECT_GT(m.ascent, 2 * m.descent);
    EXPECT_GE(m.underlineTop, m.ascent);
    EXPECT_LE(m.underlineTop + m.underlineThickness, m.height);
    EXPECT_LT(m.strikeOutTop, m.ascent);
  }
}

TEST(FreeTypeFonts, FamiliesKeepTheirCharacter) {
  auto sans = Face(-16);
  auto mono = Face(-16, fonts::FontFamily::Mono);
  auto serif = Face(-16, fonts::FontFamily::Serif);
  EXPECT_GT(sans->Advance(U'W'), 2 * sans->Advance(U'i'));
  EXPECT_EQ(mono->Advance(U'W'), mono->Advance(U'i'));
  EXPECT_TRUE(mono->Metrics().fixedPitch);
  EXPECT_FALSE(sans->Metrics().fixedPitch);
  // Different designs: the serif face's glyphs differ from the sans face's.
  fonts::GlyphImage a, b;
  ASSERT_TRUE(sans->Glyph(U'T', &a));
  std::string first(reinterpret_cast<const char*>(a.coverage), static_cast<size_t>(a.width * a.height));
  ASSERT_TRUE(serif->Glyph(U'T', &b));
  std::string second(reinterpret_cast<const char*>(b.coverage), static_cast<size_t>(b.width * b.height));
  EXPECT_NE(first, second);
}

TEST(FreeTypeFonts, BoldIsWiderAndGlyphsAreSmoothedUnlessSolidIsAsked) {
  auto regular = Face(-14);
  auto bold = Face(-14, fonts::FontFamily::Sans, 700);
  std::u16string text = u"Reading";
  int32_t regularWidth = 0, boldWidth = 0;
  for (char16_t c : text) {
    regularWidth += regular->Advance(c);
    boldWidth += bold->Advance(c);
  }
  EXPECT_GT(boldWidth, regularWidth);

  fonts::GlyphImage glyph;
  int partial = 0;
  ASSERT_TRUE(regular->Glyph(U'a', &glyph));
  EXPECT_GT(Ink(glyph, &partial), 10);
  EXPECT_GT(partial, 0);
  EXPECT_TRUE(regular->Smoothed());

  auto solid = Face(-14, fonts::FontFamily::Sans, 400, 3);
  partial = 0;
  ASSERT_TRUE(solid->Glyph(U'a', &glyph));
  EXPECT_GT(Ink(glyph, &partial), 10);
  EXPECT_EQ(partial, 0);
  EXPECT_FALSE(solid->Smoothed());
}

TEST(FreeTypeFonts, CjkCharactersComeFromTheFallbackFace) {
  auto face = Face(-16);
  for (char32_t ch : {U'\u4e2d', U'\u3042', U'\uac00'}) {
    fonts::GlyphImage glyph;
    ASSERT_TRUE(face->Glyph(ch, &glyph));
    EXPECT_GT(Ink(glyph), 20) << std::hex << static_cast<int>(ch);
    EXPECT_GE(face->Advance(ch), 14);
    EXPECT_LE(face->Advance(ch), 18);
  }
}

TEST(FreeTypeFonts, GlyphsSitOnTheBaseline) {
  auto face = Face(-20);
  const fonts::FontMetrics& m = face->Metrics();
  fonts::GlyphImage glyph;
  ASSERT_TRUE(face->Glyph(U'H', &glyph));
  EXPECT_EQ(glyph.top + glyph.height, m.ascent);  // 'H' ends on the baseline
  EXPECT_GE(glyph.top, 0);
  ASSERT_TRUE(face->Glyph(U'p', &glyph));
  EXPECT_GT(glyph.top + glyph.height, m.ascent);  // a descender goes below it
  EXPECT_LE(glyph.top + glyph.height, m.height);
}

TEST(FreeTypeFonts, FacesComeAndGoWithTheirFallbacks) {
  // Faces share the font files but each closes its own FreeType faces,
  // the CJK fallback included.
  for (int i = 0; i < 300; ++i) {
    auto face = Face(-(8 + i % 24), static_cast<fonts::FontFamily>(i % 4), i % 2 ? 700 : 400,
                     static_cast<uint8_t>(i % 6));
    fonts::GlyphImage glyph;
    EXPECT_TRUE(face->Glyph(i % 3 ? U'g' : U'\u6587', &glyph));
    EXPECT_GT(face->Advance(U'm'), 0);
  }
}

}  // namespace
