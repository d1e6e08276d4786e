// Inflection rules applied to words in both directions, the rule fault
// cases (a rule that needs more characters than the word has), the spelling
// blocks' checks, and the inflection kinds of a book.
#include <gtest/gtest.h>

#include "index/inflection/inflection_rules.h"
#include "index/inflection/spelling_blocks.h"
#include "index/tables/index_table.h"
#include "platform/testing/allocation.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

struct RuleCase {
  const char* name;
  std::vector<uint8_t> rule;
  RuleDirection direction;
  const char* word;
  bool verify;
  const char* result;  // null: no form
};

std::vector<uint8_t> R(std::initializer_list<int> bytes) {
  std::vector<uint8_t> out;
  for (int b : bytes) out.push_back(static_cast<uint8_t>(b));
  return out;
}

TEST(InflectionRules, ApplyRuleCases) {
  const auto kInflect = RuleDirection::kInflect;
  const auto kReduce = RuleDirection::kReduce;
  const RuleCase cases[] = {
      {"plural s", R({2, 's'}), kInflect, "chat", false, "chats"},
      {"plural s reduced", R({2, 's'}), kReduce, "chats", true, "chat"},
      {"al to aux", R({2, 'x', 'u', 'a', 3, 'l', 'a'}), kInflect, "cheval", false, "chevaux"},
      {"aux to al", R({2, 'x', 'u', 'a', 3, 'l', 'a'}), kReduce, "chevaux", true, "cheval"},
      {"verification fails", R({2, 'x', 'u', 'a', 3, 'l', 'a'}), kReduce, "chevals", true, nullptr},
      {"keep only", R({12}), kInflect, "word", false, "word"},
      {"prefixes", R({1, 'g', 'e', 4, 2, 't'}), kInflect, "spiel", false, "gespielt"},
      {"prefixes reduced", R({1, 'g', 'e', 4, 2, 't'}), kReduce, "gespielt", true, "spiel"},
      {"removes more than the word", R({2, 'c', 'b', 'a'}), kReduce, "ab", true, nullptr},
      {"removes more, unverified", R({3, 'c', 'b', 'a'}), kInflect, "ab", false, nullptr},
      {"keeps more than the word", R({15, 2, 's'}), kInflect, "ab", false, nullptr},
      {"prefix longer than the word", R({4, 'x', 'y', 'z', 2, 's'}), kInflect, "ab", false, nullptr},
  };
  ByteBuffer buffer;
  for (const RuleCase& c : cases) {
    uint32_t length = 0;
    const uint32_t wordLength = static_cast<uint32_t>(strlen(c.word));
    const uint8_t* out = ApplyRule(&buffer, c.direction, reinterpret_cast<const uint8_t*>(c.word), wordLength,
                                   c.rule.data(), static_cast<uint32_t>(c.rule.size()), &length, c.verify);
    if (c.result == nullptr) {
      EXPECT_EQ(out, nullptr) << c.name;
    } else {
      ASSERT_NE(out, nullptr) << c.name;
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(out), length), c.result) << c.name;
    }
  }
  buffer.Free();
}

TEST(InflectionRules, AnAllocationFailureGivesNoForm) {
  ByteBuffer buffer;
  uint32_t length = 0;
  const uint8_t rule[] = {2, 's'};
  devtest::AllocationFailure noMemory(1, true);
  EXPECT_EQ(ApplyRule(&buffer, RuleDirection::kInflect, reinterpret_cast<const uint8_t*>("chat"), 4, rule, 2, &length,
                      false),
            nullptr);
  buffer.Free();
}

IndexRecipe SpellingIndex(uint32_t cut) {
  IndexRecipe recipe;
  recipe.word16 = 1;
  recipe.spellingPresent = true;
  recipe.spelling.blocks = {std::vector<uint8_t>(256, 1), std::vector<uint8_t>(256, 2), std::vector<uint8_t>(10, 3),
                            std::vector<uint8_t>(256, 4), std::vector<uint8_t>(256, 5), std::vector<uint8_t>(512, 6)};
  for (uint32_t i = 0; i < 15; ++i) recipe.spelling.numbers[i] = 100 + i;
  recipe.spelling.cutLastBlock = cut;
  IndexEntry e;
  e.label = Bytes("a");
  recipe.entries.push_back(e);
  return recipe;
}

TEST(SpellingBlocks, AllSixBlocksAreReadOrNone) {
  std::vector<uint8_t> header = testbuild::BuildIndexRecords(SpellingIndex(0)).records[0];
  ApproximateMatcher m;
  ASSERT_EQ(ReadSpellingBlocks(header.data(), static_cast<uint32_t>(header.size()), &m), 0);
  EXPECT_EQ(m.loaded, 1);
  EXPECT_EQ(m.spl3Size, 10u);
  EXPECT_EQ(m.spl6[511], 6);
  EXPECT_EQ(m.classLow, 100);
  EXPECT_EQ(m.scores[0], 103);
  EXPECT_EQ(m.scores[8], 111);
  EXPECT_EQ(m.percentages[1], 113);
  EXPECT_EQ(m.maxKeyLength, 114);
  // SPL6 with 515 bytes after its offset: the whole set is refused.
  std::vector<uint8_t> cut = testbuild::BuildIndexRecords(SpellingIndex(1)).records[0];
  ApproximateMatcher none;
  EXPECT_EQ(ReadSpellingBlocks(cut.data(), static_cast<uint32_t>(cut.size()), &none), 1);
  EXPECT_EQ(none.loaded, 0);
  // The word at 16 must be non-zero.
  header[19] = 0;
  EXPECT_EQ(ReadSpellingBlocks(header.data(), static_cast<uint32_t>(header.size()), &none), 1);
  EXPECT_EQ(ReadSpellingBlocks(header.data(), 160, &none), 1);
}

IndexRecipe Inflections(std::initializer_list<uint8_t> firstEntryTags) {
  IndexRecipe recipe;
  recipe.indexType = 2;
  IndexEntry e;
  e.label = R({2, 's'});
  for (uint8_t tag : firstEntryTags) e.values[tag] = {1};
  recipe.entries.push_back(e);
  return recipe;
}

TEST(InflectionRules, TheKindOfABooksInflectionTable) {
  struct Case {
    std::initializer_list<uint8_t> tags;
    int32_t kind;
  };
  for (Case c : {Case{{7}, 1}, Case{{11}, 1}, Case{{27}, 2}, Case{{27, 11}, 1}, Case{{5}, 0}}) {
    IndexRecipe main;
    IndexEntry e;
    e.label = Bytes("chat");
    main.entries.push_back(e);
    IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(main), 0},
                                    {testbuild::BuildIndexRecords(Inflections(c.tags)), 6}});
    IndexTablePtr table = book.Table(u"special_table=default");
    ASSERT_TRUE(table);
    EXPECT_EQ(InflectionKind(table.Get()), c.kind);
  }
}

TEST(InflectionRules, InflectEntryAndFormValues) {
  IndexRecipe main;
  IndexEntry chat;
  chat.label = Bytes("chat");
  main.entries.push_back(chat);
  IndexRecipe rules = Inflections({27});
  rules.entries[0].values[5] = {testbuild::AddIndexText(rules, std::string("pluriel")),
                                testbuild::AddIndexText(rules, std::string("autre"))};
  rules.entries[0].values[26] = {40, 41};
  IndexBook book =
      OpenIndexBook({{testbuild::BuildIndexRecords(main), 0}, {testbuild::BuildIndexRecords(rules), 6}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  SharedWideString text;
  ASSERT_TRUE(InflectEntry(table.Get(), {1, 0}, 0, &text));
  EXPECT_EQ(Narrow(text), "chats");
  EXPECT_EQ(FindFormValue(table.Get(), 0, u"autre", 5), 41);
  EXPECT_EQ(FindFormValue(table.Get(), 0, u"pluriel", 7), 40);
  EXPECT_EQ(FindFormValue(table.Get(), 0, u"aucun", 5), -1);
}

}  // namespace
