// The bitmap side of the drawing surface: rotated blits that agree with the
// display's orientation transforms pixel for pixel, pictures drawn from
// their bytes (centred, cut, scaled down but never up, transparent pixels
// filled), icons of the screen's size, gradients and zigzags.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/geometry/rotation_transform.h"
#include "layout/objects/icon_image.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/profile.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/support/picture_builder.h"

namespace {

using surfacetest::SurfaceTest;

class SurfaceBitmapTest : public SurfaceTest {
 protected:
  void SetUp() override {
    // 32 bits a pixel: every test colour survives the copies unchanged.
    devtest::DeviceProfile profile = devtest::Profile();
    profile.bitsPerPixel = 32;
    devtest::SetProfile(profile);
    SurfaceTest::SetUp();
  }
  static COLORREF PatternColour(int x, int y) { return RGB(static_cast<BYTE>(x * 5), static_cast<BYTE>(y * 5), 0x80); }
  static uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
};

TEST_F(SurfaceBitmapTest, RotatedBlitsAgreeWithTheOrientationTransforms) {
  // Odd sizes, and taller than one 32-row strip. The blit goes into a
  // target bitmap that is read back whole.
  const int W = 37, H = 45;
  for (uint8_t code = 1; code <= 3; ++code) {
    TargetBitmap target;
    MemoryBitmap source;
    surface.CreateDibBitmap(&target.image, Size{64, 64});
    surface.CreateDibBitmap(&source, Size{W, H});
    ASSERT_TRUE(source.IsValid());
    ASSERT_TRUE(target.image.IsValid());
    target.width = target.height = 64;
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(source.bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
    uint32_t* bits = static_cast<uint32_t*>(section.dsBm.bmBits);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) bits[y * W + x] = Rgb(PatternColour(x, y));
    }
    surface.SetTargetBitmap(&target);
    surface.BeginDraw(false);
    surface.BlitRotated(source, Point{0, 0}, Rect{0, 0, W, H}, code);
    surface.EndDraw();
    surface.SetTargetBitmap(nullptr);
    int width = 0;
    std::vector<uint32_t> out = devtest::BitmapPixelsRgb(target.image.bitmap, &width);
    ASSERT_EQ(width, 64);
    Transform toScreen, toSurface;
    BuildOrientationTransforms(code, W, H, &toScreen, &toSurface);
    int wrong = 0;
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        Point on = toScreen.MapPoint(Point{x, y});
        if (out[on.y * 64 + on.x] != Rgb(PatternColour(x, y)) && ++wrong < 5) {
          ADD_FAILURE() << "code " << int{code} << " pixel " << x << "," << y << " at " << on.x << "," << on.y;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "code " << int{code};
    // The four corners, as the transforms' own formulas state them.
    const Point corners[4] = {{0, 0}, {W - 1, 0}, {0, H - 1}, {W - 1, H - 1}};
    for (const Point& c : corners) {
      Point expected = code == 1   ? Point{c.y, W - 1 - c.x}
                       : code == 2 ? Point{H - 1 - c.y, c.x}
                                   : Point{W - 1 - c.x, H - 1 - c.y};
      EXPECT_EQ(toScreen.MapPoint(c), expected);
      EXPECT_EQ(out[expected.y * 64 + expected.x], Rgb(PatternColour(c.x, c.y)));
    }
    // What the blit drew is reported as drawn.
    EXPECT_FALSE(target.dirty.IsEmpty());
    source.Release();
    target.image.Release();
  }
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Bitmap), 0);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 0);
}

TEST_F(SurfaceBitmapTest, RotationZeroIsAPlainBlitAndFailuresDrawNothing) {
  Clear(0x000000);
  MemoryBitmap source;
  surface.BeginDraw(false);
  surface.CreateDibBitmap(&source, Size{4, 4});
  SetPixel(source.dc, 1, 2, RGB(10, 20, 30));
  surface.BlitRotated(source, Point{0, 0}, Rect{50, 60, 4, 4}, 255);
  EXPECT_EQ(Pixel(51, 62), 0x0A141Eu);
  // No strip can be made: nothing is drawn, nothing leaks.
  devtest::FailGdiCreation(devtest::GdiFailure::DibSections, 1, true);
  surface.BlitRotated(source, Point{0, 0}, Rect{100, 100, 4, 4}, 1);
  surface.EndDraw();
  EXPECT_EQ(Pixel(102, 102), 0u);
  source.Release();
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Bitmap), 0);
}

TEST_F(SurfaceBitmapTest, BlitBitmapAnswersTrueOnFailure) {
  MemoryBitmap empty;
  surface.BeginDraw(false);
  EXPECT_TRUE(surface.BlitBitmap(&empty, Rect{0, 0, 4, 4}, false));
  MemoryBitmap saved;
  surface.CreateCompatibleBitmap(&saved, Rect{0, 0, 8, 8});
  ASSERT_TRUE(saved.IsValid());
  EXPECT_FALSE(surface.BlitBitmap(&saved, Rect{10, 10, 8, 8}, true));
  EXPECT_FALSE(saved.IsValid());  // released as asked
  surface.EndDraw();
}

// Palette: index 0 red, 1 green, 2 blue, 3 the transparent one (black).
picture::Bytes Palette4Triples() { return {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0}; }

picture::Bytes FourColourBmp(int width, int height, const picture::Bytes& indices) {
  picture::BmpFileFields f;
  f.width = width;
  f.height = height;
  f.bits = 8;
  f.coloursUsed = 4;
  f.palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0};
  f.pixels = picture::BmpPixelArray(indices, width, height, 8, false);
  return picture::BuildBmp(f);
}

TEST_F(SurfaceBitmapTest, BmpIsCentredAndCutNotScaled) {
  // 10 x 10: left half red, right half blue, drawn into 6 x 4.
  picture::Bytes indices(100);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) indices[y * 10 + x] = x < 5 ? 0 : 2;
  }
  picture::Bytes bmp = FourColourBmp(10, 10, indices);
  Clear();
  surface.BeginDraw(false);
  EXPECT_TRUE(surface.DrawPicture(Rect{20, 20, 6, 4}, Rect{0, 0, 240, 320}, bmp.data(), bmp.size()));
  surface.EndDraw();
  // Centred: picture columns 2..7 show, so red, red, red, blue, blue, blue.
  EXPECT_EQ(Pixel(20, 20), 0xFF0000u);
  EXPECT_EQ(Pixel(22, 21), 0xFF0000u);
  EXPECT_EQ(Pixel(23, 21), 0x0000FFu);
  EXPECT_EQ(Pixel(25, 23), 0x0000FFu);
  EXPECT_EQ(Pixel(26, 20), 0xFFFFFFu);  // outside the rectangle
}

TEST_F(SurfaceBitmapTest, GifScalesDownButNeverUp) {
  picture::GifImage image;
  image.width = 8;
  image.height = 8;
  image.minCodeSize = 2;
  image.indices.assign(64, 1);  // all green
  picture::Bytes gif = picture::SimpleGif(image, Palette4Triples());
  Clear();
  surface.BeginDraw(false);
  surface.SetFillColor(Color{Color::kNoColor});
  // Larger than the rectangle: scaled down to 4 x 4.
  EXPECT_TRUE(surface.DrawPicture(Rect{10, 10, 4, 4}, Rect{0, 0, 240, 320}, gif.data(), gif.size()));
  // Smaller than the rectangle: stays 8 x 8 in the top-left corner.
  EXPECT_TRUE(surface.DrawPicture(Rect{40, 40, 20, 20}, Rect{0, 0, 240, 320}, gif.data(), gif.size()));
  surface.EndDraw();
  EXPECT_EQ(Pixel(13, 13), 0x00FF00u);
  EXPECT_EQ(Pixel(14, 14), 0xFFFFFFu);
  EXPECT_EQ(Pixel(47, 47), 0x00FF00u);
  EXPECT_NE(Pixel(48, 48), 0x00FF00u);
}

TEST_F(SurfaceBitmapTest, TransparentPixelsTakeFillThenBackgroundThenWhite) {
  picture::GifImage image;
  image.width = 2;
  image.height = 1;
  image.minCodeSize = 2;
  image.indices = {3, 0};
  picture::Bytes gif = picture::SimpleGif(image, Palette4Triples(), 3);
  struct Case {
    Color fill;
    Color background;
    uint32_t expected;
  };
  const Case cases[] = {
      {Color::FromRgb(1, 2, 3), Color::FromRgb(9, 9, 9), 0x010203u},
      {Color{Color::kNoColor}, Color::FromRgb(9, 8, 7), 0x090807u},
      {Color{Color::kNoColor}, Color{Color::kNoColor}, 0xFFFFFFu},
  };
  for (const Case& c : cases) {
    Clear(0x000000);
    surface.BeginDraw(false);
    surface.SetFillColor(c.fill);
    surface.SetBackgroundColor(c.background);
    EXPECT_TRUE(surface.DrawPicture(Rect{0, 0, 2, 1}, Rect{0, 0, 240, 320}, gif.data(), gif.size()));
    surface.EndDraw();
    EXPECT_EQ(Pixel(0, 0), c.expected);
    EXPECT_EQ(Pixel(1, 0), 0xFF0000u);
  }
}

TEST_F(SurfaceBitmapTest, PictureOutsideTheClipOrUndecodable) {
  picture::Bytes junk = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  surface.BeginDraw(false);
  EXPECT_TRUE(surface.DrawPicture(Rect{0, 0, 10, 10}, Rect{50, 50, 5, 5}, junk.data(), junk.size()));
  EXPECT_FALSE(surface.DrawPicture(Rect{0, 0, 10, 10}, Rect{0, 0, 50, 50}, junk.data(), junk.size()));
  surface.EndDraw();
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Bitmap), 0);
}

TEST_F(SurfaceBitmapTest, IconsOfTheScreensSize) {
  for (int dpi : {96, 130, 192}) {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.dpi = dpi;
    devtest::SetProfile(profile);
    IconImage* icon = IconImage::Create(126);
    ASSERT_NE(icon, nullptr) << dpi;
    Size size;
    bool scalable = false, second = false;
    EXPECT_TRUE(icon->GetSize(&size, &scalable, &second));
    int expected = dpi > 129 ? 32 : 16;
    EXPECT_EQ(size.width, expected) << dpi;
    EXPECT_EQ(size.height, expected) << dpi;
    icon->Release();
  }
  EXPECT_EQ(IconImage::Create(9999), nullptr);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Icon), 0);
}

TEST_F(SurfaceBitmapTest, IconsAreCentredInTheirBox) {
  IconImage* icon = IconImage::Create(126);
  ASSERT_NE(icon, nullptr);
  Clear();
  devtest::SetGdiJournal(true);
  surface.BeginDraw(false);
  EXPECT_TRUE(icon->Draw(&surface, Rect{100, 100, 40, 20}, nullptr));
  surface.EndDraw();
  std::string call;
  for (const std::string& line : devtest::GdiJournal()) {
    if (line.rfind("DrawIconEx(", 0) == 0) call = line;
  }
  EXPECT_EQ(call.rfind("DrawIconEx(112,102", 0), 0u) << call;
  icon->Release();
}

TEST_F(SurfaceBitmapTest, GradientStartsAtFromAndStopsOneStepShortOfTo) {
  Clear();
  surface.BeginDraw(false);
  surface.FillGradient(Rect{0, 0, 4, 10}, Color::FromRgb(0, 0, 0), Color::FromRgb(200, 100, 40), false);
  surface.EndDraw();
  EXPECT_EQ(Pixel(0, 5), 0x000000u);
  EXPECT_EQ(Pixel(1, 5), 0x32190Au);  // one quarter
  EXPECT_EQ(Pixel(3, 9), 0x964B1Eu);  // three quarters: one step short of `to`
}

TEST_F(SurfaceBitmapTest, ZigzagsAreStraightWhenFlatAndJoinWhenAligned) {
  Clear();
  surface.BeginDraw(false);
  surface.SetPenColor(Color::FromRgb(0, 0, 0));
  surface.DrawZigzag(Rect{10, 10, 8, 1}, false, true, false);
  // Two aligned zigzags side by side, amplitude 2 (height 3).
  surface.DrawZigzag(Rect{20, 20, 5, 3}, false, true, true);
  surface.DrawZigzag(Rect{24, 20, 5, 3}, false, true, true);
  surface.EndDraw();
  for (int x = 10; x < 18; ++x) EXPECT_EQ(Pixel(x, 10), 0u) << x;
  // The second zigzag continues the first: at x = 24 both are at the same
  // height, and the line goes on down/up without a jump.
  std::vector<int> heights;
  for (int x = 20; x < 29; ++x) {
    int found = -1;
    for (int y = 20; y < 23; ++y) {
      if (Pixel(x, y) == 0u) found = y;
    }
    heights.push_back(found);
  }
  EXPECT_EQ(heights, (std::vector<int>{20, 21, 22, 21, 20, 21, 22, 21, 20}));
}

}  // namespace
