// The orientation transforms between the surface (drawn in the text's
// orientation) and the turned physical screen: for every rotation code the
// four corner pixels land on the screen's four corners, every pixel lands on
// the screen exactly once, and the direction of a turn is the one the rotated
// screen copy, the direction keys and automatic scrolling use.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "foundation/geometry/rotation_code.h"
#include "foundation/geometry/rotation_transform.h"

namespace {

// The surface's logical size; odd and unequal so that no mix-up of width and
// height or an off-by-one can pass.
constexpr int32_t kW = 7;
constexpr int32_t kH = 4;

struct Corners {
  Point topLeft, topRight, bottomRight, bottomLeft;
};

// Where the surface's corner pixels appear on the physical screen (its size
// is kH x kW for the quarter turns). These are where the rotated copy of the
// screen image puts those pixels.
struct OrientationCase {
  uint8_t rotation;
  int32_t screenWidth, screenHeight;
  Corners onScreen;
};

const OrientationCase kCases[] = {
    {0, kW, kH, {{0, 0}, {kW - 1, 0}, {kW - 1, kH - 1}, {0, kH - 1}}},
    {255, kW, kH, {{0, 0}, {kW - 1, 0}, {kW - 1, kH - 1}, {0, kH - 1}}},
    // (x, y) -> (y, W - 1 - x): the text's top edge runs up the screen's left side
    {1, kH, kW, {{0, kW - 1}, {0, 0}, {kH - 1, 0}, {kH - 1, kW - 1}}},
    // (x, y) -> (H - 1 - y, x): the text's top edge runs down the screen's right side
    {2, kH, kW, {{kH - 1, 0}, {kH - 1, kW - 1}, {0, kW - 1}, {0, 0}}},
    // (x, y) -> (W - 1 - x, H - 1 - y)
    {3, kW, kH, {{kW - 1, kH - 1}, {0, kH - 1}, {0, 0}, {kW - 1, 0}}},
};

}  // namespace

TEST(RotationTransform, FourCornersLandOnTheScreenCornersForEveryCode) {
  for (const OrientationCase& c : kCases) {
    Transform toScreen, toSurface;
    BuildOrientationTransforms(c.rotation, kW, kH, &toScreen, &toSurface);
    const Point surfaceCorners[] = {{0, 0}, {kW - 1, 0}, {kW - 1, kH - 1}, {0, kH - 1}};
    const Point screenCorners[] = {c.onScreen.topLeft, c.onScreen.topRight, c.onScreen.bottomRight,
                                   c.onScreen.bottomLeft};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(toScreen.MapPoint(surfaceCorners[i]), screenCorners[i]) << "code " << int{c.rotation} << " corner " << i;
      EXPECT_EQ(toSurface.MapPoint(screenCorners[i]), surfaceCorners[i]) << "code " << int{c.rotation} << " corner " << i;
    }
  }
}

TEST(RotationTransform, EveryPixelLandsOnTheScreenOnceAndMapsBack) {
  for (const OrientationCase& c : kCases) {
    Transform toScreen, toSurface;
    BuildOrientationTransforms(c.rotation, kW, kH, &toScreen, &toSurface);
    const Rect screen{0, 0, c.screenWidth, c.screenHeight};
    std::set<std::pair<int, int>> hit;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const Point s = toScreen.MapPoint({x, y});
        EXPECT_TRUE(screen.ContainsPoint(s)) << "code " << int{c.rotation} << " at " << x << "," << y;
        hit.insert({s.x, s.y});
        EXPECT_EQ(toSurface.MapPoint(s), (Point{x, y}));
      }
    }
    EXPECT_EQ(hit.size(), size_t{kW * kH}) << "code " << int{c.rotation};

    Rect whole;
    toScreen.MapRect({0, 0, kW, kH}, &whole);
    EXPECT_EQ(whole, screen) << "code " << int{c.rotation};
    Rect back;
    toSurface.MapRect(screen, &back);
    EXPECT_EQ(back, (Rect{0, 0, kW, kH})) << "code " << int{c.rotation};
  }
}

TEST(RotationTransform, TurnDirectionMatchesKeysAndScrolling) {
  // The screen's up direction read on the surface: the direction key that
  // pressing "up" stands for (up, right, left, down for codes 0 to 3). And the
  // text scrolling up by one pixel, seen on the screen: up, left, right, down.
  struct Case {
    uint8_t rotation;
    Point screenUpOnSurface;
    Point textUpOnScreen;
  };
  const Case cases[] = {
      {0, {0, -1}, {0, -1}},
      {1, {1, 0}, {-1, 0}},
      {2, {-1, 0}, {1, 0}},
      {3, {0, 1}, {0, 1}},
  };
  for (const Case& c : cases) {
    Transform toScreen, toSurface;
    BuildOrientationTransforms(c.rotation, kW, kH, &toScreen, &toSurface);
    EXPECT_EQ(toSurface.MapVector({0, -1}), c.screenUpOnSurface) << int{c.rotation};
    EXPECT_EQ(toScreen.MapVector({0, -1}), c.textUpOnScreen) << int{c.rotation};
  }
}

TEST(RotationTransform, ScreenToSurfaceIsTranslationThenTheCodesRotation) {
  for (uint8_t code = 1; code <= 3; ++code) {
    Transform toScreen, toSurface;
    BuildOrientationTransforms(code, kW, kH, &toScreen, &toSurface);
    Transform turn;
    turn.SetRotation(code);
    EXPECT_EQ(toSurface.m11, turn.m11);
    EXPECT_EQ(toSurface.m12, turn.m12);
    EXPECT_EQ(toSurface.m21, turn.m21);
    EXPECT_EQ(toSurface.m22, turn.m22);
  }
  Transform toScreen, toSurface;
  BuildOrientationTransforms(42, kW, kH, &toScreen, &toSurface);
  EXPECT_EQ(toScreen, Transform{});
  EXPECT_EQ(toSurface, Transform{});
}
