// A fake text-to-speech plug-in that records what the reader asks of it
// and reports spoken words as the real one does: for each word of a text
// (a run of characters between spaces) it posts the word message to the
// main window from its own thread, in order, and sets the done event when
// the text is over; after a stop it posts nothing more. Tests read its log
// (fake_tts_log) and may hold it mid-text (fake_tts_hold), so that a text
// is still being spoken when the next request comes.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "audio/speech/speech_plugin_api.h"
#include "platform/threads/sync.h"
#include "platform/windows/message_queue.h"

#define TTS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Speaker {
  std::mutex lock;
  std::condition_variable wake;
  std::string log;
  std::u16string text;  // the text to speak next
  bool pending = false;
  bool quit = false;
  bool hold = false;
  HWND window = nullptr;
  HANDLE stop = nullptr;
  HANDLE done = nullptr;
  std::thread thread;
};

Speaker* g_speaker = nullptr;
int g_handle = 0;

std::string Narrow(const std::u16string& text) {
  std::string narrow;
  for (char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return narrow;
}

void Log(const std::string& line) {
  std::lock_guard<std::mutex> guard(g_speaker->lock);
  g_speaker->log += line + "\n";
}

bool StopRequested() { return WaitForSingleObject(g_speaker->stop, 0) == WAIT_OBJECT_0; }

// Speaks one text: a word message per word, unless stopped; held, it waits
// for the stop before its first word.
void SpeakText(const std::u16string& text, bool hold) {
  if (hold) {
    while (!StopRequested()) {
      std::unique_lock<std::mutex> guard(g_speaker->lock);
      if (g_speaker->quit) break;
      g_speaker->wake.wait_for(guard, std::chrono::milliseconds(2));
    }
  }
  WPARAM word = 0;
  bool inWord = false;
  for (size_t i = 0; i <= text.size(); ++i) {
    bool space = i == text.size() || text[i] == u' ';
    if (space && inWord) {
      if (StopRequested()) {
        Log("stopped " + Narrow(text));
        return;
      }
      PostMessageW(g_speaker->window, kSpeechUnitMessage, word++, 0);
    }
    inWord = !space;
  }
  if (StopRequested()) Log("stopped " + Narrow(text));
}

void Run() {
  for (;;) {
    std::u16string text;
    bool hold;
    {
      std::unique_lock<std::mutex> guard(g_speaker->lock);
      g_speaker->wake.wait(guard, [] { return g_speaker->pending || g_speaker->quit; });
      if (g_speaker->quit) return;
      text = g_speaker->text;
      hold = g_speaker->hold;
      g_speaker->pending = false;
    }
    SpeakText(text, hold);
    SetEvent(g_speaker->done);
  }
}

}  // namespace

TTS_EXPORT const char* fake_tts_log() {
  static std::string copy;
  if (!g_speaker) return "";
  std::lock_guard<std::mutex> guard(g_speaker->lock);
  copy = g_speaker->log;
  return copy.c_str();
}

TTS_EXPORT void fake_tts_hold(int hold) {
  if (!g_speaker) return;
  std::lock_guard<std::mutex> guard(g_speaker->lock);
  g_speaker->hold = hold != 0;
}

TTS_EXPORT int32_t tts_open_speech(TtsHandle* handle) {
  g_speaker = new Speaker;
  *handle = &g_handle;
  Log("open");
  return 0;
}

TTS_EXPORT int32_t tts_set_com(TtsHandle, HWND window, HANDLE stop, HANDLE done, HANDLE) {
  g_speaker->window = window;
  g_speaker->stop = stop;
  g_speaker->done = done;
  g_speaker->thread = std::thread(Run);
  return 0;
}

TTS_EXPORT void tts_set(TtsHandle, int32_t codePage, int32_t rate, int32_t volume, int32_t pitch) {
  Log("set " + std::to_string(codePage) + " " + std::to_string(rate) + " " + std::to_string(volume) + " " +
      std::to_string(pitch));
}

TTS_EXPORT void tts_set_read_mode(TtsHandle, int32_t mode) { Log("read_mode " + std::to_string(mode)); }

TTS_EXPORT int32_t tts_speak(TtsHandle, const WCHAR* text, int32_t length) {
  std::u16string copy(text, static_cast<size_t>(length));
  Log("speak " + Narrow(copy));
  ResetEvent(g_speaker->done);
  {
    std::lock_guard<std::mutex> guard(g_speaker->lock);
    g_speaker->text = copy;
    g_speaker->pending = true;
  }
  g_speaker->wake.notify_all();
  return 1;
}

TTS_EXPORT void tts_close_speech(TtsHandle) {
  {
    std::lock_guard<std::mutex> guard(g_speaker->lock);
    g_speaker->quit = true;
  }
  g_speaker->wake.notify_all();
  if (g_speaker->thread.joinable()) g_speaker->thread.join();
  delete g_speaker;
  g_speaker = nullptr;
}
