// Reporting input events to the sink the windows layer registered
// (device_input.h); the events become messages in windows/input_delivery.cpp.
#include "platform/input/device_input.h"

#include <atomic>

namespace devinput {
namespace {

std::atomic<const InputSink*> g_sink{nullptr};

void Report(RawInput::Kind kind, int x, int y, UINT key) {
  const InputSink* sink = g_sink.load();
  if (sink == nullptr) return;
  RawInput event;
  event.kind = kind;
  event.point = POINT{x, y};
  event.key = key & 0xFF;
  sink->report(event);
}

}  // namespace

void SetInputSink(const InputSink* sink) { g_sink.store(sink); }

void StylusDown(int x, int y) { Report(RawInput::Kind::StylusDown, x, y, 0); }
void StylusMove(int x, int y) { Report(RawInput::Kind::StylusMove, x, y, 0); }
void StylusUp(int x, int y) { Report(RawInput::Kind::StylusUp, x, y, 0); }
void KeyDown(UINT virtualKey) { Report(RawInput::Kind::KeyDown, 0, 0, virtualKey); }
void KeyUp(UINT virtualKey) { Report(RawInput::Kind::KeyUp, 0, 0, virtualKey); }

size_t PendingInput() {
  const InputSink* sink = g_sink.load();
  return sink ? sink->pending() : 0;
}

}  // namespace devinput

short GetKeyState(int virtualKey) {
  const devinput::InputSink* sink = devinput::g_sink.load();
  if (sink == nullptr) return 0;
  return sink->isDown(static_cast<UINT>(virtualKey)) ? static_cast<short>(0x8000) : 0;
}

short GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }
