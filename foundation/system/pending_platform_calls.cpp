// The failing stand-ins of pending_platform_calls.h.
#include "foundation/system/pending_platform_calls.h"

LRESULT SendDlgItemMessageW(HWND, int, UINT, WPARAM, LPARAM) { return 0; }

UINT GetDlgItemTextW(HWND, int, LPWSTR text, int count) {
  if (text != nullptr && count > 0) text[0] = 0;
  return 0;
}

BOOL SetDlgItemTextW(HWND, int, LPCWSTR) { return FALSE; }

HWND GetDlgItem(HWND, int) { return nullptr; }

BOOL SetMenuItemInfoW(HMENU, UINT, BOOL, const MENUITEMINFOW*) { return FALSE; }

BOOL ShellExecuteExW(SHELLEXECUTEINFOW*) { return FALSE; }

BOOL GetOpenFileNameW(OPENFILENAMEW*) { return FALSE; }
