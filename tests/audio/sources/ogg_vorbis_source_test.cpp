// The Ogg Vorbis source against oggdec -R and against a plain loop over the
// decoder library's own file functions; durations, seeks, the seek callback,
// damaged, foreign and chained files.
#include "audio/sources/ogg_vorbis_source.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/audio/sources/ogg_test_files.h"
#include "tests/support/audio_fixtures.h"
#include "tests/support/file_document_stream.h"
#include "tests/support/reference_ogg_decoder.h"

namespace {

using oggtest::OpenOgg;
using oggtest::OpenOggBytes;
using oggtest::ReadAll;

struct SourceRef {
  explicit SourceRef(AudioSource* s) : source(s) {}
  ~SourceRef() {
    if (source) source->Release();
  }
  AudioSource* source;
};

TEST(OggVorbisSource, DecodesLikeOggdecAndLikeTheLibrarysOwnLoop) {
  struct Case {
    const char* name;
    std::string (*make)();
    uint32_t rate, channels;
  };
  const Case cases[] = {
      {"44.1 kHz stereo 2.9 s", audiofix::Stereo44k, 44100, 2},
      {"22.05 kHz stereo", audiofix::Stereo22k, 22050, 2},
      {"32 kHz stereo", audiofix::Stereo32k, 32000, 2},
      {"8 kHz mono", audiofix::Mono8k, 8000, 1},
      {"11.025 kHz mono", audiofix::Mono11k, 11025, 1},
      {"square at -0.1 dB", audiofix::LoudSquare, 44100, 2},
      {"60 s of noise at quality 8", audiofix::LongNoise, 44100, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = c.make();
    ASSERT_FALSE(path.empty()) << "sox or oggenc failed";
    SourceRef ref(OpenOgg(path));
    PcmFormat format;
    ASSERT_TRUE(ref.source->GetPcmReader()->GetFormat(&format));
    EXPECT_EQ(format.rate, c.rate);
    EXPECT_EQ(format.channels, c.channels);
    EXPECT_EQ(format.bytesPerSample, 2u);
    EXPECT_TRUE(format.isSigned);
    EXPECT_FALSE(format.bigEndian);

    std::vector<uint8_t> pcm = ReadAll(ref.source, 1024);
    std::vector<uint8_t> oggdec = audiofix::OggdecRaw(path);
    ASSERT_EQ(pcm.size(), oggdec.size());
    std::vector<int16_t> ours = audiofix::Samples(pcm), theirs = audiofix::Samples(oggdec);
    // The integer decoder rounds differently from oggdec's floating-point
    // one: almost every sample is within 1, and on long loud noise a few in
    // a million are 2 apart (5 of 5.3 million on the repeatable 60 s noise).
    size_t off = 0, worst = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
      size_t d = static_cast<size_t>(std::abs(ours[i] - theirs[i]));
      if (d > 1) ++off;
      if (d > worst) worst = d;
    }
    EXPECT_LE(worst, 2u);
    EXPECT_LE(off, ours.size() / 100000) << "samples further than 1 from oggdec's";

    ReferenceDecode library = DecodeWithLibrary(path);
    ASSERT_TRUE(library.opened);
    EXPECT_TRUE(pcm == library.pcm) << "differs from the library's own loop";
  }
}

TEST(OggVorbisSource, DurationSeekAndPosition) {
  std::string path = audiofix::Stereo44k();
  SourceRef ref(OpenOgg(path));
  AudioSource* source = ref.source;
  EXPECT_TRUE(source->IsValid());
  EXPECT_EQ(source->GetDuration(), 2);  // 2.9 s in whole seconds
  EXPECT_EQ(source->GetPosition(), 0);

  ASSERT_TRUE(source->Seek(1));
  EXPECT_EQ(source->GetPosition(), 1);
  std::vector<uint8_t> after = ReadAll(source);
  ReferenceDecode library = DecodeWithLibrary(path, 1000);
  ASSERT_TRUE(library.opened);
  EXPECT_TRUE(after == library.pcm);

  // A seek beyond the end answers false and moves nothing.
  ASSERT_TRUE(source->Seek(1));
  std::vector<uint8_t> first(1024);
  uint32_t got = 0;
  ASSERT_TRUE(source->GetPcmReader()->Read(first.data(), 1024, &got));
  EXPECT_FALSE(source->Seek(3));
  EXPECT_FALSE(source->Seek(-1));
  std::vector<uint8_t> next(1024);
  ASSERT_TRUE(source->GetPcmReader()->Read(next.data(), 1024, &got));
  EXPECT_TRUE(std::equal(next.begin(), next.begin() + got, library.pcm.begin() + 1024));
}

TEST(OggVorbisSource, SeekCallbackClampsToTheStream) {
  auto* stream = new MemoryDocumentStream(std::vector<uint8_t>(1000, 0));
  stream->AddRef();  // keep it to make it invalid later
  OggVorbisSource source(stream);
  EXPECT_FALSE(source.HasDecoder());
  struct Case {
    int64_t offset;
    int whence;
    uint32_t position;
  };
  const Case cases[] = {{-10, SEEK_END, 990}, {5000, SEEK_SET, 1000}, {-5, SEEK_SET, 0},
                        {300, SEEK_SET, 300},  {-400, SEEK_CUR, 0},    {20, SEEK_END, 1000},
                        {INT64_MAX, SEEK_CUR, 1000}, {INT64_MIN, SEEK_END, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(OggVorbisSource::SeekCallback(&source, c.offset, c.whence), 0);
    EXPECT_EQ(source.ReadPosition(), c.position) << c.offset << " from " << c.whence;
    EXPECT_EQ(OggVorbisSource::TellCallback(&source), static_cast<long>(c.position));
  }
  EXPECT_EQ(OggVorbisSource::SeekCallback(&source, 0, 7), -1);
  stream->SetValid(false);
  EXPECT_EQ(OggVorbisSource::SeekCallback(&source, 0, SEEK_SET), -1);
  stream->Release();
}

// What a file that gives no track answers: no format, no samples, no
// duration, no seek; and no call reaches a decoder.
TEST(OggVorbisSource, FilesThatAreNotOggVorbisGiveNoTrack) {
  std::vector<uint8_t> ogg = audiofix::ReadFile(audiofix::Stereo44k());
  std::vector<oggtest::Page> pages = oggtest::Pages(ogg);
  ASSERT_GT(pages.size(), 4u);
  size_t firstAudio = 0;
  while (firstAudio < pages.size() && pages[firstAudio].granule <= 0) ++firstAudio;
  ASSERT_LT(firstAudio, pages.size());

  std::vector<uint8_t> junk = {'O', 'g', 'g', 'S'};
  srand(7);
  for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<uint8_t>(rand()));
  std::vector<uint8_t> headersOnly(ogg.begin(), ogg.begin() + static_cast<long>(pages[firstAudio].offset));
  std::string wavPath = audiofix::Folder() + "/not-ogg.ogg";
  ASSERT_EQ(audiofix::Run("sox -n -r 22050 -c 1 -b 16 -t wav '" + wavPath + "' synth 0.5 sine 300"), 0);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {{"OggS and junk", junk},
                        {"headers only", headersOnly},
                        {"empty", {}},
                        {"a WAV file named .ogg", audiofix::ReadFile(wavPath)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SourceRef ref(OpenOggBytes(c.bytes));
    AudioSource* source = ref.source;
    PcmFormat format;
    uint8_t buffer[1024];
    uint32_t got = 77;
    bool hasFormat = source->GetPcmReader()->GetFormat(&format);
    bool read = source->GetPcmReader()->Read(buffer, sizeof buffer, &got);
    if (std::string(c.name) == "headers only" && hasFormat) {
      // The headers alone may open the decoder: it then has nothing to play.
      EXPECT_FALSE(read);
      EXPECT_EQ(got, 0u);
      EXPECT_LE(source->GetDuration(), 0);
      continue;
    }
    EXPECT_FALSE(hasFormat);
    EXPECT_FALSE(read);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(source->GetDuration(), -1);
    EXPECT_EQ(source->GetPosition(), 0);
    EXPECT_FALSE(source->Seek(0));
  }
}

TEST(OggVorbisSource, CutFilePlaysUpToTheCutWithinOnePage) {
  std::string path = audiofix::LongNoise();
  std::vector<uint8_t> ogg = audiofix::ReadFile(path);
  std::vector<uint8_t> whole = DecodeWithLibrary(path).pcm;
  std::vector<oggtest::Page> pages = oggtest::Pages(ogg);
  const oggtest::Page& cutPage = pages[pages.size() * 3 / 5];
  std::vector<uint8_t> cut(ogg.begin(), ogg.begin() + static_cast<long>(cutPage.offset + cutPage.size / 2));
  const oggtest::Page& lastWhole = pages[pages.size() * 3 / 5 - 1];
  const oggtest::Page& beforeIt = pages[pages.size() * 3 / 5 - 2];

  SourceRef ref(OpenOggBytes(cut));
  std::vector<uint8_t> pcm = ReadAll(ref.source);
  const size_t frameBytes = 4;
  EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), whole.begin())) << "not a prefix of the whole decode";
  EXPECT_GE(pcm.size(), static_cast<size_t>(beforeIt.granule) * frameBytes);
  EXPECT_LE(pcm.size(), static_cast<size_t>(lastWhole.granule) * frameBytes);
  uint8_t buffer[1024];
  uint32_t got = 1;
  EXPECT_FALSE(ref.source->GetPcmReader()->Read(buffer, sizeof buffer, &got));
  EXPECT_EQ(got, 0u);
}

TEST(OggVorbisSource, ZeroedPageEndsTheStreamThere) {
  std::string path = audiofix::LongNoise();
  std::vector<uint8_t> ogg = audiofix::ReadFile(path);
  std::vector<uint8_t> whole = DecodeWithLibrary(path).pcm;
  std::vector<oggtest::Page> pages = oggtest::Pages(ogg);
  size_t damaged = pages.size() / 2;
  std::string copy = audiofix::Folder() + "/zeroed.ogg";
  ASSERT_TRUE(audiofix::WriteFile(copy, ogg));
  ASSERT_EQ(audiofix::Run("dd if=/dev/zero of='" + copy + "' bs=1 seek=" + std::to_string(pages[damaged].offset) +
                          " count=" + std::to_string(pages[damaged].size) + " conv=notrunc status=none"),
            0);
  SourceRef ref(OpenOgg(copy));
  std::vector<uint8_t> pcm = ReadAll(ref.source);
  size_t same = std::mismatch(pcm.begin(), pcm.end(), whole.begin()).first - pcm.begin();
  EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), whole.begin())) << "first difference at frame " << same / 4;
  EXPECT_LE(pcm.size(), static_cast<size_t>(pages[damaged].granule) * 4);
  EXPECT_GE(pcm.size(), static_cast<size_t>(pages[damaged - 2].granule) * 4);
  uint8_t buffer[1024];
  uint32_t got = 1;
  EXPECT_FALSE(ref.source->GetPcmReader()->Read(buffer, sizeof buffer, &got));
}

TEST(OggVorbisSource, ChainedFilePlaysOnlyTheLinksOfTheFirstFormat) {
  std::string first = audiofix::Stereo44k();
  std::string other = audiofix::Stereo22k();
  std::string foreign = audiofix::Folder() + "/chained-foreign.ogg";
  std::string same = audiofix::Folder() + "/chained-same.ogg";
  // A second link needs its own serial number.
  std::string again = audiofix::MakeOgg("stereo44k-serial", "-r 44100 -c 2 -b 16", "synth 2.9 sine 440 sine 660",
                                        "--serial 4242");
  ASSERT_EQ(audiofix::Run("cat '" + first + "' '" + other + "' > '" + foreign + "'"), 0);
  ASSERT_EQ(audiofix::Run("cat '" + first + "' '" + again + "' > '" + same + "'"), 0);
  std::vector<uint8_t> firstPcm = DecodeWithLibrary(first).pcm;

  SourceRef chained(OpenOgg(foreign));
  EXPECT_EQ(chained.source->GetDuration(), 2);
  EXPECT_TRUE(ReadAll(chained.source) == firstPcm);
  // Where the links keep the format, both play, as the library's own loop
  // plays them.
  EXPECT_FALSE(chained.source->Seek(3));

  SourceRef twice(OpenOgg(same));
  EXPECT_EQ(twice.source->GetDuration(), 5);  // 5.8 s
  std::vector<uint8_t> both = ReadAll(twice.source);
  ASSERT_EQ(both.size(), 2 * firstPcm.size());
  EXPECT_TRUE(std::equal(firstPcm.begin(), firstPcm.end(), both.begin()));
  EXPECT_TRUE(both == DecodeWithLibrary(same).pcm);
}

}  // namespace
