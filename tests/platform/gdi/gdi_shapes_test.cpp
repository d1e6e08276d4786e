// Shapes on a memory bitmap against pixel tables: the device's edge rules
// (right and bottom edges excluded, the null-pen shape one pixel smaller,
// lines without their last point), R2_NOT as a true inversion that restores
// every pixel when drawn twice, and clipping with a viewport origin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A white 32-bit bitmap in a memory DC; pixels read back as letters.
class Canvas : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetGdi();
    Make(12, 8, 32);
  }
  void TearDown() override { Release(); }

  void Make(int width, int height, int bits) {
    Release();
    width_ = width;
    height_ = height;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateBitmap(width, height, 1, bits, nullptr);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  void Release() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
  }
  static char Letter(uint32_t rgb) {
    switch (rgb) {
      case 0xFFFFFF: return '.';
      case 0x000000: return '#';
      case 0xFF0000: return 'r';
      case 0x0000FF: return 'b';
      case 0x00FF00: return 'g';
      case 0xFFFF00: return 'y';
      case 0x00FFFF: return 'c';
      default: return '?';
    }
  }
  std::vector<std::string> Pixels() const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) row += Letter(devtest::BitmapPixelRgb(bitmap_, x, y));
      rows.push_back(row);
    }
    return rows;
  }
  std::vector<uint32_t> Raw() const { return devtest::BitmapPixelsRgb(bitmap_); }
  // Selects a pen and a brush made for the test (null colour = null pen or
  // brush); both are deleted at the end of the test.
  void Use(int penStyle, COLORREF pen, bool brush, COLORREF fill = kBlue) {
    HPEN p = CreatePen(penStyle, 1, pen);
    HBRUSH b = brush ? CreateSolidBrush(fill) : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    DeleteObject(SelectObject(dc_, p));
    if (brush) DeleteObject(SelectObject(dc_, b));
    else DeleteObject(SelectObject(dc_, b));
  }
  void Restore() {
    DeleteObject(SelectObject(dc_, GetStockObject(BLACK_PEN)));
    DeleteObject(SelectObject(dc_, GetStockObject(WHITE_BRUSH)));
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int width_ = 0, height_ = 0;
};

TEST_F(Canvas, RectangleExcludesRightAndBottomOutlineInPenInsideInBrush) {
  Use(PS_SOLID, kRed, true, kBlue);
  Rectangle(dc_, 1, 1, 6, 5);
  Restore();
  EXPECT_EQ(Pixels(), (std::vector<std::string>{
                          "............",
                          ".rrrrr......",
                          ".rbbbr......",
                          ".rbbbr......",
                          ".rrrrr......",
                          "............",
                          "............",
                          "............",
                      }));
}

TEST_F(Canvas, NullPenShapesComeOutOnePixelSmaller) {
  Use(PS_NULL, 0, true, kBlue);
  Rectangle(dc_, 1, 1, 6, 5);
  Ellipse(dc_, 6, 0, 12, 7);
  Restore();
  // The same ellipse with a pen covers 6..11 x 0..6; without one the brush
  // alone fills the box 6..10 x 0..5.
  EXPECT_EQ(Pixels(), (std::vector<std::string>{
                          ".......bbb..",
                          ".bbbb.bbbbb.",
                          ".bbbb.bbbbb.",
                          ".bbbb.bbbbb.",
                          "......bbbbb.",
                          ".......bbb..",
                          "............",
                          "............",
                      }));
}

TEST_F(Canvas, RectangleWithCornersSwappedIsTheSame) {
  Use(PS_SOLID, kRed, true, kBlue);
  Rectangle(dc_, 6, 5, 1, 1);
  Restore();
  EXPECT_EQ(Pixels()[1], ".rrrrr......");
  EXPECT_EQ(Pixels()[4], ".rrrrr......");
  EXPECT_EQ(Pixels()[5], "............");
}

TEST_F(Canvas, LinesLeaveOutTheirLastPoint) {
  struct Case {
    POINT from, to;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {{1, 1}, {5, 1}, {"............", ".####.......", "............"}},
      {{5, 1}, {1, 1}, {"............", "..####......", "............"}},
      {{1, 0}, {1, 2}, {".#..........", ".#..........", "............"}},
      {{0, 0}, {3, 3}, {"#...........", ".#..........", "..#........."}},
      {{2, 2}, {2, 2}, {"............", "............", "............"}},
  };
  for (const Case& c : cases) {
    Make(12, 3, 32);
    MoveToEx(dc_, c.from.x, c.from.y, nullptr);
    LineTo(dc_, c.to.x, c.to.y);
    EXPECT_EQ(Pixels(), c.expected) << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
    POINT at;
    MoveToEx(dc_, 0, 0, &at);
    EXPECT_EQ(at.x, c.to.x);
    EXPECT_EQ(at.y, c.to.y);
  }
}

TEST_F(Canvas, PolylineLeavesOutOnlyItsLastPoint) {
  // The outline rectangle of the drawing surface: five points, closed, so
  // every pixel of x..x+w-1, y..y+h-1's border is drawn exactly once.
  const POINT points[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}};
  Polyline(dc_, points, 5);
  const POINT open[] = {{7, 1}, {10, 1}, {10, 4}};
  Polyline(dc_, open, 3);
  EXPECT_EQ(Pixels(), (std::vector<std::string>{
                          "............",
                          ".#####.####.",
                          ".#...#....#.",
                          ".#...#....#.",
                          ".#####......",
                          "............",
                          "............",
                          "............",
                      }));
}

TEST_F(Canvas, EllipseAndRoundRectStayInsideTheirBox) {
  Use(PS_SOLID, kRed, true, kBlue);
  Ellipse(dc_, 0, 0, 6, 6);
  RoundRect(dc_, 6, 0, 12, 8, 4, 4);
  Restore();
  EXPECT_EQ(Pixels(), (std::vector<std::string>{
                          ".rrrr..rrrr.",
                          "rbbbbrrbbbbr",
                          "rbbbbrrbbbbr",
                          "rbbbbrrbbbbr",
                          "rbbbbrrbbbbr",
                          ".rrrr.rbbbbr",
                          "......rbbbbr",
                          ".......rrrr.",
                      }));
}

TEST_F(Canvas, NotModeInvertsWhateverThePenColour) {
  // A black pen and brush in R2_NOT mode still show: the destination is
  // inverted, the pen's colour plays no part.
  RECT half{0, 0, 6, 8};
  HBRUSH red = CreateSolidBrush(kRed);
  FillRect(dc_, &half, red);
  DeleteObject(red);
  Use(PS_SOLID, kBlack, true, kBlack);
  SetROP2(dc_, R2_NOT);
  Rectangle(dc_, 4, 2, 8, 4);
  Restore();
  EXPECT_EQ(Pixels()[2], "rrrrcc##....");
  EXPECT_EQ(Pixels()[3], "rrrrcc##....");
}

TEST_F(Canvas, EveryShapeDrawnTwiceInNotModeRestoresThePixels) {
  // A busy background, so an inversion that touches a pixel twice, or
  // misses one, shows.
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) SetPixel(dc_, x, y, RGB(x * 20, y * 30, (x * y) & 0xFF));
  }
  const std::vector<uint32_t> before = Raw();
  auto twice = [&](const char* name, auto draw) {
    draw();
    EXPECT_NE(Raw(), before) << name << " drew nothing";
    draw();
    EXPECT_EQ(Raw(), before) << name;
  };
  SetROP2(dc_, R2_NOT);
  Use(PS_SOLID, kBlack, true, kBlack);
  twice("Rectangle", [&] { Rectangle(dc_, 1, 1, 9, 7); });
  twice("Ellipse", [&] { Ellipse(dc_, 0, 0, 11, 8); });
  twice("RoundRect", [&] { RoundRect(dc_, 1, 0, 12, 8, 6, 4); });
  const POINT path[] = {{0, 0}, {11, 7}, {0, 7}, {11, 0}, {0, 0}};
  twice("Polyline", [&] { Polyline(dc_, path, 5); });
  Use(PS_NULL, 0, true, kBlack);
  twice("Rectangle without pen", [&] { Rectangle(dc_, 2, 2, 10, 6); });
  Use(PS_SOLID, kBlack, false);
  twice("Rectangle without brush", [&] { Rectangle(dc_, 2, 2, 10, 6); });
  SetROP2(dc_, R2_XORPEN);
  Use(PS_SOLID, kRed, true, kBlue);
  twice("Rectangle in R2_XORPEN", [&] { Rectangle(dc_, 0, 0, 12, 8); });
  SetROP2(dc_, R2_COPYPEN);
  twice("DrawFocusRect", [&] {
    RECT r{1, 1, 11, 7};
    DrawFocusRect(dc_, &r);
  });
  Restore();
}

TEST_F(Canvas, NotModeInvertsPaletteIndicesAndFiveSixFiveWords) {
  for (int bits : {8, 16}) {
    Make(4, 2, bits);
    SetPixel(dc_, 0, 0, kRed);
    const std::vector<uint32_t> before = Raw();
    SetROP2(dc_, R2_NOT);
    Use(PS_NULL, 0, true, kBlack);
    Rectangle(dc_, 0, 0, 5, 3);
    const std::vector<uint32_t> inverted = Raw();
    Rectangle(dc_, 0, 0, 5, 3);
    Restore();
    EXPECT_EQ(Raw(), before) << bits;
    EXPECT_NE(inverted[0], before[0]) << bits;
    if (bits == 16) {
      EXPECT_EQ(inverted[0], 0x00FFFFu) << "red 0xF800 inverts to 0x07FF";
      EXPECT_EQ(inverted[1], 0x000000u);
    }
  }
}

TEST_F(Canvas, ClipFollowsTheViewportOriginAtTheTimeItWasSet) {
  SetViewportOrgEx(dc_, 2, 1, nullptr);
  // Logical (1,1)-(4,4) is device (3,2)-(6,5).
  IntersectClipRect(dc_, 1, 1, 4, 4);
  SetViewportOrgEx(dc_, 3, 1, nullptr);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RECT everything{-10, -10, 20, 20};
  FillRect(dc_, &everything, black);
  EXPECT_EQ(Pixels(), (std::vector<std::string>{
                          "............",
                          "............",
                          "...###......",
                          "...###......",
                          "...###......",
                          "............",
                          "............",
                          "............",
                      }));
  // Drawing lands at the viewport origin, cut by that clip.
  SelectClipRgn(dc_, nullptr);
  RECT box{-10, -10, 20, 20};
  FillRect(dc_, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  IntersectClipRect(dc_, 0, 0, 4, 3);
  Use(PS_SOLID, kRed, false);
  Rectangle(dc_, 1, 1, 6, 5);  // device (4,2)-(9,6), clip device (3,1)-(7,4)
  Restore();
  EXPECT_EQ(Pixels(), (std::vector<std::string>{
                          "............",
                          "............",
                          "....rrr.....",
                          "....r.......",
                          "............",
                          "............",
                          "............",
                          "............",
                      }));
  POINT origin;
  GetViewportOrgEx(dc_, &origin);
  EXPECT_EQ(origin.x, 3);
  RECT clipBox;
  EXPECT_EQ(GetClipBox(dc_, &clipBox), SIMPLEREGION);
  EXPECT_EQ(clipBox.left, 0);
  EXPECT_EQ(clipBox.right, 4);
  EXPECT_EQ(clipBox.bottom, 3);
}

TEST_F(Canvas, ExcludedAndRegionClips) {
  IntersectClipRect(dc_, 1, 1, 7, 4);
  EXPECT_EQ(ExcludeClipRect(dc_, 3, 2, 5, 3), COMPLEXREGION);
  RECT all{0, 0, 12, 8};
  FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(Pixels()[0], "............");
  EXPECT_EQ(Pixels()[1], ".######.....");
  EXPECT_EQ(Pixels()[2], ".##..##.....");
  EXPECT_EQ(Pixels()[3], ".######.....");
  EXPECT_EQ(Pixels()[4], "............");

  HRGN region = CreateRectRgn(8, 5, 10, 7);
  EXPECT_EQ(SelectClipRgn(dc_, region), SIMPLEREGION);
  HBRUSH red = CreateSolidBrush(kRed);
  FillRect(dc_, &all, red);
  EXPECT_EQ(Pixels()[5], "........rr..");
  EXPECT_EQ(Pixels()[1], ".######.....");
  // The DC keeps its own copy: the region can go at once.
  EXPECT_TRUE(DeleteObject(region));
  EXPECT_EQ(SelectClipRgn(dc_, nullptr), SIMPLEREGION);
  FillRect(dc_, &all, red);
  EXPECT_EQ(Pixels()[0], "rrrrrrrrrrrr");
  DeleteObject(red);
}

TEST_F(Canvas, PixelsOutsideTheClipOrBitmapAreInvalid) {
  IntersectClipRect(dc_, 0, 0, 2, 2);
  EXPECT_EQ(SetPixel(dc_, 1, 1, kRed), kRed);
  EXPECT_EQ(GetPixel(dc_, 1, 1), kRed);
  EXPECT_EQ(SetPixel(dc_, 2, 2, kRed), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc_, 5, 5), CLR_INVALID);
  SelectClipRgn(dc_, nullptr);
  EXPECT_EQ(GetPixel(dc_, 12, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc_, -1, 0), CLR_INVALID);
  // A 16-bit pixel answers the colour it can hold.
  Make(2, 2, 16);
  EXPECT_EQ(SetPixel(dc_, 0, 0, RGB(13, 77, 250)), RGB(8, 77, 255));
}

TEST_F(Canvas, DrawingThroughANullOrDeadDcDoesNothing) {
  EXPECT_FALSE(Rectangle(nullptr, 0, 0, 4, 4));
  EXPECT_FALSE(LineTo(nullptr, 3, 3));
  EXPECT_EQ(SetPixel(nullptr, 0, 0, kRed), CLR_INVALID);
  HDC dead = CreateCompatibleDC(nullptr);
  DeleteDC(dead);
  EXPECT_FALSE(Rectangle(dead, 0, 0, 4, 4));
  EXPECT_FALSE(DeleteDC(dead));
}

TEST_F(Canvas, FillRectTakesSystemColourIndicesAndIgnoresTheRop) {
  SetROP2(dc_, R2_NOT);
  RECT r{0, 0, 3, 1};
  devtest::SetSysColorForTest(COLOR_HIGHLIGHT, kRed);
  FillRect(dc_, &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_HIGHLIGHT + 1)));
  FillRect(dc_, &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_HIGHLIGHT + 1)));
  EXPECT_EQ(Pixels()[0], "rrr.........");
  HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
  LOGBRUSH description;
  ASSERT_EQ(GetObjectW(brush, sizeof description, &description), static_cast<int>(sizeof description));
  EXPECT_EQ(description.lbColor, kRed);
}

TEST_F(Canvas, DrawEdgeRaisedAndSunken) {
  devtest::SetSysColorForTest(COLOR_3DLIGHT, RGB(0, 255, 255));
  devtest::SetSysColorForTest(COLOR_3DHIGHLIGHT, kWhite);
  devtest::SetSysColorForTest(COLOR_3DSHADOW, kBlue);
  devtest::SetSysColorForTest(COLOR_3DDKSHADOW, kBlack);
  devtest::SetSysColorForTest(COLOR_BTNFACE, RGB(255, 255, 0));
  RECT raised{0, 0, 6, 6};
  DrawEdge(dc_, &raised, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  EXPECT_EQ(raised.left, 2);
  EXPECT_EQ(raised.bottom, 4);
  RECT sunken{6, 0, 12, 4};
  DrawEdge(dc_, &sunken, BDR_SUNKENOUTER, BF_RECT);
  // Raised: light and dark outside, white and shadow inside, the face in
  // the middle; the right and bottom sides own their corners.
  EXPECT_EQ(Pixels(), (std::vector<std::string>{
                          "ccccc#bbbbb.",
                          "c...b#b.....",
                          "c.yyb#b.....",
                          "c.yyb#......",
                          "cbbbb#......",
                          "######......",
                          "............",
                          "............",
                      }));
}

TEST_F(Canvas, WidePensDrawSquaresAlongTheLine) {
  HPEN wide = CreatePen(PS_SOLID, 3, kBlack);
  HGDIOBJ old = SelectObject(dc_, wide);
  MoveToEx(dc_, 2, 3, nullptr);
  LineTo(dc_, 6, 3);
  SelectObject(dc_, old);
  DeleteObject(wide);
  EXPECT_EQ(Pixels()[1], "............");
  // Points 2..5 (the last one left out), each a 3x3 square.
  EXPECT_EQ(Pixels()[2], ".######.....");
  EXPECT_EQ(Pixels()[3], ".######.....");
  EXPECT_EQ(Pixels()[4], ".######.....");
  EXPECT_EQ(Pixels()[5], "............");
}

}  // namespace
