// The windows layer's test control (platform/testing/windows.h).
#include <cstdio>

#include "platform/testing/windows.h"
#include "platform/threads/threads.h"
#include "platform/threads/virtual_clock.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/screen.h"
#include "platform/windows/timer_queue.h"
#include "platform/windows/window_manager.h"

using namespace devwin;

namespace {

// A message loop that keeps posting to itself would never run dry.
constexpr int kPumpLimit = 100000;

}  // namespace

namespace devtest {

int PumpMessages() {
  int dispatched = 0;
  MSG msg;
  while (dispatched < kPumpLimit) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) || msg.message == WM_QUIT) return dispatched;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return dispatched;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    ++dispatched;
  }
  std::fprintf(stderr, "PumpMessages: stopped after %d messages\n", kPumpLimit);
  return dispatched;
}

void AdvanceTimeAndPump(DWORD milliseconds) {
  if (!devthreads::IsUiThread()) return;  // worker threads never move the clock
  DWORD left = milliseconds;
  PumpMessages();
  for (;;) {
    DWORD delay = 0;
    bool hasTimer = false;
    {
      std::lock_guard<std::mutex> guard(Manager().lock);
      hasTimer = NextTimerDelay(CurrentQueue(), &delay);
    }
    // A timer still due after pumping is held back by a WM_QUIT: stop stepping.
    if (!hasTimer || delay > left || (delay == 0 && QuitPosted())) break;
    if (delay > 0) devthreads::AdvanceVirtualClock(delay);
    left -= delay;
    PumpMessages();
  }
  if (left > 0) devthreads::AdvanceVirtualClock(left);
  PumpMessages();
}

bool QuitPosted(int* exitCode) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  MessageQueue* queue = CurrentQueue();
  if (queue->quit && exitCode) *exitCode = queue->quitCode;
  return queue->quit;
}

int TimerCount() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return static_cast<int>(CurrentQueue()->timers.size());
}

int LiveWindowCount() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return static_cast<int>(Manager().live.size());
}

void ResetWindows() {
  WindowManager& m = Manager();
  std::lock_guard<std::mutex> guard(m.lock);
  while (!m.live.empty()) DiscardWindow(TopLevelOf(*m.live.begin()));
  for (auto& entry : m.queues) {
    MessageQueue* queue = entry.second;
    queue->posted.clear();
    queue->quit = false;
    queue->quitCode = 0;
    queue->timers.clear();
    queue->focus = nullptr;
    queue->active = nullptr;
    queue->capture = nullptr;
    for (auto& sent : queue->incoming) CompleteSent(sent, 0, false);
    queue->incoming.clear();
  }
  m.classes.clear();
  for (auto& entry : m.remotes) RetireWindowObject(entry.second);
  m.remotes.clear();
  m.foreground = nullptr;
  m.input.clear();
  m.keysDown.clear();
  m.stylusDown = false;
  ResetScreen();
}

}  // namespace devtest
