// Where decoded pixels land: clipping (never outside the clip or the output),
// bit alignment and edge masks of packed depths, downscaling maps,
// SetScaleAndClip, the progressive fill of interlaced GIFs, transparency,
// the bands reported to the display sink, and the fall-backs when working
// memory is short.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/geometry/rect.h"
#include "platform/testing/allocation.h"
#include "storage/pictures/image_decoder.h"
#include "storage/pictures/image_decoder_sink.h"
#include "tests/support/picture_builder.h"

namespace {

using picture::Bytes;

constexpr uint8_t kUntouched = 0xEE;

// An uncompressed 8-bit BMP of the given indices (top row first).
Bytes Bmp8(const Bytes& indices, int32_t w, int32_t h, uint16_t planes = 1) {
  picture::BmpFileFields spec;
  spec.width = w;
  spec.height = h;
  spec.bits = 8;
  spec.planes = planes;
  spec.palette = picture::TestPaletteQuads(256);
  spec.pixels = picture::BmpPixelArray(indices, w, h, 8, false);
  return picture::BuildBmp(spec);
}

Bytes Gif(const Bytes& indices, uint16_t w, uint16_t h, bool interlaced, int transparent = -1) {
  picture::GifImage image;
  image.width = w;
  image.height = h;
  image.indices = indices;
  image.interlaced = interlaced;
  return picture::SimpleGif(image, picture::TestPaletteTriples(256), transparent);
}

// Indices whose value names their row (row r: r + 1) or their column.
Bytes RowNumbers(uint32_t w, uint32_t h) {
  Bytes out;
  for (uint32_t y = 0; y < h; ++y) out.insert(out.end(), w, static_cast<uint8_t>(y + 1));
  return out;
}

Bytes ColumnNumbers(uint32_t w, uint32_t h) {
  Bytes out;
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) out.push_back(static_cast<uint8_t>(x + 1));
  return out;
}

TEST(ImageOutput, ClipKeepsEveryPixelInsideClipAndOutput) {
  const int32_t w = 20, h = 10, ow = 30, oh = 20;
  Bytes indices = picture::PatternIndices(w, h, 200, 3);
  Bytes file = Bmp8(indices, w, h);
  struct Case {
    int32_t col, row;
    int32_t left, top, right, bottom;
  };
  const Case cases[] = {
      {5, 3, 7, 4, 12, 9},          // inside
      {-4, -2, 0, 0, 0x7FFF, 0x7FFF},  // picture starts left of and above the output
      {25, 15, -10, -10, 0x7FFF, 0x7FFF},  // runs off the right and bottom
      {0, 0, 19, 9, 20, 10},        // a single pixel
      {3, 3, 10, 5, 10, 20},        // empty: left == right
      {3, 3, 40, 0, 50, 20},        // empty: left past the output
      {3, 3, 0, 0, -1, 20},         // empty: right negative
      {3, 3, 0, 25, 30, 40},        // empty: top past the output
  };
  for (const Case& c : cases) {
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    d.SetClip(c.left, c.top, c.right, c.bottom);
    Bytes out(ow * oh, kUntouched);
    ASSERT_EQ(d.SetOutput(ow, oh, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
    ASSERT_EQ(d.Decode(c.col, c.row), kImageOk);
    for (int32_t y = 0; y < oh; ++y)
      for (int32_t x = 0; x < ow; ++x) {
        int32_t px = x - c.col, py = y - c.row;
        bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom && px >= 0 && px < w &&
                      py >= 0 && py < h;
        uint8_t expected = inside ? indices[py * w + px] : kUntouched;
        ASSERT_EQ(out[y * ow + x], expected) << "case at " << c.col << "," << c.row << " pixel " << x << "," << y;
      }
  }
}

// Packed depths: each pixel lands at its own bits; bits outside the
// written pixels keep what was there.
TEST(ImageOutput, PackedDepthsMaskTheirEdges) {
  const int32_t w = 13, h = 3, ow = 29, oh = 5;
  Bytes indices = picture::PatternIndices(w, h, 16, 1);
  picture::BmpFileFields spec;
  spec.width = w;
  spec.height = h;
  spec.bits = 4;
  spec.palette = picture::TestPaletteQuads(16);
  spec.pixels = picture::BmpPixelArray(indices, w, h, 4, false);
  Bytes file = picture::BuildBmp(spec);
  for (uint8_t depth : {1, 2, 4}) {
    for (int32_t col : {0, 1, 3, 5, 7, 11}) {
      for (int32_t clipLeft : {0, 2, 6}) {
        ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
        d.SetClip(clipLeft, 1, 25, 4);
        const uint32_t stride = (ow * depth + 7) / 8;
        Bytes out(stride * oh, 0xA5);  // a bit pattern that masks must keep
        Bytes before = out;
        ASSERT_EQ(d.SetOutput(ow, oh, depth, out.data(), 0, nullptr, nullptr, true), kImageOk);
        ASSERT_EQ(d.Decode(col, 1), kImageOk);
        const uint32_t mask = (1u << depth) - 1;
        for (int32_t y = 0; y < oh; ++y)
          for (int32_t x = 0; x < ow; ++x) {
            uint32_t bit = x * depth;
            uint32_t shift = 8 - depth - bit % 8;
            uint32_t got = (out[y * stride + bit / 8] >> shift) & mask;
            int32_t px = x - col, py = y - 1;
            bool inside = x >= clipLeft && x < 25 && y >= 1 && y < 4 && px >= 0 && px < w && py >= 0 && py < h;
            uint32_t expected = inside ? indices[py * w + px] & mask : (before[y * stride + bit / 8] >> shift) & mask;
            ASSERT_EQ(got, expected) << "depth " << int{depth} << " col " << col << " clip " << clipLeft
                                     << " pixel " << x << "," << y;
          }
      }
    }
  }
}

TEST(ImageOutput, WithoutBitAlignmentRunsStartAtTheirByte) {
  // Three 4-bit pixels from column 1: written from the high nibble of byte 0.
  Bytes indices = {1, 2, 3};
  Bytes file = Bmp8(indices, 3, 1);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  d.SetOptions(true, false, true, true, true);
  Bytes out(3, 0xFF);
  ASSERT_EQ(d.SetOutput(5, 1, 4, out.data(), 0, nullptr, nullptr, true), kImageOk);
  ASSERT_EQ(d.Decode(1, 0), kImageOk);
  EXPECT_EQ(out, (Bytes{0x12, 0x3F, 0xFF}));
}

TEST(ImageOutput, DownscalingKeepsEveryThirdRowFromTheSecond) {
  const uint32_t w = 100, h = 100;
  Bytes file = Bmp8(RowNumbers(w, h), w, h);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_EQ(d.SetScale(1, 1, 1, 3), kImageOk);
  Bytes out(w * h, kUntouched);
  ASSERT_EQ(d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  for (uint32_t y = 0; y < h; ++y) {
    // Rows 1, 4, 7, ... 97: 33 output rows.
    uint8_t expected = y < 33 ? static_cast<uint8_t>(1 + 3 * y + 1) : kUntouched;
    EXPECT_EQ(out[y * w], expected) << y;
    EXPECT_EQ(out[y * w + w - 1], expected) << y;
  }

  Bytes columns = Bmp8(ColumnNumbers(10, 2), 10, 2);
  ImageDecoder c(columns.data(), static_cast<uint32_t>(columns.size()));
  ASSERT_EQ(c.SetScale(2, 3, 1, 1), kImageOk);
  Bytes row(20, kUntouched);
  ASSERT_EQ(c.SetOutput(10, 2, 8, row.data(), 0, nullptr, nullptr, true), kImageOk);
  ASSERT_EQ(c.Decode(0, 0), kImageOk);
  // 2/3 from 1: sums 3,2,4,3,2,4,... keep columns 0, 2, 3, 5, 6, 8, 9.
  EXPECT_EQ(Bytes(row.begin(), row.begin() + 10), (Bytes{1, 3, 4, 6, 7, 9, 10, kUntouched, kUntouched, kUntouched}));
}

TEST(ImageOutput, SetScaleAndClipScalesOnlyGifs) {
  const uint16_t w = 12, h = 9;
  Bytes gif = Gif(RowNumbers(w, h), w, h, false);
  Bytes bmp = Bmp8(RowNumbers(w, h), w, h);
  for (const Bytes* file : {&gif, &bmp}) {
    ImageDecoder d(file->data(), static_cast<uint32_t>(file->size()));
    d.SetScaleAndClip(Rect{0, 0, 4, 3}, Rect{0, 0, 6, 5});
    Bytes out(w * h, kUntouched);
    ASSERT_EQ(d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
    ASSERT_EQ(d.Decode(0, 0), kImageOk);
    if (file == &gif) {
      // One row and column in three, from the second: 4 x 3.
      EXPECT_EQ(out[0], 2);
      EXPECT_EQ(out[2 * w + 3], 8);
      EXPECT_EQ(out[3 * w], kUntouched);
      EXPECT_EQ(out[4], kUntouched);
    } else {
      // Full size, clipped to 6 x 5.
      EXPECT_EQ(out[4 * w + 5], 5);
      EXPECT_EQ(out[4 * w + 6], kUntouched);
      EXPECT_EQ(out[5 * w], kUntouched);
    }
  }
  // A target larger than the picture cannot enlarge it.
  ImageDecoder d(gif.data(), static_cast<uint32_t>(gif.size()));
  d.SetScaleAndClip(Rect{0, 0, 24, 18}, Rect{0, 0, 24, 18});
  Bytes out(w * h, kUntouched);
  ASSERT_EQ(d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  EXPECT_EQ(out, RowNumbers(w, h));
}

// Stops after a given number of rows.
class StoppingDecoder : public ImageDecoder {
 public:
  StoppingDecoder(const uint8_t* data, uint32_t length, int rows) : ImageDecoder(data, length), left_(rows) {}

 protected:
  bool ShouldAbortAfterRow() override { return --left_ <= 0; }

 private:
  int left_;
};

TEST(ImageOutput, InterlaceFillShowsTheFirstPassAsEightRowStripes) {
  const uint16_t w = 6, h = 20;
  Bytes file = Gif(RowNumbers(w, h), w, h, true);
  for (bool fill : {true, false}) {
    StoppingDecoder d(file.data(), static_cast<uint32_t>(file.size()), 3);  // pass 0: rows 0, 8, 16
    d.SetOptions(fill, true, true, true, true);
    Bytes out(w * h, kUntouched);
    ASSERT_EQ(d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
    EXPECT_EQ(d.Decode(0, 0), kImageFailed);  // stopped by the hook
    for (uint32_t y = 0; y < h; ++y) {
      uint8_t expected = fill ? static_cast<uint8_t>(y / 8 * 8 + 1) : (y % 8 == 0 ? static_cast<uint8_t>(y + 1) : kUntouched);
      EXPECT_EQ(out[y * w], expected) << "fill " << fill << " row " << y;
    }
  }
  // Decoded whole, the fill leaves every row its own.
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  Bytes out(w * h, kUntouched);
  ASSERT_EQ(d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  EXPECT_EQ(out, RowNumbers(w, h));
}

TEST(ImageOutput, InterlaceFillStopsAtTheLastRowAndIsOffWithTransparency) {
  const uint16_t w = 4, h = 5;
  Bytes file = Gif(RowNumbers(w, h), w, h, true, 200);
  StoppingDecoder d(file.data(), static_cast<uint32_t>(file.size()), 1);
  Bytes out(w * (h + 3), kUntouched);  // rows past the picture must stay untouched
  ASSERT_EQ(d.SetOutput(w, h + 3, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
  EXPECT_EQ(d.Decode(0, 0), kImageFailed);
  // Transparency in force: no fill, only row 0.
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[w], kUntouched);

  Bytes opaque = Gif(RowNumbers(w, h), w, h, true);
  StoppingDecoder o(opaque.data(), static_cast<uint32_t>(opaque.size()), 1);
  Bytes out2(w * (h + 3), kUntouched);
  ASSERT_EQ(o.SetOutput(w, h + 3, 8, out2.data(), 0, nullptr, nullptr, true), kImageOk);
  EXPECT_EQ(o.Decode(0, 0), kImageFailed);
  for (uint32_t y = 0; y < h + 3u; ++y) EXPECT_EQ(out2[y * w], y < h ? 1 : kUntouched) << y;
}

TEST(ImageOutput, TransparentPixelsKeepTheOutput) {
  // BMP planes 5: index 3 is transparent.
  Bytes indices = {3, 1, 3, 3, 2, 3, 4, 3};
  Bytes file = Bmp8(indices, 4, 2, 5);
  for (bool transparency : {true, false}) {
    for (uint8_t depth : {8, 16}) {
      ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
      d.SetOptions(true, true, transparency, true, true);
      const uint32_t bpp = depth / 8;
      Bytes out(8 * bpp, kUntouched);
      ASSERT_EQ(d.SetOutput(4, 2, depth, out.data(), 0, nullptr, nullptr, false), kImageOk);
      ASSERT_EQ(d.Decode(0, 0), kImageOk);
      for (size_t p = 0; p < indices.size(); ++p) {
        bool keep = transparency && indices[p] == 3;
        EXPECT_EQ(out[p * bpp] == kUntouched && (bpp == 1 || out[p * bpp + 1] == kUntouched), keep)
            << "transparency " << transparency << " depth " << int{depth} << " pixel " << p;
      }
    }
  }
}

class RecordingSink : public ImageDecoderSink {
 public:
  void InvalidateScreen(const Rect* rect, bool fromPaint) override {
    bands.push_back(rect != nullptr ? *rect : Rect{-1, -1, -1, -1});
    allFromPaint = allFromPaint && fromPaint;
  }
  void Redraw() override { ++redraws; }
  bool IsAutoscrolling() const override { return autoscrolling; }

  std::vector<Rect> bands;
  bool allFromPaint = true;
  int redraws = 0;
  bool autoscrolling = false;
};

TEST(ImageOutput, ReportsBandsOfSixteenRowsAndTheRest) {
  const uint16_t w = 10, h = 40;
  Bytes file = Bmp8(RowNumbers(w, h), w, h);
  for (bool autoscrolling : {false, true}) {
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    RecordingSink sink;
    sink.autoscrolling = autoscrolling;
    d.SetDisplaySink(&sink);
    Bytes out(w * 50, 0);
    ASSERT_EQ(d.SetOutput(w, 50, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
    ASSERT_EQ(d.Decode(2, 5), kImageOk);
    ASSERT_EQ(sink.bands.size(), 3u);
    EXPECT_EQ(sink.bands[0], (Rect{2, 5, 8, 16}));  // clipped at the output's right edge
    EXPECT_EQ(sink.bands[1], (Rect{2, 21, 8, 16}));
    EXPECT_EQ(sink.bands[2], (Rect{2, 37, 8, 8}));
    EXPECT_TRUE(sink.allFromPaint);
    EXPECT_EQ(sink.redraws, autoscrolling ? 0 : 3);
  }
}

TEST(ImageOutput, ReportsABandAtEveryInterlacePass) {
  const uint16_t w = 3, h = 10;
  Bytes file = Gif(RowNumbers(w, h), w, h, true);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  RecordingSink sink;
  d.SetDisplaySink(&sink);
  d.SetOptions(false, true, true, true, true);
  Bytes out(w * h, 0);
  ASSERT_EQ(d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  // Pass 0: rows 0, 8; pass 1: row 4; pass 2: rows 2, 6; pass 3: 1, 3, 5, 7, 9.
  ASSERT_EQ(sink.bands.size(), 4u);
  EXPECT_EQ(sink.bands[0], (Rect{0, 0, 3, 9}));
  EXPECT_EQ(sink.bands[1], (Rect{0, 4, 3, 1}));
  EXPECT_EQ(sink.bands[2], (Rect{0, 2, 3, 5}));
  EXPECT_EQ(sink.bands[3], (Rect{0, 1, 3, 9}));
}

TEST(ImageOutput, ShortMemoryDropsTransparencyOrFails) {
  Bytes indices = {3, 1, 3, 2};
  Bytes file = Bmp8(indices, 4, 1, 5);
  {
    // 8 bits: the index row, then the packed row, which fails: transparency
    // is dropped and every pixel written.
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    Bytes out(4, kUntouched);
    ASSERT_EQ(d.SetOutput(4, 1, 8, out.data(), 0, nullptr, nullptr, true), kImageOk);
    devtest::AllocationFailure failure(2);
    ASSERT_EQ(d.Decode(0, 0), kImageOk);
    EXPECT_EQ(out, indices);
  }
  {
    // 16 bits: the table, the index row, then the packed row: a failure.
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    Bytes out(8, kUntouched);
    ASSERT_EQ(d.SetOutput(4, 1, 16, out.data(), 0, nullptr, nullptr, false), kImageOk);
    devtest::AllocationFailure failure(3);
    EXPECT_EQ(d.Decode(0, 0), kImageFailed);
    EXPECT_EQ(out, Bytes(8, kUntouched));
  }
  for (long n = 1; n <= 4; ++n) {
    // Any allocation of a scaled, translated decode failing: a clean failure.
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    d.SetScale(1, 2, 1, 1);
    Bytes out(4, 0);
    ASSERT_EQ(d.SetOutput(4, 1, 4, out.data(), 0, nullptr, nullptr, false), kImageOk);
    devtest::AllocationFailure failure(n);
    EXPECT_EQ(d.Decode(0, 0), n == 4 ? kImageOk : kImageFailed) << n;
  }
}

}  // namespace
