// Icons with masks, image lists as the system uses them, and pictures of
// bitmaps written as PNG and read back by a reference decoder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"
#include "tests/support/reference_pixels.h"

namespace {

class Icons : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetGdi();
    dc_ = CreateCompatibleDC(nullptr);
    target_ = CreateBitmap(8, 4, 1, 16, nullptr);
    old_ = SelectObject(dc_, target_);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT all{0, 0, 8, 4};
    FillRect(dc_, &all, blue);
    DeleteObject(blue);
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(target_);
    DeleteDC(dc_);
    for (GdiKind kind : {GdiKind::DeviceContext, GdiKind::Bitmap, GdiKind::Icon, GdiKind::ImageList}) {
      EXPECT_EQ(devtest::LiveGdiObjects(kind), 0) << static_cast<int>(kind);
    }
  }
  uint32_t At(int x, int y) const { return devtest::BitmapPixelRgb(target_, x, y); }

  // A 2x2 icon: red and green on top, a transparent bottom row.
  HICON MakeIcon() {
    const uint8_t maskRows[2][2] = {{0x00, 0}, {0xC0, 0}};
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskRows);
    HBITMAP colour = CreateBitmap(2, 2, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, colour);
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    SetPixel(dc, 1, 0, RGB(0, 255, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    // The icon keeps copies: the bitmaps are the caller's to delete.
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
  }

  HDC dc_ = nullptr;
  HBITMAP target_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(Icons, DrawIconExShowsTheTargetThroughTheMask) {
  HICON icon = MakeIcon();
  ASSERT_TRUE(icon);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Icon), 1);
  ASSERT_TRUE(DrawIconEx(dc_, 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(At(1, 1), 0xFF0000u);
  EXPECT_EQ(At(2, 1), 0x00FF00u);
  EXPECT_EQ(At(1, 2), 0x0000FFu);
  EXPECT_EQ(At(3, 1), 0x0000FFu);
  // Stretched to 4x4 from (4, 0).
  DrawIconEx(dc_, 4, 0, icon, 4, 4, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(At(5, 1), 0xFF0000u);
  EXPECT_EQ(At(7, 0), 0x00FF00u);
  EXPECT_EQ(At(7, 3), 0x0000FFu);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bm{};
  GetObjectW(info.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(devtest::BitmapPixelRgb(info.hbmMask, 0, 1), 0xFFFFFFu);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIconEx(dc_, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
}

TEST_F(Icons, MaskedImageListTakesIconsAndDrawsThemTransparent) {
  // As the system makes its icon lists: masked, no background colour,
  // icons appended with ReplaceIcon(-1) and destroyed at once.
  HIMAGELIST list = ImageList_Create(2, 2, ILC_MASK, 4, 0);
  ASSERT_TRUE(list);
  ImageList_SetBkColor(list, CLR_NONE);
  HICON icon = MakeIcon();
  EXPECT_EQ(ImageList_ReplaceIcon(list, -1, icon), 0);
  EXPECT_EQ(ImageList_AddIcon(list, icon), 1);
  DestroyIcon(icon);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  int w = 0, h = 0;
  ImageList_GetIconSize(list, &w, &h);
  EXPECT_EQ(w, 2);
  ASSERT_TRUE(ImageList_Draw(list, 1, dc_, 0, 0, ILD_NORMAL));
  EXPECT_EQ(At(0, 0), 0xFF0000u);
  EXPECT_EQ(At(0, 1), 0x0000FFu);
  EXPECT_FALSE(ImageList_Draw(list, 2, dc_, 0, 0, ILD_NORMAL));
  // With a background colour and no ILD_TRANSPARENT the mask's area takes it.
  ImageList_SetBkColor(list, RGB(255, 255, 0));
  ImageList_Draw(list, 0, dc_, 4, 0, ILD_NORMAL);
  EXPECT_EQ(At(4, 1), 0xFFFF00u);
  EXPECT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(ImageList_GetImageCount(list), 1);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list));
}

TEST_F(Icons, ImageListsSplitStripsAndKeyOutAColour) {
  HIMAGELIST list = ImageList_Create(2, 1, ILC_MASK | ILC_COLOR16, 2, 2);
  HBITMAP strip = CreateBitmap(4, 1, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, strip);
  SetPixel(dc, 0, 0, RGB(255, 0, 255));
  SetPixel(dc, 1, 0, RGB(255, 0, 0));
  SetPixel(dc, 2, 0, RGB(0, 255, 0));
  SetPixel(dc, 3, 0, RGB(255, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_EQ(ImageList_AddMasked(list, strip, RGB(255, 0, 255)), 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  ImageList_Draw(list, 0, dc_, 0, 0, ILD_TRANSPARENT);
  ImageList_Draw(list, 1, dc_, 2, 0, ILD_TRANSPARENT);
  EXPECT_EQ(At(0, 0), 0x0000FFu);
  EXPECT_EQ(At(1, 0), 0xFF0000u);
  EXPECT_EQ(At(2, 0), 0x00FF00u);
  EXPECT_EQ(At(3, 0), 0x0000FFu);
  // Without a mask list the image is copied whole (the key turned black).
  HIMAGELIST plain = ImageList_Create(2, 1, ILC_COLOR16, 1, 1);
  EXPECT_EQ(ImageList_Add(plain, strip, nullptr), 0);
  ImageList_Draw(plain, 0, dc_, 4, 0, ILD_NORMAL);
  EXPECT_EQ(At(4, 0), 0xFF00FFu);
  ImageList_Destroy(plain);
  ImageList_Destroy(list);
  DeleteObject(strip);
}

TEST_F(Icons, PicturesOfBitmapsReadBackThroughAReferenceDecoder) {
  for (int bits : {8, 16, 32}) {
    HBITMAP picture = CreateBitmap(5, 3, 1, bits, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) SetPixel(dc, x, y, RGB(x * 51, y * 102, 255 - x * 51));
    }
    refpix::ScratchFolder folder;
    const std::string path = folder.File("picture.png");
    ASSERT_TRUE(devtest::WriteDcPng(dc, path)) << bits;
    std::vector<refpix::RgbImage> images;
    std::string error;
    ASSERT_TRUE(refpix::ReferenceDecode({path}, &images, &error)) << error;
    ASSERT_EQ(images.size(), 1u);
    ASSERT_EQ(images[0].width, 5);
    ASSERT_EQ(images[0].height, 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        const uint32_t expected = devtest::BitmapPixelRgb(picture, x, y);
        const uint8_t* p = &images[0].rgb[(y * 5 + x) * 3];
        EXPECT_EQ(static_cast<uint32_t>((p[0] << 16) | (p[1] << 8) | p[2]), expected) << bits << " " << x << "," << y;
      }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
  }
  EXPECT_FALSE(devtest::WriteBitmapPng(nullptr, "/nonexistent/x.png"));
  HBITMAP one = CreateBitmap(1, 1, 1, 32, nullptr);
  EXPECT_FALSE(devtest::WriteBitmapPng(one, "/nonexistent-folder/x.png"));
  DeleteObject(one);
}

}  // namespace
