// The resampling source over the Ogg source: pitch kept per channel, seeks
// that leave nothing of before behind, and the inner source's figures.
#include "audio/sources/resampling_source.h"

#include <gtest/gtest.h>

#include "tests/audio/sources/ogg_test_files.h"
#include "tests/support/audio_fixtures.h"

namespace {

PcmFormat Output(uint32_t rate, uint32_t channels) {
  PcmFormat f;
  f.rate = rate;
  f.channels = channels;
  return f;
}

// A configured resampling source over a file (one reference, the caller's).
ResamplingSource* Resampled(const std::string& path, const PcmFormat& output) {
  auto* source = new ResamplingSource(oggtest::OpenOgg(path));
  EXPECT_TRUE(source->Configure(output));
  return source;
}

double Frequency(const std::vector<int16_t>& samples, int channels, int channel, double rate) {
  int crossings = 0;
  size_t frames = samples.size() / channels;
  for (size_t i = 1; i < frames; ++i) {
    bool before = samples[(i - 1) * channels + channel] >= 0;
    bool now = samples[i * channels + channel] >= 0;
    if (before != now) ++crossings;
  }
  return crossings / 2.0 / (frames / rate);
}

TEST(ResamplingSource, DoublingTheRateKeepsEachChannelsPitch) {
  ResamplingSource* source = Resampled(audiofix::TwoTones22k(), Output(44100, 2));
  PcmFormat format;
  ASSERT_TRUE(source->GetFormat(&format));
  EXPECT_EQ(format.rate, 44100u);
  EXPECT_EQ(format.channels, 2u);
  EXPECT_EQ(source->GetDuration(), 2);
  std::vector<int16_t> samples = audiofix::Samples(oggtest::ReadAll(source));
  source->Release();
  ASSERT_GT(samples.size(), 44100u * 2 * 19 / 10);
  EXPECT_NEAR(Frequency(samples, 2, 0, 44100), 440.0, 4.4);
  EXPECT_NEAR(Frequency(samples, 2, 1, 44100), 1000.0, 10.0);
}

TEST(ResamplingSource, SeekPlaysNothingFromBeforeIt) {
  const std::string path = audiofix::Stereo22k();
  ResamplingSource* played = Resampled(path, Output(44100, 2));
  std::vector<uint8_t> buffer(1024);
  uint32_t got = 0;
  ASSERT_TRUE(played->Read(buffer.data(), 1024, &got));
  ASSERT_EQ(got, 1024u);
  ASSERT_TRUE(played->Seek(1));
  EXPECT_EQ(played->GetPosition(), 1);
  std::vector<uint8_t> afterSeek = oggtest::ReadAll(played);

  ResamplingSource* fresh = Resampled(path, Output(44100, 2));
  ASSERT_TRUE(fresh->Seek(1));
  std::vector<uint8_t> expected = oggtest::ReadAll(fresh);
  EXPECT_FALSE(afterSeek.empty());
  EXPECT_TRUE(afterSeek == expected);

  // A seek beyond the end moves nothing and keeps what is buffered.
  ResamplingSource* kept = Resampled(path, Output(44100, 2));
  ResamplingSource* reference = Resampled(path, Output(44100, 2));
  ASSERT_TRUE(kept->Read(buffer.data(), 1024, &got));
  EXPECT_FALSE(kept->Seek(5));
  std::vector<uint8_t> keptRest = oggtest::ReadAll(kept);
  std::vector<uint8_t> all = oggtest::ReadAll(reference);
  ASSERT_EQ(keptRest.size() + 1024, all.size());
  EXPECT_TRUE(std::equal(keptRest.begin(), keptRest.end(), all.begin() + 1024));
  for (ResamplingSource* s : {played, fresh, kept, reference}) s->Release();
}

TEST(ResamplingSource, ConfigurationFollowsTheResamplersRule) {
  ResamplingSource* mono = new ResamplingSource(oggtest::OpenOgg(audiofix::Mono11k()));
  EXPECT_FALSE(mono->Configure(Output(22050, 2)));  // mono never becomes stereo
  PcmFormat format;
  EXPECT_FALSE(mono->GetFormat(&format));
  EXPECT_TRUE(mono->Configure(Output(22050, 1)));
  mono->Release();

  // Over a file that gives no track: nothing to configure from.
  ResamplingSource* none = new ResamplingSource(oggtest::OpenOggBytes({'O', 'g', 'g', 'S', 0, 0}));
  EXPECT_FALSE(none->Configure(Output(44100, 2)));
  uint8_t buffer[16];
  uint32_t got = 9;
  EXPECT_TRUE(none->Read(buffer, sizeof buffer, &got));
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(none->GetDuration(), -1);
  none->Release();
}

}  // namespace
