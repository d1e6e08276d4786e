// Searching the visible text of markup: tags skipped, references decoded,
// white space runs seen as one space; backward steps that start their
// blocks at tag boundaries, so that no attribute text is matched; and
// cancelling. The documents hand out small blocks so that tags and words
// are cut by block starts.
#include "layout/search/markup_text_searcher.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_document.h"

namespace {

struct Search {
  explicit Search(std::u16string text, uint32_t blockSize = 8) {
    document.Adopt(new FakeDocument(std::move(text), blockSize));
    searcher.Attach(document.Get());
  }
  ~Search() { EXPECT_EQ(document->Outstanding(), 0u); }
  RefPtr<FakeDocument> document;
  MarkupTextSearcher searcher;
};

SearchRequest Request(const std::u16string& pattern, bool wholeWord = false, bool caseInsensitive = false) {
  SearchRequest request;
  request.pattern = pattern.data();
  request.length = static_cast<uint32_t>(pattern.size());
  request.wholeWord = wholeWord;
  request.caseInsensitive = caseInsensitive;
  return request;
}

struct Case {
  const char* name;
  std::u16string text, pattern;
  bool wholeWord, caseInsensitive;
  int32_t start, end;  // -1: not found
};

void Expect(const Case& c, bool backward) {
  SCOPED_TRACE(c.name);
  Search s(c.text);
  uint32_t start = 0, end = 0;
  bool stopped = true;
  uint32_t length = s.document->GetTextLength();
  bool found = backward ? s.searcher.Scan(Request(c.pattern, c.wholeWord, c.caseInsensitive), length, 0, &start,
                                          &end, &stopped)
                        : s.searcher.Scan(Request(c.pattern, c.wholeWord, c.caseInsensitive), 0, length, &start,
                                          &end, &stopped);
  EXPECT_FALSE(stopped);
  ASSERT_EQ(found, c.start >= 0);
  if (!found) return;
  EXPECT_EQ(start, static_cast<uint32_t>(c.start));
  EXPECT_EQ(end, static_cast<uint32_t>(c.end));
  EXPECT_EQ(s.searcher.HeldBlockCount(), 0u);
}

TEST(MarkupTextSearch, SeesOnlyTheVisibleText) {
  const Case cases[] = {
      {"a no-break space is a space", u"x a&nbsp;b", u"a b", false, false, 2, 10},
      {"a tag between words", u"a <i>b</i>", u"a b", false, false, 0, 6},
      {"a tag joins what it separates", u"a<i>b</i>", u"a b", false, false, -1, -1},
      {"a tag inside a word", u"ca<b>t</b>", u"cat", false, false, 0, 6},
      {"attribute text is not text", u"<a title=\"cat\">dog</a>", u"cat", false, false, -1, -1},
      {"a white space run is one space", u"a \r\n\t b", u"a b", false, false, 0, 7},
      {"numeric and named references", u"&#99;at &amp; dog", u"cat & dog", false, false, 0, 17},
      {"a reference without its semicolon", u"fish &amp chips", u"fish & chips", false, false, 0, 15},
      {"case folded", u"<p>The cat</p>", u"the", false, true, 3, 6},
      {"case kept", u"<p>The cat the</p>", u"the", false, false, 11, 14},
      {"restart inside a partial match", u"<b>xaaab</b>", u"aab", false, false, 5, 8},
      {"whole word skips the inside of a word", u"concatenate <b>cat</b>, dog", u"cat", true, false, 15, 18},
      {"whole word at the very end", u"tomcat cat", u"cat", true, false, 7, 10},
      {"whole word never inside", u"concatenate", u"cat", true, false, -1, -1},
      {"control characters are invisible", u"ca\x01\x02t", u"cat", false, false, 0, 5},
      {"an unclosed tag hides the rest", u"cat <b cat", u"cat", true, false, 0, 3},
  };
  for (const Case& c : cases) Expect(c, false);
}

TEST(MarkupTextSearch, BackwardNeverMatchesInsideATagCutByABlock) {
  // Blocks of 8: the block at 16 starts inside the tag, just before the
  // attribute's "cat"; the one at 8 inside it too.
  const Case cases[] = {
      {"the attribute's word is skipped", u"cat <img alt=\"xx cat\"> end", u"cat", false, false, 0, 3},
      {"text before a block's first tag boundary", u"xx abcdefgh<b>y</b>", u"efg", false, false, 7, 11},
      {"a match across a block start", u"0123456 cat dog <b>z</b>", u"cat", false, false, 8, 11},
      {"the last of several", u"cat <b>cat</b> cat", u"cat", false, false, 15, 18},
      {"a reference across a block start", u"abc a&nbsp;b <i>z</i>", u"a b", false, false, 4, 12},
  };
  for (const Case& c : cases) Expect(c, true);
}

TEST(MarkupTextSearch, StepsBackAndForthThroughTheModes) {
  Search s(u"cat <b title=\"cat\">cat</b> <!-- cat --> cat.");
  std::u16string pattern = u"cat";
  SearchRequest request = Request(pattern, true);
  uint32_t from = 0, to = 0, end = 0;
  bool stopped = false;
  int32_t mode = kSearchFirstBackward;
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 40u);  // neither the comment's word nor the attribute's
  EXPECT_EQ(mode, kSearchNextBackward);
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 19u);
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 0u);
  EXPECT_FALSE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));

  mode = kSearchFirstForward;
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(mode, kSearchNextForward);
  from = end;
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 19u);
  EXPECT_EQ(end, 22u);
}

TEST(MarkupTextSearch, CancelsAndRefusesEmptyPatterns) {
  std::u16string text;
  for (int i = 0; i < 500; ++i) text += u"<b>a</b> ";
  text += u"ab";
  Search s(text, 64);
  std::u16string pattern = u"ab";
  int calls = 0;
  s.searcher.SetProgress(
      [](void* context, uint32_t) {
        int* n = static_cast<int*>(context);
        return ++*n < 3;
      },
      &calls);
  uint32_t start = 0, end = 0;
  bool stopped = false;
  EXPECT_FALSE(s.searcher.Scan(Request(pattern), 0, s.document->GetTextLength(), &start, &end, &stopped));
  EXPECT_TRUE(stopped);
  EXPECT_EQ(calls, 3);
  calls = 0;
  EXPECT_FALSE(s.searcher.Scan(Request(pattern), s.document->GetTextLength() - 2, 0, &start, &end, &stopped));
  EXPECT_TRUE(stopped);
  s.searcher.SetProgress(nullptr, nullptr);
  ASSERT_TRUE(s.searcher.Scan(Request(pattern), 0, s.document->GetTextLength(), &start, &end, &stopped));
  EXPECT_EQ(start, s.document->GetTextLength() - 2);
  std::u16string empty;
  EXPECT_FALSE(s.searcher.Scan(Request(empty), 0, s.document->GetTextLength(), &start, &end, &stopped));
  EXPECT_TRUE(stopped);
}

}  // namespace
