// The surface's advance tables: widths summed from the characters' advances
// it learnt must be what the platform measures for the whole run, in both
// font engines, for every size and style, before and after the table is
// filled, for surrogate pairs and CJK, and after fonts were evicted from
// the surface's cache and made again (no stale widths of another font).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/fonts.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace {

using surfacetest::SurfaceTest;

// What the platform answers for the run in the font the DC holds.
SIZE PlatformExtent(HDC dc, const std::u16string& text, std::vector<INT>* partial) {
  SIZE size{};
  partial->assign(text.size(), 0);
  EXPECT_TRUE(GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), 0, nullptr,
                                    text.empty() ? nullptr : partial->data(), &size));
  return size;
}

TEST_F(SurfaceTest, WidthsFromLearntAdvancesMatchThePlatform) {
  const std::vector<std::u16string> texts = {
      u"",
      u"Paging forwards, backwards.",
      u"\u00e9t\u00e9 \u00e0 la plage",
      u"\u4e2d\u6587\u3002\u65e5\u672c\u8a9e",
      u"a\U0001F600b\U00010400",  // surrogate pairs
      u"e\u0301 combining",
      u"WWWWiiii    ....",
  };
  for (fonts::EngineKind engine : {fonts::EngineKind::Builtin, fonts::EngineKind::FreeType}) {
    devtest::UseFontEngine(engine);
    surface.FlushFontCache(0);
    surface.BeginDraw(false);
    // More sizes and styles than the surface caches fonts: fonts are
    // evicted and made again between the rounds.
    for (int round = 0; round < 2; ++round) {
      for (int8_t size : {9, 12, 17, 30, 12}) {
        for (uint8_t style : {uint8_t{0}, uint8_t{FontSpec::kBold}, uint8_t{FontSpec::kItalic}}) {
          FontSpec spec;
          spec.id = 1;
          spec.size = size;
          spec.style = static_cast<uint8_t>(style | (FontSpec::kPositionBaseline << 4));
          surface.SetFont(spec);
          for (const std::u16string& text : texts) {
            SCOPED_TRACE(testing::Message() << "engine " << static_cast<int>(engine) << " size " << int{size}
                                            << " style " << int{style} << " text #" << (&text - texts.data()));
            Size measured;
            ASSERT_TRUE(surface.MeasureText(text.data(), static_cast<int32_t>(text.size()), &measured));
            std::vector<int32_t> widths(text.size() + 1, -7);
            ASSERT_TRUE(surface.MeasureCharacters(text.data(), static_cast<int32_t>(text.size()), widths.data()));
            std::vector<INT> partial;
            const SIZE expected = PlatformExtent(surface.CurrentDC(), text, &partial);
            EXPECT_EQ(measured.width, expected.cx);
            EXPECT_EQ(measured.height, expected.cy);
            int32_t sum = 0;
            for (size_t i = 0; i < text.size(); ++i) {
              sum += widths[i];
              EXPECT_EQ(sum, partial[i]) << "unit " << i;
            }
            EXPECT_EQ(widths[text.size()], -7);  // nothing written past the text
          }
        }
      }
    }
    surface.EndDraw();
  }
}

}  // namespace
