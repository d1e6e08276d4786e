// The speaking thread of the project's plug-in (see speaker.h).
#include "plugins/text_to_speech/speaker.h"

#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>

#include <chrono>
#include <cstring>

#include "platform/threads/sync.h"
#include "platform/windows/message_queue.h"

namespace {

// At most this many chunks wait on the device, so that a stop is quick.
constexpr size_t kMaxQueuedChunks = 8;
// Synthesis chunks of this many milliseconds.
constexpr int kChunkMs = 60;
// espeak-ng's voices all speak at this rate.
constexpr int kSynthesiserRate = 22050;

// The speaker whose text the synthesiser is making (one at a time: the
// synthesiser is one per process).
Speaker* g_synthesising = nullptr;

// The voice for a speech code page: a short table, English otherwise.
const char* VoiceForCodePage(int32_t codePage) {
  switch (codePage) {
    case 1250: return "pl";
    case 1251: return "ru";
    case 1253: return "el";
    case 1254: return "tr";
    case 1255: return "he";
    case 1256: return "ar";
    case 1257: return "lt";
    case 932: return "ja";
    case 936: return "cmn";
    case 949: return "ko";
    case 950: return "yue";
    default: return "en";
  }
}

int SynthCallback(short* samples, int count, espeak_EVENT* events) {
  Speaker* self = g_synthesising;
  if (!self) return 1;
  return self->TakeSamples(samples, count, events) ? 0 : 1;
}

}  // namespace

Speaker::Speaker() : thread_(&Speaker::Run, this) {}

Speaker::~Speaker() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    quit_ = true;
    texts_.clear();
  }
  wake_.notify_all();
  thread_.join();
}

void Speaker::Set(int32_t codePage, int32_t rate, int32_t volume, int32_t pitch) {
  std::lock_guard<std::mutex> guard(lock_);
  if (codePage) settings_.codePage = codePage;
  if (rate) settings_.rate = rate;
  if (volume) settings_.volume = volume;
  if (pitch) settings_.pitch = pitch;
}

bool Speaker::Speak(std::u16string text) {
  std::lock_guard<std::mutex> guard(lock_);
  if (quit_) return false;
  // Not idle from now on: the caller may ask at once whether it is done.
  if (doneEvent_) ResetEvent(doneEvent_);
  texts_.push_back(std::move(text));
  wake_.notify_all();
  return true;
}

void Speaker::Run() {
  for (;;) {
    std::u16string text;
    {
      std::unique_lock<std::mutex> guard(lock_);
      wake_.wait(guard, [this] { return quit_ || !texts_.empty(); });
      if (quit_) break;
      text = std::move(texts_.front());
      texts_.pop_front();
    }
    if (doneEvent_) ResetEvent(doneEvent_);
    SpeakOne(text);
    bool idle;
    {
      std::lock_guard<std::mutex> guard(lock_);
      idle = texts_.empty();
    }
    if (idle && doneEvent_) SetEvent(doneEvent_);
  }
  CloseDevice(true);
  if (doneEvent_) SetEvent(doneEvent_);
}

bool Speaker::StopAsked() {
  if (stopped_) return true;
  bool quit;
  {
    std::lock_guard<std::mutex> guard(lock_);
    quit = quit_;
  }
  if (quit || (stopEvent_ && WaitForSingleObject(stopEvent_, 0) == WAIT_OBJECT_0)) stopped_ = true;
  return stopped_;
}

void Speaker::ApplySettings() {
  Settings settings;
  {
    std::lock_guard<std::mutex> guard(lock_);
    settings = settings_;
  }
  espeak_SetVoiceByName(VoiceForCodePage(settings.codePage));
  espeak_SetParameter(espeakRATE, settings.rate ? settings.rate : espeakRATE_NORMAL, 0);
  espeak_SetParameter(espeakVOLUME, settings.volume ? settings.volume : 100, 0);
  espeak_SetParameter(espeakPITCH, settings.pitch ? settings.pitch : 50, 0);
}

void Speaker::SpeakOne(const std::u16string& text) {
  stopped_ = false;
  if (StopAsked()) return;
  if (!initialised_) {
    // The synthesiser is started once per process and never stopped: its
    // terminate call can hang waiting for its own worker, and it keeps
    // tables past it. It stays loaded when the plug-in is unloaded (its
    // memory stays its own and reachable), and its parameters, which its
    // start sets, tell a plug-in loaded again that it is running.
    dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    if (espeak_GetParameter(espeakRATE, 1) == 0) {
      if (espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kChunkMs, nullptr, 0) <= 0) return;
    }
    sampleRate_ = kSynthesiserRate;
    initialised_ = true;
  }
  espeak_SetSynthCallback(&SynthCallback);
  ApplySettings();
  words_ = FindWordUnits(text);
  wordEnds_.assign(words_.size(), UINT64_MAX);
  wordsPosted_ = 0;
  wordsPlaced_ = 0;
  writtenSamples_ = 0;
  {
    std::lock_guard<std::mutex> guard(lock_);
    playedSamples_ = 0;
  }
  if (!OpenDevice(sampleRate_)) return;
  std::string utf8 = ToUtf8(text);
  g_synthesising = this;
  espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8 | espeakENDPAUSE, nullptr,
               this);
  g_synthesising = nullptr;
  if (!StopAsked()) {
    // The words not yet placed end with the last sample.
    for (; wordsPlaced_ < words_.size(); ++wordsPlaced_) wordEnds_[wordsPlaced_] = writtenSamples_;
    while (!chunks_.empty() && !StopAsked()) {
      PostPlayedWords();
      WaitForDevice();
    }
    if (!StopAsked()) PostPlayedWords();
  }
  CloseDevice(StopAsked());
}

bool Speaker::TakeSamples(const int16_t* samples, int count, const void* events) {
  if (StopAsked()) return false;
  // Words that end before a word event's position were all synthesised by
  // the time that word starts.
  for (auto* e = static_cast<const espeak_EVENT*>(events); e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
    // The last word ends with the text's last sample (placed at the end).
    if (e->type != espeakEVENT_WORD) continue;
    uint64_t at = static_cast<uint64_t>(e->audio_position) * static_cast<uint64_t>(sampleRate_) / 1000;
    uint32_t position = static_cast<uint32_t>(e->text_position);
    while (wordsPlaced_ < words_.size() && words_[wordsPlaced_].last < position) {
      wordEnds_[wordsPlaced_] = at;
      ++wordsPlaced_;
    }
  }
  if (samples && count > 0) {
    while (chunks_.size() >= kMaxQueuedChunks) {
      if (StopAsked()) return false;
      PostPlayedWords();
      WaitForDevice();
    }
    auto chunk = std::make_unique<Chunk>();
    chunk->samples.assign(samples, samples + count);
    chunk->header.lpData = reinterpret_cast<LPSTR>(chunk->samples.data());
    chunk->header.dwBufferLength = static_cast<DWORD>(count * 2);
    if (waveOutPrepareHeader(device_, &chunk->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
    if (waveOutWrite(device_, &chunk->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
      waveOutUnprepareHeader(device_, &chunk->header, sizeof(WAVEHDR));
      return false;
    }
    writtenSamples_ += static_cast<uint64_t>(count);
    chunks_.push_back(std::move(chunk));
  }
  PostPlayedWords();
  return !StopAsked();
}

void Speaker::PostPlayedWords() {
  if (StopAsked()) return;
  uint64_t played;
  {
    std::lock_guard<std::mutex> guard(lock_);
    played = playedSamples_;
  }
  while (wordsPosted_ < wordsPlaced_ && wordEnds_[wordsPosted_] <= played) {
    if (window_) PostMessageW(window_, kSpeechUnitMessage, wordsPosted_, 0);
    ++wordsPosted_;
  }
}

void Speaker::WaitForDevice() {
  {
    std::unique_lock<std::mutex> guard(lock_);
    // Short waits: the stop event is watched between them.
    wake_.wait_for(guard, std::chrono::milliseconds(5));
  }
  ReclaimChunks();
}

void Speaker::ReclaimChunks() {
  uint64_t done;
  {
    std::lock_guard<std::mutex> guard(lock_);
    done = buffersDone_;
  }
  // The device returns buffers in write order, so the done ones lead.
  while (!chunks_.empty() && chunksReclaimed_ < done) {
    waveOutUnprepareHeader(device_, &chunks_.front()->header, sizeof(WAVEHDR));
    chunks_.pop_front();
    ++chunksReclaimed_;
  }
}

bool Speaker::OpenDevice(int rate) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = static_cast<DWORD>(rate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = format.nSamplesPerSec * 2;
  {
    std::lock_guard<std::mutex> guard(lock_);
    buffersDone_ = 0;
  }
  chunksReclaimed_ = 0;
  return waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&Speaker::DeviceCallback),
                     reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) == MMSYSERR_NOERROR;
}

void Speaker::CloseDevice(bool discard) {
  if (!device_) return;
  // A stop returns what is queued; otherwise everything has played.
  if (discard) waveOutReset(device_);
  ReclaimChunks();
  waveOutClose(device_);
  device_ = nullptr;
  chunks_.clear();
}

void Speaker::DeviceCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
  if (message != WOM_DONE) return;
  auto* self = reinterpret_cast<Speaker*>(instance);
  auto* header = reinterpret_cast<WAVEHDR*>(param1);
  {
    std::lock_guard<std::mutex> guard(self->lock_);
    self->playedSamples_ += header->dwBufferLength / 2;
    ++self->buffersDone_;
  }
  self->wake_.notify_all();
}
