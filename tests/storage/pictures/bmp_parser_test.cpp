// The BMP parser over builder-made files: the fields it takes (transparency
// in the planes field, the palette size, top-down rows) and the refusal of
// depths, compressions, sizes and arrays that cannot be decoded safely.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"

namespace {

using picture::Bytes;

picture::BmpFileFields Spec(int32_t w, int32_t h, uint16_t bits) {
  picture::BmpFileFields spec;
  spec.width = w;
  spec.height = h;
  spec.bits = bits;
  spec.palette = picture::TestPaletteQuads(1u << bits);
  int32_t rows = h < 0 ? -h : h;
  spec.pixels = picture::BmpPixelArray(picture::PatternIndices(w, rows, 1u << bits), w, rows, bits, h < 0);
  return spec;
}

TEST(BmpParser, ReadsTheHeaderFields) {
  struct Case {
    const char* what;
    picture::BmpFileFields spec;
    int32_t transparent;
    uint32_t paletteCount;
    bool topDown;
  };
  picture::BmpFileFields planes5 = Spec(7, 3, 8);
  planes5.planes = 5;
  picture::BmpFileFields planes2 = Spec(7, 3, 8);
  planes2.planes = 2;
  picture::BmpFileFields planes0 = Spec(7, 3, 8);
  planes0.planes = 0;
  picture::BmpFileFields used7 = Spec(7, 3, 4);
  used7.coloursUsed = 7;
  const Case cases[] = {
      {"planes 5: index 3 transparent", planes5, 3, 256, false},
      {"planes 2: index 0 transparent", planes2, 0, 256, false},
      {"planes 0: none", planes0, -1, 256, false},
      {"4 bits, 0 colours used: 16", Spec(7, 3, 4), -1, 16, false},
      {"colours used 7", used7, -1, 7, false},
      {"1 bit", Spec(9, 2, 1), -1, 2, false},
      {"2 bits", Spec(9, 2, 2), -1, 4, false},
      {"top-down", Spec(9, -5, 8), -1, 256, true},
  };
  for (const Case& c : cases) {
    Bytes file = picture::BuildBmp(c.spec);
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    ASSERT_TRUE(d.IsLoaded()) << c.what;
    EXPECT_TRUE(d.IsDecodable()) << c.what;
    EXPECT_EQ(d.Kind(), kImageKindBmp) << c.what;
    EXPECT_EQ(d.TransparentIndex(), c.transparent) << c.what;
    EXPECT_EQ(d.PaletteCount(), c.paletteCount) << c.what;
    EXPECT_EQ(d.IsTopDown(), c.topDown) << c.what;
    EXPECT_EQ(d.SourceBitsPerPixel(), c.spec.bits) << c.what;
    EXPECT_EQ(d.Width(), c.spec.width) << c.what;
    EXPECT_EQ(d.Height(), c.spec.height < 0 ? -c.spec.height : c.spec.height) << c.what;
  }
}

TEST(BmpParser, GetPalette32ClearsTheFourthByte) {
  picture::BmpFileFields spec = Spec(2, 2, 1);
  spec.palette = {1, 2, 3, 0x77, 4, 5, 6, 0x88};
  Bytes file = picture::BuildBmp(spec);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  uint8_t palette[8];
  ASSERT_EQ(d.GetPalette32(palette), 2u);
  EXPECT_EQ(Bytes(palette, palette + 8), (Bytes{1, 2, 3, 0, 4, 5, 6, 0}));
}

TEST(BmpParser, AcceptsTheLargest16BitSizes) {
  picture::BmpFileFields spec = Spec(0xFFFF, 1, 1);
  Bytes file = picture::BuildBmp(spec);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_TRUE(d.IsDecodable());
  EXPECT_EQ(d.Width(), 0xFFFF);
  picture::BmpFileFields tall = Spec(1, -0xFFFF, 1);
  Bytes tallFile = picture::BuildBmp(tall);
  ImageDecoder t(tallFile.data(), static_cast<uint32_t>(tallFile.size()));
  EXPECT_TRUE(t.IsDecodable());
  EXPECT_EQ(t.Height(), 0xFFFF);
}

TEST(BmpParser, RefusesWhatCannotBeDecodedSafely) {
  struct Case {
    std::string what;
    Bytes file;
  };
  std::vector<Case> cases;
  auto add = [&](std::string what, auto change) {
    picture::BmpFileFields spec = Spec(6, 4, 8);
    change(spec);
    cases.push_back({std::move(what), picture::BuildBmp(spec)});
  };
  for (uint16_t bits : {0, 3, 5, 6, 7, 16, 24, 32})
    add("bits " + std::to_string(bits), [bits](picture::BmpFileFields& s) { s.bits = bits; });
  for (uint32_t compression : {3u, 4u, 0x80000000u})
    add("compression " + std::to_string(compression), [compression](picture::BmpFileFields& s) { s.compression = compression; });
  add("RLE8 with 4 bits", [](picture::BmpFileFields& s) { s.bits = 4; s.compression = 1; });
  add("RLE4 with 8 bits", [](picture::BmpFileFields& s) { s.compression = 2; });
  for (int32_t width : {0, -1, 65536, 65537, INT_MIN})
    add("width " + std::to_string(width), [width](picture::BmpFileFields& s) { s.width = width; });
  for (int32_t height : {0, 65536, 65537, -65537, INT_MIN})
    add("height " + std::to_string(height), [height](picture::BmpFileFields& s) { s.height = height; });
  add("pixel array one byte short", [](picture::BmpFileFields& s) { s.pixels.pop_back(); });
  add("taller than its array", [](picture::BmpFileFields& s) { s.height = 5; });
  add("colour table past the end", [](picture::BmpFileFields& s) { s.coloursUsed = 400; });
  add("header size 12", [](picture::BmpFileFields& s) { s.headerSize = 12; });
  add("header size past the end", [](picture::BmpFileFields& s) { s.headerSize = 0xFFFFFFF0u; });

  Bytes good = picture::BuildBmp(Spec(6, 4, 8));
  Bytes badOffset = good;
  badOffset[10] = static_cast<uint8_t>(good.size());
  badOffset[11] = static_cast<uint8_t>(good.size() >> 8);
  cases.push_back({"pixel offset at the end", badOffset});
  Bytes signature = good;
  signature[1] = 'A';
  cases.push_back({"signature BA", signature});
  cases.push_back({"shorter than the headers", Bytes(good.begin(), good.begin() + 53)});

  for (const Case& c : cases) {
    ImageDecoder d(c.file.data(), static_cast<uint32_t>(c.file.size()));
    EXPECT_FALSE(d.IsLoaded()) << c.what;
    EXPECT_FALSE(d.IsDecodable()) << c.what;
    uint8_t palette[256 * 4];
    EXPECT_EQ(d.GetPalette32(palette), 0u) << c.what;  // nothing of a refused file is used
  }
}

TEST(BmpParser, MoreThan256ColoursLoadsButIsNotDecodable) {
  picture::BmpFileFields spec = Spec(6, 4, 8);
  spec.coloursUsed = 300;
  spec.palette = picture::TestPaletteQuads(300);
  Bytes file = picture::BuildBmp(spec);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_FALSE(d.IsDecodable());
  uint8_t palette[4];
  EXPECT_EQ(d.GetPalette32(palette), 0u);
}

}  // namespace
