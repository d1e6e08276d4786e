// The edit control: text, caret and selection, wrapping, scrolling, keys,
// the stylus and the notifications.
#include "platform/controls/edit.h"

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/scroll_bar.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"

namespace devcontrols {
namespace {

struct Line {
  int start = 0;
  int length = 0;  // without the line break
};

struct EditState : ControlBase {
  std::u16string text;
  int anchor = 0;  // the fixed end of the selection
  int caret = 0;   // the moving end, where the caret shows
  int limit = kDefaultEditLimit;
  WCHAR passwordChar = u'*';
  bool modified = false;
  bool focused = false;
  bool dragging = false;
  bool thumbDragging = false;
  int scrollX = 0;     // single line: pixels scrolled left
  int firstLine = 0;   // multi-line: the top line shown
  std::vector<Line> lines;
};

int Margin() { return Scaled(2); }
bool Multiline(HWND w) { return (StyleOf(w) & ES_MULTILINE) != 0; }
bool HasScrollBar(HWND w) { return Multiline(w) && (StyleOf(w) & WS_VSCROLL); }

int SelStart(const EditState& s) { return std::min(s.anchor, s.caret); }
int SelEnd(const EditState& s) { return std::max(s.anchor, s.caret); }

std::u16string Shown(HWND w, const EditState& s, int start, int length) {
  std::u16string part = s.text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
  if ((StyleOf(w) & ES_PASSWORD) && !Multiline(w)) part.assign(part.size(), s.passwordChar);
  return part;
}

RECT TextArea(HWND w) {
  RECT client;
  GetClientRect(w, &client);
  if (HasScrollBar(w)) client.right = VerticalStrip(client).left;
  InflateRect(&client, -Margin(), 0);
  return client;
}

// Breaks the text into lines: at each line break, and (multi-line) at the
// last space that lets a line fit the width, or inside a word too long for
// a line.
void Layout(HWND w, EditState& s) {
  s.lines.clear();
  if (!Multiline(w)) {
    s.lines.push_back({0, static_cast<int>(s.text.size())});
    return;
  }
  MeasureScope measure(FontOf(s));
  RECT area = TextArea(w);
  int width = std::max(1, static_cast<int>(area.right - area.left));
  int n = static_cast<int>(s.text.size());
  int start = 0;
  while (true) {
    int end = start;
    while (end < n && s.text[static_cast<size_t>(end)] != u'\r' && s.text[static_cast<size_t>(end)] != u'\n') ++end;
    // Wrap [start, end) into lines of the width.
    int from = start;
    do {
      int fit = end - from;
      if (fit > 0) {
        GetTextExtentExPointW(measure.dc(), s.text.c_str() + from, end - from, width, &fit, nullptr, nullptr);
        fit = std::max(fit, 1);
      }
      int cut = from + fit;
      if (cut < end) {
        int space = cut;
        while (space > from && s.text[static_cast<size_t>(space)] != u' ') --space;
        if (space > from) cut = space + 1;  // the space stays at the end of the line
      }
      s.lines.push_back({from, cut - from});
      from = cut;
    } while (from < end);
    if (end >= n) break;
    // Skip the break: "\r\n", "\n" or a lone "\r".
    if (s.text[static_cast<size_t>(end)] == u'\r' && end + 1 < n && s.text[static_cast<size_t>(end) + 1] == u'\n') end += 2;
    else end += 1;
    start = end;
    if (start == n) {
      s.lines.push_back({n, 0});
      break;
    }
  }
  // A line ending in a space only because of wrapping keeps the caret
  // movement simple: its length counts the space.
}

int LineOf(const EditState& s, int index) {
  int line = 0;
  for (size_t i = 0; i < s.lines.size(); ++i)
    if (s.lines[i].start <= index) line = static_cast<int>(i);
  return line;
}

int VisibleLines(HWND w, const EditState& s) {
  RECT client;
  GetClientRect(w, &client);
  return std::max(1, static_cast<int>(client.bottom - client.top) / LineHeight(FontOf(s)));
}

int XOfIndex(HWND w, const EditState& s, int index) {
  const Line& line = s.lines[static_cast<size_t>(LineOf(s, index))];
  MeasureScope measure(FontOf(s));
  return TextWidth(measure.dc(), Shown(w, s, line.start, std::min(index, line.start + line.length) - line.start));
}

// The character index nearest to a point in client coordinates.
int IndexAt(HWND w, const EditState& s, POINT p) {
  RECT area = TextArea(w);
  int lineHeight = LineHeight(FontOf(s));
  int row = 0;
  if (Multiline(w)) row = std::clamp(s.firstLine + std::max(0, static_cast<int>(p.y)) / lineHeight, 0,
                                     static_cast<int>(s.lines.size()) - 1);
  const Line& line = s.lines[static_cast<size_t>(row)];
  int x = p.x - area.left + (Multiline(w) ? 0 : s.scrollX);
  MeasureScope measure(FontOf(s));
  std::u16string shown = Shown(w, s, line.start, line.length);
  // The widths of every prefix in one measurement: the caret goes to the
  // nearer edge of the character under the point.
  std::vector<int> ends(shown.size());
  SIZE size{0, 0};
  if (!shown.empty())
    GetTextExtentExPointW(measure.dc(), shown.c_str(), static_cast<int>(shown.size()), 0, nullptr, ends.data(), &size);
  int best = 0;
  for (int i = 1; i <= line.length; ++i) {
    int before = i > 1 ? ends[static_cast<size_t>(i) - 2] : 0;
    if (x >= (before + ends[static_cast<size_t>(i) - 1]) / 2) best = i;
    else break;
  }
  int index = line.start + best;
  // A wrapped line's trailing space: a tap past it goes to the next line's start.
  return std::min(index, static_cast<int>(s.text.size()));
}

void ScrollCaretIntoView(HWND w, EditState& s) {
  if (Multiline(w)) {
    int line = LineOf(s, s.caret);
    int visible = VisibleLines(w, s);
    if (line < s.firstLine) s.firstLine = line;
    else if (line >= s.firstLine + visible) s.firstLine = line - visible + 1;
    return;
  }
  RECT area = TextArea(w);
  int width = area.right - area.left;
  int x = XOfIndex(w, s, s.caret);
  if (x < s.scrollX) s.scrollX = std::max(0, x - width / 3);
  else if (x > s.scrollX + width - 1) s.scrollX = x - width + 1 + width / 3;
  if (s.scrollX > 0) {
    MeasureScope measure(FontOf(s));
    int whole = TextWidth(measure.dc(), Shown(w, s, 0, static_cast<int>(s.text.size())));
    s.scrollX = std::clamp(s.scrollX, 0, std::max(0, whole - width + 1));
  }
}

void Relayout(HWND w, EditState& s) {
  Layout(w, s);
  int maxFirst = std::max(0, static_cast<int>(s.lines.size()) - VisibleLines(w, s));
  s.firstLine = std::clamp(s.firstLine, 0, maxFirst);
  ScrollCaretIntoView(w, s);
  Repaint(s);
}

ScrollRange RangeOf(HWND w, const EditState& s) {
  return ScrollRange{s.firstLine, VisibleLines(w, s), static_cast<int>(s.lines.size())};
}

void Paint(HWND w, EditState& s) {
  PaintBorder(w);
  PaintScope paint(w, FontOf(s));
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(w, &client);
  bool readOnly = (StyleOf(w) & ES_READONLY) != 0;
  HBRUSH brush = ParentColours(w, dc, readOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  FillRect(dc, &client, brush);
  if (!IsEnabled(w)) SetTextColor(dc, SysColour(COLOR_GRAYTEXT));
  COLORREF ink = GetTextColor(dc);
  RECT area = TextArea(w);
  int lineHeight = LineHeight(FontOf(s));
  bool showSelection = s.focused || (StyleOf(w) & ES_NOHIDESEL);
  int selStart = SelStart(s), selEnd = SelEnd(s);
  bool multi = Multiline(w);
  int first = multi ? s.firstLine : 0;
  int last = multi ? std::min(static_cast<int>(s.lines.size()), first + VisibleLines(w, s) + 1) : 1;
  int align = StyleOf(w) & (ES_CENTER | ES_RIGHT);
  int saveMode = SetBkMode(dc, TRANSPARENT);
  IntersectClipRect(dc, area.left, client.top, area.right, client.bottom);
  for (int row = first; row < last; ++row) {
    const Line& line = s.lines[static_cast<size_t>(row)];
    std::u16string shown = Shown(w, s, line.start, line.length);
    int y = multi ? (row - first) * lineHeight : (client.bottom - lineHeight) / 2;
    int x = area.left - (multi ? 0 : s.scrollX);
    int width = TextWidth(dc, shown);
    if (align == ES_RIGHT) x = area.right - width;
    else if (align == ES_CENTER) x = area.left + (area.right - area.left - width) / 2;
    ExtTextOutW(dc, x, y, 0, nullptr, shown.c_str(), static_cast<UINT>(shown.size()), nullptr);
    int a = std::max(selStart, line.start), b = std::min(selEnd, line.start + line.length);
    if (showSelection && a < b) {
      int left = x + TextWidth(dc, shown.substr(0, static_cast<size_t>(a - line.start)));
      int right = x + TextWidth(dc, shown.substr(0, static_cast<size_t>(b - line.start)));
      RECT band{left, y, right, y + lineHeight};
      FillSolid(dc, band, SysColour(COLOR_HIGHLIGHT));
      SetTextColor(dc, SysColour(COLOR_HIGHLIGHTTEXT));
      std::u16string part = shown.substr(static_cast<size_t>(a - line.start), static_cast<size_t>(b - a));
      ExtTextOutW(dc, left, y, 0, nullptr, part.c_str(), static_cast<UINT>(part.size()), nullptr);
      SetTextColor(dc, ink);
    }
    if (s.focused && selStart == selEnd && LineOf(s, s.caret) == row) {
      int cx = x + TextWidth(dc, shown.substr(0, static_cast<size_t>(s.caret - line.start)));
      FillSolid(dc, RECT{cx, y, cx + 1, y + lineHeight}, ink);
    }
  }
  SetBkMode(dc, saveMode);
  SelectClipRgn(dc, nullptr);
  if (HasScrollBar(w)) DrawVerticalScrollBar(dc, VerticalStrip(client), RangeOf(w, s));
}

void Changed(HWND w, EditState& s) {
  s.modified = true;
  Relayout(w, s);
  CommandParent(w, EN_UPDATE);
  CommandParent(w, EN_CHANGE);
}

// Puts `insert` in place of the selection, cut to the limit (EN_MAXTEXT);
// false when nothing changed.
bool ReplaceSelection(HWND w, EditState& s, std::u16string insert) {
  int start = SelStart(s), end = SelEnd(s);
  int room = s.limit - (static_cast<int>(s.text.size()) - (end - start));
  bool cut = false;
  if (static_cast<int>(insert.size()) > std::max(0, room)) {
    insert.resize(static_cast<size_t>(std::max(0, room)));
    cut = true;
  }
  if (cut) CommandParent(w, EN_MAXTEXT);
  if (insert.empty() && start == end) return false;
  s.text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), insert);
  s.anchor = s.caret = start + static_cast<int>(insert.size());
  return true;
}

void SetSelection(HWND w, EditState& s, int anchor, int caret) {
  int n = static_cast<int>(s.text.size());
  s.anchor = std::clamp(anchor, 0, n);
  s.caret = std::clamp(caret, 0, n);
  ScrollCaretIntoView(w, s);
  Repaint(s);
}

int LineEndIndex(const EditState& s, int row) {
  const Line& line = s.lines[static_cast<size_t>(row)];
  int end = line.start + line.length;
  // A wrapped line ends with its space; the caret goes before it.
  if (row + 1 < static_cast<int>(s.lines.size()) && s.lines[static_cast<size_t>(row) + 1].start == end && end > line.start)
    --end;
  return end;
}

void MoveCaret(HWND w, EditState& s, UINT key) {
  bool extend = GetKeyState(VK_SHIFT) < 0;
  int caret = s.caret;
  int n = static_cast<int>(s.text.size());
  int row = LineOf(s, caret);
  switch (key) {
    case VK_LEFT:
      if (!extend && s.anchor != s.caret) caret = SelStart(s);
      else if (caret > 0) caret -= (caret >= 2 && s.text[static_cast<size_t>(caret) - 1] == u'\n' &&
                                     s.text[static_cast<size_t>(caret) - 2] == u'\r') ? 2 : 1;
      break;
    case VK_RIGHT:
      if (!extend && s.anchor != s.caret) caret = SelEnd(s);
      else if (caret < n) caret += (caret + 1 < n && s.text[static_cast<size_t>(caret)] == u'\r' &&
                                     s.text[static_cast<size_t>(caret) + 1] == u'\n') ? 2 : 1;
      break;
    case VK_HOME: caret = Multiline(w) ? s.lines[static_cast<size_t>(row)].start : 0; break;
    case VK_END: caret = Multiline(w) ? LineEndIndex(s, row) : n; break;
    case VK_UP:
    case VK_DOWN: {
      if (!Multiline(w)) return;
      int target = row + (key == VK_UP ? -1 : 1);
      if (target < 0 || target >= static_cast<int>(s.lines.size())) return;
      int x = XOfIndex(w, s, caret);
      RECT area = TextArea(w);
      int lineHeight = LineHeight(FontOf(s));
      caret = IndexAt(w, s, POINT{area.left + x, (target - s.firstLine) * lineHeight + lineHeight / 2});
      caret = std::min(caret, LineEndIndex(s, target));
      break;
    }
    default: return;
  }
  SetSelection(w, s, extend ? s.anchor : caret, caret);
}

void DeleteForward(HWND w, EditState& s, bool backward) {
  if (StyleOf(w) & ES_READONLY) return;
  if (s.anchor == s.caret) {
    int n = static_cast<int>(s.text.size());
    if (backward) {
      if (s.caret == 0) return;
      bool pair = s.caret >= 2 && s.text[static_cast<size_t>(s.caret) - 1] == u'\n' && s.text[static_cast<size_t>(s.caret) - 2] == u'\r';
      s.anchor = s.caret - (pair ? 2 : 1);
    } else {
      if (s.caret >= n) return;
      bool pair = s.caret + 1 < n && s.text[static_cast<size_t>(s.caret)] == u'\r' && s.text[static_cast<size_t>(s.caret) + 1] == u'\n';
      s.anchor = s.caret + (pair ? 2 : 1);
    }
  }
  if (ReplaceSelection(w, s, u"")) Changed(w, s);
}

void TypeCharacter(HWND w, EditState& s, WCHAR c) {
  DWORD style = StyleOf(w);
  if (c == VK_BACK) {
    DeleteForward(w, s, true);
    return;
  }
  if (style & ES_READONLY) return;
  std::u16string insert;
  if (c == u'\r' || c == u'\n') {
    if (!(style & ES_MULTILINE) || !(style & ES_WANTRETURN)) return;
    insert = u"\r\n";
  } else if (c < 0x20) {
    return;
  } else {
    if ((style & ES_NUMBER) && (c < u'0' || c > u'9')) return;
    if ((style & ES_UPPERCASE) && c >= u'a' && c <= u'z') c = static_cast<WCHAR>(c - 32);
    if ((style & ES_LOWERCASE) && c >= u'A' && c <= u'Z') c = static_cast<WCHAR>(c + 32);
    insert.assign(1, c);
  }
  if (ReplaceSelection(w, s, insert)) Changed(w, s);
}

void ScrollLines(HWND w, EditState& s, int delta) {
  int maxFirst = std::max(0, static_cast<int>(s.lines.size()) - VisibleLines(w, s));
  int first = std::clamp(s.firstLine + delta, 0, maxFirst);
  if (first == s.firstLine) return;
  s.firstLine = first;
  Repaint(s);
}

void StylusDown(HWND w, EditState& s, POINT p) {
  if (GetFocus() != w) SetFocus(w);
  RECT client;
  GetClientRect(w, &client);
  if (HasScrollBar(w)) {
    RECT strip = VerticalStrip(client);
    ScrollRange range = RangeOf(w, s);
    switch (HitVerticalScrollBar(strip, range, p)) {
      case ScrollHit::LineUp: ScrollLines(w, s, -1); return;
      case ScrollHit::LineDown: ScrollLines(w, s, 1); return;
      case ScrollHit::PageUp: ScrollLines(w, s, -range.page); return;
      case ScrollHit::PageDown: ScrollLines(w, s, range.page); return;
      case ScrollHit::Thumb:
        s.thumbDragging = true;
        SetCapture(w);
        return;
      case ScrollHit::None: break;
    }
  }
  int index = IndexAt(w, s, p);
  bool extend = GetKeyState(VK_SHIFT) < 0;
  SetSelection(w, s, extend ? s.anchor : index, index);
  s.dragging = true;
  SetCapture(w);
}

LRESULT EditProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = StateOf<EditState>(w);
  if (message == WM_CREATE) {
    s = new EditState;
    s->window = w;
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    if (create && create->lpszName && !IsIntAtom(create->lpszName)) s->text = create->lpszName;
    if (static_cast<int>(s->text.size()) > s->limit) s->text.resize(static_cast<size_t>(s->limit));
    SetStateOf(w, s);
    Layout(w, *s);
    return 0;
  }
  if (s == nullptr) return DefWindowProcW(w, message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommonMessage(*s, message, wParam, lParam, &result)) {
    if (message == WM_SETFONT) Relayout(w, *s);
    return result;
  }
  switch (message) {
    case WM_NCDESTROY:
      SetStateOf(w, nullptr);
      delete s;
      return 0;
    case WM_PAINT:
      Paint(w, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
    case WM_STYLECHANGED:
      Relayout(w, *s);
      return 0;
    case WM_SETTEXT: {
      s->text = TextFrom(reinterpret_cast<LPCWSTR>(lParam));
      if (static_cast<int>(s->text.size()) > s->limit) s->text.resize(static_cast<size_t>(s->limit));
      s->anchor = s->caret = 0;
      s->scrollX = 0;
      s->firstLine = 0;
      s->modified = false;
      Relayout(w, *s);
      CommandParent(w, EN_UPDATE);
      CommandParent(w, EN_CHANGE);
      return TRUE;
    }
    case WM_GETTEXT:
      return CopyTextOut(s->text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(s->text.size());
    case EM_GETSEL: {
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(SelStart(*s));
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(SelEnd(*s));
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(SelStart(*s)), static_cast<WORD>(SelEnd(*s))));
    }
    case EM_SETSEL: {
      int start = static_cast<int>(static_cast<intptr_t>(wParam));
      int end = static_cast<int>(lParam);
      int n = static_cast<int>(s->text.size());
      if (start == -1) {  // remove the selection, keep the caret
        SetSelection(w, *s, s->caret, s->caret);
        return 0;
      }
      if (start < 0 || start > n) start = n;
      if (end < 0 || end > n) end = n;
      SetSelection(w, *s, start, end);
      return 0;
    }
    case EM_REPLACESEL:
      if (ReplaceSelection(w, *s, TextFrom(reinterpret_cast<LPCWSTR>(lParam)))) Changed(w, *s);
      return 0;
    case EM_SCROLLCARET:
      ScrollCaretIntoView(w, *s);
      Repaint(*s);
      return TRUE;
    case EM_LIMITTEXT:
      s->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE));
      return 0;
    case EM_GETLIMITTEXT:
      return s->limit;
    case EM_SETREADONLY: {
      DWORD style = StyleOf(w);
      SetWindowLongW(w, GWL_STYLE, static_cast<LONG>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
      return TRUE;
    }
    case EM_GETMODIFY:
      return s->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      s->modified = wParam != 0;
      return 0;
    case EM_SETPASSWORDCHAR:
      s->passwordChar = static_cast<WCHAR>(wParam ? wParam : u'*');
      Repaint(*s);
      return 0;
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(s->lines.size());
    case EM_GETFIRSTVISIBLELINE:
      return Multiline(w) ? s->firstLine : 0;
    case EM_LINEFROMCHAR: {
      int index = static_cast<int>(static_cast<intptr_t>(wParam));
      return LineOf(*s, index < 0 ? s->caret : index);
    }
    case EM_LINEINDEX: {
      int row = static_cast<int>(static_cast<intptr_t>(wParam));
      if (row < 0) row = LineOf(*s, s->caret);
      if (row >= static_cast<int>(s->lines.size())) return -1;
      return s->lines[static_cast<size_t>(row)].start;
    }
    case EM_LINELENGTH: {
      int index = static_cast<int>(static_cast<intptr_t>(wParam));
      if (index < 0) index = s->caret;
      return s->lines[static_cast<size_t>(LineOf(*s, index))].length;
    }
    case WM_SETFOCUS:
      s->focused = true;
      Repaint(*s);
      CommandParent(w, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      s->focused = false;
      Repaint(*s);
      CommandParent(w, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      StylusDown(w, *s, PointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (s->thumbDragging) {
        RECT client;
        GetClientRect(w, &client);
        int first = ThumbPosition(VerticalStrip(client), RangeOf(w, *s), PointOf(lParam).y);
        ScrollLines(w, *s, first - s->firstLine);
      } else if (s->dragging) {
        int index = IndexAt(w, *s, PointOf(lParam));
        SetSelection(w, *s, s->anchor, index);
      }
      return 0;
    case WM_LBUTTONUP:
      if (s->dragging || s->thumbDragging) {
        s->dragging = s->thumbDragging = false;
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      s->dragging = s->thumbDragging = false;
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_DELETE) DeleteForward(w, *s, false);
      else MoveCaret(w, *s, static_cast<UINT>(wParam));
      return 0;
    case WM_CHAR:
      TypeCharacter(w, *s, static_cast<WCHAR>(wParam));
      return 0;
    case WM_CLEAR:
      if (!(StyleOf(w) & ES_READONLY) && ReplaceSelection(w, *s, u"")) Changed(w, *s);
      return 0;
    default:
      return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterEditClass() { return RegisterControlClass(u"EDIT", EditProc); }

}  // namespace devcontrols
