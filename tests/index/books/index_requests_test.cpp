// What pages ask of a book's indexes: tables by number (the default one,
// "tableid=", numbers outside 16 bits refused, a record that is no index
// refused), tables by property name, the entry a condition selects in a
// sub-table (its number, or the entry count when it is no key), look-up
// queries, and the index entry of a text position through "table=".
#include <gtest/gtest.h>

#include "index/books/book_index_services.h"
#include "index/books/index_requests.h"
#include "index/query/index_query_result.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

struct RequestBook {
  IndexBook book;
  uint32_t words = 0;     // header record of "words", the default index
  uint32_t sections = 0;  // header record of "sections"
};

// Two text records of 256 bytes, the first naming the section entries in
// its trailing data; "words" (the default index) and "sections", both
// named in the naming table.
RequestBook MakeBook() {
  testbuild::BookRecipe spec;
  spec.compression = testbuild::TextCompression::kNone;
  spec.recordSize = 256;
  spec.extraFlags = 0x2;
  spec.text = testbuild::EncodeBookText(std::string(512, 'x'), 1252);
  // Entry 0 by number, 1 a step after it, then three from a step after 1.
  spec.trailingPayloads[{1, 0x2}] = {0x82, 0x80, 0x90, 0x94, 3};
  spec.trailingPayloads[{2, 0x2}] = {};
  testbuild::BuiltBook built = testbuild::BuildBook(spec);
  const uint32_t base = testbuild::BookRecordBase(built);

  std::vector<testbuild::DictionaryWord> list;
  for (const char* w : {"ant", "bee", "cab", "cat", "cot", "dog"}) list.push_back({w, "d"});
  RequestBook b;
  b.words = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(testbuild::DictionaryIndex(list)), 0);
  IndexRecipe sections;
  for (const auto& [label, start, length] :
       std::vector<std::tuple<std::string, uint32_t, uint32_t>>{
           {"chapter", 0, 100}, {"section", 10, 30}, {"verse", 12, 5}, {"far", 400, 5}, {"farther", 500, 5}}) {
    IndexEntry e;
    e.label = Bytes(label);
    e.values[1] = {start};
    e.values[2] = {length};
    sections.entries.push_back(e);
  }
  b.sections = testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(sections), -1);

  IndexRecipe naming;
  IndexEntry sectionsName;
  sectionsName.label = Bytes("sections");
  sectionsName.values[1] = {b.sections - base};
  IndexEntry wordsName;
  wordsName.label = Bytes("words");
  wordsName.values[1] = {b.words - base};
  naming.entries = {sectionsName, wordsName};
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  b.book = OpenIndexBook(built.Bytes());
  return b;
}

TEST(IndexRequests, TablesByNumberAndByName) {
  InstallBookIndexServices();
  RequestBook b = MakeBook();
  DocumentSource* source = b.book.source.Get();
  IndexTablePtr table;
  table.Adopt(OpenIndexTableByNumber(source, static_cast<int32_t>(b.words)));
  ASSERT_TRUE(table);
  EXPECT_EQ(table->GetHeaderRecordNumber(), static_cast<int32_t>(b.words));
  IndexTablePtr byDefault;
  byDefault.Adopt(OpenIndexTableByNumber(source, kDefaultIndexTableNumber));
  ASSERT_TRUE(byDefault);
  EXPECT_EQ(byDefault->GetHeaderRecordNumber(), static_cast<int32_t>(b.words));
  for (int32_t refused : {-1, 0x10000 + static_cast<int32_t>(b.words), 1 /* a text record */}) {
    IndexTablePtr none;
    none.Adopt(OpenIndexTableByNumber(source, refused));
    EXPECT_FALSE(none) << refused;
  }
  EXPECT_EQ(OpenIndexTableByNumber(nullptr, 0), nullptr);

  int32_t number = -1;
  ASSERT_TRUE(FindIndexTableNumber(b.book.Fake()->Book(), SharedWideString(u"words"), &number));
  EXPECT_EQ(number, static_cast<int32_t>(b.words));
  EXPECT_FALSE(FindIndexTableNumber(b.book.Fake()->Book(), SharedWideString(u"nothing"), &number));
  EXPECT_FALSE(FindIndexTableNumber(nullptr, SharedWideString(u"words"), &number));
}

TEST(IndexRequests, AConditionSelectsItsEntryOrThePlacePastTheLast) {
  InstallBookIndexServices();
  RequestBook b = MakeBook();
  const std::string id = std::to_string(b.words);
  IndexTablePtr words = b.book.Table(u"tableid=" + std::u16string(id.begin(), id.end()));
  ASSERT_TRUE(words);
  EXPECT_EQ(SelectConditionEntry(words.Get(), SharedWideString(u"cat")), 3);
  EXPECT_EQ(SelectConditionEntry(words.Get(), SharedWideString(u"ant")), 0);
  EXPECT_EQ(SelectConditionEntry(words.Get(), SharedWideString(u"zebra")), 6);
  EXPECT_EQ(SelectConditionEntry(words.Get(), SharedWideString(u"")), 6);
}

TEST(IndexRequests, LookUpQueries) {
  InstallBookIndexServices();
  RequestBook b = MakeBook();
  const std::string id = std::to_string(b.words);
  const std::u16string query =
      u"SELECT * FROM '$tableid=" + std::u16string(id.begin(), id.end()) + u"' AS tab WHERE tab LIKE 'c%'";
  IndexQueryResultPtr result;
  result.Adopt(RunIndexQuery(b.book.source.Get(), SharedWideString(query.c_str())));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->ReferenceCount(), 1);
  IndexQueryResultPtr bad;
  bad.Adopt(RunIndexQuery(b.book.source.Get(), SharedWideString(u"SELECT FROM WHERE")));
  EXPECT_FALSE(bad);
  bad.Adopt(RunIndexQuery(b.book.source.Get(), SharedWideString(u"select * from nothing")));
  EXPECT_FALSE(bad);
  EXPECT_EQ(RunIndexQuery(nullptr, SharedWideString(query.c_str())), nullptr);
}

TEST(IndexRequests, TheEntryOfATextPosition) {
  InstallBookIndexServices();
  RequestBook b = MakeBook();
  const struct {
    uint32_t position;
    int32_t entry;  // -1: none
  } cases[] = {{5, 0}, {14, 2}, {20, 1}, {300, -1}};
  for (const auto& c : cases) {
    IndexQueryResultPtr result;
    result.Adopt(OpenPositionRecordSource(b.book.source.Get(), SharedWideString(u"sections"), c.position));
    if (c.entry < 0) {
      EXPECT_FALSE(result) << c.position;
      continue;
    }
    ASSERT_TRUE(result) << c.position;
    EXPECT_EQ(result->Origin()->entryNumber, c.entry) << c.position;
    EXPECT_EQ(result->Table()->GetHeaderRecordNumber(), static_cast<int32_t>(b.sections));
  }
  IndexQueryResultPtr none;
  none.Adopt(OpenPositionRecordSource(b.book.source.Get(), SharedWideString(u"nothing"), 5));
  EXPECT_FALSE(none);
  // Every table reference went back with the results.
  EXPECT_EQ(b.book.source->GetStreamCount(), 0u);
}

}  // namespace
