// The SDL2 sink of the wave output (see sdl_audio.h).
#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <mutex>

#include "platform/audio/audio_sink.h"

namespace devbackend {
namespace {

std::mutex g_lock;
int g_openDevices = 0;
bool g_started = false;

class SdlSink final : public devaudio::Sink {
 public:
  explicit SdlSink(SDL_AudioDeviceID device) : device_(device) {}
  ~SdlSink() override {
    SDL_CloseAudioDevice(device_);
    std::lock_guard<std::mutex> guard(g_lock);
    --g_openDevices;
  }

  void Submit(const uint8_t* data, uint32_t bytes) override {
    if (SDL_QueueAudio(device_, data, bytes) == 0) submitted_ += bytes;
  }
  // What left SDL's queue has gone to the driver.
  uint64_t PlayedBytes() override {
    uint64_t queued = SDL_GetQueuedAudioSize(device_);
    return submitted_ - std::min(queued, submitted_) + dropped_;
  }
  void SetPaused(bool paused) override { SDL_PauseAudioDevice(device_, paused ? 1 : 0); }
  void Flush() override {
    uint64_t queued = SDL_GetQueuedAudioSize(device_);
    SDL_ClearQueuedAudio(device_);
    submitted_ -= std::min(queued, submitted_);
    dropped_ += queued;
  }
  uint32_t PollMs() override { return 5; }

 private:
  SDL_AudioDeviceID device_;
  uint64_t submitted_ = 0;
  uint64_t dropped_ = 0;
};

std::unique_ptr<devaudio::Sink> MakeSdlSink(const WAVEFORMATEX& format) {
  {
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_started) {
      if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
      g_started = true;
    }
  }
  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.nSamplesPerSec);
  want.format = AUDIO_S16LSB;
  want.channels = static_cast<Uint8>(format.nChannels);
  want.samples = 1024;
  SDL_AudioSpec have{};
  SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) return nullptr;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    ++g_openDevices;
  }
  SDL_PauseAudioDevice(device, 0);
  return std::make_unique<SdlSink>(device);
}

}  // namespace

void InstallSdlAudio(bool makeDefault) { devaudio::RegisterSdlSink(&MakeSdlSink, makeDefault); }

void ShutdownSdlAudio() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_started || g_openDevices > 0) return;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_started = false;
}

}  // namespace devbackend
