// Threads: creation, waits on a thread, suspension, identity, and Sleep on
// the virtual clock.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/core/last_error.h"
#include "platform/testing/clock.h"
#include "platform/testing/threads.h"
#include "platform/threads/sync.h"
#include "platform/threads/threads.h"
#include "platform/time/tick_count.h"

namespace {

class Threads : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetThreads(); }
};

DWORD ReturnParameter(LPVOID parameter) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(parameter)); }

TEST_F(Threads, WaitOnAThreadEndsWithItsExitCode) {
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, ReturnParameter, reinterpret_cast<LPVOID>(42), 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_NE(id, GetCurrentThreadId());
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  CloseHandle(thread);
}

struct Gate {
  std::atomic<bool> ran{false};
  static DWORD Run(LPVOID self) {
    static_cast<Gate*>(self)->ran = true;
    return 7;
  }
};

TEST_F(Threads, SuspendedThreadRunsOnlyAfterResume) {
  Gate gate;
  HANDLE thread = CreateThread(nullptr, 0, Gate::Run, &gate, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_FALSE(gate.ran.load());
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(gate.ran.load());
  EXPECT_EQ(ResumeThread(thread), 0u);
  CloseHandle(thread);
}

TEST_F(Threads, BadArgumentsFail) {
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD code = 0;
  EXPECT_FALSE(GetExitCodeThread(event, &code));
  EXPECT_EQ(ResumeThread(event), 0xFFFFFFFFu);
  CloseHandle(event);
}

TEST_F(Threads, SleepOnTheUiThreadMovesTheVirtualClockOnly) {
  ASSERT_TRUE(devthreads::IsUiThread());
  DWORD before = GetTickCount();
  Sleep(60000);  // answers at once
  EXPECT_EQ(GetTickCount(), before + 60000);

  DWORD seenByWorker = 0;
  std::thread worker([&] {
    EXPECT_FALSE(devthreads::IsUiThread());
    Sleep(5);
    seenByWorker = GetTickCount();
  });
  worker.join();
  EXPECT_EQ(seenByWorker, before + 60000);
  EXPECT_EQ(GetTickCount(), before + 60000);
}

}  // namespace
