// List nodes read their lists in place, in the entry record they keep
// locked: the lock lasts as long as the node, a new mapping of the store
// points the list at the new view, and a removed card leaves the list
// empty (the walk finds nothing, and never reads the old view).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "index/books/book_index_tables.h"
#include "platform/testing/files.h"
#include "tests/index/query/query_test_books.h"

using namespace indextest;
using namespace querytest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

constexpr const char16_t* kPath = u"\\lists.corv";

// "words" and a table whose entries list them under tag 45.
std::vector<uint8_t> Book(std::vector<uint32_t>* headers) {
  IndexRecipe main = testbuild::DictionaryIndex({{"ant", "d"}, {"bee", "d"}, {"cab", "d"}, {"cat", "d"}});
  IndexRecipe gram;
  IndexEntry noun;
  noun.label = Bytes("noun");
  noun.values[45] = {0, 1, 3};
  gram.entries = {noun};
  return BookBytesWith({{testbuild::BuildIndexRecords(main), 0}, {testbuild::BuildIndexRecords(gram), -1}},
                       headers);
}

void ReplaceBehindTheMapping(const std::vector<uint8_t>& bytes) {
  auto host = devtest::HostPath(kPath);
  auto side = host;
  side += ".other";
  std::ofstream(side, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  std::filesystem::rename(side, host);
}

TEST(QueryListLock, AListStaysLockedInItsRecordAndFollowsTheStore) {
  std::vector<uint32_t> headers;
  const std::vector<uint8_t> bytes = Book(&headers);
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(bytes, 65002, testbuild::kOpenMapped, nullptr, kPath);
  ASSERT_EQ(opened.error, 0);
  IndexTablePtr main;
  main.Adopt(OpenBookIndexTable(opened.doc.get(), kSpecialIndexMain));
  IndexTablePtr gram;
  gram.Adopt(OpenBookIndexTableAt(opened.doc.get(), headers[1]));
  ASSERT_TRUE(main && gram);
  IndexEntryRef noun;
  ASSERT_TRUE(gram->LookupKey(u"noun", 4, &noun, false));
  uint32_t size = 0;
  {
    IndexQueryResultPtr r;
    r.Adopt(NewResult(main.Get()));
    ASSERT_EQ(r->AddLinkNode(gram.Get(), noun, 45, false), 0);
    EXPECT_NE(gram->LockedRecordBytes(static_cast<uint32_t>(noun.record), &size), nullptr);
    const std::vector<int32_t> listed = {0, 1, 3};
    EXPECT_EQ(WalkForward(r.Get()), listed);

    // The same book behind a larger file: the new mapping lies elsewhere.
    std::vector<uint8_t> larger = bytes;
    larger.resize(bytes.size() + (1u << 20), 0);
    ReplaceBehindTheMapping(larger);
    ASSERT_TRUE(opened.doc->ReopenStore());
    EXPECT_EQ(WalkForward(r.Get()), listed);
    QueryPosition p;
    WalkForward(r.Get(), &p);
    EXPECT_EQ(WalkBackward(r.Get(), &p), (std::vector<int32_t>{3, 1, 0}));
  }
  // The result is gone, and its lock with it.
  EXPECT_EQ(gram->LockedRecordBytes(static_cast<uint32_t>(noun.record), &size), nullptr);

  IndexQueryResultPtr negated;
  negated.Adopt(NewResult(main.Get()));
  ASSERT_EQ(negated->AddLinkNode(gram.Get(), noun, 45, true), 0);
  EXPECT_EQ(WalkForward(negated.Get()), (std::vector<int32_t>{2}));
  IndexQueryResultPtr r;
  r.Adopt(NewResult(main.Get()));
  ASSERT_EQ(r->AddLinkNode(gram.Get(), noun, 45, false), 0);
  // The card is removed: the list cannot be locked again.
  std::filesystem::remove(devtest::HostPath(kPath));
  EXPECT_FALSE(opened.doc->ReopenStore());
  EXPECT_TRUE(WalkForward(r.Get()).empty());
}

}  // namespace
