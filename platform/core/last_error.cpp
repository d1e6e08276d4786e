// The last error is per thread, as on the device.
#include "platform/core/last_error.h"

namespace {
thread_local DWORD g_lastError = ERROR_SUCCESS;
}

DWORD GetLastError() { return g_lastError; }
void SetLastError(DWORD error) { g_lastError = error; }
