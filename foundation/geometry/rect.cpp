// Rectangle operations; see rect.h.
#include "foundation/geometry/rect.h"

#include <algorithm>

namespace {

constexpr int32_t kMaximalOrigin = -8192;
constexpr int32_t kMaximalExtent = 16384;

// Gives width and height 0 to a part that has no area.
void ZeroWhenEmpty(Rect* r) {
  if (r->IsEmpty()) {
    r->width = 0;
    r->height = 0;
  }
}

int64_t OverlapArea(const Rect& a, const Rect& b) {
  Rect overlap;
  if (!Rect::Intersect(a, b, &overlap)) return 0;
  return int64_t{overlap.width} * overlap.height;
}

}  // namespace

void Rect::SetMaximal() {
  x = kMaximalOrigin;
  y = kMaximalOrigin;
  width = kMaximalExtent;
  height = kMaximalExtent;
}

void Rect::Union(const Rect& other) {
  if (other.width == 0 || other.height == 0) return;
  if (width == 0 || height == 0) {
    *this = other;
    return;
  }
  const int64_t left = std::min<int64_t>(x, other.x);
  const int64_t top = std::min<int64_t>(y, other.y);
  const int64_t right = std::max(Right(), other.Right());
  const int64_t bottom = std::max(Bottom(), other.Bottom());
  x = NarrowToInt32(left);
  y = NarrowToInt32(top);
  width = NarrowToInt32(right - left);
  height = NarrowToInt32(bottom - top);
}

bool Rect::ContainsPoint(Point p) const {
  return x <= p.x && p.x < Right() && y <= p.y && p.y < Bottom();
}

bool Rect::Intersect(const Rect& a, const Rect& b, Rect* out) {
  const int64_t top = std::max(a.y, b.y);
  const int64_t height = std::min(a.Bottom(), b.Bottom()) - top;
  const int64_t left = std::max(a.x, b.x);
  const int64_t width = std::min(a.Right(), b.Right()) - left;
  out->y = NarrowToInt32(top);
  out->height = NarrowToInt32(height);
  if (height <= 0) return false;
  out->x = NarrowToInt32(left);
  out->width = NarrowToInt32(width);
  return width > 0;
}

bool Rect::Intersects(const Rect& a, const Rect& b) {
  return !a.IsEmpty() && !b.IsEmpty() && b.x < a.Right() && a.x < b.Right() && a.y < b.Bottom() &&
         b.y < a.Bottom();
}

bool Rect::ContainsRect(const Rect& inner, const Rect& outer) {
  if (inner.IsEmpty()) return true;
  if (outer.IsEmpty()) return false;
  const Point first{inner.x, inner.y};
  const Point last{NarrowToInt32(inner.Right() - 1), NarrowToInt32(inner.Bottom() - 1)};
  return outer.ContainsPoint(first) && outer.ContainsPoint(last);
}

bool Rect::Subtract(const Rect& other, Rect* out) const {
  if (!Intersects(*this, other)) {
    *out = *this;
    return true;
  }
  Rect overlap;
  Intersect(*this, other, &overlap);
  if (overlap.y == y) {
    CutEdgeBand(kSideTop, overlap.height, out);
    return true;
  }
  if (overlap.Bottom() == Bottom()) {
    CutEdgeBand(kSideBottom, overlap.height, out);
    return true;
  }
  return false;
}

void Rect::SplitAround(int32_t boxX, int32_t boxY, int32_t boxWidth, int32_t boxHeight,
                       Rect* right, Rect* left, Rect* top, Rect* bottom) const {
  const Rect self = *this;  // an output may be this rect
  const int64_t boxRight = int64_t{boxX} + boxWidth;
  const int64_t boxBottom = int64_t{boxY} + boxHeight;

  Rect r{NarrowToInt32(boxRight), self.y, NarrowToInt32(self.Right() - boxRight), self.height};
  Rect l{self.x, self.y, NarrowToInt32(int64_t{boxX} - self.x), self.height};
  ZeroWhenEmpty(&r);
  ZeroWhenEmpty(&l);
  const int64_t middleLeft = int64_t{l.x} + l.width;
  Rect t{NarrowToInt32(middleLeft), self.y, NarrowToInt32(boxRight - middleLeft),
         NarrowToInt32(int64_t{boxY} - self.y)};
  Rect b{NarrowToInt32(middleLeft), NarrowToInt32(boxBottom), t.width,
         NarrowToInt32(self.Bottom() - boxBottom)};
  ZeroWhenEmpty(&t);
  ZeroWhenEmpty(&b);
  *right = r;
  *left = l;
  *top = t;
  *bottom = b;
}

int32_t Rect::CenterX() const { return NarrowToInt32(int64_t{x} + width / 2); }

int32_t Rect::CenterY() const { return NarrowToInt32(int64_t{y} + height / 2); }

void Rect::SetCenterX(int32_t cx, bool roundUp) {
  x = NarrowToInt32(int64_t{cx} - (int64_t{width} + (roundUp ? 1 : 0)) / 2);
}

void Rect::SetCenterY(int32_t cy, bool roundUp) {
  y = NarrowToInt32(int64_t{cy} - (int64_t{height} + (roundUp ? 1 : 0)) / 2);
}

Point Rect::Corner(int corner) const {
  switch (corner) {
    case kCornerTopLeft: return {x, y};
    case kCornerTopRight: return {NarrowToInt32(Right()), y};
    case kCornerBottomRight: return {NarrowToInt32(Right()), NarrowToInt32(Bottom())};
    case kCornerBottomLeft: return {x, NarrowToInt32(Bottom())};
    default: return {0, 0};
  }
}

void Rect::MoveCornerTo(int corner, Point p) {
  switch (corner) {
    case kCornerTopLeft:
      x = p.x;
      y = p.y;
      break;
    case kCornerTopRight:
      x = NarrowToInt32(int64_t{p.x} - width);
      y = p.y;
      break;
    case kCornerBottomRight:
      x = NarrowToInt32(int64_t{p.x} - width);
      y = NarrowToInt32(int64_t{p.y} - height);
      break;
    case kCornerBottomLeft:
      x = p.x;
      y = NarrowToInt32(int64_t{p.y} - height);
      break;
    default:
      break;
  }
}

void Rect::KeepEdgeBand(int side, int32_t n, Rect* out) const {
  Rect r = *this;
  switch (side) {
    case kSideTop:
      r.height = std::min(n, height);
      break;
    case kSideLeft:
      r.width = std::min(n, width);
      break;
    case kSideRight:
      r.width = std::min(n, width);
      r.x = NarrowToInt32(Right() - r.width);
      break;
    case kSideBottom:
      r.height = std::min(n, height);
      r.y = NarrowToInt32(Bottom() - r.height);
      break;
    default:
      break;
  }
  *out = r;
}

void Rect::CutEdgeBand(int side, int32_t n, Rect* out) const {
  Rect r = *this;
  switch (side) {
    case kSideTop:
      r.y = NarrowToInt32(int64_t{y} + n);
      r.height = NarrowToInt32(int64_t{height} - n);
      break;
    case kSideLeft:
      r.x = NarrowToInt32(int64_t{x} + n);
      r.width = NarrowToInt32(int64_t{width} - n);
      break;
    case kSideRight:
      r.width = NarrowToInt32(int64_t{width} - n);
      break;
    case kSideBottom:
      r.height = NarrowToInt32(int64_t{height} - n);
      break;
    default:
      break;
  }
  *out = r;
}

void Rect::ClipSpan(int side, int32_t start, int32_t length, Rect* out) const {
  Rect r = *this;
  const bool vertical = side == kSideTop || side == kSideBottom;
  const int64_t extent = vertical ? height : width;
  const int64_t s = std::max(start, 0);
  const int64_t len = extent < int64_t{start} + length ? extent - start : length;
  switch (side) {
    case kSideTop:
      r.y = NarrowToInt32(y + s);
      r.height = NarrowToInt32(len);
      break;
    case kSideLeft:
      r.x = NarrowToInt32(x + s);
      r.width = NarrowToInt32(len);
      break;
    case kSideRight:
      r.x = NarrowToInt32(Right() - s - len);
      r.width = NarrowToInt32(len);
      break;
    case kSideBottom:
      r.y = NarrowToInt32(Bottom() - s - len);
      r.height = NarrowToInt32(len);
      break;
    default:
      break;
  }
  *out = r;
}

bool Rect::PlaceInside(int corner, Point p, const Size& wanted, const Rect& bounds) {
  const bool widthLimited = wanted.width > bounds.width;
  const bool heightLimited = wanted.height > bounds.height;
  width = std::min(wanted.width, bounds.width);
  height = std::min(wanted.height, bounds.height);
  if (widthLimited) x = 0;
  if (heightLimited) y = 0;
  if (widthLimited && heightLimited) return false;
  MoveCornerTo(corner, p);
  if (x < bounds.x) {
    x = bounds.x;
  } else if (Right() > bounds.Right()) {
    x = NarrowToInt32(bounds.Right() - width);
  }
  if (y < bounds.y) {
    y = bounds.y;
  } else if (Bottom() > bounds.Bottom()) {
    y = NarrowToInt32(bounds.Bottom() - height);
  }
  return !widthLimited && !heightLimited;
}

bool Rect::KeepInside(const Rect& bounds) {
  if (Right() > bounds.Right()) x = NarrowToInt32(bounds.Right() - width);
  if (Bottom() > bounds.Bottom()) y = NarrowToInt32(bounds.Bottom() - height);
  if (x < bounds.x) x = bounds.x;
  if (y < bounds.y) y = bounds.y;
  return width <= bounds.width && height <= bounds.height;
}

bool Rect::IsAdjacent(const Rect& other) const {
  if (y == other.y && height == other.height) {
    return Right() == other.x || other.Right() == x;
  }
  if (x == other.x && width == other.width) {
    return Bottom() == other.y || other.Bottom() == y;
  }
  return false;
}

void Rect::SplitScrollExposure(int32_t dx, int32_t dy, Rect* column, Rect* row) const {
  const Rect self = *this;  // an output may be this rect
  const int64_t columnWidth = std::min<int64_t>(dx < 0 ? -int64_t{dx} : dx, std::max(self.width, 0));
  const int64_t rowHeight = std::min<int64_t>(dy < 0 ? -int64_t{dy} : dy, std::max(self.height, 0));
  Rect c = self;
  c.width = NarrowToInt32(columnWidth);
  if (dx < 0) c.x = NarrowToInt32(self.Right() - columnWidth);
  Rect r = self;
  r.height = NarrowToInt32(rowHeight);
  r.width = NarrowToInt32(std::max<int64_t>(self.width, 0) - columnWidth);
  if (dx >= 0) r.x = NarrowToInt32(self.x + columnWidth);
  if (dy < 0) r.y = NarrowToInt32(self.Bottom() - rowHeight);
  *column = c;
  *row = r;
}

Rect Rect::PlaceBeside(const Rect& anchor, const Size& size, const Rect& bounds) {
  const int32_t w = size.width;
  const int32_t h = size.height;
  const Rect candidates[4] = {
      {anchor.x, NarrowToInt32(anchor.Bottom()), w, h},
      {anchor.x, NarrowToInt32(int64_t{anchor.y} - h), w, h},
      {NarrowToInt32(anchor.Right()), anchor.y, w, h},
      {NarrowToInt32(int64_t{anchor.x} - w), NarrowToInt32(anchor.Bottom() - h), w, h},
  };
  Rect best;
  int64_t bestOverlap = -1;
  for (Rect candidate : candidates) {
    candidate.KeepInside(bounds);
    const int64_t overlap = OverlapArea(candidate, anchor);
    if (bestOverlap < 0 || overlap < bestOverlap) {
      best = candidate;
      bestOverlap = overlap;
    }
  }
  return best;
}
