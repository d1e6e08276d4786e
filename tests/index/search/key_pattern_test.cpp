// Like-patterns against labels: one segment with a single-character code,
// first and last letters, middle segments in order, ignorable codes, the
// literal prefix's range, and the empty pattern.
#include <gtest/gtest.h>

#include "index/search/key_pattern.h"
#include "tests/index/index_test_books.h"

using namespace indextest;

namespace {

TEST(KeyPattern, SegmentsAndWildcards) {
  testbuild::IndexRecipe recipe;
  recipe.ordt = testbuild::CaseFoldingOrdt();
  const char* words[] = {"", "bat", "beat", "boat", "c-a-t", "cat", "coat"};
  for (const char* w : words) {
    testbuild::IndexEntry e;
    e.label = Bytes(w);
    recipe.entries.push_back(e);
  }
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  struct Case {
    const char* segments;  // segments separated by '*'; '?' any one character
    const char* prefix;
    std::vector<int32_t> answers;  // per word
  };
  const Case cases[] = {
      {"b?t", "", {1, 0, 1, 1, 1, 1, 1}},       // one segment: exactly three letters
      {"b*t", "", {1, 0, 0, 0, 1, 1, 1}},       // first and last letter
      {"c*a*t", "", {1, 1, 1, 1, 0, 0, 0}},     // a middle segment; hyphens weigh nothing
      {"c*o*t", "", {1, 1, 1, 1, 1, 1, 0}},
      {"*", "", {0, 0, 0, 0, 0, 0, 0}},         // empty with two segments: everything
      {"", "", {0, 1, 1, 1, 1, 1, 1}},          // empty with one: the empty label
      {"*t", "c", {2, 2, 2, 2, 0, 0, 0}},       // before the prefix's range
      {"*t", "b", {2, 0, 0, 0, -1, -1, -1}},    // after it
  };
  for (const Case& c : cases) {
    KeyPattern pattern;
    std::string text = c.segments;
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> lengths(1, 0);
    for (char ch : text) {
      if (ch == '*') {
        lengths.push_back(0);
      } else {
        bytes.push_back(ch == '?' ? 0xFF : static_cast<uint8_t>(ch));
        ++lengths.back();
      }
    }
    ASSERT_TRUE(pattern.SetPatternBytes(bytes.data(), static_cast<uint32_t>(bytes.size()), lengths.data(),
                                        static_cast<uint32_t>(lengths.size())));
    pattern.anyCharacter = 0xFF;
    std::string prefix = c.prefix;
    ASSERT_TRUE(pattern.SetPrefix(reinterpret_cast<const uint8_t*>(prefix.data()), static_cast<uint32_t>(prefix.size())));
    for (int32_t n = 0; n < 7; ++n) {
      EXPECT_EQ(MatchPattern(table.Get(), table->MakeEntryRef(n), pattern), c.answers[n])
          << c.segments << " prefix " << c.prefix << " word " << words[n];
    }
  }
}

TEST(KeyPattern, TotalLetterCount) {
  const uint8_t letters[] = {2, 0, 0, 0, 'a', 0, 3, 0, 'b', 0, 4, 0};
  EXPECT_EQ(TotalLetterCount(letters, sizeof(letters)), 7u);
  EXPECT_EQ(TotalLetterCount(letters, 8), 3u);  // an item past the end is not read
}

}  // namespace
