// The test sink and the test control of the wave output (audio_hooks.h).
#ifdef TESSALYN_TEST_HOOKS

#include "platform/audio/test_sink.h"

#include <map>

#include "platform/audio/audio_hooks.h"
#include "platform/audio/scheduled_sink.h"
#include "platform/time/tick_count.h"

namespace devaudio {
namespace {

struct TestControl {
  std::mutex lock;
  bool active = false;
  std::atomic<devtest::AudioPacing> pacing{devtest::AudioPacing::kAtOnce};
  std::function<bool(const WAVEFORMATEX&)> accepts;
  DWORD capabilities = kWaveFormats16Bit;
  int failures = 0;
  MMRESULT failure = MMSYSERR_NODRIVER;
  int openings = 0;
  std::map<int, std::shared_ptr<OpeningRecord>> records;
};

TestControl& Control() {
  static TestControl* control = new TestControl;  // lives for the process
  return *control;
}

// Times buffers on the virtual clock; the pace decides what has played.
class TestSink final : public ScheduledSink {
 public:
  using ScheduledSink::ScheduledSink;

  uint64_t PlayedBytes() override {
    switch (Control().pacing.load()) {
      case devtest::AudioPacing::kAtOnce: PlayAll(); break;
      case devtest::AudioPacing::kHeld: return held_;
      case devtest::AudioPacing::kVirtualClock: break;
    }
    held_ = ScheduledSink::PlayedBytes();
    return held_;
  }
  void Flush() override {
    ScheduledSink::Flush();
    held_ = ScheduledSink::PlayedBytes();
  }
  uint32_t PollMs() override { return 1; }

 protected:
  uint64_t NowUs() override { return static_cast<uint64_t>(GetTickCount()) * 1000u; }

 private:
  uint64_t held_ = 0;
};

std::shared_ptr<OpeningRecord> FindRecord(int opening) {
  TestControl& control = Control();
  std::lock_guard<std::mutex> guard(control.lock);
  auto it = control.records.find(opening);
  return it == control.records.end() ? nullptr : it->second;
}

}  // namespace

bool TestSinksActive() {
  TestControl& control = Control();
  std::lock_guard<std::mutex> guard(control.lock);
  return control.active;
}

std::unique_ptr<Sink> MakeTestSink(const WAVEFORMATEX& format) { return std::make_unique<TestSink>(format); }

MMRESULT TestOpenResult(const WAVEFORMATEX& format) {
  TestControl& control = Control();
  std::lock_guard<std::mutex> guard(control.lock);
  if (control.failures > 0) {
    --control.failures;
    return control.failure;
  }
  bool accepted = control.accepts ? control.accepts(format) : IsPlayableFormat(format);
  return accepted ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
}

DWORD TestCapabilities() {
  TestControl& control = Control();
  std::lock_guard<std::mutex> guard(control.lock);
  return control.capabilities;
}

std::shared_ptr<OpeningRecord> NoteOpening(const WAVEFORMATEX& format) {
  TestControl& control = Control();
  auto record = std::make_shared<OpeningRecord>();
  record->format = format;
  std::lock_guard<std::mutex> guard(control.lock);
  control.records[++control.openings] = record;
  return record;
}

}  // namespace devaudio

namespace devtest {

using devaudio::Control;
using devaudio::FindRecord;

void SetAudioPacing(AudioPacing pacing) { Control().pacing.store(pacing); }

void SetAudioFormatRule(std::function<bool(const WAVEFORMATEX&)> accepts) {
  std::lock_guard<std::mutex> guard(Control().lock);
  Control().accepts = std::move(accepts);
}

void SetAudioCapabilities(DWORD formats) {
  std::lock_guard<std::mutex> guard(Control().lock);
  Control().capabilities = formats;
}

void FailAudioOpenings(int count, MMRESULT result) {
  std::lock_guard<std::mutex> guard(Control().lock);
  Control().failures = count;
  Control().failure = result;
}

void UseEnvironmentAudioSinks() {
  std::lock_guard<std::mutex> guard(Control().lock);
  Control().active = false;
}

int AudioOpenings() {
  std::lock_guard<std::mutex> guard(Control().lock);
  return Control().openings;
}

std::vector<uint8_t> AudioPlayed(int opening) {
  auto record = FindRecord(opening);
  if (!record) return {};
  std::lock_guard<std::mutex> guard(record->lock);
  return record->played;
}

WAVEFORMATEX AudioFormat(int opening) {
  auto record = FindRecord(opening);
  return record ? record->format : WAVEFORMATEX{};
}

DWORD AudioVolume(int opening) {
  auto record = FindRecord(opening);
  return record ? record->volume.load() : 0;
}

int AudioQueuedBuffers(int opening) {
  auto record = FindRecord(opening);
  return record ? record->queued.load() : 0;
}

bool AudioDeviceOpen(int opening) {
  auto record = FindRecord(opening);
  return record && record->open.load();
}

int AudioOpenDevices() {
  std::lock_guard<std::mutex> guard(Control().lock);
  int open = 0;
  for (auto& [number, record] : Control().records) open += record->open.load() ? 1 : 0;
  return open;
}

void ResetAudio() {
  auto& control = Control();
  std::lock_guard<std::mutex> guard(control.lock);
  control.active = true;
  control.pacing.store(AudioPacing::kAtOnce);
  control.accepts = nullptr;
  control.capabilities = kWaveFormats16Bit;
  control.failures = 0;
  control.openings = 0;
  // Records of devices a test left open stay with those devices.
  control.records.clear();
}

}  // namespace devtest

#endif  // TESSALYN_TEST_HOOKS
