// FillRect, DrawEdge and DrawFocusRect.
#include "platform/gdi/clip_rects.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/painter.h"

using namespace gdi_internal;

namespace {

// A brush handle, or a system colour index + 1 given in its place.
const BrushObject* BrushFromHandle(HBRUSH handle) {
  const auto value = reinterpret_cast<uintptr_t>(handle);
  if (value > 0 && value <= static_cast<uintptr_t>(kSystemColorCount)) {
    return static_cast<const BrushObject*>(GetSysColorBrush(static_cast<int>(value) - 1));
  }
  return static_cast<const BrushObject*>(LiveGdiObject(handle, GdiKind::Brush));
}

// Fills a logical rectangle with a colour, copying (FillRect ignores the
// binary raster operation).
void FillLogical(Painter& painter, const RECT& r, COLORREF colour) {
  painter.Fill(RECT{painter.X(r.left), painter.Y(r.top), painter.X(r.right), painter.Y(r.bottom)},
               painter.Raw(colour), R2_COPYPEN);
}

}  // namespace

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle) {
  DeviceContext* dc = Dc(handle);
  if (rect) Journal("FillRect(%d,%d,%d,%d)", rect->left, rect->top, rect->right, rect->bottom);
  const BrushObject* brush = BrushFromHandle(brushHandle);
  if (!dc || !rect || !brush) return 0;
  Painter painter(dc);
  if (painter.Ready() && brush->style != BS_NULL) FillLogical(painter, *rect, brush->colour);
  return 1;
}

BOOL DrawEdge(HDC handle, RECT* rect, UINT edge, UINT flags) {
  DeviceContext* dc = Dc(handle);
  if (rect) Journal("DrawEdge(%d,%d,%d,%d,%u,%u)", rect->left, rect->top, rect->right, rect->bottom, edge, flags);
  if (!dc || !rect) return FALSE;
  Painter painter(dc);
  RECT r = *rect;
  // Outer then inner ring: {top-left colour, bottom-right colour}.
  struct Ring {
    bool on;
    COLORREF topLeft, bottomRight;
  };
  const bool flat = (flags & (BF_FLAT | BF_MONO)) != 0;
  Ring rings[2];
  if (flat) {
    const COLORREF frame = GetSysColor((flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
    const COLORREF inner = GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    rings[0] = Ring{(edge & BDR_OUTER) != 0, frame, frame};
    rings[1] = Ring{(edge & BDR_INNER) != 0, inner, inner};
  } else {
    rings[0] = (edge & BDR_RAISEDOUTER)   ? Ring{true, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW)}
               : (edge & BDR_SUNKENOUTER) ? Ring{true, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT)}
                                          : Ring{false, 0, 0};
    rings[1] = (edge & BDR_RAISEDINNER)   ? Ring{true, GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW)}
               : (edge & BDR_SUNKENINNER) ? Ring{true, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)}
                                          : Ring{false, 0, 0};
  }
  for (const Ring& ring : rings) {
    if (!ring.on || RectIsEmpty(r)) continue;
    if (painter.Ready()) {
      if (flags & BF_LEFT) FillLogical(painter, RECT{r.left, r.top, r.left + 1, r.bottom}, ring.topLeft);
      if (flags & BF_TOP) FillLogical(painter, RECT{r.left, r.top, r.right, r.top + 1}, ring.topLeft);
      if (flags & BF_RIGHT) FillLogical(painter, RECT{r.right - 1, r.top, r.right, r.bottom}, ring.bottomRight);
      if (flags & BF_BOTTOM) FillLogical(painter, RECT{r.left, r.bottom - 1, r.right, r.bottom}, ring.bottomRight);
    }
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
  }
  if ((flags & BF_MIDDLE) && painter.Ready() && !RectIsEmpty(r)) {
    FillLogical(painter, r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

BOOL DrawFocusRect(HDC handle, const RECT* rect) {
  DeviceContext* dc = Dc(handle);
  if (rect) Journal("DrawFocusRect(%d,%d,%d,%d)", rect->left, rect->top, rect->right, rect->bottom);
  if (!dc || !rect) return FALSE;
  Painter painter(dc);
  if (!painter.Ready() || RectIsEmpty(*rect)) return TRUE;
  // Every other pixel of the frame inverted, each once, so a second call
  // takes the frame away again.
  const int left = painter.X(rect->left), top = painter.Y(rect->top);
  const int right = painter.X(rect->right) - 1, bottom = painter.Y(rect->bottom) - 1;
  auto dot = [&](int x, int y) {
    if (((x - left) + (y - top)) % 2 == 0) painter.Pixel(x, y, 0, R2_NOT);
  };
  for (int x = left; x <= right; ++x) {
    dot(x, top);
    if (bottom != top) dot(x, bottom);
  }
  for (int y = top + 1; y < bottom; ++y) {
    dot(left, y);
    if (right != left) dot(right, y);
  }
  return TRUE;
}
