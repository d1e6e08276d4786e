// TimerTable on the virtual clock: handlers run once or repeatedly, each
// started timer has its own identifier (also when several timers share one
// handler), one-shot entries stay until stopped, and failures leave nothing
// running.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/system/timer_table.h"
#include "platform/testing/allocation.h"
#include "platform/testing/threads.h"
#include "platform/testing/windows.h"
#include "platform/time/tick_count.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/timers.h"
#include "platform/windows/windows.h"

namespace {

TimerTable* g_table = nullptr;
std::vector<UINT_PTR> g_windowTimers;  // WM_TIMER identifiers the table did not take

LRESULT OwnerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (g_table == nullptr || !g_table->Dispatch(static_cast<TimerId>(wParam))) g_windowTimers.push_back(wParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Records each firing with the time since the test began; optionally stops
// its own timer when it fires (as the owners of one-shot timers do).
class Recorder : public TimerHandler {
 public:
  explicit Recorder(DWORD start) : start_(start) {}
  void OnTimer(TimerTable* table, TimerId id) override {
    EXPECT_EQ(table, g_table);
    firings.push_back({id, GetTickCount() - start_});
    if (stopOnFire) table->Stop(this, &id);
  }
  struct Firing {
    TimerId id;
    DWORD at;
    bool operator==(const Firing& o) const { return id == o.id && at == o.at; }
  };
  std::vector<Firing> firings;
  bool stopOnFire = false;

 private:
  DWORD start_;
};

class TimerTables : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
    g_windowTimers.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerWindow;
    wc.lpszClassName = u"Owner";
    ASSERT_NE(RegisterClassW(&wc), 0);
    window_ = CreateWindowExW(0, u"Owner", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    table_ = new TimerTable;
    SetOwnerWindow(table_, window_);
    g_table = table_;
    start_ = GetTickCount();
  }
  void TearDown() override {
    g_table = nullptr;
    delete table_;
    devtest::ResetWindows();
  }

  HWND window_ = nullptr;
  TimerTable* table_ = nullptr;
  DWORD start_ = 0;
};

TEST_F(TimerTables, OneShotTimerRunsOnceAndItsEntryStaysUntilStopped) {
  Recorder handler(start_);
  TimerId id = kNoTimer;
  ASSERT_TRUE(table_->StartOnce(&handler, 200, &id, false));
  EXPECT_NE(id, kNoTimer);
  devtest::AdvanceTimeAndPump(1000);
  ASSERT_EQ(handler.firings, (std::vector<Recorder::Firing>{{id, 200}}));
  ASSERT_EQ(table_->Count(), 1u);
  EXPECT_EQ(table_->EntryAt(0)->stopped, 1u);
  EXPECT_FALSE(table_->AnyRunning());
  EXPECT_EQ(devtest::TimerCount(), 0);  // the platform timer went before the handler ran
  table_->Stop(&handler, &id);
  EXPECT_EQ(id, kNoTimer);
  EXPECT_EQ(table_->Count(), 0u);
}

TEST_F(TimerTables, RepeatingTimerRunsNTimesInNPeriods) {
  Recorder handler(start_);
  TimerId id = kNoTimer;
  ASSERT_TRUE(table_->StartRepeating(&handler, 60, &id));
  devtest::AdvanceTimeAndPump(60 * 5);
  ASSERT_EQ(handler.firings.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(handler.firings[i], (Recorder::Firing{id, static_cast<DWORD>(60 * (i + 1))}));
  EXPECT_TRUE(table_->AnyRunning());
  table_->Stop(&handler, &id);
  devtest::AdvanceTimeAndPump(600);
  EXPECT_EQ(handler.firings.size(), 5u);
}

TEST_F(TimerTables, StoppingAnUnknownTimerDoesNothing) {
  Recorder handler(start_);
  TimerId running = kNoTimer;
  ASSERT_TRUE(table_->StartRepeating(&handler, 10, &running));
  for (TimerId unknown : {kNoTimer, running + 1, TimerId{1}, TimerId{133}}) {
    TimerId variable = unknown;
    table_->Stop(&handler, &variable);
    EXPECT_EQ(variable, unknown);
  }
  table_->Stop(&handler, nullptr);
  EXPECT_EQ(table_->Count(), 1u);
  devtest::AdvanceTimeAndPump(10);
  EXPECT_EQ(handler.firings.size(), 1u);
  EXPECT_FALSE(table_->Dispatch(running + 1));
}

TEST_F(TimerTables, TwoTimersOnOneHandlerBothFireAndClearingTheFirstLeavesTheSecond) {
  Recorder scripts(start_);  // one handler for every script timer of a view
  TimerId first = kNoTimer, second = kNoTimer;
  ASSERT_TRUE(table_->StartRepeating(&scripts, 50, &first));
  ASSERT_TRUE(table_->StartRepeating(&scripts, 50, &second));
  EXPECT_NE(first, second);
  for (TimerId id : {first, second}) {
    EXPECT_GE(id, kFirstTableTimerId);
    EXPECT_NE(id, 1);
    EXPECT_NE(id, 133);
  }
  devtest::AdvanceTimeAndPump(50);
  EXPECT_EQ(scripts.firings, (std::vector<Recorder::Firing>{{first, 50}, {second, 50}}));
  table_->Stop(&scripts, &first);
  EXPECT_EQ(first, kNoTimer);
  scripts.firings.clear();
  devtest::AdvanceTimeAndPump(100);
  EXPECT_EQ(scripts.firings, (std::vector<Recorder::Firing>{{second, 100}, {second, 150}}));
}

TEST_F(TimerTables, IdentifiersAreNotReusedAndLeaveTheWindowsOwnTimersAlone) {
  SetTimer(window_, 1, 40, nullptr);
  SetTimer(window_, 133, 40, nullptr);
  Recorder handler(start_);
  std::vector<TimerId> seen;
  for (int i = 0; i < 5; ++i) {
    TimerId id = kNoTimer;
    ASSERT_TRUE(table_->StartOnce(&handler, 40, &id, false));
    for (TimerId earlier : seen) EXPECT_NE(id, earlier);
    seen.push_back(id);
    table_->Stop(&handler, &id);
  }
  TimerId live = kNoTimer;
  ASSERT_TRUE(table_->StartOnce(&handler, 40, &live, false));
  devtest::AdvanceTimeAndPump(40);
  EXPECT_EQ(handler.firings, (std::vector<Recorder::Firing>{{live, 40}}));
  EXPECT_EQ(g_windowTimers, (std::vector<UINT_PTR>{1, 133}));
  EXPECT_EQ(table_->NextFreeTimerNumber(), live + 1);
}

TEST_F(TimerTables, StartingAgainThroughTheVariableStopsThePreviousTimer) {
  Recorder handler(start_);
  TimerId id = kNoTimer;
  ASSERT_TRUE(table_->StartRepeating(&handler, 30, &id));
  TimerId old = id;
  ASSERT_TRUE(table_->StartRepeating(&handler, 70, &id));
  EXPECT_NE(id, old);
  EXPECT_EQ(table_->Count(), 1u);
  // A one-shot restart stops the old one only when asked.
  TimerId once = kNoTimer;
  ASSERT_TRUE(table_->StartOnce(&handler, 20, &once, true));
  TimerId firstOnce = once;
  ASSERT_TRUE(table_->StartOnce(&handler, 20, &once, false));
  EXPECT_EQ(table_->Count(), 3u);
  ASSERT_TRUE(table_->StartOnce(&handler, 20, &once, true));
  EXPECT_EQ(table_->Count(), 3u);
  devtest::AdvanceTimeAndPump(70);
  std::vector<TimerId> ids;
  for (const auto& f : handler.firings) ids.push_back(f.id);
  EXPECT_EQ(ids, (std::vector<TimerId>{firstOnce, once, id}));
}

TEST_F(TimerTables, HandlerMayStopItsOwnTimerAndStartAnother) {
  struct Chain : TimerHandler {
    int runs = 0;
    TimerId next = kNoTimer;
    void OnTimer(TimerTable* table, TimerId id) override {
      ++runs;
      table->Stop(this, &id);
      if (runs < 3) {
        EXPECT_TRUE(table->StartOnce(this, 0, &next, false));
      }
    }
  } chain;
  ASSERT_TRUE(table_->StartOnce(&chain, 0, &chain.next, false));
  devtest::PumpMessages();
  EXPECT_EQ(chain.runs, 3);
  EXPECT_EQ(table_->Count(), 0u);
  EXPECT_EQ(devtest::TimerCount(), 0);
}

TEST_F(TimerTables, StartFailuresLeaveNothingRunning) {
  Recorder handler(start_);
  TimerId id = kNoTimer;
  {
    devtest::AllocationFailure fail(1, true);
    EXPECT_FALSE(table_->StartRepeating(&handler, 10, &id));
  }
  EXPECT_EQ(id, kNoTimer);
  EXPECT_EQ(table_->Count(), 0u);
  EXPECT_EQ(devtest::TimerCount(), 0);

  DestroyWindow(window_);
  EXPECT_FALSE(table_->StartOnce(&handler, 10, &id, false));
  EXPECT_EQ(id, kNoTimer);
  EXPECT_EQ(table_->Count(), 0u);
}

TEST_F(TimerTables, StopOwnerTimerMarksTheEntryStoppedEvenWhenThePlatformForgotIt) {
  TimerEntry entry{4242, 4242, nullptr, 1, 10, 0};
  EXPECT_TRUE(StopOwnerTimer(table_, &entry));
  EXPECT_EQ(entry.stopped, 1u);
}

TEST_F(TimerTables, DestroyingTheTableStopsItsTimers) {
  Recorder handler(start_);
  TimerId a = kNoTimer, b = kNoTimer;
  table_->StartRepeating(&handler, 10, &a);
  table_->StartOnce(&handler, 10, &b, false);
  EXPECT_EQ(devtest::TimerCount(), 2);
  g_table = nullptr;
  delete table_;
  table_ = nullptr;
  EXPECT_EQ(devtest::TimerCount(), 0);
}

}  // namespace
