// DCs over targets they do not own: a DC made before its target exists,
// a window-style DC over a surface bitmap with a device origin and a
// system clip, and the two pixel writers text is drawn with.
#include <gtest/gtest.h>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"

namespace {

class Targets : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetGdi();
    screen_ = CreateSurfaceBitmap(10, 6, 16);
  }
  void TearDown() override {
    DestroySurfaceBitmap(screen_);
    EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 0);
    EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Bitmap), 0) << "surfaces are not counted";
  }
  uint32_t At(int x, int y) const { return devtest::BitmapPixelRgb(screen_, x, y); }

  BitmapObject* screen_ = nullptr;
};

TEST_F(Targets, ADcWithoutTargetDrawsNothingUntilOneIsAttached) {
  DeviceContext* dc = NewDeviceContext(DcKind::Window);
  ASSERT_TRUE(dc);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 1);
  EXPECT_TRUE(Rectangle(dc, 0, 0, 4, 4));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  dc->SetTarget(screen_);
  Rectangle(dc, 0, 0, 4, 4);
  EXPECT_EQ(At(0, 0), 0x000000u);
  EXPECT_EQ(At(1, 1), 0xFFFFFFu);
  EXPECT_FALSE(DeleteDC(dc)) << "a window's DC is released by the windows layer";
  DestroyDeviceContext(dc);
}

TEST_F(Targets, AWindowDcDrawsAtItsOriginWithinItsVisiblePart) {
  DeviceContext* dc = NewDeviceContext(DcKind::Window);
  dc->SetTarget(screen_);
  dc->SetDeviceOrigin(POINT{2, 1});
  const RECT visible[] = {{2, 1, 8, 3}, {2, 3, 5, 5}};  // an L: a sibling covers the rest
  dc->SetSystemClip(visible, 2);
  const uint32_t changes = screen_->changeCount;
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{-5, -5, 20, 20};
  FillRect(dc, &all, red);
  EXPECT_NE(screen_->changeCount, changes);
  EXPECT_EQ(At(1, 1), 0x000000u);
  EXPECT_EQ(At(2, 1), 0xFF0000u);
  EXPECT_EQ(At(7, 2), 0xFF0000u);
  EXPECT_EQ(At(8, 2), 0x000000u);
  EXPECT_EQ(At(4, 4), 0xFF0000u);
  EXPECT_EQ(At(6, 4), 0x000000u);
  // Client coordinates: (0, 0) is the screen's (2, 1); the application's
  // clip narrows the window's further.
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  IntersectClipRect(dc, 1, 0, 3, 4);
  SetViewportOrgEx(dc, 1, 0, nullptr);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &all, green);
  EXPECT_EQ(At(2, 1), 0xFF0000u);
  EXPECT_EQ(At(3, 1), 0x00FF00u);
  EXPECT_EQ(At(4, 4), 0x00FF00u);
  EXPECT_EQ(At(5, 1), 0xFF0000u);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0) << "logical: device 1 less the viewport's 1";
  DeleteObject(red);
  DeleteObject(green);
  DestroyDeviceContext(dc);
}

TEST_F(Targets, TextWritersHonourClipOriginAndCoverage) {
  DeviceContext* dc = NewDeviceContext(DcKind::Window);
  dc->SetTarget(screen_);
  dc->SetDeviceOrigin(POINT{1, 0});
  IntersectClipRect(dc, 0, 0, 6, 6);
  DcFillSolid(dc, RECT{0, 0, 8, 2}, RGB(255, 255, 255));
  EXPECT_EQ(At(0, 0), 0x000000u);
  EXPECT_EQ(At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(At(6, 0), 0xFFFFFFu);
  EXPECT_EQ(At(7, 0), 0x000000u) << "the DC's clip";
  const RECT cell{0, 0, 2, 2};
  DcFillSolid(dc, RECT{0, 0, 8, 2}, RGB(0, 0, 255), &cell);
  EXPECT_EQ(At(2, 0), 0x0000FFu);
  EXPECT_EQ(At(3, 0), 0xFFFFFFu) << "the extra clip";
  const uint8_t coverage[2][3] = {{255, 128, 0}, {0, 255, 255}};
  DcBlendCoverage(dc, 3, 0, &coverage[0][0], 3, 2, 3, RGB(0, 0, 0));
  EXPECT_EQ(At(4, 0), 0x000000u);
  EXPECT_EQ(At(5, 0), 0x7B7D7Bu) << "half of white on a 5-6-5 screen";
  EXPECT_EQ(At(6, 0), 0xFFFFFFu);
  EXPECT_EQ(At(6, 1), 0x000000u);
  DestroyDeviceContext(dc);
}

TEST_F(Targets, SurfacesAreNotTheSystemsToSelectOrDelete) {
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(memory, screen_), nullptr);
  EXPECT_TRUE(DeleteObject(screen_)) << "ignored, as for stock objects";
  EXPECT_EQ(GetObjectType(screen_), OBJ_BITMAP);
  DeleteDC(memory);
}

}  // namespace
