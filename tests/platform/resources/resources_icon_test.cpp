// Icon resources: the group directory as the system reads it, the image
// LoadImageW and LoadIconW choose by size and dpi, and malformed images
// refused before any byte outside them is read.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/resources/icon_image.h"
#include "platform/resources/resources.h"
#include "platform/testing/gdi.h"
#include "platform/testing/profile.h"

namespace {

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

void SetDpi(int dpi) {
  devtest::DeviceProfile profile;
  profile.dpi = dpi;
  devtest::SetProfile(profile);
}

TEST(ResourcesIcon, GroupDirectoryHoldsA16And32PixelImage) {
  HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(126), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, group)));
  ASSERT_GE(SizeofResource(nullptr, group), 6u + 2 * 14);
  EXPECT_EQ(bytes[4] | (bytes[5] << 8), 2);  // the count, at offset 4
  EXPECT_EQ(bytes[6], 16);                   // first entry's width
  EXPECT_EQ(bytes[6 + 14], 32);              // second entry's width
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(9999), RT_GROUP_ICON), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, u"named", RT_GROUP_ICON), nullptr);
}

TEST(ResourcesIcon, LoadImagePicksTheImageByDpi) {
  struct Case {
    int dpi;
    int width;
  } cases[] = {{96, 16}, {130, 32}, {192, 32}};
  for (const Case& c : cases) {
    SetDpi(c.dpi);
    for (unsigned id : {126u, 221u, 222u, 223u}) {
      HICON loaded = LoadIconW(nullptr, MAKEINTRESOURCEW(static_cast<WORD>(id)));
      ASSERT_NE(loaded, nullptr) << id;
      EXPECT_EQ(IconWidth(loaded), c.width) << c.dpi;
      DestroyIcon(loaded);
    }
  }
  SetDpi(96);
  HICON asked = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(126), IMAGE_ICON, 32, 32, 0));
  EXPECT_EQ(IconWidth(asked), 32);
  DestroyIcon(asked);
  HICON scaled = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(126), IMAGE_ICON, 24, 24, 0));
  EXPECT_EQ(IconWidth(scaled), 24);
  DestroyIcon(scaled);
  EXPECT_EQ(LoadImageW(nullptr, MAKEINTRESOURCEW(126), IMAGE_BITMAP, 0, 0, 0), nullptr);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Icon), 0);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Bitmap), 0);
}

TEST(ResourcesIcon, TheMaskLeavesTheBackgroundShowing) {
  SetDpi(96);
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(222));
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateBitmap(16, 16, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  RECT all{0, 0, 16, 16};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(dc, &all, white);
  DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(devtest::BitmapPixelRgb(target, 0, 0), 0xFFFFFFu);   // a corner: transparent
  EXPECT_EQ(devtest::BitmapPixelRgb(target, 11, 8), 0x006000u);  // inside the arrow
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteObject(white);
  DeleteDC(dc);
  DestroyIcon(icon);
}

// An 8x8 icon image of the given bit count, all sizes consistent.
std::vector<uint8_t> Image(int bits, int size = 8) {
  int colours = bits <= 8 ? (1 << bits) : 0;
  size_t colourRow = ((static_cast<size_t>(size) * bits + 31) / 32) * 4;
  size_t maskRow = ((static_cast<size_t>(size) + 31) / 32) * 4;
  std::vector<uint8_t> data(40 + colours * 4 + (colourRow + maskRow) * size, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&data[at], &v, 4); };
  put32(0, 40);
  put32(4, static_cast<uint32_t>(size));
  put32(8, static_cast<uint32_t>(size * 2));
  data[12] = 1;
  data[14] = static_cast<uint8_t>(bits);
  if (colours > 1) put32(40 + 4, 0x00FF0000);  // entry 1: red
  return data;
}

TEST(ResourcesIcon, MalformedImagesAreRefused) {
  devresources::IconPixels pixels;
  for (int bits : {1, 4, 8, 24, 32}) {
    std::vector<uint8_t> good = Image(bits);
    EXPECT_TRUE(devresources::DecodeIconImage(good.data(), good.size(), &pixels)) << bits;
    EXPECT_EQ(pixels.width, 8);
    EXPECT_FALSE(devresources::DecodeIconImage(good.data(), good.size() - 1, &pixels)) << bits;
  }
  struct Case {
    size_t offset;
    uint8_t value;
    const char* what;
  } cases[] = {
      {0, 41, "header size"},        {4, 0, "width 0"},         {5, 1, "width 264"},
      {8, 15, "odd doubled height"}, {14, 16, "16 bits"},       {16, 1, "compressed"},
      {33, 2, "too many colours"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bad = Image(8);
    bad[c.offset] = c.value;
    EXPECT_FALSE(devresources::DecodeIconImage(bad.data(), bad.size(), &pixels)) << c.what;
  }
  // A 1-bit image's index 1 reads the table's red entry.
  std::vector<uint8_t> mono = Image(1);
  mono[40 + 8] = 0x80;  // bottom row, first pixel
  ASSERT_TRUE(devresources::DecodeIconImage(mono.data(), mono.size(), &pixels));
  EXPECT_EQ(pixels.rgb[7 * 8], 0xFF0000u);

  std::vector<devresources::GroupEntry> entries;
  uint8_t shortGroup[] = {0, 0, 1, 0, 3, 0, 16, 16};
  EXPECT_FALSE(devresources::ReadIconGroup(shortGroup, sizeof(shortGroup), &entries));
  EXPECT_EQ(devresources::ChooseGroupEntry({}, 16, 16), -1);
  std::vector<devresources::GroupEntry> sizes{{16, 16, 1}, {48, 48, 2}, {32, 32, 3}};
  EXPECT_EQ(devresources::ChooseGroupEntry(sizes, 32, 32), 2);
  EXPECT_EQ(devresources::ChooseGroupEntry(sizes, 40, 40), 1);  // 32 and 48 tie: the larger
  EXPECT_EQ(devresources::ChooseGroupEntry(sizes, 20, 20), 0);
}

}  // namespace
