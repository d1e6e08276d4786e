// The failing stand-ins of pending_platform_calls.h.
#include "foundation/system/pending_platform_calls.h"

BOOL SetMenuItemInfoW(HMENU, UINT, BOOL, const MENUITEMINFOW*) { return FALSE; }

BOOL ShellExecuteExW(SHELLEXECUTEINFOW*) { return FALSE; }

BOOL GetOpenFileNameW(OPENFILENAMEW*) { return FALSE; }
