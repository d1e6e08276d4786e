// The sinks that play nothing (null, record), the format rule and the
// choice of a sink by TESSALYN_AUDIO.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/audio_sink.h"
#include "platform/audio/scheduled_sink.h"
#include "platform/audio/wav_file.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/audio/test_sink.h"
#endif

namespace devaudio {
namespace {

class NullSink : public ScheduledSink {
 public:
  using ScheduledSink::ScheduledSink;

 protected:
  uint64_t NowUs() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
  }
};

class RecordSink final : public NullSink {
 public:
  RecordSink(const WAVEFORMATEX& format, std::string path) : NullSink(format), format_(format), path_(std::move(path)) {}
  ~RecordSink() override {
    if (!WriteWavFile(path_, format_, pcm_))
      std::fprintf(stderr, "tessalyn: cannot write the sound recording %s\n", path_.c_str());
  }

 protected:
  void Keep(const uint8_t* data, uint32_t bytes) override { pcm_.insert(pcm_.end(), data, data + bytes); }

 private:
  WAVEFORMATEX format_;
  std::string path_;
  std::vector<uint8_t> pcm_;
};

struct SinkChoice {
  std::mutex lock;
  SinkMaker sdl = nullptr;
  bool sdlDefault = false;
  bool warned = false;
  int recordings = 0;  // per record path prefix, the openings so far
  std::string recordPath;
};

SinkChoice& Choice() {
  static SinkChoice* choice = new SinkChoice;  // lives for the process
  return *choice;
}

}  // namespace

void RegisterSdlSink(SinkMaker maker, bool makeDefault) {
  SinkChoice& choice = Choice();
  std::lock_guard<std::mutex> guard(choice.lock);
  choice.sdl = maker;
  if (makeDefault) choice.sdlDefault = true;
}

bool IsPlayableFormat(const WAVEFORMATEX& f) {
  return f.wFormatTag == WAVE_FORMAT_PCM && f.wBitsPerSample == 16 && (f.nChannels == 1 || f.nChannels == 2) &&
         f.nSamplesPerSec >= 8000 && f.nSamplesPerSec <= 48000 && f.nBlockAlign == f.nChannels * 2 &&
         f.nAvgBytesPerSec == f.nSamplesPerSec * f.nBlockAlign;
}

std::unique_ptr<Sink> MakeNullSink(const WAVEFORMATEX& format) { return std::make_unique<NullSink>(format); }

std::unique_ptr<Sink> MakeRecordSink(const WAVEFORMATEX& format, const std::string& path) {
  return std::make_unique<RecordSink>(format, path);
}

std::unique_ptr<Sink> ChooseSink(const WAVEFORMATEX& format) {
#ifdef TESSALYN_TEST_HOOKS
  if (TestSinksActive()) return MakeTestSink(format);
#endif
  SinkChoice& choice = Choice();
  const char* env = std::getenv("TESSALYN_AUDIO");
  std::string wanted = env ? env : "";
  std::unique_lock<std::mutex> guard(choice.lock);
  if (wanted.empty()) wanted = choice.sdlDefault ? "sdl" : "null";
  if (wanted.rfind("record:", 0) == 0 && wanted.size() > 7) {
    std::string prefix = wanted.substr(7);
    if (prefix != choice.recordPath) {
      choice.recordPath = prefix;
      choice.recordings = 0;
    }
    std::string path = prefix + "-" + std::to_string(++choice.recordings) + ".wav";
    return MakeRecordSink(format, path);
  }
  if (wanted == "sdl") {
    SinkMaker maker = choice.sdl;
    guard.unlock();
    std::unique_ptr<Sink> sink = maker ? maker(format) : nullptr;
    if (sink) return sink;
    guard.lock();
    if (!choice.warned) {
      choice.warned = true;
      std::fprintf(stderr, "tessalyn: no sound device could be opened; playing silently\n");
    }
    return MakeNullSink(format);
  }
  if (wanted != "null" && !choice.warned) {
    choice.warned = true;
    std::fprintf(stderr, "tessalyn: TESSALYN_AUDIO=%s is not sdl, null or record:PATH; playing silently\n",
                 wanted.c_str());
  }
  return MakeNullSink(format);
}

}  // namespace devaudio
