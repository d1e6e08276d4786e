// DefWindowProcW: what a window does with the messages its procedure passes
// on. See windows.h for the list; among them the delivery of application
// keys captured as hot keys, which the system's key-up handling relies on.
#include <algorithm>

#include "platform/windows/message_queue.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/window_registry.h"
#include "platform/windows/windows.h"

using namespace devwin;

namespace {

constexpr UINT kFirstApplicationKey = 0xC1;
constexpr UINT kLastApplicationKey = 0xCF;

LRESULT StoreText(HWND window, LPCWSTR text) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!IsLocalWindow(window)) return FALSE;
  window->title = text ? text : u"";
  if (window->parent == nullptr)
    AddRegistration(
        RegisteredWindow{window->identity, window->createdAt, window->windowClass->name, window->title});
  return TRUE;
}

LRESULT CopyText(HWND window, WPARAM capacity, LPWSTR buffer) {
  if (buffer == nullptr || capacity == 0) return 0;
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!IsLocalWindow(window)) {
    buffer[0] = 0;
    return 0;
  }
  size_t copied = std::min(window->title.size(), static_cast<size_t>(capacity - 1));
  std::copy(window->title.begin(), window->title.begin() + static_cast<std::ptrdiff_t>(copied), buffer);
  buffer[copied] = 0;
  return static_cast<LRESULT>(copied);
}

LRESULT TextLength(HWND window) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return IsLocalWindow(window) ? static_cast<LRESULT>(window->title.size()) : 0;
}

bool FocusIsWithin(HWND window) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!IsLocalWindow(window)) return true;
  HWND focus = window->queue->focus;
  return IsLocalWindow(focus) && IsDescendant(window, focus);
}

// A hardware button the window holds as a hot key goes on as the key press
// it stands for: down, then up with the previous-state bit (30) set.
void DeliverApplicationKey(HWND window, UINT key) {
  HWND target = window;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!IsLocalWindow(window)) return;
    HWND focus = window->queue->focus;
    if (IsLocalWindow(focus)) target = focus;
  }
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 1 | kKeyPreviousStateBit | kKeyTransitionBit);
}

}  // namespace

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_SETTEXT:
      return StoreText(window, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT:
      return CopyText(window, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH:
      return TextLength(window);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !FocusIsWithin(window)) SetFocus(window);
      return 0;
    case WM_HOTKEY: {
      UINT key = HIWORD(static_cast<uintptr_t>(lParam));
      if (key >= kFirstApplicationKey && key <= kLastApplicationKey) DeliverApplicationKey(window, key);
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}
