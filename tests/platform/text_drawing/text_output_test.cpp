// ExtTextOutW pixel by pixel, in the built-in font at nine pixels where one
// design dot is one pixel: 'I' is three dots wide in a cell four pixels
// wide and ten high (one row of internal leading, baseline at row 8).
#include <set>
#include <vector>

#include "platform/gdi/bitmap_object.h"
#include "tests/platform/text_drawing/text_test_canvas.h"

namespace {

using texttest::Canvas;
using texttest::Font;
using texttest::InkBox;
using texttest::SelectedFont;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;

const std::vector<std::string> kLetterI = {
    "....", "###.", ".#..", ".#..", ".#..", ".#..", ".#..", "###.", "....", "....",
};

class TextOutput : public texttest::TextTest {
 protected:
  void Draw(int x, int y, const char16_t* text, UINT options = 0, const RECT* rect = nullptr,
            const int* spacing = nullptr) {
    UINT count = static_cast<UINT>(std::char_traits<char16_t>::length(text));
    EXPECT_TRUE(ExtTextOutW(canvas.dc, x, y, options, rect, text, count, spacing));
  }
  Canvas canvas;
  SelectedFont font{canvas.dc, Font(-9)};
};

TEST_F(TextOutput, TransparentTextLeavesTheCellAlone) {
  SetBkMode(canvas.dc, TRANSPARENT);
  Draw(10, 5, u"I");
  EXPECT_EQ(canvas.Picture(10, 5, 14, 15), kLetterI);
  EXPECT_EQ(canvas.Count(kBlack), 11);
}

TEST_F(TextOutput, OpaqueTextFillsItsCellsWithTheBackgroundColour) {
  SetBkMode(canvas.dc, OPAQUE);
  SetBkColor(canvas.dc, RGB(255, 0, 0));
  Draw(10, 5, u"II");
  InkBox box = canvas.Ink();
  EXPECT_EQ(std::vector<int>({box.left, box.top, box.right, box.bottom}), std::vector<int>({10, 5, 18, 15}));
  EXPECT_EQ(canvas.Count(kRed), 80 - 22);
  EXPECT_EQ(canvas.Picture(14, 5, 18, 15, kBlack, kRed), kLetterI);
}

TEST_F(TextOutput, OpaqueOptionFillsTheRectangleAndClippedOptionCutsTheText) {
  SetBkMode(canvas.dc, TRANSPARENT);
  SetBkColor(canvas.dc, RGB(0, 255, 0));
  RECT fill{0, 0, 30, 20};
  Draw(10, 5, u"I", ETO_OPAQUE, &fill);
  EXPECT_EQ(canvas.Count(kGreen), 600 - 11);
  EXPECT_EQ(canvas.Count(kBlack), 11);

  canvas.Clear();
  RECT clip{10, 5, 12, 40};
  Draw(10, 5, u"I", ETO_CLIPPED, &clip);
  EXPECT_EQ(canvas.Count(kBlack), 9);  // only the first two columns
  EXPECT_EQ(canvas.Ink().right, 12);

  canvas.Clear();
  SetBkMode(canvas.dc, OPAQUE);
  Draw(10, 5, u"I", ETO_CLIPPED, &clip);  // the cell fill is clipped as well
  EXPECT_EQ(canvas.Count(kGreen), 20 - 9);
  EXPECT_EQ(canvas.Ink().right, 12);
}

TEST_F(TextOutput, ViewportOriginAndClipApply) {
  SetBkMode(canvas.dc, TRANSPARENT);
  SetViewportOrgEx(canvas.dc, 20, 30, nullptr);
  Draw(0, 0, u"I");
  EXPECT_EQ(canvas.Picture(20, 30, 24, 40), kLetterI);

  canvas.Clear();
  IntersectClipRect(canvas.dc, 0, 0, 100, 4);  // logical rows 0-3: target rows 30-33
  Draw(0, 0, u"I");
  InkBox box = canvas.Ink();
  EXPECT_EQ(box.top, 31);
  EXPECT_EQ(box.bottom, 34);
}

TEST_F(TextOutput, TextIgnoresTheRasterOperation) {
  SetBkMode(canvas.dc, TRANSPARENT);
  SetROP2(canvas.dc, R2_NOT);
  SetTextColor(canvas.dc, RGB(255, 0, 0));
  Draw(10, 5, u"I");
  Draw(10, 5, u"I");  // twice: still red, not inverted back
  EXPECT_EQ(canvas.Picture(10, 5, 14, 15, kRed), kLetterI);
}

TEST_F(TextOutput, SpacingPlacesEachCharacter) {
  SetBkMode(canvas.dc, TRANSPARENT);
  const int spacing[] = {10, 10};
  Draw(10, 5, u"II", 0, nullptr, spacing);
  EXPECT_EQ(canvas.Picture(10, 5, 14, 15), kLetterI);
  EXPECT_EQ(canvas.Picture(20, 5, 24, 15), kLetterI);
  EXPECT_EQ(canvas.Count(kBlack), 22);
}

TEST_F(TextOutput, UnderlineAndStrikeOutRunUnderTheWholeText) {
  LOGFONTW decorated = Font(-9);
  decorated.lfUnderline = 1;
  decorated.lfStrikeOut = 1;
  SelectedFont lines(canvas.dc, decorated);
  SetBkMode(canvas.dc, TRANSPARENT);
  Draw(10, 5, u"I I");  // 4 + 4 + 4 pixels
  std::vector<std::string> picture = canvas.Picture(10, 5, 22, 15);
  EXPECT_EQ(picture[6], "############") << "strike-out: row 6 of the cell";
  EXPECT_EQ(picture[8], "############") << "underline: row 8, under the baseline";
  EXPECT_EQ(picture[7], "###.....###.");
}

TEST_F(TextOutput, AlignmentAndTheCurrentPosition) {
  SetBkMode(canvas.dc, TRANSPARENT);
  EXPECT_EQ(SetTextAlign(canvas.dc, TA_RIGHT | TA_BASELINE), TA_LEFT | TA_TOP);
  Draw(40, 20, u"I");
  EXPECT_EQ(canvas.Picture(36, 12, 40, 22), kLetterI);

  canvas.Clear();
  SetTextAlign(canvas.dc, TA_CENTER | TA_BOTTOM);
  Draw(40, 20, u"II");  // 8 wide: left at 36; 10 high: top at 10
  EXPECT_EQ(canvas.Picture(36, 10, 40, 20), kLetterI);
  EXPECT_EQ(canvas.Picture(40, 10, 44, 20), kLetterI);

  canvas.Clear();
  SetTextAlign(canvas.dc, TA_UPDATECP);
  MoveToEx(canvas.dc, 50, 0, nullptr);
  Draw(0, 0, u"I");
  Draw(0, 0, u"I");
  EXPECT_EQ(canvas.Picture(50, 0, 54, 10), kLetterI);
  EXPECT_EQ(canvas.Picture(54, 0, 58, 10), kLetterI);
  POINT where{};
  MoveToEx(canvas.dc, 0, 0, &where);
  EXPECT_EQ(where.x, 58);
  EXPECT_EQ(SetTextAlign(nullptr, 0), GDI_ERROR);
}

TEST_F(TextOutput, EmptyAndBadCalls) {
  SetBkColor(canvas.dc, RGB(0, 255, 0));
  RECT fill{0, 0, 10, 10};
  EXPECT_TRUE(ExtTextOutW(canvas.dc, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr));  // a plain fill
  EXPECT_EQ(canvas.Count(kGreen), 100);
  EXPECT_FALSE(ExtTextOutW(canvas.dc, 0, 0, 0, nullptr, nullptr, 3, nullptr));
  EXPECT_FALSE(ExtTextOutW(nullptr, 0, 0, 0, nullptr, u"I", 1, nullptr));
}

TEST_F(TextOutput, DrawingIsJournalled) {
  devtest::SetGdiJournal(true);
  Draw(3, 4, u"Hi \"you\"", ETO_CLIPPED, nullptr);
  std::vector<std::string> journal = devtest::GdiJournal();
  EXPECT_NE(std::find(journal.begin(), journal.end(), "ExtTextOutW(3,4,4,\"Hi \\\"you\\\"\")"), journal.end());
}

TEST_F(TextOutput, PalettisedTargetsGetPaletteColours) {
  Canvas eight(60, 30, 8);
  SetBkMode(eight.dc, TRANSPARENT);
  SetTextColor(eight.dc, RGB(255, 0, 0));
  {
    SelectedFont solid(eight.dc, Font(-9));
    ExtTextOutW(eight.dc, 2, 2, 0, nullptr, u"I", 1, nullptr);
  }
  EXPECT_EQ(eight.Picture(2, 2, 6, 12, kRed), kLetterI);

  // Smoothed glyph edges on an 8-bit target come out as palette colours.
  devtest::UseFontEngine(fonts::EngineKind::FreeType);
  std::set<uint32_t> palette;
  for (int i = 0; i < 256; ++i) {
    const RGBQUAD& q = DefaultPalette()[i];
    palette.insert(static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue);
  }
  eight.Clear();
  SetTextColor(eight.dc, RGB(0, 0, 128));
  SelectedFont smooth(eight.dc, Font(-16));
  ExtTextOutW(eight.dc, 2, 2, 0, nullptr, u"Bag", 3, nullptr);
  EXPECT_FALSE(eight.Ink().empty);
  for (int y = 0; y < eight.height(); ++y)
    for (int x = 0; x < eight.width(); ++x) EXPECT_EQ(palette.count(eight.Pixel(x, y)), 1u) << x << "," << y;
}

TEST_F(TextOutput, FreeTypeTextIsBlendedIntoTheTarget) {
  devtest::UseFontEngine(fonts::EngineKind::FreeType);
  SelectedFont smooth(canvas.dc, Font(-16));
  SetBkMode(canvas.dc, TRANSPARENT);
  ExtTextOutW(canvas.dc, 2, 2, 0, nullptr, u"Bag", 3, nullptr);
  int solid = canvas.Count(kBlack);
  InkBox box = canvas.Ink();
  int inked = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) inked += canvas.Pixel(x, y) != texttest::kWhite;
  EXPECT_GT(solid, 10);
  EXPECT_GT(inked - solid, 10) << "grey edge pixels";
  SIZE size{};
  GetTextExtentPoint32W(canvas.dc, u"Bag", 3, &size);
  EXPECT_LE(box.right, 2 + size.cx + 1);
  EXPECT_LE(box.bottom, 2 + size.cy);
}

}  // namespace
