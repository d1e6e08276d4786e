// A source's entries table read by number and by key: labels with their
// texts, the bytes of data entries, and the cases that give nothing.
#include <gtest/gtest.h>

#include "index/books/source_index_entries.h"
#include "tests/index/index_test_books.h"

using namespace indextest;

TEST(SourceIndexEntries, TextsAndDataByNumberAndKey) {
  testbuild::IndexRecipe recipe;
  testbuild::IndexEntry a;
  a.label = Bytes("about");
  a.values[7] = {testbuild::AddIndexText(recipe, std::string("About this book"))};
  recipe.entries.push_back(a);
  testbuild::IndexEntry b;
  b.label = Bytes("blob");
  b.values[6] = {testbuild::AddIndexText(recipe, std::vector<uint8_t>{0, 1, 2, 250})};
  recipe.entries.push_back(b);
  IndexBook book = OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 3}});
  ASSERT_TRUE(book.source);
  SharedWideString key, text;
  ASSERT_TRUE(ReadIndexEntryText(book.source.Get(), &key, &text, 0));
  EXPECT_EQ(Narrow(key), "about");
  EXPECT_EQ(Narrow(text), "About this book");
  EXPECT_FALSE(ReadIndexEntryText(book.source.Get(), &key, &text, 1));  // no tag 7
  EXPECT_FALSE(ReadIndexEntryText(book.source.Get(), &key, &text, -1));
  EXPECT_FALSE(ReadIndexEntryText(book.source.Get(), &key, &text, 5));
  ByteBuffer data;
  SharedWideString blob(u"blob");
  ASSERT_TRUE(ReadIndexEntryData(book.source.Get(), &blob, &data, 0));
  EXPECT_EQ(std::vector<uint8_t>(data.data, data.data + data.length), (std::vector<uint8_t>{0, 1, 2, 250}));
  ASSERT_TRUE(ReadIndexEntryData(book.source.Get(), nullptr, &data, 1));
  EXPECT_EQ(data.length, 4u);
  SharedWideString missing(u"none");
  EXPECT_FALSE(ReadIndexEntryData(book.source.Get(), &missing, &data, 0));
  data.Free();
  // A book without the table.
  IndexBook plain = OpenIndexBook({{testbuild::BuildIndexRecords(recipe), 0}});
  EXPECT_FALSE(ReadIndexEntryText(plain.source.Get(), &key, &text, 0));
}
