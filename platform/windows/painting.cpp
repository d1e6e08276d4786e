// Window DCs, the update region and the painting calls (painting.h).
#include "platform/windows/painting.h"

#include <algorithm>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi.h"
#include "platform/windows/paint_queue.h"
#include "platform/windows/screen.h"
#include "platform/windows/window_geometry.h"
#include "platform/windows/window_manager.h"

using namespace devwin;

namespace {

bool CheckOwn(HWND window) {
  if (IsOwnWindow(window)) return true;
  SetLastError(IsLocalWindow(window) || IsRemoteWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

// A window DC over the screen: origin and system clip in screen
// coordinates. Null when memory runs out.
HDC MakeScreenDc(HWND window, POINT origin, const std::vector<RECT>* clip) {
  DeviceContext* dc = NewDeviceContext(DcKind::Window);
  if (dc == nullptr) return nullptr;
  dc->SetTarget(ScreenBitmap());
  dc->SetDeviceOrigin(origin);
  if (clip != nullptr) dc->SetSystemClip(clip->data(), clip->size());
  dc->window = window;
  return dc;
}

std::vector<RECT> Intersect(const std::vector<RECT>& rects, const RECT& with) {
  std::vector<RECT> out;
  for (const RECT& r : rects) {
    RECT common = RectIntersection(r, with);
    if (!RectEmpty(common)) out.push_back(common);
  }
  return out;
}

HDC WindowDc(HWND window, bool whole) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (window == nullptr) return MakeScreenDc(nullptr, POINT{0, 0}, nullptr);
  if (!CheckOwn(window)) return nullptr;
  std::vector<RECT> clip = VisibleRects(window, !whole);
  RECT frame = whole ? WindowRectOnScreen(window) : ClientRectOnScreen(window);
  return MakeScreenDc(window, POINT{frame.left, frame.top}, &clip);
}

}  // namespace

namespace devwin {

bool TakePaint(MessageQueue* queue, const MessageFilter& filter, MSG* out) {
  SyncScreen();
  std::vector<HWND> stack;
  std::vector<HWND> tops = TopLevelTopFirst();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) stack.push_back(*it);
  while (!stack.empty()) {
    HWND window = stack.back();
    stack.pop_back();
    if (!IsLocalWindow(window) || !(window->style & WS_VISIBLE)) continue;
    if (window->queue == queue && !RectEmpty(window->update) && filter.Takes(window, WM_PAINT)) {
      *out = MSG{};
      out->hwnd = window;
      out->message = WM_PAINT;
      return true;
    }
    std::vector<HWND> children = ChildrenTopFirst(window);
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
  }
  return false;
}

}  // namespace devwin

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  if (paint == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  *paint = PAINTSTRUCT{};
  HDC dc = nullptr;
  bool erase = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckOwn(window)) return nullptr;
    RECT update = window->update;
    erase = window->eraseBackground;
    window->update = RECT{0, 0, 0, 0};
    window->eraseBackground = false;
    RECT client = ClientRectOnScreen(window);
    std::vector<RECT> clip = Intersect(VisibleRects(window, true), RectOffset(update, client.left, client.top));
    dc = MakeScreenDc(window, POINT{client.left, client.top}, &clip);
    paint->rcPaint = update;
  }
  if (dc == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  paint->hdc = dc;
  paint->fErase = FALSE;
  if (erase) paint->fErase = CallOwnProcedure(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return FALSE;
  DeviceContext* dc = LiveDeviceContext(paint->hdc);
  if (dc == nullptr || dc->kind != DcKind::Window) return FALSE;
  DestroyDeviceContext(dc);
  return TRUE;
}

HDC GetDC(HWND window) { return WindowDc(window, false); }

HDC GetWindowDC(HWND window) { return WindowDc(window, true); }

int ReleaseDC(HWND, HDC handle) {
  DeviceContext* dc = LiveDeviceContext(handle);
  if (dc == nullptr || dc->kind != DcKind::Window) return 0;
  DestroyDeviceContext(dc);
  return 1;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (window == nullptr) {
    for (HWND each : Manager().live) AddToUpdate(each, nullptr, erase != FALSE);
    return TRUE;
  }
  if (!IsLocalWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  AddToUpdate(window, rect, erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND window, const RECT* rect) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!IsLocalWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  RECT& update = window->update;
  if (rect == nullptr) {
    update = RECT{0, 0, 0, 0};
    window->eraseBackground = false;
    return TRUE;
  }
  const RECT& cut = *rect;
  bool coversWidth = cut.left <= update.left && cut.right >= update.right;
  bool coversHeight = cut.top <= update.top && cut.bottom >= update.bottom;
  if (coversWidth && coversHeight) {
    update = RECT{0, 0, 0, 0};
    window->eraseBackground = false;
  } else if (coversWidth && cut.top <= update.top && cut.bottom > update.top) {
    update.top = cut.bottom;
  } else if (coversWidth && cut.bottom >= update.bottom && cut.top < update.bottom) {
    update.bottom = cut.top;
  } else if (coversHeight && cut.left <= update.left && cut.right > update.left) {
    update.left = cut.right;
  } else if (coversHeight && cut.right >= update.right && cut.left < update.right) {
    update.right = cut.left;
  }
  if (RectEmpty(update)) update = RECT{0, 0, 0, 0};
  return TRUE;
}

BOOL UpdateWindow(HWND window) {
  bool paint = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckOwn(window)) return FALSE;
    paint = IsShown(window) && !RectEmpty(window->update);
  }
  if (paint) CallOwnProcedure(window, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL GetUpdateRect(HWND window, RECT* rect, BOOL) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!IsLocalWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (rect != nullptr) *rect = window->update;
  return RectEmpty(window->update) ? FALSE : TRUE;
}
