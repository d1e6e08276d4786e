// Keyboard navigation in dialogs: Tab order, Enter, Escape, and
// IsDialogMessageW for program loops that want it.
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/edit.h"
#include "platform/dialogs/dialog_state.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace devdialog {
namespace {

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

bool IsClass(HWND window, const char16_t* name) {
  WCHAR buffer[32];
  return GetClassNameW(window, buffer, 32) > 0 && std::u16string(buffer) == name;
}

bool IsPushButton(HWND window) {
  if (!IsClass(window, u"BUTTON")) return false;
  DWORD type = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// The direct child of `dialog` that holds `window` (null when outside).
HWND ControlOf(HWND dialog, HWND window) {
  while (window != nullptr && GetParent(window) != dialog) {
    if (!IsChild(dialog, window)) return nullptr;
    window = GetParent(window);
  }
  return window;
}

// Whether the control takes `key` itself instead of the dialog.
bool ControlWantsKey(HWND control, const MSG& message) {
  if (control == nullptr) return false;
  LRESULT code = SendMessageW(control, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (code & DLGC_WANTALLKEYS) return true;
  if (message.wParam == VK_TAB && (code & DLGC_WANTTAB)) return true;
  if (message.wParam == VK_RETURN && IsClass(control, u"EDIT")) {
    DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    return (style & ES_MULTILINE) && (style & ES_WANTRETURN);
  }
  return false;
}

void Command(HWND dialog, int id, HWND control) {
  SendMessageW(dialog, WM_COMMAND, MAKELONG(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

}  // namespace

bool HandleDialogKey(HWND dialog, const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != dialog && !IsChild(dialog, message.hwnd)) return false;
  HWND focus = GetFocus();
  HWND control = ControlOf(dialog, focus);
  switch (message.wParam) {
    case VK_TAB: {
      if (ControlWantsKey(focus, message)) return false;
      HWND next = GetNextDlgTabItem(dialog, control, GetKeyState(VK_SHIFT) < 0 ? TRUE : FALSE);
      if (next != nullptr) SetFocus(next);
      return true;
    }
    case VK_RETURN: {
      if (ControlWantsKey(focus, message)) return false;
      if (control != nullptr && IsPushButton(control)) {
        if (IsWindowEnabled(control)) Command(dialog, GetDlgCtrlID(control), control);
        return true;
      }
      LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
      if (HIWORD(static_cast<uintptr_t>(defId)) == DC_HASDEFID) {
        int id = LOWORD(static_cast<uintptr_t>(defId));
        HWND button = GetDlgItem(dialog, id);
        if (button == nullptr || IsWindowEnabled(button)) Command(dialog, id, button);
        return true;
      }
      Command(dialog, IDOK, nullptr);
      return true;
    }
    case VK_ESCAPE:
      if (ControlWantsKey(focus, message)) return false;
      Command(dialog, IDCANCEL, GetDlgItem(dialog, IDCANCEL));
      return true;
  }
  return false;
}

}  // namespace devdialog

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  std::vector<HWND> children = devdialog::Children(dialog);
  size_t count = children.size();
  if (count == 0) return nullptr;
  size_t start = count;  // none: begin at the first (or last)
  for (size_t i = 0; i < count; ++i) {
    if (children[i] == control) start = i;
  }
  for (size_t step = 1; step <= count; ++step) {
    size_t index;
    if (start == count) index = previous ? count - step : step - 1;
    else index = previous ? (start + count - step) % count : (start + step) % count;
    HWND candidate = children[index];
    DWORD style = static_cast<DWORD>(GetWindowLongW(candidate, GWL_STYLE));
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return candidate;
  }
  return nullptr;
}

BOOL IsDialogMessageW(HWND dialog, MSG* message) {
  if (message == nullptr || !IsWindow(dialog)) return FALSE;
  if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return FALSE;
  if (devdialog::HandleDialogKey(dialog, *message)) return TRUE;
  TranslateMessage(message);
  DispatchMessageW(message);
  return TRUE;
}
