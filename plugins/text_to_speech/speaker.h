// The project's text-to-speech plug-in: one Speaker per speech handle. It
// speaks on its own thread with espeak-ng (synchronous synthesis with a
// sample callback) and plays the samples through the platform's wave
// output; see audio/speech/speech_plugin_api.h for the contract it keeps.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/speech/speech_plugin_api.h"
#include "platform/audio/wave_out.h"
#include "plugins/text_to_speech/word_units.h"

class Speaker {
 public:
  Speaker();
  ~Speaker();  // stops, joins the thread, closes the device

  void SetCom(HWND window, HANDLE stop, HANDLE done) {
    window_ = window;
    stopEvent_ = stop;
    doneEvent_ = done;
  }
  void Set(int32_t codePage, int32_t rate, int32_t volume, int32_t pitch);
  void SetReadMode(int32_t mode) { readMode_ = mode; }
  bool Speak(std::u16string text);
  // Called for each chunk the synthesiser makes, with its events; false to
  // stop it.
  bool TakeSamples(const int16_t* samples, int count, const void* events);

 private:
  struct Chunk {
    WAVEHDR header{};
    std::vector<int16_t> samples;
  };
  struct Settings {
    int32_t codePage = 0, rate = 0, volume = 0, pitch = 0;
  };

  void Run();
  void SpeakOne(const std::u16string& text);
  bool StopAsked();
  // Posts the words whose samples have all been played.
  void PostPlayedWords();
  // Waits a little for a buffer to come back, reclaiming those that did.
  void WaitForDevice();
  void ReclaimChunks();
  bool OpenDevice(int rate);
  void CloseDevice(bool discard);
  void ApplySettings();
  static void DeviceCallback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

  HWND window_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE doneEvent_ = nullptr;
  int32_t readMode_ = 0;

  std::mutex lock_;
  std::condition_variable wake_;  // texts for the thread; buffers back from the device
  std::deque<std::u16string> texts_;
  Settings settings_;
  bool quit_ = false;
  uint64_t playedSamples_ = 0;  // guarded by lock_
  // Buffers the device has reported done (guarded by lock_). The header's
  // done flag is written by the device's thread, so the speaking thread
  // learns of a returned buffer from this count, never from the flag.
  uint64_t buffersDone_ = 0;

  // The speaking thread's own state.
  int sampleRate_ = 0;
  bool initialised_ = false;
  HWAVEOUT device_ = nullptr;
  std::deque<std::unique_ptr<Chunk>> chunks_;
  uint64_t chunksReclaimed_ = 0;  // since the device was opened
  uint64_t writtenSamples_ = 0;
  std::vector<WordUnit> words_;
  std::vector<uint64_t> wordEnds_;  // the sample count after each word's sound
  size_t wordsPosted_ = 0;
  size_t wordsPlaced_ = 0;
  bool stopped_ = false;
  std::thread thread_;
};
