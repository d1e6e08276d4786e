// Measuring text: extents, how many characters fit a width, partial
// extents, in the built-in font at 12 pixels (advances: 'H' 'e' 'o' 'W' 'r'
// 'd' 8, 'l' 5, ',' 4, ' ' 5, '!' 3, 'i' 3, CJK 12).
#include <vector>

#include "tests/platform/text_drawing/text_test_canvas.h"

namespace {

using texttest::Canvas;
using texttest::Font;
using texttest::SelectedFont;

class TextMeasure : public texttest::TextTest {
 protected:
  Canvas canvas;
  SelectedFont font{canvas.dc, Font(-12)};
};

TEST_F(TextMeasure, ExtentIsTheSumOfAdvancesByTheCellHeight) {
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc, u"Hello, World!", 13, &size));
  EXPECT_EQ(size.cx, 83);
  EXPECT_EQ(size.cy, 13);
  ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc, u"", 0, &size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 13);
  // The extent of a text is the sum of its parts' extents.
  SIZE hello{}, world{};
  GetTextExtentPoint32W(canvas.dc, u"Hello, ", 7, &hello);
  GetTextExtentPoint32W(canvas.dc, u"World!", 6, &world);
  EXPECT_EQ(hello.cx + world.cx, 83);
}

TEST_F(TextMeasure, FitCountsTheCharactersWithinTheWidth) {
  const char16_t* text = u"Hello, World!";
  // Partial extents: 8 16 21 26 34 38 43 51 59 67 72 80 83.
  struct Case {
    int maxExtent;
    int fit;
  } cases[] = {{-1, 0}, {0, 0}, {7, 0}, {8, 1}, {20, 2}, {21, 3}, {82, 12}, {83, 13}, {1000, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.maxExtent);
    int fit = -5;
    std::vector<int> partial(13, -5);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPointW(canvas.dc, text, 13, c.maxExtent, &fit, partial.data(), &size));
    EXPECT_EQ(fit, c.fit);
    EXPECT_EQ(size.cx, 83) << "the size is always the whole text's";
    EXPECT_EQ(partial, (std::vector<int>{8, 16, 21, 26, 34, 38, 43, 51, 59, 67, 72, 80, 83}));
  }
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(canvas.dc, text, 13, 10, nullptr, nullptr, &size));
  EXPECT_EQ(size.cx, 83);
}

TEST_F(TextMeasure, ASurrogatePairFitsOrNotAsOneCharacter) {
  const char16_t text[] = u"i\U0002000Bi";  // 'i' 3, wide 12 in two units, 'i' 3
  int fit = 0;
  std::vector<int> partial(4);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(canvas.dc, text, 4, 14, &fit, partial.data(), &size));
  EXPECT_EQ(fit, 1);
  EXPECT_EQ(partial, (std::vector<int>{3, 15, 15, 18}));
  ASSERT_TRUE(GetTextExtentExPointW(canvas.dc, text, 4, 15, &fit, partial.data(), &size));
  EXPECT_EQ(fit, 3);
  EXPECT_EQ(size.cx, 18);
}

TEST_F(TextMeasure, BadArgumentsFail) {
  SIZE size{};
  int fit = 0;
  EXPECT_FALSE(GetTextExtentPoint32W(canvas.dc, nullptr, 3, &size));
  EXPECT_FALSE(GetTextExtentPoint32W(canvas.dc, u"abc", -1, &size));
  EXPECT_FALSE(GetTextExtentExPointW(nullptr, u"abc", 3, 10, &fit, nullptr, &size));
  EXPECT_TRUE(GetTextExtentPoint32W(canvas.dc, nullptr, 0, &size));
}

TEST_F(TextMeasure, TheSameTextMeasuresWiderInBoldAndEqualInFixedPitch) {
  SIZE normal{}, bold{}, fixed{};
  GetTextExtentPoint32W(canvas.dc, u"illumination", 12, &normal);
  {
    SelectedFont heavy(canvas.dc, Font(-12, u"Tahoma", FW_BOLD));
    GetTextExtentPoint32W(canvas.dc, u"illumination", 12, &bold);
  }
  {
    SelectedFont mono(canvas.dc, Font(-12, u"Courier New"));
    GetTextExtentPoint32W(canvas.dc, u"illumination", 12, &fixed);
  }
  EXPECT_EQ(bold.cx, normal.cx + 12);
  EXPECT_EQ(fixed.cx, 12 * 8);
}

}  // namespace
