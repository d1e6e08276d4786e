// The integer transform with which the element tree turns the page by quarter
// turns: {m11, m12, dx, m21, m22, dy}. A point (x, y) maps to
//   x' = m11*x - m12*y + dx,   y' = m22*y - m21*x - dy,
// a vector (a size or an offset) the same way without dx and dy. Only quarter
// turns with translations are built, so every coefficient is 0, 1 or -1.
#pragma once

#include <cstdint>

#include "foundation/geometry/geometry_point.h"
#include "foundation/geometry/rect.h"

struct Transform {
  int32_t m11 = 1;
  int32_t m12 = 0;
  int32_t dx = 0;
  int32_t m21 = 0;
  int32_t m22 = 1;
  int32_t dy = 0;

  void SetIdentity();
  // The rotation of a rotation code, no translation: 0 and 255 none; 1
  // (x, y) -> (-y, x); 2 (x, y) -> (y, -x); 3 (x, y) -> (-x, -y). Any other
  // code clears the translation and leaves the coefficients as they were.
  void SetRotation(uint8_t rotation);
  // The identity plus the translation that adds the point (dy holds -y).
  void SetTranslation(Point offset);
  void SetTranslationFrom(int32_t offsetX, int32_t offsetY);

  // out = a applied first, then b. out may be a or b.
  static void Multiply(const Transform& a, const Transform& b, Transform* out);
  // The inverse, exact for quarter turns with translations. out may be in.
  static void Invert(const Transform& in, Transform* out);

  Point MapPoint(Point p) const;
  Point MapVector(Point v) const;
  // Maps the origin as a point and the size as a vector; a negative mapped
  // width w gives x = x' + w + 1 and width -w (the height likewise), so a
  // pixel rect maps onto exactly the pixels its points map to.
  void MapRect(const Rect& in, Rect* out) const;
};

inline bool operator==(const Transform& a, const Transform& b) {
  return a.m11 == b.m11 && a.m12 == b.m12 && a.dx == b.dx && a.m21 == b.m21 && a.m22 == b.m22 &&
         a.dy == b.dy;
}
