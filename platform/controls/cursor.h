// The cursor: the device shows only the arrow (nothing) and the wait
// cursor. LoadCursorW gives one of the two shared cursors (null for any
// other name); SetCursor makes one current and answers the previous one;
// null hides it. The cursor is state: it is never painted into the device
// screen (screenshots stay comparable); the SDL2 window shows the
// desktop's busy cursor while the wait cursor is current, and tests read
// it and the journal of its changes (platform/testing/ui.h).
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/gdi_handles.h"

#define IDC_ARROW (reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(32512)))
#define IDC_WAIT (reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(32514)))

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

namespace devcontrols {
// Whether the wait cursor is current (the SDL2 window asks each frame).
bool WaitCursorShown();
}  // namespace devcontrols
