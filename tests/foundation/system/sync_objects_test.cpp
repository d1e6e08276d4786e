// The wrappers of events and mutexes, and the growable pointer array and
// work-item list that complete them.
#include <gtest/gtest.h>

#include <thread>

#include "foundation/containers/grow_array.h"
#include "foundation/system/sync_objects.h"
#include "foundation/containers/work_item_list.h"
#include "platform/testing/allocation.h"
#include "platform/testing/threads.h"
#include "platform/time/tick_count.h"

namespace {

class SyncWrappers : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetThreads(); }
};

TEST_F(SyncWrappers, NamedEventThatExistsIsReportedAsNotNewlyCreated) {
  Event first, second;
  bool created = false;
  ASSERT_NE(first.Create(u"speech", &created), nullptr);
  EXPECT_TRUE(created);
  ASSERT_NE(second.Create(u"speech", &created), nullptr);
  EXPECT_FALSE(created);
  EXPECT_TRUE(first.Set());
  EXPECT_TRUE(second.Wait(0));
  EXPECT_TRUE(second.Wait(0));  // manual reset: stays signalled
  EXPECT_TRUE(second.Reset());
  EXPECT_FALSE(first.Wait(0));
}

TEST_F(SyncWrappers, WaitWithTimeoutZeroOnAClearEventAnswersFalse) {
  Event event;
  event.Create(nullptr, nullptr);
  EXPECT_FALSE(event.Wait(0));
}

TEST_F(SyncWrappers, EventSetOnOneThreadReleasesAWaitOnAnother) {
  Event event;
  ASSERT_NE(event.Create(nullptr, nullptr), nullptr);
  bool released = false;
  std::thread waiter([&] { released = event.Wait(INFINITE); });
  event.Set();
  waiter.join();
  EXPECT_TRUE(released);
}

TEST_F(SyncWrappers, WrappersWithoutAHandleDoNothing) {
  Event event;
  EXPECT_FALSE(event.Set());
  EXPECT_FALSE(event.Reset());
  EXPECT_FALSE(event.Wait(0));
  EXPECT_EQ(event.Handle(), nullptr);
  event.Close();
  Mutex mutex;
  EXPECT_EQ(mutex.Handle(), nullptr);
  mutex.Close();
}

TEST_F(SyncWrappers, MutexIsCreatedNotOwnedAndFailedCreationLeavesNoHandle) {
  Mutex mutex;
  bool created = false;
  ASSERT_NE(mutex.Create(u"speech-lock", &created), nullptr);
  EXPECT_TRUE(created);
  DWORD result = WAIT_FAILED;
  std::thread other([&] {
    result = WaitForSingleObject(mutex.Handle(), 0);
    if (result == WAIT_OBJECT_0) ReleaseMutex(mutex.Handle());
  });
  other.join();
  EXPECT_EQ(result, WAIT_OBJECT_0);

  Event clash;
  EXPECT_EQ(clash.Create(u"speech-lock", &created), nullptr);
  EXPECT_FALSE(created);
  EXPECT_EQ(clash.Handle(), nullptr);
}

TEST_F(SyncWrappers, SleepOnTheUiThreadMovesTheVirtualClock) {
  DWORD before = GetTickCount();
  SleepMs(1500);
  EXPECT_EQ(GetTickCount() - before, 1500u);
}

TEST(GrowArray, IndexFarBeyondTheCapacityGrowsStraightThere) {
  GrowArray array;
  *array.At(1000) = 7;
  EXPECT_EQ(array.capacity, 1000u + 500u + 2u);
  EXPECT_EQ(array.Count(), 1001u);
  EXPECT_EQ(*array.At(1000), 7u);
  EXPECT_EQ(*array.At(3), 0u);  // new slots are zero
  EXPECT_EQ(array.status.GetError(), 0);
}

TEST(GrowArray, ElementsArePointerSized) {
  GrowArray array;
  int object = 0;
  *array.At(0) = reinterpret_cast<uintptr_t>(&object);
  EXPECT_EQ(reinterpret_cast<int*>(*array.At(0)), &object);
}

TEST(GrowArray, FailedGrowthAnswersTheSentinelAndKeepsTheElements) {
  GrowArray array;
  {
    devtest::AllocationFailure fail(1);
    uintptr_t* sentinel = array.At(5);
    *sentinel = 99;  // harmless
  }
  EXPECT_EQ(array.status.GetError(), kErrorArrayGrowth);
  EXPECT_EQ(array.Count(), 0u);
  array.status.Clear();
  *array.At(1) = 11;
  {
    devtest::AllocationFailure fail(1);
    uintptr_t* sentinel = array.At(100);
    EXPECT_EQ(sentinel, &array.data[0]);
  }
  EXPECT_EQ(array.status.GetError(), kErrorArrayGrowth);
  EXPECT_EQ(array.Count(), 2u);
  EXPECT_EQ(*array.At(1), 11u);
}

TEST(GrowArray, RemovingMovesLaterElementsDownAndPullsTheCursorBack) {
  GrowArray array;
  for (uintptr_t v = 10; v < 15; ++v) *array.AppendSlot() = v;
  EXPECT_EQ(array.appendCursor, 5u);
  array.RemoveAt(1);
  EXPECT_EQ(array.Count(), 4u);
  EXPECT_EQ(array.appendCursor, 4u);
  std::vector<uintptr_t> left;
  for (uint32_t i = 0; i < array.Count(); ++i) left.push_back(*array.At(i));
  EXPECT_EQ(left, (std::vector<uintptr_t>{10, 12, 13, 14}));
  array.appendCursor = 1;
  array.RemoveAt(3);
  EXPECT_EQ(array.appendCursor, 1u);
  array.RemoveAt(7);  // beyond the count: nothing
  EXPECT_EQ(array.Count(), 3u);
}

TEST(WorkItemList, CreateMakesAnEmptyListAndDestroyFreesIt) {
  WorkItemList list;
  list.status.SetError(3);
  list.Create();
  EXPECT_TRUE(list.status.IsOk());
  EXPECT_EQ(list.items.itemSize, WorkItemList::kItemSize);
  EXPECT_EQ(list.items.Count(), 0u);
  EXPECT_EQ(list.handler, nullptr);
  uint8_t item[WorkItemList::kItemSize] = {1, 2, 3};
  EXPECT_EQ(list.items.Append(item), 0);
  list.Destroy();
  EXPECT_EQ(list.items.Count(), 0u);
}

}  // namespace
