// What every control of this area shares (internal to platform/controls):
// its state object kept in the window's extra bytes, the font, redraw and
// enabled state, notifications to the parent, the parent's colours, and
// the few drawing helpers the plain device look needs (solid fills,
// one-pixel frames, text in a rectangle).
#pragma once

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/text_drawing/text.h"
#include "platform/controls/notifications.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/messages.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace devcontrols {

// Registers a control class whose windows keep a state pointer in their
// first extra bytes; an existing class of that name is accepted.
bool RegisterControlClass(const char16_t* name, WNDPROC procedure, HBRUSH background = nullptr);

template <class State>
State* StateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(window, 0));
}
void SetStateOf(HWND window, void* state);

// The state all controls hold: the font set by WM_SETFONT and whether
// WM_SETREDRAW switched drawing off.
struct ControlBase {
  HWND window = nullptr;
  HFONT font = nullptr;
  bool redraw = true;
};

// Handles WM_SETFONT, WM_GETFONT, WM_SETREDRAW and WM_ENABLE (which
// repaint); true when the message was one of them.
bool HandleCommonMessage(ControlBase& base, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
// The font to draw with: the one set, else the system font.
HFONT FontOf(const ControlBase& base);
// Repaints unless drawing is switched off.
void Repaint(const ControlBase& base);

DWORD StyleOf(HWND window);
int ControlId(HWND window);
bool IsEnabled(HWND window);

// Notifications, sent at once to the parent; the parent's answer.
LRESULT CommandParent(HWND control, WORD code);
LRESULT NotifyParent(HWND control, NMHDR* header, UINT code);

// Asks the parent for the colours (WM_CTLCOLORSTATIC, ...EDIT, ...BTN): the
// brush it answers (the window colour when none) with the DC's text and
// background colours as it left them.
HBRUSH ParentColours(HWND control, HDC dc, UINT message);

// Signed client coordinates of a stylus message.
POINT PointOf(LPARAM lParam);
// Pixels at 96 dots per inch scaled to the screen's resolution.
int Scaled(int pixels);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour);  // one pixel inside rect
// The one-pixel frame of a WS_BORDER control, drawn in its non-client edge.
void PaintBorder(HWND window);
COLORREF SysColour(int index);
int TextWidth(HDC dc, const std::u16string& text);
void DrawTextIn(HDC dc, const std::u16string& text, RECT rect, UINT format);
// The height of one line of text in the font.
int LineHeight(HFONT font);

// BeginPaint..EndPaint with the control's font selected.
class PaintScope {
 public:
  PaintScope(HWND window, HFONT font);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
  HGDIOBJ previousFont_;
};

// A memory DC for measuring text in a font, deleted with the scope.
class MeasureScope {
 public:
  explicit MeasureScope(HFONT font);
  ~MeasureScope();
  MeasureScope(const MeasureScope&) = delete;
  MeasureScope& operator=(const MeasureScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previousFont_;
};

// A check box or radio mark in a square cell.
void DrawCheckMark(HDC dc, const RECT& box, bool checked, bool radio, bool enabled);
// A small filled triangle pointing down (drop-down arrows) or the given way.
enum class Arrow { Up, Down, Left, Right };
void DrawArrow(HDC dc, const RECT& cell, Arrow direction, COLORREF colour);

// Text as a std::u16string from a device pointer (null gives "").
std::u16string TextFrom(LPCWSTR text);
// Copies text into a caller's buffer of `capacity` characters (with the
// null); the characters copied, without it.
int CopyTextOut(const std::u16string& text, LPWSTR buffer, int capacity);

}  // namespace devcontrols
