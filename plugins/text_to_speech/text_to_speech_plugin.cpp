// The six entry points of the project's text-to-speech plug-in, with C
// linkage (see audio/speech/speech_plugin_api.h).
#include <new>

#include "audio/speech/speech_plugin_api.h"
#include "plugins/text_to_speech/speaker.h"

#define TTS_EXPORT extern "C" __attribute__((visibility("default")))

TTS_EXPORT int32_t tts_open_speech(TtsHandle* handle) {
  if (!handle) return -1;
  *handle = new (std::nothrow) Speaker;
  return *handle ? 0 : -1;
}

TTS_EXPORT int32_t tts_set_com(TtsHandle handle, HWND window, HANDLE stopEvent, HANDLE doneEvent, HANDLE) {
  if (!handle || !stopEvent || !doneEvent) return -1;
  static_cast<Speaker*>(handle)->SetCom(window, stopEvent, doneEvent);
  return 0;
}

TTS_EXPORT void tts_set(TtsHandle handle, int32_t codePage, int32_t rate, int32_t volume, int32_t pitch) {
  if (handle) static_cast<Speaker*>(handle)->Set(codePage, rate, volume, pitch);
}

TTS_EXPORT void tts_set_read_mode(TtsHandle handle, int32_t mode) {
  if (handle) static_cast<Speaker*>(handle)->SetReadMode(mode);
}

TTS_EXPORT int32_t tts_speak(TtsHandle handle, const WCHAR* text, int32_t length) {
  if (!handle || !text || length < 0) return 0;
  return static_cast<Speaker*>(handle)->Speak(std::u16string(text, static_cast<size_t>(length))) ? 1 : 0;
}

TTS_EXPORT void tts_close_speech(TtsHandle handle) { delete static_cast<Speaker*>(handle); }
