// DrawTextW: measuring with DT_CALCRECT, lines, word breaks, prefixes,
// tabs, ellipses, placement in the rectangle and clipping to it. Built-in
// font: at 12 pixels 'a' 'b' 'c' 'd' 'e' 'H' 'o' 8, 'f' 7, 'l' 5, ' ' 5,
// '.' 3, cell 13; at 9 pixels 'I' 4 wide in a 10-pixel cell.
#include <vector>

#include "tests/platform/text_drawing/text_test_canvas.h"

namespace {

using texttest::Canvas;
using texttest::Font;
using texttest::InkBox;
using texttest::SelectedFont;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;

const std::vector<std::string> kLetterI = {
    "....", "###.", ".#..", ".#..", ".#..", ".#..", ".#..", "###.", "....", "....",
};

class TextDrawText : public texttest::TextTest {
 protected:
  void SetUp() override { SetBkMode(canvas.dc, TRANSPARENT); }
  // DT_CALCRECT from (10, 20) with the given width: the text's box as
  // {right - left, bottom - top} and the answer.
  std::vector<int> Measure(const char16_t* text, UINT format, int width = 0) {
    RECT rect{10, 20, 10 + width, 20};
    int answer = DrawTextW(canvas.dc, text, -1, &rect, format | DT_CALCRECT);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    return {static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top), answer};
  }
  int Draw(const char16_t* text, RECT rect, UINT format) { return DrawTextW(canvas.dc, text, -1, &rect, format); }

  Canvas canvas{200, 120};
};

TEST_F(TextDrawText, CalcRectMeasuresLines) {
  SelectedFont font(canvas.dc, Font(-12));
  struct Case {
    const char16_t* text;
    UINT format;
    int width;
    std::vector<int> expected;  // width, height, answer
  } cases[] = {
      {u"Hello, World!", DT_SINGLELINE, 0, {83, 13, 13}},
      {u"ab\ncd\r\nef", DT_SINGLELINE, 0, {5 * 8 + 7 + 3 * 7, 13, 13}},  // line ends are characters
      {u"ab\r\ncdef\n", 0, 0, {31, 39, 39}},                              // an empty last line
      {u"ab\rcdef", 0, 0, {31, 26, 26}},
      {u"", 0, 0, {0, 13, 13}},
      {u"aaa bbb ccc", DT_WORDBREAK, 60, {53, 26, 26}},
      {u"aaa bbb ccc", DT_WORDBREAK, 82, {82, 13, 13}},
      {u"aaa bbb ccc", DT_WORDBREAK, 20, {24, 39, 39}},  // words wider than the box stay whole
      {u"aaa bbb ccc", 0, 20, {82, 13, 13}},             // no word break: one line
      {u"aaa    bbb", DT_WORDBREAK, 30, {24, 26, 26}},     // blanks at the break are dropped
      {u"\u4e2d\u6587\u4e2d\u6587", DT_WORDBREAK, 30, {24, 26, 26}},  // CJK breaks between characters
      {u"a\tb", DT_EXPANDTABS, 0, {72, 13, 13}},                     // stops every 8 x 8 pixels
      {u"&File", DT_SINGLELINE, 0, {24, 13, 13}},
      {u"&File", DT_SINGLELINE | DT_NOPREFIX, 0, {32, 13, 13}},
      {u"A&&B", DT_SINGLELINE, 0, {24, 13, 13}},
      {u"Hello, World!", DT_SINGLELINE | DT_END_ELLIPSIS, 40, {35, 13, 13}},  // "Hell..."
      {u"Hello", DT_SINGLELINE | DT_END_ELLIPSIS, 40, {34, 13, 13}},          // fits: unchanged
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "format 0x" << std::hex << c.format << std::dec << " width " << c.width
                                    << " text #" << (&c - cases));
    EXPECT_EQ(Measure(c.text, c.format, c.width), c.expected);
  }
}

TEST_F(TextDrawText, EditControlBreaksLongWordsBetweenCharacters) {
  SelectedFont font(canvas.dc, Font(-12));
  std::vector<int> box = Measure(u"aaaa bbb", DT_WORDBREAK | DT_EDITCONTROL, 20);
  EXPECT_EQ(box[0], 16);
  EXPECT_EQ(box[1], 4 * 13);  // "aa", "aa", "bb", "b"
}

TEST_F(TextDrawText, SingleLinePlacementInTheRectangle) {
  SelectedFont font(canvas.dc, Font(-9));
  EXPECT_EQ(Draw(u"I", RECT{0, 0, 100, 50}, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 30);
  EXPECT_EQ(canvas.Picture(48, 20, 52, 30), kLetterI);
  EXPECT_EQ(canvas.Count(kBlack), 11);

  canvas.Clear();
  EXPECT_EQ(Draw(u"I", RECT{0, 0, 100, 50}, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM), 50);
  EXPECT_EQ(canvas.Picture(96, 40, 100, 50), kLetterI);

  canvas.Clear();
  // Centring works on the sum of the edges, so odd space rounds as the
  // device does.
  EXPECT_EQ(Draw(u"I", RECT{1, 1, 10, 12}, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 10);
  EXPECT_EQ(canvas.Picture(3, 1, 7, 11), kLetterI);

  canvas.Clear();
  // DT_VCENTER is for single lines only.
  EXPECT_EQ(Draw(u"I\nI", RECT{0, 0, 100, 50}, DT_VCENTER), 20);
  EXPECT_EQ(canvas.Picture(0, 0, 4, 10), kLetterI);
  EXPECT_EQ(canvas.Picture(0, 10, 4, 20), kLetterI);
}

TEST_F(TextDrawText, TabStopsInTheFormat) {
  // With DT_TABSTOP bits 8-15 hold the stop in average widths (6 pixels at
  // nine pixels), not flags.
  SelectedFont font(canvas.dc, Font(-9));
  Draw(u"I\tI", RECT{0, 0, 100, 50}, DT_EXPANDTABS | DT_TABSTOP | (2 << 8));
  EXPECT_EQ(canvas.Picture(0, 0, 4, 10), kLetterI);
  EXPECT_EQ(canvas.Picture(12, 0, 16, 10), kLetterI);
  EXPECT_EQ(canvas.Count(kBlack), 22);
}

TEST_F(TextDrawText, TextIsClippedToTheRectangleUnlessNoClip) {
  SelectedFont font(canvas.dc, Font(-9));
  Draw(u"I", RECT{0, 0, 2, 50}, 0);
  EXPECT_EQ(canvas.Count(kBlack), 9);
  EXPECT_EQ(canvas.Ink().right, 2);

  canvas.Clear();
  Draw(u"I\nI\nI", RECT{0, 0, 50, 15}, 0);  // the second line is cut at row 15
  EXPECT_EQ(canvas.Ink().bottom, 15);

  canvas.Clear();
  Draw(u"I", RECT{0, 0, 2, 50}, DT_NOCLIP);
  EXPECT_EQ(canvas.Count(kBlack), 11);
}

TEST_F(TextDrawText, OpaqueBackgroundFillsOnlyTheTextCells) {
  SelectedFont font(canvas.dc, Font(-9));
  SetBkMode(canvas.dc, OPAQUE);
  SetBkColor(canvas.dc, RGB(255, 0, 0));
  Draw(u"I", RECT{0, 0, 100, 50}, DT_SINGLELINE);
  EXPECT_EQ(canvas.Count(kRed), 40 - 11);
  EXPECT_EQ(canvas.Picture(0, 0, 4, 10, kBlack, kRed), kLetterI);
}

TEST_F(TextDrawText, ThePrefixUnderlinesTheNextCharacter) {
  SelectedFont font(canvas.dc, Font(-9));
  Draw(u"&II", RECT{0, 0, 100, 50}, DT_SINGLELINE);
  std::vector<std::string> picture = canvas.Picture(0, 0, 8, 10);
  EXPECT_EQ(picture[8], "####....") << "underline row 8 under the first letter only";
  picture[8] = "....";
  picture[8] += "....";
  std::vector<std::string> plain;
  for (const std::string& row : kLetterI) plain.push_back(row + row);
  EXPECT_EQ(picture, plain);
}

TEST_F(TextDrawText, AnUnderlinedFontDrawsOnlyItsLineUnderBlanks) {
  // The drawing surface draws the underline of a gap in the text with 64
  // blanks clipped to the gap's width.
  LOGFONTW underlined = Font(-9);
  underlined.lfUnderline = 1;
  SelectedFont font(canvas.dc, underlined);
  std::u16string blanks(64, u' ');
  RECT gap{5, 5, 22, 1005};
  DrawTextW(canvas.dc, blanks.c_str(), 64, &gap, DT_NOPREFIX | DT_SINGLELINE);
  EXPECT_EQ(canvas.Count(kBlack), 17);
  InkBox box = canvas.Ink();
  EXPECT_EQ(std::vector<int>({box.left, box.top, box.right, box.bottom}), std::vector<int>({5, 13, 22, 14}));
}

TEST_F(TextDrawText, EllipsisDrawsTheCutText) {
  SelectedFont font(canvas.dc, Font(-12));
  Draw(u"Hello, World!", RECT{0, 0, 40, 20}, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(canvas.Ink().right, 35);
  RECT expect{0, 0, 0, 0};
  canvas.Clear();
  DrawTextW(canvas.dc, u"Hell...", -1, &expect, DT_SINGLELINE | DT_NOCLIP);
  std::vector<uint32_t> cut = devtest::BitmapPixelsRgb(canvas.bitmap);
  canvas.Clear();
  Draw(u"Hello, World!", RECT{0, 0, 40, 20}, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_EQ(devtest::BitmapPixelsRgb(canvas.bitmap), cut);
}

TEST_F(TextDrawText, BadCallsAnswerZero) {
  RECT rect{0, 0, 10, 10};
  EXPECT_EQ(DrawTextW(canvas.dc, nullptr, 3, &rect, 0), 0);
  EXPECT_EQ(DrawTextW(canvas.dc, u"abc", 3, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(canvas.dc, u"abc", -2, &rect, 0), 0);
  EXPECT_EQ(DrawTextW(nullptr, u"abc", 3, &rect, 0), 0);
  EXPECT_EQ(canvas.Count(kBlack), 0);
}

TEST_F(TextDrawText, DrawingIsJournalled) {
  devtest::SetGdiJournal(true);
  Draw(u"OK", RECT{1, 2, 3, 4}, DT_CENTER | DT_SINGLELINE);
  EXPECT_EQ(devtest::GdiJournal(), std::vector<std::string>{"DrawTextW(1,2,3,4,0x21,\"OK\")"});
}

}  // namespace
