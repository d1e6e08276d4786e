// The windows layer's test control: pumping, virtual time, counts and the screen read back.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/gdi/bitmap_object.h"
#include "platform/testing/gdi.h"
#include "platform/windows/window_geometry.h"

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

bool WaitForIncomingSend(DWORD milliseconds) {
  Lock guard(Manager().lock);
  MessageQueue* queue = CurrentQueue();
  return queue->wake.wait_for(guard, std::chrono::milliseconds(milliseconds),
                              [queue] { return !queue->incoming.empty(); });
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

uint32_t ScreenPixelRgb(int x, int y) {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels = devscreen::ScreenPixels(&width, &height);
  if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
  return pixels[static_cast<size_t>(y) * width + x];
}

namespace {

bool ClientOnScreen(HWND window, RECT* client) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!IsLocalWindow(window)) return false;
  *client = RectIntersection(ClientRectOnScreen(window), ScreenBounds());
  return true;
}

}  // namespace

uint32_t WindowPixelRgb(HWND window, int x, int y) {
  RECT client{};
  if (!ClientOnScreen(window, &client)) return 0xFFFFFFFFu;
  POINT p{client.left + x, client.top + y};
  if (x < 0 || y < 0 || !RectContains(client, p)) return 0xFFFFFFFFu;
  return ScreenPixelRgb(p.x, p.y);
}

bool WriteScreenPng(const std::string& path) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  BitmapObject* screen = ScreenBitmap();
  return screen != nullptr && WriteBitmapPng(screen, path);
}

bool WriteWindowPng(HWND window, const std::string& path) {
  RECT client{};
  if (!ClientOnScreen(window, &client) || RectEmpty(client)) return false;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels = devscreen::ScreenPixels(&width, &height);
  int w = client.right - client.left;
  int h = client.bottom - client.top;
  BitmapObject* copy = NewBitmapObject(PixelFormat::Rgb32, w, h, false, true, nullptr, 0, false);
  if (copy == nullptr) return false;
  for (int y = 0; y < h; ++y)
    std::memcpy(copy->Row(y), &pixels[static_cast<size_t>(client.top + y) * width + client.left],
                static_cast<size_t>(w) * 4);
  bool written = WriteBitmapPng(copy, path);
  delete copy;
  return written;
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
