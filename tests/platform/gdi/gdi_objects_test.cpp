// Graphics objects: handles, selection and deletion as on the device,
// descriptions (GetObjectW), stock objects, compatible formats, the
// device's capabilities, live counts over many cycles, injected creation
// failures and the journal.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/shell/display_settings.h"
#include "platform/testing/gdi.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"
#include "platform/testing/windows.h"

namespace {

class GdiObjects : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetGdi(); }
};

int Live(GdiKind kind) { return devtest::LiveGdiObjects(kind); }

TEST_F(GdiObjects, TenThousandCyclesLeaveNothingAlive) {
  for (int i = 0; i < 10000; ++i) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 8 + i % 5, 4);
    HPEN pen = CreatePen(PS_SOLID, 1 + i % 3, RGB(i & 0xFF, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, i & 0xFF, 0));
    HRGN region = CreateRectRgn(0, 0, i % 7, 3);
    ASSERT_TRUE(dc && bitmap && pen && brush && region) << i;
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    SelectClipRgn(dc, region);
    Rectangle(dc, 0, 0, 4, 4);
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(region));
    EXPECT_TRUE(DeleteDC(dc));
  }
  for (GdiKind kind : {GdiKind::DeviceContext, GdiKind::Bitmap, GdiKind::Pen, GdiKind::Brush, GdiKind::Region}) {
    EXPECT_EQ(Live(kind), 0) << static_cast<int>(kind);
    EXPECT_EQ(devtest::CreatedGdiObjects(kind), 10000) << static_cast<int>(kind);
  }
}

TEST_F(GdiObjects, SelectedObjectsAreNotDeleted) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 16, nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(Live(GdiKind::Bitmap), 1);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  // A bitmap is selected into one DC at a time.
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, bitmap), nullptr);
  DeleteDC(other);
  // Deleting the DC deselects everything; the objects stay the caller's.
  DeleteDC(dc);
  EXPECT_EQ(Live(GdiKind::Bitmap), 1);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen)) << "a stale handle";
  EXPECT_EQ(GetObjectType(pen), 0u);
  // Stock objects survive DeleteObject.
  EXPECT_TRUE(DeleteObject(oldPen));
  EXPECT_EQ(GetObjectType(oldPen), OBJ_PEN);
  EXPECT_EQ(GetObjectType(oldBitmap), OBJ_BITMAP);
  EXPECT_EQ(Live(GdiKind::Pen), 0);
  EXPECT_EQ(Live(GdiKind::DeviceContext), 0);
}

TEST_F(GdiObjects, DescriptionsOfPensBrushesBitmapsAndSections) {
  HPEN pen = CreatePen(PS_NULL, 3, RGB(1, 2, 3));
  LOGPEN lp{};
  EXPECT_EQ(GetObjectW(pen, 0, nullptr), static_cast<int>(sizeof lp));
  EXPECT_EQ(GetObjectW(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_NULL));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObjectW(pen, sizeof lp - 1, &lp), 0);
  DeleteObject(pen);

  HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectW(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, BS_SOLID);
  EXPECT_EQ(lb.lbColor, RGB(9, 8, 7));
  DeleteObject(brush);
  LOGBRUSH nullBrush{};
  GetObjectW(GetStockObject(NULL_BRUSH), sizeof nullBrush, &nullBrush);
  EXPECT_EQ(nullBrush.lbStyle, BS_NULL);

  HBITMAP ddb = CreateBitmap(5, 3, 1, 16, nullptr);
  BITMAP bm{};
  EXPECT_EQ(GetObjectW(ddb, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 5);
  EXPECT_EQ(bm.bmHeight, 3);
  EXPECT_EQ(bm.bmWidthBytes, 10);
  EXPECT_EQ(bm.bmBitsPixel, 16);
  EXPECT_EQ(bm.bmBits, nullptr);
  DIBSECTION notASection{};
  EXPECT_EQ(GetObjectW(ddb, sizeof notASection, &notASection), static_cast<int>(sizeof bm));
  DeleteObject(ddb);

  // The drawing surface's own sections: top-down 5-6-5 bit fields.
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{{sizeof(BITMAPINFOHEADER), 5, -3, 1, 16, BI_BITFIELDS, 0, 0, 0, 0, 0}, {0xF800, 0x07E0, 0x001F}};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib);
  DIBSECTION ds{};
  EXPECT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 12) << "DIB rows are padded to 32 bits";
  EXPECT_EQ(ds.dsBmih.biHeight, -3);
  EXPECT_EQ(ds.dsBmih.biBitCount, 16);
  EXPECT_EQ(ds.dsBitfields[0], 0xF800u);
  EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
  DeleteObject(dib);
}

TEST_F(GdiObjects, BadSectionHeadersAreRefused) {
  struct Case {
    const char* name;
    LONG width, height;
    WORD planes, bits;
    DWORD compression;
    DWORD masks[3];
  };
  const Case cases[] = {
      {"zero width", 0, 4, 1, 32, BI_RGB, {}},
      {"zero height", 4, 0, 1, 32, BI_RGB, {}},
      {"two planes", 4, 4, 2, 32, BI_RGB, {}},
      {"4 bits", 4, 4, 1, 4, BI_RGB, {}},
      {"odd bit fields", 4, 4, 1, 16, BI_BITFIELDS, {0xF000, 0x0FF0, 0x000F}},
      {"bit fields at 8 bits", 4, 4, 1, 8, BI_BITFIELDS, {}},
      {"compressed", 4, 4, 1, 8, 1, {}},
      {"enormous", 1 << 20, 1 << 20, 1, 32, BI_RGB, {}},
  };
  for (const Case& c : cases) {
    struct {
      BITMAPINFOHEADER header;
      DWORD table[256];
    } info{{sizeof(BITMAPINFOHEADER), c.width, c.height, c.planes, c.bits, c.compression, 0, 0, 0, 0, 0}, {}};
    info.table[0] = c.masks[0];
    info.table[1] = c.masks[1];
    info.table[2] = c.masks[2];
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
              nullptr)
        << c.name;
    EXPECT_EQ(bits, nullptr) << c.name;
  }
  EXPECT_EQ(Live(GdiKind::Bitmap), 0);
}

TEST_F(GdiObjects, CompatibleBitmapsTakeTheFormatOfTheirDc) {
  HDC memory = CreateCompatibleDC(nullptr);
  BITMAP bm{};
  // A fresh memory DC holds the 1x1 monochrome bitmap: what is compatible
  // with it is monochrome, as on the device.
  HBITMAP mono = CreateCompatibleBitmap(memory, 4, 4);
  GetObjectW(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HBITMAP screen = CreateCompatibleBitmap(nullptr, 4, 4);
  GetObjectW(screen, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 16) << "the display's depth";
  HBITMAP wide = CreateBitmap(2, 2, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(memory, wide);
  HBITMAP same = CreateCompatibleBitmap(memory, 4, 4);
  GetObjectW(same, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  SelectObject(memory, old);
  for (HBITMAP b : {mono, screen, wide, same}) DeleteObject(b);
  DeleteDC(memory);
}

TEST_F(GdiObjects, CapabilitiesAndMetricsFollowTheDisplay) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
  devtest::SetDisplay({480, 640, 192, 8});
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 192);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 8);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 640);
  EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, RC_PALETTE);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 64);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 32);
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
  DeleteDC(dc);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW | SYS_COLOR_INDEX_FLAG), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColorBrush(99), nullptr);
}

// The display is the profile's at every call, before any window has touched
// the screen, and turns with the display; SetDisplay writes the profile.
TEST_F(GdiObjects, DisplayFollowsTheProfileAndTheOrientation) {
  devtest::DeviceProfile profile = devtest::Profile();
  profile.screenWidth = 480;
  profile.screenHeight = 640;
  profile.dpi = 192;
  profile.bitsPerPixel = 32;
  devtest::SetProfile(profile);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 480);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 640);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 192);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 64);
  HBITMAP compatible = CreateCompatibleBitmap(nullptr, 2, 2);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(compatible, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(compatible);

  devtest::SetDisplayOrientation(DMDO_90);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
  devtest::DisplayMetrics display = devtest::Display();
  EXPECT_EQ(display.width, 640);
  EXPECT_EQ(display.height, 480);
  EXPECT_EQ(display.dpi, 192);

  // Given as seen while turned, kept in the profile as held upright.
  devtest::SetDisplay({320, 240, 96, 16});
  EXPECT_EQ(devtest::Profile().screenWidth, 240);
  EXPECT_EQ(devtest::Profile().screenHeight, 320);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 320);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  // The windows layer's screen agrees.
  EXPECT_NE(devtest::ScreenPixelRgb(319, 239), 0xFFFFFFFFu);
  EXPECT_EQ(devtest::ScreenPixelRgb(0, 240), 0xFFFFFFFFu);
  devtest::SetDisplayOrientation(DMDO_0);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 240);
  DeleteDC(dc);
}

TEST_F(GdiObjects, InjectedFailuresOfBitmapsAndSections) {
  devtest::FailGdiCreation(devtest::GdiFailure::Bitmaps, 2);
  HBITMAP first = CreateBitmap(2, 2, 1, 16, nullptr);
  EXPECT_TRUE(first);
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, 2, 2), nullptr);
  HBITMAP third = CreateCompatibleBitmap(nullptr, 2, 2);
  EXPECT_TRUE(third);
  DeleteObject(first);
  DeleteObject(third);

  devtest::FailGdiCreation(devtest::GdiFailure::DibSections, 1, /*sticky=*/true);
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0),
              nullptr);
  }
  HBITMAP plain = CreateBitmap(2, 2, 1, 32, nullptr);
  EXPECT_TRUE(plain) << "sections fail, bitmaps do not";
  DeleteObject(plain);
  devtest::ResetGdi();
  HBITMAP again = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_TRUE(again);
  DeleteObject(again);
}

TEST_F(GdiObjects, JournalRecordsCallsWhileOn) {
  HBRUSH quiet = CreateSolidBrush(0);
  devtest::SetGdiJournal(true);
  HPEN a = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HPEN b = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  HDC dc = CreateCompatibleDC(nullptr);
  Rectangle(dc, 1, 2, 3, 4);
  EXPECT_EQ(devtest::GdiJournalCount("CreatePen"), 2);
  EXPECT_EQ(devtest::GdiJournalCount("CreateSolidBrush"), 0);
  const std::vector<std::string> lines = devtest::GdiJournal();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "CreatePen(0,1,0x0000ff)");
  EXPECT_EQ(lines.back(), "Rectangle(1,2,3,4)");
  devtest::ClearGdiJournal();
  EXPECT_TRUE(devtest::GdiJournal().empty());
  DeleteDC(dc);
  DeleteObject(a);
  DeleteObject(b);
  DeleteObject(quiet);
}

TEST_F(GdiObjects, ObjectsLeakedBeforeAResetAreNotCountedAfterIt) {
  HPEN leaked = CreatePen(PS_SOLID, 1, 0);
  devtest::ResetGdi();
  EXPECT_EQ(Live(GdiKind::Pen), 0);
  HPEN counted = CreatePen(PS_SOLID, 1, 0);
  EXPECT_TRUE(DeleteObject(leaked));
  EXPECT_EQ(Live(GdiKind::Pen), 1) << "the old pen's end takes nothing from this test's count";
  DeleteObject(counted);
  EXPECT_EQ(Live(GdiKind::Pen), 0);
}

TEST_F(GdiObjects, RectangleHelpers) {
  RECT a{0, 0, 4, 4}, b{2, 2, 6, 6}, out;
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  const RECT overlap{2, 2, 4, 4};
  EXPECT_TRUE(EqualRect(&out, &overlap));
  RECT far{10, 10, 12, 12};
  EXPECT_FALSE(IntersectRect(&out, &a, &far));
  EXPECT_TRUE(IsRectEmpty(&out));
  EXPECT_TRUE(UnionRect(&out, &a, &b));
  EXPECT_EQ(out.right, 6);
  EXPECT_FALSE(PtInRect(&a, POINT{4, 0})) << "the right edge lies outside";
  EXPECT_TRUE(PtInRect(&a, POINT{3, 3}));
  RECT side{2, 0, 6, 4};
  EXPECT_TRUE(SubtractRect(&out, &a, &side));
  EXPECT_EQ(out.right, 2);
  EXPECT_TRUE(SubtractRect(&out, &a, &b)) << "a corner cut leaves the rectangle whole";
  EXPECT_EQ(out.right, 4);
}

TEST_F(GdiObjects, RegionsCombine) {
  HRGN a = CreateRectRgn(0, 0, 4, 4);
  HRGN b = CreateRectRgn(2, 2, 6, 6);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(out, 3, 3));
  EXPECT_FALSE(PtInRegion(out, 1, 1));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(out, 1, 1));
  EXPECT_TRUE(PtInRegion(out, 5, 5));
  EXPECT_FALSE(PtInRegion(out, 5, 0));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(out, 3, 3));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(out, 3, 3));
  EXPECT_TRUE(PtInRegion(out, 4, 4));
  RECT box;
  EXPECT_EQ(GetRgnBox(out, &box), COMPLEXREGION);
  EXPECT_EQ(box.right, 6);
  for (HRGN r : {a, b, out}) DeleteObject(r);
  EXPECT_EQ(Live(GdiKind::Region), 0);
}

}  // namespace
