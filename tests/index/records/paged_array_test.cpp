// Paged arrays: page allocation and the page table's growth, elements that
// never move, freed pages, shared stream elements counted; and the record
// source defaults with the packed positions.
#include <gtest/gtest.h>

#include "index/records/paged_array.h"
#include "index/records/record_source.h"
#include "platform/testing/allocation.h"

namespace {

TEST(PagedArray, PagesAndTheTableGrow) {
  PagedArray<uint32_t> a;
  EXPECT_TRUE(a.Reserve(0));
  EXPECT_EQ(a.TableLength(), 0u);
  EXPECT_EQ(a.Append(7), 0);
  EXPECT_EQ(a.TableLength(), 8u);  // an eight-slot first table and one page
  EXPECT_EQ(a.Capacity(), 16u);
  for (uint32_t i = 1; i < 16; ++i) a.Append(i);
  uint32_t* first = a.At(0);
  EXPECT_EQ(a.Append(16), 16);  // the seventeenth element: a second page
  EXPECT_EQ(a.Capacity(), 32u);
  EXPECT_EQ(a.At(0), first);  // elements never move
  // Growth by half: far fewer table copies than pages.
  uint32_t tables = 0;
  uint32_t last = a.TableLength();
  for (uint32_t i = 17; i < 16 * 1000; ++i) {
    a.Append(i);
    if (a.TableLength() != last) {
      ++tables;
      last = a.TableLength();
    }
  }
  EXPECT_LT(tables, 15u);
  EXPECT_EQ(a[12345], 12345u);
}

TEST(PagedArray, AddressingInsideTheCapacityRaisesTheCount) {
  PagedArray<uint8_t> a;
  ASSERT_TRUE(a.Reserve(48));
  a.Append(1);
  a.Append(2);
  a.Append(3);
  *a.At(40) = 9;
  EXPECT_EQ(a.Count(), 41u);
  EXPECT_EQ(a.Capacity(), 48u);
  a.FreePages();
  EXPECT_EQ(a.Count(), 0u);
  EXPECT_EQ(a.Capacity(), 0u);
  EXPECT_EQ(a.TableLength(), 8u);  // kept
  EXPECT_EQ(a.Append(5), 0);
}

TEST(PagedArray, AFailedAppendLeavesTheCountUnchanged) {
  PagedArray<uint32_t> a;
  for (uint32_t i = 0; i < 16; ++i) a.Append(i);
  {
    devtest::AllocationFailure noMemory(1, true);
    EXPECT_EQ(a.Append(99), -1);
  }
  EXPECT_EQ(a.Count(), 16u);
  EXPECT_EQ(a.Append(99), 16);
}

class CountedStream : public DocumentStream {
 public:
  uint32_t GetLength() override { return 0; }
  bool ReadRaw(uint32_t, void*, uint32_t) override { return false; }
};

TEST(PagedArray, SharedStreamsAreCountedAndReleased) {
  CountedStream* stream = new CountedStream();
  {
    StreamPagedArray streams;
    DocumentStreamPtr held(stream);
    EXPECT_EQ(streams.Append(held), 0);
    EXPECT_EQ(stream->GetReferenceCount(), 3);  // creator, held, the array
    DocumentStreamPtr taken = streams[0];
    EXPECT_EQ(stream->GetReferenceCount(), 4);
  }
  EXPECT_EQ(stream->GetReferenceCount(), 1);
  stream->Release();
}

class EmptySource : public RecordSource {
 public:
  void AddRef() override {}
  int32_t Release() override { return 0; }
  RecordPosition Previous(RecordPosition p) override { return p; }
  RecordPosition Next(RecordPosition p) override { return p; }
  void GetText(RecordPosition, SharedWideString* text) override { text->Clear(); }
  void GetFormattedText(RecordPosition, SharedWideString* text) override { text->Clear(); }
  int32_t GetIcon(RecordPosition) override { return -1; }
  void GetShortId(RecordPosition, SharedWideString* text) override { text->Clear(); }
  int32_t PositionToOrdinal(RecordPosition p) override { return p.GetOrdinal(); }
  RecordPosition OrdinalToPosition(int32_t n) override { return RecordPosition::Of(n); }
};

TEST(RecordSource, PositionsAndDefaults) {
  RecordPosition both;
  both.pastEnd = 1;
  both.beforeStart = 1;
  EXPECT_EQ(both.GetOrdinal(), -2);
  RecordPosition p = RecordPosition::Of(-1);
  EXPECT_TRUE(p.beforeStart && !p.pastEnd);
  p.Set(-2);
  EXPECT_TRUE(p.pastEnd && !p.beforeStart);
  p.Assign(0);
  EXPECT_TRUE(!p.pastEnd && !p.beforeStart && p.ordinal == 0);

  EmptySource source;
  EXPECT_EQ(source.GetCount(), -1);
  EXPECT_EQ(source.GetIndexOf(p), -1);
  ScriptValueHandle value = 1234;
  EXPECT_EQ(source.CreateRecordSet(p, nullptr, &value), 15);
  EXPECT_EQ(value, 1234u);
  RecordAttributes a = source.GetAttributes(p);
  EXPECT_EQ(a.bold + a.italic + a.underline + a.unselectable + a.small, 0);
  EXPECT_EQ(a.words[0] + a.words[1], 0u);
  SharedWideString name;
  EXPECT_FALSE(source.GetSourceName(&name, true));
}

}  // namespace
