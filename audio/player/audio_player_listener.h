// What the audio player tells its owner. PositionChanged and TrackEnded (and
// PlayingChanged at the end of a track) come on the wave driver's thread:
// an implementation only records the event (the application controller
// queues a command and arms a timer) and does the work on its own thread.
#pragma once

#include <cstdint>

class AudioPlayer;

class AudioPlayerListener {
 public:
  virtual void PositionChanged(AudioPlayer* player, uint32_t track, int32_t seconds) = 0;
  virtual void TrackEnded(AudioPlayer* player) = 0;
  virtual void TrackChanging(AudioPlayer* player) = 0;
  virtual void PlayingChanged(bool playing) = 0;

 protected:
  ~AudioPlayerListener() = default;
};

// The player's own listener until the owner installs one: hears nothing.
class SilentPlayerListener final : public AudioPlayerListener {
 public:
  void PositionChanged(AudioPlayer*, uint32_t, int32_t) override {}
  void TrackEnded(AudioPlayer*) override {}
  void TrackChanging(AudioPlayer*) override {}
  void PlayingChanged(bool) override {}
};
