// A sink that plays nothing but keeps the time: each buffer handed over is
// due once the one before it has been played for its length, and the bytes
// played are those of the buffers whose time has come. The clock is the
// host's (the null and record sinks) or the device's virtual one (the test
// sink). Pausing holds the schedule; flushing forgets it.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/audio/audio_sink.h"

namespace devaudio {

class ScheduledSink : public Sink {
 public:
  explicit ScheduledSink(const WAVEFORMATEX& format) : byteRate_(format.nAvgBytesPerSec) {}

  void Submit(const uint8_t* data, uint32_t bytes) override;
  uint64_t PlayedBytes() override;
  void SetPaused(bool paused) override;
  void Flush() override;

 protected:
  // The clock in microseconds.
  virtual uint64_t NowUs() = 0;
  // What the sink does with the bytes besides timing them (the record sink
  // keeps them).
  virtual void Keep(const uint8_t*, uint32_t) {}
  // Marks every buffer handed over as played (a test's "at once" pace).
  void PlayAll();

 private:
  struct Due {
    uint64_t endOffset;
    uint64_t dueUs;
  };
  uint32_t byteRate_;
  std::deque<Due> schedule_;
  uint64_t submitted_ = 0;
  uint64_t played_ = 0;
  uint64_t lastDueUs_ = 0;
  bool paused_ = false;
  uint64_t pausedAtUs_ = 0;
};

}  // namespace devaudio
