// The drop-down list combo box and its pop-up list.
#include "platform/controls/combo_box.h"

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/input/virtual_keys.h"

namespace devcontrols {
namespace {

struct ComboEntry {
  std::u16string text;
  LPARAM data = 0;
};

struct ComboState : ControlBase {
  std::vector<ComboEntry> entries;
  int current = -1;
  bool focused = false;
  HWND popup = nullptr;
  int highlight = -1;  // in the open list
  int listTop = 0;
  bool popupSawDown = false;
};

int EntryHeight(const ComboState& s) { return LineHeight(FontOf(s)) + Scaled(2); }

std::u16string Fold(std::u16string text) {
  for (auto& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return text;
}

int Find(const ComboState& s, int after, LPCWSTR text, bool exact) {
  std::u16string wanted = Fold(TextFrom(text));
  int n = static_cast<int>(s.entries.size());
  if (n == 0) return static_cast<int>(CB_ERR);
  int start = (after < -1 || after >= n) ? -1 : after;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    std::u16string entry = Fold(s.entries[static_cast<size_t>(i)].text);
    if (exact ? entry == wanted : entry.compare(0, wanted.size(), wanted) == 0) return i;
  }
  return static_cast<int>(CB_ERR);
}

void PaintBox(HWND window, ComboState& s) {
  PaintBorder(window);
  PaintScope paint(window, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  HBRUSH brush = ParentColours(window, dc, WM_CTLCOLOREDIT);
  FillRect(dc, &client, brush);
  int button = GetSystemMetrics(SM_CXVSCROLL);
  RECT arrow{client.right - button, client.top, client.right, client.bottom};
  FillSolid(dc, arrow, SysColour(COLOR_BTNFACE));
  FillSolid(dc, RECT{arrow.left, arrow.top, arrow.left + 1, arrow.bottom}, SysColour(COLOR_WINDOWFRAME));
  DrawArrow(dc, arrow, Arrow::Down, SysColour(IsEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT text{client.left + Scaled(2), client.top + 1, arrow.left - 1, client.bottom - 1};
  if (s.focused) {
    FillSolid(dc, text, SysColour(COLOR_HIGHLIGHT));
    SetTextColor(dc, SysColour(COLOR_HIGHLIGHTTEXT));
  }
  if (!IsEnabled(window)) SetTextColor(dc, SysColour(COLOR_GRAYTEXT));
  if (s.current >= 0 && s.current < static_cast<int>(s.entries.size())) {
    RECT inner{text.left + Scaled(2), text.top, text.right, text.bottom};
    DrawTextIn(dc, s.entries[static_cast<size_t>(s.current)].text, inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

void CloseUp(HWND window, ComboState& s, int choice) {
  if (s.popup == nullptr) return;
  HWND popup = s.popup;
  s.popup = nullptr;
  if (GetCapture() == popup) ReleaseCapture();
  DestroyWindow(popup);
  if (choice >= 0 && choice < static_cast<int>(s.entries.size()) && choice != s.current) {
    s.current = choice;
    Repaint(s);
    CommandParent(window, CBN_SELCHANGE);
  }
  CommandParent(window, CBN_CLOSEUP);
}

void DropDown(HWND window, ComboState& s) {
  if (s.popup) return;
  CommandParent(window, CBN_DROPDOWN);
  if (!IsWindow(window) || s.popup) return;
  RECT box;
  GetWindowRect(window, &box);
  int shown = std::clamp(static_cast<int>(s.entries.size()), 1, kComboVisibleEntries);
  int height = shown * EntryHeight(s) + 2;
  int y = box.bottom;
  if (y + height > GetSystemMetrics(SM_CYSCREEN) && box.top - height >= 0) y = box.top - height;
  HWND top = window;
  while (GetParent(top) && (GetWindowLongW(top, GWL_STYLE) & WS_CHILD)) top = GetParent(top);
  HWND popup = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"ComboLBox", u"", WS_POPUP | WS_BORDER, box.left, y,
                               box.right - box.left, height, top, nullptr, nullptr, nullptr);
  if (popup == nullptr) return;
  SetWindowLongPtrW(popup, 0, reinterpret_cast<LONG_PTR>(window));
  s.popup = popup;
  s.highlight = s.current;
  s.listTop = std::clamp(s.current - shown + 1, 0, std::max(0, static_cast<int>(s.entries.size()) - shown));
  s.popupSawDown = false;
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  SetCapture(popup);
}

void PaintPopup(HWND popup, ComboState& s) {
  PaintBorder(popup);
  PaintScope paint(popup, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(popup, &client);
  FillSolid(dc, client, SysColour(COLOR_WINDOW));
  int height = EntryHeight(s);
  for (int i = s.listTop; i < static_cast<int>(s.entries.size()); ++i) {
    int y = (i - s.listTop) * height;
    if (y >= client.bottom) break;
    RECT row{0, y, client.right, y + height};
    bool lit = i == s.highlight;
    if (lit) FillSolid(dc, row, SysColour(COLOR_HIGHLIGHT));
    SetTextColor(dc, SysColour(lit ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text{row.left + Scaled(4), row.top, row.right, row.bottom};
    DrawTextIn(dc, s.entries[static_cast<size_t>(i)].text, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

int EntryAt(HWND popup, const ComboState& s, POINT p) {
  RECT client;
  GetClientRect(popup, &client);
  if (!PtInRect(&client, p)) return -1;
  int i = s.listTop + p.y / EntryHeight(s);
  return i < static_cast<int>(s.entries.size()) ? i : -1;
}

LRESULT PopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND combo = reinterpret_cast<HWND>(GetWindowLongPtrW(popup, 0));
  ComboState* s = combo ? StateOf<ComboState>(combo) : nullptr;
  if (s == nullptr || s->popup != popup) return DefWindowProcW(popup, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      PaintPopup(popup, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN: {
      POINT p = PointOf(lParam);
      int entry = EntryAt(popup, *s, p);
      RECT client;
      GetClientRect(popup, &client);
      if (!PtInRect(&client, p)) {
        CloseUp(combo, *s, -1);  // a tap outside
        return 0;
      }
      s->popupSawDown = true;
      if (entry >= 0 && entry != s->highlight) {
        s->highlight = entry;
        InvalidateRect(popup, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (s->popupSawDown) {
        int entry = EntryAt(popup, *s, PointOf(lParam));
        if (entry >= 0 && entry != s->highlight) {
          s->highlight = entry;
          InvalidateRect(popup, nullptr, FALSE);
        }
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!s->popupSawDown) return 0;  // the release of the tap that opened the list
      int entry = EntryAt(popup, *s, PointOf(lParam));
      CloseUp(combo, *s, entry);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != popup && s->popup == popup) CloseUp(combo, *s, -1);
      return 0;
    default:
      return DefWindowProcW(popup, message, wParam, lParam);
  }
}

void MoveHighlight(ComboState& s, int to) {
  int n = static_cast<int>(s.entries.size());
  if (n == 0) return;
  s.highlight = std::clamp(to, 0, n - 1);
  if (s.highlight < s.listTop) s.listTop = s.highlight;
  if (s.highlight >= s.listTop + kComboVisibleEntries) s.listTop = s.highlight - kComboVisibleEntries + 1;
  InvalidateRect(s.popup, nullptr, FALSE);
}

void KeyDown(HWND window, ComboState& s, UINT key) {
  int n = static_cast<int>(s.entries.size());
  if (s.popup) {
    switch (key) {
      case VK_UP: MoveHighlight(s, s.highlight - 1); break;
      case VK_DOWN: MoveHighlight(s, s.highlight + 1); break;
      case VK_RETURN: CloseUp(window, s, s.highlight); break;
      case VK_ESCAPE: CloseUp(window, s, -1); break;
      default: break;
    }
    return;
  }
  if (key == VK_RETURN || key == VK_F4) {
    DropDown(window, s);
    return;
  }
  if ((key != VK_UP && key != VK_DOWN) || n == 0) return;
  int next = std::clamp(s.current + (key == VK_UP ? -1 : 1), 0, n - 1);
  if (s.current < 0) next = 0;
  if (next == s.current) return;
  s.current = next;
  Repaint(s);
  CommandParent(window, CBN_SELCHANGE);
}

LRESULT Insert(ComboState& s, int index, LPCWSTR text) {
  if (index < 0 || index > static_cast<int>(s.entries.size())) {
    if (index != -1) return CB_ERR;
    index = static_cast<int>(s.entries.size());
  }
  s.entries.insert(s.entries.begin() + index, ComboEntry{TextFrom(text), 0});
  if (s.current >= index) ++s.current;
  if (s.popup) InvalidateRect(s.popup, nullptr, FALSE);
  return index;
}

LRESULT ComboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<ComboState>(window);
  if (message == WM_CREATE) {
    s = new ComboState;
    s->window = window;
    SetStateOf(window, s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) return result;
  int n = static_cast<int>(s->entries.size());
  int index = static_cast<int>(static_cast<intptr_t>(wParam));
  switch (message) {
    case WM_DESTROY:
      if (s->popup) {
        HWND popup = s->popup;
        s->popup = nullptr;
        DestroyWindow(popup);
      }
      return 0;
    case WM_NCDESTROY:
      SetStateOf(window, nullptr);
      delete s;
      return 0;
    case WM_PAINT:
      PaintBox(window, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_STYLECHANGED:
      Repaint(*s);
      return 0;
    case WM_GETTEXT:
      return CopyTextOut(s->current >= 0 ? s->entries[static_cast<size_t>(s->current)].text : std::u16string(),
                         reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return s->current >= 0 ? static_cast<LRESULT>(s->entries[static_cast<size_t>(s->current)].text.size()) : 0;
    case CB_ADDSTRING: {
      int at = n;
      if (StyleOf(window) & CBS_SORT) {
        std::u16string text = Fold(TextFrom(reinterpret_cast<LPCWSTR>(lParam)));
        at = 0;
        while (at < n && Fold(s->entries[static_cast<size_t>(at)].text) <= text) ++at;
      }
      return Insert(*s, at, reinterpret_cast<LPCWSTR>(lParam));
    }
    case CB_INSERTSTRING:
      return Insert(*s, index, reinterpret_cast<LPCWSTR>(lParam));
    case CB_DELETESTRING:
      if (index < 0 || index >= n) return CB_ERR;
      s->entries.erase(s->entries.begin() + index);
      if (s->current == index) s->current = -1;
      else if (s->current > index) --s->current;
      Repaint(*s);
      if (s->popup) InvalidateRect(s->popup, nullptr, FALSE);
      return n - 1;
    case CB_RESETCONTENT:
      s->entries.clear();
      s->current = -1;
      s->highlight = -1;
      s->listTop = 0;
      Repaint(*s);
      if (s->popup) InvalidateRect(s->popup, nullptr, FALSE);
      return CB_OKAY;
    case CB_GETCOUNT:
      return n;
    case CB_GETCURSEL:
      return s->current;
    case CB_SETCURSEL:
      s->current = (index >= 0 && index < n) ? index : -1;
      Repaint(*s);
      return s->current >= 0 ? s->current : CB_ERR;
    case CB_GETLBTEXT:
      if (index < 0 || index >= n || lParam == 0) return CB_ERR;
      return CopyTextOut(s->entries[static_cast<size_t>(index)].text, reinterpret_cast<LPWSTR>(lParam), 0x7FFFFFFF);
    case CB_GETLBTEXTLEN:
      if (index < 0 || index >= n) return CB_ERR;
      return static_cast<LRESULT>(s->entries[static_cast<size_t>(index)].text.size());
    case CB_FINDSTRINGEXACT:
    case CB_FINDSTRING:
      return Find(*s, index, reinterpret_cast<LPCWSTR>(lParam), message == CB_FINDSTRINGEXACT);
    case CB_GETITEMDATA:
      if (index < 0 || index >= n) return CB_ERR;
      return s->entries[static_cast<size_t>(index)].data;
    case CB_SETITEMDATA:
      if (index < 0 || index >= n) return CB_ERR;
      s->entries[static_cast<size_t>(index)].data = lParam;
      return TRUE;
    case CB_SHOWDROPDOWN:
      if (wParam) DropDown(window, *s);
      else CloseUp(window, *s, -1);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return s->popup ? TRUE : FALSE;
    case WM_LBUTTONDOWN:
      if (GetFocus() != window) SetFocus(window);
      if (s->popup) CloseUp(window, *s, -1);
      else DropDown(window, *s);
      return 0;
    case WM_KEYDOWN:
      KeyDown(window, *s, static_cast<UINT>(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s->focused = message == WM_SETFOCUS;
      if (!s->focused) CloseUp(window, *s, -1);
      Repaint(*s);
      CommandParent(window, s->focused ? CBN_SETFOCUS : CBN_KILLFOCUS);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterComboBoxClass() {
  return RegisterControlClass(u"COMBOBOX", ComboProc) && RegisterControlClass(u"ComboLBox", PopupProc);
}

}  // namespace devcontrols
