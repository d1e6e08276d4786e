// Look-ups through a second table: direct matches of the table's own keys,
// matches through the links of a readings table (the link tag named by the
// naming table), CJK prefixes of the readings table that stop at a later
// ideograph, and a link tag that holds more than one value per item.
#include <gtest/gtest.h>

#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "index/words/word_entries.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

constexpr uint8_t kLinkTag = 30;

IndexEntry Entry(const std::string& label, std::map<uint8_t, std::vector<uint32_t>> values = {}) {
  IndexEntry e;
  e.label = Bytes(label);
  e.values = std::move(values);
  return e;
}

struct ReadingsBook {
  IndexBook book;
  IndexTablePtr main;
  IndexTablePtr readings;
  IndexTablePtr naming;
};

// Main entries 0 "eat", 1 "food", 2 "meal", 3 "meal"; readings (UTF-8 keys
// in byte order) linking to them through tag 30.
ReadingsBook MakeBook(uint8_t linkValuesPerItem = 1, uint8_t namedTag = kLinkTag) {
  IndexRecipe main;
  main.ordt = testbuild::CaseFoldingOrdt();
  main.entries = {Entry("eat", {{1, {0}}}), Entry("food", {{1, {1}}}), Entry("meal", {{1, {2}}}),
                  Entry("meal", {{1, {3}}})};
  main.entriesPerRecord = 3;
  IndexRecipe readings;
  readings.codePage = 65001;
  readings.language = 0x0411;
  readings.name = Bytes("readings");
  readings.valuesPerItem[kLinkTag] = linkValuesPerItem;
  readings.entries = {
      Entry("tabemono", {{kLinkTag, {1, 2}}}),
      Entry("taberu", {{kLinkTag, {0}}}),
      Entry("\xE9\xA3\x9F\xE3\x81\xB9\xE3\x82\x8B", {{kLinkTag, {0}}}),  // taberu, one ideograph
      Entry("\xE9\xA3\x9F\xE4\xBA\x8B", {{kLinkTag, {2}}}),              // shokuji, two ideographs
      Entry("\xE9\xA3\xB2\xE3\x82\x80", {{kLinkTag, {1}}}),              // nomu
  };
  readings.entriesPerRecord = 2;
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("Words.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t h = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(main), 0);
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(readings), 9);
  IndexRecipe naming;
  naming.valuesPerItem[6] = 2;
  naming.entries = {Entry("readings", {{6, {9999, 7, h - testbuild::BookRecordBase(built), namedTag}}})};
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  ReadingsBook result{OpenIndexBook(built.Bytes()), {}, {}, {}};
  result.main = result.book.Table(u"special_table=default");
  result.readings = result.book.Table(u"special_table=lookup_key");
  result.naming = result.book.Table(u"special_table=naming");
  return result;
}

struct Found {
  bool answer = false;
  bool found = false;
  std::vector<TextRangeRef> matches;
};

Found Find(ReadingsBook& b, const std::u16string& word, bool cjk, bool withSecond = true) {
  TextRangeList list;
  Found f;
  IndexTable* second = withSecond ? b.readings.Get() : nullptr;
  if (second) second->AddRef();
  b.naming->AddRef();
  f.answer = FindWordEntries(b.main.Get(), word.data(), static_cast<uint32_t>(word.size()), &list, second,
                             b.naming.Get(), 7, &f.found, cjk);
  for (uint32_t i = 0; i < list.Count(); ++i) f.matches.push_back(list[i]);
  return f;
}

std::vector<int32_t> Numbers(ReadingsBook& b, const Found& f) {
  std::vector<int32_t> out;
  for (const TextRangeRef& m : f.matches) out.push_back(b.main->GetEntryNumber({m.start, m.end}));
  return out;
}

}  // namespace

TEST(WordEntries, AKeyOfTheTableMatchesDirectlyWithEveryEqualEntry) {
  ReadingsBook b = MakeBook();
  ASSERT_TRUE(b.main && b.readings && b.naming);
  Found f = Find(b, u"Meal", false);
  EXPECT_TRUE(f.answer);
  EXPECT_TRUE(f.found);
  EXPECT_EQ(Numbers(b, f), (std::vector<int32_t>{2, 3}));  // across a record boundary
  for (const TextRangeRef& m : f.matches) {
    EXPECT_EQ(m.length, 4u);
    EXPECT_EQ(m.count, 1u);
    EXPECT_EQ(m.source, 7);
    EXPECT_EQ(m.flagA, 1);
    EXPECT_EQ(m.flagB, 1);
  }
}

TEST(WordEntries, AReadingLeadsToTheEntriesItLinks) {
  ReadingsBook b = MakeBook();
  Found f = Find(b, u"tabemono", false);
  EXPECT_TRUE(f.found);
  EXPECT_EQ(Numbers(b, f), (std::vector<int32_t>{1, 2}));
  ASSERT_FALSE(f.matches.empty());
  EXPECT_EQ(f.matches[0].length, 8u);
  EXPECT_EQ(f.matches[0].count, 0u);
  EXPECT_EQ(f.matches[0].flagA, 1);

  // Without a second table, or with a naming table that gives the readings
  // no kind for this table, nothing is found.
  EXPECT_FALSE(Find(b, u"tabemono", false, false).found);
  ReadingsBook unnamed = MakeBook(1, 255);
  EXPECT_FALSE(Find(unnamed, u"tabemono", false).found);
}

TEST(WordEntries, ACjkWordMatchesReadingsThatBeginWithItsIdeographs) {
  ReadingsBook b = MakeBook();
  // "tabeta": cut after its ideograph; "taberu" matches, "shokuji" has a
  // second ideograph, "nomu" does not begin with it.
  const std::u16string word = u"\u98DF\u3079\u305F";
  EXPECT_FALSE(Find(b, word, false).found);
  Found f = Find(b, word, true);
  EXPECT_TRUE(f.found);
  EXPECT_EQ(Numbers(b, f), (std::vector<int32_t>{0}));
  ASSERT_EQ(f.matches.size(), 1u);
  EXPECT_EQ(f.matches[0].length, 9u);  // the label's bytes
  EXPECT_EQ(f.matches[0].flagA, 0);
  EXPECT_EQ(f.matches[0].flagB, 1);
  // A word without an ideograph has no CJK part.
  EXPECT_FALSE(Find(b, u"\u3079\u305F", true).found);
}

TEST(WordEntries, ALinkTagWithPairsNamesNothing) {
  ReadingsBook b = MakeBook(2);
  EXPECT_FALSE(Find(b, u"tabemono", false).found);
  IndexEntryReader reader;
  ASSERT_TRUE(reader.Init(b.readings.Get()));
  TextRangeList list;
  IndexEntryRef ref;
  ASSERT_TRUE(b.readings->LookupKey(u"taberu", 6, &ref, false));
  EXPECT_FALSE(AddLinkedEntries(b.main.Get(), &list, &reader, ref, kLinkTag, TextRangeRef()));
  EXPECT_EQ(list.Count(), 0u);
}

TEST(WordEntries, LinksPastTheTableAreSkipped) {
  ReadingsBook b = MakeBook();
  IndexEntryReader reader;
  ASSERT_TRUE(reader.Init(b.readings.Get()));
  TextRangeList list;
  IndexEntryRef ref;
  ASSERT_TRUE(b.readings->LookupKey(u"tabemono", 8, &ref, false));
  // Read through the main table, whose four entries the values 1 and 2
  // name; the same values read as entries of a one-entry table name none.
  EXPECT_TRUE(AddLinkedEntries(b.main.Get(), &list, &reader, ref, kLinkTag, TextRangeRef()));
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_FALSE(AddLinkedEntries(b.naming.Get(), &list, &reader, ref, kLinkTag, TextRangeRef()));
  EXPECT_EQ(list.Count(), 2u);
}
