// The rectangle helpers.
#include "platform/gdi/rectangles.h"

#include "platform/gdi/clip_rects.h"

using namespace gdi_internal;

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(RECT* rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(RECT* target, const RECT* source) {
  if (!target || !source) return FALSE;
  *target = *source;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) { return !rect || RectIsEmpty(*rect); }

BOOL EqualRect(const RECT* a, const RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(const RECT* rect, POINT point) {
  return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
  if (!rect) return FALSE;
  *rect = RectOffset(*rect, dx, dy);
  return TRUE;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
  if (!rect) return FALSE;
  *rect = RECT{rect->left - dx, rect->top - dy, rect->right + dx, rect->bottom + dy};
  return TRUE;
}

BOOL IntersectRect(RECT* target, const RECT* a, const RECT* b) {
  if (!target || !a || !b) return FALSE;
  RECT r = RectIntersection(*a, *b);
  if (RectIsEmpty(r)) {
    *target = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *target = r;
  return TRUE;
}

BOOL UnionRect(RECT* target, const RECT* a, const RECT* b) {
  if (!target || !a || !b) return FALSE;
  const bool emptyA = RectIsEmpty(*a), emptyB = RectIsEmpty(*b);
  if (emptyA && emptyB) {
    *target = RECT{0, 0, 0, 0};
    return FALSE;
  }
  if (emptyA) {
    *target = *b;
  } else if (emptyB) {
    *target = *a;
  } else {
    *target = RECT{a->left < b->left ? a->left : b->left, a->top < b->top ? a->top : b->top,
                   a->right > b->right ? a->right : b->right, a->bottom > b->bottom ? a->bottom : b->bottom};
  }
  return TRUE;
}

BOOL SubtractRect(RECT* target, const RECT* a, const RECT* b) {
  if (!target || !a || !b) return FALSE;
  RECT r = *a;
  const RECT cut = RectIntersection(*a, *b);
  if (!RectIsEmpty(cut)) {
    // Only a cut spanning a whole side shrinks the rectangle.
    if (cut.top == r.top && cut.bottom == r.bottom) {
      if (cut.left == r.left) r.left = cut.right;
      else if (cut.right == r.right) r.right = cut.left;
    } else if (cut.left == r.left && cut.right == r.right) {
      if (cut.top == r.top) r.top = cut.bottom;
      else if (cut.bottom == r.bottom) r.bottom = cut.top;
    }
  }
  if (RectIsEmpty(r)) {
    *target = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *target = r;
  return TRUE;
}
