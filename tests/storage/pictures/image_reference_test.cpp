// Pictures written by Debian's converters (ImageMagick, netpbm) and by the
// project's builder (RLE4, which no converter writes) decode pixel for pixel
// as the reference decoder (Pillow) reads them, through GetPalette32 at full
// size; the 16-bit and grey outputs of the same pictures follow the palette
// translation rules. The corpus is made at test time in a scratch folder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"
#include "tests/support/reference_pixels.h"

namespace {

using picture::Bytes;

struct CorpusFile {
  std::string name;
  bool refused = false;  // the decoder must refuse it
};

// The source pictures: a pattern of 25 exact colours with a pure red corner
// (made transparent in one GIF), and a noise picture whose colours fill the
// LZW table many times over.
void MakeSources(const refpix::ScratchFolder& dir) {
  const int w = 61, h = 47;
  Bytes rgb;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int c = ((x / 8) * 7 + (y / 6) * 3) % 24 + 1;
      uint8_t r = static_cast<uint8_t>(c * 37), g = static_cast<uint8_t>(c * 91), b = static_cast<uint8_t>(c * 53);
      if (x < 10 && y < 10) r = 255, g = 0, b = 0;
      rgb.insert(rgb.end(), {r, g, b});
    }
  refpix::WritePpm(dir.File("pattern.ppm"), w, h, rgb);

  const int nw = 150, nh = 113;
  Bytes noise;
  uint32_t seed = 12345;
  for (int i = 0; i < nw * nh; ++i) {
    seed = seed * 1103515245u + 12345u;
    uint32_t v = (seed >> 16) & 0xFF;
    noise.insert(noise.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v * 7), static_cast<uint8_t>(255 - v)});
  }
  refpix::WritePpm(dir.File("noise.ppm"), nw, nh, noise);
}

// Reverses the rows of an uncompressed BMP and makes its height negative.
Bytes MakeTopDown(const Bytes& bmp) {
  auto le32 = [&](size_t at) { return uint32_t{bmp[at]} | bmp[at + 1] << 8 | bmp[at + 2] << 16 | uint32_t{bmp[at + 3]} << 24; };
  uint32_t offset = le32(10);
  int32_t width = static_cast<int32_t>(le32(18));
  int32_t height = static_cast<int32_t>(le32(22));
  uint32_t bits = bmp[28];
  size_t stride = ((static_cast<size_t>(width) * bits + 7) / 8 + 3) & ~size_t{3};
  Bytes out = bmp;
  for (int32_t r = 0; r < height; ++r)
    std::memcpy(out.data() + offset + stride * r, bmp.data() + offset + stride * (height - 1 - r), stride);
  uint32_t negative = static_cast<uint32_t>(-height);
  for (int i = 0; i < 4; ++i) out[22 + i] = static_cast<uint8_t>(negative >> (8 * i));
  return out;
}

// Builder-made RLE4 pictures (bottom-up and top-down) of a 16-colour pattern.
void MakeRle4(const refpix::ScratchFolder& dir) {
  const int32_t w = 45, h = 21;
  Bytes indices;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) indices.push_back(static_cast<uint8_t>((x / 5 + y / 3) % 16 ^ (x > 30 ? x % 3 : 0)));
  for (bool topDown : {false, true}) {
    picture::BmpFileFields spec;
    spec.width = w;
    spec.height = topDown ? -h : h;
    spec.bits = 4;
    spec.compression = 2;
    spec.palette = picture::TestPaletteQuads(16);
    spec.pixels = picture::RleEncode(indices, w, h, true, topDown);
    refpix::WriteFile(dir.File(topDown ? "rle4_topdown.bmp" : "rle4.bmp"), picture::BuildBmp(spec));
  }
}

class ImageReference : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new refpix::ScratchFolder;
    MakeSources(*dir_);
    MakeRle4(*dir_);
    const std::string script =
        "set -e; cd '" + dir_->path() + "'\n"
        // Few runs of convert (each costs a tenth of a second): one per
        // source, writing every variant from clones.
        "convert -respect-parentheses pattern.ppm -write GIF87:gif87.gif -write gif89.gif"
        " '(' +clone -interlace GIF -write interlaced.gif +delete ')'"
        " '(' +clone -transparent '#FF0000' -write transparent.gif +delete ')'"
        " '(' +clone -type Palette -compress None -write BMP3:im8.bmp +delete ')'"
        " '(' +clone -type Palette -compress RLE -write BMP3:rle8.bmp +delete ')'"
        " '(' +clone -colors 12 -type Palette -write BMP3:im4.bmp +delete ')'"
        " '(' +clone -colors 2 -type Palette -write BMP3:im1.bmp +delete ')'"
        " '(' +clone -colors 2 -write two.ppm +delete ')'"
        " '(' +clone -colors 16 -write sixteen.ppm +delete ')'"
        " '(' +clone -type TrueColor -write BMP3:truecolor.bmp +delete ')' null:\n"
        "convert -respect-parentheses noise.ppm -colors 256 -write noise.gif"
        " '(' +clone -type Palette -compress RLE -write BMP3:rle8_noise.bmp +delete ')'"
        " '(' +clone -colors 100 -interlace GIF -write noise_interlaced.gif +delete ')' null:\n"
        "convert pattern.ppm '(' pattern.ppm -negate ')' frames.gif\n"
        "convert '(' pattern.ppm -colors 4 ')' '(' noise.ppm -resize 61x47! -colors 64 ')' +map local_later.gif\n"
        "pamtogif pattern.ppm > netpbm.gif 2>/dev/null\n"
        "pamtogif -interlace pattern.ppm > netpbm_interlaced.gif 2>/dev/null\n"
        "ppmtobmp -bpp=1 two.ppm > netpbm1.bmp 2>/dev/null\n"
        "ppmtobmp -bpp=4 sixteen.ppm > netpbm4.bmp 2>/dev/null\n"
        "ppmtobmp -bpp=8 pattern.ppm > netpbm8.bmp 2>/dev/null\n"
        "ppmtobmp -bpp=24 pattern.ppm > netpbm24.bmp 2>/dev/null\n";
    std::string log;
    refpix::WriteFile(dir_->File("make_corpus.sh"), Bytes(script.begin(), script.end()));
    toolStatus_ = refpix::Run("sh '" + dir_->File("make_corpus.sh") + "'", &log);
    toolLog_ = new std::string(log);
    if (toolStatus_ != 0) return;
    for (const char* name : {"netpbm1.bmp", "netpbm4.bmp", "netpbm8.bmp"}) {
      Bytes bmp;
      refpix::ReadFile(dir_->File(name), &bmp);
      refpix::WriteFile(dir_->File(std::string("topdown_") + name), MakeTopDown(bmp));
    }
  }

  static void TearDownTestSuite() {
    delete dir_;
    delete toolLog_;
    dir_ = nullptr;
    toolLog_ = nullptr;
  }

  static std::vector<CorpusFile> Corpus() {
    return {{"gif87.gif"},         {"gif89.gif"},          {"interlaced.gif"},
            {"noise.gif"},         {"noise_interlaced.gif"}, {"transparent.gif"},
            {"frames.gif"},        {"local_later.gif"},    {"netpbm.gif"},
            {"netpbm_interlaced.gif"}, {"im1.bmp"},        {"im4.bmp"},
            {"im8.bmp"},           {"rle8.bmp"},           {"rle8_noise.bmp"},
            {"netpbm1.bmp"},       {"netpbm4.bmp"},        {"netpbm8.bmp"},
            {"topdown_netpbm1.bmp"}, {"topdown_netpbm4.bmp"}, {"topdown_netpbm8.bmp"},
            {"rle4.bmp"},          {"rle4_topdown.bmp"},   {"truecolor.bmp", true},
            {"netpbm24.bmp", true}};
  }

  static refpix::ScratchFolder* dir_;
  static int toolStatus_;
  static std::string* toolLog_;
};

refpix::ScratchFolder* ImageReference::dir_ = nullptr;
int ImageReference::toolStatus_ = -1;
std::string* ImageReference::toolLog_ = nullptr;

// Decodes at full size, 8 bits, no transparency, and maps through the palette.
bool DecodeToRgb(ImageDecoder& d, Bytes* rgb, Bytes* indices) {
  indices->assign(size_t{d.Width()} * d.Height(), 0);
  d.SetOptions(false, true, false, true, true);
  if (d.SetOutput(d.Width(), d.Height(), 8, indices->data(), 0, nullptr, nullptr, false) != kImageOk) return false;
  if (d.Decode(0, 0) != kImageOk) return false;
  uint8_t palette[256 * 4];
  uint32_t count = d.GetPalette32(palette);
  rgb->clear();
  for (uint8_t i : *indices) {
    if (i >= count) return false;
    rgb->insert(rgb->end(), {palette[4 * i + 2], palette[4 * i + 1], palette[4 * i]});
  }
  return true;
}

TEST_F(ImageReference, CorpusMatchesTheReferenceDecoderAndThePaletteRules) {
  ASSERT_EQ(toolStatus_, 0) << "making the corpus failed (imagemagick and netpbm must be installed):\n" << *toolLog_;
  std::vector<std::string> accepted;
  for (const CorpusFile& f : Corpus())
    if (!f.refused) accepted.push_back(dir_->File(f.name));
  std::vector<refpix::RgbImage> reference;
  std::string error;
  ASSERT_TRUE(refpix::ReferenceDecode(accepted, &reference, &error)) << error;

  size_t next = 0;
  for (const CorpusFile& f : Corpus()) {
    SCOPED_TRACE(f.name);
    Bytes file;
    ASSERT_TRUE(refpix::ReadFile(dir_->File(f.name), &file));
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    if (f.refused) {
      EXPECT_FALSE(d.IsLoaded());
      EXPECT_FALSE(d.IsDecodable());
      continue;
    }
    const refpix::RgbImage& ref = reference[next++];
    ASSERT_TRUE(d.IsLoaded());
    ASSERT_TRUE(d.IsDecodable());
    ASSERT_EQ(d.Width(), ref.width);
    ASSERT_EQ(d.Height(), ref.height);
    Bytes rgb, indices;
    ASSERT_TRUE(DecodeToRgb(d, &rgb, &indices));
    for (size_t p = 0; p < rgb.size() / 3; ++p) {
      if (std::memcmp(&rgb[3 * p], &ref.rgb[3 * p], 3) != 0) {
        ADD_FAILURE() << "pixel (" << p % ref.width << ", " << p / ref.width << ") differs";
        break;
      }
    }

    // The same picture at 16 bits: RGB 5-6-5 of the reference colour, high
    // byte first; and at 1, 2 and 4 bits: (r + 2g + b) >> (10 - depth).
    const uint32_t w = d.Width(), h = d.Height();
    Bytes out16(2 * w * h);
    ASSERT_EQ(d.SetOutput(w, h, 16, out16.data(), 0, nullptr, nullptr, false), kImageOk);
    ASSERT_EQ(d.Decode(0, 0), kImageOk);
    bool same16 = true;
    for (size_t p = 0; p < w * h && same16; ++p) {
      const uint8_t* c = &ref.rgb[3 * p];
      uint16_t v = static_cast<uint16_t>((c[0] >> 3) << 11 | (c[1] & 0xFC) << 3 | c[2] >> 3);
      same16 = out16[2 * p] == (v >> 8) && out16[2 * p + 1] == (v & 0xFF);
      if (!same16) ADD_FAILURE() << "16-bit pixel " << p << " differs";
    }
    for (uint8_t depth : {1, 2, 4}) {
      uint32_t stride = (w * depth + 7) / 8;
      Bytes out(stride * h, 0);
      ASSERT_EQ(d.SetOutput(w, h, depth, out.data(), 0, nullptr, nullptr, false), kImageOk);
      ASSERT_EQ(d.Decode(0, 0), kImageOk);
      bool same = true;
      for (uint32_t y = 0; y < h && same; ++y)
        for (uint32_t x = 0; x < w && same; ++x) {
          const uint8_t* c = &ref.rgb[3 * (y * w + x)];
          uint32_t grey = (c[0] + 2u * c[1] + c[2]) >> (10 - depth);
          uint32_t bit = x * depth;
          uint32_t got = (out[y * stride + bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
          same = got == grey;
          if (!same) ADD_FAILURE() << "depth " << int{depth} << " pixel (" << x << ", " << y << ") differs";
        }
    }
  }
}

TEST_F(ImageReference, TransparentGifLeavesItsTransparentPixelsUntouched) {
  ASSERT_EQ(toolStatus_, 0) << *toolLog_;
  Bytes file;
  ASSERT_TRUE(refpix::ReadFile(dir_->File("transparent.gif"), &file));
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_TRUE(d.IsDecodable());
  ASSERT_GE(d.TransparentIndex(), 0);
  Bytes rgb, indices;
  ASSERT_TRUE(DecodeToRgb(d, &rgb, &indices));
  Bytes out(indices.size(), 0xEE);
  d.SetOptions(false, true, true, true, true);
  ASSERT_EQ(d.SetOutput(d.Width(), d.Height(), 8, out.data(), 0, nullptr, nullptr, false), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  size_t transparent = 0;
  for (size_t p = 0; p < out.size(); ++p) {
    if (indices[p] == d.TransparentIndex()) {
      ++transparent;
      EXPECT_EQ(out[p], 0xEE) << p;
    } else {
      EXPECT_EQ(out[p], indices[p]) << p;
    }
  }
  EXPECT_EQ(transparent, 100u);  // the 10 x 10 red corner
}

}  // namespace
