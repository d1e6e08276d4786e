// The dialog-item calls over the window calls and the buttons' messages.
#include "platform/dialogs/dialog_items.h"

#include <climits>
#include <cstdint>
#include <cstdio>

#include "platform/controls/button.h"
#include "platform/core/last_error.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

HWND GetDlgItem(HWND dialog, int item) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == item) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND window) {
  if (!IsWindow(window) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0) return 0;
  return static_cast<int>(GetWindowLongPtrW(window, GWL_ID));
}

LRESULT SendDlgItemMessageW(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, item);
  return control != nullptr ? SendMessageW(control, message, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int item, LPCWSTR text) {
  HWND control = GetDlgItem(dialog, item);
  return control != nullptr ? SetWindowTextW(control, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int item, LPWSTR text, int count) {
  if (text != nullptr && count > 0) text[0] = 0;
  HWND control = GetDlgItem(dialog, item);
  if (control == nullptr || text == nullptr || count <= 0) return 0;
  int read = GetWindowTextW(control, text, count);
  return read > 0 ? static_cast<UINT>(read) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int item, UINT value, BOOL isSigned) {
  char digits[16];
  if (isSigned) {
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
  } else {
    std::snprintf(digits, sizeof digits, "%u", value);
  }
  WCHAR text[16] = {};
  for (int i = 0; digits[i] != 0 && i < 15; ++i) text[i] = static_cast<WCHAR>(digits[i]);
  return SetDlgItemTextW(dialog, item, text);
}

UINT GetDlgItemInt(HWND dialog, int item, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  WCHAR text[32];
  UINT length = GetDlgItemTextW(dialog, item, text, 32);
  UINT at = 0;
  while (at < length && text[at] == u' ') ++at;
  bool negative = false;
  if (isSigned && at < length && text[at] == u'-') {
    negative = true;
    ++at;
  }
  if (at >= length || text[at] < u'0' || text[at] > u'9') return 0;
  uint64_t value = 0;
  for (; at < length && text[at] >= u'0' && text[at] <= u'9'; ++at) {
    value = value * 10 + static_cast<uint64_t>(text[at] - u'0');
    if (value > UINT_MAX) return 0;
  }
  while (at < length && text[at] == u' ') ++at;
  if (at != length) return 0;
  if (isSigned && value > (negative ? static_cast<uint64_t>(INT_MAX) + 1 : static_cast<uint64_t>(INT_MAX))) return 0;
  if (translated != nullptr) *translated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<int64_t>(value)) : static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int item, UINT check) {
  HWND button = GetDlgItem(dialog, item);
  if (button == nullptr) return FALSE;
  SendMessageW(button, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int item) {
  HWND button = GetDlgItem(dialog, item);
  return button != nullptr ? static_cast<UINT>(SendMessageW(button, BM_GETCHECK, 0, 0)) : 0;
}
