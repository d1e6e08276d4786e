// Sizes (shrink to fit, rotation swaps) and one-dimensional spans.
#include <gtest/gtest.h>

#include "foundation/geometry/geometry_size.h"
#include "foundation/geometry/geometry_span.h"

TEST(GeometrySize, FitWithinShrinksKeepingAspectWhenAsked) {
  struct Case {
    Size size, limit;
    bool keepAspect;
    Size fitted;
  };
  const Case cases[] = {
      {{200, 100}, {100, 100}, true, {100, 50}},
      {{100, 200}, {100, 100}, true, {50, 100}},
      {{50, 200}, {100, 100}, true, {25, 100}},     // only the height is over
      {{400, 300}, {100, 100}, true, {100, 75}},    // both over, wider than the limit
      {{300, 400}, {100, 100}, true, {75, 100}},    // both over, taller than the limit
      {{333, 100}, {100, 100}, true, {100, 30}},    // truncating division
      {{80, 90}, {100, 100}, true, {80, 90}},       // fits: unchanged
      {{200, 300}, {100, 100}, false, {100, 100}},  // each dimension on its own
      {{200, 30}, {100, 100}, false, {100, 30}},
      // products beyond 32 bits are exact
      {{3000000, 2000000}, {16384, 16384}, true, {16384, 10922}},
  };
  for (const Case& c : cases) {
    Size s = c.size;
    s.FitWithin(c.limit, c.keepAspect);
    EXPECT_EQ(s.width, c.fitted.width) << c.size.width << "x" << c.size.height;
    EXPECT_EQ(s.height, c.fitted.height) << c.size.width << "x" << c.size.height;
  }
}

TEST(GeometrySize, FitWithinSurvivesDegenerateLimits) {
  Size s{0, 10};
  s.FitWithin({-1, 100}, true);  // a zero width to divide by
  EXPECT_EQ(s.width, -1);
  Size t{10, 0};
  t.FitWithin({100, -1}, true);
  EXPECT_EQ(t.height, -1);
}

TEST(GeometrySize, SwapForRotationSwapsOnlyForQuarterTurns) {
  const struct {
    uint8_t rotation;
    bool swapped;
  } cases[] = {{0, false}, {1, true}, {2, true}, {3, false}, {255, false}, {7, false}};
  for (const auto& c : cases) {
    Size s{240, 320};
    s.SwapForRotation(c.rotation);
    EXPECT_EQ(s == (Size{320, 240}), c.swapped) << int{c.rotation};
  }
}

TEST(GeometrySpan, NormaliseContainsAndIntersect) {
  Span s;
  Span::Normalise({10, -4}, &s);
  EXPECT_EQ(s, (Span{6, 4}));
  Span::Normalise({10, 4}, &s);
  EXPECT_EQ(s, (Span{10, 4}));

  const Span span{10, 5};
  EXPECT_FALSE(span.Contains(9));
  EXPECT_TRUE(span.Contains(10));
  EXPECT_TRUE(span.Contains(14));
  EXPECT_FALSE(span.Contains(15));

  struct Case {
    Span inner, outer;
    bool contained;
  };
  const Case containment[] = {
      {{100, 0}, {0, 1}, true},  // an empty inner is always inside
      {{10, 5}, {10, 5}, true},
      {{11, 3}, {10, 5}, true},
      {{9, 3}, {10, 5}, false},
      {{12, 4}, {10, 5}, false},
  };
  for (const Case& c : containment) EXPECT_EQ(Span::ContainsSpan(c.inner, c.outer), c.contained) << c.inner.start;

  struct Overlap {
    Span a, b;
    bool result;
    Span out;
  };
  const Overlap overlaps[] = {
      {{0, 10}, {5, 10}, true, {5, 5}},
      {{0, 10}, {10, 5}, false, {10, 0}},
      {{0, 10}, {20, 5}, false, {20, 0}},  // apart: length clamped to 0
      {{0, 10}, {2, 3}, true, {2, 3}},
  };
  for (const Overlap& c : overlaps) {
    Span out{77, 77};
    EXPECT_EQ(Span::Intersect(c.a, c.b, &out), c.result) << c.b.start;
    EXPECT_EQ(out, c.out) << c.b.start;
  }
}
