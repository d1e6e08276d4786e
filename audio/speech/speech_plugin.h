// SpeechPlugin: the binding of the optional text-to-speech plug-in
// (speech_plugin_api.h). It loads the library from the program folder,
// binds its six entry points, opens a speech handle and hands it the main
// window and three synchronisation objects; then it passes text, settings
// and stop requests. The view creates one on the first read-aloud request
// and deletes it with the document.
//
// A plug-in that cannot be bound leaves the object not ready: every call
// then does nothing (Speak answers true, so the view simply tries again with
// a new object at its next request). A plug-in that misbehaves costs at most
// the 1,500 ms of a stop.
#pragma once

#include <cstdint>

#include "audio/speech/speech_owner.h"
#include "audio/speech/speech_plugin_api.h"
#include "foundation/streams/byte_stream.h"
#include "foundation/system/sync_objects.h"
#include "platform/modules/modules.h"

class EncodedString;

class SpeechPlugin {
 public:
  static constexpr DWORD kStopWaitMs = 1500;

  explicit SpeechPlugin(SpeechOwner* owner);
  ~SpeechPlugin();
  SpeechPlugin(const SpeechPlugin&) = delete;
  SpeechPlugin& operator=(const SpeechPlugin&) = delete;

  // True at once when not ready; else whether the plug-in took the text.
  bool Speak(const EncodedString& text);
  // Sets the stop event and waits at most 1,500 ms for the done event.
  bool Stop();
  void ClearStop();
  // Whether the done event is set now; false when not ready.
  bool IsDone();
  bool IsReady() const { return ready_; }
  // Ready and not done.
  bool IsSpeaking();
  // The speech code page.
  void SetParam1(int32_t value);
  void SetParam2(int32_t value);
  void SetParam3(int32_t value);
  void SetParam4(int32_t value);
  // 0 a given text, 1 the page.
  void SetReadMode(int32_t mode);
  // On each kSpeechUnitMessage: at the page's last unit the owner turns the
  // page (a refusal stops the speech); then one more unit is counted.
  void OnUnitSpoken();
  // The unit count at which the page ends; -1 none.
  void SetPageEndUnit(int32_t unit) { pageEndUnit_ = unit; }
  int32_t GetUnitCount() const { return unitCount_; }
  // Nothing to speak: answers true and changes nothing.
  bool Idle() { return true; }
  // The view collects a page's text here before reading it.
  ByteStream& Scratch() { return scratch_; }

 private:
  void Bind();
  void Unload();

  bool ready_ = false;
  ByteStream scratch_;
  SpeechOwner* owner_;
  int32_t unitCount_ = 0;
  int32_t pageEndUnit_ = -1;
  TtsOpenSpeech openSpeech_ = nullptr;
  TtsSet set_ = nullptr;
  TtsSpeak speak_ = nullptr;
  TtsCloseSpeech closeSpeech_ = nullptr;
  TtsSetCom setCom_ = nullptr;
  TtsSetReadMode setReadMode_ = nullptr;
  HMODULE library_ = nullptr;
  TtsHandle handle_ = nullptr;
  HWND window_ = nullptr;
  Event stop_;
  Event done_;
  Mutex mutex_;
};
