// Trailing data held for text records: the same entries answered again
// while held, at most one entry not in use kept, records read for their
// text holding theirs too, copies from a slow store, a mapped store not
// reopened under data in use, books without entries, and the anchors that a
// record's entries list.
#include <gtest/gtest.h>

#include "foundation/streams/trailing_entries.h"
#include "storage/books/book_document.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

using namespace testbuild;

namespace {

// Four text records of 256 bytes, each with entries for flags 0x2 and 0x4;
// record r's 0x4 entry holds the single byte r.
std::vector<uint8_t> BookBytes(uint32_t version = 6) {
  BookRecipe spec;
  spec.headerVersion = version;
  spec.compression = TextCompression::kNone;
  spec.recordSize = 256;
  spec.extraFlags = 0x6;
  spec.text = EncodeBookText(std::string(1024, 'x'), 1252);
  for (uint32_t r = 1; r <= 4; ++r) spec.trailingPayloads[{r, 0x4}] = {static_cast<uint8_t>(r)};
  return BuildBook(spec).Bytes();
}

// The 0x4 entry's byte of held data.
int AnchorByte(const uint8_t* data, uint32_t size) {
  uint32_t payload = 0;
  const uint8_t* entry = FindTrailingEntry(data, data + size, 0x6, 0x4, &payload);
  return entry != nullptr && payload == 1 ? entry[0] : -1;
}

TEST(BookTrailingData, HeldDataIsAnsweredAgainAndAtMostOneUnusedEntryStays) {
  for (uint32_t mode : {kOpenMapped, kOpenStream}) {
    OpenedBook opened = OpenBookBytes(BookBytes(), 1252, mode);
    ASSERT_EQ(opened.error, 0);
    BookDocument* doc = opened.doc.get();
    const uint8_t* data = nullptr;
    uint32_t size = 0, record = 0;
    ASSERT_TRUE(doc->GetRecordTrailingData(300, &data, &size, &record));
    EXPECT_EQ(record, 2u);
    EXPECT_EQ(AnchorByte(data, size), 2);
    const uint8_t* again = nullptr;
    ASSERT_TRUE(doc->GetRecordTrailingData(400, &again, &size, &record));
    EXPECT_EQ(again, data);  // held: the same bytes
    EXPECT_EQ(doc->HeldTrailingCount(), 1u);
    doc->ReleaseRecordTrailingData(2);
    doc->ReleaseRecordTrailingData(2);  // no longer in use, still held
    EXPECT_EQ(doc->HeldTrailingCount(), 1u);
    ASSERT_TRUE(doc->GetRecordTrailingData(600, &data, &size, &record));
    EXPECT_EQ(AnchorByte(data, size), 3);
    EXPECT_EQ(doc->HeldTrailingCount(), 2u);
    doc->ReleaseRecordTrailingData(3);  // two not in use: the older goes
    EXPECT_EQ(doc->HeldTrailingCount(), 1u);
    doc->ReleaseRecordTrailingData(3);  // not in use: nothing happens
    EXPECT_EQ(doc->HeldTrailingCount(), 1u);

    // Reading text holds each record's data, dropping the oldest unused.
    for (uint32_t p = 0; p < 1024; p += 256) {
      TextBlock block;
      ASSERT_TRUE(doc->ReadBlock(p, &block, 0, true));
      doc->ReleaseBlock(block.blockId);
      EXPECT_LE(doc->HeldTrailingCount(), 2u);
    }
    ASSERT_TRUE(doc->GetRecordTrailingData(1000, &data, &size, &record));
    EXPECT_EQ(AnchorByte(data, size), 4);
    doc->ReleaseRecordTrailingData(4);
    doc->Close();
    EXPECT_EQ(doc->HeldTrailingCount(), 0u);
  }
}

TEST(BookTrailingData, BooksWithoutEntriesHoldNothing) {
  for (uint32_t version : {5u, 6u}) {
    BookRecipe spec;
    spec.headerVersion = version;
    spec.extraFlags = version == 6 ? 0x1 : 0x6;  // a carry only, or no flags word
    spec.text = EncodeBookText("plain text", 1252);
    OpenedBook opened = OpenBookBytes(BuildBook(spec).Bytes(), 1252, kOpenStream);
    ASSERT_EQ(opened.error, 0);
    const uint8_t* data = nullptr;
    uint32_t size = 0, record = 0;
    EXPECT_FALSE(opened.doc->GetRecordTrailingData(0, &data, &size, &record)) << version;
    EXPECT_FALSE(opened.doc->GetRecordTrailingData(1000, &data, &size, &record)) << version;
  }
}

TEST(BookTrailingData, AMappedStoreIsNotReopenedUnderDataInUse) {
  OpenedBook opened = OpenBookBytes(BookBytes(), 1252, kOpenMapped);
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  const uint8_t* data = nullptr;
  uint32_t size = 0, record = 0;
  ASSERT_TRUE(doc->GetRecordTrailingData(0, &data, &size, &record));
  EXPECT_FALSE(doc->ReopenStore());
  EXPECT_EQ(AnchorByte(data, size), 1);
  doc->ReleaseRecordTrailingData(record);
  EXPECT_TRUE(doc->ReopenStore());
  EXPECT_EQ(doc->HeldTrailingCount(), 0u);
  ASSERT_TRUE(doc->GetRecordTrailingData(0, &data, &size, &record));
  EXPECT_EQ(AnchorByte(data, size), 1);
  doc->ReleaseRecordTrailingData(record);
}

TEST(BookTrailingData, AnchorsListedByARecordAreFoundEitherWay) {
  // Anchors at 8 and 264 (varints of 1 and 2, times 8 from each record's
  // start), outside any tag.
  BookRecipe spec;
  spec.compression = TextCompression::kNone;
  spec.recordSize = 256;
  spec.extraFlags = 0x4;
  spec.text = EncodeBookText(std::string(512, 'y'), 1252);
  spec.trailingPayloads[{1, 0x4}] = {0x81};
  spec.trailingPayloads[{2, 0x4}] = {0x81};
  OpenedBook opened = OpenBookBytes(BuildBook(spec).Bytes(), 1252, kOpenStream);
  ASSERT_EQ(opened.error, 0);
  BookDocument* doc = opened.doc.get();
  EXPECT_EQ(doc->FindAnchorPosition(0, 512, true), 8u);
  EXPECT_EQ(doc->FindAnchorPosition(0, 512, false), 264u);
  EXPECT_EQ(doc->FindAnchorPosition(9, 264, true), 0xFFFFFFFFu);
  EXPECT_LE(doc->HeldTrailingCount(), 2u);
}

}  // namespace
