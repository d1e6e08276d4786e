// The reading-position bar painted on the headless screen at low and high
// density, checked pixel by pixel: the shaded track split at the reading
// position, the caps and brackets of marks, the page-number label in its
// own font on every paint, and a bar with no length to show.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/browser/bar/bar_fixture.h"

namespace {

using bartest::BarTest;
using bartest::Rgb;

constexpr uint32_t kWhite = 0xFFFFFF;

// Sizes and expected shades per density: rows are counted from the track's
// top (row 1 is the first painted one).
struct Density {
  int dpi, width, height;
  int barHeight, thickness, cap;
  int middleRow;             // a row in the middle of the track
  uint32_t edgeRead, edgeGrey;      // row 1
  uint32_t middleRead, middleGrey;  // the middle row
};
const Density kLow{96, 240, 320, 12, 8, 10, 4, 207, 249, 159, 233};
const Density kHigh{192, 480, 640, 24, 16, 18, 8, 215, 252, 159, 233};

class BarPaintTest : public BarTest, public ::testing::WithParamInterface<Density> {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open(GetParam().width, GetParam().height, GetParam().dpi)); }
  int TrackTop() const { return GetParam().height - GetParam().barHeight + (GetParam().barHeight - GetParam().thickness) / 2; }
  uint32_t Read(uint32_t tone) const { return Rgb(tone, tone, 255); }
  uint32_t Grey(uint32_t tone) const { return Rgb(tone, tone, tone); }
  uint32_t Arrow(uint32_t tone) const { return Rgb(255, tone, tone); }
};

TEST_P(BarPaintTest, TrackWithoutMarksIsSplitAtTheReadingPosition) {
  const Density& d = GetParam();
  host.length = 1000;
  host.position = 500;
  Paint();
  EXPECT_EQ(bar->Band(), (Rect{0, d.height - d.barHeight, d.width, d.barHeight}));
  EXPECT_EQ(remaining, (Rect{0, 0, d.width, d.height - d.barHeight}));
  ASSERT_GT(bar->LabelWidth(), 0);
  PositionBar::TrackGeometry g = Geometry();
  EXPECT_EQ(g.left, 2);
  EXPECT_EQ(g.width, d.width - 2 - bar->LabelWidth());
  const int split = g.left + g.width / 2;
  const int edge = TrackTop() + 1, middle = TrackTop() + d.middleRow, last = TrackTop() + d.thickness - 1;
  // Middle row: read from the track's left, unread up to its last pixel
  // (lines include their end point).
  EXPECT_EQ(Pixel(g.left, middle), Read(d.middleRead));
  EXPECT_EQ(Pixel(split - 1, middle), Read(d.middleRead));
  EXPECT_EQ(Pixel(split, middle), Grey(d.middleGrey));
  EXPECT_EQ(Pixel(g.left + g.width - 1, middle), Grey(d.middleGrey));
  EXPECT_EQ(Pixel(g.left + g.width, middle), kWhite);
  // First and last rows: one pixel later at the left, one further at the right.
  EXPECT_EQ(Pixel(g.left, edge), kWhite);
  EXPECT_EQ(Pixel(g.left + 1, edge), Read(d.edgeRead));
  EXPECT_EQ(Pixel(g.left + g.width, edge), Grey(d.edgeGrey));
  EXPECT_EQ(Pixel(g.left + g.width + 1, edge), kWhite);
  EXPECT_EQ(Pixel(g.left, last), kWhite);
  EXPECT_NE(Pixel(g.left + g.width, last), kWhite);
  // Above and below the track, and left of it (no caps): background.
  EXPECT_EQ(Pixel(split, TrackTop()), kWhite);
  EXPECT_EQ(Pixel(split, TrackTop() + d.thickness), kWhite);
  EXPECT_EQ(Pixel(0, middle), kWhite);
  EXPECT_EQ(Pixel(1, middle), kWhite);
}

TEST_P(BarPaintTest, MarksDrawCapsAndBracketsBehindAndAhead) {
  const Density& d = GetParam();
  host.length = 1000;
  host.position = 400;
  AddMarks({{200, 1}, {400, 4}, {600, 2}, {800, 0x4000}, {900, 0}});
  Paint();
  ASSERT_TRUE(bar->HasMarks());
  PositionBar::TrackGeometry g = Geometry();
  const int c = d.cap, n = d.thickness, a = (n - 1) / 2;
  EXPECT_EQ(g.left, c);
  EXPECT_EQ(g.width, d.width - 2 * c - bar->LabelWidth());
  const int w = 2 * c + g.width;
  const int middle = TrackTop() + d.middleRow;  // i = n / 2: the arrow's tip row
  // Left cap, tip row: the grey box's edge, the red arrow from its tip to
  // its base, grey again to the cap's end.
  EXPECT_EQ(Pixel(1, middle), kWhite);
  EXPECT_EQ(Pixel(2, middle), Arrow(d.middleRead));
  EXPECT_EQ(Pixel(c - 2, middle), Arrow(d.middleRead));
  EXPECT_EQ(Pixel(c - 1, middle), Grey(d.middleGrey));
  // Row 1: grey from 3 to one pixel into the track, the arrow a single
  // pixel where tip and base meet.
  const int edge = TrackTop() + 1;
  EXPECT_EQ(Pixel(2, edge), kWhite);
  EXPECT_EQ(Pixel(3, edge), Grey(d.edgeGrey));
  EXPECT_EQ(Pixel(c - a - 3, edge), Grey(d.edgeGrey));
  EXPECT_EQ(Pixel(c - a - 2, edge), Arrow(d.edgeRead));
  EXPECT_EQ(Pixel(c - a - 1, edge), Grey(d.edgeGrey));
  EXPECT_EQ(Pixel(c, edge), Grey(d.edgeGrey));
  // Right cap mirrored.
  EXPECT_EQ(Pixel(w - 1, middle), Grey(d.middleGrey));
  EXPECT_EQ(Pixel(w - 2, middle), Grey(d.middleGrey));
  EXPECT_EQ(Pixel(w - 3, middle), Arrow(d.middleRead));
  EXPECT_EQ(Pixel(w - c + 1, middle), Arrow(d.middleRead));
  EXPECT_EQ(Pixel(w - c, middle), Grey(d.middleGrey));
  EXPECT_EQ(Pixel(w, middle), kWhite);
  EXPECT_EQ(Pixel(w, edge), Grey(d.edgeGrey));
  EXPECT_EQ(Pixel(w - c + a + 1, edge), Arrow(d.edgeRead));
  // Brackets: the marks up to the page start light grey, later ones light
  // blue; kinds 0 and 0x4000 are not drawn.
  const int top = TrackTop(), bottom = d.height - d.barHeight + (d.barHeight + n) / 2;
  auto x = [&](uint32_t p) { return g.left + static_cast<int>(int64_t{g.width} * p / 1000); };
  for (auto [p, colour] : {std::pair<uint32_t, uint32_t>{200, 0xE0E0E0}, {400, 0xE0E0E0}, {600, 0x8080FF}}) {
    SCOPED_TRACE(p);
    EXPECT_EQ(Pixel(x(p) + 1, top + 1), colour);
    EXPECT_EQ(Pixel(x(p), top + 2), colour);
    EXPECT_EQ(Pixel(x(p), bottom - 2), colour);
    EXPECT_NE(Pixel(x(p), bottom - 1), colour);
  }
  for (uint32_t p : {800u, 900u}) EXPECT_EQ(Pixel(x(p), middle), Grey(d.middleGrey)) << p;
}

TEST_P(BarPaintTest, PageNumberKeepsItsFontWhateverTheSurfaceHolds) {
  const Density& d = GetParam();
  host.page = 42;
  Paint();
  const int labelLeft = d.width - bar->LabelWidth();
  auto label = [&] {
    std::vector<uint32_t> band = BandPixels(), pixels;
    for (int y = 0; y < d.barHeight; ++y)
      for (int x = labelLeft; x < d.width; ++x) pixels.push_back(band[static_cast<size_t>(y) * d.width + x]);
    return pixels;
  };
  std::vector<uint32_t> first = label();
  EXPECT_NE(std::count(first.begin(), first.end(), 0u), 0) << "the digits are drawn in the text colour";
  // Another element selects a much larger font between paints.
  surface.BeginDraw(false);
  surface.SetFontSpec(1, 40);
  surface.EndDraw();
  host.fontSize = 30;  // the preferences change too: the label keeps its measured font
  Paint();
  EXPECT_EQ(label(), first);
}

TEST_P(BarPaintTest, WithoutAKnownLengthOnlyBackgroundAndLabelArePainted) {
  const Density& d = GetParam();
  AddMarks({{200, 1}});
  host.page = 3;
  for (uint32_t length : {0u, 0xFFFFFFFFu}) {
    host.length = length;
    Paint();
    PositionBar::TrackGeometry g;
    EXPECT_FALSE(bar->GetTrackGeometry(&g));
    std::vector<uint32_t> pixels = BandPixels();
    // Nothing but white and the label's black digits.
    for (uint32_t p : pixels) ASSERT_TRUE(p == kWhite || p == 0) << std::hex << p;
    EXPECT_EQ(Pixel(d.cap / 2, TrackTop() + d.middleRow), kWhite);
  }
}

INSTANTIATE_TEST_SUITE_P(Densities, BarPaintTest, ::testing::Values(kLow, kHigh),
                         [](const auto& info) { return info.param.dpi > 129 ? "High" : "Low"; });

}  // namespace
