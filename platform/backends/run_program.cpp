// Running the program's main function over a backend, and closing the
// program on the user's behalf (backend.h).
#include <chrono>
#include <vector>

#include "platform/backends/backend.h"
#include "platform/windows/idle_hook.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_manager.h"

namespace devbackend {
namespace {

Backend* g_running = nullptr;
bool g_closing = false;
std::chrono::steady_clock::time_point g_closeAsked;

void IdleTrampoline(DWORD maxWaitMs) {
  if (g_running != nullptr) g_running->Idle(maxWaitMs);
}

}  // namespace

int RunProgram(Backend& backend, ProgramMain main, void* context, bool* started) {
  bool ok = backend.Start();
  if (started != nullptr) *started = ok;
  if (!ok) return -1;
  g_running = &backend;
  g_closing = false;
  devwin::IdleHook previous = devwin::CurrentIdleHook();
  devwin::SetIdleHook(IdleTrampoline);
  int result = main(context);
  devwin::SetIdleHook(previous);
  g_running = nullptr;
  backend.Finish();
  return result;
}

void CloseProgram() {
  auto now = std::chrono::steady_clock::now();
  if (g_closing) {
    if (now - g_closeAsked >= std::chrono::seconds(5)) {
      PostQuitMessage(0);
      g_closeAsked = now;
    }
    return;
  }
  g_closing = true;
  g_closeAsked = now;
  std::vector<HWND> windows;
  {
    std::lock_guard<std::mutex> guard(devwin::Manager().lock);
    for (HWND window : devwin::Manager().topLevel)
      if (devwin::IsLocalWindow(window) && !window->destroying) windows.push_back(window);
  }
  if (windows.empty()) PostQuitMessage(0);
  for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace devbackend
