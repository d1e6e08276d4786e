// The audio player on the wave output (see audio_player.h).
#include "audio/player/audio_player.h"

#include <chrono>
#include <cstring>

#include "audio/player/device_rate_ladder.h"
#include "audio/sources/resampling_source.h"
#include "foundation/system/sync_objects.h"
#include "platform/memory/allocator.h"

namespace {

WAVEFORMATEX PcmWaveFormat(uint32_t channels, uint32_t rate, uint32_t bitsPerSample) {
  WAVEFORMATEX format;
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = rate;
  format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
  format.nBlockAlign = static_cast<WORD>(bitsPerSample * channels / 8);
  format.nAvgBytesPerSec = format.nBlockAlign * rate;
  format.cbSize = 0;
  return format;
}

MMRESULT OpenWaveMapper(HWAVEOUT* device, const WAVEFORMATEX& format) {
  return waveOutOpen(device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&AudioPlayer::WaveOutCallback), 0,
                     CALLBACK_FUNCTION);
}

}  // namespace

AudioPlayer::AudioPlayer() : listener_(&defaultListener_) {}

AudioPlayer::~AudioPlayer() {
  Close();
  DeviceFree(buffers_);
  buffers_ = nullptr;
  ReleaseSource();
}

void AudioPlayer::SetListener(AudioPlayerListener* listener) {
  listener_.store(listener ? listener : &defaultListener_);
}

void AudioPlayer::SetTrackList(AudioTrackList* list) {
  ClearTrackList(true);
  trackList_ = list;
}

void AudioPlayer::ClearTrackList(bool close) {
  if (close) Close();
  trackList_ = nullptr;
}

bool AudioPlayer::SelectTrack(uint32_t index, bool startPaused, int32_t startSecond) {
  Close();
  if (!trackList_ || index >= trackList_->Count()) return false;
  track_ = index;
  listener_.load()->TrackChanging(this);
  AudioSource* source = nullptr;
  trackList_->OpenTrack(&source, index);
  if (!source) return false;
  bool startGiven = startSecond >= 0;
  if (!Open(source, startGiven || startPaused)) return false;
  if (startGiven) {
    Seek(startSecond);
    if (!startPaused) Play();
  }
  listener_.load()->PositionChanged(this, index, startGiven ? startSecond : 0);
  return true;
}

bool AudioPlayer::Open(AudioSource* source, bool doNotStart) {
  Close();
  ReleaseSource();
  if (!source) return false;
  PcmFormat format;
  if (!source->GetPcmReader()->GetFormat(&format)) {
    source->Release();
    return false;
  }
  WAVEFORMATEX wave = PcmWaveFormat(format.channels, format.rate, format.bytesPerSample * 8);
  HWAVEOUT device = nullptr;
  uint32_t outRate = format.rate, outChannels = format.channels;
  if (OpenWaveMapper(&device, wave) != MMSYSERR_NOERROR) {
    WAVEOUTCAPSW caps;
    if (waveOutGetDevCapsW(WAVE_MAPPER, &caps, sizeof caps) != MMSYSERR_NOERROR ||
        !ChooseDeviceRate(caps.dwFormats, format.rate, format.channels, &outRate, &outChannels)) {
      source->Release();
      return false;
    }
    auto* resampling = DeviceNew<ResamplingSource>(source);  // takes over the reference
    if (!resampling) {
      source->Release();
      return false;
    }
    source = resampling;
    PcmFormat output;
    output.rate = outRate;
    output.channels = outChannels;
    if (!resampling->Configure(output)) {
      source->Release();
      return false;
    }
    wave = PcmWaveFormat(outChannels, outRate, 16);
    if (OpenWaveMapper(&device, wave) != MMSYSERR_NOERROR) {
      source->Release();
      return false;
    }
  }
  rate_ = outRate;
  bytesPerFrame_ = outChannels * 2;
  DeviceFree(buffers_);
  bufferCount_ = ((bytesPerFrame_ * rate_) >> 12) + 2;
  buffers_ = static_cast<WaveBuffer*>(DeviceAllocZeroed(sizeof(WaveBuffer) * bufferCount_));
  if (!buffers_) {
    bufferCount_ = 0;
    waveOutClose(device);
    source->Release();
    return false;
  }
  device_ = device;
  for (uint32_t i = 0; i < bufferCount_; ++i) buffers_[i].header.dwFlags = 0;
  waveOutPause(device_);
  source_ = source;
  pending_.store(0);
  framesLeft_.store(static_cast<int32_t>(rate_));
  duration_ = -1;
  stop_.store(false);
  playing_.store(false);
  ended_.store(false);
  seconds_.store(0);
  if (!doNotStart) {
    listener_.load()->PositionChanged(this, track_, 0);
    Play();
  }
  return true;
}

bool AudioPlayer::WaitForQueuedBuffers(uint32_t stepMs) {
  int32_t queued = pending_.load();
  uint64_t byteRate = static_cast<uint64_t>(bytesPerFrame_) * rate_;
  uint64_t boundMs = 2000 + (byteRate ? static_cast<uint64_t>(queued > 0 ? queued : 0) *
                                            WaveBuffer::kDataBytes * 1000 / byteRate
                                      : 0);
  // The bound is real time: whatever clock the sleeps move, a stalled
  // device costs the user no more than this.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
  while (pending_.load() > 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      waveOutReset(device_);  // returns every buffer as done
      return false;
    }
    SleepMs(stepMs);
  }
  return true;
}

void AudioPlayer::Close() {
  if (device_) {
    if (!playing_.load() && pending_.load() > 0) waveOutRestart(device_);
    stop_.store(true);
    WaitForQueuedBuffers(100);
    waveOutClose(device_);
    device_ = nullptr;
    ReleaseSource();
  }
  SetPlaying(false);
}

void AudioPlayer::Play() {
  if (!device_ || playing_.load() || !source_ || ended_.load()) return;
  stop_.store(false);
  SetPlaying(true);
  for (uint32_t i = 0; i < bufferCount_; ++i) {
    // A buffer still on the device (a wait that gave up) is not touched.
    if (buffers_[i].header.dwFlags & WHDR_INQUEUE) continue;
    RefillBuffer(&buffers_[i]);
  }
  waveOutRestart(device_);
}

void AudioPlayer::Pause() {
  if (!playing_.load() || !device_) return;
  stop_.store(true);
  WaitForQueuedBuffers(10);
  waveOutPause(device_);
  SetPlaying(false);
}

void AudioPlayer::TogglePause() {
  if (IsPlaying())
    Pause();
  else
    Play();
}

bool AudioPlayer::Seek(int32_t seconds) {
  bool wasPlaying = IsPlaying();
  if (wasPlaying) Pause();
  bool moved = false;
  if (HasValidSource() && source_->Seek(seconds)) {
    framesLeft_.store(static_cast<int32_t>(rate_));
    seconds_.store(seconds);
    listener_.load()->PositionChanged(this, track_, seconds);
    moved = true;
  }
  if (wasPlaying) Play();
  return moved;
}

void AudioPlayer::SetVolume(uint32_t value) {
  // Masked before it is doubled, so that a larger value cannot spill into
  // the other channel.
  if (device_) waveOutSetVolume(device_, (value & 0xFFFF) * 0x10001u);
}

uint32_t AudioPlayer::GetVolume() {
  DWORD volume = 0;
  if (!device_ || waveOutGetVolume(device_, &volume) != MMSYSERR_NOERROR) return 0;
  return volume & 0xFFFF;
}

int32_t AudioPlayer::GetDuration() {
  if (!HasValidSource()) return -1;
  if (duration_ < 0) duration_ = source_->GetDuration();
  return duration_;
}

bool AudioPlayer::IsPlaying() const { return device_ != nullptr && playing_.load(); }

void AudioPlayer::SetPlaying(bool playing) {
  if (playing_.exchange(playing) != playing) listener_.load()->PlayingChanged(playing);
}

void AudioPlayer::RefillBuffer(WaveBuffer* buffer) {
  WAVEHDR& header = buffer->header;
  if (header.dwFlags & WHDR_DONE) {
    int32_t frames = bytesPerFrame_ ? static_cast<int32_t>(header.dwBufferLength / bytesPerFrame_) : 0;
    int32_t left = framesLeft_.load() - frames;
    int32_t passed = 0;
    while (left < 0 && rate_ > 0) {
      left += static_cast<int32_t>(rate_);
      ++passed;
    }
    framesLeft_.store(left);
    if (passed > 0) {
      int32_t seconds = seconds_.fetch_add(passed) + passed;
      listener_.load()->PositionChanged(this, track_, seconds);
    }
    waveOutUnprepareHeader(device_, &header, sizeof(WAVEHDR));
    header.dwFlags &= ~WHDR_DONE;
    pending_.fetch_sub(1);
  }
  if (source_ && !ended_.load() && !stop_.load()) {
    uint32_t read = 0;
    bool ok = source_->GetPcmReader()->Read(buffer->data, WaveBuffer::kDataBytes, &read);
    if (ok && read > 0 && read <= WaveBuffer::kDataBytes) {
      header.lpData = reinterpret_cast<LPSTR>(buffer->data);
      header.dwBufferLength = read;
      header.dwBytesRecorded = 0;
      header.dwUser = reinterpret_cast<DWORD_PTR>(buffer);
      header.dwFlags = 0;
      header.dwLoops = 0;
      buffer->owner = this;
      pending_.fetch_add(1);
      if (waveOutPrepareHeader(device_, &header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR &&
          waveOutWrite(device_, &header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR)
        return;
      waveOutUnprepareHeader(device_, &header, sizeof(WAVEHDR));
      pending_.fetch_sub(1);
    }
  }
  // Nothing was queued: a buffer that received no data is not requeued, so
  // the end comes once, when the last queued buffer completes.
  if (source_ && pending_.load() == 0 && !stop_.load() && !ended_.exchange(true)) {
    SetPlaying(false);
    listener_.load()->TrackEnded(this);
  }
}

void AudioPlayer::WaveOutCallback(HWAVEOUT, UINT message, DWORD_PTR, DWORD_PTR param1, DWORD_PTR) {
  if (message != WOM_DONE || !param1) return;
  auto* header = reinterpret_cast<WAVEHDR*>(param1);
  auto* buffer = reinterpret_cast<WaveBuffer*>(header->dwUser);
  if (buffer && buffer->owner) buffer->owner->RefillBuffer(buffer);
}

bool AudioPlayer::HasValidSource() { return source_ && !ended_.load() && source_->IsValid(); }

void AudioPlayer::ReleaseSource() {
  if (source_) source_->Release();
  source_ = nullptr;
}
