// Operations on lists of disjoint rectangles.
#include "platform/gdi/clip_rects.h"

#include "platform/gdi/gdi_types.h"

namespace gdi_internal {

bool IntersectList(std::vector<RECT>* list, const RECT& rect) {
  size_t kept = 0;
  for (const RECT& r : *list) {
    RECT cut = RectIntersection(r, rect);
    if (!RectIsEmpty(cut)) (*list)[kept++] = cut;
  }
  list->resize(kept);
  return true;
}

bool IntersectLists(const std::vector<RECT>& a, const std::vector<RECT>& b, std::vector<RECT>* out) {
  try {
    std::vector<RECT> result;
    for (const RECT& ra : a) {
      for (const RECT& rb : b) {
        RECT cut = RectIntersection(ra, rb);
        if (!RectIsEmpty(cut)) result.push_back(cut);
      }
    }
    *out = std::move(result);
    return true;
  } catch (...) {
    out->clear();
    return false;
  }
}

bool SubtractFromList(std::vector<RECT>* list, const RECT& rect) {
  if (RectIsEmpty(rect)) return true;
  try {
    std::vector<RECT> result;
    for (const RECT& r : *list) {
      RECT cut = RectIntersection(r, rect);
      if (RectIsEmpty(cut)) {
        result.push_back(r);
        continue;
      }
      // Up to four pieces: the bands above and below the cut, and its
      // left and right neighbours within its rows.
      if (r.top < cut.top) result.push_back(RECT{r.left, r.top, r.right, cut.top});
      if (cut.bottom < r.bottom) result.push_back(RECT{r.left, cut.bottom, r.right, r.bottom});
      if (r.left < cut.left) result.push_back(RECT{r.left, cut.top, cut.left, cut.bottom});
      if (cut.right < r.right) result.push_back(RECT{cut.right, cut.top, r.right, cut.bottom});
    }
    *list = std::move(result);
    return true;
  } catch (...) {
    list->clear();
    return false;
  }
}

bool UniteLists(std::vector<RECT>* a, const std::vector<RECT>& b) {
  try {
    std::vector<RECT> extra;
    for (const RECT& rb : b) {
      if (RectIsEmpty(rb)) continue;
      std::vector<RECT> pieces{rb};
      for (const RECT& ra : *a) {
        if (!SubtractFromList(&pieces, ra)) throw 0;
        if (pieces.empty()) break;
      }
      for (const RECT& piece : extra) {
        if (pieces.empty()) break;
        if (!SubtractFromList(&pieces, piece)) throw 0;
      }
      extra.insert(extra.end(), pieces.begin(), pieces.end());
    }
    a->insert(a->end(), extra.begin(), extra.end());
    return true;
  } catch (...) {
    a->clear();
    return false;
  }
}

RECT ListBounds(const std::vector<RECT>& list) {
  if (list.empty()) return RECT{0, 0, 0, 0};
  RECT b = list.front();
  for (const RECT& r : list) {
    if (r.left < b.left) b.left = r.left;
    if (r.top < b.top) b.top = r.top;
    if (r.right > b.right) b.right = r.right;
    if (r.bottom > b.bottom) b.bottom = r.bottom;
  }
  return b;
}

int ListKind(const std::vector<RECT>& list) {
  if (list.empty()) return NULLREGION;
  return list.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace gdi_internal
