// GIF pixel data in the forms that converters do not write: every minimum
// code size, codes split over one-byte sub-blocks, a stream without a
// leading clear code, a full table that is never cleared (against giflib),
// codes beyond the table, a first code after a clear that is not in the
// table, extra data after the last row, an early end, a cut sub-block, and
// the code table made smaller when memory is short.
#include <gtest/gtest.h>

#include "platform/testing/allocation.h"
#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"
#include "tests/support/reference_pixels.h"

namespace {

using picture::Bytes;

constexpr uint8_t kUntouched = 0xEE;

Bytes GifWithCodes(uint16_t w, uint16_t h, uint8_t minCodeSize, const Bytes& codes, bool interlaced = false) {
  picture::GifImage image;
  image.width = w;
  image.height = h;
  image.minCodeSize = minCodeSize;
  image.codeStream = codes;
  image.interlaced = interlaced;
  return picture::SimpleGif(image, picture::TestPaletteTriples(1u << minCodeSize));
}

// Decodes at 8 bits into an exactly sized buffer filled with kUntouched.
int Decode(const Bytes& file, uint16_t w, uint16_t h, Bytes* out) {
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  if (!d.IsDecodable()) return -1;
  out->assign(size_t{w} * h, kUntouched);
  d.SetOutput(w, h, 8, out->data(), 0, nullptr, nullptr, true);
  return d.Decode(0, 0);
}

TEST(GifLzw, EveryMinimumCodeSizeAndSubBlockSizeRoundTrips) {
  for (uint8_t size = 2; size <= 8; ++size) {
    for (size_t block : {size_t{1}, size_t{7}, size_t{255}}) {
      const uint16_t w = 37, h = 29;
      Bytes indices = picture::PatternIndices(w, h, 1u << size, size);
      picture::GifImage image;
      image.width = w;
      image.height = h;
      image.minCodeSize = size;
      image.indices = indices;
      image.blockSize = block;
      Bytes file = picture::SimpleGif(image, picture::TestPaletteTriples(1u << size));
      Bytes out;
      ASSERT_EQ(Decode(file, w, h, &out), kImageOk) << int{size} << " " << block;
      EXPECT_EQ(out, indices) << int{size} << " " << block;
    }
  }
}

TEST(GifLzw, LongStreamsClearTheTableAndUseTwelveBitCodes) {
  const uint16_t w = 211, h = 97;
  const Bytes indices = picture::RandomIndices(w, h, 256, 7);
  picture::GifImage image;
  image.width = w;
  image.height = h;
  image.indices = indices;
  Bytes file = picture::SimpleGif(image, picture::TestPaletteTriples(256));
  Bytes out;
  ASSERT_EQ(Decode(file, w, h, &out), kImageOk);
  EXPECT_EQ(out, indices);
}

TEST(GifLzw, StreamWithoutLeadingClearDecodes) {
  // Codes of 3 bits for minimum size 2: 1, 2, 3; the third fills the
  // 3-bit codes, so the end code (5) takes 4 bits.
  picture::LzwCodeWriter w;
  for (uint32_t code : {1u, 2u, 3u}) w.Put(code, 3);
  w.Put(5, 4);
  Bytes out;
  ASSERT_EQ(Decode(GifWithCodes(3, 1, 2, w.Finish()), 3, 1, &out), kImageOk);
  EXPECT_EQ(out, (Bytes{1, 2, 3}));
}

TEST(GifLzw, KwKwKCodeRepeatsThePreviousString) {
  // clear, 1, 6 (= next free: "1" + "1"), end: pixels 1, 1, 1.
  picture::LzwCodeWriter w;
  for (uint32_t code : {4u, 1u, 6u, 5u}) w.Put(code, 3);
  Bytes out;
  ASSERT_EQ(Decode(GifWithCodes(3, 1, 2, w.Finish()), 3, 1, &out), kImageOk);
  EXPECT_EQ(out, (Bytes{1, 1, 1}));
}

TEST(GifLzw, CorruptCodesFailAndKeepTheRowsBefore) {
  struct Case {
    const char* what;
    std::vector<uint32_t> codes;  // 3-bit codes, minimum size 2, picture 2 x 2
  };
  const Case cases[] = {
      // Row 0 = 1, 2 in every case; row 1 never completes.
      {"code above the next free code", {4, 1, 2, 4, 1, 7, 5}},
      {"first code after a clear is the next free code", {4, 1, 2, 4, 6, 5}},
      {"first code after a clear is beyond the table", {4, 1, 2, 4, 7, 5}},
  };
  for (const Case& c : cases) {
    picture::LzwCodeWriter w;
    for (uint32_t code : c.codes) w.Put(code, 3);
    Bytes out;
    EXPECT_EQ(Decode(GifWithCodes(2, 2, 2, w.Finish()), 2, 2, &out), kImageFailed) << c.what;
    EXPECT_EQ(out, (Bytes{1, 2, kUntouched, kUntouched})) << c.what;
  }
}

// A picture whose encoder stops defining codes at 4096 and goes on without
// a clear code.
Bytes FullTableGif(uint16_t w, uint16_t h, uint8_t minCodeSize, const Bytes& indices) {
  picture::GifImage image;
  image.width = w;
  image.height = h;
  image.minCodeSize = minCodeSize;
  image.codeStream = picture::LzwEncode(indices, minCodeSize, 100000);
  // Had the table never filled, an encoder that clears would write the same.
  EXPECT_NE(image.codeStream, picture::LzwEncode(indices, minCodeSize)) << "the picture must fill the table";
  return picture::SimpleGif(image, picture::TestPaletteTriples(1u << minCodeSize));
}

TEST(GifLzw, FullTableWithoutAClearKeepsDecodingAsGiflibDoes) {
  struct Case {
    uint8_t minCodeSize;
    uint16_t w, h;
  } cases[] = {{2, 240, 200}, {4, 200, 120}, {8, 150, 113}};
  refpix::ScratchFolder dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.minCodeSize});
    const Bytes palette = picture::TestPaletteTriples(1u << c.minCodeSize);
    const Bytes indices = picture::RandomIndices(c.w, c.h, 1u << c.minCodeSize, c.minCodeSize);
    const Bytes file = FullTableGif(c.w, c.h, c.minCodeSize, indices);
    Bytes out;
    ASSERT_EQ(Decode(file, c.w, c.h, &out), kImageOk);
    EXPECT_EQ(out, indices);

    const std::string path = dir.File("full_table_" + std::to_string(c.minCodeSize) + ".gif");
    ASSERT_TRUE(refpix::WriteFile(path, file));
    Bytes reference;
    std::string error;
    ASSERT_TRUE(refpix::GiflibDecode(path, c.w, c.h, &reference, &error)) << error;
    Bytes ours;
    for (uint8_t i : out) ours.insert(ours.end(), palette.begin() + 3 * i, palette.begin() + 3 * i + 3);
    EXPECT_EQ(ours, reference);
  }
}

TEST(GifLzw, CodeBeyondATableMadeSmallerFails) {
  // The table gets 2048 entries for lack of memory; the stream goes on to
  // use codes up to 4095, and the first one past 2047 fails the decoding.
  const uint16_t w = 150, h = 113;
  const Bytes indices = picture::RandomIndices(w, h, 256, 8);
  const Bytes file = FullTableGif(w, h, 8, indices);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  Bytes out(size_t{w} * h, kUntouched);
  d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true);
  devtest::FailNthAllocation(2);  // the index row, then the 16 KB table
  const int result = d.Decode(0, 0);
  devtest::StopFailingAllocations();
  EXPECT_EQ(result, kImageFailed);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + w), Bytes(indices.begin(), indices.begin() + w));
  EXPECT_EQ(out.back(), kUntouched);
}

TEST(GifLzw, DataAfterTheLastRowIsIgnored) {
  for (bool interlaced : {false, true}) {
    const uint16_t w = 5, h = 3;
    Bytes picture = picture::PatternIndices(w, h, 4);
    Bytes stored = interlaced ? picture::InterlaceRows(picture, w, h) : picture;
    Bytes longer = stored;
    longer.insert(longer.end(), 40, 3);  // eight more rows' worth of pixels
    Bytes out;
    ASSERT_EQ(Decode(GifWithCodes(w, h, 2, picture::LzwEncode(longer, 2), interlaced), w, h, &out), kImageOk)
        << interlaced;
    EXPECT_EQ(out, picture) << interlaced;
  }
}

TEST(GifLzw, EarlyEndsKeepWhatWasDecoded) {
  const uint16_t w = 4, h = 3;
  Bytes picture = picture::PatternIndices(w, h, 4, 1);
  // An end code after a row and a half: only the full row is written.
  Bytes codes = picture::LzwEncode(Bytes(picture.begin(), picture.begin() + 6), 2);
  Bytes out;
  ASSERT_EQ(Decode(GifWithCodes(w, h, 2, codes), w, h, &out), kImageOk);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), Bytes(picture.begin(), picture.begin() + 4));
  EXPECT_EQ(Bytes(out.begin() + 4, out.end()), Bytes(8, kUntouched));

  // No end code at all: the terminator ends the data.
  picture::LzwCodeWriter writer;
  for (uint32_t code : {4u, 1u, 2u, 3u}) writer.Put(code, 3);
  writer.Put(0, 4);
  ASSERT_EQ(Decode(GifWithCodes(w, h, 2, writer.Finish()), w, h, &out), kImageOk);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{1, 2, 3, 0}));
}

TEST(GifLzw, CutSubBlockFailsAfterTheRowsItHeld) {
  const uint16_t w = 16, h = 16;
  Bytes picture = picture::PatternIndices(w, h, 256, 5);
  picture::GifImage image;
  image.width = w;
  image.height = h;
  image.indices = picture;
  image.blockSize = 40;
  Bytes file = picture::SimpleGif(image, picture::TestPaletteTriples(256));
  file.resize(file.size() - 30);  // cut inside a sub-block
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_FALSE(d.IsLoaded());
  ASSERT_TRUE(d.IsDecodable());
  Bytes out(w * h, kUntouched);
  d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true);
  EXPECT_EQ(d.Decode(0, 0), kImageFailed);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + w), Bytes(picture.begin(), picture.begin() + w));
  EXPECT_EQ(out.back(), kUntouched);
}

TEST(GifLzw, CodeTableShrinksWhenMemoryIsShort) {
  const uint16_t w = 9, h = 4;
  Bytes picture = picture::PatternIndices(w, h, 4, 2);
  picture::GifImage image;
  image.width = w;
  image.height = h;
  image.minCodeSize = 2;
  image.indices = picture;
  Bytes file = picture::SimpleGif(image, picture::TestPaletteTriples(4));
  {
    // Allocations: the index row, then the table, whose 16 KB fail: the
    // next size (8 KB) serves.
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    Bytes out(w * h, kUntouched);
    d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true);
    devtest::FailNthAllocation(2);
    int result = d.Decode(0, 0);
    devtest::StopFailingAllocations();
    EXPECT_EQ(result, kImageOk);
    EXPECT_EQ(out, picture);
  }
  {
    // Every table size failing, down to 2^(minimum code size): a failure.
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    Bytes out(w * h, kUntouched);
    d.SetOutput(w, h, 8, out.data(), 0, nullptr, nullptr, true);
    devtest::AllocationFailure failure(2, true);
    EXPECT_EQ(d.Decode(0, 0), kImageFailed);
    EXPECT_EQ(out, Bytes(w * h, kUntouched));
  }
}

}  // namespace
