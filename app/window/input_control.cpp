// InputControl: creation, the edit box's own procedure, showing and
// hiding, and the test of a child's change notification.
#include "app/window/input_control.h"

#include "app/window/key_records.h"
#include "platform/controls/edit.h"
#include "platform/gdi/gdi.h"
#include "platform/input/device_input.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

constexpr DWORD kEditStyle = 0x50810080;      // child, visible, border, tab stop, automatic sideways scroll
constexpr DWORD kDropDownStyle = 0x50000003;  // child, visible, drop-down list
constexpr DWORD kStaticStyle = 0x50000000;    // child, visible
constexpr uint32_t kEditLimit = 510;
constexpr UINT kMouseWheel = 0x020A;
constexpr uint32_t kRunCommand = 26;
constexpr uint32_t kFullScreenCommand = 55;

InputControl* ControlOf(HWND window) {
  return reinterpret_cast<InputControl*>(GetWindowLongPtrW(window, GWL_USERDATA));
}

LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  InputControl* control = ControlOf(window);
  if (control == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  InputCodeSink* sink = control->sink();
  switch (message) {
    case kInputControlQuery:
      return static_cast<LRESULT>(kInputControlIdentity);
    case WM_KEYDOWN: {
      DWORD start = 0, end = 0;
      control->CallPrevious(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const uint32_t length = static_cast<uint32_t>(GetWindowTextLengthW(window));
      uint32_t code = 0;
      const bool shift = GetKeyState(0x10) < 0;
      if (!EditBoxKeyCode(static_cast<uint32_t>(wParam), shift, start, length, start == end, &code)) break;
      if (sink != nullptr) {
        const bool taken = sink->OnInputCode(code, kNoCommand);
        // Enter that no element takes runs the command of full screen.
        if (code == 23 && !taken) sink->OnInputCode(kRunCommand, kFullScreenCommand);
      }
      return 0;
    }
    case WM_CHAR:
      if (EditBoxSwallowsChar(static_cast<uint32_t>(wParam))) return 0;
      break;
    case kMouseWheel:
      if (sink != nullptr) sink->OnInputCode(static_cast<int16_t>(wParam >> 16) < 0 ? 15 : 16, kNoCommand);
      return 0;
    default:
      break;
  }
  return control->CallPrevious(window, message, wParam, lParam);
}

}  // namespace

LRESULT InputControl::CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return previous_ != nullptr ? CallWindowProcW(previous_, window, message, wParam, lParam)
                              : DefWindowProcW(window, message, wParam, lParam);
}

bool InputControl::Create(HWND parent, InputCodeSink* sink, uint16_t id, int type, const int32_t rect[4],
                          void* data) {
  context_.Init();
  const WCHAR* className = nullptr;
  DWORD style = 0;
  switch (type) {
    case kEdit: className = u"EDIT"; style = kEditStyle; break;
    case kDropDownList: className = u"COMBOBOX"; style = kDropDownStyle; break;
    case kStatic: className = u"STATIC"; style = kStaticStyle; break;
    default: return false;
  }
  sink_ = sink;
  data_ = data;
  id_ = id;
  for (int i = 0; i < 4; ++i) rect_[i] = rect[i];
  window_ = CreateWindowExW(0, className, u"", style, rect[0], rect[1], rect[2], rect[3], parent,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
  if (window_ == nullptr) return false;
  SetFocus(window_);
  context_.Attach(this, window_);
  if (type == kEdit) {
    SetWindowLongPtrW(window_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProcedure)));
    SendMessageW(window_, EM_LIMITTEXT, kEditLimit, 0);
  }
  return true;
}

void InputControl::SetTextCaretAtEnd(const WCHAR* text) {
  if (window_ == nullptr) return;
  SetWindowTextW(window_, text != nullptr ? text : u"");
  const int length = GetWindowTextLengthW(window_);
  SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(length), length);
}

bool InputControl::GetText(EncodedString* out) const {
  out->Clear();
  if (window_ == nullptr) return false;
  const int length = GetWindowTextLengthW(window_);
  if (length <= 0) {
    out->FromWide(u"");
    return true;
  }
  out->FromWide(u"");
  if (!out->ReserveChars(static_cast<uint32_t>(length) + 1)) return false;
  WCHAR* chars = reinterpret_cast<WCHAR*>(out->LockRegion(0, static_cast<uint32_t>(length + 1) * 2));
  if (chars == nullptr) return false;
  const int copied = GetWindowTextW(window_, chars, length + 1);
  out->AssignRaw(chars, static_cast<uint32_t>(copied) * 2, EncodedString::kUnitUtf16, 65002);
  out->SelectAll();
  return true;
}

void InputControl::Show(bool show) {
  if (window_ == nullptr) return;
  if (show) {
    MoveWindow(window_, rect_[0], rect_[1], rect_[2], rect_[3], FALSE);
    InvalidateRect(window_, nullptr, TRUE);
    EnableWindow(window_, TRUE);
    SetFocus(window_);
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    return;
  }
  SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  SetFocus(GetParent(window_));
  EnableWindow(window_, FALSE);
  MoveWindow(window_, -1000, -1000, rect_[2], rect_[3], FALSE);
}

bool InputControl::SetFontFromList(const FontTable& fonts, uint8_t index) {
  if (window_ == nullptr) return false;
  if (font_ != nullptr) {
    SendMessageW(window_, WM_SETFONT, 0, FALSE);
    DeleteObject(font_);
    font_ = nullptr;
  }
  FontTableEntry entry;
  if (!fonts.GetEntry(index, &entry) || entry.name == nullptr) return false;
  LOGFONTW description{};
  description.lfHeight = -(rect_[3] - 4);  // a character height
  description.lfWeight = 400;
  const uint32_t units = entry.nameLength < LF_FACESIZE - 1 ? entry.nameLength : LF_FACESIZE - 1;
  for (uint32_t i = 0; i < units; ++i) description.lfFaceName[i] = entry.name[i];
  font_ = CreateFontIndirectW(&description);
  if (font_ == nullptr) return false;
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  return true;
}

void InputControl::Destroy() {
  context_.Init();
  if (font_ != nullptr) DeleteObject(font_);
  font_ = nullptr;
  if (window_ != nullptr && IsWindow(window_)) {
    // The edit box's own procedure comes back first: its destruction frees
    // what it keeps.
    if (previous_ != nullptr) SetWindowLongPtrW(window_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    previous_ = nullptr;
    SetWindowLongPtrW(window_, GWL_USERDATA, 0);
    DestroyWindow(window_);
  }
  window_ = nullptr;
}

bool IsInputControlNotification(WPARAM wParam, HWND control, InputCodeSink* sink) {
  if (control == nullptr || !IsWindow(control)) return false;
  if (static_cast<uintptr_t>(SendMessageW(control, kInputControlQuery, 0, 0)) != kInputControlIdentity) return false;
  InputControl* input = ControlOf(control);
  if (input == nullptr || input->window() != control) return false;
  if (((wParam >> 16) & 0xFFFF) != EN_CHANGE) return false;
  if (sink != nullptr) sink->OnInputCode(25, kNoCommand);
  return true;
}
