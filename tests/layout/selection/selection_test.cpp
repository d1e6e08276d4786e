// Words on a page and the selection: text extraction with its spaces,
// trimming and language, the copy limit, stepping by words, the caret moved
// in four directions, and the look-up word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/lines/line_records.h"
#include "layout/selection/page_selection.h"
#include "layout/selection/text_units.h"

namespace {

std::u16string Text(const SharedWideString& s) { return std::u16string(s.Chars() ? s.Chars() : u"", s.length); }

// A page made by hand: lines of words, each word a text item, words parted
// by space marks; a style run with a language opens the page.
class PageBuilder {
 public:
  explicit PageBuilder(uint16_t language = 9) {
    TextStyle style;
    style.language = language;
    store.AppendKind8(style, position, false);
  }
  void Line() { store.AppendItem(kLineItem, &line_, position, false); }
  // Appends a text item (no separator before it).
  LayoutCursor Piece(const char16_t* text) {
    LayoutItem item;
    item.text.FromChars(reinterpret_cast<const WCHAR*>(text), static_cast<uint32_t>(std::u16string(text).size()));
    LayoutCursor at = LayoutCursor::End(&store);
    store.AppendKind7(item, position, false);
    position += item.text.length;
    return at;
  }
  void Mark(int16_t code, int32_t value) {
    AppendMark(&store, code, value, position);
    position += 1;
  }
  void Space() { Mark(kMarkSpace, 4); }
  // Words parted by spaces, on one line.
  void Words(const std::vector<const char16_t*>& words) {
    Line();
    for (size_t i = 0; i < words.size(); ++i) {
      if (i != 0) Space();
      Piece(words[i]);
    }
    Space();
  }
  LayoutCursor Begin() { return LayoutCursor::Begin(&store); }
  LayoutCursor End() { return LayoutCursor::End(&store); }

  LayoutItemStore store;
  uint32_t position = 0;

 private:
  LineRecord line_;
};

std::u16string Extract(PageBuilder& page) {
  SharedWideString out;
  uint16_t language = 0;
  EXPECT_TRUE(ExtractText(page.Begin(), page.End(), &out, &language));
  return Text(out);
}

TEST(TextUnits, BreaksBecomeOneSpaceButZeroWidthBreaksAndHyphensNone) {
  struct Case {
    int16_t code;
    int32_t value;
    std::u16string want;
  };
  const Case cases[] = {
      {kMarkSpace, 0, u"abcd"},    // a zero-width break
      {kMarkSpace, 4, u"ab cd"},   // a space: exactly one
      {kMarkHyphen, 5, u"abcd"},   // a hyphen at the line end
      {kMarkLineEnd, 0, u"ab cd"},
      {kMarkParagraphEnd, 0, u"ab cd"},
  };
  for (const Case& c : cases) {
    PageBuilder page;
    page.Line();
    page.Piece(u"ab");
    page.Mark(c.code, c.value);
    page.Line();
    page.Piece(u"cd");
    EXPECT_EQ(Extract(page), c.want) << c.code << "/" << c.value;
  }
  // Several breaks in a row still give one space.
  PageBuilder page;
  page.Piece(u"ab");
  page.Space();
  page.Mark(kMarkLineEnd, 0);
  page.Space();
  page.Piece(u"cd");
  EXPECT_EQ(Extract(page), u"ab cd");
}

TEST(TextUnits, SpacesAtBothEndsAreTrimmedAndTheLanguageFound) {
  PageBuilder page(0x0C);
  page.Space();
  page.Piece(u" \t hello");
  page.Space();
  page.Piece(u"world \u00A0");
  page.Space();
  SharedWideString out;
  uint16_t language = 0;
  ASSERT_TRUE(ExtractText(page.Begin(), page.End(), &out, &language));
  EXPECT_EQ(Text(out), u"hello world");
  EXPECT_EQ(language, 0x0C);
  // Nothing but breaks: empty text, no language.
  PageBuilder blank;
  blank.Space();
  ASSERT_TRUE(ExtractText(blank.Begin(), blank.End(), &out, &language));
  EXPECT_TRUE(out.IsEmpty());
  EXPECT_EQ(language, 0);
}

TEST(TextUnits, StepsStopOnlyAtTextOrSeparators) {
  PageBuilder page;
  page.Words({u"one", u"two"});
  LayoutCursor at = page.Begin();
  ASSERT_TRUE(StepUnit(&at, true, true));  // past the style run and the line box
  EXPECT_EQ(at.KindAt(), kTextItem);
  ASSERT_TRUE(StepUnit(&at, true, false));
  EXPECT_EQ(at.KindAt(), kMarkItem);
  // Backward to a separator: the first item after it.
  LayoutCursor back = page.End();
  back.Prev();  // the trailing space
  ASSERT_TRUE(StepUnit(&back, false, false));
  EXPECT_EQ(Text(TextAt(back)->text), u"two");
  // At the ends: false when text was asked, true otherwise.
  LayoutCursor end = page.End();
  EXPECT_FALSE(StepUnit(&end, true, true));
  EXPECT_TRUE(StepUnit(&end, true, false));
  LayoutCursor start = page.Begin();
  EXPECT_FALSE(StepUnit(&start, false, true));
  EXPECT_TRUE(StepUnit(&start, false, false));
  LayoutCursor words = page.Begin();
  AdvanceWords(&words, 1);
  SharedWideString out;
  uint16_t language;
  ExtractText(page.Begin(), words, &out, &language);
  EXPECT_EQ(Text(out), u"one");
}

class SelectionTest : public ::testing::Test {
 protected:
  std::u16string Selected(bool whole = false) {
    SharedWideString out;
    uint16_t language = 0;
    EXPECT_TRUE(selection.GetSelectedText(whole, &out, &language));
    return Text(out);
  }
  PageBuilder page;
  PageSelection selection;
};

TEST_F(SelectionTest, AWordIsSelectedWholeFromAnyOfItsPieces) {
  page.Line();
  page.Piece(u"big");
  page.Space();
  page.Piece(u"wo");
  LayoutCursor inside = page.Piece(u"rd");  // one word in two pieces
  page.Space();
  page.Piece(u"end");
  selection.Reset(&page.store);
  EXPECT_TRUE(selection.HasNoSelection());
  ASSERT_TRUE(selection.SelectWordAt(inside, true));
  ASSERT_TRUE(selection.SelectWordAt(inside, false));
  EXPECT_FALSE(selection.HasNoSelection());
  EXPECT_EQ(Selected(), u"word");
  uint32_t start = 0, end = 0;
  selection.GetSelectionRange(&start, &end);
  EXPECT_EQ(start, 4u);
  EXPECT_EQ(end, 8u);
  // A focus before the anchor selects from the focus.
  selection.SelectWordAt(page.Begin(), false);
  EXPECT_EQ(Selected(), u"big word");
  selection.Clear();
  EXPECT_TRUE(selection.HasNoSelection());
  EXPECT_EQ(Selected(), u"");
  selection.GetSelectionRange(&start, &end);
  EXPECT_EQ(start + end, 0u);
}

TEST_F(SelectionTest, ACopyHoldsAtMostFiftyWords) {
  std::vector<std::u16string> words;
  for (int i = 0; i < 60; ++i) words.push_back(u"w" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
  page.Line();
  LayoutCursor first, last;
  for (int i = 0; i < 60; ++i) {
    if (i != 0) page.Space();
    LayoutCursor at = page.Piece(words[i].c_str());
    if (i == 0) first = at;
    last = at;
  }
  selection.Reset(&page.store);
  selection.SelectWordAt(first, true);
  selection.SelectWordAt(last, false);
  std::u16string fifty;
  for (int i = 0; i < 50; ++i) fifty += (i ? u" " : u"") + words[i];
  EXPECT_EQ(Selected(), fifty);
  EXPECT_EQ(Selected(true).size(), fifty.size() + 10 * 3);
  // By units: the start's word and the ones after it.
  SharedWideString out;
  EXPECT_FALSE(selection.GetSelectionTextByUnit(0, &out));
  selection.SelectWordAt(first, false);
  ASSERT_TRUE(selection.GetSelectionTextByUnit(1, &out));
  EXPECT_EQ(Text(out), u"wA");
  ASSERT_TRUE(selection.GetSelectionTextByUnit(3, &out));
  EXPECT_EQ(Text(out), u"wA wB wC");
}

TEST_F(SelectionTest, TheCaretMovesByWordsAndLines) {
  page.Words({u"a1", u"a2", u"a3"});
  page.Words({u"b1", u"b2"});
  page.Words({u"c1", u"c2"});
  selection.Reset(&page.store);
  auto caret = [&] {
    // The caret's word starts at its cursor (which may stand on the
    // neutral items before the page's first word).
    LayoutCursor at = selection.Caret().cursor;
    if (!StepUnit(&at, true, true)) return std::u16string(u"?");
    return Text(TextAt(at)->text);
  };
  struct Step {
    int32_t direction;
    const char16_t* want;
  };
  const Step steps[] = {
      {4, u"a1"},  // from nothing, right: the page's first word
      {4, u"a2"}, {4, u"a3"}, {4, u"b1"},  // right runs on over the line end
      {2, u"c1"},  // down: the first word of the next line
      {1, u"b1"},  // up: the first word of the line above
      {3, u"a3"},  // left: the previous word
      {3, u"a2"}, {3, u"a1"},
      {3, u"c2"},  // left from the first word: round to the page's last
      {4, u"a1"},  // right from the last: round to the first
  };
  for (const Step& s : steps) {
    ASSERT_TRUE(selection.MoveCaret(s.direction));
    EXPECT_EQ(caret(), s.want) << s.direction;
    EXPECT_FALSE(selection.Caret().IsEmpty());
  }
  EXPECT_FALSE(selection.MoveCaret(5));
  // The caret becomes the ends of a selection.
  selection.SetSelectionEnd(true);
  selection.MoveCaret(2);
  selection.SetSelectionEnd(false);
  EXPECT_EQ(Selected(), u"a1 a2 a3 b1");
  // From an empty caret, up starts from the page end.
  PageSelection other;
  other.Reset(&page.store);
  ASSERT_TRUE(other.MoveCaret(1));
  EXPECT_EQ(Text(TextAt(other.Caret().cursor)->text), u"c1");
  // Without a page nothing moves.
  PageSelection none;
  EXPECT_FALSE(none.MoveCaret(4));
}

TEST(LookupWord, ThreeWordsOrSevenForShortIdeographicText) {
  PageBuilder latin;
  latin.Words({u"one", u"two", u"three", u"four"});
  SharedWideString out;
  ASSERT_TRUE(GetLookupWord(&latin.store, &out));
  EXPECT_EQ(Text(out), u"one two three");
  PageBuilder chinese(0x0804);
  chinese.Words({u"\u4e00", u"\u4e8c", u"\u4e09", u"\u56db", u"\u4e94", u"\u516d", u"\u4e03", u"\u516b"});
  ASSERT_TRUE(GetLookupWord(&chinese.store, &out));
  EXPECT_EQ(out.length, 13u);  // seven characters and six spaces
  // Longer than nine characters: three words whatever the language.
  PageBuilder longer(0x0411);
  longer.Words({u"abcd", u"efgh", u"ijkl", u"mnop"});
  ASSERT_TRUE(GetLookupWord(&longer.store, &out));
  EXPECT_EQ(Text(out), u"abcd efgh ijkl");
}

}  // namespace
