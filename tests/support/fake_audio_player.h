// Fakes of what owns an audio player: a listener that records every event
// (they arrive on the wave driver's thread, so it locks and lets a test wait
// for one) and a track list over files or ready-made sources.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "audio/player/audio_player.h"

class RecordingPlayerListener final : public AudioPlayerListener {
 public:
  struct Position {
    uint32_t track;
    int32_t seconds;
  };

  void PositionChanged(AudioPlayer* player, uint32_t track, int32_t seconds) override;
  void TrackEnded(AudioPlayer* player) override;
  void TrackChanging(AudioPlayer* player) override;
  void PlayingChanged(bool playing) override;

  int TrackEndedCount();
  int TrackChangingCount();
  std::vector<Position> Positions();
  std::vector<bool> PlayingChanges();
  // Waits (real time) until TrackEnded has come `count` times; false on
  // timeout.
  bool WaitForTrackEnded(int count = 1, std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  int ended_ = 0;
  int changing_ = 0;
  std::vector<Position> positions_;
  std::vector<bool> playing_;
};

// Tracks made by a function per index (null: a track without a source).
class FakeTrackList final : public AudioTrackList {
 public:
  explicit FakeTrackList(std::vector<std::function<AudioSource*()>> tracks) : tracks_(std::move(tracks)) {}
  uint32_t Count() override { return static_cast<uint32_t>(tracks_.size()); }
  void GetTitle(uint32_t, EncodedString*) override {}
  void OpenTrack(AudioSource** source, uint32_t index) override;
  int opened = 0;

 private:
  std::vector<std::function<AudioSource*()>> tracks_;
};
