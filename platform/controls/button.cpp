// The button control: push, check, radio, group and owner-drawn buttons.
#include "platform/controls/button.h"

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/input/virtual_keys.h"

namespace devcontrols {
namespace {

struct ButtonState : ControlBase {
  WPARAM check = BST_UNCHECKED;
  bool pushed = false;    // the stylus is down on it (or Space)
  bool tracking = false;  // the stylus went down on it
  bool focused = false;
  UINT lastAction = ODA_DRAWENTIRE;
};

DWORD TypeOf(HWND window) { return StyleOf(window) & BS_TYPEMASK; }

bool IsCheckType(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
         type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::u16string TextOf(HWND window) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)), u'\0');
  if (!text.empty()) GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
  return text;
}

void PaintOwnerDrawn(HWND window, ButtonState& s, HDC dc, const RECT& client) {
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(ControlId(window));
  item.itemAction = s.lastAction;
  item.itemState = (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) |
                   (IsEnabled(window) ? 0 : ODS_DISABLED);
  item.hwndItem = window;
  item.hDC = dc;
  item.rcItem = client;
  s.lastAction = ODA_DRAWENTIRE;
  if (HWND parent = GetParent(window))
    SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void PaintPush(HWND window, ButtonState& s, HDC dc, const RECT& client, bool isDefault) {
  COLORREF face = SysColour(s.pushed || s.check == BST_CHECKED ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  COLORREF ink = SysColour(s.pushed ? COLOR_HIGHLIGHTTEXT : (IsEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  FillSolid(dc, client, face);
  FrameSolid(dc, client, SysColour(COLOR_WINDOWFRAME));
  if (isDefault) {
    RECT inner{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    FrameSolid(dc, inner, SysColour(COLOR_WINDOWFRAME));
  }
  SetTextColor(dc, ink);
  UINT format = DT_CENTER | DT_VCENTER | ((StyleOf(window) & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextIn(dc, TextOf(window), client, format);
  if (s.focused) {
    RECT focus{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3};
    DrawFocusRect(dc, &focus);
  }
}

void PaintCheck(HWND window, ButtonState& s, HDC dc, const RECT& client, bool radio) {
  HBRUSH brush = ParentColours(window, dc, WM_CTLCOLORBTN);
  FillRect(dc, &client, brush);
  int box = std::min<int>(Scaled(12), client.bottom - client.top);
  bool leftText = (StyleOf(window) & BS_LEFTTEXT) != 0;
  int boxLeft = leftText ? client.right - box : client.left;
  int top = (client.bottom - client.top - box) / 2;
  RECT mark{boxLeft, top, boxLeft + box, top + box};
  DrawCheckMark(dc, mark, s.check != BST_UNCHECKED, radio, IsEnabled(window));
  if (s.check == BST_INDETERMINATE) {
    RECT inner{mark.left + 2, mark.top + 2, mark.right - 2, mark.bottom - 2};
    FillSolid(dc, inner, SysColour(COLOR_GRAYTEXT));
  }
  RECT text = client;
  if (leftText) text.right = boxLeft - Scaled(4);
  else text.left = boxLeft + box + Scaled(4);
  if (!IsEnabled(window)) SetTextColor(dc, SysColour(COLOR_GRAYTEXT));
  DrawTextIn(dc, TextOf(window), text, DT_VCENTER | DT_SINGLELINE | (leftText ? DT_RIGHT : DT_LEFT));
  if (s.focused) {
    RECT focus = text;
    DrawFocusRect(dc, &focus);
  }
}

void PaintGroup(HWND window, HDC dc, const RECT& client) {
  HBRUSH brush = ParentColours(window, dc, WM_CTLCOLORBTN);
  FillRect(dc, &client, brush);
  std::u16string text = TextOf(window);
  int half = LineHeight(reinterpret_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))) / 2;
  RECT frame{client.left, client.top + half, client.right, client.bottom};
  FrameSolid(dc, frame, SysColour(COLOR_BTNSHADOW));
  if (!text.empty()) {
    RECT label{client.left + Scaled(6), client.top, client.left + Scaled(10) + TextWidth(dc, text), client.top + 2 * half};
    FillRect(dc, &label, brush);
    label.left += Scaled(2);
    DrawTextIn(dc, text, label, DT_SINGLELINE | DT_LEFT);
  }
}

void Paint(HWND window, ButtonState& s) {
  PaintScope paint(window, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  switch (TypeOf(window)) {
    case BS_OWNERDRAW: PaintOwnerDrawn(window, s, dc, client); break;
    case BS_DEFPUSHBUTTON: PaintPush(window, s, dc, client, true); break;
    case BS_GROUPBOX: PaintGroup(window, dc, client); break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      if (StyleOf(window) & BS_PUSHLIKE) PaintPush(window, s, dc, client, false);
      else PaintCheck(window, s, dc, client, true);
      break;
    default:
      if (IsCheckType(TypeOf(window)) && !(StyleOf(window) & BS_PUSHLIKE)) PaintCheck(window, s, dc, client, false);
      else PaintPush(window, s, dc, client, false);
      break;
  }
}

// The other automatic radio buttons of the group: the siblings, in creation
// order, from the last WS_GROUP window at or before this one up to the
// next WS_GROUP window.
void UncheckGroup(HWND window) {
  HWND parent = GetParent(window);
  if (parent == nullptr) return;
  std::vector<HWND> siblings;  // the stacking order lists the newest first
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) siblings.push_back(child);
  std::reverse(siblings.begin(), siblings.end());
  size_t self = std::find(siblings.begin(), siblings.end(), window) - siblings.begin();
  if (self == siblings.size()) return;
  size_t first = self;
  while (first > 0 && !(StyleOf(siblings[first]) & WS_GROUP)) --first;
  size_t end = self + 1;
  while (end < siblings.size() && !(StyleOf(siblings[end]) & WS_GROUP)) ++end;
  for (size_t k = first; k < end; ++k) {
    if (k == self || (StyleOf(siblings[k]) & BS_TYPEMASK) != BS_AUTORADIOBUTTON) continue;
    WCHAR name[16] = {};
    GetClassNameW(siblings[k], name, 16);
    if (std::u16string(name) == u"BUTTON") SendMessageW(siblings[k], BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND window, ButtonState& s) {
  switch (TypeOf(window)) {
    case BS_AUTOCHECKBOX:
      SendMessageW(window, BM_SETCHECK, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTO3STATE:
      SendMessageW(window, BM_SETCHECK, (s.check + 1) % 3, 0);
      break;
    case BS_AUTORADIOBUTTON:
      UncheckGroup(window);
      SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
      break;
    default:
      break;
  }
  CommandParent(window, BN_CLICKED);
}

void SetPushed(ButtonState& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  s.lastAction = ODA_SELECT;
  Repaint(s);
}

LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<ButtonState>(window);
  if (message == WM_CREATE) {
    s = new ButtonState;
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
    case WM_SETTEXT:
    case WM_STYLECHANGED: {
      LRESULT done = message == WM_SETTEXT ? DefWindowProcW(window, message, wParam, lParam) : 0;
      Repaint(*s);
      return done;
    }
    case BM_GETCHECK:
      return static_cast<LRESULT>(s->check);
    case BM_SETCHECK: {
      WPARAM check = wParam;
      DWORD type = TypeOf(window);
      if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) check = BST_CHECKED;
      if (check > BST_INDETERMINATE) check = BST_CHECKED;
      if (s->check != check) {
        s->check = check;
        Repaint(*s);
      }
      return 0;
    }
    case BM_GETSTATE:
      return static_cast<LRESULT>(s->check | (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0));
    case BM_SETSTATE:
      SetPushed(*s, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      DWORD style = (StyleOf(window) & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFFu);
      SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(style));
      if (LOWORD(static_cast<uintptr_t>(lParam))) Repaint(*s);
      return 0;
    }
    case BM_CLICK:
      if (IsEnabled(window)) Click(window, *s);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (TypeOf(window) == BS_GROUPBOX) return 0;
      s->tracking = true;
      SetCapture(window);
      SetPushed(*s, true);
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking) {
        RECT client;
        GetClientRect(window, &client);
        SetPushed(*s, PtInRect(&client, PointOf(lParam)) != FALSE);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!s->tracking) return 0;
      s->tracking = false;
      ReleaseCapture();
      RECT client;
      GetClientRect(window, &client);
      SetPushed(*s, false);
      if (PtInRect(&client, PointOf(lParam))) Click(window, *s);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (s->tracking && reinterpret_cast<HWND>(lParam) != window) {
        s->tracking = false;
        SetPushed(*s, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SetPushed(*s, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && s->pushed) {
        SetPushed(*s, false);
        Click(window, *s);
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s->focused = message == WM_SETFOCUS;
      s->lastAction = ODA_FOCUS;
      Repaint(*s);
      if (StyleOf(window) & BS_NOTIFY) CommandParent(window, s->focused ? BN_SETFOCUS : BN_KILLFOCUS);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterButtonClass() { return RegisterControlClass(u"BUTTON", ButtonProc); }

}  // namespace devcontrols
