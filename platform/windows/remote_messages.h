// Messages to and from windows of other processes. Internal to
// platform/windows.
#pragma once

#include "platform/windows/window_object.h"

namespace devwin {

// Messages whose parameters point into the sender's memory and so cannot
// reach another process.
bool CarriesPointer(UINT message);

// False (with the last error set) when the window's process cannot be
// reached, the window is gone or (for a send) no answer came in time.
bool SendToProcess(const WindowIdentity& window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                   LRESULT* result);
bool PostToProcess(const WindowIdentity& window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace devwin
