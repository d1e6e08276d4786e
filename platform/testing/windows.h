// Test control of windows and messages.
//
// Virtual time: AdvanceTimeAndPump(ms), on the UI thread, moves the virtual
// clock (platform/testing/clock.h) forward by `ms` in steps, from one due
// timer of the thread to the next; at each step every timer then due fires
// once (one WM_TIMER each) and the thread's messages are pumped before the
// next step. So a repeating timer of period p fires n times in n * p
// milliseconds, and a handler that starts or stops timers is seen at once.
// devtest::AdvanceClock alone moves the clock without pumping (timers that
// came due fire once at the next pump).
//
// Reading the screen: the pixels of the screen bitmap (screen coordinates)
// or of a window (client coordinates), as 0x00RRGGBB, and PNG files of
// either. A window's picture is the screen under its client area, so what
// covers the window shows in it, as on the device's screen.
//
// ResetWindows() (part of the device reset) frees every window of the
// process without calling any procedure (the objects a test's procedures
// point at may be gone), forgets every class and every window of other
// processes, empties every queue (posted messages, WM_QUIT, timers, focus,
// activation, capture) and the pending input, and drops the screen (made
// anew at its next use from the profile).
#pragma once

#include <string>

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

namespace devtest {

// Dispatches what the calling thread's queue holds (sent messages, posted
// messages, due timers), with TranslateMessage, until nothing is left or a
// WM_QUIT is next, which stays in the queue. The number of messages
// dispatched.
int PumpMessages();
void AdvanceTimeAndPump(DWORD milliseconds);
// Waits up to `milliseconds` of real time until a message sent from
// another thread or process waits for the calling thread, and leaves it
// there for the next retrieval (a modal loop's); whether one waits.
bool WaitForIncomingSend(DWORD milliseconds);
// Whether a WM_QUIT waits in the calling thread's queue, and its exit code.
bool QuitPosted(int* exitCode = nullptr);
// Timers of the calling thread (of its windows and its own).
int TimerCount();
// Windows of this process.
int LiveWindowCount();

// Out of range: 0xFFFFFFFF.
uint32_t ScreenPixelRgb(int x, int y);
uint32_t WindowPixelRgb(HWND window, int x, int y);
bool WriteScreenPng(const std::string& path);
bool WriteWindowPng(HWND window, const std::string& path);

void ResetWindows();

}  // namespace devtest
