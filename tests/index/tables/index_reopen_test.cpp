// An index table over a mapped book when the store is mapped again: after
// the card is removed the table finds nothing (it never reads the old
// view); after the same book comes back behind a new mapping it reads again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "index/books/book_index_tables.h"
#include "index/tables/index_entry_reader.h"
#include "platform/testing/files.h"
#include "tests/index/index_test_books.h"

using namespace indextest;

namespace {

constexpr const char16_t* kPath = u"\\mapped.corv";

std::vector<uint8_t> Book() {
  testbuild::IndexRecipe recipe = testbuild::DictionaryIndex({{"alpha", "first"}, {"beta", "second"}});
  return BookBytesWith({{testbuild::BuildIndexRecords(recipe), 0}});
}

void ReplaceBehindTheMapping(const std::vector<uint8_t>& bytes) {
  auto host = devtest::HostPath(kPath);
  auto side = host;
  side += ".other";
  std::ofstream(side, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  std::filesystem::rename(side, host);
}

TEST(IndexReopen, ATableDropsItsRecordsWhenTheStoreIsMappedAgain) {
  const std::vector<uint8_t> bytes = Book();
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes, 65002, testbuild::kOpenMapped, nullptr, kPath);
  ASSERT_EQ(opened.error, 0);
  IndexTablePtr table;
  table.Adopt(OpenBookIndexTable(opened.doc.get(), kSpecialIndexMain));
  ASSERT_TRUE(table);
  IndexEntryRef ref;
  ASSERT_TRUE(table->LookupKey(u"beta", 4, &ref, false));
  SharedWideString text;
  ASSERT_TRUE(table->ReadLengthPrefixedText(0, &text));

  // The same book behind a larger file: the new mapping lies elsewhere.
  std::vector<uint8_t> larger = bytes;
  larger.resize(bytes.size() + (1u << 20), 0);
  ReplaceBehindTheMapping(larger);
  ASSERT_TRUE(opened.doc->ReopenStore());
  ASSERT_TRUE(table->LookupKey(u"alpha", 5, &ref, false));
  EXPECT_EQ(table->GetEntryNumber(ref), 0);
  IndexEntryReader reader;
  ASSERT_TRUE(reader.Init(table.Get()));
  EXPECT_EQ(reader.Attach(ref), 0);

  // The card is removed: the store cannot be mapped again.
  std::filesystem::remove(devtest::HostPath(kPath));
  EXPECT_FALSE(opened.doc->ReopenStore());
  EXPECT_FALSE(table->LookupKey(u"alpha", 5, &ref, false));
  EXPECT_EQ(reader.Attach({1, 0}), 1);
  EXPECT_FALSE(table->ReadLengthPrefixedText(0, &text));
  SharedWideString label;
  EXPECT_FALSE(table->GetLabel({1, 0}, &label));
}

}  // namespace
