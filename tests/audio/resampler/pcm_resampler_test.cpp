// The resampler: its configuration rule, the interpolation and down-mix
// figures, and conversion across calls that pull input in odd pieces.
#include "audio/resampler/pcm_resampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

PcmFormat Pcm(uint32_t rate, uint32_t channels) {
  PcmFormat f;
  f.rate = rate;
  f.channels = channels;
  return f;
}

// Input handed out from a vector of samples, at most `piece` bytes a call.
struct VectorInput {
  std::vector<int16_t> samples;
  size_t position = 0;  // in samples
  uint32_t piece = 0xFFFFFFFFu;
  int calls = 0;

  static uint32_t Pull(void* buffer, uint32_t bytes, void* user) {
    auto* self = static_cast<VectorInput*>(user);
    ++self->calls;
    size_t left = (self->samples.size() - self->position) * 2;
    size_t n = std::min<size_t>({bytes, left, self->piece});
    n -= n % 2;
    std::memcpy(buffer, self->samples.data() + self->position, n);
    self->position += n / 2;
    return static_cast<uint32_t>(n);
  }
};

std::vector<int16_t> ConvertAll(PcmResampler& resampler, VectorInput& input, uint32_t chunkBytes) {
  std::vector<int16_t> out;
  std::vector<int16_t> chunk(chunkBytes / 2);
  for (int guard = 0; guard < 100000; ++guard) {
    uint32_t n = resampler.Convert(chunkBytes, reinterpret_cast<uint8_t*>(chunk.data()), &VectorInput::Pull, &input);
    if (n == 0) break;
    out.insert(out.end(), chunk.begin(), chunk.begin() + n / 2);
  }
  return out;
}

TEST(PcmResampler, ConfigureTakesOnlyOneOrTwoChannelsAndNeverWidensMono) {
  struct Case {
    PcmFormat in, out;
    bool accepted;
  };
  PcmFormat eightBit = Pcm(22050, 2);
  eightBit.bytesPerSample = 1;
  PcmFormat bigEndian = Pcm(22050, 2);
  bigEndian.bigEndian = true;
  PcmFormat unsignedPcm = Pcm(22050, 2);
  unsignedPcm.isSigned = false;
  const Case cases[] = {
      {Pcm(22050, 2), Pcm(44100, 2), true},
      {Pcm(22050, 2), Pcm(44100, 1), true},
      {Pcm(22050, 1), Pcm(44100, 1), true},
      {Pcm(22050, 1), Pcm(44100, 2), false},  // mono never becomes stereo
      {Pcm(22050, 6), Pcm(44100, 1), false},  // surround would be garbled
      {Pcm(22050, 3), Pcm(44100, 3), false},
      {Pcm(0, 2), Pcm(44100, 2), false},
      {Pcm(22050, 2), Pcm(0, 2), false},
      {eightBit, Pcm(44100, 2), false},
      {bigEndian, Pcm(44100, 2), false},
      {unsignedPcm, Pcm(44100, 2), false},
  };
  for (const Case& c : cases) {
    PcmResampler resampler;
    EXPECT_EQ(resampler.Configure(c.in, c.out), c.accepted)
        << c.in.channels << "ch " << c.in.rate << " -> " << c.out.channels << "ch " << c.out.rate;
  }
}

TEST(PcmResampler, StepsAndInterpolatedValues) {
  PcmResampler up;
  ASSERT_TRUE(up.Configure(Pcm(22050, 2), Pcm(44100, 2)));
  EXPECT_EQ(up.Step(), 16384u);
  VectorInput input{{0, 100, 1000, -100, 2000, 300, 0, 0}};
  std::vector<int16_t> out = ConvertAll(up, input, 4 * 6);
  // Every input frame gives two, the second halfway to the next frame.
  std::vector<int16_t> expected = {0, 100, 500, 0, 1000, -100, 1500, 100, 2000, 300, 1000, 150};
  EXPECT_EQ(out, expected);

  PcmResampler down;
  ASSERT_TRUE(down.Configure(Pcm(44100, 2), Pcm(22050, 2)));
  EXPECT_EQ(down.Step(), 65536u);
  VectorInput frames{{1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7}};
  EXPECT_EQ(ConvertAll(down, frames, 4 * 2), (std::vector<int16_t>{1, -1, 3, -3, 5, -5}));

  PcmResampler mono;
  ASSERT_TRUE(mono.Configure(Pcm(11025, 1), Pcm(22050, 1)));
  VectorInput two{{0, 1000}};
  EXPECT_EQ(ConvertAll(mono, two, 2 * 2), (std::vector<int16_t>{0, 500}));
}

TEST(PcmResampler, DownMixAveragesEachChannelHalved) {
  PcmResampler resampler;
  ASSERT_TRUE(resampler.Configure(Pcm(22050, 2), Pcm(22050, 1)));
  VectorInput input{{32767, 32767, -32768, -32768, 1001, -1, 0, 0}};
  // Each sample is halved by an arithmetic shift first: -1 gives -1.
  EXPECT_EQ(ConvertAll(resampler, input, 2 * 3), (std::vector<int16_t>{32766, -32768, 499}));
}

TEST(PcmResampler, PartialFramesAreRefused) {
  PcmResampler resampler;
  ASSERT_TRUE(resampler.Configure(Pcm(22050, 2), Pcm(44100, 2)));
  VectorInput input{std::vector<int16_t>(4000, 7)};
  std::vector<uint8_t> out(1024);
  EXPECT_EQ(resampler.Convert(1023, out.data(), &VectorInput::Pull, &input), 0u);
  EXPECT_EQ(input.calls, 0);
  EXPECT_EQ(resampler.Convert(1024, out.data(), &VectorInput::Pull, &input), 1024u);
}

// The same output whether the input comes in large pieces or frame by
// frame, whatever the output size asked; buffered input is used up before
// the conversion reports its end.
TEST(PcmResampler, OutputDoesNotDependOnHowInputArrives) {
  std::vector<int16_t> samples;
  for (int i = 0; i < 5000; ++i) {
    samples.push_back(static_cast<int16_t>(10000 * std::sin(i * 0.05)));
    samples.push_back(static_cast<int16_t>(8000 * std::sin(i * 0.11)));
  }
  struct Case {
    uint32_t inRate, outRate, outChannels, piece, chunk;
  };
  const Case cases[] = {{22050, 44100, 2, 0xFFFFFFFF, 1024}, {22050, 44100, 2, 4, 1024},
                        {22050, 44100, 2, 1000, 4},          {32000, 22050, 2, 12, 1000},
                        {44100, 11025, 1, 40, 2},            {8000, 48000, 2, 4000, 1024},
                        {48000, 8000, 1, 4, 30}};
  for (const Case& c : cases) {
    PcmResampler reference, resampler;
    ASSERT_TRUE(reference.Configure(Pcm(c.inRate, 2), Pcm(c.outRate, c.outChannels)));
    ASSERT_TRUE(resampler.Configure(Pcm(c.inRate, 2), Pcm(c.outRate, c.outChannels)));
    VectorInput whole{samples};
    VectorInput pieces{samples};
    pieces.piece = c.piece;
    std::vector<int16_t> expected = ConvertAll(reference, whole, 4096 * c.outChannels);
    std::vector<int16_t> got = ConvertAll(resampler, pieces, c.chunk);
    SCOPED_TRACE(testing::Message() << c.inRate << " -> " << c.outRate << " piece " << c.piece << " chunk "
                                    << c.chunk);
    EXPECT_EQ(got, expected);
    // All of the input was used: the output lasts as long, within a frame.
    double inSeconds = 5000.0 / c.inRate;
    double outSeconds = static_cast<double>(got.size() / c.outChannels) / c.outRate;
    EXPECT_NEAR(outSeconds, inSeconds, 2.0 / c.outRate + 1.0 / c.inRate);
  }
}

TEST(PcmResampler, ResetDropsBufferedInput) {
  PcmResampler resampler;
  ASSERT_TRUE(resampler.Configure(Pcm(11025, 1), Pcm(22050, 1)));
  VectorInput first{{100, 100, 100, 100, 100, 100}};
  std::vector<uint8_t> out(4);
  ASSERT_EQ(resampler.Convert(4, out.data(), &VectorInput::Pull, &first), 4u);
  resampler.Reset();
  VectorInput second{{-7, -7, -7}};
  std::vector<int16_t> after = ConvertAll(resampler, second, 2);
  ASSERT_FALSE(after.empty());
  for (int16_t s : after) EXPECT_EQ(s, -7);
}

TEST(PcmResampler, ConversionWithoutConfigurationWritesNothing) {
  PcmResampler resampler;
  VectorInput input{{1, 2, 3, 4}};
  std::vector<uint8_t> out(8);
  EXPECT_EQ(resampler.Convert(8, out.data(), &VectorInput::Pull, &input), 0u);
}

}  // namespace
