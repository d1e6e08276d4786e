// The wave output: buffers come back done in write order on the completion
// thread (which may queue more), the volume scales the samples, reset
// returns everything, the header rules and result codes, the formats the
// sinks take, and the record sink's WAV files.
#include "platform/audio/wave_out.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/testing/audio.h"

namespace {

WAVEFORMATEX Pcm16(uint32_t rate, uint16_t channels) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = channels;
  f.nSamplesPerSec = rate;
  f.wBitsPerSample = 16;
  f.nBlockAlign = static_cast<WORD>(channels * 2);
  f.nAvgBytesPerSec = rate * f.nBlockAlign;
  return f;
}

struct Completions {
  std::mutex lock;
  std::vector<WAVEHDR*> done;
  std::vector<UINT> messages;
  std::vector<WAVEHDR>* requeue = nullptr;  // written again from the callback once
  HWAVEOUT device = nullptr;
  std::atomic<int> closeResult{-1};

  static void Callback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
    auto* self = reinterpret_cast<Completions*>(instance);
    std::lock_guard<std::mutex> guard(self->lock);
    self->messages.push_back(message);
    if (message != WOM_DONE) return;
    auto* header = reinterpret_cast<WAVEHDR*>(param1);
    self->done.push_back(header);
    EXPECT_TRUE(header->dwFlags & WHDR_DONE);
    EXPECT_FALSE(header->dwFlags & WHDR_INQUEUE);
    if (self->done.size() == 1) self->closeResult = static_cast<int>(waveOutClose(device));
    if (self->requeue && header == &(*self->requeue)[0] && header->dwUser == 0) {
      header->dwUser = 1;
      EXPECT_EQ(waveOutWrite(device, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
  }
  size_t Done() {
    std::lock_guard<std::mutex> guard(lock);
    return done.size();
  }
  bool WaitFor(size_t count) {
    auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Done() < count)
      if (std::chrono::steady_clock::now() > limit) return false;
    return true;
  }
};

HWAVEOUT Open(Completions* completions, const WAVEFORMATEX& format) {
  HWAVEOUT device = nullptr;
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&Completions::Callback),
                        reinterpret_cast<DWORD_PTR>(completions), CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  completions->device = device;
  return device;
}

TEST(WaveOut, BuffersReturnInWriteOrderWithTheVolumeApplied) {
  Completions completions;
  HWAVEOUT device = Open(&completions, Pcm16(22050, 2));
  std::vector<int16_t> samples[3] = {{1000, -1000, 2000, -2000}, {30000, -30000, 4, 4}, {7, 8, 9, 10}};
  std::vector<WAVEHDR> headers(3);
  completions.requeue = &headers;
  ASSERT_EQ(waveOutSetVolume(device, 0x4000FFFF), MMSYSERR_NOERROR);  // right at a quarter
  for (int i = 0; i < 3; ++i) {
    headers[i] = WAVEHDR{};
    headers[i].lpData = reinterpret_cast<LPSTR>(samples[i].data());
    headers[i].dwBufferLength = 8;
    EXPECT_EQ(waveOutWrite(device, &headers[i], sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    ASSERT_EQ(waveOutPrepareHeader(device, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  ASSERT_TRUE(completions.WaitFor(4));
  EXPECT_EQ(completions.closeResult.load(), static_cast<int>(MMSYSERR_ERROR));  // not from the callback
  {
    std::lock_guard<std::mutex> guard(completions.lock);
    EXPECT_EQ(completions.done, (std::vector<WAVEHDR*>{&headers[0], &headers[1], &headers[2], &headers[0]}));
    EXPECT_EQ(completions.messages.front(), WOM_OPEN);
  }
  DWORD volume = 0;
  ASSERT_EQ(waveOutGetVolume(device, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0x4000FFFFu);
  std::vector<uint8_t> played = devtest::AudioPlayed(1);
  ASSERT_EQ(played.size(), 32u);
  std::vector<int16_t> got(16);
  std::memcpy(got.data(), played.data(), 32);
  EXPECT_EQ(got, (std::vector<int16_t>{1000, -250, 2000, -500, 30000, -7500, 4, 1, 7, 2, 9, 2, 1000, -250, 2000, -500}));
  EXPECT_EQ(waveOutUnprepareHeader(device, &headers[0], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(device), MMSYSERR_INVALHANDLE);
  std::lock_guard<std::mutex> guard(completions.lock);
  EXPECT_EQ(completions.messages.back(), WOM_CLOSE);
}

TEST(WaveOut, ResetReturnsEveryQueuedBufferBeforeItReturns) {
  devtest::SetAudioPacing(devtest::AudioPacing::kHeld);
  Completions completions;
  HWAVEOUT device = Open(&completions, Pcm16(11025, 1));
  std::vector<int16_t> data(512, 5);
  std::vector<WAVEHDR> headers(4);
  for (WAVEHDR& header : headers) {
    header.lpData = reinterpret_cast<LPSTR>(data.data());
    header.dwBufferLength = 1024;
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(completions.Done(), 0u);
  EXPECT_EQ(devtest::AudioQueuedBuffers(1), 4);
  EXPECT_EQ(waveOutUnprepareHeader(device, &headers[0], sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  ASSERT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
  EXPECT_EQ(completions.Done(), 4u);
  EXPECT_EQ(devtest::AudioQueuedBuffers(1), 0);
  EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  EXPECT_FALSE(devtest::AudioDeviceOpen(1));
}

TEST(WaveOut, FormatsCapabilitiesAndResultCodes) {
  WAVEOUTCAPSW caps{};
  ASSERT_EQ(waveOutGetDevCapsW(WAVE_MAPPER, &caps, sizeof caps), MMSYSERR_NOERROR);
  EXPECT_EQ(caps.dwFormats, kWaveFormats16Bit);
  EXPECT_EQ(waveOutGetDevCapsW(WAVE_MAPPER, &caps, 4), MMSYSERR_INVALPARAM);
  struct Case {
    WAVEFORMATEX format;
    MMRESULT result;
  };
  WAVEFORMATEX eightBit = Pcm16(22050, 1);
  eightBit.wBitsPerSample = 8;
  eightBit.nBlockAlign = 1;
  eightBit.nAvgBytesPerSec = 22050;
  WAVEFORMATEX badAlign = Pcm16(22050, 2);
  badAlign.nBlockAlign = 3;
  const Case cases[] = {{Pcm16(8000, 1), MMSYSERR_NOERROR},  {Pcm16(48000, 2), MMSYSERR_NOERROR},
                        {Pcm16(7999, 1), WAVERR_BADFORMAT},  {Pcm16(96000, 2), WAVERR_BADFORMAT},
                        {Pcm16(22050, 3), WAVERR_BADFORMAT}, {eightBit, WAVERR_BADFORMAT},
                        {badAlign, WAVERR_BADFORMAT}};
  for (const Case& c : cases) {
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &c.format, 0, 0, WAVE_FORMAT_QUERY), c.result)
        << c.format.nSamplesPerSec << " " << c.format.nChannels;
  }
  HWAVEOUT device = nullptr;
  WAVEFORMATEX ok = Pcm16(22050, 2);
  EXPECT_EQ(waveOutOpen(&device, 3, &ok, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &ok, 0, 0, CALLBACK_FUNCTION), MMSYSERR_INVALPARAM);
  devtest::FailAudioOpenings(1);
  EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &ok, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
  EXPECT_EQ(waveOutPause(nullptr), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(devtest::AudioOpenings(), 0);
  devtest::SetAudioCapabilities(WAVE_FORMAT_4S16);
  ASSERT_EQ(waveOutGetDevCapsW(0, &caps, sizeof caps), MMSYSERR_NOERROR);
  EXPECT_EQ(caps.dwFormats, static_cast<DWORD>(WAVE_FORMAT_4S16));
}

TEST(WaveOut, RecordSinkWritesWavFilesThatSoxiReads) {
  std::string folder = std::filesystem::temp_directory_path().string() + "/tessalyn-record-" +
                       std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  std::string prefix = folder + "/run";
  ::setenv("TESSALYN_AUDIO", ("record:" + prefix).c_str(), 1);
  devtest::UseEnvironmentAudioSinks();
  struct Case {
    uint32_t rate;
    uint16_t channels;
    uint32_t frames;
  };
  const Case cases[] = {{11025, 1, 2205}, {44100, 2, 4410}};
  for (const Case& c : cases) {
    Completions completions;
    HWAVEOUT device = Open(&completions, Pcm16(c.rate, c.channels));
    std::vector<int16_t> data(c.frames * c.channels, 1234);
    WAVEHDR header{};
    header.lpData = reinterpret_cast<LPSTR>(data.data());
    header.dwBufferLength = static_cast<DWORD>(data.size() * 2);
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof header), MMSYSERR_NOERROR);
    ASSERT_TRUE(completions.WaitFor(1));  // paced in real time: a tenth of a second
    ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
  }
  ::unsetenv("TESSALYN_AUDIO");
  for (int n = 1; n <= 2; ++n) {
    std::string wav = prefix + "-" + std::to_string(n) + ".wav";
    std::string out = folder + "/soxi.txt";
    ASSERT_EQ(std::system(("soxi -r '" + wav + "' > '" + out + "' && soxi -c '" + wav + "' >> '" + out +
                           "' && soxi -s '" + wav + "' >> '" + out + "'").c_str()),
              0);
    FILE* file = std::fopen(out.c_str(), "r");
    ASSERT_TRUE(file);
    unsigned rate = 0, channels = 0, frames = 0;
    ASSERT_EQ(std::fscanf(file, "%u %u %u", &rate, &channels, &frames), 3);
    std::fclose(file);
    EXPECT_EQ(rate, cases[n - 1].rate);
    EXPECT_EQ(channels, cases[n - 1].channels);
    EXPECT_EQ(frames, cases[n - 1].frames);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
