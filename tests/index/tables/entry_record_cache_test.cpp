// The cache of recent entry records: moving back to a cached record loads
// nothing, reads the same labels, and the cache never outlives the table it
// was filled for (opened again on another index, closed, or the store
// mapped again behind it). The following table stays open with the table,
// so that its records serve look-up after look-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "index/books/book_index_tables.h"
#include "platform/testing/files.h"
#include "tests/index/index_test_books.h"

using namespace indextest;

namespace {

// Six entries, two to a record: three entry records.
testbuild::IndexRecipe SixWords(const char* const (&words)[6]) {
  testbuild::IndexRecipe recipe;
  for (const char* w : words) {
    testbuild::IndexEntry e;
    e.label = Bytes(w);
    recipe.entries.push_back(e);
  }
  recipe.entriesPerRecord = 2;
  return recipe;
}

constexpr const char* kFirst[6] = {"ant", "bee", "cat", "dog", "eel", "fox"};
constexpr const char* kSecond[6] = {"amber", "brass", "coral", "denim", "ebony", "flax"};

std::string LabelOf(IndexTable* table, int32_t n) {
  SharedWideString text;
  if (!table->GetLabel(table->MakeEntryRef(n), &text)) return "(none)";
  return Narrow(text);
}

TEST(EntryRecordCache, MovingBackToARecentRecordLoadsNothing) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(SixWords(kFirst)), 0}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  ASSERT_EQ(table->GetEntryRecordCount(), 3u);
  const uint32_t before = table->RecordLoads();
  for (int32_t n : {0, 2, 4}) EXPECT_EQ(LabelOf(table.Get(), n), kFirst[n]);
  EXPECT_EQ(table->RecordLoads() - before, 3u);
  EXPECT_EQ(table->CachedEntryRecords(), 3u);
  for (int32_t n : {5, 1, 3, 0, 4, 2}) EXPECT_EQ(LabelOf(table.Get(), n), kFirst[n]);
  EXPECT_EQ(table->RecordLoads() - before, 3u);
  // A record that cannot be read leaves no record current.
  const uint8_t* label = nullptr;
  uint32_t length = 0;
  EXPECT_FALSE(table->GetLabelData(4, 0, &label, &length));
  uint32_t size = 0;
  EXPECT_EQ(table->CurrentEntryRecordBytes(&size), nullptr);
  EXPECT_EQ(LabelOf(table.Get(), 3), "dog");
}

TEST(EntryRecordCache, OpeningAnotherIndexOrClosingDropsIt) {
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(SixWords(kFirst)), 0},
                                  {testbuild::BuildIndexRecords(SixWords(kSecond)), -1}});
  ASSERT_EQ(book.headerRecords.size(), 2u);
  IndexTablePtr opened = book.Table(u"special_table=default");
  ASSERT_TRUE(opened);
  PalmDatabase* database = opened->Database();
  // Header records as the book's store numbers them.
  const uint32_t first = static_cast<uint32_t>(opened->GetHeaderRecordNumber());
  const uint32_t second = first + (book.headerRecords[1] - book.headerRecords[0]);

  IndexTablePtr table;
  table.Adopt(IndexTable::Create());
  ASSERT_EQ(table->Open(database, first), 0);
  for (int32_t n : {0, 2, 4}) EXPECT_EQ(LabelOf(table.Get(), n), kFirst[n]);
  // The same entry-record numbers in another index are other records.
  ASSERT_EQ(table->Open(database, second), 0);
  EXPECT_EQ(table->CachedEntryRecords(), 0u);
  for (int32_t n : {0, 2, 4}) EXPECT_EQ(LabelOf(table.Get(), n), kSecond[n]);
  table->Close();
  EXPECT_EQ(table->CachedEntryRecords(), 0u);
  EXPECT_EQ(LabelOf(table.Get(), 0), "(none)");
}

TEST(EntryRecordCache, TheFollowingTableStaysOpenWithItsRecords) {
  testbuild::IndexRecipe main = SixWords(kFirst);
  main.followingTable = true;
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(main), 0},
                                  {testbuild::BuildIndexRecords(SixWords(kSecond)), -1}});
  IndexTablePtr table = book.Table(u"special_table=default");
  ASSERT_TRUE(table);
  IndexTable* first = nullptr;
  ASSERT_EQ(table->OpenFollowingTable(&first), 0);
  IndexTablePtr held;
  held.Adopt(first);
  EXPECT_EQ(LabelOf(first, 4), "ebony");
  const uint32_t loads = first->RecordLoads();
  held.Clear();
  // Released by its caller, still open for the next one, records and all.
  IndexTable* again = nullptr;
  ASSERT_EQ(table->OpenFollowingTable(&again), 0);
  held.Adopt(again);
  EXPECT_EQ(again, first);
  EXPECT_EQ(LabelOf(again, 4), "ebony");
  EXPECT_EQ(again->RecordLoads(), loads);
}

TEST(EntryRecordCache, AStoreMappedAgainIsReadAgain) {
  constexpr const char16_t* kPath = u"\\cached.corv";
  const std::vector<uint8_t> bytes = BookBytesWith({{testbuild::BuildIndexRecords(SixWords(kFirst)), 0}});
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes, 65002, testbuild::kOpenMapped, nullptr, kPath);
  ASSERT_EQ(opened.error, 0);
  IndexTablePtr table;
  table.Adopt(OpenBookIndexTable(opened.doc.get(), kSpecialIndexMain));
  ASSERT_TRUE(table);
  for (int32_t n : {0, 2, 4}) EXPECT_EQ(LabelOf(table.Get(), n), kFirst[n]);

  // A book of the same layout with other words, behind a new mapping: no
  // cached record of the old view is read.
  std::vector<uint8_t> other = BookBytesWith({{testbuild::BuildIndexRecords(SixWords(kSecond)), 0}});
  other.resize(other.size() + (1u << 20), 0);
  auto host = devtest::HostPath(kPath);
  auto side = host;
  side += ".other";
  std::ofstream(side, std::ios::binary)
      .write(reinterpret_cast<const char*>(other.data()), static_cast<std::streamsize>(other.size()));
  std::filesystem::rename(side, host);
  ASSERT_TRUE(opened.doc->ReopenStore());
  for (int32_t n : {4, 2, 0}) EXPECT_EQ(LabelOf(table.Get(), n), kSecond[n]);
}

}  // namespace
