// The track bar: range, position, ticks, the thumb under the stylus and
// the keys.
#include "platform/controls/track_bar.h"

#include <algorithm>

#include "platform/controls/control_support.h"
#include "platform/input/virtual_keys.h"

namespace devcontrols {
namespace {

struct TrackState : ControlBase {
  int minimum = 0;
  int maximum = 100;
  int position = 0;
  int ticFrequency = 1;
  int page = -1;  // -1: a fifth of the range
  int line = 1;
  bool dragging = false;
  bool paging = false;
  bool focused = false;
  int keyCode = -1;  // a key moved the thumb: TB_ENDTRACK on its release
};

int ThumbWidth() { return Scaled(10); }

int PageOf(const TrackState& s) { return s.page >= 0 ? s.page : std::max(1, (s.maximum - s.minimum) / 5); }

// The channel's left and right ends, where the thumb's centre goes.
void Channel(HWND window, int* left, int* right) {
  RECT client;
  GetClientRect(window, &client);
  *left = ThumbWidth() / 2 + Scaled(2);
  *right = std::max(*left + 1, static_cast<int>(client.right) - ThumbWidth() / 2 - Scaled(2));
}

int XOf(HWND window, const TrackState& s, int position) {
  int left = 0, right = 0;
  Channel(window, &left, &right);
  int span = std::max(1, s.maximum - s.minimum);
  return left + static_cast<int>(static_cast<long long>(position - s.minimum) * (right - left) / span);
}

int PositionAt(HWND window, const TrackState& s, int x) {
  int left = 0, right = 0;
  Channel(window, &left, &right);
  int span = s.maximum - s.minimum;
  long long position = s.minimum + (static_cast<long long>(x - left) * span + (right - left) / 2) / (right - left);
  return static_cast<int>(std::clamp<long long>(position, s.minimum, s.maximum));
}

RECT ThumbRect(HWND window, const TrackState& s) {
  RECT client;
  GetClientRect(window, &client);
  int x = XOf(window, s, s.position);
  int height = std::min<int>(client.bottom, Scaled(18));
  return RECT{x - ThumbWidth() / 2, Scaled(2), x - ThumbWidth() / 2 + ThumbWidth(), Scaled(2) + height - Scaled(4)};
}

void Tell(HWND window, WORD code, int position) {
  if (HWND parent = GetParent(window))
    SendMessageW(parent, WM_HSCROLL, MAKELONG(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(window));
}

void SetPosition(TrackState& s, int position) {
  position = std::clamp(position, s.minimum, s.maximum);
  if (position == s.position) return;
  s.position = position;
  Repaint(s);
}

void Paint(HWND window, TrackState& s) {
  PaintScope paint(window, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  HBRUSH brush = ParentColours(window, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &client, brush);
  RECT thumb = ThumbRect(window, s);
  int left = 0, right = 0;
  Channel(window, &left, &right);
  int mid = (thumb.top + thumb.bottom) / 2;
  RECT channel{left, mid - Scaled(2), right + 1, mid + Scaled(2)};
  FillSolid(dc, channel, SysColour(COLOR_WINDOW));
  FrameSolid(dc, channel, SysColour(COLOR_BTNSHADOW));
  DWORD style = StyleOf(window);
  COLORREF ink = SysColour(COLOR_WINDOWTEXT);
  if (!(style & TBS_NOTICKS)) {
    int tickTop = thumb.bottom + Scaled(2), tickBottom = tickTop + Scaled(4);
    auto tick = [&](int position) { int x = XOf(window, s, position); FillSolid(dc, RECT{x, tickTop, x + 1, tickBottom}, ink); };
    if (style & TBS_AUTOTICKS) {
      int step = std::max(1, s.ticFrequency);
      for (long long p = s.minimum; p <= s.maximum; p += step) tick(static_cast<int>(p));
    }
    tick(s.minimum);
    tick(s.maximum);
  }
  if (!(style & TBS_NOTHUMB)) {
    FillSolid(dc, thumb, SysColour(s.dragging ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    FrameSolid(dc, thumb, SysColour(COLOR_WINDOWFRAME));
  }
  if (s.focused) {
    RECT focus = client;
    DrawFocusRect(dc, &focus);
  }
}

void KeyMove(HWND window, TrackState& s, UINT key) {
  WORD code = 0;
  int target = s.position;
  switch (key) {
    case VK_LEFT: case VK_UP: code = TB_LINEUP; target -= s.line; break;
    case VK_RIGHT: case VK_DOWN: code = TB_LINEDOWN; target += s.line; break;
    case VK_PRIOR: code = TB_PAGEUP; target -= PageOf(s); break;
    case VK_NEXT: code = TB_PAGEDOWN; target += PageOf(s); break;
    case VK_HOME: code = TB_TOP; target = s.minimum; break;
    case VK_END: code = TB_BOTTOM; target = s.maximum; break;
    default: return;
  }
  SetPosition(s, target);
  s.keyCode = code;
  Tell(window, code, 0);
}

LRESULT TrackProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<TrackState>(window);
  if (message == WM_CREATE) {
    s = new TrackState;
    s->window = window;
    SetStateOf(window, s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) return result;
  auto redraw = [&] { if (wParam) Repaint(*s); };
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
    case TBM_GETPOS: return s->position;
    case TBM_GETRANGEMIN: return s->minimum;
    case TBM_GETRANGEMAX: return s->maximum;
    case TBM_SETPOS:
      s->position = std::clamp(static_cast<int>(lParam), s->minimum, s->maximum);
      redraw();
      return 0;
    case TBM_SETRANGE:
      s->minimum = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam)));
      s->maximum = std::max<int>(s->minimum, static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam))));
      s->position = std::clamp(s->position, s->minimum, s->maximum);
      redraw();
      return 0;
    case TBM_SETRANGEMIN:
      s->minimum = std::min(static_cast<int>(lParam), s->maximum);
      s->position = std::clamp(s->position, s->minimum, s->maximum);
      redraw();
      return 0;
    case TBM_SETRANGEMAX:
      s->maximum = std::max(static_cast<int>(lParam), s->minimum);
      s->position = std::clamp(s->position, s->minimum, s->maximum);
      redraw();
      return 0;
    case TBM_SETTICFREQ:
      s->ticFrequency = std::max(1, static_cast<int>(wParam));
      Repaint(*s);
      return 0;
    case TBM_SETTIC:
    case TBM_CLEARTICS:
      return TRUE;
    case TBM_SETPAGESIZE: {
      int previous = PageOf(*s);
      s->page = std::max(0, static_cast<int>(lParam));
      return previous;
    }
    case TBM_GETPAGESIZE: return PageOf(*s);
    case TBM_SETLINESIZE: {
      int previous = s->line;
      s->line = std::max(0, static_cast<int>(lParam));
      return previous;
    }
    case TBM_GETLINESIZE: return s->line;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != window) SetFocus(window);
      POINT p = PointOf(lParam);
      RECT thumb = ThumbRect(window, *s);
      SetCapture(window);
      if (p.x >= thumb.left && p.x < thumb.right) {
        s->dragging = true;
        Repaint(*s);
      } else {
        s->paging = true;
        bool left = p.x < thumb.left;
        SetPosition(*s, s->position + (left ? -PageOf(*s) : PageOf(*s)));
        Tell(window, left ? TB_PAGEUP : TB_PAGEDOWN, 0);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (s->dragging) {
        int position = PositionAt(window, *s, PointOf(lParam).x);
        if (position != s->position) {
          SetPosition(*s, position);
          Tell(window, TB_THUMBTRACK, position);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (s->dragging || s->paging) {
        s->dragging = s->paging = false;
        ReleaseCapture();
        Repaint(*s);
        Tell(window, TB_ENDTRACK, 0);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window && (s->dragging || s->paging)) {
        s->dragging = s->paging = false;
        Tell(window, TB_ENDTRACK, 0);
      }
      return 0;
    case WM_KEYDOWN:
      KeyMove(window, *s, static_cast<UINT>(wParam));
      return 0;
    case WM_KEYUP:
      if (s->keyCode >= 0) {
        s->keyCode = -1;
        Tell(window, TB_ENDTRACK, 0);
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s->focused = message == WM_SETFOCUS;
      Repaint(*s);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterTrackBarClass() { return RegisterControlClass(u"msctls_trackbar32", TrackProc); }

}  // namespace devcontrols
