// DefWindowProcW: what a window does with the messages its procedure passes
// on. See windows.h for the list; among them the delivery of application
// keys captured as hot keys, which the system's key-up handling relies on.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_geometry.h"
#include "platform/windows/window_positions.h"
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

// WM_WINDOWPOSCHANGED: WM_MOVE with the client area's origin, then WM_SIZE
// with its size, for what changed.
void ReportPosition(HWND window, const WINDOWPOS* pos) {
  if (pos == nullptr) return;
  LPARAM place = 0;
  LPARAM size = 0;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!IsLocalWindow(window)) return;
    int frame = FrameWidth(window);
    place = static_cast<LPARAM>(MAKELONG(static_cast<WORD>(window->x + frame), static_cast<WORD>(window->y + frame)));
    RECT client = ClientRectLocal(window);
    size = static_cast<LPARAM>(MAKELONG(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
  }
  if (!(pos->flags & SWP_NOMOVE)) SendMessageW(window, WM_MOVE, 0, place);
  if (!(pos->flags & SWP_NOSIZE)) SendMessageW(window, WM_SIZE, SIZE_RESTORED, size);
}

// WM_ERASEBKGND: the class brush over the client area.
LRESULT EraseBackground(HWND window, HDC dc) {
  HBRUSH brush = nullptr;
  RECT client{0, 0, 0, 0};
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!IsLocalWindow(window) || !window->windowClass) return 0;
    brush = window->windowClass->background;
    client = ClientRectLocal(window);
  }
  if (brush == nullptr) return 0;
  uintptr_t value = reinterpret_cast<uintptr_t>(brush);
  if (value <= static_cast<uintptr_t>(kSystemColorCount)) brush = GetSysColorBrush(static_cast<int>(value) - 1);
  FillRect(dc, &client, brush);
  return 1;
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
    case WM_WINDOWPOSCHANGED:
      ReportPosition(window, reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(window, &paint)) EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return EraseBackground(window, reinterpret_cast<HDC>(wParam));
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
