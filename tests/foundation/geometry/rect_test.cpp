// Rectangles: exclusive right and bottom edges, the two notions of empty, and
// the band, span and placement rules that clipping and pop-ups rely on.
#include <gtest/gtest.h>

#include <ostream>

#include "foundation/geometry/rect.h"

static std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}

namespace {

constexpr int32_t kUnwritten = 7777;
const Rect kSentinel{kUnwritten, kUnwritten, kUnwritten, kUnwritten};

}  // namespace

TEST(Rect, ContainsPointExcludesRightAndBottomEdges) {
  struct Case {
    Rect r;
    Point p;
    bool inside;
  };
  const Case cases[] = {
      {{0, 0, 10, 5}, {0, 0}, true},   {{0, 0, 10, 5}, {9, 4}, true},
      {{0, 0, 10, 5}, {10, 0}, false}, {{0, 0, 10, 5}, {0, 5}, false},
      {{0, 0, 10, 5}, {-1, 0}, false}, {{0, 0, 0, 5}, {0, 0}, false},
      {{5, 5, -3, 2}, {4, 5}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.r.ContainsPoint(c.p), c.inside) << c.r << " " << c.p.x << "," << c.p.y;
}

TEST(Rect, IntersectWritesRowsFirstAndColumnsOnlyWhenRowsOverlap) {
  struct Case {
    Rect a, b;
    bool result;
    Rect out;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 10, 10}, true, {5, 5, 5, 5}},
      {{0, 0, 10, 10}, {2, 3, 4, 5}, true, {2, 3, 4, 5}},
      // touching side by side: rows overlap, columns come out empty
      {{0, 0, 10, 10}, {10, 0, 5, 10}, false, {10, 0, 0, 10}},
      // touching one above the other: only y and height are written
      {{0, 0, 10, 10}, {0, 10, 10, 5}, false, {kUnwritten, 10, kUnwritten, 0}},
      // overlapping rows, apart columns
      {{0, 0, 10, 10}, {20, 5, 5, 10}, false, {20, 5, -10, 5}},
      // apart rows
      {{0, 0, 10, 10}, {0, 30, 10, 5}, false, {kUnwritten, 30, kUnwritten, -20}},
  };
  for (const Case& c : cases) {
    Rect out = kSentinel;
    EXPECT_EQ(Rect::Intersect(c.a, c.b, &out), c.result) << c.a << " " << c.b;
    EXPECT_EQ(out, c.out) << c.a << " " << c.b;
    EXPECT_EQ(Rect::Intersects(c.a, c.b), c.result) << c.a << " " << c.b;
  }
}

TEST(Rect, IntersectMayWriteIntoAnOperand) {
  Rect r{0, 0, 10, 10};
  EXPECT_TRUE(Rect::Intersect(r, Rect{5, 5, 10, 10}, &r));
  EXPECT_EQ(r, (Rect{5, 5, 5, 5}));
  Rect clip{2, 2, 4, 4};
  EXPECT_TRUE(Rect::Intersect(Rect{0, 0, 3, 3}, clip, &clip));
  EXPECT_EQ(clip, (Rect{2, 2, 1, 1}));
}

TEST(Rect, IntersectsNeedsTwoNonEmptyRects) {
  EXPECT_FALSE(Rect::Intersects({2, 2, 0, 5}, {0, 0, 10, 10}));
  EXPECT_FALSE(Rect::Intersects({0, 0, 10, 10}, {2, 2, 5, -1}));
  EXPECT_FALSE(Rect::Intersects({12, 0, -5, 10}, {0, 0, 10, 10}));
}

TEST(Rect, UnionTreatsOnlyZeroSizesAsEmpty) {
  struct Case {
    Rect self, other, result;
  };
  const Case cases[] = {
      {{0, 0, 5, 5}, {10, 10, 5, 5}, {0, 0, 15, 15}},
      {{3, 3, 0, 9}, {10, 10, 5, 5}, {10, 10, 5, 5}},      // zero width: replaced
      {{3, 3, 9, 0}, {10, 10, 5, 5}, {10, 10, 5, 5}},      // zero height: replaced
      {{0, 0, 5, 5}, {10, 10, 5, 0}, {0, 0, 5, 5}},        // empty other: no change
      {{20, 0, -5, 10}, {0, 0, 10, 10}, {0, 0, 15, 10}},   // negative width: grown, not replaced
      {{0, 0, 10, 10}, {20, 0, -5, 10}, {0, 0, 15, 10}},
      {{-10, -10, 5, 5}, {0, 0, 5, 5}, {-10, -10, 15, 15}},
  };
  for (const Case& c : cases) {
    Rect r = c.self;
    r.Union(c.other);
    EXPECT_EQ(r, c.result) << c.self << " with " << c.other;
  }
}

TEST(Rect, ContainsRectChecksFirstAndLastPixel) {
  struct Case {
    Rect inner, outer;
    bool contains;
  };
  const Case cases[] = {
      {{50, 50, 0, 3}, {0, 0, 0, 0}, true},  // an empty inner is always inside
      {{1, 1, 2, 2}, {0, 0, 0, 10}, false},  // nothing is inside an empty outer
      {{0, 0, 10, 10}, {0, 0, 10, 10}, true},
      {{2, 2, 3, 3}, {0, 0, 10, 10}, true},
      {{2, 2, 9, 3}, {0, 0, 10, 10}, false},
      {{-1, 2, 3, 3}, {0, 0, 10, 10}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(Rect::ContainsRect(c.inner, c.outer), c.contains) << c.inner << " in " << c.outer;
}

TEST(Rect, SubtractRemovesFullWidthBandsAtTopOrBottomOnly) {
  struct Case {
    Rect self, other;
    bool result;
    Rect out;
  };
  const Rect r{0, 0, 10, 20};
  const Case cases[] = {
      {r, {20, 0, 5, 5}, true, r},                    // apart: unchanged
      {r, {0, 20, 10, 5}, true, r},                   // touching below: unchanged
      {r, {-5, -5, 20, 10}, true, {0, 5, 10, 15}},    // top band
      {r, {3, 0, 2, 4}, true, {0, 4, 10, 16}},        // narrow overlap still cuts full width
      {r, {0, 15, 10, 10}, true, {0, 0, 10, 15}},     // bottom band
      {r, {-5, -5, 30, 30}, true, {0, 20, 10, 0}},    // covered wholly
      {r, {0, 5, 10, 5}, false, kSentinel},           // a middle band cannot be removed
  };
  for (const Case& c : cases) {
    Rect out = kSentinel;
    EXPECT_EQ(c.self.Subtract(c.other, &out), c.result) << c.other;
    EXPECT_EQ(out, c.out) << c.other;
  }
}

TEST(Rect, SplitAroundGivesFourPartsAndZeroesEmptyOnes) {
  struct Case {
    Rect box;
    Rect right, left, top, bottom;
  };
  const Rect r{10, 10, 100, 50};
  const Case cases[] = {
      // wholly inside: four non-empty parts
      {{30, 20, 10, 10}, {40, 10, 70, 50}, {10, 10, 20, 50}, {30, 10, 10, 10}, {30, 30, 10, 30}},
      // at the left edge: no left part
      {{10, 20, 10, 10}, {20, 10, 90, 50}, {10, 10, 0, 0}, {10, 10, 10, 10}, {10, 30, 10, 30}},
      // at the top-right corner: no right part, no top part
      {{90, 10, 20, 10}, {110, 10, 0, 0}, {10, 10, 80, 50}, {90, 10, 0, 0}, {90, 20, 20, 40}},
      // sticking out on the left: top and bottom start at the rect's left edge
      {{0, 20, 40, 10}, {40, 10, 70, 50}, {10, 10, 0, 0}, {10, 10, 30, 10}, {10, 30, 30, 30}},
  };
  for (const Case& c : cases) {
    Rect right = kSentinel, left = kSentinel, top = kSentinel, bottom = kSentinel;
    r.SplitAround(c.box.x, c.box.y, c.box.width, c.box.height, &right, &left, &top, &bottom);
    EXPECT_EQ(right, c.right) << c.box;
    EXPECT_EQ(left, c.left) << c.box;
    EXPECT_EQ(top, c.top) << c.box;
    EXPECT_EQ(bottom, c.bottom) << c.box;
  }
}

TEST(Rect, CentresTruncateTowardZeroAndRoundUpPutsOddPixelFirst) {
  EXPECT_EQ((Rect{0, 0, 5, 7}).CenterX(), 2);
  EXPECT_EQ((Rect{0, 0, 5, 7}).CenterY(), 3);
  EXPECT_EQ((Rect{-5, 0, -3, 0}).CenterX(), -6);
  Rect r{0, 0, 5, 4};
  r.SetCenterX(10, false);
  EXPECT_EQ(r.x, 8);
  r.SetCenterX(10, true);
  EXPECT_EQ(r.x, 7);
  r.SetCenterY(10, false);
  EXPECT_EQ(r.y, 8);
  r.SetCenterY(10, true);
  EXPECT_EQ(r.y, 8);  // (4 + 1) / 2 = 2
}

TEST(Rect, CornersLieOnExclusiveEdgesAndMoveCornerToPlacesThem) {
  const Rect r{10, 20, 30, 40};
  const Point expected[] = {{10, 20}, {40, 20}, {40, 60}, {10, 60}};
  for (int corner = 0; corner < 4; ++corner) {
    EXPECT_EQ(r.Corner(corner), expected[corner]) << corner;
    Rect moved{0, 0, 30, 40};
    moved.MoveCornerTo(corner, expected[corner]);
    EXPECT_EQ(moved, r) << corner;
  }
  EXPECT_EQ(r.Corner(4), (Point{0, 0}));
  Rect unchanged = r;
  unchanged.MoveCornerTo(-1, {500, 500});
  EXPECT_EQ(unchanged, r);
}

TEST(Rect, EdgeBandsAndSpans) {
  const Rect r{10, 20, 100, 50};
  struct Case {
    const char* what;
    Rect result, expected;
  };
  auto keep = [&](int side, int32_t n) { Rect out = kSentinel; r.KeepEdgeBand(side, n, &out); return out; };
  auto cut = [&](int side, int32_t n) { Rect out = kSentinel; r.CutEdgeBand(side, n, &out); return out; };
  auto span = [&](int side, int32_t s, int32_t l) { Rect out = kSentinel; r.ClipSpan(side, s, l, &out); return out; };
  const Case cases[] = {
      {"keep top", keep(kSideTop, 5), {10, 20, 100, 5}},
      {"keep top past extent", keep(kSideTop, 80), r},
      {"keep left", keep(kSideLeft, 5), {10, 20, 5, 50}},
      {"keep right", keep(kSideRight, 5), {105, 20, 5, 50}},
      {"keep right past extent", keep(kSideRight, 500), r},
      {"keep bottom", keep(kSideBottom, 5), {10, 65, 100, 5}},
      {"keep unknown side", keep(9, 5), r},
      {"cut top", cut(kSideTop, 5), {10, 25, 100, 45}},
      {"cut top unclamped", cut(kSideTop, 60), {10, 80, 100, -10}},
      {"cut left", cut(kSideLeft, 5), {15, 20, 95, 50}},
      {"cut right", cut(kSideRight, 5), {10, 20, 95, 50}},
      {"cut bottom", cut(kSideBottom, 5), {10, 20, 100, 45}},
      {"span top", span(kSideTop, 10, 20), {10, 30, 100, 20}},
      {"span top cut at far edge", span(kSideTop, 40, 20), {10, 60, 100, 10}},
      {"span top negative start", span(kSideTop, -5, 20), {10, 20, 100, 20}},
      {"span left", span(kSideLeft, 10, 20), {20, 20, 20, 50}},
      {"span right", span(kSideRight, 10, 20), {80, 20, 20, 50}},
      {"span bottom", span(kSideBottom, 10, 20), {10, 40, 100, 20}},
      {"span bottom cut at far edge", span(kSideBottom, 45, 20), {10, 20, 100, 5}},
      {"span unknown side", span(4, 10, 20), r},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(Rect, PlaceInsidePushesBackAndReportsLimitedSizes) {
  const Rect screen{0, 0, 240, 320};
  struct Case {
    int corner;
    Point p;
    Size wanted;
    bool result;
    Rect placed;
  };
  const Case cases[] = {
      {kCornerTopLeft, {20, 30}, {100, 50}, true, {20, 30, 100, 50}},
      {kCornerTopLeft, {200, 300}, {100, 50}, true, {140, 270, 100, 50}},
      {kCornerBottomRight, {50, 40}, {100, 50}, true, {0, 0, 100, 50}},
      {kCornerBottomLeft, {100, 200}, {100, 50}, true, {100, 150, 100, 50}},
      {kCornerTopLeft, {100, 100}, {300, 50}, false, {0, 100, 240, 50}},   // too wide
      {kCornerTopLeft, {100, 100}, {300, 400}, false, {0, 0, 240, 320}},   // too big both ways
  };
  for (const Case& c : cases) {
    Rect r{999, 999, 1, 1};
    EXPECT_EQ(r.PlaceInside(c.corner, c.p, c.wanted, screen), c.result) << c.placed;
    EXPECT_EQ(r, c.placed);
  }
}

TEST(Rect, KeepInsideMovesTheRectAndTellsWhetherItFits) {
  const Rect bounds{10, 10, 100, 100};
  struct Case {
    Rect r;
    bool fits;
    Rect moved;
  };
  const Case cases[] = {
      {{20, 20, 10, 10}, true, {20, 20, 10, 10}},
      {{105, 105, 10, 10}, true, {100, 100, 10, 10}},
      {{0, 0, 10, 10}, true, {10, 10, 10, 10}},
      {{50, 50, 150, 10}, false, {10, 50, 150, 10}},  // too wide: its left edge wins
  };
  for (const Case& c : cases) {
    Rect r = c.r;
    EXPECT_EQ(r.KeepInside(bounds), c.fits) << c.r;
    EXPECT_EQ(r, c.moved) << c.r;
  }
}

TEST(Rect, AdjacentRectsShareAnEdgeOfTheSameExtent) {
  struct Case {
    Rect a, b;
    bool adjacent;
  };
  const Case cases[] = {
      {{0, 0, 10, 5}, {10, 0, 3, 5}, true},  {{10, 0, 3, 5}, {0, 0, 10, 5}, true},
      {{0, 0, 10, 5}, {0, 5, 10, 2}, true},  {{0, 5, 10, 2}, {0, 0, 10, 5}, true},
      {{0, 0, 10, 5}, {11, 0, 3, 5}, false}, {{0, 0, 10, 5}, {10, 0, 3, 6}, false},
      {{0, 0, 10, 5}, {1, 5, 10, 2}, false}, {{0, 0, 10, 5}, {5, 0, 10, 5}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.a.IsAdjacent(c.b), c.adjacent) << c.a << " " << c.b;
}

TEST(Rect, ScrollExposureSplitsColumnAndRow) {
  const Rect r{0, 0, 100, 50};
  struct Case {
    int32_t dx, dy;
    Rect column, row;
  };
  const Case cases[] = {
      {5, 3, {0, 0, 5, 50}, {5, 0, 95, 3}},
      {-5, 3, {95, 0, 5, 50}, {0, 0, 95, 3}},
      {5, -3, {0, 0, 5, 50}, {5, 47, 95, 3}},
      {0, -3, {0, 0, 0, 50}, {0, 47, 100, 3}},
      {-500, 0, {0, 0, 100, 50}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Rect column = kSentinel, row = kSentinel;
    r.SplitScrollExposure(c.dx, c.dy, &column, &row);
    EXPECT_EQ(column, c.column) << c.dx << "," << c.dy;
    EXPECT_EQ(row, c.row) << c.dx << "," << c.dy;
  }
}

TEST(Rect, PlaceBesideChoosesTheCandidateCoveringLeastOfTheAnchor) {
  const Rect screen{0, 0, 240, 320};
  // Room below: the first candidate wins.
  EXPECT_EQ(Rect::PlaceBeside({20, 20, 50, 20}, {100, 60}, screen), (Rect{20, 40, 100, 60}));
  // At the bottom: below is pushed up over the anchor, above is free.
  EXPECT_EQ(Rect::PlaceBeside({20, 290, 50, 20}, {100, 60}, screen), (Rect{20, 230, 100, 60}));
  // A tall anchor filling the height, at the left: right of it is free.
  EXPECT_EQ(Rect::PlaceBeside({0, 0, 40, 320}, {100, 60}, screen), (Rect{40, 0, 100, 60}));
  // A tall anchor at the right edge: only left of it, from its bottom, is free.
  EXPECT_EQ(Rect::PlaceBeside({200, 0, 40, 320}, {100, 60}, screen), (Rect{100, 260, 100, 60}));
}
