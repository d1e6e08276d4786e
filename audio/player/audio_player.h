// AudioPlayer: plays one track at a time of a track list on the device's
// wave output. It opens the wave mapper with the source's own format or,
// when the device refuses it, with the best rate the device announces,
// wrapping the source in a resampling source. A ring of small buffers
// (about a quarter of a second) stays queued; each is refilled on the
// driver's completion callback. It counts whole seconds played and tells
// its listener about position, track changes, the end of a track and the
// playing state.
//
// Threads: RefillBuffer runs on the wave driver's thread for each completed
// buffer; everything else runs on the UI thread. The fields both touch are
// atomics. The driver's thread never releases the source: at the end of a
// track it only marks the track ended, and the UI thread lets the source go
// in Close, Open, SelectTrack or the destructor. Waits for the device are
// bounded (the queued play time plus two seconds), after which the device
// is reset, so a device that stops completing buffers cannot hang the UI.
#pragma once

#include <atomic>
#include <cstdint>

#include "audio/player/audio_player_listener.h"
#include "audio/player/audio_track_list.h"
#include "audio/sources/audio_source.h"
#include "platform/audio/wave_out.h"

class AudioPlayer;

// One buffer of the ring: the device's header, 1,024 bytes of PCM and the
// player that owns it. The header's data pointer is the buffer's own PCM
// area and its user word the buffer itself.
struct WaveBuffer {
  static constexpr uint32_t kDataBytes = 1024;
  WAVEHDR header;
  uint8_t data[kDataBytes];
  AudioPlayer* owner;
};

class AudioPlayer {
 public:
  AudioPlayer();
  virtual ~AudioPlayer();
  AudioPlayer(const AudioPlayer&) = delete;
  AudioPlayer& operator=(const AudioPlayer&) = delete;

  // The list is not owned. Setting one closes the player first.
  void SetTrackList(AudioTrackList* list);
  void ClearTrackList(bool close);
  // A negative start second means none: the track starts at 0 (and then
  // plays unless start paused is asked). Callers that speak of autoplay
  // pass start paused = not autoplay.
  bool SelectTrack(uint32_t index, bool startPaused, int32_t startSecond);
  // Takes over the caller's reference to `source`, whatever the outcome.
  bool Open(AudioSource* source, bool doNotStart);
  void Close();

  void Play();
  void Pause();
  void TogglePause();
  bool Seek(int32_t seconds);

  // The low 16 bits of value, for both channels.
  void SetVolume(uint32_t value);
  // The low 16 bits of the device volume; 0 when the device cannot tell.
  uint32_t GetVolume();
  // Whole seconds; -1 without a valid source (an ended track has none).
  int32_t GetDuration();
  bool IsPlaying() const;
  void SetPlaying(bool playing);

  // A null listener restores the player's silent one.
  void SetListener(AudioPlayerListener* listener);

  void RefillBuffer(WaveBuffer* buffer);
  static void WaveOutCallback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

  uint32_t GetTrack() const { return track_; }
  int32_t GetSeconds() const { return seconds_.load(); }
  uint32_t GetBufferCount() const { return bufferCount_; }
  uint32_t GetOutputRate() const { return rate_; }
  uint32_t GetOutputChannels() const { return bytesPerFrame_ / 2; }
  bool HasTrackEnded() const { return ended_.load(); }

 private:
  // Sleeps in steps of `stepMs` until no buffer is pending or the queued
  // play time plus two seconds have passed; then resets the device, which
  // returns every buffer. True when the buffers completed in time.
  bool WaitForQueuedBuffers(uint32_t stepMs);
  bool HasValidSource();
  void ReleaseSource();

  AudioTrackList* trackList_ = nullptr;
  uint32_t track_ = 0;
  std::atomic<int32_t> seconds_{0};
  std::atomic<int32_t> framesLeft_{0};
  int32_t duration_ = -1;
  uint32_t rate_ = 0;
  uint32_t bytesPerFrame_ = 0;
  std::atomic<bool> playing_{false};
  AudioSource* source_ = nullptr;  // counted
  std::atomic<bool> ended_{false};
  SilentPlayerListener defaultListener_;
  std::atomic<AudioPlayerListener*> listener_;
  HWAVEOUT device_ = nullptr;
  std::atomic<bool> stop_{false};
  WaveBuffer* buffers_ = nullptr;
  uint32_t bufferCount_ = 0;
  std::atomic<int32_t> pending_{0};
};
