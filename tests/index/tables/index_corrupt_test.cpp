// Every broken index opens or fails without reading outside a record: the
// table, every entry's label and tags, and the texts its values point to
// are all walked under the sanitizers.
#include <gtest/gtest.h>

#include "index/tables/index_entry_reader.h"
#include "tests/index/index_test_books.h"

using namespace indextest;

namespace {

// Reads everything reachable; answers the entries that could be attached.
uint32_t WalkEverything(IndexTable* table) {
  IndexEntryReader reader;
  reader.Init(table);
  uint32_t attached = 0;
  IndexEntryRef ref = IndexEntryRef::BeforeStart();
  for (int guard = 0; guard < 1000 && table->Step(&ref, 1) == 0; ++guard) {
    SharedWideString label;
    table->GetLabel(ref, &label);
    if (reader.Attach(ref) != 0) continue;
    ++attached;
    uint32_t span = 0, perItem = 0;
    while (reader.NextTag(&span, &perItem) != kTagWalkEnd) {
      uint32_t values[8];
      uint32_t n = reader.CountItems() * perItem;
      if (n > 8) n = 8;
      if (n != 0) reader.ReadValues(values, n, false);
      if (reader.CurrentTag() == 1 && n != 0) {
        SharedWideString text;
        table->ReadLengthPrefixedText(values[0], &text);
      }
    }
  }
  IndexEntryRef found;
  table->LookupKey(u"kappa", 5, &found, true);
  table->LookupKey(u"zzz", 3, &found, false);
  SharedWideString name;
  table->GetName(&name);
  return attached;
}

TEST(IndexCorruption, EveryVariantOpensOrFailsWithinItsRecords) {
  const testbuild::BuiltIndex sound = testbuild::BuildIndexRecords(testbuild::CorruptionBaseIndex());
  {
    IndexBook book = OpenIndexBook({{sound, 0}});
    IndexTablePtr table = book.Table(u"special_table=default");
    ASSERT_TRUE(table);
    EXPECT_EQ(WalkEverything(table.Get()), 10u);
  }
  for (const testbuild::IndexCorruptionCase& c : testbuild::AllIndexCorruptions()) {
    SCOPED_TRACE(c.name);
    IndexBook book = OpenIndexBook({{testbuild::CorruptIndex(sound, c.kind), 0}});
    ASSERT_TRUE(book.source);
    IndexTablePtr table = book.Table(u"special_table=default");
    if (table) WalkEverything(table.Get());
  }
}

TEST(IndexCorruption, WhatEachVariantLeavesReadable) {
  const testbuild::BuiltIndex sound = testbuild::BuildIndexRecords(testbuild::CorruptionBaseIndex());
  struct Case {
    testbuild::IndexCorruption kind;
    bool opens;
    int32_t attached;  // -1: not checked
  };
  using K = testbuild::IndexCorruption;
  for (Case c : {Case{K::kNoMagic, false, 0}, Case{K::kHeaderLengthBeyond, false, 0},
                 Case{K::kIdxtCountBeyond, false, 0}, Case{K::kHeaderItemBeyond, false, 0},
                 Case{K::kHeaderItemLabelBeyond, false, 0}, Case{K::kHeaderKindWrong, false, 0},
                 Case{K::kEntryKindWrong, true, 6}, Case{K::kEntryCountSmaller, true, 7},
                 Case{K::kEntryOffsetBeyond, true, 9}, Case{K::kTagxEndCount, true, 0},
                 Case{K::kTagxBeyond, true, 0}, Case{K::kSpanBeyond, true, 9}, Case{K::kEntryCut, true, 9},
                 Case{K::kNameBeyond, true, 10}, Case{K::kLigtBeyond, true, 10}}) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    IndexBook book = OpenIndexBook({{testbuild::CorruptIndex(sound, c.kind), 0}});
    IndexTablePtr table = book.Table(u"special_table=default");
    EXPECT_EQ(static_cast<bool>(table), c.opens);
    if (table && c.attached >= 0) {
      EXPECT_EQ(WalkEverything(table.Get()), static_cast<uint32_t>(c.attached));
    }
  }
}

TEST(IndexCorruption, TextsThatOverrunGiveNoText) {
  const testbuild::BuiltIndex sound = testbuild::BuildIndexRecords(testbuild::CorruptionBaseIndex());
  for (auto kind : {testbuild::IndexCorruption::kTextOffsetBeyond, testbuild::IndexCorruption::kTextLengthBeyond,
                    testbuild::IndexCorruption::kTextLengthFourBytes}) {
    IndexBook book = OpenIndexBook({{testbuild::CorruptIndex(sound, kind), 0}});
    IndexTablePtr table = book.Table(u"special_table=default");
    ASSERT_TRUE(table);
    SharedWideString text;
    // The first entry's text lies at position 0 of the first text record.
    EXPECT_FALSE(table->ReadLengthPrefixedText(0, &text)) << static_cast<int>(kind);
    EXPECT_TRUE(text.IsEmpty());
  }
}

}  // namespace
