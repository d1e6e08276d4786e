// Picture bitmaps: a picture decoded row by row into a device bitmap of
// its size, and a scaled copy made only when it shrinks the picture.
#include <gtest/gtest.h>

#include "layout/drawing/picture_bitmap.h"
#include "layout/objects/inline_object.h"
#include "platform/testing/profile.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/support/picture_builder.h"

namespace {

// A picture whose bytes are held in memory.
class BytesPicture : public InlineObject {
 public:
  explicit BytesPicture(picture::Bytes bytes) : bytes_(std::move(bytes)) {}
  bool Draw(DrawingSurface*, const Rect&, const Rect*) override { return false; }
  bool GetSize(Size*, bool*, bool*) override { return true; }
  bool LockData(const uint8_t** data, uint32_t* length) override {
    ++locks;
    *data = bytes_.data();
    *length = static_cast<uint32_t>(bytes_.size());
    return true;
  }
  void UnlockData() override { ++unlocks; }
  int locks = 0;
  int unlocks = 0;

 private:
  picture::Bytes bytes_;
};

class PictureBitmapTest : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.bitsPerPixel = 32;
    devtest::SetProfile(profile);
    SurfaceTest::SetUp();
  }
};

TEST_F(PictureBitmapTest, DecodesRowByRowAndScalesOnlyDown) {
  picture::GifImage image;
  image.width = 8;
  image.height = 6;
  image.minCodeSize = 2;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) image.indices.push_back(static_cast<uint8_t>((x + y) % 3));
  BytesPicture* source = new BytesPicture(picture::SimpleGif(image, {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0}));
  {
    PictureBitmap bitmap(&surface);
    ASSERT_TRUE(bitmap.FromPicture(source));
    EXPECT_EQ(bitmap.PictureSize(), (Size{8, 6}));
    EXPECT_EQ(source->locks, source->unlocks);
    const uint32_t colours[3] = {0xFF0000u, 0x00FF00u, 0x0000FFu};
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) EXPECT_EQ(devtest::DcPixelRgb(bitmap.PictureDC(), x, y), colours[(x + y) % 3]);
    EXPECT_TRUE(bitmap.CreateScaled(Size{8, 6}, Size{4, 3}));
    EXPECT_NE(bitmap.ScaledDC(), nullptr);
    EXPECT_FALSE(bitmap.CreateScaled(Size{8, 6}, Size{9, 3}));
    EXPECT_EQ(bitmap.ScaledDC(), nullptr);
  }
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Bitmap), 0);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 0);
  source->Release();

  BytesPicture* junk = new BytesPicture({1, 2, 3, 4});
  PictureBitmap nothing(&surface);
  EXPECT_FALSE(nothing.FromPicture(junk));
  EXPECT_EQ(nothing.PictureDC(), nullptr);
  EXPECT_EQ(junk->locks, junk->unlocks);
  junk->Release();
}

}  // namespace
