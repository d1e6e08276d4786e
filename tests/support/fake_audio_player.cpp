// The recording listener and the fake track list (see fake_audio_player.h).
#include "tests/support/fake_audio_player.h"

void RecordingPlayerListener::PositionChanged(AudioPlayer*, uint32_t track, int32_t seconds) {
  std::lock_guard<std::mutex> guard(lock_);
  positions_.push_back({track, seconds});
  changed_.notify_all();
}

void RecordingPlayerListener::TrackEnded(AudioPlayer*) {
  std::lock_guard<std::mutex> guard(lock_);
  ++ended_;
  changed_.notify_all();
}

void RecordingPlayerListener::TrackChanging(AudioPlayer*) {
  std::lock_guard<std::mutex> guard(lock_);
  ++changing_;
}

void RecordingPlayerListener::PlayingChanged(bool playing) {
  std::lock_guard<std::mutex> guard(lock_);
  playing_.push_back(playing);
}

int RecordingPlayerListener::TrackEndedCount() {
  std::lock_guard<std::mutex> guard(lock_);
  return ended_;
}

int RecordingPlayerListener::TrackChangingCount() {
  std::lock_guard<std::mutex> guard(lock_);
  return changing_;
}

std::vector<RecordingPlayerListener::Position> RecordingPlayerListener::Positions() {
  std::lock_guard<std::mutex> guard(lock_);
  return positions_;
}

std::vector<bool> RecordingPlayerListener::PlayingChanges() {
  std::lock_guard<std::mutex> guard(lock_);
  return playing_;
}

bool RecordingPlayerListener::WaitForTrackEnded(int count, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> guard(lock_);
  return changed_.wait_for(guard, timeout, [&] { return ended_ >= count; });
}

void FakeTrackList::OpenTrack(AudioSource** source, uint32_t index) {
  ++opened;
  *source = index < tracks_.size() && tracks_[index] ? tracks_[index]() : nullptr;
}
