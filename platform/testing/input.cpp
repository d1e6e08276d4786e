// The input test control: user actions reported to the input hardware and delivered.
#include "platform/input/device_input.h"
#include "platform/testing/input.h"
#include "platform/testing/windows.h"

namespace devtest {

// A stroke's events are reported together and then delivered: the
// windows layer routes each one when it is retrieved, so a handler of the
// stylus going down sees the rest of the stroke waiting, as a person's
// quick tap would be (no hold is recognised in it).
void Tap(int x, int y) {
  devinput::StylusDown(x, y);
  devinput::StylusUp(x, y);
  PumpMessages();
}

void TapAndHold(int x, int y) {
  devinput::StylusDown(x, y);
  PumpMessages();
  devinput::StylusUp(x, y);
  PumpMessages();
}

void Drag(const std::vector<POINT>& points) {
  if (points.size() < 2) return;
  devinput::StylusDown(points.front().x, points.front().y);
  for (size_t i = 1; i < points.size(); ++i) devinput::StylusMove(points[i].x, points[i].y);
  devinput::StylusUp(points.back().x, points.back().y);
  PumpMessages();
}

void PressKey(UINT virtualKey) {
  devinput::KeyDown(virtualKey);
  PumpMessages();
  devinput::KeyUp(virtualKey);
  PumpMessages();
}

void PressKeyWith(UINT modifierKey, UINT virtualKey) {
  devinput::KeyDown(modifierKey);
  PumpMessages();
  PressKey(virtualKey);
  devinput::KeyUp(modifierKey);
  PumpMessages();
}

void PressHardwareButton(UINT applicationKey) { PressKey(applicationKey); }

}  // namespace devtest
