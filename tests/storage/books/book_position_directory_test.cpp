// The position directory of a book: the entry list of a position, its range,
// walking entries and their children, and directories whose counts, shifts,
// references and names run outside their records.
#include <gtest/gtest.h>

#include "storage/books/book_document.h"
#include "storage/books/entry_list_iterator.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/position_directory_builder.h"

using namespace testbuild;

namespace {

PositionDirectoryRecipe TwoRecords() {
  PositionDirectoryRecipe recipe;
  PositionEntry child{0x8, 1, 77, "child", {}};
  recipe.records = {
      {{10, {{0x8, 2, 100, "first", {}}, {0, 3, 200, "", {child, child}}, {0, 4, 300, "last", {}}}, {1, 2, 3, 4, 5}},
       {20, {{0, 0, 400, "only", {}}}, {9}}},
      {{40, {{0, 0, 500, "later", {}}}, {8}}},
  };
  return recipe;
}

std::vector<uint8_t> BookWith(const PositionDirectoryRecipe& recipe, void (*patch)(BuiltBook&, uint32_t) = nullptr) {
  BookRecipe spec;
  spec.text = EncodeBookText(std::string(100, 'x'), 1252);
  BuiltBook book = BuildBook(spec);
  uint32_t d = AddPositionDirectory(book, recipe);
  if (patch) patch(book, d);
  return book.Bytes();
}

std::string Name(const EntryListIterator& it) {
  SharedWideString name;
  it.GetName(&name);
  std::string out;
  for (uint32_t i = 0; i < name.length; ++i) out.push_back(static_cast<char>(name.Chars()[i]));
  return out;
}

TEST(BookPositionDirectory, EntryListsOfPositions) {
  OpenedBook opened = OpenBookBytes(BookWith(TwoRecords()), 65002, kOpenStream);
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  EntryListIterator it;
  uint32_t range = 0;
  EXPECT_EQ(doc->LookupIndexEntry(5, &it, nullptr, 0, &range), 0);  // before the first pair
  ASSERT_EQ(doc->LookupIndexEntry(12, &it, nullptr, 0, &range), 1);
  EXPECT_EQ(range, 20u);
  EXPECT_EQ(it.rangeValue, 7u);
  uint32_t value = 0;
  uint16_t second = 0;
  bool reported = false;
  ASSERT_TRUE(it.GetEntry(&value, &second, &reported));
  EXPECT_EQ(value, 100u);
  EXPECT_TRUE(reported);
  EXPECT_EQ(Name(it), "first");
  EXPECT_EQ(it.GetValue(), 1u);
  // The flag word of the next entry: right after the current word, or
  // after the words of the current entry's children.
  EXPECT_EQ(EntryFlagCursor(it).Word(), 2u);
  EXPECT_TRUE(EntryFlagCursor(it).IsBit0Clear());
  // A list of one entry ends after it; entering the children of the second
  // entry of a longer walk.
  it.remaining = 3;
  ASSERT_TRUE(it.Next());
  EXPECT_EQ(it.GetFlags() & 1, 1);
  EXPECT_EQ(Name(it), "");
  EXPECT_FALSE(EntryFlagCursor(it).IsBit0Clear());  // word 5, past the children's 3 and 4
  EntryListIterator children = it;
  ASSERT_TRUE(children.EnterChildren());
  EXPECT_EQ(children.remaining, 2u);
  EXPECT_EQ(Name(children), "child");
  ASSERT_TRUE(it.Next());  // past the child block
  EXPECT_EQ(Name(it), "last");
  EXPECT_FALSE(it.Next());
  // The last pair of record 0 ends at the next record's limit word; the
  // next record holds later positions; a changed reference is reported.
  ASSERT_EQ(doc->LookupIndexEntry(25, &it, nullptr, 0, &range), 1);
  EXPECT_EQ(range, 0xFFFFFFFEu);
  EXPECT_EQ(Name(it), "only");
  bool changed = false;
  ASSERT_EQ(doc->LookupIndexEntry(50, &it, &changed, 25, &range), 1);
  EXPECT_TRUE(changed);
  EXPECT_EQ(Name(it), "later");
  ASSERT_EQ(doc->LookupIndexEntry(51, &it, &changed, 50, &range), 1);
  EXPECT_FALSE(changed);
}

TEST(BookPositionDirectory, BrokenDirectoriesFindNothingAndReadNothingOutside) {
  struct Case {
    const char* name;
    void (*patch)(BuiltBook&, uint32_t);
  };
  const Case cases[] = {
      {"header length beyond", [](BuiltBook& b, uint32_t d) { PutU32BE(b.Record(d), 4, 0xFFFF); }},
      {"pair count beyond", [](BuiltBook& b, uint32_t d) { PutU32BE(b.Record(d), 12, 0x10000000); }},
      {"shift of 32", [](BuiltBook& b, uint32_t d) { PutU32BE(b.Record(d), 8, 32); }},
      {"count beyond the book", [](BuiltBook& b, uint32_t) { PutU32BE(b.Record(0), 204, 0xFFFF); }},
      {"reference beyond", [](BuiltBook& b, uint32_t d) {
         PutU32BE(b.Record(d), 24 + 4, 0xFFFF);  // the first pair's reference
       }},
      {"reference to another record", [](BuiltBook& b, uint32_t d) { PutU32BE(b.Record(d), 24 + 4, 0x00050000); }},
      {"entry data beyond", [](BuiltBook& b, uint32_t d) {
         std::vector<uint8_t>& r = b.Record(d);
         PutU32BE(r, GetU32BE(r, 24 + 4) & 0xFFFF, 0x0000FFF0);
       }},
      {"cut record", [](BuiltBook& b, uint32_t d) { b.Record(d).resize(10); }},
  };
  for (const Case& c : cases) {
    OpenedBook opened = OpenBookBytes(BookWith(TwoRecords(), c.patch), 65002, kOpenStream);
    ASSERT_EQ(opened.error, 0) << c.name;
    EntryListIterator it;
    uint32_t range = 0;
    bool changed = false;
    for (uint32_t p : {0u, 10u, 12u, 25u, 50u}) {
      if (opened.doc->LookupIndexEntry(p, &it, &changed, 0, &range) == 1) {
        for (int guard = 0; guard < 10 && it.remaining != 0; ++guard) {
          SharedWideString name;
          it.GetName(&name);
          it.GetValue();
          EntryFlagCursor(it).IsBit0Clear();
          EntryListIterator children = it;
          children.EnterChildren();
          it.Next();
        }
      }
    }
    if (std::string(c.name) != "reference to another record") {
      EXPECT_EQ(opened.doc->LookupIndexEntry(12, &it, nullptr, 0, &range), 0) << c.name;
    }
  }
}

TEST(BookPositionDirectory, NamesThatOverrunAreEmpty) {
  OpenedBook opened = OpenBookBytes(BookWith(TwoRecords(), [](BuiltBook& b, uint32_t d) {
                                      std::vector<uint8_t>& e = b.Record(d + 2);
                                      PutU32BE(e, 4 + 8, static_cast<uint32_t>(e.size() - 1));
                                    }),
                                    65002, kOpenStream);
  ASSERT_EQ(opened.error, 0);
  EntryListIterator it;
  ASSERT_EQ(opened.doc->LookupIndexEntry(12, &it, nullptr, 0, nullptr), 1);
  EXPECT_EQ(Name(it), "");
}

TEST(BookPositionDirectory, AVersion5BookHasNoAnchors) {
  BookRecipe spec;
  spec.headerVersion = 5;
  spec.text = EncodeBookText("<a>text</a>", 1252);
  OpenedBook opened = OpenBookBytes(BuildBook(spec).Bytes(), 65002, kOpenStream);
  ASSERT_EQ(opened.error, 0);
  EXPECT_EQ(opened.doc->FindAnchorPosition(0, 10, true), 0xFFFFFFFFu);
}

}  // namespace
