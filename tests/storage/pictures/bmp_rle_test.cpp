// Run-length BMPs made code by code: runs, literals (odd RLE4 ones with their
// padding), ends of rows, deltas and the end of the picture land where the
// codes say and leave skipped pixels alone; transparent runs are skipped;
// runs past the row's end, deltas below the picture and data that ends early
// stop the decoding with the rows decoded so far kept.
#include <gtest/gtest.h>

#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"

namespace {

using picture::Bytes;

constexpr uint8_t kU = 0xEE;  // an output pixel the decoder left alone

Bytes RleBmp(bool rle4, int32_t w, int32_t h, const Bytes& codes, uint16_t planes = 1) {
  picture::BmpFileFields spec;
  spec.width = w;
  spec.height = h;
  spec.bits = rle4 ? 4 : 8;
  spec.compression = rle4 ? 2 : 1;
  spec.planes = planes;
  spec.palette = picture::TestPaletteQuads(rle4 ? 16 : 256);
  spec.pixels = codes;
  return picture::BuildBmp(spec);
}

int Decode(const Bytes& file, uint16_t w, uint16_t h, Bytes* out, bool transparency = true) {
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  if (!d.IsDecodable()) return -1;
  d.SetOptions(true, true, transparency, true, true);
  out->assign(size_t{w} * h, kU);
  d.SetOutput(w, h, 8, out->data(), 0, nullptr, nullptr, true);
  return d.Decode(0, 0);
}

TEST(BmpRle, CodesLandWhereTheySay) {
  struct Case {
    const char* what;
    bool rle4;
    int32_t height;  // negative: top-down
    Bytes codes;
    int result;
    Bytes expected;  // 4 x 3, top row first
  };
  using W = picture::RleWriter;
  const Case cases[] = {
      {"RLE8 runs and literal, bottom-up", false, 3,
       W(false).Run(4, 7).EndOfRow().Literal({1, 2, 3}).Run(1, 9).EndOfRow().Run(2, 5).EndOfPicture().bytes(),
       kImageOk, {5, 5, kU, kU, 1, 2, 3, 9, 7, 7, 7, 7}},
      {"RLE8 top-down", false, -3,
       W(false).Run(4, 7).EndOfRow().Literal({1, 2, 3}).EndOfRow().Run(2, 5).EndOfPicture().bytes(),
       kImageOk, {7, 7, 7, 7, 1, 2, 3, kU, 5, 5, kU, kU}},
      // The last pixel falls at column 4, past the right edge: not written.
      {"RLE8 delta skips pixels and rows", false, 3,
       W(false).Run(1, 4).Delta(2, 1).Run(1, 6).Delta(0, 1).Run(1, 8).EndOfPicture().bytes(),
       kImageOk, {kU, kU, kU, kU, kU, kU, kU, 6, 4, kU, kU, kU}},
      {"RLE4 runs alternate nibbles", true, 3,
       W(true).Run(4, 0x12).EndOfRow().Run(3, 0x34).EndOfRow().Run(1, 0x56).EndOfPicture().bytes(),
       kImageOk, {5, kU, kU, kU, 3, 4, 3, kU, 1, 2, 1, 2}},
      // 3 pixels take 2 bytes; 5 pixels take 3 bytes and a padding byte.
      {"RLE4 odd literals and their padding", true, 3,
       W(true).Literal({1, 2, 3}).Run(1, 0x90).EndOfRow().Literal({4, 5, 6, 7, 1}).EndOfRow()
           .Literal({8, 9, 10}).EndOfPicture().bytes(),
       kImageOk, {8, 9, 10, kU, 4, 5, 6, 7, 1, 2, 3, 9}},
      {"a run may pass the row's end by 3", false, 3,
       W(false).Run(7, 3).EndOfRow().EndOfRow().Run(1, 1).EndOfPicture().bytes(),
       kImageOk, {1, kU, kU, kU, kU, kU, kU, kU, 3, 3, 3, 3}},
      {"a run passing it by 4 fails", false, 3,
       W(false).Run(4, 3).EndOfRow().Run(8, 2).EndOfPicture().bytes(),
       kImageFailed, {kU, kU, kU, kU, kU, kU, kU, kU, 3, 3, 3, 3}},
      {"a literal passing it by 4 fails", false, 3,
       W(false).Run(4, 3).EndOfRow().Run(2, 1).Literal({1, 2, 3, 4, 5, 6}).EndOfPicture().bytes(),
       kImageFailed, {kU, kU, kU, kU, 1, 1, kU, kU, 3, 3, 3, 3}},
      {"data ends without the end code", false, 3,
       W(false).Run(4, 3).EndOfRow().Run(2, 1).bytes(),
       kImageFailed, {kU, kU, kU, kU, 1, 1, kU, kU, 3, 3, 3, 3}},
      {"a delta cut short", false, 3,
       W(false).Run(4, 3).Raw({0, 2, 1}).bytes(),
       kImageFailed, {kU, kU, kU, kU, kU, kU, kU, kU, 3, 3, 3, 3}},
      {"a literal cut short", false, 3,
       W(false).Run(4, 3).EndOfRow().Raw({0, 4, 1, 2}).bytes(),
       kImageFailed, {kU, kU, kU, kU, kU, kU, kU, kU, 3, 3, 3, 3}},
      {"a delta below the picture, then pixels", false, 3,
       W(false).Run(4, 3).Delta(0, 5).Run(2, 1).EndOfPicture().bytes(),
       kImageFailed, {kU, kU, kU, kU, kU, kU, kU, kU, 3, 3, 3, 3}},
      {"a delta below the picture, then its end", false, 3,
       W(false).Run(4, 3).Delta(0, 200).EndOfPicture().bytes(),
       kImageOk, {kU, kU, kU, kU, kU, kU, kU, kU, 3, 3, 3, 3}},
      {"rows past the last one", false, 3,
       W(false).Run(4, 3).EndOfRow().EndOfRow().EndOfRow().EndOfRow().Run(4, 1).EndOfPicture().bytes(),
       kImageFailed, {kU, kU, kU, kU, kU, kU, kU, kU, 3, 3, 3, 3}},
      {"a delta far right, then the end of the row", false, 3,
       W(false).Delta(255, 0).Delta(255, 0).EndOfRow().Run(1, 2).EndOfPicture().bytes(),
       kImageOk, {kU, kU, kU, kU, 2, kU, kU, kU, kU, kU, kU, kU}},
  };
  for (const Case& c : cases) {
    Bytes out;
    EXPECT_EQ(Decode(RleBmp(c.rle4, 4, c.height, c.codes), 4, 3, &out), c.result) << c.what;
    EXPECT_EQ(out, c.expected) << c.what;
  }
}

TEST(BmpRle, TransparentRunsAreSkipped) {
  // Planes 4: index 2 is transparent.
  using W = picture::RleWriter;
  struct Case {
    const char* what;
    bool rle4;
    Bytes codes;
    Bytes expected;  // 6 x 1
  };
  const Case cases[] = {
      {"RLE8 run of the transparent index", false,
       W(false).Run(2, 1).Run(2, 2).Run(2, 3).EndOfPicture().bytes(), {1, 1, kU, kU, 3, 3}},
      {"RLE8 literal with transparent pixels", false,
       W(false).Literal({2, 1, 2, 4, 2, 5}).EndOfPicture().bytes(), {kU, 1, kU, 4, kU, 5}},
      {"RLE4 run of two transparent nibbles", true,
       W(true).Run(2, 0x11).Run(2, 0x22).Run(2, 0x33).EndOfPicture().bytes(), {1, 1, kU, kU, 3, 3}},
      {"RLE4 run with one transparent nibble", true,
       W(true).Run(6, 0x23).EndOfPicture().bytes(), {kU, 3, kU, 3, kU, 3}},
  };
  for (const Case& c : cases) {
    for (bool transparency : {true, false}) {
      Bytes out;
      ASSERT_EQ(Decode(RleBmp(c.rle4, 6, 1, c.codes, 4), 6, 1, &out, transparency), kImageOk) << c.what;
      if (transparency) {
        EXPECT_EQ(out, c.expected) << c.what;
      } else {
        for (uint8_t v : out) EXPECT_NE(v, kU) << c.what << " without transparency";
      }
    }
  }
}

TEST(BmpRle, RowCallbackGetsSegmentsWithTheirColumns) {
  struct Segment {
    Bytes indices;
    uint32_t column;
    int32_t row;
  };
  std::vector<Segment> segments;
  auto collect = [](void* context, const uint8_t* indices, uint32_t count, uint32_t column, int32_t row,
                    const uint8_t*) {
    static_cast<std::vector<Segment>*>(context)->push_back({Bytes(indices, indices + count), column, row});
  };
  Bytes file = RleBmp(false, 5, 2, picture::RleWriter(false).Run(2, 7).Delta(1, 0).Run(2, 8).EndOfPicture().bytes());
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_EQ(d.SetOutput(5, 2, 8, nullptr, 0, collect, &segments, false), kImageOk);
  ASSERT_EQ(d.Decode(0, 0), kImageOk);
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0].indices, (Bytes{7, 7}));
  EXPECT_EQ(segments[0].column, 0u);
  EXPECT_EQ(segments[0].row, 1);  // the bottom row comes first
  EXPECT_EQ(segments[1].indices, (Bytes{8, 8}));
  EXPECT_EQ(segments[1].column, 3u);
}

}  // namespace
