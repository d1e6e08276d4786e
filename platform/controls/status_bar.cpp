// The status window: parts, texts, simple mode and its place at the
// bottom of its parent.
#include "platform/controls/status_bar.h"

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"

namespace devcontrols {
namespace {

struct StatusPart {
  int right = -1;
  std::u16string text;
  WPARAM flags = 0;
};

struct StatusState : ControlBase {
  std::vector<StatusPart> parts{StatusPart{}};
  StatusPart simple;
  bool simpleMode = false;
  int minHeight = 0;
};

int BarHeight(const StatusState& s) {
  return std::max(s.minHeight, LineHeight(FontOf(s)) + 2 * kStatusBorderVertical + Scaled(2));
}

void Place(HWND window, StatusState& s) {
  HWND parent = GetParent(window);
  if (parent == nullptr) return;
  RECT area;
  GetClientRect(parent, &area);
  int height = BarHeight(s);
  SetWindowPos(window, nullptr, 0, area.bottom - height, area.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PartRect(HWND window, const StatusState& s, int part, RECT* out) {
  RECT client;
  GetClientRect(window, &client);
  if (s.simpleMode) {
    if (part != 0 && part != static_cast<int>(SB_SIMPLEID)) return false;
    *out = RECT{client.left + kStatusBorderHorizontal, kStatusBorderVertical, client.right - kStatusBorderHorizontal,
                client.bottom - kStatusBorderVertical};
    return true;
  }
  if (part < 0 || part >= static_cast<int>(s.parts.size())) return false;
  int left = kStatusBorderHorizontal;
  for (int i = 0; i < part; ++i) {
    int right = s.parts[static_cast<size_t>(i)].right;
    left = (right < 0 ? client.right : right) + kStatusBorderBetween;
  }
  int right = s.parts[static_cast<size_t>(part)].right;
  *out = RECT{left, kStatusBorderVertical, right < 0 ? client.right - kStatusBorderHorizontal : right,
              client.bottom - kStatusBorderVertical};
  return true;
}

void Paint(HWND window, StatusState& s) {
  PaintScope paint(window, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  FillSolid(dc, client, SysColour(COLOR_BTNFACE));
  FillSolid(dc, RECT{0, 0, client.right, 1}, SysColour(COLOR_BTNSHADOW));
  SetTextColor(dc, SysColour(COLOR_BTNTEXT));
  auto draw = [&](const StatusPart& part, RECT r) {
    if (!(part.flags & SBT_NOBORDERS)) FrameSolid(dc, r, SysColour(COLOR_BTNSHADOW));
    RECT text{r.left + Scaled(2), r.top, r.right - Scaled(2), r.bottom};
    DrawTextIn(dc, part.text, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  };
  if (s.simpleMode) {
    RECT r;
    PartRect(window, s, 0, &r);
    draw(s.simple, r);
    return;
  }
  for (size_t i = 0; i < s.parts.size(); ++i) {
    RECT r;
    if (PartRect(window, s, static_cast<int>(i), &r)) draw(s.parts[i], r);
  }
}

LRESULT StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<StatusState>(window);
  if (message == WM_CREATE) {
    s = new StatusState;
    s->window = window;
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    if (create && create->lpszName && !IsIntAtom(create->lpszName)) s->parts[0].text = create->lpszName;
    SetStateOf(window, s);
    Place(window, *s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) {
    if (message == WM_SETFONT) Place(window, *s);
    return result;
  }
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
      Place(window, *s);
      Repaint(*s);
      return 0;
    case WM_SETTEXT:
      s->parts[0].text = TextFrom(reinterpret_cast<LPCWSTR>(lParam));
      Repaint(*s);
      return TRUE;
    case WM_GETTEXT:
      return CopyTextOut(s->parts[0].text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(s->parts[0].text.size());
    case SB_SETPARTS: {
      const int* rights = reinterpret_cast<const int*>(lParam);
      int count = static_cast<int>(wParam);
      if (rights == nullptr || count <= 0 || count > kStatusBarMaxParts) return FALSE;
      s->parts.resize(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i) s->parts[static_cast<size_t>(i)].right = rights[i];
      Repaint(*s);
      return TRUE;
    }
    case SB_GETPARTS: {
      int* rights = reinterpret_cast<int*>(lParam);
      for (size_t i = 0; rights && i < s->parts.size() && i < static_cast<size_t>(wParam); ++i) rights[i] = s->parts[i].right;
      return static_cast<LRESULT>(s->parts.size());
    }
    case SB_SETTEXTW: {
      int part = static_cast<int>(wParam & 0xFF);
      WPARAM flags = wParam & 0xFF00;
      StatusPart* target = part == static_cast<int>(SB_SIMPLEID) ? &s->simple
                           : part < static_cast<int>(s->parts.size()) ? &s->parts[static_cast<size_t>(part)] : nullptr;
      if (target == nullptr) return FALSE;
      target->text = TextFrom(reinterpret_cast<LPCWSTR>(lParam));
      target->flags = flags;
      Repaint(*s);
      return TRUE;
    }
    case SB_GETTEXTW:
    case SB_GETTEXTLENGTHW: {
      int part = static_cast<int>(wParam);
      const StatusPart* source = part == static_cast<int>(SB_SIMPLEID) ? &s->simple
                                 : part < static_cast<int>(s->parts.size()) ? &s->parts[static_cast<size_t>(part)] : nullptr;
      if (source == nullptr) return 0;
      if (message == SB_GETTEXTW) CopyTextOut(source->text, reinterpret_cast<LPWSTR>(lParam), 0x7FFFFFFF);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(source->text.size()), static_cast<WORD>(source->flags)));
    }
    case SB_SIMPLE:
      s->simpleMode = wParam != 0;
      Repaint(*s);
      return 0;
    case SB_ISSIMPLE:
      return s->simpleMode ? TRUE : FALSE;
    case SB_GETBORDERS: {
      int* borders = reinterpret_cast<int*>(lParam);
      if (borders == nullptr) return FALSE;
      borders[0] = kStatusBorderHorizontal;
      borders[1] = kStatusBorderVertical;
      borders[2] = kStatusBorderBetween;
      return TRUE;
    }
    case SB_GETRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && PartRect(window, *s, static_cast<int>(wParam), rect) ? TRUE : FALSE;
    }
    case SB_SETMINHEIGHT:
      s->minHeight = static_cast<int>(wParam);
      Place(window, *s);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterStatusBarClass() { return RegisterControlClass(u"msctls_statusbar32", StatusProc); }

}  // namespace devcontrols

HWND CreateStatusWindowW(LONG style, LPCWSTR text, HWND parent, UINT id) {
  return CreateWindowExW(0, u"msctls_statusbar32", text, static_cast<DWORD>(style), 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
}

#ifdef TESSALYN_TEST_HOOKS
#include "platform/controls/control_hooks.h"

namespace devtest {
namespace {

devcontrols::StatusState* StatusStateOf(HWND bar) {
  WCHAR name[32] = {};
  if (!IsWindow(bar) || GetClassNameW(bar, name, 32) == 0 || std::u16string(name) != u"msctls_statusbar32") return nullptr;
  return devcontrols::StateOf<devcontrols::StatusState>(bar);
}

}  // namespace

std::vector<StatusPartInfo> StatusPartsOf(HWND statusBar) {
  std::vector<StatusPartInfo> parts;
  auto* s = StatusStateOf(statusBar);
  if (s == nullptr) return parts;
  for (const auto& part : s->parts) parts.push_back({part.right, part.text, (part.flags & SBT_NOBORDERS) != 0});
  return parts;
}

bool StatusBarSimple(HWND statusBar) {
  auto* s = StatusStateOf(statusBar);
  return s && s->simpleMode;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
