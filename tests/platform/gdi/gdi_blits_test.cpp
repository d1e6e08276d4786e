// Blits between bitmaps of every format: colour conversion with palettes,
// bottom-up and bit-field DIB sections, raster operations, monochrome
// rules, stretching, transparent colours and ScrollDC.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"

namespace {

// A bitmap in its own memory DC, freed at the end.
struct Surface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;

  Surface() = default;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() {
    if (!dc) return;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  void Attach(HBITMAP b) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = b;
    old = SelectObject(dc, b);
  }
  uint32_t At(int x, int y) const { return devtest::BitmapPixelRgb(bitmap, x, y); }
  void Fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, 1000, 1000};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  }
};

// A DIB section: header, then the colour table or the bit-field masks.
struct DibInfo {
  BITMAPINFOHEADER header{};
  DWORD table[256] = {};
  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};

DibInfo DibHeader(int width, int height, int bits, DWORD compression = BI_RGB) {
  DibInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = compression;
  return info;
}

DWORD Quad(int r, int g, int b) { return static_cast<DWORD>((r << 16) | (g << 8) | b); }

class Blits : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetGdi(); }
  void TearDown() override {
    for (GdiKind kind : {GdiKind::DeviceContext, GdiKind::Bitmap, GdiKind::Brush, GdiKind::Pen}) {
      EXPECT_EQ(devtest::LiveGdiObjects(kind), 0) << static_cast<int>(kind);
    }
  }
};

// Source bitmaps of every kind holding the same six colours in row 0.
constexpr uint32_t kColours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

void MakeSource(Surface* s, const std::string& kind) {
  if (kind == "ddb16" || kind == "ddb32" || kind == "ddb8") {
    const int bits = kind == "ddb16" ? 16 : kind == "ddb32" ? 32 : 8;
    s->Attach(CreateBitmap(6, 2, 1, bits, nullptr));
    for (int i = 0; i < 6; ++i) {
      SetPixel(s->dc, i, 0, RGB(kColours[i] >> 16, (kColours[i] >> 8) & 0xFF, kColours[i] & 0xFF));
    }
    return;
  }
  if (kind == "dib8") {
    // A palette of its own, in an order of its own.
    DibInfo info = DibHeader(6, -2, 8);
    info.header.biClrUsed = 6;
    for (int i = 0; i < 6; ++i) info.table[i] = kColours[5 - i];
    void* bits = nullptr;
    s->Attach(CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* row = static_cast<uint8_t*>(bits);
    for (int i = 0; i < 6; ++i) row[i] = static_cast<uint8_t>(5 - i);
    return;
  }
  if (kind == "dib565" || kind == "dib555") {
    DibInfo info = DibHeader(6, 2, 16, kind == "dib565" ? BI_BITFIELDS : BI_RGB);
    if (kind == "dib565") {
      info.table[0] = 0xF800;
      info.table[1] = 0x07E0;
      info.table[2] = 0x001F;
    }
    void* bits = nullptr;
    s->Attach(CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
    // Bottom-up: the top row is the second in memory (rows of 12 bytes).
    auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(bits) + 12);
    const uint16_t words565[] = {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x001F, 0xFFE0};
    const uint16_t words555[] = {0x0000, 0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x7FE0};
    for (int i = 0; i < 6; ++i) row[i] = kind == "dib565" ? words565[i] : words555[i];
    return;
  }
  if (kind == "dib24") {
    DibInfo info = DibHeader(6, -2, 24);
    void* bits = nullptr;
    s->Attach(CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* row = static_cast<uint8_t*>(bits);
    for (int i = 0; i < 6; ++i) {
      row[3 * i] = kColours[i] & 0xFF;
      row[3 * i + 1] = (kColours[i] >> 8) & 0xFF;
      row[3 * i + 2] = (kColours[i] >> 16) & 0xFF;
    }
    return;
  }
  FAIL() << kind;
}

TEST_F(Blits, EveryFormatCopiesIntoEveryOtherWithItsColours) {
  for (const char* from : {"ddb8", "ddb16", "ddb32", "dib8", "dib565", "dib555", "dib24"}) {
    for (int bits : {8, 16, 32}) {
      Surface source, target;
      MakeSource(&source, from);
      ASSERT_TRUE(source.bitmap) << from;
      target.Attach(CreateBitmap(8, 2, 1, bits, nullptr));
      target.Fill(RGB(0, 0, 255));
      ASSERT_TRUE(BitBlt(target.dc, 1, 0, 6, 1, source.dc, 0, 0, SRCCOPY));
      for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(target.At(i + 1, 0), kColours[i]) << from << " -> " << bits << " bits, pixel " << i;
      }
      EXPECT_EQ(target.At(0, 0), 0x0000FFu);
      EXPECT_EQ(target.At(7, 0), 0x0000FFu);
      EXPECT_EQ(target.At(1, 1), 0x0000FFu) << "one row only";
    }
  }
}

TEST_F(Blits, PalettisedTargetsTakeTheNearestEntry) {
  DibInfo info = DibHeader(4, -1, 8);
  info.header.biClrUsed = 3;
  info.table[0] = Quad(0, 0, 0);
  info.table[1] = Quad(200, 100, 50);
  info.table[2] = Quad(250, 250, 250);
  void* bits = nullptr;
  Surface target, source;
  target.Attach(CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
  source.Attach(CreateBitmap(4, 1, 1, 32, nullptr));
  SetPixel(source.dc, 0, 0, RGB(190, 110, 40));
  SetPixel(source.dc, 1, 0, RGB(255, 255, 255));
  SetPixel(source.dc, 2, 0, RGB(20, 10, 0));
  SetPixel(source.dc, 3, 0, RGB(200, 100, 50));
  BitBlt(target.dc, 0, 0, 4, 1, source.dc, 0, 0, SRCCOPY);
  const auto* index = static_cast<const uint8_t*>(bits);
  EXPECT_EQ(index[0], 1);
  EXPECT_EQ(index[1], 2);
  EXPECT_EQ(index[2], 0);
  EXPECT_EQ(index[3], 1);
  // Palette indices given instead of colours name entries of the display's
  // palette (a colour cube: index 5 is blue).
  DibInfo byIndex = DibHeader(1, 1, 8);
  byIndex.header.biClrUsed = 1;
  const WORD indices[1] = {5};
  std::memcpy(byIndex.table, indices, sizeof indices);
  Surface indexed;
  indexed.Attach(CreateDIBSection(nullptr, byIndex.info(), DIB_PAL_COLORS, &bits, nullptr, 0));
  EXPECT_EQ(indexed.At(0, 0), 0x0000FFu);
}

TEST_F(Blits, BottomUpSectionsKeepTheTopRowLastInMemory) {
  DibInfo info = DibHeader(2, 3, 32);
  void* bits = nullptr;
  Surface s;
  s.Attach(CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* words = static_cast<uint32_t*>(bits);
  words[0] = 0xFF0000;      // memory row 0: the bottom row
  words[2 * 2] = 0x00FF00;  // memory row 2: the top row
  EXPECT_EQ(GetPixel(s.dc, 0, 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(0, 255, 0));
  SetPixel(s.dc, 1, 1, RGB(0, 0, 255));
  EXPECT_EQ(words[2 + 1], 0x0000FFu);
  DIBSECTION ds;
  ASSERT_EQ(GetObjectW(s.bitmap, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBmih.biHeight, 3);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 8);
}

TEST_F(Blits, RasterOperations) {
  // Destination, source and brush colours give each operation's bits.
  const COLORREF d = RGB(0xF0, 0x0F, 0x33), s = RGB(0xCC, 0xAA, 0x0F), p = RGB(0x81, 0x42, 0x24);
  auto rgb = [](COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
  const uint32_t D = rgb(d), S = rgb(s), P = rgb(p);
  struct Case {
    const char* name;
    DWORD rop;
    uint32_t expected;
  };
  const Case cases[] = {
      {"SRCCOPY", SRCCOPY, S},
      {"SRCAND", SRCAND, S & D},
      {"SRCPAINT", SRCPAINT, S | D},
      {"SRCINVERT", SRCINVERT, S ^ D},
      {"SRCERASE", SRCERASE, S & ~D & 0xFFFFFF},
      {"NOTSRCCOPY", NOTSRCCOPY, ~S & 0xFFFFFF},
      {"NOTSRCERASE", NOTSRCERASE, ~(S | D) & 0xFFFFFF},
      {"MERGECOPY", MERGECOPY, S & P},
      {"MERGEPAINT", MERGEPAINT, (~S | D) & 0xFFFFFF},
      {"PATCOPY", PATCOPY, P},
      {"PATINVERT", PATINVERT, P ^ D},
      {"PATPAINT", PATPAINT, (P | ~S | D) & 0xFFFFFF},
      {"DSTINVERT", DSTINVERT, ~D & 0xFFFFFF},
      {"BLACKNESS", BLACKNESS, 0},
      {"WHITENESS", WHITENESS, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    Surface source, target;
    source.Attach(CreateBitmap(2, 1, 1, 32, nullptr));
    target.Attach(CreateBitmap(2, 1, 1, 32, nullptr));
    source.Fill(s);
    target.Fill(d);
    HBRUSH brush = CreateSolidBrush(p);
    HGDIOBJ old = SelectObject(target.dc, brush);
    EXPECT_TRUE(BitBlt(target.dc, 0, 0, 1, 1, source.dc, 0, 0, c.rop)) << c.name;
    SelectObject(target.dc, old);
    DeleteObject(brush);
    EXPECT_EQ(target.At(0, 0), c.expected) << c.name;
    EXPECT_EQ(target.At(1, 0), D) << c.name;
  }
}

TEST_F(Blits, PatBltFillsWithTheBrushOrInverts) {
  Surface s;
  s.Attach(CreateBitmap(4, 1, 1, 16, nullptr));
  s.Fill(RGB(255, 0, 0));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  HGDIOBJ old = SelectObject(s.dc, brush);
  PatBlt(s.dc, 0, 0, 1, 1, PATCOPY);
  PatBlt(s.dc, 2, 0, -1, 1, DSTINVERT);  // negative sizes count backwards
  EXPECT_FALSE(PatBlt(s.dc, 0, 0, 1, 1, SRCCOPY)) << "a source operation needs BitBlt";
  SelectObject(s.dc, old);
  DeleteObject(brush);
  EXPECT_EQ(s.At(0, 0), 0x0000FFu);
  EXPECT_EQ(s.At(1, 0), 0x00FFFFu);
  EXPECT_EQ(s.At(2, 0), 0xFF0000u);
}

TEST_F(Blits, MonochromeTakesTheTextAndBackgroundColours) {
  // Mono to colour: 0 bits in the target's text colour, 1 bits in its
  // background colour.
  const uint8_t rows[2][2] = {{0xA0, 0}, {0x50, 0}};  // 1010 / 0101, rows padded to 16 bits
  Surface mono, colour;
  mono.Attach(CreateBitmap(4, 2, 1, 1, rows));
  colour.Attach(CreateBitmap(4, 2, 1, 32, nullptr));
  SetTextColor(colour.dc, RGB(255, 0, 0));
  SetBkColor(colour.dc, RGB(0, 255, 0));
  BitBlt(colour.dc, 0, 0, 4, 2, mono.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(colour.At(0, 0), 0x00FF00u);
  EXPECT_EQ(colour.At(1, 0), 0xFF0000u);
  EXPECT_EQ(colour.At(0, 1), 0xFF0000u);
  EXPECT_EQ(colour.At(1, 1), 0x00FF00u);
  // Colour to mono: 1 where the source has its DC's background colour.
  Surface back;
  back.Attach(CreateBitmap(4, 2, 1, 1, nullptr));
  SetBkColor(colour.dc, RGB(255, 0, 0));
  BitBlt(back.dc, 0, 0, 4, 2, colour.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(back.At(0, 0), 0x000000u);
  EXPECT_EQ(back.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(back.At(0, 1), 0xFFFFFFu);
}

TEST_F(Blits, OverlappingCopiesWithinOneBitmap) {
  Surface s;
  s.Attach(CreateBitmap(6, 3, 1, 16, nullptr));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 6; ++x) SetPixel(s.dc, x, y, RGB(x * 40, y * 80, 0));
  }
  std::vector<uint32_t> before = devtest::BitmapPixelsRgb(s.bitmap);
  BitBlt(s.dc, 1, 1, 5, 2, s.dc, 0, 0, SRCCOPY);
  for (int y = 1; y < 3; ++y) {
    for (int x = 1; x < 6; ++x) EXPECT_EQ(s.At(x, y), before[(y - 1) * 6 + (x - 1)]) << x << "," << y;
  }
  EXPECT_EQ(s.At(0, 1), before[6]);
}

TEST_F(Blits, SourceOutsideItsBitmapLeavesTheTargetAlone) {
  Surface source, target;
  source.Attach(CreateBitmap(2, 2, 1, 32, nullptr));
  target.Attach(CreateBitmap(4, 4, 1, 32, nullptr));
  source.Fill(RGB(255, 0, 0));
  target.Fill(RGB(0, 0, 255));
  BitBlt(target.dc, 0, 0, 4, 4, source.dc, -1, -1, SRCCOPY);
  EXPECT_EQ(target.At(0, 0), 0x0000FFu);
  EXPECT_EQ(target.At(1, 1), 0xFF0000u);
  EXPECT_EQ(target.At(2, 2), 0xFF0000u);
  EXPECT_EQ(target.At(3, 3), 0x0000FFu);
  // The source DC's viewport origin moves the source.
  SetViewportOrgEx(source.dc, 1, 0, nullptr);  // logical 0 is pixel 1
  target.Fill(RGB(0, 0, 255));
  BitBlt(target.dc, 0, 0, 4, 1, source.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(target.At(0, 0), 0xFF0000u);
  EXPECT_EQ(target.At(1, 0), 0x0000FFu);
}

TEST_F(Blits, StretchBltTakesTheNearestPixel) {
  Surface source, target;
  source.Attach(CreateBitmap(4, 2, 1, 32, nullptr));
  for (int x = 0; x < 4; ++x) {
    SetPixel(source.dc, x, 0, RGB(x * 80, 0, 0));
    SetPixel(source.dc, x, 1, RGB(0, x * 80, 0));
  }
  target.Attach(CreateBitmap(8, 4, 1, 32, nullptr));
  // Doubled: every source pixel twice in both directions.
  StretchBlt(target.dc, 0, 0, 8, 4, source.dc, 0, 0, 4, 2, SRCCOPY);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(target.At(x, 0), static_cast<uint32_t>((x / 2) * 80) << 16) << x;
    EXPECT_EQ(target.At(x, 1), static_cast<uint32_t>((x / 2) * 80) << 16) << x;
    EXPECT_EQ(target.At(x, 3), static_cast<uint32_t>((x / 2) * 80) << 8) << x;
  }
  // Halved: columns 0 and 2.
  target.Fill(RGB(0, 0, 255));
  StretchBlt(target.dc, 0, 0, 2, 1, source.dc, 0, 0, 4, 2, SRCCOPY);
  EXPECT_EQ(target.At(0, 0), 0x000000u);
  EXPECT_EQ(target.At(1, 0), 160u << 16);
  EXPECT_EQ(target.At(2, 0), 0x0000FFu);
  // A negative source width mirrors.
  StretchBlt(target.dc, 0, 2, 4, 1, source.dc, 3, 0, -4, 1, SRCCOPY);
  EXPECT_EQ(target.At(0, 2), 240u << 16);
  EXPECT_EQ(target.At(3, 2), 0x000000u);
}

TEST_F(Blits, TransparentImageLeavesTheKeyColourOut) {
  for (const char* kind : {"16", "32", "dib8"}) {
    Surface source, target;
    if (std::string(kind) == "dib8") {
      DibInfo info = DibHeader(3, -1, 8);
      info.header.biClrUsed = 3;
      info.table[0] = Quad(255, 0, 255);
      info.table[1] = Quad(0, 255, 0);
      info.table[2] = Quad(255, 0, 255);  // the key twice in the palette
      void* bits = nullptr;
      source.Attach(CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
      const uint8_t row[3] = {0, 1, 2};
      std::memcpy(bits, row, 3);
    } else {
      source.Attach(CreateBitmap(3, 1, 1, std::string(kind) == "16" ? 16 : 32, nullptr));
      SetPixel(source.dc, 0, 0, RGB(255, 0, 255));
      SetPixel(source.dc, 1, 0, RGB(0, 255, 0));
      SetPixel(source.dc, 2, 0, RGB(255, 0, 255));
    }
    target.Attach(CreateBitmap(6, 2, 1, 16, nullptr));
    target.Fill(RGB(0, 0, 255));
    ASSERT_TRUE(TransparentImage(target.dc, 0, 0, 3, 1, source.dc, 0, 0, 3, 1, RGB(255, 0, 255))) << kind;
    EXPECT_EQ(target.At(0, 0), 0x0000FFu) << kind;
    EXPECT_EQ(target.At(1, 0), 0x00FF00u) << kind;
    EXPECT_EQ(target.At(2, 0), 0x0000FFu) << kind;
    // Stretched, and from the bitmap handle instead of its DC.
    ASSERT_TRUE(TransparentImage(target.dc, 0, 1, 6, 1, source.bitmap, 0, 0, 3, 1, RGB(255, 0, 255))) << kind;
    EXPECT_EQ(target.At(1, 1), 0x0000FFu) << kind;
    EXPECT_EQ(target.At(2, 1), 0x00FF00u) << kind;
    EXPECT_EQ(target.At(3, 1), 0x00FF00u) << kind;
    EXPECT_EQ(target.At(4, 1), 0x0000FFu) << kind;
  }
}

TEST_F(Blits, ScrollDcMovesPixelsAndLeavesTheUncoveredStrip) {
  Surface s;
  s.Attach(CreateBitmap(8, 6, 1, 16, nullptr));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) SetPixel(s.dc, x, y, RGB(x * 32, y * 40, 0));
  }
  const std::vector<uint32_t> before = devtest::BitmapPixelsRgb(s.bitmap);
  auto was = [&](int x, int y) { return before[y * 8 + x]; };
  const RECT area{1, 1, 7, 5};
  RECT update;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_TRUE(ScrollDC(s.dc, 0, 2, &area, nullptr, region, &update));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 1 && x < 7 && y >= 1 && y < 5;
      // Rows 3 and 4 take rows 1 and 2; rows 1 and 2 (the strip) and
      // everything outside the rectangle stay.
      const uint32_t expected = inside && y >= 3 ? was(x, y - 2) : was(x, y);
      EXPECT_EQ(s.At(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(update.left, 1);
  EXPECT_EQ(update.top, 1);
  EXPECT_EQ(update.right, 7);
  EXPECT_EQ(update.bottom, 3);
  RECT box;
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_EQ(box.bottom, 3);
  DeleteObject(region);

  // Left by 2 within a clip rectangle: the strip is the clip's right edge.
  const std::vector<uint32_t> middle = devtest::BitmapPixelsRgb(s.bitmap);
  const RECT clip{0, 0, 6, 6};
  ASSERT_TRUE(ScrollDC(s.dc, -2, 0, nullptr, &clip, nullptr, &update));
  EXPECT_EQ(s.At(0, 2), middle[2 * 8 + 2]);
  EXPECT_EQ(s.At(3, 2), middle[2 * 8 + 5]);
  EXPECT_EQ(s.At(4, 2), middle[2 * 8 + 4]);
  EXPECT_EQ(s.At(6, 2), middle[2 * 8 + 6]);
  EXPECT_EQ(update.left, 4);
  EXPECT_EQ(update.right, 6);
  EXPECT_EQ(update.top, 0);
  EXPECT_EQ(update.bottom, 6);
}

}  // namespace
