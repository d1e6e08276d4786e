// The failing stand-ins of pending_platform_calls.h.
#include "foundation/system/pending_platform_calls.h"

BOOL ShellExecuteExW(SHELLEXECUTEINFOW*) { return FALSE; }
