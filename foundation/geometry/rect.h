// The rectangle of screen geometry: {x, y, width, height} in device pixels,
// right and bottom edges exclusive. Empty means a width or height that is not
// positive, except for Union, where only zero counts. These edge, emptiness
// and rounding rules are what hit tests, clipping, invalidation and the
// screen orientations rely on, so every operation is exact integer
// arithmetic. Sums are done in 64 bits and stored as their low 32 bits.
#pragma once

#include <cstdint>

#include "foundation/geometry/geometry_point.h"
#include "foundation/geometry/geometry_size.h"

// Side codes.
constexpr int kSideTop = 0;
constexpr int kSideLeft = 1;
constexpr int kSideRight = 2;
constexpr int kSideBottom = 3;

// Corner codes; corners lie on the exclusive edges.
constexpr int kCornerTopLeft = 0;      // (x, y)
constexpr int kCornerTopRight = 1;     // (x + width, y)
constexpr int kCornerBottomRight = 2;  // (x + width, y + height)
constexpr int kCornerBottomLeft = 3;   // (x, y + height)

struct Rect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  int64_t Right() const { return int64_t{x} + width; }
  int64_t Bottom() const { return int64_t{y} + height; }
  bool IsEmpty() const { return width <= 0 || height <= 0; }

  // x = y = -8192, width = height = 16384.
  void SetMaximal();

  // Grows to include the other. Only a zero width or height counts as empty
  // here: an empty this becomes a copy of the other, an empty other changes
  // nothing.
  void Union(const Rect& other);

  bool ContainsPoint(Point p) const;

  // out.y and out.height are always written; when the overlap's height is not
  // positive the answer is false and out.x and out.width keep their values.
  // Otherwise out.x and out.width are written and the answer says whether the
  // width is positive. out may be a or b.
  static bool Intersect(const Rect& a, const Rect& b, Rect* out);
  // Both non-empty and overlapping.
  static bool Intersects(const Rect& a, const Rect& b);
  // True when inner is empty; false when outer is; else whether outer holds
  // inner's first and last pixels.
  static bool ContainsRect(const Rect& inner, const Rect& outer);

  // This rect without the other. Apart: out = this, true. An overlap
  // at this rect's top or bottom removes a full-width band of the overlap's
  // height (true); any other overlap answers false and leaves out alone.
  bool Subtract(const Rect& other, Rect* out) const;

  // The parts of this rect around an inner box. Parts that come out with a
  // non-positive width or height get width and height 0; the top and bottom
  // parts start where the (so corrected) left part ends.
  void SplitAround(int32_t boxX, int32_t boxY, int32_t boxWidth, int32_t boxHeight, Rect* right,
                   Rect* left, Rect* top, Rect* bottom) const;

  // x + width / 2 and y + height / 2, truncating toward zero.
  int32_t CenterX() const;
  int32_t CenterY() const;
  // Centres the rect on cx (cy); roundUp puts the odd pixel before the centre.
  void SetCenterX(int32_t cx, bool roundUp);
  void SetCenterY(int32_t cy, bool roundUp);

  // The corner's point; an unknown code gives (0, 0).
  Point Corner(int corner) const;
  // Moves the rect, keeping its size, so that the corner lies on the point;
  // an unknown code changes nothing.
  void MoveCornerTo(int corner, Point p);

  // out = this limited to a band of min(n, extent) along the side; an unknown
  // side copies the rect.
  void KeepEdgeBand(int side, int32_t n, Rect* out) const;
  // out = this without a band of n along the side, not clamped; an unknown
  // side copies the rect.
  void CutEdgeBand(int side, int32_t n, Rect* out) const;
  // out = this limited to the span [start, start + length) measured inward
  // from the side, cut at the far edge; an unknown side copies the rect.
  void ClipSpan(int side, int32_t start, int32_t length, Rect* out) const;

  // Sizes the rect to the wanted size limited to the bounds, puts the corner
  // on the point and pushes the rect back into the bounds. True when nothing
  // had to be limited; false when one dimension was (the rect is placed all
  // the same) or both were (the rect is only sized, at 0, 0).
  bool PlaceInside(int corner, Point p, const Size& wanted, const Rect& bounds);
  // Moves the rect inside the bounds (its top-left wins when it is too big).
  // True when its width and height both fit.
  bool KeepInside(const Rect& bounds);

  // Same top and height and touching left or right, or same x and width and
  // touching above or below.
  bool IsAdjacent(const Rect& other) const;

  // What a scroll of the rect's contents by (dx, dy) uncovers: the column of
  // width |dx| at the left (dx >= 0) or right over the full height, and the
  // row of height |dy| at the top (dy >= 0) or bottom over the rest of the
  // width. A scroll larger than the rect uncovers all of it.
  void SplitScrollExposure(int32_t dx, int32_t dy, Rect* column, Rect* row) const;

  // Places a pop-up of the given size beside the anchor within the bounds:
  // below the anchor's left edge, above it, right of it from its top, or left
  // of it from its bottom, each pushed inside (KeepInside); the one that
  // covers the least of the anchor wins, the first on ties.
  static Rect PlaceBeside(const Rect& anchor, const Size& size, const Rect& bounds);
};

inline bool operator==(const Rect& a, const Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
