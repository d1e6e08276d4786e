// Lists of disjoint rectangles: the shape of clips and regions. Small lists
// (a window's visible part, a clip cut by a few rectangles) are the rule,
// so plain lists beat banded structures here. The operations never throw:
// when memory runs out they leave an empty list and answer false.
#pragma once

#include <vector>

#include "platform/types/geometry_types.h"

namespace gdi_internal {

inline bool RectIsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT RectIntersection(const RECT& a, const RECT& b) {
  RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top, a.right < b.right ? a.right : b.right,
         a.bottom < b.bottom ? a.bottom : b.bottom};
  return r;
}
inline RECT RectOffset(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// Far beyond any bitmap: the clip of a DC without one.
constexpr int kFar = 1 << 28;
inline RECT FarRect() { return RECT{-kFar, -kFar, kFar, kFar}; }

// Keeps in `list` only what also lies in `rect`.
bool IntersectList(std::vector<RECT>* list, const RECT& rect);
// `out` := the intersection of two lists.
bool IntersectLists(const std::vector<RECT>& a, const std::vector<RECT>& b, std::vector<RECT>* out);
// Removes `rect` from every rectangle of `list`.
bool SubtractFromList(std::vector<RECT>* list, const RECT& rect);
// Adds what `b` covers beyond `a` to `a`.
bool UniteLists(std::vector<RECT>* a, const std::vector<RECT>& b);
// The smallest rectangle holding the list; empty (all 0) for an empty one.
RECT ListBounds(const std::vector<RECT>& list);
// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int ListKind(const std::vector<RECT>& list);

}  // namespace gdi_internal
