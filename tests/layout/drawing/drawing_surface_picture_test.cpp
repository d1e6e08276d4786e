// A whole test window drawn through the surface: text in several fonts and
// styles, shapes, a gradient, a zigzag, an inverted focus frame, a picture
// and an icon, written as a PNG (TESSALYN_DRAWING_PNG names where, else
// the test's temporary folder) for a person to look at, and checked at a
// few pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "layout/objects/icon_image.h"
#include "layout/shapes/shape_area.h"
#include "platform/testing/fonts.h"
#include "platform/testing/profile.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/support/picture_builder.h"

namespace {

class SurfaceWindowPicture : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.bitsPerPixel = 32;
    devtest::SetProfile(profile);
    devtest::UseFontEngine(fonts::EngineKind::FreeType);
    SurfaceTest::SetUp();
  }
  void Text(const char16_t* text, FontSpec spec, Color colour, Point at) {
    surface.SetFont(spec);
    surface.SetTextColor(colour);
    surface.DrawText(text, static_cast<int32_t>(std::u16string(text).size()), at);
  }
};

// A 24 x 16 GIF: a sky-blue top, a green hill, a yellow sun.
picture::Bytes Landscape() {
  picture::GifImage image;
  image.width = 24;
  image.height = 16;
  image.minCodeSize = 2;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) {
      int dx = x - 17, dy = y - 4;
      uint8_t index = y > 10 - (x / 6) ? 1 : (dx * dx + dy * dy <= 9 ? 2 : 0);
      image.indices.push_back(index);
    }
  }
  return picture::SimpleGif(image, {120, 180, 255, 40, 160, 40, 255, 220, 0, 0, 0, 0});
}

TEST_F(SurfaceWindowPicture, ATestWindowDrawnThroughTheSurface) {
  const Color black = Color::FromRgb(0, 0, 0);
  const Color navy = Color::FromRgb(20, 40, 120);
  const Color red = Color::FromRgb(190, 30, 30);
  picture::Bytes gif = Landscape();
  IconImage* icon = IconImage::Create(126);
  ASSERT_NE(icon, nullptr);

  surface.BeginDraw(false);
  surface.SetBackgroundColor(Color::FromRgb(255, 255, 255));
  surface.EraseRect(Rect{0, 0, 240, 320});
  surface.FillGradient(Rect{0, 0, 240, 28}, navy, Color::FromRgb(140, 170, 230), true);
  surface.SetFillColor(Color{Color::kNoColor});
  Text(u"Drawing surface", FontSpec{18, FontSpec::kBold, 1}, Color::FromRgb(255, 255, 255), Point{8, 4});

  Text(u"Tahoma 14 regular", FontSpec{14, 0, 1}, black, Point{8, 36});
  Text(u"Courier New 13 bold", FontSpec{13, FontSpec::kBold, 2}, navy, Point{8, 54});
  Text(u"Times 15 italic", FontSpec{15, FontSpec::kItalic, 3}, red, Point{8, 72});
  Text(u"underlined", FontSpec{14, FontSpec::kUnderline, 1}, black, Point{8, 92});
  // Raised and lowered figures placed on one baseline through their ascent.
  surface.SetFont(FontSpec{14, 0x30, 1});
  int32_t baseline = 92 + surface.GetAscent();
  const struct {
    const char16_t* text;
    FontSpec spec;
    int32_t x;
  } runs[] = {{u"x", {14, 0x30, 1}, 100}, {u"2", {10, 0x60, 1}, 108}, {u"H", {14, 0x30, 1}, 124},
              {u"2", {10, 0x70, 1}, 135}, {u"O", {14, 0x30, 1}, 142}};
  for (const auto& run : runs) {
    surface.SetFont(run.spec);
    Text(run.text, run.spec, black, Point{run.x, baseline - surface.GetAscent()});
  }

  surface.SetPenColor(black);
  surface.SetFillColor(Color::FromRgb(250, 200, 60));
  surface.DrawRect(Rect{8, 120, 50, 30}, true);
  surface.SetFillColor(Color::FromRgb(90, 160, 220));
  surface.DrawCircle(Point{90, 135}, 15, true);
  surface.DrawRoundRect(Rect{120, 120, 50, 30}, 6);
  surface.SetPenColor(red);
  surface.DrawRect(Rect{180, 120, 50, 30}, false);
  surface.DrawLine(Point{180, 120}, Point{229, 149});
  surface.SetPenColor(Color::FromRgb(220, 0, 0));
  surface.DrawZigzag(Rect{8, 160, 120, 4}, false, true, true);

  EXPECT_TRUE(surface.DrawPicture(Rect{8, 176, 96, 64}, Rect{0, 0, 240, 320}, gif.data(), gif.size()));
  EXPECT_TRUE(surface.DrawPicture(Rect{120, 176, 24, 16}, Rect{0, 0, 240, 320}, gif.data(), gif.size()));
  EXPECT_TRUE(icon->Draw(&surface, Rect{160, 176, 32, 32}, nullptr));

  // A focus frame inverted over a line of text.
  surface.SetFillColor(Color{Color::kNoColor});
  Text(u"inverted focus frame", FontSpec{14, 0, 1}, black, Point{8, 256});
  ShapeArea frame;
  frame.SetRectangle(Rect{6, 254, 150, 20});
  frame.SetBounds(Rect{6, 254, 150, 20});
  frame.PaintOutline(&surface);
  surface.EndDraw();
  icon->Release();

  const char* target = std::getenv("TESSALYN_DRAWING_PNG");
  std::string path = target != nullptr ? target : ::testing::TempDir() + "drawing_surface_window.png";
  EXPECT_TRUE(devtest::WriteWindowPng(window, path));
  EXPECT_EQ(Pixel(0, 0), 0x142878u);    // the gradient starts at navy
  EXPECT_EQ(Pixel(9, 121), 0xFAC83Cu);  // inside the filled rectangle
  EXPECT_EQ(Pixel(90, 135), 0x5AA0DCu); // inside the circle
  EXPECT_EQ(Pixel(10, 272), 0x000000u); // the inverted white under the frame
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 0);
}

}  // namespace
