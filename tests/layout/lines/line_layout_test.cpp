// Line layout with the built-in fixed-pitch font (6 pixels a character,
// ascent 8, descent 2): where lines end, the records they get, and that no
// text is ever lost, however narrow the column.
#include <random>

#include "tests/layout/lines/line_fixture.h"

namespace linetest {
namespace {

using TextList = std::vector<std::u16string>;

struct BreakCase {
  const char* name;
  std::u16string text;
  int32_t width;
  uint16_t language;
  TextList lines;
};

class LineBreaks : public LineTest, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(LineBreaks, EndWhereTheRulesSay) {
  const BreakCase& c = GetParam();
  frameStyle.language = c.language;
  Fill(c.text);
  EXPECT_EQ(TextsOf(LayOutAll(c.width)), c.lines) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineBreaks,
    ::testing::Values(
        BreakCase{"words wrap at spaces", u"aaa bbb ccc ddd", 60, 0, {u"aaa bbb ", u"ccc ddd"}},
        BreakCase{"a space at a line start takes no room", u"aaaa bbbb  cccc", 54, 0, {u"aaaa bbbb ", u"cccc"}},
        BreakCase{"paragraph ends end lines", u"aa\nbb cc\ndd", 600, 0, {u"aa", u"bb cc", u"dd"}},
        // "(" alone before a word that does not fit: the line may not end after it.
        BreakCase{"no line ends after an opening parenthesis", u"aa ( bbbbbbb", 60, 0, {u"aa ", u"( bbbbbbb"}},
        BreakCase{"no line begins with a comma", u"aaaa bbbb ,ccccc", 66, 0, {u"aaaa ", u"bbbb ,ccccc"}},
        // in-for-ma-tion: "informa-" is too wide, "infor-" fits.
        BreakCase{"syllables", u"ab information", 60, 0, {u"ab infor-", u"mation"}},
        BreakCase{"after a dash, no hyphen added", u"ab well-known", 60, 0, {u"ab well-", u"known"}},
        BreakCase{"two syllables are not split", u"ab garden", 48, 0, {u"ab ", u"garden"}},
        BreakCase{"less than a quarter free: the word moves whole", u"abcdefgh information", 66, 0,
                  {u"abcdefgh ", u"information"}},
        // No vowels: no syllables, so the last characters that fit, and a hyphen.
        BreakCase{"a word longer than the line", u"bcdfgkbcdfgkbcdf", 60, 0, {u"bcdfgkbcd-", u"fgkbcdf"}},
        // Japanese (17): split per character, no hyphen, and never before U+3002.
        BreakCase{"CJK splits per character", u"\u3042\u3044\u3046\u3048\u304a\u304b\u3002\u304d", 60, 17,
                  {u"\u3042\u3044\u3046\u3048\u304a", u"\u304b\u3002\u304d"}},
        // Not one character fits: each line shows one, clipped; none is lost.
        BreakCase{"a column narrower than a character", u"abc de", 3, 0, {u"a", u"b", u"c", u"d", u"e"}}),
    [](const ::testing::TestParamInfo<BreakCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(LineTest, RecordsHoldPositionSizeBaselineAndSpaces) {
  Fill(u"aaa bbb ccc ddd\nee");
  const std::vector<Line> lines = LayOutAll(60);
  ASSERT_EQ(lines.size(), 3u);
  struct Expect {
    int32_t y, contentWidth, spaceCount;
    uint8_t flags;
  };
  const Expect expect[] = {
      {0, 12 + 6, 2, kLineWrapped | kLinePlain},       // "aaa bbb " ends on a space: 2 spaces, no +1
      {10, 60 - 42, 2, kLineParagraphEnd | kLinePlain},  // "ccc ddd": one space, + 1
      {20, 60 - 12, 1, kLineParagraphEnd | kLinePlain},  // "ee" at the end of the text
  };
  for (size_t i = 0; i < 3; ++i) {
    const LineRecord& r = lines[i].record;
    EXPECT_EQ(r.x, 0) << i;
    EXPECT_EQ(r.y, expect[i].y) << i;
    EXPECT_EQ(r.width, 60) << i;
    EXPECT_EQ(r.height, 10) << i;
    EXPECT_EQ(r.baseline, 8) << i;
    EXPECT_EQ(r.textTop, 0) << i;
    EXPECT_EQ(r.textBottom, 10) << i;
    EXPECT_EQ(r.contentWidth, expect[i].contentWidth) << i;
    EXPECT_EQ(r.spaceCount, expect[i].spaceCount) << i;
    EXPECT_EQ(r.flags & ~kLineParagraphEnd & 0xFF, expect[i].flags & ~kLineParagraphEnd) << i;
  }
  EXPECT_TRUE(lines[1].record.flags & kLineParagraphEnd);
}

TEST_F(LineTest, ParagraphFormatIndentsTheFirstLineAndAddsSpaceAround) {
  ParagraphFormat format;
  format.lengths[0] = MakeStyleLength(12, 0);  // left
  format.lengths[1] = MakeStyleLength(6, 0);   // first line
  format.lengths[2] = MakeStyleLength(6, 0);   // right
  format.lengths[3] = MakeStyleLength(5, 0);   // before
  format.lengths[4] = MakeStyleLength(3, 0);   // after
  format.boxFlags = kFormatParagraphStart;
  ASSERT_TRUE(store.AppendItem(kParagraphFormatItem, &format, 0, false));
  Fill(u"aaa bbb ccc ddd eee\n");
  const std::vector<Line> lines = LayOutAll(84);
  ASSERT_EQ(TextsOf(lines), (TextList{u"aaa bbb ", u"ccc ddd eee"}));
  // First line: 84 - 18 - 6 = 60 wide, 5 above; then 84 - 12 - 6 = 66, 3 below.
  EXPECT_EQ(lines[0].record.leftIndent, 18);
  EXPECT_EQ(lines[0].record.width, 60);
  EXPECT_EQ(lines[0].record.spaceAbove, 5);
  EXPECT_EQ(lines[0].record.height, 15);
  EXPECT_EQ(lines[1].record.leftIndent, 12);
  EXPECT_EQ(lines[1].record.width, 66);
  EXPECT_EQ(lines[1].record.y, 15);
  EXPECT_EQ(lines[1].record.spaceBelow, 3);
  EXPECT_EQ(lines[1].record.height, 13);
}

TEST_F(LineTest, LineSpacingAddsLeadingMostlyAbove) {
  env.lineSpacing = 3;  // 3/4 of 10: 7, 4 of it above the baseline
  Fill(u"aa bb");
  const std::vector<Line> lines = LayOutAll(600);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].record.height, 17);
  EXPECT_EQ(lines[0].record.baseline, 12);
}

TEST_F(LineTest, AWordOfSeveralStylesIsMeasuredAsOne) {
  Fill(u"aaaa ");
  LayoutItem head;
  head.text.FromChars(u"bb", 2);
  ASSERT_TRUE(store.AppendKind7(head, 5, false));
  TextStyle bold;
  bold.flags = TextStyle::kBold;  // one pixel wider per character
  ASSERT_TRUE(store.AppendKind8(bold, 7, false));
  LayoutItem tail;
  tail.text.FromChars(u"cc", 2);
  ASSERT_TRUE(store.AppendKind7(tail, 7, false));
  store.endPosition = 9;
  // "aaaa " is 30, "bb" 12 and bold "cc" 14: 56 does not fit in 55.
  EXPECT_EQ(TextsOf(LayOutAll(55)), (TextList{u"aaaa ", u"bbcc"}));
  EXPECT_EQ(TextsOf(LayOutAll(56)).size(), 2u);  // laid out again: the stale lines are replaced
}

TEST_F(LineTest, ALineThatDoesNotFitTheColumnStaysForTheNext) {
  Fill(u"aa bb cc");
  FlowSpace space;
  space.SetColumn(0, 0, 18, 15);
  LayoutCursor cursor = LayoutCursor::Begin(&store);
  bool atTop = true;
  bool more = false;
  bool produced = false;
  ASSERT_TRUE(LayOutLine(env, &space, &cursor, &more, &atTop, &produced));
  EXPECT_TRUE(more);
  EXPECT_FALSE(atTop);
  const LayoutCursor second = cursor;
  ASSERT_TRUE(LayOutLine(env, &space, &cursor, &more, &atTop, &produced));
  EXPECT_FALSE(more);
  EXPECT_EQ(cursor.order, second.order);  // back on the line's record
  EXPECT_EQ(frameStart, 3u);              // the page continues at "bb"
  // A line always goes on an empty column, even one lower than the line.
  space.SetColumn(0, 0, 18, 4);
  space.Reset();
  atTop = true;
  ASSERT_TRUE(LayOutLine(env, &space, &cursor, &more, &atTop, &produced));
  EXPECT_TRUE(more);
  EXPECT_EQ(frameStart, 6u);
}

TEST_F(LineTest, TextIsNeverLostWhateverTheWidth) {
  std::mt19937 random(7);
  std::u16string text;
  const char16_t* pieces[] = {u"a", u"information", u"(", u",", u"well-known", u"bcdfgkbcdfgkbcdfgk",
                              u"\u3042\u3044\u3046\u3002", u"x", u"extraordinarily", u"\n"};
  for (int i = 0; i < 400; ++i) {
    text += pieces[random() % 10];
    text += (random() % 5 == 0) ? u"  " : u" ";
  }
  Fill(text);
  shownHyphen = 0;
  std::u16string expected;
  for (char16_t c : text)
    if (c != u' ' && c != u'\n') expected.push_back(c);
  for (int32_t width : {1, 5, 6, 13, 40, 61, 97, 240}) {
    std::u16string all;
    for (const Line& line : LayOutAll(width)) {
      for (char16_t c : line.text)
        if (c != u' ') all.push_back(c);
    }
    EXPECT_EQ(all, expected) << "width " << width;
  }
}

}  // namespace
}  // namespace linetest
