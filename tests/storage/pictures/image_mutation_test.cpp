// 10,000 mutated pictures (fixed seed, printed on failure) each load and
// decode, or are refused, without a sanitizer report or a hang, under output
// settings that vary with them: every depth, clips, reductions,
// transparency, interlace fill and the row callback. Each picture is copied
// into an exactly sized block so any read past its end is caught, and the
// output is surrounded by guard bytes that must stay untouched.
#include <gtest/gtest.h>

#include <vector>

#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"

namespace {

using picture::Bytes;

constexpr uint32_t kSeed = 0x5EED1234;
constexpr int kPictures = 10000;
constexpr uint8_t kGuard = 0xA7;

class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed ? seed : 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }

 private:
  uint32_t state_;
};

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  picture::GifImage image;
  image.width = 19;
  image.height = 11;
  image.minCodeSize = 4;
  image.indices = picture::PatternIndices(19, 11, 16, 1);
  seeds.push_back(picture::SimpleGif(image, picture::TestPaletteTriples(16)));
  image.interlaced = true;
  image.blockSize = 9;
  seeds.push_back(picture::SimpleGif(image, picture::TestPaletteTriples(16), 3));
  image.interlaced = false;
  image.localTable = picture::TestPaletteTriples(16);
  Bytes withExtensions = picture::GifHeader(19, 11, picture::TestPaletteTriples(4));
  picture::AppendApplication(withExtensions, std::string("QVRW\x02" "abZ...", 11), {1, 2});
  picture::AppendGraphicControl(withExtensions, 5);
  picture::AppendImage(withExtensions, image);
  picture::AppendImage(withExtensions, image);
  picture::AppendTrailer(withExtensions);
  seeds.push_back(withExtensions);

  for (uint16_t bits : {1, 4, 8}) {
    picture::BmpFileFields spec;
    spec.width = 13;
    spec.height = bits == 4 ? -7 : 7;
    spec.bits = bits;
    spec.planes = bits == 8 ? 4 : 1;
    spec.palette = picture::TestPaletteQuads(1u << bits);
    spec.pixels = picture::BmpPixelArray(picture::PatternIndices(13, 7, 1u << bits, 2), 13, 7, bits, bits == 4);
    seeds.push_back(picture::BuildBmp(spec));
  }
  for (bool rle4 : {false, true}) {
    picture::BmpFileFields spec;
    spec.width = 13;
    spec.height = 7;
    spec.bits = rle4 ? 4 : 8;
    spec.compression = rle4 ? 2 : 1;
    spec.planes = 3;
    spec.palette = picture::TestPaletteQuads(16);
    spec.coloursUsed = 16;
    picture::RleWriter w(rle4);
    w.Run(5, 0x12).Literal({1, 2, 3, 4, 5}).Delta(2, 1).Run(3, 0x11).EndOfRow();
    w.Raw(picture::RleEncode(picture::PatternIndices(13, 5, 16, 3), 13, 5, rle4));
    spec.pixels = w.bytes();
    seeds.push_back(picture::BuildBmp(spec));
  }
  return seeds;
}

void Mutate(Bytes& b, Random& rng) {
  int edits = 1 + static_cast<int>(rng.Below(4));
  for (int e = 0; e < edits && !b.empty(); ++e) {
    uint32_t at = rng.Below(static_cast<uint32_t>(b.size()));
    switch (rng.Below(7)) {
      case 0: b[at] = static_cast<uint8_t>(rng.Next()); break;
      case 1: b[at] ^= static_cast<uint8_t>(1u << rng.Below(8)); break;
      case 2: b[at] = rng.Below(2) ? 0xFF : 0x00; break;
      case 3: b.resize(at); break;
      case 4: {
        uint32_t n = 1 + rng.Below(16);
        for (uint32_t i = 0; i < n; ++i) b.insert(b.begin() + at, static_cast<uint8_t>(rng.Next()));
        break;
      }
      case 5: {
        uint32_t n = rng.Below(static_cast<uint32_t>(b.size() - at)) + 1;
        b.insert(b.begin() + at, b.begin() + at, b.begin() + at + n);
        break;
      }
      default: b[at] = static_cast<uint8_t>(b[at] + 1 + rng.Below(3)); break;
    }
  }
}

void IgnoreRow(void* context, const uint8_t* indices, uint32_t count, uint32_t, int32_t, const uint8_t*) {
  // Touch every index the decoder hands over.
  uint32_t sum = 0;
  for (uint32_t i = 0; i < count; ++i) sum += indices[i];
  *static_cast<uint32_t*>(context) += sum;
}

TEST(ImageMutation, TenThousandMutatedPicturesDecodeOrAreRefused) {
  const std::vector<Bytes> seeds = Seeds();
  Random rng(kSeed);
  int decodable = 0;
  for (int n = 0; n < kPictures; ++n) {
    SCOPED_TRACE(::testing::Message() << "seed " << kSeed << " picture " << n);
    Bytes bytes = seeds[rng.Below(static_cast<uint32_t>(seeds.size()))];
    Mutate(bytes, rng);
    std::vector<uint8_t> exact(bytes.begin(), bytes.end());
    ImageDecoder d(exact.empty() ? nullptr : exact.data(), static_cast<uint32_t>(exact.size()));
    uint8_t palette[256 * 4];
    d.GetPalette32(palette);
    if (!d.IsDecodable()) continue;
    ++decodable;

    const uint8_t depths[] = {1, 2, 4, 8, 16};
    const uint8_t depth = depths[rng.Below(5)];
    const uint16_t ow = static_cast<uint16_t>(1 + rng.Below(40));
    const uint16_t oh = static_cast<uint16_t>(1 + rng.Below(40));
    const uint32_t stride = (uint32_t{ow} * depth + 7) / 8;
    std::vector<uint8_t> out(stride * oh + 64, kGuard);
    uint8_t* pixels = out.data() + 32;
    std::fill(pixels, pixels + stride * oh, 0);
    d.SetOptions(rng.Below(2), rng.Below(2), rng.Below(2), rng.Below(4) != 0, true);
    if (rng.Below(3) == 0) d.SetScale(1 + rng.Below(3), 3, 1 + rng.Below(4), 4);
    if (rng.Below(3) == 0) d.SetClip(static_cast<int32_t>(rng.Below(20)) - 5, static_cast<int32_t>(rng.Below(20)) - 5,
                                     static_cast<int32_t>(rng.Below(50)), static_cast<int32_t>(rng.Below(50)));
    uint32_t sum = 0;
    bool callback = rng.Below(4) == 0;
    ASSERT_EQ(d.SetOutput(ow, oh, depth, pixels, 0, callback ? IgnoreRow : nullptr, &sum, rng.Below(5) == 0),
              kImageOk);
    d.Decode(static_cast<int32_t>(rng.Below(30)) - 10, static_cast<int32_t>(rng.Below(30)) - 10);
    for (size_t i = 0; i < 32; ++i) {
      ASSERT_EQ(out[i], kGuard) << "before the output";
      ASSERT_EQ(out[out.size() - 1 - i], kGuard) << "after the output";
    }
  }
  // The mutations must leave enough pictures decodable to mean something.
  EXPECT_GT(decodable, kPictures / 4);
}

}  // namespace
