// The typed segmented arrays: every item slot constructed once and destroyed
// once (last to first within a block), copies by assignment, and the
// pointer-sized raw form.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "foundation/containers/segmented_array_strings.h"
#include "foundation/containers/segmented_array_typed.h"
#include "platform/testing/allocation.h"

namespace {

// Records every construction and destruction by address.
struct Tracked {
  static std::set<const Tracked*> live;
  static long constructed, destroyed, assigned;
  static std::vector<int> destroyedValues;
  static bool doubleEvent;

  int value = -1;
  Tracked() {
    ++constructed;
    if (!live.insert(this).second) doubleEvent = true;
  }
  explicit Tracked(int v) : Tracked() { value = v; }
  Tracked(const Tracked&) = delete;
  Tracked& operator=(const Tracked& other) {
    ++assigned;
    value = other.value;
    return *this;
  }
  ~Tracked() {
    ++destroyed;
    destroyedValues.push_back(value);
    if (live.erase(this) != 1) doubleEvent = true;
  }
  static void Reset() {
    live.clear();
    constructed = destroyed = assigned = 0;
    destroyedValues.clear();
    doubleEvent = false;
  }
};
std::set<const Tracked*> Tracked::live;
long Tracked::constructed, Tracked::destroyed, Tracked::assigned;
std::vector<int> Tracked::destroyedValues;
bool Tracked::doubleEvent;

using TrackedArray = SegmentedTypedArray<Tracked>;

class SegmentedTypedArrayTest : public ::testing::Test {
 protected:
  void SetUp() override { Tracked::Reset(); }
  void TearDown() override {
    EXPECT_TRUE(Tracked::live.empty());
    EXPECT_FALSE(Tracked::doubleEvent);
    EXPECT_EQ(Tracked::constructed, Tracked::destroyed);
  }
};

TEST_F(SegmentedTypedArrayTest, BlocksConstructWholeAndDestroyLastToFirst) {
  {
    TrackedArray a;
    ASSERT_TRUE(a.Reserve(20));
    EXPECT_EQ(Tracked::constructed, 32) << "two whole blocks of 16";
    for (int i = 0; i < 20; ++i) a.AtGrow(static_cast<uint32_t>(i))->value = i;
    EXPECT_EQ(a.count, 20u);
    a.count = 16;
    a.Trim();  // the second block goes
    EXPECT_EQ(Tracked::destroyed, 16);
    std::vector<int> expected;
    for (int i = 15; i >= 0; --i) expected.push_back(i < 4 ? 16 + i : -1);
    EXPECT_EQ(Tracked::destroyedValues, expected);
    Tracked::destroyedValues.clear();
    a.Clear();
    EXPECT_EQ(Tracked::destroyedValues.front(), 15);
    EXPECT_EQ(Tracked::destroyedValues.back(), 0);
    EXPECT_EQ(a.capacity, 0u);
  }
  EXPECT_EQ(Tracked::constructed, 32);
}

TEST_F(SegmentedTypedArrayTest, AppendAssignsIntoConstructedSlots) {
  TrackedArray a;
  Tracked one(1);
  long before = Tracked::constructed;
  for (int i = 0; i < 40; ++i) {
    one.value = i;
    ASSERT_EQ(a.Append(one), i);
  }
  EXPECT_EQ(Tracked::constructed - before, 48);
  EXPECT_EQ(Tracked::assigned, 40);
  Tracked* slot = a.AppendSlot();
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot, a.At(40));
  EXPECT_EQ(a[39].value, 39);
}

TEST_F(SegmentedTypedArrayTest, CopyAssignsItemsAndTakesBlockSize) {
  TrackedArray from, to;
  from.InitWithShift(5, 0, 0);
  for (int i = 0; i < 70; ++i) ASSERT_GE(from.Append(Tracked(i)), 0);
  for (int i = 0; i < 5; ++i) ASSERT_GE(to.Append(Tracked(100 + i)), 0);
  ASSERT_TRUE(to.CopyFrom(from));
  EXPECT_EQ(to.blockItems, 32u);
  ASSERT_EQ(to.count, 70u);
  for (uint32_t i = 0; i < 70; ++i) ASSERT_EQ(to[i].value, static_cast<int>(i));

  TrackedArray taker;
  taker.MoveFrom(to);
  EXPECT_EQ(taker.count, 70u);
  EXPECT_EQ(to.count, 0u);
  EXPECT_EQ(to.blocks, nullptr);
  ASSERT_GE(to.Append(Tracked(7)), 0);
  EXPECT_EQ(to[0].value, 7);
}

TEST_F(SegmentedTypedArrayTest, ReserveFailureLeavesArrayValid) {
  TrackedArray a;
  for (int i = 0; i < 10; ++i) ASSERT_GE(a.Append(Tracked(i)), 0);
  {
    devtest::AllocationFailure fail(2);  // the second new block (the table has room)
    EXPECT_FALSE(a.Reserve(100));
  }
  EXPECT_EQ(a.count, 10u);
  EXPECT_EQ(a.capacity, 32u);
  EXPECT_EQ(Tracked::constructed, static_cast<long>(Tracked::live.size()) + Tracked::destroyed);
  {
    devtest::AllocationFailure fail(1, true);
    EXPECT_EQ(a.Append(Tracked(1)) >= 0, true) << "room is left in the second block";
    a.count = 32;
    EXPECT_EQ(a.Append(Tracked(1)), -1);
    EXPECT_EQ(a.AppendSlot(), nullptr);
  }
  EXPECT_EQ(a[9].value, 9);
  ASSERT_TRUE(a.Reserve(100));
  EXPECT_EQ(Tracked::live.size(), 112u);
}

// As the generic form's: a failure at any allocation of an append's growth
// keeps the items, constructs nothing it does not destroy, and the same
// append then succeeds.
TEST_F(SegmentedTypedArrayTest, AppendFailingAtAnyAllocationKeepsItemsAndResumes) {
  constexpr int kItems = 600;
  for (long failing = 1; failing <= 20; ++failing) {
    SCOPED_TRACE("failing allocation " + std::to_string(failing));
    TrackedArray a;
    devtest::AllocationFailure fail(failing);
    int failures = 0;
    for (int v = 0; v < kItems; ++v) {
      const bool bySlot = v % 3 == 0;
      Tracked* slot = bySlot ? a.AppendSlot() : nullptr;
      const int32_t index = bySlot ? (slot != nullptr ? v : -1) : a.Append(Tracked(v));
      if (index < 0) {
        ++failures;
        ASSERT_EQ(a.count, static_cast<uint32_t>(v)) << "a failed append leaves the count";
        --v;  // the same item again: only one allocation fails
        continue;
      }
      if (bySlot) slot->value = v;
      ASSERT_EQ(index, v);
    }
    EXPECT_LE(failures, 1);
    ASSERT_EQ(a.count, static_cast<uint32_t>(kItems));
    for (int i = 0; i < kItems; ++i) ASSERT_EQ(a[static_cast<uint32_t>(i)].value, i);
    EXPECT_EQ(Tracked::live.size(), a.capacity) << "every constructed slot is in a counted block";
  }
}

TEST(SegmentedPointerArray, HoldsFullPointersInRawBlocks) {
  SegmentedPointerArray a;
  std::vector<int> targets(50);
  long before = devtest::AllocationCount();
  for (auto& t : targets) ASSERT_GE(a.Append(reinterpret_cast<uintptr_t>(&t)), 0);
  EXPECT_EQ(devtest::AllocationCount() - before, 5) << "a table and four blocks";
  for (uint32_t i = 0; i < targets.size(); ++i)
    ASSERT_EQ(reinterpret_cast<int*>(a[i]), &targets[i]);
  uintptr_t high = static_cast<uintptr_t>(0x123456789ABCull);
  *a.AtGrow(50) = high;
  EXPECT_EQ(a.count, 51u);
  EXPECT_EQ(a[50], high);
}

}  // namespace

// Beyond the first blocks, blocks come several to an allocation: each keeps
// its own slot and items, Trim frees whole allocations only (keeping the
// one the items end in), and every item is destroyed exactly once.
TEST(SegmentedTypedArrayChunks, ManyBlocksShareAllocationsAndAreFreedWhole) {
  SharedWideString text(u"shared");
  ASSERT_NE(text.buffer, nullptr);
  const uint32_t blocks = kSingleBlocks + 3 * kBlocksPerChunk;
  {
    SegmentedWideStringArray a;
    long before = devtest::AllocationCount();
    for (uint32_t i = 0; i < blocks * 16; ++i) {
      SharedWideString* slot = a.AppendSlot();
      ASSERT_NE(slot, nullptr);
      *slot = text;
    }
    const long allocations = devtest::AllocationCount() - before;
    EXPECT_LT(allocations, static_cast<long>(blocks)) << "fewer allocations than blocks";
    EXPECT_EQ(a.capacity, blocks * 16);
    for (uint32_t i = 0; i < a.count; ++i) ASSERT_EQ(a[i].buffer, text.buffer) << "item " << i;
    // Items end inside the second chunk: it stays, the third goes.
    a.count = (kSingleBlocks + kBlocksPerChunk + 1) * 16 + 3;
    a.Trim();
    EXPECT_EQ(a.capacity, (kSingleBlocks + 2 * kBlocksPerChunk) * 16);
    EXPECT_EQ(a.blocks[kSingleBlocks + 2 * kBlocksPerChunk], nullptr);
    EXPECT_EQ(text.buffer->refcount, static_cast<int32_t>(1 + (kSingleBlocks + 2 * kBlocksPerChunk) * 16));
    a.count = 0;
    a.Trim();
    EXPECT_EQ(a.capacity, 0u);
    EXPECT_EQ(text.buffer->refcount, 1);
  }
  EXPECT_EQ(text.buffer->refcount, 1);
}
