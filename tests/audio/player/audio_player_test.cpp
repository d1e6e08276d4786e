// The audio player on the test wave device: the fallback ladder through the
// real device calls, the ring's size, the end of a track, pause and resume
// without losing or repeating sound, seeks, the volume, stalled devices and
// files that give no track.
#include "audio/player/audio_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/testing/allocation.h"
#include "platform/testing/audio.h"
#include "platform/threads/threads.h"
#include "tests/audio/sources/ogg_test_files.h"
#include "tests/support/audio_fixtures.h"
#include "tests/support/fake_audio_player.h"
#include "tests/support/reference_ogg_decoder.h"

namespace {

using devtest::AudioPacing;

std::function<AudioSource*()> OggTrack(const std::string& path) {
  return [path] { return oggtest::OpenOgg(path); };
}

std::function<AudioSource*()> BytesTrack(const std::vector<uint8_t>& bytes) {
  return [bytes] { return oggtest::OpenOggBytes(bytes); };
}

// Sleeps on the UI thread (moving the virtual clock) until the player's
// track ends or the real-time limit passes.
bool PlayToEnd(RecordingPlayerListener& listener, int count = 1) {
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (listener.TrackEndedCount() < count) {
    if (std::chrono::steady_clock::now() > limit) return false;
    Sleep(10);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

class AudioPlayerTest : public testing::Test {
 protected:
  void Use(std::vector<std::function<AudioSource*()>> tracks) {
    list_ = std::make_unique<FakeTrackList>(std::move(tracks));
    player_.SetTrackList(list_.get());
    player_.SetListener(&listener_);
  }

  RecordingPlayerListener listener_;
  std::unique_ptr<FakeTrackList> list_;
  AudioPlayer player_;
};

TEST_F(AudioPlayerTest, LadderCasesThroughTheDevice) {
  struct Case {
    const char* name;
    std::string (*file)();
    DWORD capabilities;
    uint32_t acceptedRate, acceptedChannels;  // the one format the device takes
    bool opens;
  };
  const Case cases[] = {
      {"22,050 stereo on a 44,100-stereo device", audiofix::Stereo22k, WAVE_FORMAT_4S16, 44100, 2, true},
      {"32,000 stereo on 0x8 and 0x80", audiofix::Stereo32k, WAVE_FORMAT_1S16 | WAVE_FORMAT_2S16, 22050, 2, true},
      {"mono on a stereo-only device", audiofix::Mono11k,
       WAVE_FORMAT_1S16 | WAVE_FORMAT_2S16 | WAVE_FORMAT_4S16, 44100, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    devtest::ResetAudio();
    devtest::SetAudioPacing(AudioPacing::kHeld);
    devtest::SetAudioCapabilities(c.capabilities);
    devtest::SetAudioFormatRule([&c](const WAVEFORMATEX& f) {
      return f.nSamplesPerSec == c.acceptedRate && f.nChannels == c.acceptedChannels;
    });
    Use({OggTrack(c.file())});
    EXPECT_EQ(player_.SelectTrack(0, false, -1), c.opens);
    if (c.opens) {
      ASSERT_EQ(devtest::AudioOpenings(), 1);
      EXPECT_EQ(devtest::AudioFormat(1).nSamplesPerSec, c.acceptedRate);
      EXPECT_EQ(devtest::AudioFormat(1).nChannels, c.acceptedChannels);
      EXPECT_TRUE(player_.IsPlaying());
    } else {
      EXPECT_EQ(devtest::AudioOpenings(), 0);
      EXPECT_FALSE(player_.IsPlaying());
    }
    devtest::SetAudioPacing(AudioPacing::kAtOnce);  // lets the ring drain at once
    player_.ClearTrackList(true);
    EXPECT_EQ(devtest::AudioOpenDevices(), 0);
  }
}

TEST_F(AudioPlayerTest, RingHoldsAQuarterSecond) {
  struct Case {
    std::string (*file)();
    uint32_t buffers;
  };
  for (const Case& c : {Case{audiofix::Stereo44k, 45}, Case{audiofix::Mono11k, 7}}) {
    devtest::ResetAudio();
    devtest::SetAudioPacing(AudioPacing::kHeld);
    Use({OggTrack(c.file())});
    ASSERT_TRUE(player_.SelectTrack(0, false, -1));
    EXPECT_EQ(player_.GetBufferCount(), c.buffers);
    EXPECT_EQ(devtest::AudioQueuedBuffers(1), static_cast<int>(c.buffers));
    devtest::SetAudioPacing(AudioPacing::kAtOnce);
    player_.Close();
  }
}

TEST_F(AudioPlayerTest, TrackPlaysWholeAndEndsOnce) {
  std::string path = audiofix::Stereo44k();
  Use({OggTrack(path)});
  ASSERT_TRUE(player_.SelectTrack(0, false, -1));
  EXPECT_EQ(player_.GetDuration(), 2);
  ASSERT_TRUE(listener_.WaitForTrackEnded());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(listener_.TrackEndedCount(), 1);
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_EQ(devtest::AudioQueuedBuffers(1), 0);
  EXPECT_TRUE(devtest::AudioPlayed(1) == DecodeWithLibrary(path).pcm);
  // The seconds were counted as the buffers completed.
  EXPECT_EQ(player_.GetSeconds(), 2);
  std::vector<bool> playing = listener_.PlayingChanges();
  EXPECT_EQ(playing, (std::vector<bool>{true, false}));
  // An ended track has no valid source.
  EXPECT_EQ(player_.GetDuration(), -1);
  EXPECT_FALSE(player_.Seek(0));
  player_.Play();
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_EQ(listener_.TrackChangingCount(), 1);
}

TEST_F(AudioPlayerTest, PauseAndResumeLoseAndRepeatNothing) {
  devtest::SetAudioPacing(AudioPacing::kVirtualClock);
  std::string path = audiofix::Stereo44k();
  Use({OggTrack(path)});
  ASSERT_TRUE(player_.SelectTrack(0, false, -1));
  // Pausing right after starting returns once the queued buffers played.
  player_.Pause();
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_EQ(devtest::AudioQueuedBuffers(1), 0);
  size_t afterPause = devtest::AudioPlayed(1).size();
  EXPECT_EQ(afterPause, 45u * 1024);
  Sleep(500);  // nothing plays while paused
  EXPECT_EQ(devtest::AudioPlayed(1).size(), afterPause);
  player_.TogglePause();
  EXPECT_TRUE(player_.IsPlaying());
  Sleep(300);
  player_.Pause();
  player_.Play();
  ASSERT_TRUE(PlayToEnd(listener_));
  EXPECT_EQ(listener_.TrackEndedCount(), 1);
  EXPECT_TRUE(devtest::AudioPlayed(1) == DecodeWithLibrary(path).pcm);
}

TEST_F(AudioPlayerTest, SeekPlaysFromTheGivenSecond) {
  devtest::SetAudioPacing(AudioPacing::kVirtualClock);
  std::string path = audiofix::Stereo44k();
  Use({OggTrack(path)});
  ASSERT_TRUE(player_.SelectTrack(0, false, -1));
  player_.Pause();
  size_t before = devtest::AudioPlayed(1).size();
  player_.Play();
  ASSERT_TRUE(player_.Seek(1));
  EXPECT_TRUE(player_.IsPlaying());
  EXPECT_EQ(player_.GetSeconds(), 1);
  EXPECT_FALSE(player_.Seek(9));
  ASSERT_TRUE(PlayToEnd(listener_));
  std::vector<uint8_t> played = devtest::AudioPlayed(1);
  std::vector<uint8_t> fromOne = DecodeWithLibrary(path, 1000).pcm;
  // What was queued before the seek plays out; then the track from 1 s.
  ASSERT_GE(played.size(), fromOne.size());
  EXPECT_TRUE(std::equal(fromOne.begin(), fromOne.end(), played.end() - static_cast<long>(fromOne.size())));
  EXPECT_EQ(played.size() - fromOne.size(), before + 45u * 1024);
}

TEST_F(AudioPlayerTest, SelectTrackWithAStartSecond) {
  devtest::SetAudioPacing(AudioPacing::kHeld);
  Use({OggTrack(audiofix::Stereo44k()), nullptr});
  ASSERT_TRUE(player_.SelectTrack(0, true, 1));
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_EQ(player_.GetSeconds(), 1);
  std::vector<RecordingPlayerListener::Position> positions = listener_.Positions();
  ASSERT_FALSE(positions.empty());
  EXPECT_EQ(positions.back().seconds, 1);
  ASSERT_TRUE(player_.SelectTrack(0, false, 1));
  EXPECT_TRUE(player_.IsPlaying());
  devtest::SetAudioPacing(AudioPacing::kAtOnce);
  ASSERT_TRUE(player_.SelectTrack(0, true, -1));
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_EQ(listener_.Positions().back().seconds, 0);  // none given reports 0
  EXPECT_FALSE(player_.SelectTrack(1, false, -1));      // no source
  EXPECT_FALSE(player_.SelectTrack(2, false, -1));      // out of range
  EXPECT_EQ(devtest::AudioOpenDevices(), 0);
}

TEST_F(AudioPlayerTest, VolumeIsMaskedBeforeBothChannelsGetIt) {
  devtest::SetAudioPacing(AudioPacing::kHeld);
  Use({OggTrack(audiofix::Stereo44k())});
  ASSERT_TRUE(player_.SelectTrack(0, true, -1));
  player_.SetVolume(0x8000);
  EXPECT_EQ(devtest::AudioVolume(1), 0x80008000u);
  EXPECT_EQ(player_.GetVolume(), 0x8000u);
  player_.SetVolume(0x18000);
  EXPECT_EQ(devtest::AudioVolume(1), 0x80008000u);
  player_.Close();
  EXPECT_EQ(player_.GetVolume(), 0u);  // no device to ask
}

TEST_F(AudioPlayerTest, StalledDeviceCostsAtMostTheBound) {
  devtest::SetAudioPacing(AudioPacing::kHeld);
  Use({OggTrack(audiofix::Stereo44k())});
  ASSERT_TRUE(player_.SelectTrack(0, false, -1));
  auto start = std::chrono::steady_clock::now();
  player_.Close();
  auto took = std::chrono::steady_clock::now() - start;
  // 45 buffers of 1,024 bytes at 176,400 bytes a second, plus 2 s.
  EXPECT_LT(took, std::chrono::milliseconds(2262 + 1500));
  EXPECT_EQ(devtest::AudioOpenDevices(), 0);
  EXPECT_EQ(listener_.TrackEndedCount(), 0);
  EXPECT_FALSE(player_.IsPlaying());
}

TEST_F(AudioPlayerTest, FilesThatGiveNoTrackQueueNothing) {
  std::vector<uint8_t> junk = {'O', 'g', 'g', 'S'};
  for (int i = 0; i < 3000; ++i) junk.push_back(static_cast<uint8_t>(i * 7));
  Use({BytesTrack(junk), BytesTrack({}), BytesTrack(audiofix::ReadFile(audiofix::Folder() + "/missing"))});
  for (uint32_t i = 0; i < 3; ++i) EXPECT_FALSE(player_.SelectTrack(i, false, -1));
  EXPECT_EQ(devtest::AudioOpenings(), 0);
  EXPECT_EQ(listener_.TrackEndedCount(), 0);
}

TEST_F(AudioPlayerTest, DamagedTrackEndsOnceAtTheDamage) {
  std::string path = audiofix::LongNoise();
  std::vector<uint8_t> ogg = audiofix::ReadFile(path);
  std::vector<oggtest::Page> pages = oggtest::Pages(ogg);
  std::vector<uint8_t> cut(ogg.begin(), ogg.begin() + static_cast<long>(pages[pages.size() / 3].offset + 100));
  std::vector<uint8_t> zeroed = ogg;
  const oggtest::Page& page = pages[pages.size() / 2];
  std::fill(zeroed.begin() + static_cast<long>(page.offset), zeroed.begin() + static_cast<long>(page.offset + page.size), 0);
  Use({BytesTrack(cut), BytesTrack(zeroed)});
  ASSERT_TRUE(player_.SelectTrack(0, false, -1));
  ASSERT_TRUE(listener_.WaitForTrackEnded(1));
  ASSERT_TRUE(player_.SelectTrack(1, false, -1));
  ASSERT_TRUE(listener_.WaitForTrackEnded(2));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(listener_.TrackEndedCount(), 2);
  std::vector<uint8_t> whole = DecodeWithLibrary(path).pcm;
  for (int opening : {1, 2}) {
    std::vector<uint8_t> played = devtest::AudioPlayed(opening);
    EXPECT_TRUE(std::equal(played.begin(), played.end(), whole.begin())) << opening;
  }
  EXPECT_LE(devtest::AudioPlayed(1).size(), static_cast<size_t>(pages[pages.size() / 3].granule) * 4);
  EXPECT_LE(devtest::AudioPlayed(2).size(), static_cast<size_t>(page.granule) * 4);
  EXPECT_GE(devtest::AudioPlayed(2).size(), static_cast<size_t>(pages[pages.size() / 2 - 2].granule) * 4);
}

TEST_F(AudioPlayerTest, FailuresToOpenLeaveNothingOpen) {
  Use({OggTrack(audiofix::Stereo44k())});
  devtest::FailAudioOpenings(2);
  EXPECT_FALSE(player_.SelectTrack(0, false, -1));
  EXPECT_EQ(devtest::AudioOpenDevices(), 0);
  {
    // The source, the stream and the decoder are made by the track list;
    // the first allocation of the player's own is its ring.
    AudioSource* source = oggtest::OpenOgg(audiofix::Stereo44k());
    devtest::AllocationFailure failure(1);
    EXPECT_FALSE(player_.Open(source, false));
  }
  EXPECT_EQ(devtest::AudioOpenDevices(), 0);
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_TRUE(player_.SelectTrack(0, false, -1));
}

}  // namespace

namespace {

// The refill path allocates nothing: the ring is made once per opening.
TEST_F(AudioPlayerTest, RefillingAllocatesNothingAfterOpen) {
  for (bool resampled : {false, true}) {
    devtest::ResetAudio();
    devtest::SetAudioPacing(AudioPacing::kVirtualClock);
    if (resampled) {
      devtest::SetAudioCapabilities(WAVE_FORMAT_4S16);
      devtest::SetAudioFormatRule([](const WAVEFORMATEX& f) { return f.nSamplesPerSec == 44100; });
    }
    RecordingPlayerListener listener;
    Use({OggTrack(resampled ? audiofix::Stereo22k() : audiofix::Stereo44k())});
    player_.SetListener(&listener);
    ASSERT_TRUE(player_.SelectTrack(0, true, -1));
    long before = devtest::AllocationCount();
    player_.Play();
    ASSERT_TRUE(PlayToEnd(listener));
    EXPECT_EQ(devtest::AllocationCount(), before) << (resampled ? "resampled" : "plain");
    player_.SetListener(nullptr);
  }
}

}  // namespace
