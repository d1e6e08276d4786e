// Finding keys: 1252 with an ORDT (case and ignorable characters), with
// ligatures, 65002 with one- and two-byte character tables, plain bytes
// without collation; a key above all keys, equal keys across an entry
// record boundary, the tie-break switch, and keys the index code page
// cannot hold.
#include <gtest/gtest.h>

#include "index/search/key_collation.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

IndexRecipe WordIndex(const std::vector<std::string>& words, uint32_t perRecord, bool ordt) {
  IndexRecipe recipe;
  if (ordt) recipe.ordt = testbuild::CaseFoldingOrdt();
  recipe.entriesPerRecord = perRecord;
  uint32_t n = 0;
  for (const std::string& w : words) {
    IndexEntry e;
    e.label = testbuild::EncodeBookText(w, 1252);
    e.values[1] = {n++};
    recipe.entries.push_back(e);
  }
  return recipe;
}

IndexTablePtr OpenMain(IndexBook& book) { return book.Table(u"special_table=default"); }

struct Lookup {
  std::u16string key;
  bool found;
  int32_t number;  // entry number of the ref (the insertion point when not found)
};

void ExpectLookups(IndexTable* table, const std::vector<Lookup>& cases) {
  for (const Lookup& c : cases) {
    IndexEntryRef ref;
    bool found = table->LookupKey(c.key.data(), static_cast<uint32_t>(c.key.size()), &ref, false);
    std::string key(c.key.begin(), c.key.end());
    EXPECT_EQ(found, c.found) << key;
    EXPECT_EQ(table->GetEntryNumber(ref), c.number) << key;
  }
}

TEST(KeySearch, Cp1252WithAnOrdt) {
  IndexBook book = OpenIndexBook(
      {{testbuild::BuildIndexRecords(WordIndex({"apple", "Bear", "cat", "co-op", "dog", "eel", "fig"}, 2, true)), 0}});
  IndexTablePtr table = OpenMain(book);
  ASSERT_TRUE(table);
  ExpectLookups(table.Get(), {
                                 {u"apple", true, 0},
                                 {u"APPLE", true, 0},   // case folded by the weights
                                 {u"bear", true, 1},
                                 {u"coop", true, 3},    // the hyphen weighs nothing
                                 {u"cow", false, 4},    // insertion point
                                 {u"aardvark", false, 0},
                                 {u"fig", true, 6},
                                 {u"zebra", false, 7},  // above all keys: after the last entry
                             });
  // A ref past the last entry of record N: a step of +1 fails.
  IndexEntryRef ref;
  table->LookupKey(u"zebra", 5, &ref, false);
  EXPECT_EQ(ref, (IndexEntryRef{4, 1}));
  EXPECT_NE(table->Step(&ref, 1), 0);
  // The tie-break switch lets the bytes decide.
  table->SetTieBreak(true);
  ExpectLookups(table.Get(), {{u"coop", false, 4}, {u"co-op", true, 3}});
}

TEST(KeySearch, EqualKeysAcrossARecordBoundaryFindTheFirst) {
  IndexBook book = OpenIndexBook(
      {{testbuild::BuildIndexRecords(WordIndex({"a", "b", "same", "Same", "SAME", "same", "z"}, 3, true)), 0}});
  IndexTablePtr table = OpenMain(book);
  ASSERT_TRUE(table);
  IndexEntryRef ref;
  ASSERT_TRUE(table->LookupKey(u"same", 4, &ref, false));
  EXPECT_EQ(table->GetEntryNumber(ref), 2);  // record 1, entry 2: the run crosses into record 2
  // With exact bytes the first byte-equal label of the run.
  ASSERT_TRUE(table->LookupKey(u"SAME", 4, &ref, true));
  EXPECT_EQ(table->GetEntryNumber(ref), 4);
  // Walking the run forwards stops at its end.
  ref = table->MakeEntryRef(2);
  int steps = 0;
  while (table->StepWithinEqualKeys(&ref, true) == 0) ++steps;
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(table->GetEntryNumber(ref), 5);
}

TEST(KeySearch, PlainBytesWithoutCollation) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(WordIndex({"", "Apple", "apple", "b"}, 0, false)), 0}});
  IndexTablePtr table = OpenMain(book);
  ASSERT_TRUE(table);
  ExpectLookups(table.Get(), {{u"", true, 0}, {u"Apple", true, 1}, {u"apple", true, 2}, {u"APPLE", false, 1}});
  const uint8_t a[] = {'a'};
  EXPECT_EQ(ComparePlainBytes(nullptr, 0, nullptr, 0, 0), 0);
  EXPECT_EQ(ComparePlainBytes(nullptr, 0, a, 1, 0), -1);
  EXPECT_EQ(ComparePlainBytes(a, 1, nullptr, 0, 0), 1);
}

TEST(KeySearch, LigaturesMapTheKeyAndTheLabel) {
  IndexRecipe recipe;
  recipe.ligatures = {{{'o', 'e', 0x9C, 0}}};  // "oe" stored as the single byte 0x9C
  for (const char* w : {"boeuf", "bof", "coeur"}) {
    IndexEntry e;
    std::vector<uint8_t> plain = Bytes(w);
    std::vector<uint8_t> stored;
    for (size_t i = 0; i < plain.size(); ++i) {
      if (plain[i] == 'o' && i + 1 < plain.size() && plain[i + 1] == 'e') {
        stored.push_back(0x9C);
        ++i;
      } else {
        stored.push_back(plain[i]);
      }
    }
    e.label = stored;
    recipe.entries.push_back(e);
  }
  // Stored order: "bof" < "b\x9Cuf" < "c\x9Cur".
  std::swap(recipe.entries[0], recipe.entries[1]);
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 0}});
  IndexTablePtr table = OpenMain(book);
  ASSERT_TRUE(table);
  ExpectLookups(table.Get(), {{u"boeuf", true, 1}, {u"bof", true, 0}, {u"coeur", true, 2}});
  SharedWideString label;
  ASSERT_TRUE(table->GetLabel(table->MakeEntryRef(1), &label));
  EXPECT_EQ(Narrow(label), "boeuf");
}

IndexRecipe WideIndex(bool oneByte) {
  IndexRecipe recipe;
  recipe.codePage = 65002;
  recipe.oneByteEntries = oneByte;
  // Ignorable hyphen first, then letters; capitals share the weights of
  // their small letters through folding (they are not in the table).
  recipe.characters = {u'-', u'a', u'b', u'c', u'é', u'z', 2 /* coded oe */, u'e'};
  recipe.weights = {0, 1, 2, 3, 4, 9, 5, 6};
  for (const std::u16string& w : {std::u16string(u"abc"), std::u16string(u"bé"), std::u16string(u"cab"),
                                  std::u16string(u"z")}) {
    IndexEntry e;
    e.label = testbuild::EncodeWideLabel(recipe, w);
    recipe.entries.push_back(e);
  }
  if (!oneByte) {
    IndexEntry e;  // a character outside the foldable ranges keeps its code
    e.label = testbuild::EncodeWideLabel(recipe, u"z\u4E00");
    recipe.entries.push_back(e);
  }
  recipe.entriesPerRecord = 2;
  return recipe;
}

TEST(KeySearch, WideKeysWithOneAndTwoByteTables) {
  for (bool oneByte : {true, false}) {
    IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(WideIndex(oneByte)), 0}});
    IndexTablePtr table = OpenMain(book);
    ASSERT_TRUE(table) << oneByte;
    ExpectLookups(table.Get(), {{u"abc", true, 0}, {u"a-bc", true, 0}, {u"ABC", true, 0}, {u"bé", true, 1},
                                {u"cab", true, 2}, {u"b", false, 1}});
    SharedWideString label;
    ASSERT_TRUE(table->GetLabel(table->MakeEntryRef(1), &label));
    EXPECT_EQ(std::u16string(label.Chars(), label.length), u"bé");
    // A character with no place in a one-byte table positions but never finds.
    IndexEntryRef ref;
    EXPECT_FALSE(table->LookupKey(u"\u4E00", 1, &ref, false)) << oneByte;
    if (!oneByte) {
      EXPECT_TRUE(table->LookupKey(u"z\u4E00", 2, &ref, false));
      EXPECT_EQ(table->GetEntryNumber(ref), 4);
    }
  }
}

TEST(KeySearch, WideKeysEncodeAndDecodeLigatures) {
  IndexRecipe recipe = WideIndex(false);
  testbuild::BuiltIndex built = testbuild::BuildIndexRecords(recipe);
  IndexBook book = OpenIndexBook({{built, 0}});
  IndexTablePtr table = OpenMain(book);
  ASSERT_TRUE(table);
  const IndexCollation& c = table->Header().collation;
  uint8_t out[32];
  uint32_t length = 0, significant = 0;
  const char16_t oe[] = u"\u0153a-";
  EXPECT_FALSE(EncodeKey(c, oe, 3, 65002, out, sizeof(out), &length, &significant));
  EXPECT_EQ(length, 8u);          // code 2 (oe), e, a, hyphen: four 2-byte indexes
  EXPECT_EQ(significant, 2u);     // the trailing hyphen weighs nothing
  WCHAR back[8];
  EXPECT_EQ(DecodeLabel(c, out, length, back, 8), 3u);
  EXPECT_EQ(back[0], 0x0153);
}

TEST(KeySearch, KeysOutsideTheCodePageAreNotSearchedAsQuestionMarks) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(WordIndex({"?\xC3\xB3" "d?", "L\xC3\xB3" "dz", "l\xC3\xB3" "dz"}, 0, false)), 0}});
  IndexTablePtr table = OpenMain(book);
  ASSERT_TRUE(table);
  // "Łódź" approximates to "Lódz" through the 1252 approximation table.
  ExpectLookups(table.Get(), {{u"Łódź", true, 1}});
  // A character with no form at all is not found, never matched with "?".
  IndexEntryRef ref;
  EXPECT_FALSE(table->LookupKey(u"\u4E00od\u4E00", 4, &ref, false));
}

TEST(KeySearch, WeightedComparisonsAndCodes) {
  IndexCollation c;
  std::vector<uint8_t> ordt = testbuild::CaseFoldingOrdt();
  c.ordt = ordt.data();
  auto cmp = [&](const char* a, const char* b, uint32_t limit = 0) {
    return CompareCollated(c, false, reinterpret_cast<const uint8_t*>(a), static_cast<uint32_t>(strlen(a)),
                           reinterpret_cast<const uint8_t*>(b), static_cast<uint32_t>(strlen(b)), limit);
  };
  EXPECT_EQ(cmp("co-op", "coop"), 0);
  EXPECT_EQ(cmp("-", ""), 0);
  EXPECT_EQ(cmp("ab", "abc"), -1);
  EXPECT_EQ(cmp("abd", "abc"), 1);
  EXPECT_EQ(cmp("ABX", "abc", 2), 0);  // the limit stops after two codes
  EXPECT_EQ(CompareCodes('A', 'a', c), 0);
  EXPECT_LT(CompareCodes('a', 'b', IndexCollation()), 0);
}

}  // namespace
