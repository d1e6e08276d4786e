// Fake text-to-speech plug-ins of the test build, one shared object per
// behaviour (chosen by FAKE_TTS_KIND when compiling):
//   1 complete: takes every call, is idle again at once after a text;
//   2 lacks tts_set_read_mode;
//   3 tts_open_speech fails;
//   4 tts_set_com fails;
//   5 never sets the done event.
// Each keeps a log of its calls that the tests read through fake_tts_log.
#include <cstdint>
#include <mutex>
#include <string>

#include "audio/speech/speech_plugin_api.h"
#include "platform/threads/sync.h"

#define TTS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex g_lock;
std::string g_log;
HANDLE g_done = nullptr;
[[maybe_unused]] int g_handle = 0;

void Log(const std::string& line) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_log += line + "\n";
}

}  // namespace

TTS_EXPORT const char* fake_tts_log() {
  static std::string copy;
  std::lock_guard<std::mutex> guard(g_lock);
  copy = g_log;
  return copy.c_str();
}

TTS_EXPORT int32_t tts_open_speech(TtsHandle* handle) {
  Log("open");
#if FAKE_TTS_KIND == 3
  *handle = nullptr;
  return 1;
#else
  *handle = &g_handle;
  return 0;
#endif
}

TTS_EXPORT int32_t tts_set_com(TtsHandle, HWND, HANDLE stop, HANDLE done, HANDLE mutex) {
  Log(std::string("set_com") + (stop && done && mutex ? " handles" : " null"));
  g_done = done;
#if FAKE_TTS_KIND == 4
  return 7;
#else
  return 0;
#endif
}

TTS_EXPORT void tts_set(TtsHandle, int32_t a, int32_t b, int32_t c, int32_t d) {
  Log("set " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " + std::to_string(d));
}

#if FAKE_TTS_KIND != 2
TTS_EXPORT void tts_set_read_mode(TtsHandle, int32_t mode) { Log("read_mode " + std::to_string(mode)); }
#endif

TTS_EXPORT int32_t tts_speak(TtsHandle, const WCHAR* text, int32_t length) {
  std::string narrow;
  for (int32_t i = 0; i < length; ++i) narrow.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
  Log("speak " + narrow);
  ResetEvent(g_done);
#if FAKE_TTS_KIND != 5
  SetEvent(g_done);
#endif
  return 1;
}

TTS_EXPORT void tts_close_speech(TtsHandle) { Log("close"); }
