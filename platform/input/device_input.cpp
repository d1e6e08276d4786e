// Reporting input events into the windows layer's input list
// (device_input.h); the events become messages in input_delivery.cpp.
#include "platform/input/device_input.h"

#include <new>

#include "platform/windows/window_manager.h"

using namespace devwin;

namespace {

void Report(RawInput::Kind kind, int x, int y, UINT key) {
  try {
    std::lock_guard<std::mutex> guard(Manager().lock);
    RawInput event;
    event.kind = kind;
    event.point = POINT{x, y};
    event.key = key & 0xFF;
    Manager().input.push_back(event);
    WakeAllQueues();
  } catch (const std::bad_alloc&) {
    // An event that cannot be kept is lost, as on a device out of memory.
  }
}

}  // namespace

namespace devinput {

void StylusDown(int x, int y) { Report(RawInput::Kind::StylusDown, x, y, 0); }
void StylusMove(int x, int y) { Report(RawInput::Kind::StylusMove, x, y, 0); }
void StylusUp(int x, int y) { Report(RawInput::Kind::StylusUp, x, y, 0); }
void KeyDown(UINT virtualKey) { Report(RawInput::Kind::KeyDown, 0, 0, virtualKey); }
void KeyUp(UINT virtualKey) { Report(RawInput::Kind::KeyUp, 0, 0, virtualKey); }

size_t PendingInput() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return Manager().input.size();
}

}  // namespace devinput

short GetKeyState(int virtualKey) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (virtualKey == 0x01) return Manager().stylusDown ? static_cast<short>(0x8000) : 0;
  return Manager().keysDown.count(static_cast<UINT>(virtualKey) & 0xFF) ? static_cast<short>(0x8000) : 0;
}

short GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }
