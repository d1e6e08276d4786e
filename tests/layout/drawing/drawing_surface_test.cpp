// The drawing surface: lazily made pens, brushes and fonts, nested passes
// that give the DC back once, the font cache, raised and lowered text,
// inverting rectangles by platform version, line end points and font
// failures, checked through the platform's journal, object counts and
// pixels.
#include <gtest/gtest.h>

#include "platform/testing/fonts.h"
#include "platform/testing/profile.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace {

using surfacetest::SurfaceTest;

constexpr Color kRed = Color::FromRgb(255, 0, 0);
constexpr Color kBlue = Color::FromRgb(0, 0, 255);

TEST_F(SurfaceTest, RepeatedColoursMakeNoNewObjects) {
  surface.BeginDraw(false);
  int pens = devtest::CreatedGdiObjects(GdiKind::Pen);
  int brushes = devtest::CreatedGdiObjects(GdiKind::Brush);
  surface.SetPenColor(kRed);
  surface.SetFillColor(kBlue);
  surface.DrawRect(Rect{1, 1, 5, 5}, true);
  surface.SetPenColor(kRed);
  surface.SetFillColor(kBlue);
  surface.DrawRect(Rect{10, 1, 5, 5}, true);
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Pen), pens + 1);
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Brush), brushes + 1);

  surface.SetPenColor(kBlue);  // made again at the next shape only
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Pen), pens + 1);
  surface.DrawLine(Point{0, 20}, Point{5, 20});
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Pen), pens + 2);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Pen), 1);  // the old one deleted
  surface.EndDraw();
}

TEST_F(SurfaceTest, NestedPassesGiveTheDcBackOnce) {
  EXPECT_EQ(surface.CurrentDC(), nullptr);
  surface.BeginDraw(false);
  HDC dc = surface.CurrentDC();
  ASSERT_NE(dc, nullptr);
  surface.BeginDraw(false);
  EXPECT_EQ(surface.CurrentDC(), dc);
  surface.SetPenColor(kRed);
  surface.SetFillColor(kRed);
  surface.SetFontSpec(1, 12);
  surface.DrawRect(Rect{0, 0, 4, 4}, true);
  surface.DrawText(u"ab", 2, Point{0, 10});
  EXPECT_FALSE(surface.EndDraw());  // nested: nothing released
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Pen), 1);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Brush), 1);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 1);
  EXPECT_TRUE(surface.EndDraw());
  EXPECT_EQ(surface.CurrentDC(), nullptr);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Pen), 0);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Brush), 0);
  // GetDC and ReleaseDC balanced; the cached font stays for the next pass.
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 0);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Font), 1);

  // The next pass applies its colours again.
  devtest::SetGdiJournal(true);
  surface.BeginDraw(false);
  surface.SetFillColor(kRed);
  surface.EndDraw();
  EXPECT_EQ(devtest::GdiJournalCount("SetBkColor"), 1);
}

TEST_F(SurfaceTest, NoRedrawCountsOnlyForTheOutermostPass) {
  class CountingDisplay : public SurfaceDisplayLink {
   public:
    void SelectDrawTarget(DrawingSurface*, bool) override {}
    void Redraw() override { ++redraws; }
    void InvalidateScreen(const Rect*, bool) override {}
    bool IsOrientationActive() const override { return false; }
    uint8_t RotationCode() const override { return 0; }
    void GetOrientationTransform(Transform* out) const override { out->SetIdentity(); }
    void TransformRect(Rect*) const override {}
    Point MapWindowPoint(Point p) const override { return p; }
    bool HandleKey(const CommandEvent&) override { return false; }
    void RedrawScreen() override {}
    void UpdateDisplayMode() override {}
    bool HandleDisplayCommand(int32_t) override { return false; }
    MemoryBitmap* OffscreenImage(Transform*) override { return nullptr; }
    int redraws = 0;
  } display;
  surface.SetDisplayManager(&display);
  surface.BeginDraw(true);
  surface.EndDraw();
  EXPECT_EQ(display.redraws, 0);
  surface.BeginDraw(false);
  surface.BeginDraw(true);
  surface.EndDraw();
  surface.EndDraw();
  EXPECT_EQ(display.redraws, 1);
  surface.SetDisplayManager(nullptr);
}

TEST_F(SurfaceTest, FontCacheEvictsTheLeastRecentlyUsed) {
  surface.BeginDraw(false);
  int made = devtest::CreatedGdiObjects(GdiKind::Font);
  for (int8_t size = 10; size < 15; ++size) EXPECT_NE(surface.GetCachedFont(FontSpec{size, 0, 1}), nullptr);
  // Touch the first, so the second is now the oldest.
  surface.GetCachedFont(FontSpec{10, 0, 1});
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Font), made + 5);
  surface.GetCachedFont(FontSpec{20, 0, 1});
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Font), made + 6);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Font), 5);
  surface.GetCachedFont(FontSpec{10, 0, 1});  // still cached
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Font), made + 6);
  surface.GetCachedFont(FontSpec{11, 0, 1});  // evicted: made again
  EXPECT_EQ(devtest::CreatedGdiObjects(GdiKind::Font), made + 7);
  surface.EndDraw();
  surface.FlushFontCache(0);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Font), 0);
}

TEST_F(SurfaceTest, RaisedAndLoweredTextMoveTheBaseline) {
  surface.BeginDraw(false);
  surface.SetFont(FontSpec{12, 0x30, 1});
  int32_t ascent = surface.GetAscent();
  int32_t descent = surface.GetDescent();
  EXPECT_EQ(surface.BaselineShift(), 0);
  surface.SetFont(FontSpec{12, 0x60, 1});
  EXPECT_EQ(surface.GetAscent(), ascent + 4);
  EXPECT_EQ(surface.GetDescent(), descent - 4);
  EXPECT_EQ(surface.BaselineShift(), -4);
  surface.SetFont(FontSpec{12, 0x70, 1});
  EXPECT_EQ(surface.GetAscent(), ascent - 4);
  EXPECT_EQ(surface.GetDescent(), descent + 4);
  surface.EndDraw();
}

TEST_F(SurfaceTest, XorRectanglesGrowOnlyOnOldPlatforms) {
  struct Case {
    DWORD major;
    DWORD minor;
    const char* rectangle;
    const char* roundRect;
  };
  const Case cases[] = {
      {4, 21, "Rectangle(9,19,16,26)", "Rectangle(9,19,16,26)"},
      {5, 1, "Rectangle(10,20,15,25)", "Rectangle(9,19,16,26)"},
  };
  for (const Case& c : cases) {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.osMajorVersion = c.major;
    profile.osMinorVersion = c.minor;
    devtest::SetProfile(profile);
    ResetSurfacePlatformVersion();
    devtest::SetGdiJournal(true);
    devtest::ClearGdiJournal();
    surface.BeginDraw(false);
    surface.SetXorMode(1);
    surface.DrawRect(Rect{10, 20, 5, 5}, true);
    surface.DrawRoundRect(Rect{10, 20, 5, 5}, 2);
    surface.SetXorMode(0);
    surface.EndDraw();
    std::vector<std::string> rectangles;
    for (const std::string& line : devtest::GdiJournal()) {
      if (line.rfind("Rectangle(", 0) == 0) rectangles.push_back(line);
    }
    ASSERT_EQ(rectangles.size(), 2u) << c.major;
    EXPECT_EQ(rectangles[0], c.rectangle) << c.major;
    EXPECT_EQ(rectangles[1], c.roundRect) << c.major;
    EXPECT_EQ(devtest::GdiJournalCount("SetROP2"), 2);
  }
}

TEST_F(SurfaceTest, LinesIncludeTheirEndAndOutlinesCoverTheirPixels) {
  Clear();
  surface.BeginDraw(false);
  surface.SetPenColor(Color::FromRgb(0, 0, 0));
  surface.DrawLine(Point{10, 10}, Point{20, 10});
  surface.DrawRect(Rect{30, 30, 6, 4}, false);
  surface.EndDraw();
  EXPECT_EQ(Pixel(10, 10), 0u);
  EXPECT_EQ(Pixel(20, 10), 0u);  // the end pixel
  EXPECT_EQ(Pixel(21, 10), 0xFFFFFFu);
  for (int x = 30; x <= 35; ++x) {
    EXPECT_EQ(Pixel(x, 30), 0u) << x;
    EXPECT_EQ(Pixel(x, 33), 0u) << x;
  }
  for (int y = 30; y <= 33; ++y) {
    EXPECT_EQ(Pixel(30, y), 0u) << y;
    EXPECT_EQ(Pixel(35, y), 0u) << y;
  }
  EXPECT_EQ(Pixel(36, 30), 0xFFFFFFu);
  EXPECT_EQ(Pixel(30, 34), 0xFFFFFFu);
  EXPECT_EQ(Pixel(31, 31), 0xFFFFFFu);
}

TEST_F(SurfaceTest, FontFailuresFallBackWithoutACrash) {
  surface.BeginDraw(false);
  for (int8_t size = 10; size < 15; ++size) surface.GetCachedFont(FontSpec{size, 0, 1});
  // One failure: the oldest cached font is given up and the retry works.
  devtest::FailGdiCreation(devtest::GdiFailure::Fonts, 1, false);
  EXPECT_NE(surface.GetCachedFont(FontSpec{30, 0, 1}), nullptr);
  EXPECT_LE(devtest::LiveGdiObjects(GdiKind::Font), 5);
  // Every creation fails: the cache empties and text still goes out.
  devtest::FailGdiCreation(devtest::GdiFailure::Fonts, 1, true);
  EXPECT_EQ(surface.GetCachedFont(FontSpec{31, 0, 1}), nullptr);
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Font), 0);
  surface.SetFontSpec(1, 40);
  surface.DrawText(u"still here", 10, Point{0, 0});
  Size size;
  surface.MeasureText(u"x", 1, &size);
  surface.EndDraw();
}

TEST_F(SurfaceTest, UnknownAndBitmapFontIdentifiersUseIdentifierOne) {
  fonts.Set(9, 1, u"\\fonts\\small.clf");
  devtest::SetGdiJournal(true);
  surface.BeginDraw(false);
  surface.SetFontSpec(200, 12);  // no entry
  surface.DrawText(u"a", 1, Point{0, 0});
  surface.SetFontSpec(9, 13);  // a bitmap font file
  surface.DrawText(u"b", 1, Point{0, 0});
  surface.EndDraw();
  std::vector<std::string> made;
  for (const std::string& line : devtest::GdiJournal()) {
    if (line.rfind("CreateFontIndirectW(", 0) == 0) made.push_back(line);
  }
  ASSERT_EQ(made.size(), 2u);
  EXPECT_NE(made[0].find("Tahoma"), std::string::npos) << made[0];
  EXPECT_NE(made[1].find("Tahoma"), std::string::npos) << made[1];
}

TEST_F(SurfaceTest, FontHeightScalesByWholeStepsAboveNinetySixDpi) {
  struct Case {
    int dpi;
    const char* height;
  };
  for (const Case& c : {Case{96, "(12,"}, Case{130, "(12,"}, Case{192, "(24,"}}) {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.dpi = c.dpi;
    devtest::SetProfile(profile);
    devtest::SetGdiJournal(true);
    devtest::ClearGdiJournal();
    surface.FlushFontCache(0);
    surface.BeginDraw(false);
    surface.GetCachedFont(FontSpec{12, 0, 1});
    surface.EndDraw();
    std::string line;
    for (const std::string& l : devtest::GdiJournal()) {
      if (l.rfind("CreateFontIndirectW(", 0) == 0) line = l;
    }
    EXPECT_NE(line.find(c.height), std::string::npos) << c.dpi << " " << line;
  }
}

TEST_F(SurfaceTest, DrawingOutsideAPassDoesNothing) {
  surface.SetPenColor(kRed);
  surface.DrawRect(Rect{0, 0, 10, 10}, true);
  surface.DrawText(u"x", 1, Point{});
  surface.ScrollRect(Rect{0, 0, 10, 10}, Point{1, 1});
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Pen), 0);
  EXPECT_FALSE(surface.EndDraw());
}

TEST_F(SurfaceTest, SavedStatesRestoreClipAndOrigin) {
  surface.BeginDraw(false);
  surface.SetOrigin(Point{5, 6});
  surface.ClipToRect(Rect{0, 0, 10, 10});
  EXPECT_EQ(surface.ClipRect(), (Rect{5, 6, 10, 10}));
  ASSERT_TRUE(surface.SaveState());
  surface.SetOrigin(Point{50, 60});
  surface.ClipToRect(Rect{-45, -54, 3, 2});
  EXPECT_EQ(surface.ClipRect(), (Rect{5, 6, 3, 2}));
  surface.RestoreState();
  EXPECT_EQ(surface.Origin(), (Point{5, 6}));
  EXPECT_EQ(surface.ClipRect(), (Rect{5, 6, 10, 10}));
  surface.EndDraw();
}

}  // namespace
