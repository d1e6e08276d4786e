// The approximate matcher: segmentation into units and readings under a
// book's rules, unit and reading scores, phonetic keys, and rule tables that
// do not hold together.
#include "index/spelling/approximate_matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/spelling_rules_builder.h"

namespace {

using testbuild::IndexSpelling;
using testbuild::SpellingRecipe;

// The matcher record over built blocks (which must outlive it).
ApproximateMatcher MatcherOf(const IndexSpelling& s) { return testbuild::MatcherOfBlocks(s); }

struct Cut {
  int32_t answer;
  SpellingReadings readings;
};

void CutWord(const ApproximateMatcher& m, const std::string& word, Cut* out, uint32_t limit = kMaxReadings) {
  out->answer = FindWords(m, reinterpret_cast<const uint8_t*>(word.data()), static_cast<uint32_t>(word.size()),
                          &out->readings, limit);
}

// Each reading as its units "source/output" joined by spaces.
std::vector<std::string> Describe(const SpellingReadings& r) {
  std::vector<std::string> out;
  uint32_t at = 0;
  for (uint32_t i = 0; i < r.readingCount; ++i) {
    std::string s;
    for (uint32_t u = 0; u < r.counts[i]; ++u, ++at) {
      const SpellingUnit& unit = r.Unit(at);
      if (u) s += ' ';
      s += std::string(reinterpret_cast<const char*>(unit.source), unit.sourceCount) + "/" +
           std::string(reinterpret_cast<const char*>(unit.output), unit.outputCount);
    }
    out.push_back(s);
  }
  return out;
}

TEST(ApproximateMatcher, LetterRulesMakeConsonantLedUnits) {
  IndexSpelling s = testbuild::BuildSpelling(testbuild::LetterSpelling());
  ApproximateMatcher m = MatcherOf(s);
  Cut c;
  CutWord(m, "Cat", &c);
  ASSERT_EQ(c.answer, 0);
  // A word whose first rule starts a unit begins with an empty unit.
  EXPECT_EQ(Describe(c.readings), std::vector<std::string>{"/ Ca/ca t/t"});
  CutWord(m, "", &c);
  ASSERT_EQ(c.answer, 0);
  EXPECT_EQ(c.readings.readingCount, 1u);
  EXPECT_EQ(c.readings.counts[0], 0u);
}

TEST(ApproximateMatcher, BoundaryContextMatchesOnlyAtTheWordsEdges) {
  // "c" at the start reads "k", "s" at the end reads "z".
  IndexSpelling s = testbuild::BuildSpelling(testbuild::LetterSpelling("#|c||k\n|s|#|z"));
  ApproximateMatcher m = MatcherOf(s);
  Cut c;
  CutWord(m, "cacss", &c);
  ASSERT_EQ(c.answer, 0);
  EXPECT_EQ(Describe(c.readings), std::vector<std::string>{"/ ca/ka c/c s/s s/z"});
}

TEST(ApproximateMatcher, ReadingsBranchInOrderAndStopAtFour) {
  // "a" before a consonant reads "x" or, as the alternative, "y".
  SpellingRecipe r = testbuild::LetterSpelling("|a|C|x\n|a|C|y");
  IndexSpelling s = testbuild::BuildSpelling(r);
  ApproximateMatcher m = MatcherOf(s);
  Cut c;
  CutWord(m, "abab", &c);
  ASSERT_EQ(c.answer, 0);
  EXPECT_EQ(Describe(c.readings), (std::vector<std::string>{"/ a/x b/b a/x b/b", "/ a/x b/b a/y b/b",
                                                            "/ a/y b/b a/x b/b", "/ a/y b/b a/y b/b"}));
  // Eight readings are possible; the first four in order are kept, each
  // branch completing the reading it leaves first.
  CutWord(m, "ababab", &c);
  ASSERT_EQ(c.answer, 0);
  EXPECT_EQ(Describe(c.readings),
            (std::vector<std::string>{"/ a/x b/b a/x b/b a/x b/b", "/ a/x b/b a/x b/b a/y b/b",
                                      "/ a/x b/b a/y b/b a/x b/b", "/ a/x b/b a/y b/b a/y b/b"}));
  CutWord(m, "ababab", &c, 2);
  EXPECT_EQ(c.readings.readingCount, 2u);
}

TEST(ApproximateMatcher, UnitsOverSevenCharactersFail) {
  IndexSpelling s = testbuild::BuildSpelling(testbuild::LetterSpelling("|q||qaaaaaaa"));
  ApproximateMatcher m = MatcherOf(s);
  Cut c;
  CutWord(m, "baaaaaa", &c);  // seven source characters in one unit
  EXPECT_EQ(c.answer, 0);
  CutWord(m, "baaaaaaa", &c);  // eight
  EXPECT_EQ(c.answer, 1);
  EXPECT_EQ(c.readings.readingCount, 0u);
  CutWord(m, "q", &c);  // eight output characters
  EXPECT_EQ(c.answer, 1);
}

TEST(ApproximateMatcher, IdenticalReadingsScoreIdenticalLettersAndMarks) {
  // Every output ends its unit; "t" also starts one (marked).
  SpellingRecipe r;
  for (char ch = 'a'; ch <= 'z'; ++ch) {
    r.rules += std::string("|") + ch + "||" + ch + "\n";
    r.firstOutput[static_cast<uint8_t>(ch)] = 'Z';
  }
  r.output['Z'] = 1;
  r.output['t'] = 't';
  r.numbers[kScoreMarkedOutput] = 7;
  IndexSpelling s = testbuild::BuildSpelling(r);
  ApproximateMatcher m = MatcherOf(s);
  Cut a;
  CutWord(m, "cat", &a);
  ASSERT_EQ(a.answer, 0);
  // "t" follows a unit that ended at an end mark: an empty unit comes first.
  EXPECT_EQ(Describe(a.readings), std::vector<std::string>{"c/c a/a / t/t"});
  EXPECT_EQ(BestReadingScore(m, a.readings, a.readings), 4 * 100 + 7);
  Cut b;
  CutWord(m, "dog", &b);
  EXPECT_EQ(BestReadingScore(m, b.readings, b.readings), 3 * 100);
}

TEST(ApproximateMatcher, ReadingScores) {
  IndexSpelling s = testbuild::BuildSpelling(testbuild::LetterSpelling());
  ApproximateMatcher m = MatcherOf(s);
  struct Case {
    const char* a;
    const char* b;
    int32_t score;
  } cases[] = {
      // "" first pair (folded 80), then identical units.
      {"cat", "cat", 80 + 100 + 100},
      {"cat", "Cat", 80 + 80 + 100},
      // "ca" against "co": alike through the first-output map (similar 40)
      // with one leading letter in common (small overlap 10).
      {"cat", "cot", 80 + 50 + 100},
      // "x" has no partner: the look-ahead pairs "ca" with "ca" after it, at
      // half a penalty, and that pair counts as matched without its score.
      {"cat", "xcat", 80 - 25 + 100},
      // One unit more in b: it counts as unmatched once the other is spent.
      {"cat", "cats", 80 + 100 + 100 - 50},
      // Nothing alike after the first pair and no look-ahead helps.
      {"b", "x", 80},
  };
  for (const Case& c : cases) {
    Cut a;
    Cut b;
    CutWord(m, c.a, &a);
    CutWord(m, c.b, &b);
    EXPECT_EQ(BestReadingScore(m, a.readings, b.readings), c.score) << c.a << " / " << c.b;
  }
}

TEST(ApproximateMatcher, PhoneticKeys) {
  SpellingRecipe r = testbuild::LetterSpelling();
  r.maxKeyLength = 2;
  IndexSpelling s = testbuild::BuildSpelling(r);
  ApproximateMatcher m = MatcherOf(s);
  struct Case {
    const char* word;
    const char* key;
  } cases[] = {{"cat", "Ct"}, {"kite", "Kt"}, {"catch", "Ct"}, {"a", "A"}};
  for (const Case& c : cases) {
    Cut w;
    CutWord(m, c.word, &w);
    uint8_t key[kPhoneticKeyBytes];
    bool overflow = false;
    const uint32_t n = PhoneticKey(m, w.readings, 0, w.readings.counts[0], key, &overflow);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(key), n), c.key) << c.word;
    EXPECT_FALSE(overflow);
  }
  // Units are added whole while the key is short; past 16 characters the
  // rest is dropped and reported.
  m.maxKeyLength = 100;
  Cut w;
  CutWord(m, "bcdfghjklmnpqrstvwxz", &w);
  uint8_t key[kPhoneticKeyBytes];
  bool overflow = false;
  EXPECT_EQ(PhoneticKey(m, w.readings, 0, w.readings.counts[0], key, &overflow), kPhoneticKeyBytes);
  EXPECT_TRUE(overflow);
}

TEST(ApproximateMatcher, CompareByteKeys) {
  auto b = [](const char* s) { return reinterpret_cast<const uint8_t*>(s); };
  EXPECT_EQ(CompareByteKeys(b("ab"), 2, b("abc"), 3, 0xFFFFFFFFu), -1);
  EXPECT_EQ(CompareByteKeys(b(""), 0, b("a"), 1, 0xFFFFFFFFu), -1);
  EXPECT_EQ(CompareByteKeys(b("ab"), 2, b("abc"), 3, 2), 0);
  EXPECT_EQ(CompareByteKeys(b("\xE9"), 1, b("z"), 1, 0xFFFFFFFFu), 1);
  uint8_t map[128] = {};
  for (int c = 'a'; c <= 'z'; ++c) map[c] = static_cast<uint8_t>(c);
  for (int c = 'A'; c <= 'Z'; ++c) map[c] = static_cast<uint8_t>(c + 32);
  EXPECT_EQ(CompareByteKeysMapped(b("a-b"), 3, b("AB"), 2, map, 128, 0xFFFFFFFFu), 0);  // "-" weighs nothing
  EXPECT_EQ(CompareByteKeysMapped(b("a"), 1, b("\xC0"), 1, map, 128, 0xFFFFFFFFu), -1);  // beyond the map last
  EXPECT_EQ(CompareByteKeysMapped(b("b"), 1, b("A"), 1, map, 128, 0xFFFFFFFFu), 1);
}

// Rule tables that do not hold together answer 1, never a read outside the
// table (the sanitizer watches the exact-size blocks).
TEST(ApproximateMatcher, BrokenRuleTablesFail) {
  const IndexSpelling good = testbuild::BuildSpelling(testbuild::LetterSpelling());
  struct Case {
    const char* name;
    void (*spoil)(IndexSpelling&);
  } cases[] = {
      {"rule index past the table",
       [](IndexSpelling& s) {
         s.blocks[5][2 * 'a'] = 0x7F;
         s.blocks[5][2 * 'a' + 1] = 0xFF;
       }},
      {"link byte below '0'", [](IndexSpelling& s) { s.blocks[2][0] = '0' - 1; }},
      {"field length below '0'", [](IndexSpelling& s) { s.blocks[2][1] = '0' - 1; }},
      {"link byte past the end",
       [](IndexSpelling& s) { s.blocks[2][s.blocks[2].size() - 7] = static_cast<uint8_t>('0' + 60); }},
      {"field length past the rule",
       [](IndexSpelling& s) { s.blocks[2][s.blocks[2].size() - 5] = static_cast<uint8_t>('0' + 9); }},
      {"table cut inside the last rule", [](IndexSpelling& s) { s.blocks[2].resize(s.blocks[2].size() - 2); }},
      // The first group ("a") does not borrow the next group's rules.
      {"first group without a catch-all", [](IndexSpelling& s) { s.blocks[2][3] = 'q'; }},
      {"group without a catch-all", [](IndexSpelling& s) {
         // The last group ("z") loses its only rule's match.
         s.blocks[2][s.blocks[2].size() - 4] = 'q';
       }},
  };
  for (const Case& c : cases) {
    IndexSpelling s = good;
    c.spoil(s);
    ApproximateMatcher m = MatcherOf(s);
    Cut cut;
    for (const char* word : {"az", "zz", "a"}) CutWord(m, word, &cut);
    CutWord(m, "abz", &cut);
    EXPECT_EQ(cut.answer, 1) << c.name;
  }
}

}  // namespace
