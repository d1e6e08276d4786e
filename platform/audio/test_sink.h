// What the wave devices ask of the test control (audio_hooks.h): test and
// fuzz builds only.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the test sink exists only in test and fuzz builds"
#endif

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/audio_sink.h"

namespace devaudio {

// What the test control keeps of one opening.
struct OpeningRecord {
  WAVEFORMATEX format{};
  std::mutex lock;
  std::vector<uint8_t> played;  // guarded by lock
  std::atomic<DWORD> volume{0xFFFFFFFFu};
  std::atomic<int> queued{0};
  std::atomic<bool> open{true};
};

bool TestSinksActive();
std::unique_ptr<Sink> MakeTestSink(const WAVEFORMATEX& format);
// MMSYSERR_NOERROR, or the result an opening must fail with (an injected
// failure, or WAVERR_BADFORMAT for a format the rule refuses).
MMRESULT TestOpenResult(const WAVEFORMATEX& format);
// The capability bits to announce.
DWORD TestCapabilities();
// Numbers the opening and keeps its record.
std::shared_ptr<OpeningRecord> NoteOpening(const WAVEFORMATEX& format);

}  // namespace devaudio
