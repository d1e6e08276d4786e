// The toolbar: buttons, their layout and drawing, taps, drop-downs,
// tooltips and custom draw.
#include "platform/controls/toolbar.h"

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/gesture.h"
#include "platform/controls/tooltip.h"

namespace devcontrols {
namespace {

struct ToolButton {
  int image = -1;
  int id = 0;
  BYTE state = TBSTATE_ENABLED;
  BYTE style = TBSTYLE_BUTTON;
  DWORD_PTR data = 0;
  std::u16string text;
  int fixedWidth = 0;  // TBIF_SIZE; 0: measured
  std::u16string tooltip;
};

struct ToolbarState : ControlBase {
  std::vector<ToolButton> buttons;
  std::vector<std::u16string> strings;  // TB_ADDSTRINGW
  HIMAGELIST images = nullptr;
  DWORD extendedStyle = 0;
  int pressed = -1;   // the button the stylus went down on
  bool held = false;  // its tooltip shows
  HWND tooltip = nullptr;
};

bool Shown(const ToolButton& b) { return !(b.state & TBSTATE_HIDDEN); }
bool Separator(const ToolButton& b) { return (b.style & TBSTYLE_SEP) != 0; }

int IndexOf(const ToolbarState& s, int id) {
  for (size_t i = 0; i < s.buttons.size(); ++i)
    if (s.buttons[i].id == id && !Separator(s.buttons[i])) return static_cast<int>(i);
  for (size_t i = 0; i < s.buttons.size(); ++i)
    if (s.buttons[i].id == id) return static_cast<int>(i);
  return -1;
}

SIZE ImageSize(const ToolbarState& s) {
  int w = 0, h = 0;
  if (s.images && ImageList_GetIconSize(s.images, &w, &h)) return SIZE{w, h};
  return SIZE{0, 0};
}

int DropWidth() { return Scaled(10); }
int Pad() { return Scaled(4); }

int NaturalWidth(HWND window, const ToolbarState& s, const ToolButton& b, HDC dc) {
  if (Separator(b)) return b.image > 0 ? b.image : Scaled(6);
  if (b.fixedWidth > 0) return b.fixedWidth;
  SIZE image = ImageSize(s);
  bool hasImage = s.images && b.image >= 0;
  int text = TextWidth(dc, b.text);
  int width = 2 * Pad();
  if (StyleOf(window) & TBSTYLE_LIST) width += (hasImage ? image.cx : 0) + (hasImage && text ? Pad() : 0) + text;
  else width += std::max<int>(hasImage ? image.cx : 0, text);
  if (b.style & TBSTYLE_DROPDOWN) width += DropWidth();
  return width;
}

int BarHeight(HWND window, const ToolbarState& s) {
  SIZE image = ImageSize(s);
  int line = LineHeight(FontOf(s));
  bool anyText = std::any_of(s.buttons.begin(), s.buttons.end(), [](const ToolButton& b) { return !b.text.empty(); });
  int content = (StyleOf(window) & TBSTYLE_LIST) ? std::max<int>(image.cy, anyText ? line : 0)
                                                 : image.cy + (anyText ? line : 0);
  return std::max(content, line) + Scaled(6);
}

// Every button's rectangle (hidden ones empty), left to right.
std::vector<RECT> Layout(HWND window, const ToolbarState& s) {
  MeasureScope measure(FontOf(s));
  int shared = 0;
  for (const ToolButton& b : s.buttons)
    if (Shown(b) && !Separator(b) && !(b.style & TBSTYLE_AUTOSIZE) && b.fixedWidth == 0)
      shared = std::max(shared, NaturalWidth(window, s, b, measure.dc()));
  RECT client;
  GetClientRect(window, &client);
  int height = std::min<int>(BarHeight(window, s), std::max<int>(client.bottom, 1));
  std::vector<RECT> rects;
  int x = 0;
  for (const ToolButton& b : s.buttons) {
    if (!Shown(b)) {
      rects.push_back(RECT{x, 0, x, 0});
      continue;
    }
    int width = NaturalWidth(window, s, b, measure.dc());
    if (!Separator(b) && !(b.style & TBSTYLE_AUTOSIZE) && b.fixedWidth == 0) width = shared;
    rects.push_back(RECT{x, 0, x + width, height});
    x += width;
  }
  return rects;
}

int ButtonAt(HWND window, const ToolbarState& s, POINT p) {
  std::vector<RECT> rects = Layout(window, s);
  for (size_t i = 0; i < rects.size(); ++i)
    if (PtInRect(&rects[i], p) && !Separator(s.buttons[i])) return static_cast<int>(i);
  return -1;
}

void AutoSize(HWND window, ToolbarState& s) {
  DWORD style = StyleOf(window);
  if (style & CCS_NORESIZE) return;
  int height = BarHeight(window, s);
  HWND parent = GetParent(window);
  RECT place;
  GetWindowRect(window, &place);
  POINT origin{place.left, place.top};
  if (parent) ScreenToClient(parent, &origin);
  if (!(style & CCS_NOPARENTALIGN) && parent) {
    RECT area;
    GetClientRect(parent, &area);
    SetWindowPos(window, nullptr, 0, 0, area.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(window, nullptr, origin.x, origin.y, place.right - place.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CustomDraw(HWND window, NMTBCUSTOMDRAW& draw, DWORD stage) {
  draw.nmcd.dwDrawStage = stage;
  return NotifyParent(window, &draw.nmcd.hdr, NM_CUSTOMDRAW);
}

void PaintButton(HWND window, ToolbarState& s, HDC dc, const ToolButton& b, const RECT& r, COLORREF ink) {
  bool down = (b.state & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
  bool greyed = !(b.state & TBSTATE_ENABLED) || (b.state & TBSTATE_INDETERMINATE);
  if (down) {
    FillSolid(dc, r, SysColour(COLOR_HIGHLIGHT));
    ink = SysColour(COLOR_HIGHLIGHTTEXT);
  } else if (!(StyleOf(window) & TBSTYLE_FLAT)) {
    FrameSolid(dc, r, SysColour(COLOR_BTNSHADOW));
  }
  if (greyed) ink = SysColour(COLOR_GRAYTEXT);
  RECT content{r.left + Pad(), r.top, r.right - Pad() - ((b.style & TBSTYLE_DROPDOWN) ? DropWidth() : 0), r.bottom};
  SIZE image = ImageSize(s);
  bool hasImage = s.images && b.image >= 0 && b.image < ImageList_GetImageCount(s.images);
  SetTextColor(dc, ink);
  if (StyleOf(window) & TBSTYLE_LIST) {
    if (hasImage) {
      ImageList_Draw(s.images, b.image, dc, content.left, content.top + (content.bottom - content.top - image.cy) / 2,
                     ILD_TRANSPARENT);
      content.left += image.cx + Pad();
    }
    DrawTextIn(dc, b.text, content, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  } else {
    int line = b.text.empty() ? 0 : LineHeight(FontOf(s));
    int top = content.top + (content.bottom - content.top - (hasImage ? image.cy : 0) - line) / 2;
    if (hasImage) {
      ImageList_Draw(s.images, b.image, dc, content.left + (content.right - content.left - image.cx) / 2, top,
                     ILD_TRANSPARENT);
      top += image.cy;
    }
    DrawTextIn(dc, b.text, RECT{content.left, top, content.right, top + line}, DT_CENTER | DT_SINGLELINE);
  }
  if (b.style & TBSTYLE_DROPDOWN) DrawArrow(dc, RECT{r.right - Pad() - DropWidth(), r.top, r.right - Pad(), r.bottom}, Arrow::Down, ink);
}

void Paint(HWND window, ToolbarState& s) {
  PaintScope paint(window, FontOf(s));
  if (!s.redraw) return;
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  NMTBCUSTOMDRAW draw{};
  draw.nmcd.hdc = dc;
  draw.nmcd.rc = client;
  draw.clrText = SysColour(COLOR_BTNTEXT);
  draw.clrBtnFace = SysColour(COLOR_BTNFACE);
  LRESULT pre = CustomDraw(window, draw, CDDS_PREPAINT);
  if (!(pre & CDRF_SKIPDEFAULT)) {
    FillSolid(dc, client, SysColour(COLOR_BTNFACE));
    if (!(StyleOf(window) & CCS_NODIVIDER)) FillSolid(dc, RECT{0, client.bottom - 1, client.right, client.bottom}, SysColour(COLOR_BTNSHADOW));
    std::vector<RECT> rects = Layout(window, s);
    for (size_t i = 0; i < s.buttons.size() && i < rects.size(); ++i) {
      const ToolButton b = s.buttons[i];
      if (!Shown(b)) continue;
      if (Separator(b)) {
        int mid = (rects[i].left + rects[i].right) / 2;
        FillSolid(dc, RECT{mid, rects[i].top + 2, mid + 1, rects[i].bottom - 2}, SysColour(COLOR_BTNSHADOW));
        continue;
      }
      draw.nmcd.rc = rects[i];
      draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(b.id);
      draw.nmcd.lItemlParam = static_cast<LPARAM>(b.data);
      draw.nmcd.uItemState = ((b.state & TBSTATE_CHECKED) ? CDIS_CHECKED : 0) |
                             ((b.state & TBSTATE_PRESSED) ? CDIS_SELECTED : 0) |
                             ((b.state & TBSTATE_ENABLED) ? 0 : CDIS_DISABLED) |
                             ((b.state & TBSTATE_INDETERMINATE) ? CDIS_INDETERMINATE : 0);
      draw.clrText = SysColour(COLOR_BTNTEXT);
      LRESULT item = (pre & CDRF_NOTIFYITEMDRAW) ? CustomDraw(window, draw, CDDS_ITEMPREPAINT) : CDRF_DODEFAULT;
      if (!(item & CDRF_SKIPDEFAULT)) PaintButton(window, s, dc, b, rects[i], draw.clrText);
      if (item & CDRF_NOTIFYPOSTPAINT) CustomDraw(window, draw, CDDS_ITEMPOSTPAINT);
    }
  }
  if (pre & CDRF_NOTIFYPOSTPAINT) {
    draw.nmcd.rc = client;
    CustomDraw(window, draw, CDDS_POSTPAINT);
  }
}

void FromTbButton(const ToolbarState& s, const TBBUTTON& in, ToolButton* out) {
  out->image = in.iBitmap;
  out->id = in.idCommand;
  out->state = in.fsState;
  out->style = in.fsStyle;
  out->data = in.dwData;
  if (in.iString == -1 || in.iString == 0) out->text.clear();
  else if (in.iString > 0 && in.iString < 0x10000) {
    size_t index = static_cast<size_t>(in.iString);
    out->text = index < s.strings.size() ? s.strings[index] : std::u16string();
  } else {
    out->text = TextFrom(reinterpret_cast<LPCWSTR>(in.iString));
  }
}

void Insert(ToolbarState& s, int index, const TBBUTTON* buttons, int count) {
  if (buttons == nullptr || count <= 0) return;
  index = (index < 0 || index > static_cast<int>(s.buttons.size())) ? static_cast<int>(s.buttons.size()) : index;
  for (int i = 0; i < count; ++i) {
    ToolButton b;
    FromTbButton(s, buttons[i], &b);
    s.buttons.insert(s.buttons.begin() + index + i, b);
  }
  Repaint(s);
}

void ChangeState(ToolbarState& s, int index, BYTE bit, bool on) {
  ToolButton& b = s.buttons[static_cast<size_t>(index)];
  BYTE state = on ? static_cast<BYTE>(b.state | bit) : static_cast<BYTE>(b.state & ~bit);
  if (state == b.state) return;
  b.state = state;
  Repaint(s);
}

void HideTooltip(ToolbarState& s) {
  if (s.tooltip) DestroyWindow(s.tooltip);
  s.tooltip = nullptr;
}

void StylusDown(HWND window, ToolbarState& s, POINT p) {
  int index = ButtonAt(window, s, p);
  if (index < 0) return;
  ToolButton& b = s.buttons[static_cast<size_t>(index)];
  if (!(b.state & TBSTATE_ENABLED) || (b.state & TBSTATE_INDETERMINATE)) return;
  if (b.style & TBSTYLE_DROPDOWN) {
    std::vector<RECT> rects = Layout(window, s);
    NMTOOLBARW notice{};
    notice.iItem = b.id;
    notice.tbButton.idCommand = b.id;
    notice.tbButton.iBitmap = b.image;
    notice.tbButton.fsState = b.state;
    notice.tbButton.fsStyle = b.style;
    notice.rcButton = rects[static_cast<size_t>(index)];
    ChangeState(s, index, TBSTATE_PRESSED, true);
    UpdateWindow(window);
    LRESULT answer = NotifyParent(window, &notice.hdr, TBN_DROPDOWN);
    index = IndexOf(s, notice.iItem);
    if (index >= 0) ChangeState(s, index, TBSTATE_PRESSED, false);
    if (answer != TBDDRET_TREATPRESSED || index < 0) return;
  }
  s.pressed = index;
  s.held = false;
  ChangeState(s, index, TBSTATE_PRESSED, true);
  if (HoldRecognized(window, p)) {
    s.held = true;
    const std::u16string& tip = s.buttons[static_cast<size_t>(index)].tooltip;
    if (!tip.empty()) {
      std::vector<RECT> rects = Layout(window, s);
      POINT below{rects[static_cast<size_t>(index)].left, rects[static_cast<size_t>(index)].bottom};
      ClientToScreen(window, &below);
      HideTooltip(s);
      s.tooltip = ShowTooltip(window, tip, below);
    }
  }
  if (IsWindow(window)) SetCapture(window);
}

void StylusUp(HWND window, ToolbarState& s, POINT p) {
  int index = s.pressed;
  bool held = s.held;
  s.pressed = -1;
  s.held = false;
  if (GetCapture() == window) ReleaseCapture();
  HideTooltip(s);
  if (index < 0 || index >= static_cast<int>(s.buttons.size())) return;
  ChangeState(s, index, TBSTATE_PRESSED, false);
  if (held) return;
  std::vector<RECT> rects = Layout(window, s);
  if (!PtInRect(&rects[static_cast<size_t>(index)], p)) return;
  ToolButton& b = s.buttons[static_cast<size_t>(index)];
  if (b.style & TBSTYLE_CHECK) ChangeState(s, index, TBSTATE_CHECKED, !(b.state & TBSTATE_CHECKED));
  if (HWND parent = GetParent(window))
    SendMessageW(parent, WM_COMMAND, MAKELONG(static_cast<WORD>(b.id), 0), reinterpret_cast<LPARAM>(window));
}

int ButtonInfo(HWND window, ToolbarState& s, WPARAM which, TBBUTTONINFOW* info, bool set) {
  if (info == nullptr) return -1;
  int index = (info->dwMask & TBIF_BYINDEX) ? static_cast<int>(which) : IndexOf(s, static_cast<int>(which));
  if (index < 0 || index >= static_cast<int>(s.buttons.size())) return -1;
  ToolButton& b = s.buttons[static_cast<size_t>(index)];
  if (set) {
    if (info->dwMask & TBIF_TEXT) b.text = TextFrom(info->pszText);
    if (info->dwMask & TBIF_SIZE) b.fixedWidth = info->cx;
    if (info->dwMask & TBIF_IMAGE) b.image = info->iImage;
    if (info->dwMask & TBIF_STATE) b.state = info->fsState;
    if (info->dwMask & TBIF_STYLE) b.style = info->fsStyle;
    if (info->dwMask & TBIF_COMMAND) b.id = info->idCommand;
    if (info->dwMask & TBIF_LPARAM) b.data = info->lParam;
    Repaint(s);
    return TRUE;
  }
  if (info->dwMask & TBIF_TEXT) CopyTextOut(b.text, info->pszText, info->cchText);
  if (info->dwMask & TBIF_SIZE) {
    std::vector<RECT> rects = Layout(window, s);
    info->cx = static_cast<WORD>(rects[static_cast<size_t>(index)].right - rects[static_cast<size_t>(index)].left);
  }
  if (info->dwMask & TBIF_IMAGE) info->iImage = b.image;
  if (info->dwMask & TBIF_STATE) info->fsState = b.state;
  if (info->dwMask & TBIF_STYLE) info->fsStyle = b.style;
  if (info->dwMask & TBIF_COMMAND) info->idCommand = b.id;
  if (info->dwMask & TBIF_LPARAM) info->lParam = b.data;
  return index;
}

LRESULT ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<ToolbarState>(window);
  if (message == WM_CREATE) {
    s = new ToolbarState;
    s->window = window;
    SetStateOf(window, s);
    AutoSize(window, *s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) return result;
  auto byId = [&](BYTE bit, bool on) -> LRESULT {
    int index = IndexOf(*s, static_cast<int>(wParam));
    if (index < 0) return FALSE;
    ChangeState(*s, index, bit, on);
    return TRUE;
  };
  auto stateBit = [&](BYTE bit) -> LRESULT {
    int index = IndexOf(*s, static_cast<int>(wParam));
    return index >= 0 && (s->buttons[static_cast<size_t>(index)].state & bit) ? TRUE : FALSE;
  };
  switch (message) {
    case WM_DESTROY:
      HideTooltip(*s);
      return 0;
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
    case WM_LBUTTONDOWN:
      StylusDown(window, *s, PointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (s->pressed >= 0 && !s->held) {
        std::vector<RECT> rects = Layout(window, *s);
        ChangeState(*s, s->pressed, TBSTATE_PRESSED, PtInRect(&rects[static_cast<size_t>(s->pressed)], PointOf(lParam)) != FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      StylusUp(window, *s, PointOf(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window && s->pressed >= 0) {
        if (s->pressed < static_cast<int>(s->buttons.size())) ChangeState(*s, s->pressed, TBSTATE_PRESSED, false);
        s->pressed = -1;
        HideTooltip(*s);
      }
      return 0;
    case TB_BUTTONSTRUCTSIZE:
    case TB_SETBUTTONSIZE:
    case TB_SETBITMAPSIZE:
      return TRUE;
    case TB_ADDBUTTONSW:
      Insert(*s, -1, reinterpret_cast<const TBBUTTON*>(lParam), static_cast<int>(wParam));
      return TRUE;
    case TB_INSERTBUTTONW:
      Insert(*s, static_cast<int>(static_cast<intptr_t>(wParam)), reinterpret_cast<const TBBUTTON*>(lParam), 1);
      return TRUE;
    case TB_DELETEBUTTON: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= static_cast<int>(s->buttons.size())) return FALSE;
      s->buttons.erase(s->buttons.begin() + index);
      s->pressed = -1;
      Repaint(*s);
      return TRUE;
    }
    case TB_BUTTONCOUNT:
      return static_cast<LRESULT>(s->buttons.size());
    case TB_COMMANDTOINDEX:
      return IndexOf(*s, static_cast<int>(wParam));
    case TB_GETBUTTON: {
      auto* out = reinterpret_cast<TBBUTTON*>(lParam);
      int index = static_cast<int>(wParam);
      if (out == nullptr || index < 0 || index >= static_cast<int>(s->buttons.size())) return FALSE;
      const ToolButton& b = s->buttons[static_cast<size_t>(index)];
      *out = TBBUTTON{b.image, b.id, b.state, b.style, {}, b.data, -1};
      return TRUE;
    }
    case TB_ENABLEBUTTON: return byId(TBSTATE_ENABLED, LOWORD(static_cast<uintptr_t>(lParam)) != 0);
    case TB_CHECKBUTTON: return byId(TBSTATE_CHECKED, LOWORD(static_cast<uintptr_t>(lParam)) != 0);
    case TB_PRESSBUTTON: return byId(TBSTATE_PRESSED, LOWORD(static_cast<uintptr_t>(lParam)) != 0);
    case TB_HIDEBUTTON: return byId(TBSTATE_HIDDEN, LOWORD(static_cast<uintptr_t>(lParam)) != 0);
    case TB_INDETERMINATE: return byId(TBSTATE_INDETERMINATE, LOWORD(static_cast<uintptr_t>(lParam)) != 0);
    case TB_ISBUTTONENABLED: return stateBit(TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED: return stateBit(TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED: return stateBit(TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN: return stateBit(TBSTATE_HIDDEN);
    case TB_SETSTATE: {
      int index = IndexOf(*s, static_cast<int>(wParam));
      if (index < 0) return FALSE;
      s->buttons[static_cast<size_t>(index)].state = static_cast<BYTE>(LOWORD(static_cast<uintptr_t>(lParam)));
      Repaint(*s);
      return TRUE;
    }
    case TB_GETSTATE: {
      int index = IndexOf(*s, static_cast<int>(wParam));
      return index < 0 ? -1 : s->buttons[static_cast<size_t>(index)].state;
    }
    case TB_SETIMAGELIST: {
      HIMAGELIST previous = s->images;
      s->images = reinterpret_cast<HIMAGELIST>(lParam);
      Repaint(*s);
      return reinterpret_cast<LRESULT>(previous);
    }
    case TB_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(s->images);
    case TB_CHANGEBITMAP: {
      int index = IndexOf(*s, static_cast<int>(wParam));
      if (index < 0) return FALSE;
      s->buttons[static_cast<size_t>(index)].image = static_cast<int>(lParam);
      Repaint(*s);
      return TRUE;
    }
    case TB_GETBITMAP: {
      int index = IndexOf(*s, static_cast<int>(wParam));
      return index < 0 ? 0 : s->buttons[static_cast<size_t>(index)].image;
    }
    case TB_SETBUTTONINFOW:
      return ButtonInfo(window, *s, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam), true) >= 0 ? TRUE : FALSE;
    case TB_GETBUTTONINFOW:
      return ButtonInfo(window, *s, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam), false);
    case TB_GETRECT:
    case TB_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      int index = message == TB_GETRECT ? IndexOf(*s, static_cast<int>(wParam)) : static_cast<int>(wParam);
      if (rect == nullptr || index < 0 || index >= static_cast<int>(s->buttons.size())) return FALSE;
      *rect = Layout(window, *s)[static_cast<size_t>(index)];
      return TRUE;
    }
    case TB_GETBUTTONSIZE: {
      RECT client;
      GetClientRect(window, &client);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(Scaled(24)), static_cast<WORD>(BarHeight(window, *s))));
    }
    case TB_AUTOSIZE:
      AutoSize(window, *s);
      return 0;
    case TB_ADDSTRINGW: {
      auto* text = reinterpret_cast<LPCWSTR>(lParam);
      if (text == nullptr || wParam != 0) return -1;
      int first = static_cast<int>(s->strings.size());
      while (*text) {
        s->strings.emplace_back(text);
        text += s->strings.back().size() + 1;
      }
      return first;
    }
    case TB_SETEXTENDEDSTYLE: {
      DWORD previous = s->extendedStyle;
      s->extendedStyle = static_cast<DWORD>(lParam);
      return static_cast<LRESULT>(previous);
    }
    case TB_GETEXTENDEDSTYLE:
      return static_cast<LRESULT>(s->extendedStyle);
    case TB_SETTOOLTIPS: {
      auto* texts = reinterpret_cast<const LPCWSTR*>(lParam);
      for (ToolButton& b : s->buttons) b.tooltip.clear();
      if (texts != nullptr)
        for (size_t i = 0; i < static_cast<size_t>(wParam) && i < s->buttons.size(); ++i) s->buttons[i].tooltip = TextFrom(texts[i]);
      return TRUE;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterToolbarClass() { return RegisterControlClass(u"ToolbarWindow32", ToolbarProc); }

}  // namespace devcontrols

#ifdef TESSALYN_TEST_HOOKS
#include "platform/controls/control_hooks.h"

namespace devtest {
namespace {

devcontrols::ToolbarState* ToolbarStateOf(HWND toolbar) {
  WCHAR name[32] = {};
  if (!IsWindow(toolbar) || GetClassNameW(toolbar, name, 32) == 0 || std::u16string(name) != u"ToolbarWindow32")
    return nullptr;
  return devcontrols::StateOf<devcontrols::ToolbarState>(toolbar);
}

}  // namespace

std::vector<ToolbarButtonInfo> ToolbarButtonsOf(HWND toolbar) {
  std::vector<ToolbarButtonInfo> buttons;
  auto* s = ToolbarStateOf(toolbar);
  if (s == nullptr) return buttons;
  for (const auto& b : s->buttons) buttons.push_back({b.id, b.state, b.style, b.text, b.image, b.tooltip});
  return buttons;
}

int ToolbarTooltipShown(HWND toolbar) {
  auto* s = ToolbarStateOf(toolbar);
  return s && s->tooltip && IsWindow(s->tooltip) ? s->pressed : -1;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
