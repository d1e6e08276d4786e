// Where an open wave device's samples go. A sink takes 16-bit little-endian
// PCM in the opened format and reports how many of the bytes handed to it
// have been played; the device's completion thread turns that into WOM_DONE
// for each buffer.
//
// The SDL2 sink lives with the SDL2 backend (platform/sdl/), which registers
// its maker here when the program runs over SDL2 (or a test asks for it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/wave_out.h"

namespace devaudio {

class Sink {
 public:
  virtual ~Sink() = default;
  // Queues bytes for playing (whole frames).
  virtual void Submit(const uint8_t* data, uint32_t bytes) = 0;
  // Bytes played since the opening (never more than submitted).
  virtual uint64_t PlayedBytes() = 0;
  // Playing stops (the queued bytes wait) or goes on.
  virtual void SetPaused(bool paused) = 0;
  // Drops what was submitted and not played; PlayedBytes then counts them as
  // played.
  virtual void Flush() = 0;
  // How long the completion thread may wait before asking again (ms).
  virtual uint32_t PollMs() { return 2; }
};

// Makes a sink for the format, or null when it cannot be opened.
using SinkMaker = std::unique_ptr<Sink> (*)(const WAVEFORMATEX& format);

// Registers the SDL2 sink's maker; `makeDefault` makes "sdl" the sink used
// when TESSALYN_AUDIO is not set.
void RegisterSdlSink(SinkMaker maker, bool makeDefault);

// Whether the sinks take the format: 16-bit PCM, one or two channels,
// 8,000-48,000 Hz, consistent block align and byte rate.
bool IsPlayableFormat(const WAVEFORMATEX& format);

// The null sink, paced in real time.
std::unique_ptr<Sink> MakeNullSink(const WAVEFORMATEX& format);
// The null sink that also writes what it plays as a WAV file at `path`.
std::unique_ptr<Sink> MakeRecordSink(const WAVEFORMATEX& format, const std::string& path);

// The sink for an opening, chosen by TESSALYN_AUDIO (and, in tests, the test
// control); never null for a playable format.
std::unique_ptr<Sink> ChooseSink(const WAVEFORMATEX& format);

}  // namespace devaudio
