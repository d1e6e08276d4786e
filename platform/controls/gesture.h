// Tap-and-hold: the stylus held still on a control. The device recognises a
// hold when the stylus stays down within kHoldSlop pixels (at 96 dots per
// inch, scaled to the screen) of where it went down for kHoldMilliseconds.
// The list view then notifies its parent (code 1000, NMRGINFO), the toolbar
// shows the button's tooltip, and SHRecognizeGesture answers
// GN_CONTEXTMENU.
//
// Recognition waits on the calling (user-interface) thread: it looks at the
// stylus messages waiting for the thread without taking them, and sleeps in
// short steps (virtual time in tests) while the stylus stays down and still.
// A lift or a move beyond the slop ends it unrecognised and leaves that
// message for the window; small moves inside the slop are dropped.
#pragma once

#include "platform/shell/shell_types.h"
#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

namespace devcontrols {

constexpr DWORD kHoldMilliseconds = 500;
constexpr int kHoldSlop = 5;

// `down` in the client coordinates of `window`.
bool RecognizeHold(HWND window, POINT down);
// What the list view and the toolbar ask, as on the device: whether
// SHRecognizeGesture answers GN_CONTEXTMENU for the stylus down at `down`
// (so a test's scripted answer decides there too).
bool HoldRecognized(HWND window, POINT down);
// SHRecognizeGesture's recogniser: GN_CONTEXTMENU for a hold, else 0; with
// SHRG_NOTIFYPARENT a recognised hold is also sent to the window's parent
// (WM_NOTIFY, NMRGINFO, code GN_CONTEXTMENU).
DWORD RecognizeGesture(const SHRGINFO& info);

}  // namespace devcontrols
