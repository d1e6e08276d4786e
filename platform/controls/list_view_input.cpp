// The list view under the stylus and the keys, and editing a row's label.
#include <algorithm>
#include <cstdlib>

#include "platform/controls/gesture.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_view_state.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/time/tick_count.h"

namespace devcontrols {
namespace {

void NotifyActivate(HWND window, ListViewState& s, UINT code, int row, POINT action) {
  NMITEMACTIVATE notice{};
  notice.iItem = row;
  notice.ptAction = action;
  notice.lParam = ValidRow(s, row) ? s.rows[static_cast<size_t>(row)].lParam : 0;
  if (row >= 0) {
    for (int c = 1; c < static_cast<int>(s.columns.size()); ++c)
      if (action.x >= ColumnLeft(s, c)) notice.iSubItem = c;
  }
  NotifyParent(window, &notice.hdr, code);
}

void NotifyHold(HWND window, int row, POINT action) {
  NMRGINFO notice{};
  notice.ptAction = action;
  notice.dwItemSpec = static_cast<DWORD>(row);
  NotifyParent(window, &notice.hdr, NM_GESTURE_CONTEXTMENU);
}

ScrollRange RangeOf(HWND window, const ListViewState& s) {
  return ScrollRange{s.top, RowsPerPage(window, s), static_cast<int>(s.rows.size())};
}

bool OnScrollBar(HWND window, ListViewState& s, POINT p) {
  if (!ScrollBarShown(window, s)) return false;
  RECT client;
  GetClientRect(window, &client);
  RECT strip = VerticalStrip(client);
  ScrollRange range = RangeOf(window, s);
  switch (HitVerticalScrollBar(strip, range, p)) {
    case ScrollHit::None: return false;
    case ScrollHit::LineUp: SetTop(window, s, s.top - 1); break;
    case ScrollHit::LineDown: SetTop(window, s, s.top + 1); break;
    case ScrollHit::PageUp: SetTop(window, s, s.top - range.page); break;
    case ScrollHit::PageDown: SetTop(window, s, s.top + range.page); break;
    case ScrollHit::Thumb:
      s.stroke = ListViewState::Stroke::Thumb;
      SetCapture(window);
      break;
  }
  return true;
}

void StylusDown(HWND window, ListViewState& s, POINT p) {
  if (s.editor) EndLabelEdit(window, s, false);
  if (GetFocus() != window) SetFocus(window);
  if (OnScrollBar(window, s, p)) return;
  int row = RowAt(window, s, p);
  int near = GetSystemMetrics(SM_CXDOUBLECLK);
  s.doubleTap = row >= 0 && row == s.lastTapRow && GetTickCount() - s.lastTapTime <= kDoubleTapMilliseconds &&
                std::abs(p.x - s.lastTap.x) <= near && std::abs(p.y - s.lastTap.y) <= near;
  s.down = p;
  s.downRow = row;
  s.downTop = s.top;
  s.downWasSelected = ValidRow(s, row) && (s.rows[static_cast<size_t>(row)].state & LVIS_SELECTED);
  RECT label{};
  s.downOnLabel = ValidRow(s, row) && RowRect(window, s, row, LVIR_LABEL, &label) && PtInRect(&label, p);
  if (ValidRow(s, row)) {
    if ((s.extendedStyle & LVS_EX_CHECKBOXES) && p.x < CheckWidth(s)) ToggleCheck(window, s, row);
    SelectOnly(window, s, row, p);
  }
  s.stroke = ListViewState::Stroke::Row;
  if (HoldRecognized(window, p)) {
    s.stroke = ListViewState::Stroke::None;
    NotifyHold(window, ValidRow(s, row) ? row : -1, p);
    return;
  }
  if (IsWindow(window)) SetCapture(window);
}

void StylusMove(HWND window, ListViewState& s, POINT p) {
  if (s.stroke == ListViewState::Stroke::Thumb) {
    RECT client;
    GetClientRect(window, &client);
    SetTop(window, s, ThumbPosition(VerticalStrip(client), RangeOf(window, s), p.y));
    return;
  }
  if (s.stroke == ListViewState::Stroke::Row && std::abs(p.y - s.down.y) > Scaled(kHoldSlop))
    s.stroke = ListViewState::Stroke::Scroll;
  if (s.stroke == ListViewState::Stroke::Scroll) SetTop(window, s, s.downTop + (s.down.y - p.y) / RowHeight(s));
}

void StylusUp(HWND window, ListViewState& s, POINT p) {
  auto stroke = s.stroke;
  s.stroke = ListViewState::Stroke::None;
  if (GetCapture() == window) ReleaseCapture();
  if (stroke != ListViewState::Stroke::Row) return;
  int row = s.downRow;
  bool doubleTap = s.doubleTap;
  s.lastTapTime = GetTickCount();
  s.lastTap = p;
  s.lastTapRow = doubleTap ? -1 : row;  // a third tap starts anew
  NotifyActivate(window, s, NM_CLICK, row, p);
  if (!IsWindow(window)) return;
  if (doubleTap) {
    NotifyActivate(window, s, NM_DBLCLK, row, p);
    return;
  }
  // A later tap on the label of the selected row edits it.
  if (ValidRow(s, row) && s.downWasSelected && s.downOnLabel && (StyleOf(window) & LVS_EDITLABELS))
    BeginLabelEdit(window, s, row);
}

int FocusedRow(const ListViewState& s) {
  for (int i = 0; i < static_cast<int>(s.rows.size()); ++i)
    if (s.rows[static_cast<size_t>(i)].state & LVIS_FOCUSED) return i;
  return -1;
}

void KeyDown(HWND window, ListViewState& s, UINT key) {
  NMLVKEYDOWN notice{};
  notice.wVKey = static_cast<WORD>(key);
  NotifyParent(window, &notice.hdr, LVN_KEYDOWN);
  if (!IsWindow(window)) return;
  int n = static_cast<int>(s.rows.size());
  if (n == 0) return;
  int focused = FocusedRow(s);
  int page = RowsPerPage(window, s);
  int target = focused;
  switch (key) {
    case VK_UP: target = focused < 0 ? 0 : focused - 1; break;
    case VK_DOWN: target = focused < 0 ? 0 : focused + 1; break;
    case VK_PRIOR: target = focused - page; break;
    case VK_NEXT: target = focused + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_RETURN: NotifyActivate(window, s, NM_RETURN, focused, POINT{-1, -1}); return;
    case VK_SPACE: ToggleCheck(window, s, focused); return;
    default: return;
  }
  target = std::clamp(target, 0, n - 1);
  if (target != focused || !(s.rows[static_cast<size_t>(target)].state & LVIS_SELECTED)) SelectOnly(window, s, target);
}

// The label editor's own procedure, over the edit's: Return and Escape end
// the edit, and so does the focus leaving it.
LRESULT EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND list = GetParent(editor);
  auto* s = StateOf<ListViewState>(list);
  WNDPROC base = s ? s->editorProcedure : nullptr;
  if (base == nullptr) return DefWindowProcW(editor, message, wParam, lParam);
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    EndLabelEdit(list, *s, wParam == VK_ESCAPE);
    return 0;
  }
  if (message == WM_CHAR && (wParam == u'\r' || wParam == 0x1B)) return 0;
  if (message == WM_KILLFOCUS) {
    LRESULT result = CallWindowProcW(base, editor, message, wParam, lParam);
    if (s->editor == editor) EndLabelEdit(list, *s, false);
    return result;
  }
  return CallWindowProcW(base, editor, message, wParam, lParam);
}

}  // namespace

HWND BeginLabelEdit(HWND window, ListViewState& s, int row) {
  if (!ValidRow(s, row)) return nullptr;
  if (s.editor) EndLabelEdit(window, s, false);
  NMLVDISPINFOW info{};
  info.item.mask = LVIF_TEXT | LVIF_PARAM;
  info.item.iItem = row;
  std::u16string text = s.rows[static_cast<size_t>(row)].texts.empty() ? std::u16string() : s.rows[static_cast<size_t>(row)].texts[0];
  info.item.pszText = text.data();
  info.item.cchTextMax = static_cast<int>(text.size()) + 1;
  info.item.lParam = s.rows[static_cast<size_t>(row)].lParam;
  if (NotifyParent(window, &info.hdr, LVN_BEGINLABELEDITW) != 0 || !ValidRow(s, row)) return nullptr;
  EnsureVisible(window, s, row);
  RECT label;
  RowRect(window, s, row, LVIR_LABEL, &label);
  HWND editor = CreateWindowExW(0, u"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, label.left,
                                label.top, label.right - label.left, label.bottom - label.top, window, nullptr, nullptr, nullptr);
  if (editor == nullptr) return nullptr;
  SendMessageW(editor, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(s)), FALSE);
  s.editor = editor;
  s.editedRow = row;
  s.editorProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(editor, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc)));
  SendMessageW(editor, 0x00B1 /* EM_SETSEL */, 0, -1);
  SetFocus(editor);
  return editor;
}

void EndLabelEdit(HWND window, ListViewState& s, bool cancelled) {
  HWND editor = s.editor;
  if (editor == nullptr) return;
  int row = s.editedRow;
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(editor)), u'\0');
  if (!text.empty()) GetWindowTextW(editor, text.data(), static_cast<int>(text.size()) + 1);
  s.editor = nullptr;  // from here the editor's own end (its focus leaving) does nothing
  s.editedRow = -1;
  NMLVDISPINFOW info{};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = row;
  info.item.pszText = cancelled ? nullptr : text.data();
  info.item.cchTextMax = cancelled ? 0 : static_cast<int>(text.size()) + 1;
  if (ValidRow(s, row)) info.item.lParam = s.rows[static_cast<size_t>(row)].lParam;
  bool focusBack = GetFocus() == editor;
  LRESULT accept = NotifyParent(window, &info.hdr, LVN_ENDLABELEDITW);
  if (!cancelled && accept != 0 && ValidRow(s, row)) {
    ListRow& r = s.rows[static_cast<size_t>(row)];
    if (r.texts.empty()) r.texts.resize(1);
    r.texts[0] = text;
  }
  SetWindowLongPtrW(editor, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(s.editorProcedure));
  DestroyWindow(editor);
  if (focusBack && IsWindow(window)) SetFocus(window);
  Repaint(s);
}

bool HandleListViewInput(HWND window, ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      StylusDown(window, s, PointOf(lParam));
      return true;
    case WM_MOUSEMOVE:
      if (s.stroke != ListViewState::Stroke::None) StylusMove(window, s, PointOf(lParam));
      return true;
    case WM_LBUTTONUP:
      StylusUp(window, s, PointOf(lParam));
      return true;
    case WM_LBUTTONDBLCLK: {
      POINT p = PointOf(lParam);
      NotifyActivate(window, s, NM_DBLCLK, RowAt(window, s, p), p);
      return true;
    }
    case WM_RBUTTONDOWN: {
      POINT p = PointOf(lParam);
      NotifyActivate(window, s, NM_RCLICK, RowAt(window, s, p), p);
      return true;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) s.stroke = ListViewState::Stroke::None;
      return true;
    case WM_KEYDOWN:
      KeyDown(window, s, static_cast<UINT>(wParam));
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      s.focused = message == WM_SETFOCUS;
      Repaint(s);
      NMHDR notice{};
      NotifyParent(window, &notice, s.focused ? NM_SETFOCUS : NM_KILLFOCUS);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace devcontrols
