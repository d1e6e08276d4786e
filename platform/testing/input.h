// Test control of the input hardware: what a user does with the stylus and
// the keys, reported through platform/input/device_input.h (which sets out
// where each event goes) and then delivered by pumping the calling thread's
// messages (devtest::PumpMessages). A key is pumped after each event. A
// stylus stroke (Tap, Drag) is reported whole and then pumped: each event
// is routed when it is retrieved, so the handlers of one event have run
// before the next one is routed, and a handler that waits for a hold
// (SHRecognizeGesture) sees the stroke go on at once, as with a quick tap.
// TapAndHold pumps between down and up: a waiting handler sees the stylus
// stay down, and in virtual time the hold is recognised.
#pragma once

#include <vector>

#include "platform/types/device_types.h"
#include "platform/windows/messages.h"

namespace devtest {

// The stylus down and up at one screen point.
void Tap(int x, int y);
// The stylus down at a point, its handlers run (a hold is recognised there
// in virtual time), then lifted.
void TapAndHold(int x, int y);
// The stylus down at the first point, moved through the others and lifted
// at the last one (at least two points).
void Drag(const std::vector<POINT>& points);
// A key pressed and released (a virtual key of platform/input/virtual_keys.h).
void PressKey(UINT virtualKey);
// A key held down while another is pressed (VK_SHIFT with a letter).
void PressKeyWith(UINT modifierKey, UINT virtualKey);
// A hardware button on the case (an application key 0xC1-0xCF) pressed
// and released; the same as PressKey, named for what the user does.
void PressHardwareButton(UINT applicationKey);

}  // namespace devtest
