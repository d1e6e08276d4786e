// Audio decoding as the player meets it: the Ogg source in the player's
// 1,024-byte reads over 60 s of noise at quality 8, and a 22,050 Hz track
// decoded alone and decoded and resampled to 44,100 Hz, each reported as a
// multiple of real time; and the latency of one 1,024-byte read (the work
// of one RefillBuffer on the driver's thread) over a whole track, as its
// 99th percentile and maximum.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "audio/sources/ogg_vorbis_source.h"
#include "audio/sources/resampling_source.h"
#include "tests/support/audio_fixtures.h"
#include "tests/support/file_document_stream.h"

namespace {

const std::string& Noise60() {
  static const std::string path = audiofix::LongNoise();
  return path;
}

const std::string& Tone22k60() {
  static const std::string path =
      audiofix::MakeOgg("tones22k60", "-r 22050 -c 2 -b 16", "synth 60 sine 300 sine 500", "-q 5");
  return path;
}

AudioSource* Open(const std::string& path) {
  FileDocumentStream* stream = FileDocumentStream::Open(path);
  return stream ? new OggVorbisSource(stream) : nullptr;
}

// Reads the whole source; the bytes read.
uint64_t Drain(AudioSource* source) {
  static uint8_t buffer[1024];
  uint64_t total = 0;
  for (;;) {
    uint32_t got = 0;
    if (!source->GetPcmReader()->Read(buffer, sizeof buffer, &got) || got == 0) break;
    total += got;
  }
  return total;
}

void ReportRealTime(benchmark::State& state, double trackSeconds) {
  state.counters["x_real_time"] =
      benchmark::Counter(trackSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DecodeNoise60(benchmark::State& state) {
  if (Noise60().empty()) return state.SkipWithError("sox or oggenc missing");
  for (auto _ : state) {
    AudioSource* source = Open(Noise60());
    benchmark::DoNotOptimize(Drain(source));
    source->Release();
  }
  ReportRealTime(state, 60.0);
}
BENCHMARK(BM_DecodeNoise60)->Unit(benchmark::kMillisecond);

void BM_Decode22k(benchmark::State& state) {
  if (Tone22k60().empty()) return state.SkipWithError("sox or oggenc missing");
  for (auto _ : state) {
    AudioSource* source = Open(Tone22k60());
    benchmark::DoNotOptimize(Drain(source));
    source->Release();
  }
  ReportRealTime(state, 60.0);
}
BENCHMARK(BM_Decode22k)->Unit(benchmark::kMillisecond);

void BM_Decode22kResampledTo44k(benchmark::State& state) {
  if (Tone22k60().empty()) return state.SkipWithError("sox or oggenc missing");
  for (auto _ : state) {
    auto* source = new ResamplingSource(Open(Tone22k60()));
    PcmFormat device;
    device.rate = 44100;
    device.channels = 2;
    if (!source->Configure(device)) return state.SkipWithError("resampler refused the format");
    benchmark::DoNotOptimize(Drain(source));
    source->Release();
  }
  ReportRealTime(state, 60.0);
}
BENCHMARK(BM_Decode22kResampledTo44k)->Unit(benchmark::kMillisecond);

void BM_RefillReadLatency(benchmark::State& state) {
  if (Noise60().empty()) return state.SkipWithError("sox or oggenc missing");
  std::vector<double> micros;
  uint8_t buffer[1024];
  for (auto _ : state) {
    AudioSource* source = Open(Noise60());
    micros.clear();
    for (;;) {
      auto start = std::chrono::steady_clock::now();
      uint32_t got = 0;
      bool ok = source->GetPcmReader()->Read(buffer, sizeof buffer, &got);
      micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
      if (!ok || got == 0) break;
    }
    source->Release();
  }
  std::sort(micros.begin(), micros.end());
  state.counters["p99_us"] = micros[micros.size() * 99 / 100];
  state.counters["max_us"] = micros.back();
  state.counters["reads"] = static_cast<double>(micros.size());
}
BENCHMARK(BM_RefillReadLatency)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
