// InputControl: a control made at run time over the reading view (an edit
// box, a drop-down list or a static text) for the page elements that take
// text. An edit box is subclassed: its navigation keys become element codes
// for the reading view (Tab and Shift+Tab the next and previous field,
// Enter 23 and then, when no element takes it, 26 with command 55, Left at
// the start and Right at the end leave the box), and a change of its text
// reaches the main window as typed input (code 25).
#pragma once

#include <cstdint>

#include "app/window/input_context.h"
#include "foundation/encoded_string/encoded_string.h"
#include "layout/drawing/font_table.h"
#include "platform/types/gdi_handles.h"
#include "platform/types/window_handle.h"
#include "platform/windows/window_types.h"

// Where the control's codes go: the drawing surface's command operation.
// True when an element took the code.
class InputCodeSink {
 public:
  virtual bool OnInputCode(uint32_t code, uint32_t command) = 0;

 protected:
  ~InputCodeSink() = default;
};

// The value an input control answers to the private query 1025, by which
// the main window knows its own controls.
constexpr uint32_t kInputControlQuery = 1025;
constexpr uintptr_t kInputControlIdentity = 0x51C0DE31;

class InputControl {
 public:
  enum Type { kEdit = 0, kDropDownList = 1, kStatic = 2 };

  InputControl() = default;
  ~InputControl() { Destroy(); }
  InputControl(const InputControl&) = delete;
  InputControl& operator=(const InputControl&) = delete;

  // A child of `parent` at {x, y, width, height}; focused. Any other type
  // makes nothing (false).
  bool Create(HWND parent, InputCodeSink* sink, uint16_t id, int type, const int32_t rect[4], void* data);
  void SetTextCaretAtEnd(const WCHAR* text);
  bool GetText(EncodedString* out) const;
  // A font of the face of entry `index` of the font list, whose characters
  // are the control's height less 4 pixels, replacing the control's font.
  // False when the entry or the font is missing (the old font is gone).
  bool SetFontFromList(const FontTable& fonts, uint8_t index);
  HFONT font() const { return font_; }
  void Show(bool show);
  void Destroy();
  InputControl* Identity() { return this; }

  HWND window() const { return window_; }
  InputCodeSink* sink() const { return sink_; }
  LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  InputCodeSink* sink_ = nullptr;
  void* data_ = nullptr;
  uint16_t id_ = 0;
  InputContext context_;
  HWND window_ = nullptr;
  int32_t rect_[4] = {0, 0, 0, 0};
  HFONT font_ = nullptr;
  WNDPROC previous_ = nullptr;
};

// For WM_COMMAND from a child: true when `control` is an input control and
// the notification is a change of its text, which then reaches `sink` as
// code 25.
bool IsInputControlNotification(WPARAM wParam, HWND control, InputCodeSink* sink);
