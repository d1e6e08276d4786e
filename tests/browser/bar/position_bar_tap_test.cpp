// Taps on the reading-position bar: the label, the track with and without
// marks, the caps, a mark within the hit margin, long books scaled by 2^11,
// a wide bar against the exact 64-bit mapping, and a press released
// outside, which must give back every pixel and do nothing.
#include <gtest/gtest.h>

#include "tests/browser/bar/bar_fixture.h"

namespace {

using bartest::BarTest;
using Calls = std::vector<std::string>;

class BarTapTest : public BarTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open(240, 320, 96)); }
  int Middle() const { return 314; }
  std::string PositionAt(const PositionBar::TrackGeometry& g, int x) {
    uint64_t p = (static_cast<uint64_t>(x - g.left) * g.range / static_cast<uint64_t>(g.width)) << g.shift;
    return "position " + std::to_string(p);
  }
};

TEST_F(BarTapTest, TapsWithoutMarksGoToThePositionOrTheGoToPageCommand) {
  host.length = 1000;
  host.page = 7;
  Paint();
  PositionBar::TrackGeometry g = Geometry();
  const int labelLeft = 240 - bar->LabelWidth();
  struct Case {
    int x;
    bool result;
    Calls calls;
  } cases[] = {
      {0, false, {}},  // left of the track: no cap without marks
      {1, false, {}},
      {g.left, true, {"position 0"}},
      {g.left + g.width / 2, true, {PositionAt(g, g.left + g.width / 2)}},
      {g.left + g.width - 1, true, {PositionAt(g, g.left + g.width - 1)}},
      {labelLeft, false, {}},  // the label's first column is not beyond it
      {labelLeft + 1, true, {"command 20"}},
      {239, true, {"command 20"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    host.calls.clear();
    EXPECT_EQ(Tap(c.x, Middle()), c.result);
    EXPECT_EQ(host.calls, c.calls);
    EXPECT_FALSE(bar->IsPressed());
  }
  // Within the hit margin above the band the bar still takes the tap; above it not.
  host.calls.clear();
  EXPECT_TRUE(Tap(g.left, 308 - 3));
  EXPECT_FALSE(bar->HitTest(Point{g.left, 308 - 4}));
}

TEST_F(BarTapTest, TapsWithMarksOpenCapsAndMarksWithinTheMargin) {
  host.length = 1000;
  std::vector<uint32_t> ids = AddMarks({{300, 1}, {700, 2}});
  Paint();
  PositionBar::TrackGeometry g = Geometry();
  const int c = bar->CapWidth(), lw = bar->LabelWidth();
  auto x = [&](uint32_t p) { return g.left + static_cast<int>(int64_t{g.width} * p / 1000); };
  struct Case {
    int x;
    Calls calls;
  } cases[] = {
      {0, {"previous"}},
      {c - 1, {"previous"}},
      {240 - c - lw + 1, {"next"}},
      {240 - lw - 1, {"next"}},
      {x(300), {"mark " + std::to_string(ids[0]), "apply"}},
      {x(300) + 3, {"mark " + std::to_string(ids[0]), "apply"}},  // the margin is 3 pixels
      {x(300) - 3, {"mark " + std::to_string(ids[0]), "apply"}},
      {x(300) + 4, {PositionAt(g, x(300) + 4)}},
      {x(700) - 2, {"mark " + std::to_string(ids[1]), "apply"}},
      {x(500), {PositionAt(g, x(500))}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.x);
    host.calls.clear();
    EXPECT_TRUE(Tap(k.x, Middle()));
    EXPECT_EQ(host.calls, k.calls);
  }
}

TEST_F(BarTapTest, LongBooksAreScaledAndTheTrackEndStaysInsideTheBook) {
  struct Case {
    uint32_t length, range;
    int shift;
  } cases[] = {
      {2097152, 2097152, 0},
      {2097153, 1024, 11},
      {0xFFFFFFFEu, 0x1FFFFF, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    host.length = c.length;
    host.position = c.length;  // the last page: the read part fills the track
    Paint();
    PositionBar::TrackGeometry g = Geometry();
    EXPECT_EQ(g.range, c.range);
    EXPECT_EQ(g.shift, c.shift);
    EXPECT_EQ(PositionBar::PositionToOffset(g, c.length), g.width);
    host.calls.clear();
    ASSERT_TRUE(Tap(g.left + g.width - 1, Middle()));
    ASSERT_EQ(host.calls.size(), 1u);
    uint64_t p = std::stoull(host.calls[0].substr(9));
    EXPECT_LT(p, c.length);
    EXPECT_GT(p, c.length - c.length / 100);
  }
}

TEST_F(BarTapTest, AWideBarMapsLikeTheExactFormula) {
  // 1,600 pixels: 32-bit products of the track width and a range near 2^21
  // would overflow here.
  DestroyWindow(window);
  window = nullptr;
  bar->LeaveParent();
  bar->Release();
  bar = nullptr;
  ASSERT_NO_FATAL_FAILURE(Open(1600, 400, 96));
  host.length = 2000000;
  Paint();
  PositionBar::TrackGeometry g = Geometry();
  ASSERT_GT(g.width, 1500);
  for (int x = g.left; x < g.left + g.width; x += 37) {
    host.calls.clear();
    ASSERT_TRUE(Tap(x, 394));
    unsigned __int128 exact = static_cast<unsigned __int128>(x - g.left) * 2000000u / static_cast<unsigned>(g.width);
    ASSERT_EQ(host.calls, Calls{"position " + std::to_string(static_cast<uint64_t>(exact))}) << x;
    // And back: the position's offset is the tapped pixel or the one before it.
    int64_t offset = PositionBar::PositionToOffset(g, static_cast<uint32_t>(exact));
    EXPECT_EQ(offset, static_cast<int64_t>(static_cast<unsigned __int128>(g.width) * exact / 2000000u));
    EXPECT_LE(offset, x - g.left);
    EXPECT_GE(offset, x - g.left - 1);
  }
}

TEST_F(BarTapTest, PressShowsFeedbackAndReleaseOutsideRestoresEveryPixel) {
  host.length = 1000;
  host.position = 250;
  host.page = 12;
  AddMarks({{600, 1}});
  Paint();
  PositionBar::TrackGeometry g = Geometry();
  const int lw = bar->LabelWidth(), c = bar->CapWidth();
  const std::vector<uint32_t> before = BandPixels();
  struct Case {
    int x;
    Rect feedback;
  } cases[] = {
      {g.left + 40, Rect{g.left + 40, 308, 3, 12}},
      {2, Rect{0, 308, c - 1, 12}},
      {240 - lw - 2, Rect{240 - c - lw + 1, 308, c - 1, 12}},
      {240 - lw + 2, Rect{240 - lw, 308, lw, 12}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.x);
    host.calls.clear();
    surface.SendPointerDown(Point{k.x, Middle()});
    EXPECT_TRUE(bar->IsPressed());
    EXPECT_TRUE(bar->HoldsCapture());
    // Every pixel of the feedback rectangle is inverted, none outside it.
    std::vector<uint32_t> pressed = BandPixels();
    for (int y = 308; y < 320; ++y)
      for (int x = 0; x < 240; ++x) {
        uint32_t old = before[(y - 308) * 240 + x], now = pressed[(y - 308) * 240 + x];
        bool inside = k.feedback.ContainsPoint(Point{x, y});
        ASSERT_EQ(now, inside ? (~old & 0xFFFFFF) : old) << x << "," << y;
      }
    EXPECT_FALSE(surface.SendPointerUp(Point{k.x, 100}));  // far above the bar
    EXPECT_FALSE(bar->IsPressed());
    EXPECT_FALSE(bar->HoldsCapture());
    EXPECT_EQ(BandPixels(), before);
    EXPECT_TRUE(host.calls.empty());
  }
  // A release without a press does nothing.
  EXPECT_FALSE(bar->HandleTap(Point{g.left, Middle()}));
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(BarTapTest, AnInvisibleBarLeavesTheRectangleAndTakesNoTaps) {
  bar->SetVisible(false);
  Rect rest;
  bar->Arrange(&rest, Rect{0, 0, 240, 320});
  EXPECT_EQ(rest, (Rect{0, 0, 240, 320}));
  EXPECT_FALSE(bar->HitTest(Point{100, 315}));
  EXPECT_FALSE(bar->Intersects(Rect{0, 300, 240, 20}));
  // Docked on the other sides, the band and the rest split the rectangle.
  bar->SetVisible(true);
  struct Case {
    int side;
    Rect band, rest;
  } cases[] = {
      {kSideTop, {0, 0, 240, 12}, {0, 12, 240, 308}},
      {kSideLeft, {0, 0, 12, 320}, {12, 0, 228, 320}},
      {kSideRight, {228, 0, 12, 320}, {0, 0, 228, 320}},
      {kSideBottom, {0, 308, 240, 12}, {0, 0, 240, 308}},
  };
  for (const Case& c : cases) {
    bar->SetSide(c.side);
    bar->Arrange(&rest, Rect{0, 0, 240, 320});
    EXPECT_EQ(bar->Band(), c.band) << c.side;
    EXPECT_EQ(rest, c.rest) << c.side;
  }
  // A rectangle thinner than the bar is all band, nothing remains.
  bar->SetSide(kSideBottom);
  bar->Arrange(&rest, Rect{0, 0, 240, 5});
  EXPECT_EQ(bar->Band(), (Rect{0, 0, 240, 5}));
  EXPECT_EQ(rest.height, 0);
}

}  // namespace
