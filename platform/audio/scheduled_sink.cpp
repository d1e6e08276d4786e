// Timing of the sinks that play nothing (see scheduled_sink.h).
#include "platform/audio/scheduled_sink.h"

#include <algorithm>

namespace devaudio {

void ScheduledSink::Submit(const uint8_t* data, uint32_t bytes) {
  Keep(data, bytes);
  uint64_t now = NowUs();
  uint64_t length = byteRate_ ? static_cast<uint64_t>(bytes) * 1000000u / byteRate_ : 0;
  // A sink that ran dry starts the new buffer now, not in the past.
  uint64_t start = paused_ ? std::max(lastDueUs_, pausedAtUs_) : std::max(lastDueUs_, now);
  lastDueUs_ = start + length;
  submitted_ += bytes;
  schedule_.push_back({submitted_, lastDueUs_});
}

uint64_t ScheduledSink::PlayedBytes() {
  if (!paused_) {
    uint64_t now = NowUs();
    while (!schedule_.empty() && schedule_.front().dueUs <= now) {
      played_ = schedule_.front().endOffset;
      schedule_.pop_front();
    }
  }
  return played_;
}

void ScheduledSink::SetPaused(bool paused) {
  if (paused == paused_) return;
  uint64_t now = NowUs();
  if (paused) {
    PlayedBytes();
    pausedAtUs_ = now;
  } else {
    uint64_t held = now > pausedAtUs_ ? now - pausedAtUs_ : 0;
    for (Due& due : schedule_) due.dueUs += held;
    if (!schedule_.empty()) lastDueUs_ += held;
  }
  paused_ = paused;
}

void ScheduledSink::Flush() {
  schedule_.clear();
  played_ = submitted_;
  lastDueUs_ = 0;
}

void ScheduledSink::PlayAll() {
  schedule_.clear();
  played_ = submitted_;
}

}  // namespace devaudio
