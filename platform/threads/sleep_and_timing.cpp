// Sleep, and how real-time waits behave. In test builds ResetThreads (part
// of the device reset) turns test timing on: the UI thread's Sleep moves the
// virtual clock, worker threads sleep in real time, and every real-time wait
// is capped at two seconds. Without a reset (the program) both are real.
#include <thread>

#include "platform/threads/sync.h"
#include "platform/threads/threads.h"
#include "platform/threads/waitable.h"

#ifdef TESSALYN_TEST_HOOKS
#include <atomic>

#include "platform/threads/named_objects.h"
#include "platform/threads/thread_hooks.h"
#include "platform/threads/virtual_clock.h"
#include "platform/time/clock_hooks.h"

namespace {

std::atomic<bool> g_testTiming{false};
std::atomic<void (*)()> g_clockMoved{nullptr};

}  // namespace
#endif  // TESSALYN_TEST_HOOKS

namespace devthreads {

std::chrono::milliseconds CappedWait(DWORD milliseconds) {
#ifdef TESSALYN_TEST_HOOKS
  if (g_testTiming.load() && (milliseconds == INFINITE || milliseconds > devtest::kTestWaitCapMs))
    return std::chrono::milliseconds(devtest::kTestWaitCapMs);
#endif
  if (milliseconds == INFINITE) return std::chrono::hours(24 * 365);
  return std::chrono::milliseconds(milliseconds);
}

#ifdef TESSALYN_TEST_HOOKS
void SetClockMovedHook(void (*hook)()) { g_clockMoved.store(hook); }

void AdvanceVirtualClock(DWORD milliseconds) {
  devtest::AdvanceClock(milliseconds);
  if (auto hook = g_clockMoved.load()) hook();
}
#endif

}  // namespace devthreads

void Sleep(DWORD milliseconds) {
#ifdef TESSALYN_TEST_HOOKS
  if (g_testTiming.load() && devthreads::IsUiThread()) {
    if (milliseconds != INFINITE) devthreads::AdvanceVirtualClock(milliseconds);
    // A UI thread that polls a worker with sleeps must still let it run.
    std::this_thread::yield();
    return;
  }
#endif
  if (milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(devthreads::CappedWait(milliseconds));
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

bool TestTimingActive() { return g_testTiming.load(); }

void UseRealThreadTiming() { g_testTiming.store(false); }

void ResetThreads() {
  g_testTiming.store(true);
  devthreads::ForgetNamedObjects();
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
