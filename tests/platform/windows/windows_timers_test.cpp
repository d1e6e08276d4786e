// Window timers on the virtual clock: one-shot and repeating timers, the
// replacement of a running timer, thread timers with a TIMERPROC, the
// priority of posted messages, and the stepping of the test clock.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/testing/threads.h"
#include "platform/testing/windows.h"
#include "platform/threads/threads.h"
#include "platform/time/tick_count.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/timers.h"
#include "platform/windows/windows.h"
#include "tests/support/message_recorder.h"

namespace {

struct Firing {
  UINT_PTR id;
  DWORD tick;
};

// Writes down WM_TIMER and the application's own messages as they come; a
// window notes each firing with its tick, and stops the timer oneShot when
// it fires.
class WindowTimers : public msgtest::MessageRecorder {
 protected:
  WindowTimers() : MessageRecorder(u"Timed") {}
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
    MessageRecorder::SetUp();
    window_ = CreateWindowExW(0, ClassName(), u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    start_ = GetTickCount();
  }
  void TearDown() override {
    devtest::ResetWindows();
    MessageRecorder::TearDown();
  }
  bool Records(UINT message) const override { return message == WM_TIMER || message >= WM_USER; }
  bool React(HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
    if (message != WM_TIMER) return false;
    firings.push_back({wParam, GetTickCount()});
    if (wParam == oneShot) KillTimer(window, wParam);
    *result = 0;
    return true;
  }

  std::vector<DWORD> TicksOf(UINT_PTR id) {
    std::vector<DWORD> ticks;
    for (const Firing& f : firings)
      if (f.id == id) ticks.push_back(f.tick - start_);
    return ticks;
  }

  std::vector<Firing> firings;
  UINT_PTR oneShot = 0;  // the timer the procedure stops when it fires
  HWND window_ = nullptr;
  DWORD start_ = 0;
};

TEST_F(WindowTimers, OneShotTimerRunsOnce) {
  oneShot = 9;
  EXPECT_EQ(SetTimer(window_, 9, 100, nullptr), 9u);
  devtest::AdvanceTimeAndPump(99);
  EXPECT_TRUE(firings.empty());
  devtest::AdvanceTimeAndPump(1000);
  EXPECT_EQ(TicksOf(9), std::vector<DWORD>{100});
  EXPECT_EQ(devtest::TimerCount(), 0);
}

TEST_F(WindowTimers, RepeatingTimerRunsNTimesInNPeriods) {
  SetTimer(window_, 3, 50, nullptr);
  devtest::AdvanceTimeAndPump(50 * 7);
  EXPECT_EQ(TicksOf(3), (std::vector<DWORD>{50, 100, 150, 200, 250, 300, 350}));
  EXPECT_EQ(GetTickCount() - start_, 350u);
}

TEST_F(WindowTimers, TimersOfDifferentPeriodsInterleaveByDueTime) {
  SetTimer(window_, 1, 30, nullptr);
  SetTimer(window_, 2, 45, nullptr);
  devtest::AdvanceTimeAndPump(90);
  std::vector<UINT_PTR> ids;
  for (const Firing& f : firings) ids.push_back(f.id);
  // At 90 both are due: the older timer goes first.
  EXPECT_EQ(ids, (std::vector<UINT_PTR>{1, 2, 1, 1, 2}));
}

TEST_F(WindowTimers, SettingARunningTimerAgainReplacesIt) {
  SetTimer(window_, 5, 100, nullptr);
  devtest::AdvanceTimeAndPump(60);
  EXPECT_EQ(SetTimer(window_, 5, 100, nullptr), 5u);  // counted from now
  devtest::AdvanceTimeAndPump(100);
  EXPECT_EQ(TicksOf(5), std::vector<DWORD>{160});
  EXPECT_EQ(devtest::TimerCount(), 1);
}

TEST_F(WindowTimers, StoppingAnUnknownTimerDoesNothing) {
  SetTimer(window_, 5, 10, nullptr);
  EXPECT_FALSE(KillTimer(window_, 6));
  EXPECT_FALSE(KillTimer(nullptr, 5));
  EXPECT_TRUE(KillTimer(window_, 5));
  EXPECT_FALSE(KillTimer(window_, 5));
  devtest::AdvanceTimeAndPump(100);
  EXPECT_TRUE(firings.empty());
}

TEST_F(WindowTimers, ZeroDelayTimerFiresAtOnceOnTheNextPump) {
  oneShot = 4;
  SetTimer(window_, 4, 0, nullptr);
  devtest::PumpMessages();
  EXPECT_EQ(TicksOf(4), std::vector<DWORD>{0});
}

TEST_F(WindowTimers, PostedMessagesGoBeforeDueTimers) {
  oneShot = 1;
  SetTimer(window_, 1, 0, nullptr);
  PostMessageW(window_, WM_USER, 0, 0);
  PostMessageW(window_, WM_USER + 1, 0, 0);
  devtest::PumpMessages();
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_USER, WM_USER + 1, WM_TIMER}));
}

TEST_F(WindowTimers, ATimerThatCameDueSeveralTimesFiresOnce) {
  SetTimer(window_, 2, 10, nullptr);
  Sleep(95);  // moves the clock without taking messages
  devtest::PumpMessages();
  EXPECT_EQ(TicksOf(2), std::vector<DWORD>{95});
  devtest::AdvanceTimeAndPump(10);
  EXPECT_EQ(TicksOf(2), (std::vector<DWORD>{95, 105}));
}

std::vector<UINT_PTR> g_procFirings;
void OnThreadTimer(HWND window, UINT message, UINT_PTR id, DWORD) {
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(message, WM_TIMER);
  g_procFirings.push_back(id);
  KillTimer(nullptr, id);
}

TEST_F(WindowTimers, ThreadTimersGetTheirOwnIdentifiersAndRunTheirProcedure) {
  g_procFirings.clear();
  UINT_PTR first = SetTimer(nullptr, 0, 20, OnThreadTimer);
  UINT_PTR second = SetTimer(nullptr, 0, 30, OnThreadTimer);
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);
  devtest::AdvanceTimeAndPump(100);
  EXPECT_EQ(g_procFirings, (std::vector<UINT_PTR>{first, second}));
}

TEST_F(WindowTimers, DestroyingTheWindowStopsItsTimers) {
  SetTimer(window_, 1, 10, nullptr);
  SetTimer(window_, 2, 10, nullptr);
  DestroyWindow(window_);
  EXPECT_EQ(devtest::TimerCount(), 0);
  devtest::AdvanceTimeAndPump(50);
  EXPECT_TRUE(firings.empty());
}

TEST_F(WindowTimers, OnlyTheWindowsThreadSetsItsTimers) {
  UINT_PTR answer = 1;
  DWORD error = 0;
  std::thread worker([&] {
    answer = SetTimer(window_, 1, 10, nullptr);
    error = GetLastError();
  });
  worker.join();
  EXPECT_EQ(answer, 0u);
  EXPECT_EQ(error, ERROR_ACCESS_DENIED);
}

TEST_F(WindowTimers, WorkerThreadsDoNotMoveTheClock) {
  SetTimer(window_, 1, 10, nullptr);
  std::thread worker([] { devtest::AdvanceTimeAndPump(1000); });
  worker.join();
  EXPECT_EQ(GetTickCount(), start_);
  EXPECT_TRUE(firings.empty());
}

}  // namespace
