// BoxStyle: all four sides at once, the stronger border of two, borders
// inherited by side, and unset margins filled.
#include <gtest/gtest.h>

#include "layout/styles/box_style.h"

namespace {

TEST(BoxStyle, NewBoxIsUnsetAndSettersFillEverySide) {
  BoxStyle box;
  EXPECT_TRUE(box.background.IsNone());
  EXPECT_EQ(box.verticalAlignment, 8);
  for (uint32_t side = 0; side < kBoxSideCount; ++side) {
    EXPECT_EQ(BoxStyle::BorderStyle(box.border[side]), BoxStyle::kStyleUnset);
    EXPECT_TRUE(box.borderColor[side].IsNone());
    EXPECT_EQ(box.margin[side], kStyleLengthUnset);
  }
  box.SetBorders(3, 1, Color::FromRgb(1, 2, 3));
  box.SetPaddings(MakeStyleLength(2, 0));
  box.margin[kBoxLeft] = 7;
  box.FillUnsetMargins(MakeStyleLength(1, kStyleLengthEm));
  for (uint32_t side = 0; side < kBoxSideCount; ++side) {
    EXPECT_EQ(BoxStyle::BorderWidth(box.border[side]), 3u);
    EXPECT_EQ(BoxStyle::BorderStyle(box.border[side]), 1);
    EXPECT_EQ(box.borderColor[side], Color::FromRgb(1, 2, 3));
    EXPECT_EQ(box.padding[side], 2u);
    EXPECT_EQ(box.margin[side], side == kBoxLeft ? 7u : MakeStyleLength(1, kStyleLengthEm));
  }
  // A width the word cannot hold is cut to what it holds.
  EXPECT_EQ(BoxStyle::BorderWidth(BoxStyle::MakeBorder(100000, 1)), BoxStyle::kMaxBorderWidth);
}

TEST(BoxStyle, TheStrongerBorderWinsWithItsColour) {
  struct Case {
    uint32_t width, style, otherWidth, otherStyle;
    bool otherWins;
  };
  const Case cases[] = {{1, 1, 2, 1, true}, {2, 1, 1, 5, false}, {2, 1, 2, 3, true}, {2, 3, 2, 3, false}};
  for (const Case& c : cases) {
    uint16_t border = BoxStyle::MakeBorder(c.width, static_cast<uint16_t>(c.style));
    Color color = Color::FromRgb(1, 1, 1);
    const uint16_t other = BoxStyle::MakeBorder(c.otherWidth, static_cast<uint16_t>(c.otherStyle));
    EXPECT_EQ(MergeBorderEdge(&border, &color, other, Color::FromRgb(2, 2, 2)), c.otherWins);
    EXPECT_EQ(border, c.otherWins ? other : BoxStyle::MakeBorder(c.width, static_cast<uint16_t>(c.style)));
    EXPECT_EQ(color, c.otherWins ? Color::FromRgb(2, 2, 2) : Color::FromRgb(1, 1, 1));
  }
}

TEST(BoxStyle, InheritsUnsetSidesAndMergesTheChosenOnes) {
  BoxStyle table;
  table.SetBorders(2, 1, Color::FromRgb(9, 9, 9));
  BoxStyle cell;
  cell.border[kBoxTop] = BoxStyle::MakeBorder(5, 1);
  cell.borderColor[kBoxTop] = Color::FromRgb(5, 5, 5);
  cell.border[kBoxLeft] = BoxStyle::MakeBorder(1, 1);
  cell.borderColor[kBoxLeft] = Color::FromRgb(1, 1, 1);
  cell.InheritBorders(table, 1u << kBoxLeft);
  EXPECT_EQ(BoxStyle::BorderWidth(cell.border[kBoxTop]), 5u);  // set, and not chosen
  EXPECT_EQ(cell.borderColor[kBoxTop], Color::FromRgb(5, 5, 5));
  EXPECT_EQ(BoxStyle::BorderWidth(cell.border[kBoxLeft]), 2u);  // chosen: the table's is stronger
  EXPECT_EQ(cell.borderColor[kBoxLeft], Color::FromRgb(9, 9, 9));
  EXPECT_EQ(BoxStyle::BorderWidth(cell.border[kBoxBottom]), 2u);  // unset: taken over
  EXPECT_EQ(cell.borderColor[kBoxRight], Color::FromRgb(9, 9, 9));
}

}  // namespace
