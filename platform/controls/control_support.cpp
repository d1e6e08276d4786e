// What the controls share: state, font, redraw, notifications, colours and
// the plain drawing of the device's look.
#include "platform/controls/control_support.h"

#include <algorithm>

#include "platform/gdi/display_metrics.h"

namespace devcontrols {

bool RegisterControlClass(const char16_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSW wc{};
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  if (RegisterClassW(&wc) != 0) return true;
  WNDCLASSW existing{};
  return GetClassInfoW(nullptr, name, &existing) != FALSE;
}

void SetStateOf(HWND window, void* state) { SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(state)); }

bool HandleCommonMessage(ControlBase& base, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_SETFONT:
      base.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<uintptr_t>(lParam))) Repaint(base);
      *result = 0;
      return true;
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(base.font);
      return true;
    case WM_SETREDRAW:
      base.redraw = wParam != 0;
      if (base.redraw) InvalidateRect(base.window, nullptr, TRUE);
      *result = 0;
      return true;
    case WM_ENABLE:
      Repaint(base);
      *result = 0;
      return true;
    default:
      return false;
  }
}

HFONT FontOf(const ControlBase& base) {
  return base.font ? base.font : reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

void Repaint(const ControlBase& base) {
  if (base.redraw) InvalidateRect(base.window, nullptr, TRUE);
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }
int ControlId(HWND window) { return static_cast<int>(GetWindowLongPtrW(window, GWL_ID)); }
bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

LRESULT CommandParent(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (parent == nullptr) return 0;
  WPARAM wParam = MAKELONG(static_cast<WORD>(ControlId(control)), code);
  return SendMessageW(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR* header, UINT code) {
  HWND parent = GetParent(control);
  header->hwndFrom = control;
  header->idFrom = static_cast<UINT_PTR>(ControlId(control));
  header->code = code;
  if (parent == nullptr) return 0;
  return SendMessageW(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

HBRUSH ParentColours(HWND control, HDC dc, UINT message) {
  SetTextColor(dc, SysColour(COLOR_WINDOWTEXT));
  SetBkColor(dc, SysColour(COLOR_WINDOW));
  HWND parent = GetParent(control);
  HBRUSH brush = nullptr;
  if (parent) brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(control)));
  return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))),
               static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
}

int Scaled(int pixels) { return pixels * devgdi::Display().dpi / 96; }

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  COLORREF previous = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour) {
  FillSolid(dc, RECT{r.left, r.top, r.right, r.top + 1}, colour);
  FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, colour);
  FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, colour);
  FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, colour);
}

void PaintBorder(HWND window) {
  if (!(StyleOf(window) & (WS_BORDER | WS_DLGFRAME))) return;
  HDC dc = GetWindowDC(window);
  RECT whole;
  GetWindowRect(window, &whole);
  RECT frame{0, 0, whole.right - whole.left, whole.bottom - whole.top};
  FrameSolid(dc, frame, SysColour(COLOR_WINDOWFRAME));
  ReleaseDC(window, dc);
}

COLORREF SysColour(int index) { return static_cast<COLORREF>(GetSysColor(index)); }

int TextWidth(HDC dc, const std::u16string& text) {
  if (text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void DrawTextIn(HDC dc, const std::u16string& text, RECT rect, UINT format) {
  if (text.empty()) return;
  int mode = SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
  SetBkMode(dc, mode);
}

int LineHeight(HFONT font) {
  MeasureScope measure(font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure.dc(), &metrics);
  return std::max<int>(1, metrics.tmHeight);
}

PaintScope::PaintScope(HWND window, HFONT font) : window_(window) {
  dc_ = BeginPaint(window, &paint_);
  previousFont_ = SelectObject(dc_, font);
}

PaintScope::~PaintScope() {
  SelectObject(dc_, previousFont_);
  EndPaint(window_, &paint_);
}

MeasureScope::MeasureScope(HFONT font) {
  dc_ = CreateCompatibleDC(nullptr);
  previousFont_ = SelectObject(dc_, font);
}

MeasureScope::~MeasureScope() {
  SelectObject(dc_, previousFont_);
  DeleteDC(dc_);
}

void DrawCheckMark(HDC dc, const RECT& box, bool checked, bool radio, bool enabled) {
  COLORREF ink = SysColour(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  FillSolid(dc, box, SysColour(COLOR_WINDOW));
  FrameSolid(dc, box, ink);
  if (!checked) return;
  int inset = std::max(2, static_cast<int>(box.right - box.left) / 4);
  RECT mark{box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
  if (radio) {
    FillSolid(dc, mark, ink);
    return;
  }
  // A tick: two strokes drawn as one-pixel-wide columns.
  int w = mark.right - mark.left, h = mark.bottom - mark.top;
  int knee = w / 3;
  for (int x = 0; x < w; ++x) {
    int y = x <= knee ? h / 2 + x : h / 2 + knee - (x - knee) * (h / 2 + knee) / std::max(1, w - knee);
    y = std::clamp(y, 0, h - 2);
    FillSolid(dc, RECT{mark.left + x, mark.top + y, mark.left + x + 1, mark.top + y + 2}, ink);
  }
}

void DrawArrow(HDC dc, const RECT& cell, Arrow direction, COLORREF colour) {
  int w = cell.right - cell.left, h = cell.bottom - cell.top;
  int size = std::max(2, std::min(w, h) / 4);
  int cx = cell.left + w / 2, cy = cell.top + h / 2;
  for (int i = 0; i < size; ++i) {
    switch (direction) {
      case Arrow::Down:
        FillSolid(dc, RECT{cx - size + i + 1, cy - size / 2 + i, cx + size - i, cy - size / 2 + i + 1}, colour);
        break;
      case Arrow::Up:
        FillSolid(dc, RECT{cx - size + i + 1, cy + size / 2 - i, cx + size - i, cy + size / 2 - i + 1}, colour);
        break;
      case Arrow::Right:
        FillSolid(dc, RECT{cx - size / 2 + i, cy - size + i + 1, cx - size / 2 + i + 1, cy + size - i}, colour);
        break;
      case Arrow::Left:
        FillSolid(dc, RECT{cx + size / 2 - i, cy - size + i + 1, cx + size / 2 - i + 1, cy + size - i}, colour);
        break;
    }
  }
}

std::u16string TextFrom(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

int CopyTextOut(const std::u16string& text, LPWSTR buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return 0;
  int count = std::min(static_cast<int>(text.size()), capacity - 1);
  std::copy(text.begin(), text.begin() + count, buffer);
  buffer[count] = 0;
  return count;
}

}  // namespace devcontrols
