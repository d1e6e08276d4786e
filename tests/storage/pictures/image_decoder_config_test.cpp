// The decoder's settings: scale ratios (never enlarging), output depths and
// strides, what Decode refuses, the palette translation tables (the 16-bit
// one stored high byte first, the grey levels of 1, 2 and 4 bits), direct
// output and the row callback.
#include <gtest/gtest.h>

#include <vector>

#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"

namespace {

using picture::Bytes;

// A 1 x n BMP of 8 bits whose pixel i has index i, with the given palette.
Bytes Strip(const Bytes& quads, uint32_t n) {
  picture::BmpFileFields spec;
  spec.width = static_cast<int32_t>(n);
  spec.height = 1;
  spec.bits = 8;
  spec.palette = quads;
  spec.coloursUsed = static_cast<uint32_t>(quads.size() / 4);
  Bytes indices;
  for (uint32_t i = 0; i < n; ++i) indices.push_back(static_cast<uint8_t>(i));
  spec.pixels = picture::BmpPixelArray(indices, spec.width, 1, 8, false);
  return picture::BuildBmp(spec);
}

TEST(ImageDecoderConfig, SetScaleNeverEnlarges) {
  struct Case {
    int32_t xn, xd, yn, yd;
    int result;
  };
  const Case cases[] = {
      {2, 1, 1, 1, kImageFailed}, {1, 1, 2, 1, kImageFailed}, {1, 0, 1, 1, kImageFailed},
      {1, 1, 1, 0, kImageFailed}, {0, 0, 1, 1, kImageFailed}, {-1, 2, 1, 1, kImageFailed},
      {1, 1, 1, 1, kImageOk},     {1, 3, 2, 3, kImageOk},     {0, 5, 1, 1, kImageOk},
      {240, 320, 100, 100, kImageOk},
  };
  for (const Case& c : cases) {
    ImageDecoder d;
    EXPECT_EQ(d.SetScale(c.xn, c.xd, c.yn, c.yd), c.result) << c.xn << "/" << c.xd << " " << c.yn << "/" << c.yd;
  }
}

TEST(ImageDecoderConfig, SetOutputTakesFiveDepthsAndComputesTheStride) {
  uint8_t buffer[64];
  struct Case {
    uint8_t depth;
    int result;
    uint32_t stride;  // of a 13-pixel row, stride 0 given
  };
  const Case cases[] = {
      {1, kImageOk, 2},      {2, kImageOk, 4},      {4, kImageOk, 7},      {8, kImageOk, 13},
      {16, kImageOk, 26},    {0, kImageFailed, 0},  {3, kImageFailed, 0},  {5, kImageFailed, 0},
      {24, kImageFailed, 0}, {32, kImageFailed, 0},
  };
  for (const Case& c : cases) {
    ImageDecoder d;
    EXPECT_EQ(d.SetOutput(13, 2, c.depth, buffer, 0, nullptr, nullptr, false), c.result) << int{c.depth};
    EXPECT_EQ(d.IsOutputValid(), c.result == kImageOk) << int{c.depth};
    if (c.result == kImageOk) {
      EXPECT_EQ(d.OutputStride(), c.stride) << int{c.depth};
    }
  }
  ImageDecoder d;
  EXPECT_EQ(d.SetOutput(13, 2, 8, buffer, 20, nullptr, nullptr, false), kImageOk);
  EXPECT_EQ(d.OutputStride(), 20u);
  // Somewhere to go: a buffer, a callback or the direct flag.
  EXPECT_EQ(d.SetOutput(13, 2, 8, nullptr, 0, nullptr, nullptr, false), kImageFailed);
  EXPECT_EQ(d.SetOutput(13, 2, 8, nullptr, 0, [](void*, const uint8_t*, uint32_t, uint32_t, int32_t, const uint8_t*) {},
                        nullptr, false),
            kImageOk);
  EXPECT_EQ(d.SetOutput(13, 2, 8, nullptr, 0, nullptr, nullptr, true), kImageOk);
}

TEST(ImageDecoderConfig, DecodeRefusesWithoutPictureOrOutput) {
  uint8_t buffer[16] = {};
  ImageDecoder empty;
  empty.SetOutput(4, 4, 8, buffer, 0, nullptr, nullptr, false);
  EXPECT_EQ(empty.Decode(0, 0), kImageFailed);

  Bytes file = Strip(picture::TestPaletteQuads(4), 4);
  ImageDecoder noOutput(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_TRUE(noOutput.IsDecodable());
  EXPECT_EQ(noOutput.Decode(0, 0), kImageFailed);
  noOutput.SetOutput(4, 4, 3, buffer, 0, nullptr, nullptr, false);
  EXPECT_EQ(noOutput.Decode(0, 0), kImageFailed);
}

TEST(ImageDecoderConfig, SixteenBitOutputIsRgb565HighByteFirst) {
  // Colour 0 is red 0x12, green 0x34, blue 0x56: 565 = 0x11AA, stored 11 AA.
  Bytes quads = {0x56, 0x34, 0x12, 0, 0xFF, 0xFF, 0xFF, 0, 0x00, 0x00, 0xF8, 0};
  Bytes file = Strip(quads, 3);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  Bytes out(6, 0);
  ASSERT_EQ(d.SetOutput(3, 1, 16, out.data(), 0, nullptr, nullptr, false), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  EXPECT_EQ(out, (Bytes{0x11, 0xAA, 0xFF, 0xFF, 0xF8, 0x00}));
}

TEST(ImageDecoderConfig, GreyLevelsOfSmallDepths) {
  // (r + 2g + b) >> (10 - depth) for three colours.
  Bytes quads = {200, 100, 50, 0,  255, 255, 255, 0,  0, 0, 0, 0,  10, 250, 30, 0};
  Bytes file = Strip(quads, 4);
  struct Case {
    uint8_t depth;
    Bytes expected;
  };
  // sums: 50+200+200 = 450, 1020, 0, 30+500+10 = 540
  const Case cases[] = {
      {1, {0x50}},        // 0, 1, 0, 1
      {2, {0x72}},        // 450>>8 = 1, 3, 0, 540>>8 = 2
      {4, {0x7F, 0x08}},  // 450>>6 = 7, 15, 0, 540>>6 = 8
  };
  for (const Case& c : cases) {
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    Bytes out(c.expected.size(), 0);
    ASSERT_EQ(d.SetOutput(4, 1, c.depth, out.data(), 0, nullptr, nullptr, false), kImageOk);
    ASSERT_EQ(d.Decode(0, 0), kImageOk);
    EXPECT_EQ(out, c.expected) << int{c.depth};
  }
}

TEST(ImageDecoderConfig, DirectAndUntranslatedOutputWriteTheIndices) {
  Bytes file = Strip(picture::TestPaletteQuads(16), 5);
  for (bool direct : {true, false}) {
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    if (!direct) d.SetOptions(true, true, true, false, true);
    Bytes out(3, 0);
    ASSERT_EQ(d.SetOutput(5, 1, 4, out.data(), 0, nullptr, nullptr, direct), kImageOk);
    ASSERT_EQ(d.Decode(0, 0), kImageOk);
    EXPECT_EQ(out, (Bytes{0x01, 0x23, 0x40})) << direct;
  }
}

struct CallbackRow {
  Bytes indices;
  uint32_t column;
  int32_t row;
  const uint8_t* table;
};

void Collect(void* context, const uint8_t* indices, uint32_t count, uint32_t column, int32_t row,
             const uint8_t* table) {
  static_cast<std::vector<CallbackRow>*>(context)->push_back({Bytes(indices, indices + count), column, row, table});
}

TEST(ImageDecoderConfig, RowCallbackGetsEveryRowWithoutABuffer) {
  Bytes indices = picture::PatternIndices(6, 3, 4);
  picture::GifImage image;
  image.width = 6;
  image.height = 3;
  image.minCodeSize = 2;
  image.indices = indices;
  Bytes file = picture::SimpleGif(image, picture::TestPaletteTriples(4));
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  std::vector<CallbackRow> rows;
  ASSERT_EQ(d.SetOutput(6, 3, 8, nullptr, 0, Collect, &rows, false), kImageOk);
  ASSERT_EQ(d.Decode(10, 20), kImageOk);
  ASSERT_EQ(rows.size(), 3u);
  for (int32_t r = 0; r < 3; ++r) {
    EXPECT_EQ(rows[r].row, r);  // relative to the first output row
    EXPECT_EQ(rows[r].column, 0u);
    EXPECT_EQ(rows[r].table, nullptr);  // no table at 8 bits
    EXPECT_EQ(rows[r].indices, Bytes(indices.begin() + 6 * r, indices.begin() + 6 * (r + 1)));
  }
  // At 4 bits the callback gets the grey table.
  rows.clear();
  ASSERT_EQ(d.SetOutput(6, 3, 4, nullptr, 0, Collect, &rows, false), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_NE(rows[0].table, nullptr);
}

}  // namespace
