// Index tables read through a book and its owner source: opening, entry
// numbers and steps across entry records, labels, tags of every mask form,
// stored texts, the header's optional fields, descriptors and the stream
// answers of a table.
#include <gtest/gtest.h>

#include "index/tables/index_entry_reader.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

IndexRecipe NumberedIndex(uint32_t count, uint32_t perRecord) {
  IndexRecipe recipe;
  recipe.entriesPerRecord = perRecord;
  for (uint32_t i = 0; i < count; ++i) {
    IndexEntry e;
    char label[16];
    std::snprintf(label, sizeof(label), "w%05u", i);
    e.label = Bytes(label);
    e.values[1] = {i};
    recipe.entries.push_back(e);
  }
  return recipe;
}

TEST(IndexTable, ThousandEntriesRoundTripTheirNumbers) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(NumberedIndex(1000, 64)), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  EXPECT_EQ(table->GetEntryRecordCount(), 16u);  // 15 full records and one of 40
  IndexEntryReader reader;
  ASSERT_TRUE(reader.Init(table.Get()));
  IndexEntryRef walk = IndexEntryRef::BeforeStart();
  for (int32_t n = 0; n < 1000; ++n) {
    IndexEntryRef ref = table->MakeEntryRef(n);
    ASSERT_EQ(table->GetEntryNumber(ref), n);
    ASSERT_EQ(table->Step(&walk, 1), 0);
    ASSERT_EQ(walk, ref);
    ASSERT_EQ(reader.Attach(ref), 0);
    uint32_t span = 0, perItem = 0, value = 0;
    ASSERT_EQ(reader.SeekTag(1, &span, &perItem), 0);
    ASSERT_EQ(reader.ReadValues(&value, 1, false), 0);
    ASSERT_EQ(value, static_cast<uint32_t>(n));
  }
  EXPECT_NE(table->Step(&walk, 1), 0);
  EXPECT_EQ(table->MakeEntryRef(-1), IndexEntryRef::BeforeStart());
  EXPECT_EQ(table->MakeEntryRef(1000), IndexEntryRef::PastEnd());
  EXPECT_EQ(table->MakeEntryRef(-2), IndexEntryRef::PastEnd());
  EXPECT_EQ(table->GetEntryNumber(IndexEntryRef::BeforeStart()), -1);
  EXPECT_EQ(table->GetEntryNumber(IndexEntryRef::PastEnd()), -2);
}

TEST(IndexTable, StepsFromTheSentinelsAndAcrossRecords) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(NumberedIndex(10, 4)), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  IndexEntryRef ref = IndexEntryRef::BeforeStart();
  EXPECT_NE(table->Step(&ref, 0), 0);  // 0 from either sentinel fails
  ref = IndexEntryRef::PastEnd();
  EXPECT_NE(table->Step(&ref, 0), 0);
  ref = IndexEntryRef::BeforeStart();
  ASSERT_EQ(table->Step(&ref, 1), 0);
  EXPECT_EQ(ref, (IndexEntryRef{1, 0}));
  ref = IndexEntryRef::PastEnd();
  ASSERT_EQ(table->Step(&ref, -1), 0);
  EXPECT_EQ(ref, (IndexEntryRef{3, 1}));  // the last entry of record N
  ASSERT_EQ(table->Step(&ref, -5), 0);
  EXPECT_EQ(ref, (IndexEntryRef{2, 0}));
  ASSERT_EQ(table->Step(&ref, -4), 0);
  EXPECT_EQ(ref, (IndexEntryRef{1, 0}));
  EXPECT_NE(table->Step(&ref, -1), 0);
  ref = {1, 0};
  EXPECT_NE(table->Step(&ref, 10), 0);  // from record 1, beyond the total: at once
  ASSERT_EQ(table->Step(&ref, 9), 0);
  EXPECT_EQ(ref, (IndexEntryRef{3, 1}));
}

TEST(IndexTable, AnEmptyIndexOpensAndFindsNothing) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(IndexRecipe()), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  EXPECT_EQ(table->MakeEntryRef(0), IndexEntryRef::PastEnd());
  IndexEntryRef ref;
  EXPECT_FALSE(table->LookupKey(u"a", 1, &ref, false));
  EXPECT_EQ(ref, IndexEntryRef::BeforeStart());
}

TEST(IndexTable, TagsOfEveryMaskFormAndTheirValues) {
  IndexRecipe recipe;
  recipe.tags = {{1, 1, 0x01, 0}, {2, 2, 0x06, 0}, {3, 1, 0x18, 0}, {4, 1, 0x01, 1}};
  IndexEntry e;
  e.label = Bytes("word");
  e.values[1] = {300};            // one bit: one item
  e.values[2] = {1, 2, 3, 4};     // two items of two values, direct count
  e.values[3] = {5, 6, 7, 8, 9};  // mask all set: span from the count area
  e.values[4] = {77};             // the second control byte
  recipe.entries.push_back(e);
  IndexEntry bare;
  bare.label = Bytes("zz");
  recipe.entries.push_back(bare);
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  IndexEntryReader reader;
  ASSERT_TRUE(reader.Init(table.Get()));
  ASSERT_EQ(reader.Attach({1, 0}), 0);
  std::vector<std::pair<uint32_t, std::vector<uint32_t>>> seen;
  uint32_t span = 0, perItem = 0;
  for (uint32_t tag; (tag = reader.NextTag(&span, &perItem)) != kTagWalkEnd;) {
    std::vector<uint32_t> values(reader.CountItems() * perItem);
    if (!values.empty()) {
      EXPECT_EQ(reader.ReadValues(values.data(), static_cast<uint32_t>(values.size()), true), 0);
    }
    seen.push_back({tag, values});
  }
  EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, std::vector<uint32_t>>>{
                      {1, {300}}, {2, {1, 2, 3, 4}}, {3, {5, 6, 7, 8, 9}}, {4, {77}}}));
  // Values asked beyond the span read as 0; a used-up tag answers 1.
  ASSERT_EQ(reader.SeekTag(1, &span, &perItem), 0);
  uint32_t two[2] = {9, 9};
  EXPECT_EQ(reader.ReadValues(two, 2, true), 0);
  EXPECT_EQ(two[0], 300u);
  EXPECT_EQ(two[1], 0u);
  EXPECT_EQ(reader.ReadValues(two, 1, true), 1);
  // An entry without values: every tag known but absent.
  ASSERT_EQ(reader.Attach({1, 1}), 0);
  EXPECT_EQ(reader.SeekTag(3, &span, &perItem), 0);
  EXPECT_EQ(span, 0u);
  EXPECT_EQ(reader.SeekTag(9, &span, &perItem), 1);
}

TEST(IndexTable, StoredTextsAndTheirBounds) {
  IndexRecipe recipe;
  uint32_t a = testbuild::AddIndexText(recipe, std::string("first text"), 16);
  uint32_t b = testbuild::AddIndexText(recipe, std::string("second text"), 16);
  IndexEntry e;
  e.label = Bytes("a");
  e.values[1] = {a, b};
  recipe.entries.push_back(e);
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  EXPECT_EQ(b >> 16, 1u);  // the second text went into the second record
  SharedWideString text;
  EXPECT_TRUE(table->ReadLengthPrefixedText(a, &text));
  EXPECT_EQ(Narrow(text), "first text");
  EXPECT_TRUE(table->ReadLengthPrefixedText(b, &text));
  EXPECT_EQ(Narrow(text), "second text");
  EXPECT_TRUE(table->ReadStoredText(a + 1, 5, &text));
  EXPECT_EQ(Narrow(text), "first");
  EXPECT_FALSE(table->ReadStoredText(a + 1, 50, &text));    // past the record
  EXPECT_FALSE(table->ReadLengthPrefixedText(2 << 16, &text));  // no third record
  EXPECT_FALSE(table->ReadLengthPrefixedText(a + 200, &text));  // offset past the record
}

TEST(IndexTable, OptionalHeaderFieldsFollowTheHeaderLength) {
  struct Case {
    uint32_t length;
    bool tieBreak;
    bool name;
  };
  for (Case c : {Case{160, false, false}, Case{170, true, false}, Case{192, true, true}}) {
    IndexRecipe recipe = NumberedIndex(3, 0);
    recipe.headerLength = c.length;
    recipe.tieBreak = true;
    recipe.name = Bytes("words");
    recipe.characters = {u'a'};
    IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 0}});
    IndexTablePtr table = book.Table(u"special_table=default");
    ASSERT_TRUE(table) << c.length;
    EXPECT_EQ(table->Header().tieBreak != 0, c.tieBreak) << c.length;
    EXPECT_EQ(table->Header().collation.characterCount, c.length >= 180 ? 1u : 0u) << c.length;
    SharedWideString name;
    EXPECT_EQ(!table->GetName(&name), c.name) << c.length;
    if (c.name) {
      EXPECT_EQ(Narrow(name), "words");
    }
  }
}

TEST(IndexTable, ADescriptorNamesTheTableAndItIsAStream) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(NumberedIndex(5, 0)), 0}});
  ASSERT_EQ(book.headerRecords.size(), 1u);
  const uint32_t h = book.headerRecords[0];
  std::u16string byId = u"tableid=";
  for (char c : std::to_string(h)) byId.push_back(static_cast<char16_t>(c));
  IndexTablePtr table = book.Table(byId);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->GetStreamKind(), 257);
  EXPECT_EQ(table->GetRecordIndex(), static_cast<int32_t>(h));
  EXPECT_EQ(table->GetSource(), book.source.Get());
  EXPECT_EQ(table->GetRecordBase(), book.Fake()->Book()->GetSpecialRecord(10));
  // Handed out again, not opened twice.
  IndexTablePtr again = book.Table(byId);
  EXPECT_EQ(again.Get(), table.Get());
  EXPECT_EQ(book.source->GetStreamCount(), 1u);

  struct Case {
    const char16_t* descriptor;
    int32_t answer;
  };
  std::u16string below = u"tableid=" + std::u16string(1, u'0');
  std::u16string above = u"tableid=99999";
  for (Case c : {Case{byId.c_str(), 0}, Case{below.c_str(), -1}, Case{above.c_str(), 1},
                 Case{u"tableid=x1", 1}, Case{u"table=other", 1}, Case{u"nothing", 1}}) {
    std::u16string d = c.descriptor;
    EXPECT_EQ(table->MatchDescriptor(d.data(), static_cast<uint32_t>(d.size())), c.answer) << std::string(d.begin(), d.end());
  }
  // The other stream answers of a table.
  uint32_t size = 9;
  const uint8_t* memory = reinterpret_cast<const uint8_t*>(1);
  EXPECT_TRUE(table->GetMemory(&memory, &size));
  EXPECT_EQ(memory, nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(table->GetLength(), 0u);
  EXPECT_EQ(table->CompareIndex(0), 1);
  // A table without a kept descriptor answers 1 to "table=".
  IndexTablePtr bare;
  bare.Adopt(static_cast<IndexTable*>(book.source->OpenSpecialTable(0, 0)));
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->MatchDescriptor(u"table=x", 7), 1);
  // Unknown special tables give nothing.
  EXPECT_FALSE(book.Table(u"special_table=other"));
}

TEST(IndexTable, LockedEntryRecordsStayUntilUnlocked) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(NumberedIndex(10, 4)), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  EXPECT_EQ(table->LockEntryRecord(2), 2);
  EXPECT_EQ(table->LockEntryRecord(2), 2);
  EXPECT_EQ(table->LockEntryRecord(4), -1);
  EXPECT_EQ(table->LockEntryRecord(0), -1);
  table->UnlockEntryRecord(2);
  table->UnlockEntryRecord(2);
  table->UnlockEntryRecord(2);  // one too many: nothing
}

}  // namespace
