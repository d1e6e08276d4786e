// The device's input hardware: the stylus on the screen and the keys
// (buttons on the case included). Backends and the test control report
// what the user does here; the windows layer turns each event into a
// message when a thread retrieves it (GetMessageW, PeekMessageW), after the
// thread's posted messages and before WM_PAINT and the timers.
//
// Routing, as on the device:
//  - The stylus goes to the window holding the capture, else to the deepest
//    shown, enabled window under the point (WindowFromPoint), as
//    WM_LBUTTONDOWN (wParam MK_LBUTTON), WM_MOUSEMOVE (MK_LBUTTON while the
//    stylus is down) and WM_LBUTTONUP, with the point in that window's client
//    coordinates (signed 16-bit x and y in lParam). Putting the stylus down
//    on a window whose top-level window is not active first activates it
//    (WM_ACTIVATE with WA_CLICKACTIVE). A point over no window is dropped.
//  - A key pressed while a window holds it as a hot key (platform/shell/
//    hot_keys.h) reaches that window as two WM_HOTKEY messages, one for the
//    key going down and one for it coming up (wParam the identifier, lParam
//    MAKELONG(the registered modifiers, the key)). An application key that
//    the shell associated with a window goes to that window as WM_KEYDOWN and
//    WM_KEYUP; one the shell still holds goes to the shell (nowhere here).
//    Every other key goes to the focus window of the foreground window's
//    thread (the foreground window itself when nothing has the focus) as
//    WM_KEYDOWN (lParam 1, bit 30 set when the key was already down) and
//    WM_KEYUP (lParam 1 with bits 30 and 31); TranslateMessage adds WM_CHAR.
// All calls are safe from any thread.
//
// The input layer sits below the windows layer: it hands each event to a
// sink that the windows layer registers, which keeps the events and the
// keys held down under its own lock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/types/device_types.h"
#include "platform/types/geometry_types.h"

namespace devinput {

// One event of the device's input hardware (the stylus and the keys), in
// screen coordinates, waiting to be turned into a message for the window
// that takes it when a thread retrieves it.
struct RawInput {
  enum class Kind : uint8_t { StylusDown, StylusMove, StylusUp, KeyDown, KeyUp };
  Kind kind = Kind::StylusDown;
  POINT point{0, 0};  // stylus
  UINT key = 0;       // virtual key
};

// Where events go: the windows layer's input list. Without a sink (no
// windows layer in the program) events are dropped, nothing is pending and
// no key is down.
struct InputSink {
  void (*report)(const RawInput& event);  // keep it and wake the threads
  size_t (*pending)();                    // events not yet taken
  bool (*isDown)(UINT virtualKey);        // 0x01 (VK_LBUTTON): the stylus
};
// Registered once, before input arrives; `sink` lives for the process.
void SetInputSink(const InputSink* sink);

// Screen coordinates.
void StylusDown(int x, int y);
void StylusMove(int x, int y);
void StylusUp(int x, int y);
void KeyDown(UINT virtualKey);
void KeyUp(UINT virtualKey);
// Input events reported and not yet taken by any thread.
size_t PendingInput();

}  // namespace devinput

// Whether a key is down now: the high bit (the answer is negative) when it
// is, as the device answers; GetAsyncKeyState answers the same.
short GetKeyState(int virtualKey);
short GetAsyncKeyState(int virtualKey);
