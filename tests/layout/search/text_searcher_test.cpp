// Searching plain text: case, whole words, restarts inside a partial match,
// matches across blocks, backward steps and cancelling. The documents hand
// out small blocks and count two positions per character, so that a
// searcher confusing positions with character offsets is caught.
#include "layout/search/text_searcher.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_document.h"

namespace {

constexpr uint32_t kScale = 2;

struct Search {
  explicit Search(std::u16string text, uint32_t blockSize = 5) {
    document.Adopt(new FakeDocument(std::move(text), blockSize, kScale));
    searcher.Attach(document.Get());
  }
  RefPtr<FakeDocument> document;
  PlainTextSearcher searcher;
};

SearchRequest Request(const std::u16string& pattern, bool wholeWord = false, bool caseInsensitive = false) {
  SearchRequest request;
  request.pattern = pattern.data();
  request.length = static_cast<uint32_t>(pattern.size());
  request.wholeWord = wholeWord;
  request.caseInsensitive = caseInsensitive;
  return request;
}

TEST(PlainTextSearch, FindsForwardByTheRules) {
  struct Case {
    const char* name;
    std::u16string text, pattern;
    bool wholeWord, caseInsensitive;
    int32_t start;  // in characters; -1 none
  };
  const Case cases[] = {
      {"case folded", u"The cat. the end", u"the", false, true, 0},
      {"case kept", u"The cat. the end", u"the", false, false, 9},
      {"restart inside a partial match", u"xaaab", u"aab", false, false, 2},
      {"whole word skips the inside of a word", u"concatenate cat, dog", u"cat", true, false, 12},
      {"whole word at the very end", u"a tomcat cat", u"cat", true, false, 9},
      {"whole word never inside", u"concatenate", u"cat", true, false, -1},
      {"across blocks", u"0123456789abcdef", u"4567", false, false, 4},
      {"not there", u"abc", u"abd", false, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Search s(c.text);
    std::u16string pattern = c.pattern;
    uint32_t start = 0, end = 0;
    bool stopped = true;
    bool found = s.searcher.Scan(Request(pattern, c.wholeWord, c.caseInsensitive), 0, s.document->GetTextLength(),
                                 &start, &end, &stopped);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(found, c.start >= 0);
    if (!found || c.start < 0) continue;
    EXPECT_EQ(start, c.start * kScale);
    EXPECT_EQ(end, (c.start + pattern.size()) * kScale);
    EXPECT_EQ(s.document->Outstanding(), 0u);
  }
}

TEST(PlainTextSearch, StepsForwardAndBackThroughTheModes) {
  Search s(u"cat dog cat dog cat", 4);
  std::u16string pattern = u"cat";
  SearchRequest request = Request(pattern, true);
  uint32_t from = 0, to = 0, end = 0;
  bool stopped = false;
  int32_t mode = kSearchFirstBackward;
  EXPECT_FALSE(IsTextScanMode(mode));
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 16 * kScale);
  EXPECT_EQ(mode, kSearchNextBackward);
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 8 * kScale);
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 0u);
  EXPECT_FALSE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));

  mode = kSearchFirstForward;
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(mode, kSearchNextForward);
  EXPECT_TRUE(IsTextScanMode(mode));
  from = end;
  ASSERT_TRUE(RunTextSearch(&s.searcher, request, &from, &to, &end, &mode, &stopped));
  EXPECT_EQ(from, 8 * kScale);
  EXPECT_EQ(end, 11 * kScale);
  EXPECT_EQ(s.document->Outstanding(), 0u);
}

TEST(PlainTextSearch, CancelsAndRefusesEmptyPatterns) {
  Search s(u"aaaaaaaaaaaaaaaaaaaab", 4);
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
  EXPECT_FALSE(s.searcher.Scan(Request(pattern), s.document->GetTextLength(), 0, &start, &end, &stopped));
  EXPECT_TRUE(stopped);
  s.searcher.SetProgress(nullptr, nullptr);
  std::u16string empty;
  EXPECT_FALSE(s.searcher.Scan(Request(empty), 0, s.document->GetTextLength(), &start, &end, &stopped));
  EXPECT_TRUE(stopped);
  EXPECT_EQ(s.document->Outstanding(), 0u);
}

}  // namespace
