// Transforms: the quarter turns, their compositions and inverses, and rect
// mapping that lands exactly on the pixels the rect's points map to.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "foundation/geometry/rotation_code.h"
#include "foundation/geometry/transform.h"

namespace {

Transform Rotation(uint8_t code) {
  Transform t;
  t.SetRotation(code);
  return t;
}

Transform Translation(int32_t x, int32_t y) {
  Transform t;
  t.SetTranslation({x, y});
  return t;
}

// A quarter-turn transform with a translation, one per code.
Transform Placed(uint8_t code) {
  const Point offsets[] = {{3, -7}, {-11, 5}, {13, 2}, {-4, -9}};
  Transform t;
  Transform::Multiply(Translation(offsets[code].x, offsets[code].y), Rotation(code), &t);
  return t;
}

const Point kProbes[] = {{0, 0}, {1, 0}, {0, 1}, {5, -3}, {-8, 12}, {100, 37}};

}  // namespace

TEST(Transform, RotationCodesTurnPointsAsNamed) {
  struct Case {
    uint8_t code;
    Point mapped;  // of (2, 5)
  };
  const Case cases[] = {{0, {2, 5}}, {255, {2, 5}}, {1, {-5, 2}}, {2, {5, -2}}, {3, {-2, -5}}};
  for (const Case& c : cases) EXPECT_EQ(Rotation(c.code).MapPoint({2, 5}), c.mapped) << int{c.code};
}

TEST(Transform, UnknownRotationCodeKeepsCoefficientsButDropsTranslation) {
  Transform t = Placed(1);
  t.SetRotation(9);
  EXPECT_EQ(t, Rotation(1));
}

TEST(Transform, TranslationAddsThePoint) {
  const Transform t = Translation(3, 4);
  EXPECT_EQ(t.dy, -4);
  EXPECT_EQ(t.MapPoint({1, 1}), (Point{4, 5}));
  EXPECT_EQ(t.MapVector({1, 1}), (Point{1, 1}));
  Transform from;
  from.SetTranslationFrom(3, 4);
  EXPECT_EQ(from, t);
}

TEST(Transform, AllSixteenCompositionsApplyFirstThenSecond) {
  for (uint8_t a = 0; a < 4; ++a) {
    for (uint8_t b = 0; b < 4; ++b) {
      Transform both;
      Transform::Multiply(Placed(a), Placed(b), &both);
      Transform inverse;
      Transform::Invert(both, &inverse);
      for (Point p : kProbes) {
        const Point expected = Placed(b).MapPoint(Placed(a).MapPoint(p));
        EXPECT_EQ(both.MapPoint(p), expected) << int{a} << " then " << int{b};
        EXPECT_EQ(inverse.MapPoint(expected), p) << int{a} << " then " << int{b};
      }
    }
  }
}

TEST(Transform, PureRotationsComposeLikeQuarterTurns) {
  // Quarter turns counted in the direction of code 1.
  const int turns[] = {0, 1, 3, 2};
  const uint8_t codeOfTurns[] = {0, 1, 3, 2};
  for (uint8_t a = 0; a < 4; ++a) {
    for (uint8_t b = 0; b < 4; ++b) {
      Transform both;
      Transform::Multiply(Rotation(a), Rotation(b), &both);
      EXPECT_EQ(both, Rotation(codeOfTurns[(turns[a] + turns[b]) % 4])) << int{a} << " then " << int{b};
    }
  }
  Transform identity;
  Transform::Multiply(Rotation(1), Rotation(2), &identity);
  EXPECT_EQ(identity, Transform{});
}

TEST(Transform, InverseOfEachRotationIsItsOppositeTurn) {
  const uint8_t opposite[] = {0, 2, 1, 3};
  for (uint8_t code = 0; code < 4; ++code) {
    Transform inverse;
    Transform::Invert(Rotation(code), &inverse);
    EXPECT_EQ(inverse, Rotation(opposite[code])) << int{code};

    Transform placed = Placed(code);
    Transform::Invert(placed, &inverse);
    Transform roundTrip;
    Transform::Multiply(placed, inverse, &roundTrip);
    EXPECT_EQ(roundTrip, Transform{}) << int{code};
    Transform::Multiply(inverse, placed, &roundTrip);
    EXPECT_EQ(roundTrip, Transform{}) << int{code};
  }
}

TEST(Transform, MultiplyAndInvertMayWriteIntoAnOperand) {
  Transform t = Placed(1);
  const Transform expectedProduct = [] {
    Transform p;
    Transform::Multiply(Placed(1), Placed(2), &p);
    return p;
  }();
  Transform::Multiply(t, Placed(2), &t);
  EXPECT_EQ(t, expectedProduct);
  Transform u = Placed(2);
  Transform::Multiply(Placed(1), u, &u);
  EXPECT_EQ(u, expectedProduct);
  Transform::Invert(t, &t);
  Transform back;
  Transform::Multiply(expectedProduct, t, &back);
  EXPECT_EQ(back, Transform{});
}

TEST(Transform, MapRectCases) {
  struct Case {
    Transform t;
    Rect in, out;
  };
  const Case cases[] = {
      {Rotation(3), {0, 0, 10, 5}, {-9, -4, 10, 5}},
      {Rotation(1), {0, 0, 10, 5}, {-4, 0, 5, 10}},
      {Rotation(2), {0, 0, 10, 5}, {0, -9, 5, 10}},
      {Rotation(0), {3, 4, 10, 5}, {3, 4, 10, 5}},
      {Translation(2, -3), {3, 4, 10, 5}, {5, 1, 10, 5}},
      {Rotation(1), {2, 3, 0, 4}, {-6, 2, 4, 0}},  // an empty rect stays empty
  };
  for (const Case& c : cases) {
    Rect out{99, 99, 99, 99};
    c.t.MapRect(c.in, &out);
    EXPECT_EQ(out.x, c.out.x);
    EXPECT_EQ(out.y, c.out.y);
    EXPECT_EQ(out.width, c.out.width);
    EXPECT_EQ(out.height, c.out.height);
  }
}

TEST(Transform, MapRectCoversExactlyTheMappedPixels) {
  const Rect rects[] = {{0, 0, 10, 5}, {-3, 7, 4, 9}, {5, 5, 1, 1}};
  for (uint8_t code = 0; code < 4; ++code) {
    const Transform t = Placed(code);
    for (const Rect& r : rects) {
      std::set<std::pair<int, int>> mapped;
      for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) {
          const Point p = t.MapPoint({x, y});
          mapped.insert({p.x, p.y});
        }
      }
      Rect out;
      t.MapRect(r, &out);
      std::set<std::pair<int, int>> covered;
      for (int y = out.y; y < out.y + out.height; ++y) {
        for (int x = out.x; x < out.x + out.width; ++x) covered.insert({x, y});
      }
      EXPECT_EQ(mapped, covered) << "code " << int{code};
    }
  }
}

TEST(RotationCode, QuarterTurnsAndDirections) {
  EXPECT_FALSE(IsQuarterTurn(0));
  EXPECT_TRUE(IsQuarterTurn(1));
  EXPECT_TRUE(IsQuarterTurn(2));
  EXPECT_FALSE(IsQuarterTurn(3));
  EXPECT_FALSE(IsQuarterTurn(255));
  struct Case {
    Point direction;
    uint8_t rotation;
  };
  const Case cases[] = {{{-1, 0}, 3}, {{1, 0}, 0}, {{2, 5}, 0}, {{0, 1}, 2}, {{0, -1}, 1}, {{0, 0}, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(RotationFromVector(c.direction), c.rotation) << c.direction.x << "," << c.direction.y;
  }
}
