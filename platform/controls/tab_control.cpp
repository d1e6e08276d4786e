// The tab control: tabs, the selection with its notifications, and the
// display area, along the top or the bottom as the style says now.
#include "platform/controls/tab_control.h"

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/input/virtual_keys.h"

namespace devcontrols {
namespace {

struct Tab {
  std::u16string text;
  int image = -1;
  LPARAM data = 0;
};

struct TabState : ControlBase {
  std::vector<Tab> tabs;
  int current = -1;
  bool focused = false;
};

bool Bottom(HWND window) { return (StyleOf(window) & TCS_BOTTOM) != 0; }
int TabHeight(const TabState& s) { return LineHeight(FontOf(s)) + Scaled(6); }

std::vector<RECT> Layout(HWND window, const TabState& s) {
  RECT client;
  GetClientRect(window, &client);
  MeasureScope measure(FontOf(s));
  int height = TabHeight(s);
  int top = Bottom(window) ? client.bottom - height : 0;
  std::vector<RECT> rects;
  int x = Scaled(2);
  for (const Tab& tab : s.tabs) {
    int width = TextWidth(measure.dc(), tab.text) + Scaled(12);
    rects.push_back(RECT{x, top, x + width, top + height});
    x += width;
  }
  return rects;
}

RECT DisplayArea(HWND window, const TabState& s, RECT r) {
  int height = TabHeight(s);
  if (Bottom(window)) r.bottom -= height;
  else r.top += height;
  InflateRect(&r, -Scaled(2), -Scaled(2));
  return r;
}

void Paint(HWND window, TabState& s) {
  PaintScope paint(window, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  HBRUSH brush = ParentColours(window, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &client, brush);
  bool bottom = Bottom(window);
  int height = TabHeight(s);
  RECT body = client;
  if (bottom) body.bottom -= height - 1;
  else body.top += height - 1;
  COLORREF frame = SysColour(COLOR_WINDOWFRAME);
  FrameSolid(dc, body, frame);
  std::vector<RECT> rects = Layout(window, s);
  for (size_t i = 0; i < rects.size(); ++i) {
    RECT tab = rects[i];
    bool chosen = static_cast<int>(i) == s.current;
    if (!chosen) {
      if (bottom) tab.bottom -= Scaled(2);
      else tab.top += Scaled(2);
    }
    FillSolid(dc, tab, SysColour(chosen ? COLOR_WINDOW : COLOR_BTNFACE));
    FrameSolid(dc, tab, frame);
    if (chosen)  // the chosen tab opens into the display area
      FillSolid(dc, bottom ? RECT{tab.left + 1, tab.top, tab.right - 1, tab.top + 1}
                           : RECT{tab.left + 1, tab.bottom - 1, tab.right - 1, tab.bottom},
                SysColour(COLOR_WINDOW));
    SetTextColor(dc, SysColour(COLOR_BTNTEXT));
    DrawTextIn(dc, s.tabs[i].text, tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (chosen && s.focused) {
      RECT focus = tab;
      InflateRect(&focus, -Scaled(2), -Scaled(2));
      DrawFocusRect(dc, &focus);
    }
  }
}

void Choose(HWND window, TabState& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.tabs.size()) || index == s.current) return;
  NMHDR notice{};
  if (NotifyParent(window, &notice, TCN_SELCHANGING) != 0 || !IsWindow(window)) return;
  s.current = index;
  Repaint(s);
  NMHDR changed{};
  NotifyParent(window, &changed, TCN_SELCHANGE);
}

bool ReadItem(const TCITEMW* item, Tab* tab) {
  if (item == nullptr) return false;
  if (item->mask & TCIF_TEXT) tab->text = TextFrom(item->pszText);
  if (item->mask & TCIF_IMAGE) tab->image = item->iImage;
  if (item->mask & TCIF_PARAM) tab->data = item->lParam;
  return true;
}

LRESULT TabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<TabState>(window);
  if (message == WM_CREATE) {
    s = new TabState;
    s->window = window;
    SetStateOf(window, s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) return result;
  int n = static_cast<int>(s->tabs.size());
  int index = static_cast<int>(static_cast<intptr_t>(wParam));
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
    case TCM_INSERTITEMW: {
      Tab tab;
      if (!ReadItem(reinterpret_cast<const TCITEMW*>(lParam), &tab) || index < 0) return -1;
      index = std::min(index, n);
      s->tabs.insert(s->tabs.begin() + index, tab);
      if (s->current >= index) ++s->current;
      if (s->current < 0) s->current = 0;
      Repaint(*s);
      return index;
    }
    case TCM_SETITEMW:
      if (index < 0 || index >= n) return FALSE;
      ReadItem(reinterpret_cast<const TCITEMW*>(lParam), &s->tabs[static_cast<size_t>(index)]);
      Repaint(*s);
      return TRUE;
    case TCM_GETITEMW: {
      auto* item = reinterpret_cast<TCITEMW*>(lParam);
      if (item == nullptr || index < 0 || index >= n) return FALSE;
      const Tab& tab = s->tabs[static_cast<size_t>(index)];
      if (item->mask & TCIF_TEXT) CopyTextOut(tab.text, item->pszText, item->cchTextMax);
      if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
      if (item->mask & TCIF_PARAM) item->lParam = tab.data;
      return TRUE;
    }
    case TCM_DELETEITEM:
      if (index < 0 || index >= n) return FALSE;
      s->tabs.erase(s->tabs.begin() + index);
      if (s->current == index) s->current = s->tabs.empty() ? -1 : std::min(index, n - 2);
      else if (s->current > index) --s->current;
      Repaint(*s);
      return TRUE;
    case TCM_DELETEALLITEMS:
      s->tabs.clear();
      s->current = -1;
      Repaint(*s);
      return TRUE;
    case TCM_GETITEMCOUNT: return n;
    case TCM_GETCURSEL:
    case TCM_GETCURFOCUS:
      return s->current;
    case TCM_SETCURSEL: {
      int previous = s->current;
      if (index < 0 || index >= n) return -1;
      s->current = index;
      Repaint(*s);
      return previous;
    }
    case TCM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (rect == nullptr || index < 0 || index >= n) return FALSE;
      *rect = Layout(window, *s)[static_cast<size_t>(index)];
      return TRUE;
    }
    case TCM_ADJUSTRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (rect == nullptr) return 0;
      if (wParam) {
        int height = TabHeight(*s);
        InflateRect(rect, Scaled(2), Scaled(2));
        if (Bottom(window)) rect->bottom += height;
        else rect->top -= height;
      } else {
        *rect = DisplayArea(window, *s, *rect);
      }
      return 0;
    }
    case TCM_SETIMAGELIST:
    case TCM_GETIMAGELIST:
      return 0;
    case WM_LBUTTONDOWN: {
      if (!(StyleOf(window) & TCS_FOCUSNEVER) && GetFocus() != window) SetFocus(window);
      POINT p = PointOf(lParam);
      std::vector<RECT> rects = Layout(window, *s);
      for (size_t i = 0; i < rects.size(); ++i)
        if (PtInRect(&rects[i], p)) Choose(window, *s, static_cast<int>(i));
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_LEFT) Choose(window, *s, s->current - 1);
      else if (wParam == VK_RIGHT) Choose(window, *s, s->current + 1);
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

bool RegisterTabControlClass() { return RegisterControlClass(u"SysTabControl32", TabProc); }

}  // namespace devcontrols
