// What the controller asks of the audio player that plays the sound list:
// its tracks, the track selected, play and pause, the volume. The device's
// player sits behind it (AudioPlayerSound); tests use a recording fake.
#pragma once

#include <cstdint>

class AudioPlayer;
class AudioTrackList;

class SoundPlayer {
 public:
  virtual uint32_t TrackCount() const = 0;
  virtual uint32_t CurrentTrack() const = 0;
  virtual bool IsPlaying() const = 0;
  virtual bool SelectTrack(uint32_t index, bool startPaused) = 0;
  // The list it plays from (not owned; the player is closed first).
  virtual void SetTrackList(AudioTrackList* list) = 0;
  virtual void TogglePause() = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  // Stops and lets the sound list go.
  virtual void Close() = 0;
  // The low 16 bits, for both channels.
  virtual void SetVolume(uint32_t value) = 0;

 protected:
  ~SoundPlayer() = default;
};

// The device's audio player over the sound list it plays (neither owned).
class AudioPlayerSound final : public SoundPlayer {
 public:
  AudioPlayerSound(AudioPlayer* player, AudioTrackList* tracks) : player_(player), tracks_(tracks) {}
  uint32_t TrackCount() const override;
  uint32_t CurrentTrack() const override;
  bool IsPlaying() const override;
  bool SelectTrack(uint32_t index, bool startPaused) override;
  void SetTrackList(AudioTrackList* list) override;
  void TogglePause() override;
  void Play() override;
  void Pause() override;
  void Close() override;
  void SetVolume(uint32_t value) override;

 private:
  AudioPlayer* player_;
  AudioTrackList* tracks_;
};
