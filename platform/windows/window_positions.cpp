// Showing, moving, sizing, stacking and enabling windows, their rectangles,
// point mapping and hit testing (window_positions.h).
#include "platform/windows/window_positions.h"

#include <algorithm>

#include "platform/core/last_error.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/screen.h"
#include "platform/windows/window_geometry.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/windows.h"

using namespace devwin;

namespace {

bool CheckOwn(HWND window) {
  if (IsOwnWindow(window)) return true;
  SetLastError(IsLocalWindow(window) || IsRemoteWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

bool CheckLocal(HWND window) {
  if (IsLocalWindow(window)) return true;
  SetLastError(IsRemoteWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

bool ActivatingShow(int command) {
  return command == SW_SHOW || command == SW_SHOWNORMAL || command == SW_SHOWMAXIMIZED || command == SW_RESTORE;
}

bool HidingCommand(int command) {
  return command == SW_HIDE || command == SW_MINIMIZE || command == SW_FORCEMINIMIZE;
}

void SendPositionChanged(HWND window, UINT flags) {
  WINDOWPOS pos{};
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!IsLocalWindow(window)) return;
    pos.hwnd = window;
    pos.x = window->x;
    pos.y = window->y;
    pos.cx = window->width;
    pos.cy = window->height;
    pos.flags = flags;
  }
  CallOwnProcedure(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

}  // namespace

BOOL ShowWindow(HWND window, int command) {
  bool wasVisible = false;
  bool want = !HidingCommand(command);
  bool topLevel = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckOwn(window)) return FALSE;
    wasVisible = (window->style & WS_VISIBLE) != 0;
    topLevel = window->parent == nullptr;
  }
  if (want != wasVisible) {
    CallOwnProcedure(window, WM_SHOWWINDOW, want ? TRUE : FALSE, 0);
    {
      std::lock_guard<std::mutex> guard(Manager().lock);
      if (!IsLocalWindow(window)) return wasVisible ? TRUE : FALSE;
      RECT area = WindowRectOnScreen(window);
      if (want) window->style |= WS_VISIBLE;
      else window->style &= ~WS_VISIBLE;
      InvalidateScreenArea(area);
    }
    SendPositionChanged(window, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (want ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
  if (!want) {
    if (topLevel) {
      PassActivationOn(window);
    } else {
      HWND focus = GetFocus();
      HWND parent = nullptr;
      {
        std::lock_guard<std::mutex> guard(Manager().lock);
        if (IsLocalWindow(window) && IsLocalWindow(focus) && IsDescendant(window, focus)) parent = window->parent;
      }
      if (parent != nullptr) SetFocus(parent);
    }
  } else if (topLevel && ActivatingShow(command)) {
    ActivateLocal(window, false);
  }
  return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return IsLocalWindow(window) && IsShown(window) ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  UINT changed = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  bool anything = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckOwn(window)) return FALSE;
    RECT before = WindowRectOnScreen(window);
    bool shown = IsShown(window);
    if (!(flags & SWP_NOMOVE) && (x != window->x || y != window->y)) {
      window->x = x;
      window->y = y;
      changed &= ~SWP_NOMOVE;
    }
    if (!(flags & SWP_NOSIZE)) {
      width = std::max(width, 0);
      height = std::max(height, 0);
      if (width != window->width || height != window->height) {
        window->width = width;
        window->height = height;
        changed &= ~SWP_NOSIZE;
      }
    }
    if (!(flags & SWP_NOZORDER)) {
      int64_t oldOrder = window->zOrder;
      DWORD oldEx = window->exStyle;
      if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        if (window->parent == nullptr) {
          if (insertAfter == HWND_TOPMOST) window->exStyle |= WS_EX_TOPMOST;
          else window->exStyle &= ~WS_EX_TOPMOST;
        }
        RaiseWindow(window);
      } else if (insertAfter == HWND_TOP) {
        RaiseWindow(window);
      } else if (insertAfter == HWND_BOTTOM) {
        LowerWindow(window);
      } else if (IsLocalWindow(insertAfter) && insertAfter != window && insertAfter->parent == window->parent) {
        PlaceBelow(window, insertAfter);
      }
      if (oldOrder != window->zOrder || oldEx != window->exStyle) changed &= ~SWP_NOZORDER;
    }
    bool showChange = ((flags & SWP_SHOWWINDOW) && !(window->style & WS_VISIBLE)) ||
                      ((flags & SWP_HIDEWINDOW) && (window->style & WS_VISIBLE));
    if (flags & SWP_SHOWWINDOW) window->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) window->style &= ~WS_VISIBLE;
    if (showChange) changed |= (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW));
    anything = (changed & (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER)) != (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER) ||
               showChange;
    if (anything && !(flags & SWP_NOREDRAW)) {
      if (shown) InvalidateScreenArea(before);
      if (IsShown(window)) InvalidateScreenArea(WindowRectOnScreen(window));
    }
  }
  if (anything) SendPositionChanged(window, changed | (flags & (SWP_NOACTIVATE | SWP_NOREDRAW)));
  bool activate = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    activate = IsLocalWindow(window) && window->parent == nullptr && !(flags & SWP_NOACTIVATE) &&
               (flags & SWP_SHOWWINDOW) && IsShown(window);
  }
  if (activate) ActivateLocal(window, false);
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND window) {
  return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND GetWindow(HWND window, UINT relation) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!CheckLocal(window)) return nullptr;
  if (relation == GW_OWNER) return window->owner;
  if (relation == GW_CHILD) {
    std::vector<HWND> children = ChildrenTopFirst(window);
    return children.empty() ? nullptr : children.front();
  }
  std::vector<HWND> siblings = window->parent ? ChildrenTopFirst(window->parent) : TopLevelTopFirst();
  auto at = std::find(siblings.begin(), siblings.end(), window);
  switch (relation) {
    case GW_HWNDFIRST: return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST: return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT: return (at == siblings.end() || at + 1 == siblings.end()) ? nullptr : *(at + 1);
    case GW_HWNDPREV: return (at == siblings.end() || at == siblings.begin()) ? nullptr : *(at - 1);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!CheckLocal(window) || rect == nullptr) return FALSE;
  *rect = WindowRectOnScreen(window);
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!CheckLocal(window) || rect == nullptr) return FALSE;
  *rect = ClientRectLocal(window);
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  POINT a{0, 0};
  POINT b{0, 0};
  if (from != nullptr) {
    if (!CheckLocal(from)) return 0;
    a = ClientOriginOnScreen(from);
  }
  if (to != nullptr) {
    if (!CheckLocal(to)) return 0;
    b = ClientOriginOnScreen(to);
  }
  int dx = a.x - b.x;
  int dy = a.y - b.y;
  for (UINT i = 0; points != nullptr && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(0);
  return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL ClientToScreen(HWND window, POINT* point) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!CheckLocal(window) || point == nullptr) return FALSE;
  POINT origin = ClientOriginOnScreen(window);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!CheckLocal(window) || point == nullptr) return FALSE;
  POINT origin = ClientOriginOnScreen(window);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

HWND WindowFromPoint(POINT point) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return ShownWindowAt(point, true);
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (!CheckLocal(parent)) return nullptr;
  if (!RectContains(ClientRectLocal(parent), point)) return nullptr;
  POINT origin = ClientOriginOnScreen(parent);
  POINT screen{point.x + origin.x, point.y + origin.y};
  for (HWND child : ChildrenTopFirst(parent))
    if (IsLocalWindow(child) && RectContains(WindowRectOnScreen(child), screen)) return child;
  return parent;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  bool wasDisabled = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!CheckOwn(window)) return FALSE;
    wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
    if (enable) window->style &= ~WS_DISABLED;
    else window->style |= WS_DISABLED;
  }
  CallOwnProcedure(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
  if (!enable) {
    HWND focus = GetFocus();
    bool inside = false;
    {
      std::lock_guard<std::mutex> guard(Manager().lock);
      inside = IsLocalWindow(window) && IsLocalWindow(focus) && IsDescendant(window, focus);
    }
    if (inside) SetFocus(nullptr);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return IsLocalWindow(window) && IsEnabledWindow(window) ? TRUE : FALSE;
}
