// Named targets of a book read from its index tables: anchors with and
// without "#", named resources through the naming table, table entries and
// sections; a name that is not there finds nothing.
#include <gtest/gtest.h>

#include "index/books/book_index_services.h"
#include "tests/index/index_test_books.h"

using namespace indextest;
using testbuild::IndexEntry;
using testbuild::IndexRecipe;

namespace {

IndexRecipe OneEntry(const std::string& label, std::map<uint8_t, std::vector<uint32_t>> values,
                     std::map<uint8_t, uint8_t> widths = {}) {
  IndexRecipe recipe;
  IndexEntry e;
  e.label = Bytes(label);
  e.values = std::move(values);
  recipe.entries.push_back(e);
  recipe.valuesPerItem = std::move(widths);
  return recipe;
}

TEST(BookNamedTargets, AnchorsTableEntriesSectionsAndResources) {
  InstallBookIndexServices();
  IndexBook book = OpenIndexBook({
      {testbuild::BuildIndexRecords(OneEntry("intro", {{1, {1234}}})), 4},
      {testbuild::BuildIndexRecords(OneEntry("{t1", {{8, {100, 20}}, {4, {3}}}, {{8, 2}})), 5},
      {testbuild::BuildIndexRecords(OneEntry("sec", {{69, {40}}, {5, {2}}, {101, {7, 5}}}, {{101, 2}})), 8},
      {testbuild::BuildIndexRecords(OneEntry("pic", {{1, {3}}, {2, {4}}, {6, {4, 99}}}, {{6, 2}})), 7},
  });
  BookDocument* doc = book.Fake()->Book();
  DocumentProperty p;
  ASSERT_TRUE(doc->FindProperty(u"intro", 5, 0, &p, 0));
  EXPECT_EQ(p.position, 1234);
  ASSERT_TRUE(doc->FindProperty(u"#intro", 6, 0, &p, 0));
  EXPECT_EQ(p.position, 1234);
  EXPECT_FALSE(doc->FindProperty(u"outro", 5, 0, &p, 0));
  ASSERT_TRUE(doc->FindProperty(u"t1", 2, 7, &p, 0));
  EXPECT_EQ(p.kind, 7);
  EXPECT_EQ(p.position, 100);
  EXPECT_EQ(p.length, 120);
  EXPECT_EQ(p.extra[0], 3);
  ASSERT_TRUE(doc->FindProperty(u"sec", 3, 8, &p, 0));
  EXPECT_EQ(p.position, 7);
  EXPECT_EQ(p.length, 12);
  EXPECT_EQ(p.extra[1], 2);
  const int32_t base = doc->GetSpecialRecord(10);
  ASSERT_TRUE(doc->FindProperty(u"pic", 3, 4, &p, 0));
  EXPECT_EQ(p.kind, 4);
  EXPECT_EQ(p.position, base + 3);
  ASSERT_TRUE(doc->FindProperty(u"pic", 3, 5, &p, base + 4));
  EXPECT_EQ(p.position, base + 4);
  EXPECT_EQ(p.length, 99);
}

}  // namespace
