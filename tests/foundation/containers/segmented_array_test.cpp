// The generic segmented array: block geometry, address stability, the moves
// against a std::vector model, and rollback on allocation failure.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "foundation/containers/segmented_array.h"
#include "foundation/containers/segmented_array_sized_buffer.h"
#include "platform/testing/allocation.h"

namespace {

uint32_t Item(const SegmentedArray& a, uint32_t i) { return *static_cast<const uint32_t*>(a.At(i)); }

std::vector<uint32_t> Items(const SegmentedArray& a) {
  std::vector<uint32_t> out(a.count);
  if (a.count != 0) a.ReadAt(0, out.data(), a.count);
  return out;
}

void AppendValues(SegmentedArray& a, uint32_t first, uint32_t n) {
  for (uint32_t v = first; v < first + n; ++v) ASSERT_GE(a.Append(&v), 0);
}

TEST(SegmentedArray, FirstReservationAllocatesEightSlotTableAndOneBlock) {
  SegmentedArray a(4);
  long before = devtest::AllocationCount();
  ASSERT_TRUE(a.Reserve(1));
  EXPECT_EQ(devtest::AllocationCount() - before, 2);
  EXPECT_EQ(a.tableSize, 8u);
  EXPECT_EQ(a.capacity, 16u);
  before = devtest::AllocationCount();
  ASSERT_TRUE(a.Reserve(16));
  EXPECT_EQ(devtest::AllocationCount(), before) << "reserving within capacity allocates nothing";
}

TEST(SegmentedArray, ItemSixteenStartsSecondBlockAndNinthBlockGrowsTableToThirteen) {
  SegmentedArray a(4);
  AppendValues(a, 0, 17);
  EXPECT_EQ(a.At(16), static_cast<void*>(a.blocks[1]));
  EXPECT_EQ(a.At(15), static_cast<void*>(a.blocks[0] + 15 * 4));
  ASSERT_TRUE(a.Reserve(8 * 16));
  EXPECT_EQ(a.tableSize, 8u);
  ASSERT_TRUE(a.Reserve(8 * 16 + 1));
  EXPECT_EQ(a.tableSize, 13u);
  EXPECT_EQ(a.capacity, 9u * 16);
}

TEST(SegmentedArray, AddressesStayStableOverManyAppends) {
  SegmentedArray a(8);
  std::vector<const void*> addresses;
  for (uint64_t v = 0; v < 100000; ++v) {
    ASSERT_EQ(a.Append(&v), static_cast<int32_t>(v));
    addresses.push_back(a.At(static_cast<uint32_t>(v)));
  }
  for (uint32_t i = 0; i < addresses.size(); ++i) {
    ASSERT_EQ(a.At(i), addresses[i]) << "item " << i;
    ASSERT_EQ(*static_cast<const uint64_t*>(addresses[i]), i);
  }
}

TEST(SegmentedArray, LongArrayGrowsItsTableGeometrically) {
  SegmentedArray a(4);
  long before = devtest::AllocationCount();
  AppendValues(a, 0, 100000);
  long blocks = 100000 / 16;
  EXPECT_LT(devtest::AllocationCount() - before - blocks, 40) << "table regrowths";
}

TEST(SegmentedArray, ContiguousRunStopsAtBlockEndAndCount) {
  SegmentedArray a(4);
  AppendValues(a, 0, 40);
  uint32_t run = 0;
  EXPECT_EQ(a.ContiguousAt(3, &run), a.At(3));
  EXPECT_EQ(run, 13u);
  a.ContiguousAt(33, &run);
  EXPECT_EQ(run, 7u);
}

TEST(SegmentedArray, InsertAtCountAppendsAndRemovingTailOnlyLowersCount) {
  SegmentedArray a(4);
  AppendValues(a, 0, 20);
  uint32_t more[3] = {100, 101, 102};
  ASSERT_TRUE(a.InsertAt(20, more, 3));
  EXPECT_EQ(a.count, 23u);
  EXPECT_EQ(Item(a, 22), 102u);
  const void* before = a.At(5);
  a.RemoveAt(18, 5);
  EXPECT_EQ(a.count, 18u);
  EXPECT_EQ(a.At(5), before);
  EXPECT_EQ(Item(a, 17), 17u);
  EXPECT_FALSE(a.InsertAt(19, more, 1)) << "an index past the end is refused";
  EXPECT_EQ(a.count, 18u);
  a.RemoveAt(10, 1000);  // clamped to the items in use
  EXPECT_EQ(a.count, 10u);
}

TEST(SegmentedArray, TrimAndClearRelease) {
  SegmentedArray a(4);
  AppendValues(a, 0, 50);
  a.RemoveAt(17, 33);
  a.Trim();
  EXPECT_EQ(a.capacity, 32u);
  EXPECT_EQ(a.blocks[2], nullptr);
  a.count = 0;
  a.Trim();
  EXPECT_EQ(a.capacity, 0u);
  EXPECT_EQ(a.blocks[0], nullptr);

  AppendValues(a, 0, 20);
  uint8_t** table = a.blocks;
  a.Clear();
  EXPECT_EQ(a.count, 0u);
  EXPECT_EQ(a.capacity, 0u);
  EXPECT_EQ(a.blocks, table) << "Clear keeps the table";
  long before = devtest::AllocationCount();
  ASSERT_TRUE(a.Reserve(1));
  EXPECT_EQ(devtest::AllocationCount() - before, 1) << "only the block, the table is reused";
}

TEST(SegmentedArray, CopyTakesOtherBlockSizeAndMoveLeavesUsableSource) {
  SegmentedArray small(4);
  AppendValues(small, 0, 20);
  SegmentedArray big;
  big.InitWithShift(4, 5, 0, 0);
  AppendValues(big, 500, 70);
  ASSERT_TRUE(small.CopyFrom(big));
  EXPECT_EQ(small.blockItems, 32u);
  EXPECT_EQ(small.mask, 31u);
  EXPECT_EQ(Items(small), Items(big));

  small.MoveFrom(small);
  EXPECT_EQ(small.count, 70u);
  SegmentedArray taker(4);
  AppendValues(taker, 0, 3);
  taker.MoveFrom(small);
  EXPECT_EQ(Items(taker), Items(big));
  EXPECT_EQ(taker.blockItems, 32u);
  EXPECT_EQ(small.count, 0u);
  EXPECT_EQ(small.blocks, nullptr);
  AppendValues(small, 7, 40);
  EXPECT_EQ(Item(small, 39), 46u);
}

TEST(SegmentedArray, InitWithShiftReservesIntoGivenTable) {
  SegmentedArray a;
  a.InitWithShift(2, 3, 20, 50);
  EXPECT_EQ(a.blockItems, 8u);
  EXPECT_EQ(a.tableSize, 24u);
  EXPECT_EQ(a.capacity, 56u);
  EXPECT_EQ(a.count, 0u);
}

// Random InsertAt, RemoveAt, MoveItems, ShiftUp, WriteAt and CopyItems on two
// arrays, checked against std::vector after every step.
void RunRandomModel(uint8_t shift, uint32_t seed) {
  SCOPED_TRACE("shift " + std::to_string(shift) + " seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  auto below = [&](uint32_t n) { return n == 0 ? 0u : static_cast<uint32_t>(rng() % n); };
  SegmentedArray a, b;
  a.InitWithShift(4, shift, 0, 0);
  b.InitWithShift(4, shift, 0, 0);
  std::vector<uint32_t> ma, mb;
  uint32_t next = 1;
  auto fresh = [&](uint32_t n) {
    std::vector<uint32_t> v(n);
    for (auto& x : v) x = next++;
    return v;
  };
  for (int step = 0; step < 3000; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    switch (below(8)) {
      case 0:
      case 1: {  // insert
        uint32_t at = below(static_cast<uint32_t>(ma.size()) + 1);
        auto v = fresh(below(40));
        ASSERT_TRUE(a.InsertAt(at, v.data(), static_cast<uint32_t>(v.size())));
        ma.insert(ma.begin() + at, v.begin(), v.end());
        break;
      }
      case 2: {  // remove
        uint32_t at = below(static_cast<uint32_t>(ma.size()));
        uint32_t n = below(static_cast<uint32_t>(ma.size()) - at + 1);
        a.RemoveAt(at, n);
        ma.erase(ma.begin() + at, ma.begin() + at + n);
        break;
      }
      case 3: {  // move inside one array, either direction, overlapping
        uint32_t size = static_cast<uint32_t>(ma.size());
        uint32_t n = below(size + 1);
        uint32_t from = below(size - n + 1), to = below(size - n + 1);
        SegmentedArray::MoveItems(a, a, from, to, n);
        std::vector<uint32_t> moved(ma.begin() + from, ma.begin() + from + n);
        std::copy(moved.begin(), moved.end(), ma.begin() + to);
        break;
      }
      case 4: {  // shift up inside the items in use
        uint32_t size = static_cast<uint32_t>(ma.size());
        uint32_t n = below(size + 1);
        uint32_t from = below(size - n + 1);
        uint32_t to = from + below(size - n - from + 1);
        a.ShiftUp(from, to, n);
        std::vector<uint32_t> moved(ma.begin() + from, ma.begin() + from + n);
        std::copy(moved.begin(), moved.end(), ma.begin() + to);
        break;
      }
      case 5: {  // copy from a into b, possibly extending b
        uint32_t n = below(static_cast<uint32_t>(ma.size()) + 1);
        uint32_t from = below(static_cast<uint32_t>(ma.size()) - n + 1);
        uint32_t to = below(static_cast<uint32_t>(mb.size()) + 1);
        ASSERT_TRUE(b.Reserve(to + n));
        b.CopyItems(to, n, a, from);
        if (mb.size() < to + n) mb.resize(to + n);
        std::copy(ma.begin() + from, ma.begin() + from + n, mb.begin() + to);
        break;
      }
      case 6: {  // write over and past the end
        uint32_t at = below(static_cast<uint32_t>(ma.size()) + 1);
        auto v = fresh(below(30));
        ASSERT_TRUE(a.Reserve(at + static_cast<uint32_t>(v.size())));
        a.WriteAt(at, v.data(), static_cast<uint32_t>(v.size()));
        if (ma.size() < at + v.size()) ma.resize(at + v.size());
        std::copy(v.begin(), v.end(), ma.begin() + at);
        break;
      }
      case 7:  // keep sizes bounded; trim now and then
        if (ma.size() > 600) {
          a.RemoveAt(0, 300);
          ma.erase(ma.begin(), ma.begin() + 300);
        }
        if (below(4) == 0) a.Trim();
        break;
    }
    ASSERT_EQ(Items(a), ma);
    ASSERT_EQ(Items(b), mb);
    ASSERT_GE(a.capacity, a.count);
    ASSERT_EQ(a.capacity % a.blockItems, 0u);
  }
}

TEST(SegmentedArray, RandomOperationsMatchVectorModel) {
  for (uint8_t shift : {0, 1, 2, 4, 5, 7}) {
    RunRandomModel(shift, 20240601u + shift);
    if (HasFatalFailure()) return;
  }
}

TEST(SegmentedArray, ReserveFailureLeavesArrayValid) {
  SegmentedArray a(4);
  AppendValues(a, 0, 20);
  uint32_t capacity = a.capacity;
  {
    // Table growth succeeds, then the second new block fails.
    devtest::AllocationFailure fail(3);
    EXPECT_FALSE(a.Reserve(200));
  }
  EXPECT_EQ(a.count, 20u);
  EXPECT_EQ(a.capacity, capacity + 16) << "the block added before the failure stays counted";
  EXPECT_EQ(Items(a)[19], 19u);
  {
    devtest::AllocationFailure fail(1);  // the table itself
    EXPECT_FALSE(a.Reserve(1000));
  }
  EXPECT_EQ(a.count, 20u);
  ASSERT_TRUE(a.Reserve(200));
  AppendValues(a, 20, 180);
  for (uint32_t i = 0; i < 200; ++i) ASSERT_EQ(Item(a, i), i);
}

// An append that starts a block grows the table and the blocks out of line
// and takes the results back; a failure at any one of those allocations
// must leave the count, the items and whatever was added (tables, blocks
// counted in the capacity) in the array, and the same append then succeeds.
TEST(SegmentedArray, AppendFailingAtAnyAllocationKeepsItemsAndResumes) {
  constexpr uint32_t kItems = 600;  // lone blocks, the group after them, two chunks
  for (long failing = 1; failing <= 20; ++failing) {
    SCOPED_TRACE("failing allocation " + std::to_string(failing));
    SegmentedArray a(4);
    devtest::AllocationFailure fail(failing);
    uint32_t failures = 0;
    for (uint32_t v = 0; v < kItems; ++v) {
      const bool bySlot = v % 3 == 0;
      void* slot = bySlot ? a.AppendSlot() : nullptr;
      const int32_t index = bySlot ? (slot != nullptr ? static_cast<int32_t>(v) : -1) : a.Append(&v);
      if (index < 0) {
        ++failures;
        ASSERT_EQ(a.count, v) << "a failed append leaves the count";
        ASSERT_EQ(a.capacity % a.blockItems, 0u);
        --v;  // the same item again: only one allocation fails
        continue;
      }
      if (bySlot) std::memcpy(slot, &v, 4);
      ASSERT_EQ(index, static_cast<int32_t>(v));
    }
    EXPECT_LE(failures, 1u);
    ASSERT_EQ(a.count, kItems);
    for (uint32_t i = 0; i < kItems; ++i) ASSERT_EQ(Item(a, i), i);
  }
}

TEST(SegmentedArray, FailedInsertChangesNothing) {
  SegmentedArray a(4);
  AppendValues(a, 0, 16);
  std::vector<uint32_t> before = Items(a);
  std::vector<uint32_t> more(40, 9);
  {
    devtest::AllocationFailure fail(1, true);
    EXPECT_FALSE(a.InsertAt(3, more.data(), 40));
    uint32_t v = 1;
    EXPECT_EQ(a.Append(&v), -1);
    EXPECT_EQ(a.AppendSlot(), nullptr);
  }
  EXPECT_EQ(Items(a), before);
}

TEST(SizedBuffer, KeepsSameSizeAndRecreatesOtherwise) {
  uint32_t* buffer = nullptr;
  EXPECT_TRUE(ResizeSizedBuffer(&buffer, 0));
  EXPECT_EQ(buffer, nullptr);
  ASSERT_TRUE(ResizeSizedBuffer(&buffer, 10));
  EXPECT_EQ(SizedBufferSize(buffer), 10u);
  SizedBufferData(buffer)[9] = 0x5A;
  uint32_t* kept = buffer;
  ASSERT_TRUE(ResizeSizedBuffer(&buffer, 10));
  EXPECT_EQ(buffer, kept);
  EXPECT_EQ(SizedBufferData(buffer)[9], 0x5A);
  ASSERT_TRUE(ResizeSizedBuffer(&buffer, 20));
  EXPECT_EQ(SizedBufferSize(buffer), 20u);
  {
    devtest::AllocationFailure fail(1);
    EXPECT_FALSE(ResizeSizedBuffer(&buffer, 30));
  }
  EXPECT_EQ(buffer, nullptr);
  ASSERT_TRUE(ResizeSizedBuffer(&buffer, 4));
  FreeSizedBuffer(&buffer);
  EXPECT_EQ(buffer, nullptr);
}

}  // namespace
