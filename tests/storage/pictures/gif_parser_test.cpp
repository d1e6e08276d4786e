// The GIF parser over builder-made files: which colour table and which
// transparent index the first image gets, the "QVRW" extension, skipped
// blocks and images, and the refusal of every header, table, descriptor and
// sub-block that does not fit the data.
#include <gtest/gtest.h>

#include <string>

#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"

namespace {

using picture::Bytes;

picture::GifImage SmallImage(uint16_t w = 5, uint16_t h = 4) {
  picture::GifImage image;
  image.width = w;
  image.height = h;
  image.minCodeSize = 2;
  image.indices = picture::PatternIndices(w, h, 4);
  return image;
}

// Header with a 4-entry global table.
Bytes Head() { return picture::GifHeader(5, 4, picture::TestPaletteTriples(4)); }

TEST(GifParser, ReadsTheFirstImageDescriptor) {
  picture::GifImage image = SmallImage(300, 7);
  image.interlaced = true;
  image.minCodeSize = 3;
  image.indices = picture::PatternIndices(300, 7, 8);
  Bytes file = picture::SimpleGif(image, picture::TestPaletteTriples(8));
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_TRUE(d.IsDecodable());
  EXPECT_EQ(d.Kind(), kImageKindGif);
  EXPECT_EQ(d.Width(), 300);
  EXPECT_EQ(d.Height(), 7);
  EXPECT_EQ(d.PixelCount(), 2100u);
  EXPECT_TRUE(d.IsInterlaced());
  EXPECT_EQ(d.LzwMinimumCodeSize(), 3);
  EXPECT_EQ(d.SourceBitsPerPixel(), 8);
  EXPECT_EQ(d.PaletteCount(), 8u);
  EXPECT_EQ(d.TransparentIndex(), -1);
  EXPECT_EQ(d.ProgramData(), nullptr);
}

TEST(GifParser, LocalColourTableReplacesTheGlobalOne) {
  picture::GifImage image = SmallImage();
  Bytes local = {1, 2, 3, 4, 5, 6};
  image.localTable = local;
  Bytes file = picture::SimpleGif(image, picture::TestPaletteTriples(16));
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_TRUE(d.IsDecodable());
  ASSERT_EQ(d.PaletteCount(), 2u);
  uint8_t palette[8];
  ASSERT_EQ(d.GetPalette32(palette), 2u);
  EXPECT_EQ(Bytes(palette, palette + 8), (Bytes{3, 2, 1, 0, 6, 5, 4, 0}));
}

TEST(GifParser, ImageWithoutAnyColourTableIsNotDecodable) {
  Bytes file = picture::SimpleGif(SmallImage(), {});
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_FALSE(d.IsDecodable());
}

TEST(GifParser, TransparentIndexComesFromGraphicControlBeforeTheFirstImage) {
  struct Case {
    const char* what;
    int before1, before2, after;  // -2: no extension; -1: one without transparency
    int expected;
  };
  const Case cases[] = {
      {"one before", 3, -2, -2, 3},
      {"none", -2, -2, -2, -1},
      {"after the image only", -2, -2, 2, -1},
      {"after does not change it", 1, -2, 2, 1},
      {"last before wins", 1, 2, -2, 2},
      {"cleared by a later one", 1, -1, -2, -1},
  };
  for (const Case& c : cases) {
    Bytes file = Head();
    if (c.before1 != -2) picture::AppendGraphicControl(file, c.before1);
    if (c.before2 != -2) picture::AppendGraphicControl(file, c.before2);
    picture::AppendImage(file, SmallImage());
    if (c.after != -2) picture::AppendGraphicControl(file, c.after);
    picture::AppendImage(file, SmallImage());
    picture::AppendTrailer(file);
    ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
    EXPECT_TRUE(d.IsLoaded()) << c.what;
    EXPECT_EQ(d.TransparentIndex(), c.expected) << c.what;
  }
}

TEST(GifParser, KeepsTheQvrwApplicationData) {
  // Identifier block: "QVRW", a length byte, the data and the byte after it
  // all inside the 11 bytes of the application identifier.
  Bytes file = Head();
  picture::AppendApplication(file, std::string("QVRW\x03" "abcZ", 9) + "xy", {9, 9});
  picture::AppendImage(file, SmallImage());
  picture::AppendTrailer(file);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_TRUE(d.IsLoaded());
  ASSERT_NE(d.ProgramData(), nullptr);
  EXPECT_EQ(d.ProgramLength(), 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(d.ProgramData()), 3), "abc");
  EXPECT_EQ(d.ProgramFollowingByte(), 'Z');

  // Another application, or one after the image, is not kept.
  for (bool afterImage : {false, true}) {
    Bytes other = Head();
    if (afterImage) picture::AppendImage(other, SmallImage());
    picture::AppendApplication(other, afterImage ? std::string("QVRW\x01" "aZ....", 11) : "NETSCAPE2.0", {1, 0, 0});
    if (!afterImage) picture::AppendImage(other, SmallImage());
    picture::AppendTrailer(other);
    ImageDecoder o(other.data(), static_cast<uint32_t>(other.size()));
    EXPECT_TRUE(o.IsLoaded());
    EXPECT_EQ(o.ProgramData(), nullptr);
  }
}

TEST(GifParser, QvrwDataPassingTheEndIsNotKept) {
  Bytes file = Head();
  // The length byte promises 200 bytes; the sub-block chain itself is sound.
  picture::AppendApplication(file, std::string("QVRW\xC8" "abcdef", 10), {});
  picture::AppendImage(file, SmallImage());
  picture::AppendTrailer(file);
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_EQ(d.ProgramData(), nullptr);
}

TEST(GifParser, SkipsCommentsUnknownBlocksAndLaterImages) {
  Bytes file = Head();
  picture::AppendComment(file, "made by hand");
  file.insert(file.end(), {0x99, 0x00, 2, 'x', 'y', 0});  // unknown byte: two bytes, then sub-blocks
  picture::AppendImage(file, SmallImage());
  picture::GifImage later = SmallImage(9, 9);
  later.minCodeSize = 12;  // never examined: only the first image is read
  later.codeStream = {1, 2, 3};
  picture::AppendImage(file, later);
  picture::AppendTrailer(file);
  file.insert(file.end(), {0xDE, 0xAD});  // after the trailer: ignored
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_EQ(d.Width(), 5);
  EXPECT_EQ(d.Height(), 4);
}

TEST(GifParser, RefusesWhatDoesNotFitOrCannotBeDecoded) {
  auto withImage = [](auto change) {
    picture::GifImage image = SmallImage();
    change(image);
    return picture::SimpleGif(image, picture::TestPaletteTriples(4));
  };
  Bytes good = withImage([](picture::GifImage&) {});
  Bytes noTrailer = good;
  noTrailer.pop_back();
  struct Case {
    const char* what;
    Bytes file;
  };
  std::vector<Case> cases = {
      {"wrong signature", Bytes{'G', 'I', 'G'}},
      {"13 bytes", Bytes(good.begin(), good.begin() + 13)},
      {"global table cut", Bytes(good.begin(), good.begin() + 20)},
      {"no image", [] { Bytes f = Head(); picture::AppendTrailer(f); return f; }()},
      {"descriptor cut", Bytes(good.begin(), good.begin() + 25 + 9)},
      {"no code size byte", Bytes(good.begin(), good.begin() + 25 + 10)},
      {"local table cut", [] {
         Bytes f = Head();
         f.insert(f.end(), {0x2C, 0, 0, 0, 0, 5, 0, 4, 0, 0x83, 1, 2, 3});
         return f;
       }()},
      {"width 0", withImage([](picture::GifImage& i) { i.width = 0; i.indices.clear(); })},
      {"height 0", withImage([](picture::GifImage& i) { i.height = 0; i.indices.clear(); })},
      {"code size 0", withImage([](picture::GifImage& i) { i.minCodeSize = 0; i.codeStream = {0}; })},
      {"code size 1", withImage([](picture::GifImage& i) { i.minCodeSize = 1; i.codeStream = {0}; })},
      {"code size 9", withImage([](picture::GifImage& i) { i.minCodeSize = 9; i.codeStream = {0}; })},
      {"code size 12", withImage([](picture::GifImage& i) { i.minCodeSize = 12; i.codeStream = {0}; })},
      {"extension cut", [] { Bytes f = Head(); f.insert(f.end(), {0x21}); return f; }()},
      {"graphic control cut", [] { Bytes f = Head(); f.insert(f.end(), {0x21, 0xF9, 4, 1}); return f; }()},
      {"sub-block past the end before the image", [] {
         Bytes f = Head();
         f.insert(f.end(), {0x21, 0xFE, 50, 'a'});
         return f;
       }()},
  };
  for (const Case& c : cases) {
    ImageDecoder d(c.file.data(), static_cast<uint32_t>(c.file.size()));
    EXPECT_FALSE(d.IsLoaded()) << c.what;
    EXPECT_FALSE(d.IsDecodable()) << c.what;
    uint8_t palette[256 * 4];
    EXPECT_EQ(d.GetPalette32(palette), 0u) << c.what;  // nothing of a refused file is used
  }
  // A missing trailer is only the end of the walk.
  ImageDecoder d(noTrailer.data(), static_cast<uint32_t>(noTrailer.size()));
  EXPECT_TRUE(d.IsLoaded());
}

TEST(GifParser, FirstImageStaysDecodableWhenLaterDataIsBroken) {
  Bytes file = Head();
  picture::AppendImage(file, SmallImage());
  file.insert(file.end(), {0x21, 0xFE, 40, 'x'});  // a comment cut short
  ImageDecoder d(file.data(), static_cast<uint32_t>(file.size()));
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_TRUE(d.IsDecodable());

  // Asked to stop at the image, the walk never sees the broken comment.
  ImageDecoder s;
  EXPECT_TRUE(s.Load(file.data(), static_cast<uint32_t>(file.size()), true));
  EXPECT_TRUE(s.IsDecodable());
}

}  // namespace
