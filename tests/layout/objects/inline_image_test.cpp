// Inline pictures: size and format from the picture's head, the tappable
// rule, refusal of bytes that are no picture, and drawing through the
// surface.
#include <gtest/gtest.h>

#include "layout/objects/inline_image.h"
#include "layout/styles/link_action.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/support/picture_builder.h"

namespace {

class MemoryImage : public InlineImage {
 public:
  static MemoryImage* Make(picture::Bytes bytes) {
    MemoryImage* image = new MemoryImage();
    image->bytes_ = std::move(bytes);
    return image;
  }
  bool LockData(const uint8_t** data, uint32_t* length) override {
    *data = bytes_.data();
    *length = static_cast<uint32_t>(bytes_.size());
    ++locked;
    return true;
  }
  void UnlockData() override { --locked; }
  int locked = 0;

 private:
  picture::Bytes bytes_;
};

picture::Bytes Gif(uint16_t width, uint16_t height) {
  picture::GifImage image;
  image.width = width;
  image.height = height;
  image.minCodeSize = 2;
  image.indices.assign(static_cast<size_t>(width) * height, 1);
  return picture::SimpleGif(image, {255, 0, 0, 0, 200, 0, 0, 0, 255, 0, 0, 0});
}

TEST(InlineImage, SmallerPlacementWithoutLinkIsTappable) {
  MemoryImage* image = MemoryImage::Make(Gif(300, 200));
  ASSERT_TRUE(image->Decode());
  EXPECT_EQ(image->PictureSize(), (Size{300, 200}));
  EXPECT_EQ(image->Flags() & InlineImage::kFormatMask, InlineImage::kFormatGif);
  image->SetLink(Size{150, 100}, nullptr);
  EXPECT_TRUE(image->IsTappable());
  LinkAction* link = new LinkAction();
  image->SetLink(Size{150, 100}, link);
  EXPECT_FALSE(image->IsTappable());
  image->SetLink(Size{300, 200}, nullptr);
  EXPECT_FALSE(image->IsTappable());
  EXPECT_EQ(link->GetReferenceCount(), 1);
  link->Release();
  EXPECT_EQ(image->locked, 0);
  image->Release();
}

TEST(InlineImage, BytesThatAreNoPictureAreRefused) {
  MemoryImage* image = MemoryImage::Make({'<', 'h', 't', 'm', 'l', '>'});
  EXPECT_FALSE(image->Decode());
  image->Release();
}

class InlineImageDrawing : public surfacetest::SurfaceTest {};

TEST_F(InlineImageDrawing, DrawsThroughTheSurface) {
  MemoryImage* image = MemoryImage::Make(Gif(4, 4));
  ASSERT_TRUE(image->Decode());
  Clear();
  surface.BeginDraw(false);
  EXPECT_TRUE(image->Draw(&surface, Rect{30, 30, 4, 4}, nullptr));
  surface.EndDraw();
  uint32_t inside = Pixel(31, 31);  // green, as near as 16 bits a pixel come
  EXPECT_GT((inside >> 8) & 0xFF, 190u);
  EXPECT_LT(inside >> 16, 10u);
  EXPECT_EQ(Pixel(34, 34), 0xFFFFFFu);
  EXPECT_EQ(image->locked, 0);
  image->Release();
}

}  // namespace
