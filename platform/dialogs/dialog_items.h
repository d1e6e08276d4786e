// The dialog-item calls: a dialog's controls found by their identifiers
// (the child identifier given at creation) and reached through the window
// calls and messages they stand for. Each call on an item that does not
// exist fails as the device does: null, 0 or FALSE, an empty text.
#pragma once

#include "platform/windows/window_types.h"

// The identifiers of the standard answers and buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The direct child of `dialog` whose identifier is `item` (null when none).
HWND GetDlgItem(HWND dialog, int item);
// The identifier of a child window (0 for a top-level window or none).
int GetDlgCtrlID(HWND window);
LRESULT SendDlgItemMessageW(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextW(HWND dialog, int item, LPCWSTR text);
// The characters copied (the text cut to count - 1 and ended with NUL).
UINT GetDlgItemTextW(HWND dialog, int item, LPWSTR text, int count);
BOOL SetDlgItemInt(HWND dialog, int item, UINT value, BOOL isSigned);
// The item's text read as a decimal number (blanks before it allowed, a
// minus sign when signed); `translated` tells whether it was one and fit.
UINT GetDlgItemInt(HWND dialog, int item, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int item, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int item);
