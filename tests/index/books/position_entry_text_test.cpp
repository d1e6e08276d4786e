// The index entry text of a position: the entries a text record names in
// its trailing data (by number, by step, several at once), the smallest
// range holding the position winning and the later one on a tie; records
// that name nothing, or entries that are not there, answer no text.
#include <gtest/gtest.h>

#include "index/books/book_index_services.h"
#include "index/books/book_index_tables.h"
#include "index/books/position_entries.h"
#include "index/query/index_query_result.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

IndexEntry Entry(const std::string& label, std::map<uint8_t, std::vector<uint32_t>> values) {
  IndexEntry e;
  e.label = Bytes(label);
  e.values = std::move(values);
  return e;
}

// Two text records of 256 bytes; record 1 names entries by the given
// headers, record 2 names none.
IndexBook SectionBook(const std::vector<uint8_t>& headers) {
  testbuild::BookRecipe spec;
  spec.compression = testbuild::TextCompression::kNone;
  spec.recordSize = 256;
  spec.extraFlags = 0x2;
  spec.text = testbuild::EncodeBookText(std::string(512, 'x'), 1252);
  spec.trailingPayloads[{1, 0x2}] = headers;
  spec.trailingPayloads[{2, 0x2}] = {};
  testbuild::BuiltBook built = testbuild::BuildBook(spec);
  IndexRecipe sections;
  sections.valuesPerItem[101] = 2;
  sections.entries = {
      Entry("a chapter", {{1, {0}}, {2, {100}}}),
      Entry("b section", {{1, {10}}, {2, {30}}}),
      Entry("c para", {{101, {12, 5, 50, 5}}}),
      Entry("d tie", {{1, {10}}, {2, {30}}}),
      Entry("e far", {{1, {500}}, {2, {10}}}),
  };
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(sections), 8);
  return OpenIndexBook(built.Bytes());
}

std::string TextAt(IndexBook& book, uint32_t position) {
  SharedWideString text;
  if (!book.Fake()->Book()->GetPositionEntryText(position, &text)) return "(none)";
  return Narrow(text);
}

TEST(PositionEntryText, TheSmallestRangeHoldingThePositionWins) {
  InstallBookIndexServices();
  // Entry 0 by number, 1 a step after it, then three from a step after 1.
  IndexBook book = SectionBook({0x82, 0x80, 0x90, 0x94, 3});
  const struct {
    uint32_t position;
    const char* text;
  } cases[] = {
      {5, "a chapter"},  {14, "c para"},  {20, "d tie"},  // b and d tie: the later
      {52, "c para"},    {90, "a chapter"}, {100, "(none)"},
      {300, "(none)"},  // record 2 names nothing
      {505, "(none)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextAt(book, c.position), c.text) << c.position;
}

TEST(PositionEntryText, APositionQueryStandsOnTheWinnerAndGivesBackTheIndexReference) {
  InstallBookIndexServices();
  IndexBook book = SectionBook({0x82, 0x80, 0x90, 0x94, 3});
  IndexTablePtr table;
  table.Adopt(OpenBookIndexTable(book.Fake()->Book(), 8));
  ASSERT_TRUE(table);
  const int32_t before = table->GetReferenceCount();
  const struct {
    uint32_t position;
    int32_t entry;  // -1: no result
  } cases[] = {{5, 0}, {14, 2}, {20, 3}, {100, -1}, {300, -1}};
  for (const auto& c : cases) {
    table->AddRef();  // the caller's reference, handed over
    IndexQueryResult* result = reinterpret_cast<IndexQueryResult*>(&book);
    book.Fake()->Book()->CreatePositionQuery(&result, c.position, table.Get());
    if (c.entry < 0) {
      EXPECT_EQ(result, nullptr) << c.position;
      EXPECT_EQ(table->GetReferenceCount(), before) << c.position;
      continue;
    }
    ASSERT_NE(result, nullptr) << c.position;
    EXPECT_EQ(result->Table(), table.Get());
    EXPECT_EQ(result->Origin()->entryNumber, c.entry) << c.position;
    EXPECT_EQ(result->Origin()->entry, table->MakeEntryRef(c.entry)) << c.position;
    // The result walks the whole table on from there.
    QueryPosition walk = *result->Origin();
    result->StepForward(&walk);
    EXPECT_EQ(walk.entryNumber, c.entry + 1) << c.position;
    EXPECT_EQ(result->ReferenceCount(), 1);
    EXPECT_EQ(table->GetReferenceCount(), before + 1) << c.position;  // the result's own
    result->Release();
    EXPECT_EQ(table->GetReferenceCount(), before) << c.position;
  }
}

TEST(PositionEntryText, APositionQueryWithoutAnIndexAnswersNothing) {
  InstallBookIndexServices();
  IndexBook book = SectionBook({0x82, 0x80});
  IndexQueryResult* result = reinterpret_cast<IndexQueryResult*>(&book);
  book.Fake()->Book()->CreatePositionQuery(&result, 14, nullptr);
  EXPECT_EQ(result, nullptr);
}

TEST(PositionEntryText, BrokenHeadersNameNothing) {
  InstallBookIndexServices();
  const std::vector<std::vector<uint8_t>> broken = {
      {0x82},              // the number is missing
      {0x82, 0xFF},        // entry 127 is not there
      {0x98},              // a step before the first entry
      {0x84, 0x00},        // no entries at all
      {0x02, 0x02, 0x02},  // varints without an end
  };
  for (const auto& headers : broken) {
    IndexBook book = SectionBook(headers);
    EXPECT_EQ(TextAt(book, 14), "(none)") << int(headers[0]);
  }
}

}  // namespace
