// The static control: a label or an icon, and STN_CLICKED for SS_NOTIFY.
#include "platform/controls/static_control.h"

#include "platform/controls/control_support.h"
#include "platform/resources/resources.h"

namespace devcontrols {
namespace {

struct StaticState : ControlBase {
  HICON icon = nullptr;
  bool pressed = false;
};

void Paint(HWND window, StaticState& s) {
  PaintScope paint(window, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  HBRUSH brush = ParentColours(window, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &client, brush);
  DWORD style = StyleOf(window);
  DWORD type = style & SS_TYPEMASK;
  if (type == SS_ICON || type == SS_BITMAP) {
    if (s.icon) {
      ICONINFO info{};
      int size = GetSystemMetrics(SM_CXSMICON);
      if (GetIconInfo(s.icon, &info)) {
        BITMAP bm{};
        if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bm), &bm)) size = bm.bmWidth;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
      }
      int x = 0, y = 0;
      if (style & SS_CENTERIMAGE) {
        x = (client.right - size) / 2;
        y = (client.bottom - size) / 2;
      }
      DrawIconEx(dc, x, y, s.icon, size, size, 0, nullptr, DI_NORMAL);
    }
    return;
  }
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)), u'\0');
  if (!text.empty()) GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
  UINT format = DT_WORDBREAK;
  if (type == SS_CENTER) format = DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT) format = DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_LEFTNOWORDWRAP) format = DT_SINGLELINE;
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (!IsEnabled(window)) SetTextColor(dc, SysColour(COLOR_GRAYTEXT));
  DrawTextIn(dc, text, client, format);
}

LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<StaticState>(window);
  if (message == WM_CREATE) {
    s = new StaticState;
    s->window = window;
    SetStateOf(window, s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_NCDESTROY:
      SetStateOf(window, nullptr);
      delete s;
      return 0;
    case WM_PAINT:
      Paint(window, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT: {
      LRESULT done = DefWindowProcW(window, message, wParam, lParam);
      Repaint(*s);
      return done;
    }
    case STM_SETICON:
    case STM_SETIMAGE: {
      HICON previous = s->icon;
      s->icon = reinterpret_cast<HICON>(message == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
      Repaint(*s);
      return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETICON:
    case STM_GETIMAGE:
      return reinterpret_cast<LRESULT>(s->icon);
    case WM_STYLECHANGED:
      Repaint(*s);
      return 0;
    case WM_LBUTTONDOWN:
      if (StyleOf(window) & SS_NOTIFY) {
        s->pressed = true;
        SetCapture(window);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!s->pressed) return 0;
      s->pressed = false;
      ReleaseCapture();
      POINT p = PointOf(lParam);
      RECT client;
      GetClientRect(window, &client);
      if (PtInRect(&client, p)) CommandParent(window, STN_CLICKED);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (StyleOf(window) & SS_NOTIFY) CommandParent(window, STN_DBLCLK);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterStaticClass() { return RegisterControlClass(u"STATIC", StaticProc); }

}  // namespace devcontrols
