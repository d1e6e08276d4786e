// The stylus capture of a thread: SetCapture, ReleaseCapture, GetCapture.
// The window losing the capture hears of it by WM_CAPTURECHANGED (lParam
// the window taking it, or 0) after the change.
#include "platform/core/last_error.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/windows.h"

using namespace devwin;

HWND SetCapture(HWND window) {
  HWND previous = nullptr;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!IsOwnWindow(window)) {
      SetLastError(IsLocalWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    MessageQueue* queue = CurrentQueue();
    previous = queue->capture;
    queue->capture = window;
  }
  if (previous != nullptr && previous != window)
    CallOwnProcedure(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  return previous;
}

BOOL ReleaseCapture() {
  HWND previous = nullptr;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    MessageQueue* queue = CurrentQueue();
    previous = queue->capture;
    queue->capture = nullptr;
  }
  if (previous != nullptr) CallOwnProcedure(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  HWND capture = CurrentQueue()->capture;
  return IsLocalWindow(capture) ? capture : nullptr;
}
