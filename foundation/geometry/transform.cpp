// Transform composition, inversion and mapping; see transform.h. Products
// and sums are taken in 64 bits and stored as their low 32 bits.
#include "foundation/geometry/transform.h"

#include "foundation/geometry/rotation_code.h"

void Transform::SetIdentity() { *this = Transform{}; }

void Transform::SetRotation(uint8_t rotation) {
  dx = 0;
  dy = 0;
  switch (rotation) {
    case kRotationNone:
    case kRotationUnset:
      m11 = m22 = 1;
      m12 = m21 = 0;
      break;
    case kRotationQuarterTurn:
      m12 = 1;
      m21 = -1;
      m11 = m22 = 0;
      break;
    case kRotationQuarterTurnBack:
      m12 = -1;
      m21 = 1;
      m11 = m22 = 0;
      break;
    case kRotationHalfTurn:
      m11 = m22 = -1;
      m12 = m21 = 0;
      break;
    default:
      break;
  }
}

void Transform::SetTranslation(Point offset) { SetTranslationFrom(offset.x, offset.y); }

void Transform::SetTranslationFrom(int32_t offsetX, int32_t offsetY) {
  SetIdentity();
  dx = offsetX;
  dy = NarrowToInt32(-int64_t{offsetY});
}

void Transform::Multiply(const Transform& a, const Transform& b, Transform* out) {
  Transform r;
  r.m11 = NarrowToInt32(int64_t{a.m11} * b.m11 + int64_t{a.m21} * b.m12);
  r.m12 = NarrowToInt32(int64_t{b.m11} * a.m12 + int64_t{b.m12} * a.m22);
  r.m21 = NarrowToInt32(int64_t{a.m11} * b.m21 + int64_t{a.m21} * b.m22);
  r.m22 = NarrowToInt32(int64_t{a.m12} * b.m21 + int64_t{a.m22} * b.m22);
  r.dx = NarrowToInt32(int64_t{a.dx} * b.m11 + int64_t{a.dy} * b.m12 + b.dx);
  r.dy = NarrowToInt32(int64_t{a.dx} * b.m21 + int64_t{a.dy} * b.m22 + b.dy);
  *out = r;
}

void Transform::Invert(const Transform& in, Transform* out) {
  Transform r;
  if (in.m11 != 0) {
    r.m11 = in.m11;
    r.m12 = 0;
    r.dx = NarrowToInt32(-(int64_t{in.dx} * in.m11));
    r.m21 = 0;
    r.m22 = in.m22;
    r.dy = NarrowToInt32(-(int64_t{in.dy} * in.m22));
  } else {
    r.m11 = 0;
    r.m22 = 0;
    r.m12 = in.m21;
    r.m21 = in.m12;
    r.dx = NarrowToInt32(-(int64_t{in.dy} * in.m21));
    r.dy = NarrowToInt32(-(int64_t{in.m12} * in.dx));
  }
  *out = r;
}

Point Transform::MapPoint(Point p) const {
  return {NarrowToInt32(int64_t{m11} * p.x - int64_t{m12} * p.y + dx),
          NarrowToInt32(int64_t{m22} * p.y - int64_t{m21} * p.x - dy)};
}

Point Transform::MapVector(Point v) const {
  return {NarrowToInt32(int64_t{m11} * v.x - int64_t{m12} * v.y),
          NarrowToInt32(int64_t{m22} * v.y - int64_t{m21} * v.x)};
}

void Transform::MapRect(const Rect& in, Rect* out) const {
  const Point origin = MapPoint({in.x, in.y});
  const Point size = MapVector({in.width, in.height});
  Rect r{origin.x, origin.y, size.x, size.y};
  if (size.x < 0) {
    r.x = NarrowToInt32(int64_t{origin.x} + size.x + 1);
    r.width = NarrowToInt32(-int64_t{size.x});
  }
  if (size.y < 0) {
    r.y = NarrowToInt32(int64_t{origin.y} + size.y + 1);
    r.height = NarrowToInt32(-int64_t{size.y});
  }
  *out = r;
}
