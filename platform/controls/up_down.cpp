// The up-down control: arrows, position, range, buddy and the
// notifications of each step.
#include "platform/controls/up_down.h"

#include <algorithm>
#include <string>

#include "platform/controls/control_support.h"
#include "platform/input/virtual_keys.h"

namespace devcontrols {
namespace {

struct UpDownState : ControlBase {
  int minimum = 0;
  int maximum = 100;
  int position = 0;
  HWND buddy = nullptr;
  int pressed = 0;  // the delta of the arrow held down, 0 for none
};

bool Horizontal(HWND window) { return (StyleOf(window) & UDS_HORZ) != 0; }

// The arrow giving +1 and the one giving -1.
void Arrows(HWND window, RECT* plus, RECT* minus) {
  RECT client;
  GetClientRect(window, &client);
  if (Horizontal(window)) {
    int mid = client.right / 2;
    *minus = RECT{0, 0, mid, client.bottom};
    *plus = RECT{mid, 0, client.right, client.bottom};
  } else {
    int mid = client.bottom / 2;
    *plus = RECT{0, 0, client.right, mid};
    *minus = RECT{0, mid, client.right, client.bottom};
  }
}

void UpdateBuddy(HWND window, const UpDownState& s) {
  if (!(StyleOf(window) & UDS_SETBUDDYINT) || !IsWindow(s.buddy)) return;
  std::string digits = std::to_string(s.position);
  std::u16string text(digits.begin(), digits.end());
  SetWindowTextW(s.buddy, text.c_str());
}

void Step(HWND window, UpDownState& s, int delta) {
  NMUPDOWN notice{};
  notice.iPos = s.position;
  notice.iDelta = delta;
  if (NotifyParent(window, &notice.hdr, UDN_DELTAPOS) != 0 || !IsWindow(window)) return;
  int low = std::min(s.minimum, s.maximum), high = std::max(s.minimum, s.maximum);
  long long target = static_cast<long long>(s.position) + notice.iDelta;
  if (StyleOf(window) & UDS_WRAP) {
    if (target > high) target = low;
    else if (target < low) target = high;
  }
  s.position = static_cast<int>(std::clamp<long long>(target, low, high));
  Repaint(s);
  UpdateBuddy(window, s);
  if (HWND parent = GetParent(window))
    SendMessageW(parent, Horizontal(window) ? WM_HSCROLL : WM_VSCROLL,
                 MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(s.position)), reinterpret_cast<LPARAM>(window));
}

void Paint(HWND window, UpDownState& s) {
  PaintScope paint(window, FontOf(s));
  HDC dc = paint.dc();
  RECT plus, minus;
  Arrows(window, &plus, &minus);
  COLORREF ink = SysColour(IsEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (const RECT* cell : {&plus, &minus}) {
    bool down = (cell == &plus && s.pressed > 0) || (cell == &minus && s.pressed < 0);
    FillSolid(dc, *cell, SysColour(down ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    FrameSolid(dc, *cell, SysColour(COLOR_WINDOWFRAME));
  }
  bool horizontal = Horizontal(window);
  DrawArrow(dc, plus, horizontal ? Arrow::Right : Arrow::Up, s.pressed > 0 ? SysColour(COLOR_HIGHLIGHTTEXT) : ink);
  DrawArrow(dc, minus, horizontal ? Arrow::Left : Arrow::Down, s.pressed < 0 ? SysColour(COLOR_HIGHLIGHTTEXT) : ink);
}

LRESULT UpDownProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<UpDownState>(window);
  if (message == WM_CREATE) {
    s = new UpDownState;
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
    case WM_SIZE:
    case WM_STYLECHANGED:
      Repaint(*s);
      return 0;
    case UDM_SETRANGE32:
      s->minimum = static_cast<int>(static_cast<intptr_t>(wParam));
      s->maximum = static_cast<int>(lParam);
      s->position = std::clamp(s->position, std::min(s->minimum, s->maximum), std::max(s->minimum, s->maximum));
      return 0;
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = s->minimum;
      if (lParam) *reinterpret_cast<int*>(lParam) = s->maximum;
      return 0;
    case UDM_SETPOS32: {
      int previous = s->position;
      s->position = std::clamp(static_cast<int>(lParam), std::min(s->minimum, s->maximum), std::max(s->minimum, s->maximum));
      UpdateBuddy(window, *s);
      return previous;
    }
    case UDM_GETPOS32:
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = FALSE;
      return s->position;
    case UDM_SETBUDDY: {
      HWND previous = s->buddy;
      s->buddy = reinterpret_cast<HWND>(wParam);
      UpdateBuddy(window, *s);
      return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(s->buddy);
    case WM_LBUTTONDOWN: {
      POINT p = PointOf(lParam);
      RECT plus, minus;
      Arrows(window, &plus, &minus);
      int delta = PtInRect(&plus, p) ? kUpDownUpDelta : PtInRect(&minus, p) ? kUpDownDownDelta : 0;
      if (delta == 0) return 0;
      s->pressed = delta;
      SetCapture(window);
      Step(window, *s, delta);
      return 0;
    }
    case WM_LBUTTONUP:
      if (s->pressed != 0) {
        s->pressed = 0;
        ReleaseCapture();
        Repaint(*s);
        if (HWND parent = GetParent(window))
          SendMessageW(parent, Horizontal(window) ? WM_HSCROLL : WM_VSCROLL,
                       MAKELONG(SB_ENDSCROLL, static_cast<WORD>(s->position)), reinterpret_cast<LPARAM>(window));
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) s->pressed = 0;
      return 0;
    case WM_KEYDOWN: {
      bool horizontal = Horizontal(window);
      UINT up = horizontal ? VK_RIGHT : VK_UP, down = horizontal ? VK_LEFT : VK_DOWN;
      if (wParam == up) Step(window, *s, kUpDownUpDelta);
      else if (wParam == down) Step(window, *s, kUpDownDownDelta);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterUpDownClass() { return RegisterControlClass(u"msctls_updown32", UpDownProc); }

}  // namespace devcontrols
