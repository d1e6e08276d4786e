// DrawingSurface: a window of the surface's own class, for surfaces that
// are not bound to a window of the application (SetWindow). Its procedure
// hands the messages to the surface: sizes arrange the children, focus
// changes save and restore the focused element, paints redraw the update
// rectangle, and stylus messages become pointer events.
#include "layout/drawing/drawing_surface.h"
#include "platform/modules/modules.h"
#include "platform/shell/os_version.h"
#include "platform/windows/messages.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

constexpr WCHAR kClassName[] = u"CorvellineDrawingSurface";
constexpr UINT kClassStyle = 0x800;
constexpr UINT kClassStyleAbove50 = 0x20000;
constexpr DWORD kDisabledStyle = 0x08000000;

Point PointOf(LPARAM lParam) {
  return Point{static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))),
               static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
}

bool PlatformAbove50() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExW(&info) && (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion > 0));
}

}  // namespace

bool DrawingSurface::CreateSurfaceWindow(bool popup, HWND parent, const Rect& rect, bool flag) {
  WNDCLASSW windowClass{};
  windowClass.style = kClassStyle | (PlatformAbove50() ? kClassStyleAbove50 : 0);
  windowClass.lpfnWndProc = &DrawingSurface::SurfaceWindowProcedure;
  windowClass.cbWndExtra = 32;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  WNDCLASSW existing{};
  if (!GetClassInfoW(windowClass.hInstance, kClassName, &existing) && RegisterClassW(&windowClass) == 0) return false;

  if (ownsWindow_ && window_ != nullptr) {
    HWND old = window_;
    window_ = nullptr;
    DestroyWindow(old);
  }
  ownsWindow_ = 0;
  Rect placed = rect;
  Rect work;
  if (GetWorkArea(&work)) Rect::Intersect(placed, work, &placed);
  DWORD style = (popup ? WS_POPUP : WS_CHILD) | (flag ? kDisabledStyle : 0);
  HWND window = CreateWindowExW(0, kClassName, u"", style, placed.x, placed.y, placed.width, placed.height, parent,
                                nullptr, windowClass.hInstance, this);
  if (window == nullptr) return false;
  ownsWindow_ = 1;
  return true;
}

LRESULT DrawingSurface::SurfaceWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    DrawingSurface* surface = static_cast<DrawingSurface*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(surface));
    if (surface != nullptr) {
      surface->SetWindow(window);
      surface->windowFlag_ = 0;
    }
    return 0;
  }
  DrawingSurface* surface = reinterpret_cast<DrawingSurface*>(GetWindowLongPtrW(window, GWL_USERDATA));
  if (message == WM_DESTROY) {
    if (surface != nullptr && surface->window_ == window) {
      surface->window_ = nullptr;
      surface->ownsWindow_ = 0;
    }
    SetWindowLongPtrW(window, GWL_USERDATA, 0);
    return 0;
  }
  if (surface == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE: {
      Rect remaining;
      surface->Arrange(&remaining, Rect{0, 0, LOWORD(static_cast<uintptr_t>(lParam)),
                                        HIWORD(static_cast<uintptr_t>(lParam))});
      return 0;
    }
    case WM_SETFOCUS:
      surface->RestoreFocus(nullptr);
      return 0;
    case WM_KILLFOCUS:
      surface->SaveAndClearFocus();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window, &paint);
      surface->BeginBackBuffer(dc);
      Rect update;
      RectFromEdges(&update, paint.rcPaint);
      surface->Redraw(&update);
      surface->EndBackBuffer();
      EndPaint(window, &paint);
      return 0;
    }
    case WM_MOUSEMOVE:
      surface->SendPointerMove(static_cast<uint32_t>(wParam) & 1, PointOf(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      surface->SendPointerDown(PointOf(lParam));
      return 0;
    case WM_LBUTTONUP:
      surface->SendPointerUp(PointOf(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) surface->OnCaptureChanged(false);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}
