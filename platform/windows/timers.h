// Window timers. A timer belongs to its window's thread and arrives as
// WM_TIMER (wParam the identifier, lParam the TIMERPROC or 0) through that
// thread's queue once it is due and nothing is posted; a timer whose period
// has passed several times before it is taken fires once. After firing it is
// due again one period later (periods under 1 ms count as 1 ms; the first
// firing of a 0 ms timer comes at once).
//
// Due times follow GetTickCount: the host's clock in the program, the virtual
// clock in tests, where devtest::AdvanceTimeAndPump (platform/testing/windows.h)
// steps from one due timer to the next.
#pragma once

#include "platform/windows/window_types.h"

// With a window: (window, id) names the timer, and setting it again replaces
// it (new period, counted from now); the answer is the id (1 for id 0).
// Only the window's own thread may set its timers. Without a window the
// timer is the calling thread's: a new id is chosen unless `id` names a
// thread timer already running, which is replaced. 0 on failure.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
// FALSE when no such timer runs.
BOOL KillTimer(HWND window, UINT_PTR id);
