// Reopening the store of an open book (a card taken out and put back): the
// book document must not keep any pointer into the mapping that the reopen
// throws away, neither the HUFF/CDIC and DATP tables it holds nor a block it
// has lent out in place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/testing/files.h"
#include "storage/books/book_document.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

namespace {

constexpr const char16_t* kPath = u"\\book.corv";

testbuild::BookRecipe Spec(testbuild::TextCompression compression, uint32_t seed) {
  testbuild::BookRecipe spec;
  spec.compression = compression;
  spec.text = testbuild::EncodeBookText(testbuild::SampleText(12000, seed, 0), 1252);
  return spec;
}

// Another program puts a file in the book's place behind the mapping (the
// platform itself refuses to replace an open file).
void ReplaceBehindTheMapping(const std::vector<uint8_t>& bytes) {
  auto host = devtest::HostPath(kPath);
  auto side = host;
  side += ".other";
  std::ofstream(side, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  std::filesystem::rename(side, host);
}

std::u16string Read(BookDocument* doc) {
  testbuild::TextWalk walk;
  EXPECT_TRUE(testbuild::ReadWholeText(doc, &walk));
  return walk.text;
}

TEST(BookReopenStore, AFailedReopenLeavesNoTableInTheOldMapping) {
  testbuild::OpenedBook opened =
      testbuild::OpenBookBytes(testbuild::BuildBook(Spec(testbuild::TextCompression::kHuffCdic, 3)).Bytes());
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  ASSERT_FALSE(Read(doc).empty());  // the tables are loaded and held

  // The card is gone: the reopen unmaps the file and cannot map it again.
  std::filesystem::remove(devtest::HostPath(kPath));
  EXPECT_FALSE(doc->ReopenStore());
  TextBlock block;
  EXPECT_FALSE(doc->ReadBlock(0, &block, 0, false));
  EXPECT_EQ(doc->GetErrorCode(), kBookErrorCorrupt);
  EXPECT_EQ(doc->BlockSlotCount(), 0u);
}

TEST(BookReopenStore, TablesAreReadAgainFromTheNewMapping) {
  const auto first = testbuild::BuildBook(Spec(testbuild::TextCompression::kHuffCdic, 3)).Bytes();
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(first);
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  const std::u16string before = Read(doc);

  // The same book, put back behind a larger file: the new mapping lies
  // elsewhere.
  std::vector<uint8_t> again = first;
  again.resize(first.size() + (1u << 20), 0);
  ReplaceBehindTheMapping(again);
  ASSERT_TRUE(doc->ReopenStore());
  EXPECT_EQ(Read(doc), before);
}

TEST(BookReopenStore, RefusedWhileABlockIsLentFromTheMapping) {
  // 1252 text without compression asked for as 1252 is lent in place.
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(
      testbuild::BuildBook(Spec(testbuild::TextCompression::kNone, 4)).Bytes(), 1252);
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  ASSERT_EQ(doc->DecodeStore(), nullptr);
  TextBlock block;
  ASSERT_TRUE(doc->ReadBlock(0, &block, 0, false));
  const std::string text(static_cast<const char*>(block.data), block.length);

  EXPECT_FALSE(doc->ReopenStore());
  EXPECT_EQ(std::string(static_cast<const char*>(block.data), block.length), text);
  doc->ReleaseBlock(block.blockId);
  EXPECT_TRUE(doc->ReopenStore());
  ASSERT_TRUE(doc->ReadBlock(0, &block, 0, false));
  EXPECT_EQ(std::string(static_cast<const char*>(block.data), block.length), text);
  doc->ReleaseBlock(block.blockId);
}

}  // namespace
