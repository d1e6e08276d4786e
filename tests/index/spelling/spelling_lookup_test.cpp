// Spelling correction over a builder dictionary with spelling blocks and a
// following table that holds n-grams and phonetic keys.
#include "index/spelling/spelling_lookup.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/index/index_test_books.h"
#include "tests/support/ngram_index_builder.h"
#include "tests/support/spelling_rules_builder.h"

namespace {

// Every word's phonetic key under LetterSpelling with keys of two
// characters: the first consonant in upper case (a leading vowel "A") and
// the next consonant.
const std::map<std::string, std::string> kPhonetic = {
    {"act", "Ac"}, {"cart", "Cr"}, {"cast", "Cs"}, {"cat", "Ct"},
    {"coat", "Ct"}, {"cut", "Ct"}, {"cxt", "Cx"}, {"dog", "Dg"},
};

struct SpellBook {
  indextest::IndexBook book;
  IndexTablePtr table;
};

SpellBook MakeSpellBook(const std::vector<std::string>& words, const testbuild::SpellingRecipe& spelling,
                        bool withSpelling = true) {
  std::vector<testbuild::DictionaryWord> list;
  for (const std::string& w : words) list.push_back({w, "d"});
  testbuild::IndexRecipe recipe = testbuild::DictionaryIndex(list);
  recipe.spellingPresent = withSpelling;
  recipe.word16 = 1;
  recipe.spelling = testbuild::BuildSpelling(spelling);
  recipe.followingTable = true;
  testbuild::NgramOptions options;
  std::map<std::string, std::vector<uint32_t>> byKey;
  for (uint32_t n = 0; n < recipe.entries.size(); ++n) {
    const std::string label(recipe.entries[n].label.begin(), recipe.entries[n].label.end());
    auto key = kPhonetic.find(label);
    if (key != kPhonetic.end()) byKey[key->second].push_back(n);
  }
  for (auto& [key, entries] : byKey) options.phonetic.push_back({indextest::Bytes(key), entries});
  SpellBook b;
  b.book = indextest::OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 0},
                                     {testbuild::BuildIndexRecords(testbuild::NgramIndex(recipe, options)), -1}});
  b.table = b.book.Table(u"special_table=default");
  return b;
}

testbuild::SpellingRecipe Rules(int32_t relativeCutOff = 30, uint32_t keyLength = 2) {
  testbuild::SpellingRecipe r = testbuild::LetterSpelling();
  r.maxKeyLength = keyLength;
  r.numbers[10] = 100;  // no absolute cut-off
  r.numbers[9] = relativeCutOff;
  return r;
}

const std::vector<std::string> kWords = {"act", "cart", "cast", "cat", "coat", "cut", "cxt", "dog"};

struct Found {
  int32_t answer = -1;
  std::vector<std::pair<std::string, int32_t>> items;  // label, score, in list order
  std::vector<int32_t> entries;
  SpellingLookupCounters counters;
};

Found Look(IndexTable* table, const std::string& word, uint32_t max = 6, SegmentedArray* list = nullptr) {
  Found f;
  SegmentedArray own;
  InitSpellingResults(&own);
  SegmentedArray& results = list ? *list : own;
  f.answer = LookupWord(table, reinterpret_cast<const uint8_t*>(word.data()), static_cast<uint32_t>(word.size()),
                        &results, max, false, &f.counters);
  for (uint32_t i = 0; i < results.count; ++i) {
    const SpellingSuggestion& s = SuggestionAt(results, i);
    SharedWideString label;
    table->GetLabel(s.entry, &label);
    f.items.push_back({indextest::Narrow(label), s.score});
    f.entries.push_back(table->GetEntryNumber(s.entry));
  }
  return f;
}

std::map<std::string, int32_t> Scores(const Found& f) { return {f.items.begin(), f.items.end()}; }

TEST(SpellingLookup, SwappedNeighboursComeFirstWithAtLeastThePerfectScore) {
  SpellBook b = MakeSpellBook(kWords, Rules());
  ASSERT_TRUE(b.table);
  Found f = Look(b.table.Get(), "cta");
  ASSERT_EQ(f.answer, 0);
  ASSERT_FALSE(f.items.empty());
  EXPECT_EQ(f.items[0].first, "cat");
  EXPECT_GE(f.items[0].second, static_cast<int32_t>(f.counters.perfectScore));
  EXPECT_EQ(f.counters.perfectScore, 300u);  // units "", "c", "ta"
}

TEST(SpellingLookup, WildcardFloorsAndRanking) {
  SpellBook b = MakeSpellBook(kWords, Rules());
  Found f = Look(b.table.Get(), "cat", 10);
  ASSERT_EQ(f.answer, 0);
  // Insertions ("ca_t", "c_at") have the floor P = 300, the replacement
  // "c_t" P - folded-letters score = 220 ("cxt" scores 85 on its own,
  // "cut" 230); "act" is a swap; "cat" itself scores what its units give
  // (the empty first units count as folded).
  EXPECT_EQ(Scores(f), (std::map<std::string, int32_t>{{"act", 300},
                                                       {"cart", 300},
                                                       {"cast", 300},
                                                       {"coat", 300},
                                                       {"cat", 280},
                                                       {"cut", 230},
                                                       {"cxt", 220}}));
  for (size_t i = 1; i < f.items.size(); ++i) EXPECT_GE(f.items[i - 1].second, f.items[i].second);
  // The list holds at most the maximum, the best kept.
  Found two = Look(b.table.Get(), "cat", 2);
  ASSERT_EQ(two.items.size(), 2u);
  EXPECT_EQ(two.items[0].second, 300);
  EXPECT_EQ(two.items[1].second, 300);
}

TEST(SpellingLookup, RelativeCutOff) {
  // 30%: items below 70% of the best (210) go; "cxt" at 220 stays.
  SpellBook b30 = MakeSpellBook(kWords, Rules(30));
  EXPECT_EQ(Scores(Look(b30.table.Get(), "cat", 10)).count("cxt"), 1u);
  // 20%: below 240 goes; "cat" at 280 stays.
  SpellBook b20 = MakeSpellBook(kWords, Rules(20));
  std::map<std::string, int32_t> s = Scores(Look(b20.table.Get(), "cat", 10));
  EXPECT_EQ(s.count("cxt"), 0u);
  EXPECT_EQ(s.count("cut"), 0u);
  EXPECT_EQ(s.count("cat"), 1u);
}

TEST(SpellingLookup, OneLabelIsOneItemWithTheLowerEntryAndTheHigherScore) {
  std::vector<std::string> words = kWords;
  words.push_back("cat");
  SpellBook b = MakeSpellBook(words, Rules());
  Found f = Look(b.table.Get(), "cat", 10);
  ASSERT_EQ(f.answer, 0);
  int count = 0;
  for (size_t i = 0; i < f.items.size(); ++i) {
    if (f.items[i].first != "cat") continue;
    ++count;
    EXPECT_EQ(f.items[i].second, 280);
    // "act", "cart", "cast" come before the two entries of "cat".
    EXPECT_EQ(f.entries[i], 3);
  }
  EXPECT_EQ(count, 1);
}

TEST(SpellingLookup, WithoutPhoneticKeysEveryEntryIsScored) {
  SpellBook b = MakeSpellBook(kWords, Rules(30, 0));
  Found f = Look(b.table.Get(), "dgo");
  ASSERT_EQ(f.answer, 0);
  ASSERT_FALSE(f.items.empty());
  EXPECT_EQ(f.items[0].first, "dog");
  EXPECT_GE(f.counters.candidatesScored, kWords.size());
  // With phonetic keys only the keys around the word are scored.
  SpellBook withKeys = MakeSpellBook(kWords, Rules());
  Found g = Look(withKeys.table.Get(), "dgo");
  EXPECT_EQ(g.items[0].first, "dog");
  EXPECT_LT(g.counters.candidatesScored, f.counters.candidatesScored);
}

TEST(SpellingLookup, FailuresLeaveThePrefilledListUntouched) {
  SegmentedArray list;
  InitSpellingResults(&list);
  const SpellingSuggestion marker{{1, 0}, 12345};
  list.Append(&marker);
  auto untouched = [&] { return list.count == 1 && SuggestionAt(list, 0).score == 12345; };

  SpellBook plain = MakeSpellBook(kWords, Rules(), false);
  EXPECT_EQ(Look(plain.table.Get(), "cat", 6, &list).answer, 1);
  EXPECT_TRUE(untouched());

  SpellBook b = MakeSpellBook(kWords, Rules());
  EXPECT_EQ(Look(b.table.Get(), std::string(256, 'a'), 6, &list).answer, 1);
  EXPECT_TRUE(untouched());
  // A unit of eight vowels cannot be cut.
  EXPECT_EQ(Look(b.table.Get(), "caaaaaaaa", 6, &list).answer, 1);
  EXPECT_TRUE(untouched());

  const char16_t noForm[] = u"ca\u4E00";
  EXPECT_EQ(LookupWordWide(b.table.Get(), noForm, 3, &list, 6, false), 1);
  EXPECT_TRUE(untouched());
  EXPECT_EQ(LookupWordWide(b.table.Get(), noForm, 0, &list, 6, false), 0);
  EXPECT_TRUE(untouched());
  // Approximated into 1252 first: "çat" is looked up as "cat".
  const char16_t cedilla[] = u"\u010Dat";
  EXPECT_EQ(LookupWordWide(b.table.Get(), cedilla, 3, &list, 6, false), 0);
  EXPECT_FALSE(untouched());
}

TEST(SpellingLookup, BrokenRulesAnswerOne) {
  testbuild::SpellingRecipe r = Rules();
  SpellBook good = MakeSpellBook(kWords, r);
  // A group that runs out: "t" has no rule that matches it.
  r.rules += "\n|t|x|t";
  size_t at = r.rules.find("\n|t||t");
  r.rules.erase(at, 6);
  SpellBook b = MakeSpellBook(kWords, r);
  SegmentedArray list;
  InitSpellingResults(&list);
  EXPECT_EQ(Look(b.table.Get(), "cat", 6, &list).answer, 1);
  EXPECT_EQ(Look(good.table.Get(), "cat", 6, &list).answer, 0);
}

}  // namespace
