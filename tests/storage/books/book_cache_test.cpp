// The block cache: blocks shared by use count, freed (with their decode-store
// records) when the last user gives them back, unknown and repeated
// releases ignored, slots reused; and reopening the store of an open book.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/testing/files.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

namespace {

testbuild::OpenedBook OpenSample(testbuild::TextCompression compression, int32_t codePage) {
  testbuild::BookRecipe spec;
  spec.compression = compression;
  spec.codePage = codePage;
  spec.text = testbuild::EncodeBookText(testbuild::SampleText(20000, 2, 2), codePage);
  return testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes());
}

TEST(BookBlockCache, SharedByUseCountAndFreedOnRelease) {
  for (auto compression : {testbuild::TextCompression::kNone, testbuild::TextCompression::kPalmDoc}) {
    for (int32_t cp : {1252, 65001}) {
      SCOPED_TRACE(testing::Message() << testbuild::TextCompressionName(compression) << " " << cp);
      testbuild::OpenedBook opened = OpenSample(compression, cp);
      ASSERT_EQ(opened.error, 0);
      BookDocument* doc = opened.doc.get();
      // 1252 uncompressed into 1252 would be read in place; ask for UTF-16 so
      // every case goes through the decode store.
      ASSERT_NE(doc->DecodeStore(), nullptr);

      TextBlock a, b, c;
      ASSERT_TRUE(doc->ReadBlock(100, &a, 0, false));
      ASSERT_TRUE(doc->ReadBlock(200, &b, 0, false));  // same record
      EXPECT_EQ(a.blockId, b.blockId);
      EXPECT_EQ(a.data, b.data);
      EXPECT_EQ(doc->BlockUseCount(a.blockId), 2);
      ASSERT_TRUE(doc->ReadBlock(5000, &c, 0, false));  // the next record
      EXPECT_NE(c.blockId, a.blockId);
      EXPECT_EQ(doc->BlockSlotCount(), 2u);
      EXPECT_EQ(doc->DecodeStore()->GetRecordCount(), 2u);

      doc->ReleaseBlock(a.blockId);
      EXPECT_EQ(doc->BlockUseCount(a.blockId), 1);
      doc->ReleaseBlock(b.blockId);
      EXPECT_EQ(doc->BlockUseCount(a.blockId), 0);
      // The first slot is free but the second still holds its block.
      EXPECT_EQ(doc->BlockSlotCount(), 2u);
      // Unknown, repeated and zero identifiers change nothing.
      doc->ReleaseBlock(a.blockId);
      doc->ReleaseBlock(0);
      doc->ReleaseBlock(77);
      EXPECT_EQ(doc->BlockUseCount(c.blockId), 1);

      // The free slot is taken again, with the record it already has.
      TextBlock d;
      ASSERT_TRUE(doc->ReadBlock(9000, &d, 0, false));
      EXPECT_EQ(d.blockId, a.blockId);
      EXPECT_EQ(doc->DecodeStore()->GetRecordCount(), 2u);

      doc->ReleaseBlock(c.blockId);
      doc->ReleaseBlock(d.blockId);
      EXPECT_EQ(doc->BlockSlotCount(), 0u);
      EXPECT_EQ(doc->DecodeStore()->GetRecordCount(), 0u);
    }
  }
}

TEST(BookBlockCache, RawAndConvertedBlocksAreKeptApart) {
  testbuild::OpenedBook opened = OpenSample(testbuild::TextCompression::kPalmDoc, 65001);
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  TextBlock converted, raw;
  ASSERT_TRUE(doc->ReadBlock(0, &converted, 0, false));
  ASSERT_TRUE(doc->ReadBlock(0, &raw, 0, true));
  EXPECT_NE(converted.blockId, raw.blockId);
  EXPECT_EQ(raw.raw, 1);
  // Raw: the stored UTF-8 bytes, without the carried ones.
  const std::string text = testbuild::SampleText(20000, 2, 2);
  EXPECT_EQ(std::string(static_cast<const char*>(raw.data), raw.length), text.substr(0, raw.length));
  EXPECT_EQ(raw.length, 4096u);
  doc->ReleaseBlock(converted.blockId);
  doc->ReleaseBlock(raw.blockId);
  EXPECT_EQ(doc->BlockSlotCount(), 0u);
}

TEST(BookBlockCache, InPlaceBlocksLockTheBookRecord) {
  testbuild::BookRecipe spec;
  spec.compression = testbuild::TextCompression::kNone;
  spec.text = testbuild::EncodeBookText(testbuild::SampleText(9000, 4, 1), 1252);
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes(), 1252);
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  EXPECT_EQ(doc->DecodeStore(), nullptr);
  TextBlock a, b;
  ASSERT_TRUE(doc->ReadBlock(4096, &a, 0, false));
  ASSERT_TRUE(doc->ReadBlock(4097, &b, 0, false));
  EXPECT_EQ(a.blockId, b.blockId);
  EXPECT_EQ(a.start, 4096u);
  EXPECT_EQ(std::string(static_cast<const char*>(a.data), a.length),
            std::string(spec.text.begin() + 4096, spec.text.begin() + 8192));
  doc->ReleaseBlock(a.blockId);
  doc->ReleaseBlock(b.blockId);
  EXPECT_EQ(doc->BlockSlotCount(), 0u);
}

// Reopening the store of an open book (a card taken out and put back): the
// book document must not keep any pointer into the mapping that the reopen
// throws away, neither the HUFF/CDIC and DATP tables it holds nor a block it
// has lent out in place.

constexpr const char16_t* kPath = u"\\book.corv";

testbuild::BookRecipe Recipe(testbuild::TextCompression compression, uint32_t seed) {
  testbuild::BookRecipe recipe;
  recipe.compression = compression;
  recipe.text = testbuild::EncodeBookText(testbuild::SampleText(12000, seed, 0), 1252);
  return recipe;
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
      testbuild::OpenBookBytes(testbuild::BuildBook(Recipe(testbuild::TextCompression::kHuffCdic, 3)).Bytes());
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
  const auto first = testbuild::BuildBook(Recipe(testbuild::TextCompression::kHuffCdic, 3)).Bytes();
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
      testbuild::BuildBook(Recipe(testbuild::TextCompression::kNone, 4)).Bytes(), 1252);
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

// A book of very many small records with a block of every record out at
// once (a reader holding a page's text of a book cut into tiny records):
// finding a block by position, and a free slot, must not walk every slot.
// The cache's probe counter bounds the work without a clock.
TEST(BookBlockCache, ManyBlocksOutAreFoundWithoutWalkingEverySlot) {
  constexpr uint32_t kRecordSize = 256;  // the smallest a book may state
  constexpr uint32_t kRecords = 3000;
  testbuild::BookRecipe spec;
  spec.compression = testbuild::TextCompression::kNone;
  spec.codePage = 65001;
  spec.recordSize = kRecordSize;
  spec.text.assign(size_t{kRecords} * kRecordSize, 'a');
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(testbuild::BuildBook(spec).Bytes());
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();

  std::vector<TextBlock> held(kRecords);
  for (uint32_t r = 0; r < kRecords; ++r) ASSERT_TRUE(doc->ReadBlock(r * kRecordSize + 7, &held[r], 0, false)) << r;
  // Every position is found in the block of its own record, blocks read
  // again share their slot, and the positions map through it.
  for (uint32_t r = 0; r < kRecords; ++r) {
    const uint32_t position = r * kRecordSize + 100;
    TextBlock again;
    ASSERT_TRUE(doc->ReadBlock(position, &again, 0, false));
    EXPECT_EQ(again.blockId, held[r].blockId);
    doc->ReleaseBlock(again.blockId);
    EXPECT_EQ(doc->AdvancePosition(position, 3, 0), position + 3);
    EXPECT_EQ(doc->PositionDistance(position, position + 50, 0), 50u);
  }
  EXPECT_EQ(doc->BlockSlotCount(), kRecords);
  // Give back every other block, then read them again: free slots are
  // taken again, not added.
  for (uint32_t r = 0; r < kRecords; r += 2) doc->ReleaseBlock(held[r].blockId);
  for (uint32_t r = 0; r < kRecords; r += 2) ASSERT_TRUE(doc->ReadBlock(r * kRecordSize, &held[r], 0, false));
  EXPECT_EQ(doc->BlockSlotCount(), kRecords);
  EXPECT_LE(doc->CacheProbes(), uint64_t{16} * kRecords);

  for (const TextBlock& block : held) doc->ReleaseBlock(block.blockId);
  EXPECT_EQ(doc->BlockSlotCount(), 0u);
  EXPECT_EQ(doc->DecodeStore()->GetRecordCount(), 0u);

  // A block read and given back again and again leaves nothing behind
  // that later searches would have to step over.
  const uint64_t before = doc->CacheProbes();
  for (uint32_t n = 0; n < 5000; ++n) {
    TextBlock block;
    ASSERT_TRUE(doc->ReadBlock(5 * kRecordSize, &block, 0, false));
    doc->ReleaseBlock(block.blockId);
  }
  EXPECT_LE(doc->CacheProbes() - before, uint64_t{4} * 5000);
}
