// Events, mutexes and waits: names shared across threads, auto and manual
// reset, pulses, ownership, timeouts.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/core/last_error.h"
#include "platform/testing/threads.h"
#include "platform/threads/sync.h"

namespace {

class SyncObjects : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetThreads(); }
};

TEST_F(SyncObjects, NamedEventSignalsAcrossTwoThreads) {
  HANDLE mine = CreateEventW(nullptr, TRUE, FALSE, u"speech-done");
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

  std::atomic<DWORD> openError{0};
  std::atomic<DWORD> waitResult{WAIT_FAILED};
  std::thread other([&] {
    HANDLE theirs = CreateEventW(nullptr, TRUE, FALSE, u"speech-done");
    openError = GetLastError();
    waitResult = WaitForSingleObject(theirs, INFINITE);
    CloseHandle(theirs);
  });
  // Set only once the other thread holds the event by name.
  while (openError.load() == 0) std::this_thread::yield();
  EXPECT_TRUE(SetEvent(mine));
  other.join();
  EXPECT_EQ(openError.load(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(waitResult.load(), WAIT_OBJECT_0);
  CloseHandle(mine);
}

TEST_F(SyncObjects, WaitWithTimeoutZeroOnAClearEventAnswersAtOnce) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(WaitForSingleObject(event, 30), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST_F(SyncObjects, ResetKindsDecideWhetherAWaitConsumesTheSignal) {
  struct Case {
    BOOL manual;
    DWORD secondWait;
  } cases[] = {{TRUE, WAIT_OBJECT_0}, {FALSE, WAIT_TIMEOUT}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.manual);
    HANDLE event = CreateEventW(nullptr, c.manual, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), c.secondWait);
    EXPECT_TRUE(EventModify(event, EVENT_SET));
    EXPECT_TRUE(EventModify(event, EVENT_RESET));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(event);
  }
}

TEST_F(SyncObjects, PulseReleasesTheWaiterAndLeavesTheEventClear) {
  for (BOOL manual : {TRUE, FALSE}) {
    SCOPED_TRACE(manual);
    HANDLE event = CreateEventW(nullptr, manual, FALSE, nullptr);
    std::atomic<bool> released{false};
    std::thread waiter([&] {
      EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
      released = true;
    });
    // A pulse with nobody waiting is lost, so pulse until the waiter is out.
    while (!released.load()) {
      EXPECT_TRUE(EventModify(event, EVENT_PULSE));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    waiter.join();
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(event);
  }
}

TEST_F(SyncObjects, NamedObjectOutlivesAClosedHandleAndDiesWithTheLast) {
  HANDLE first = CreateEventW(nullptr, TRUE, FALSE, u"shared");
  HANDLE second = CreateEventW(nullptr, TRUE, FALSE, u"shared");
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_TRUE(CloseHandle(first));
  EXPECT_TRUE(SetEvent(second));
  EXPECT_FALSE(SetEvent(first));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(CloseHandle(second));
  // The name was freed with the object: a new event starts clear.
  HANDLE again = CreateEventW(nullptr, TRUE, FALSE, u"shared");
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_TIMEOUT);
  CloseHandle(again);
}

TEST_F(SyncObjects, NamesAreSharedBetweenEventsAndMutexes) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, u"name");
  EXPECT_EQ(CreateEventW(nullptr, TRUE, FALSE, u"name"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  HANDLE same = CreateMutexW(nullptr, FALSE, u"name");
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(same);
  CloseHandle(mutex);
}

TEST_F(SyncObjects, WrongHandlesFail) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
  EXPECT_FALSE(SetEvent(mutex));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_FALSE(EventModify(event, 7));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(ReleaseMutex(event));
  EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x7777), 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  CloseHandle(event);
  CloseHandle(mutex);
}

TEST_F(SyncObjects, MutexIsOwnedRecursivelyByOneThread) {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);  // owned twice now
  auto otherWait = [&](DWORD ms) {
    DWORD result = WAIT_FAILED;
    BOOL released = TRUE;
    std::thread other([&] {
      released = ReleaseMutex(mutex);
      result = WaitForSingleObject(mutex, ms);
      if (result == WAIT_OBJECT_0) ReleaseMutex(mutex);
    });
    other.join();
    EXPECT_FALSE(released);
    return result;
  };
  EXPECT_EQ(otherWait(0), WAIT_TIMEOUT);
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(otherWait(0), WAIT_TIMEOUT);
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(otherWait(0), WAIT_OBJECT_0);
  EXPECT_FALSE(ReleaseMutex(mutex));
  EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
  CloseHandle(mutex);
}

TEST_F(SyncObjects, WaitWithoutLimitGivesUpAfterTheTestCap) {
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_TIMEOUT);
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(devtest::kTestWaitCapMs));
  CloseHandle(event);
}

}  // namespace
