// ApplicationController::StartVoiceRecorder: the shell's voice recorder,
// recording to "\My Documents\qvr_rec.wav".
#include "app/controller/application_controller.h"
#include "foundation/system/late_bound_apis.h"
#include "platform/threads/threads.h"
#include "platform/windows/window_positions.h"

namespace {

constexpr uint32_t kRecorderDelayMs = 400;
constexpr uint32_t kRecorderStyle = 72;  // VRS_NO_RECORD (8) with the style bit 0x40
constexpr int kRecorderX = 140;
constexpr int kRecorderY = 26;

}  // namespace

bool ApplicationController::StartVoiceRecorder() {
  // The pause lets a menu or dialog that asked for the recorder go first.
  Sleep(kRecorderDelayMs);
  static WCHAR file[] = u"\\My Documents\\qvr_rec.wav";
  CM_VOICE_RECORDER settings{};
  settings.cb = 28;  // the record's size on the device
  settings.dwStyle = kRecorderStyle;
  settings.xPos = kRecorderX;
  settings.yPos = kRecorderY;
  settings.hwndParent = mainWindow_;
  settings.lpszRecordFileName = file;
  HWND recorder = CallVoiceRecorderCreate(&settings);
  if (recorder == nullptr) return false;
  ShowWindow(recorder, SW_SHOW);
  return true;
}
