// Lines, rectangles, ellipses, round rectangles, polygons and pixels, with
// the device's edge rules (see gdi.h).
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/clip_rects.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/painter.h"

using namespace gdi_internal;

namespace {

// The pen and brush of a shape call, as raw values of the target.
struct ShapeTools {
  bool hasPen = false, hasBrush = false;
  uint32_t penRaw = 0, brushRaw = 0;
  int penWidth = 1;
};

ShapeTools ToolsOf(DeviceContext* dc, Painter& painter) {
  ShapeTools tools;
  if (const PenObject* pen = DrawingPen(dc)) {
    tools.hasPen = true;
    tools.penRaw = painter.Raw(pen->colour);
    tools.penWidth = pen->width;
  }
  if (const BrushObject* brush = DrawingBrush(dc)) {
    tools.hasBrush = true;
    tools.brushRaw = painter.Raw(brush->colour);
  }
  return tools;
}

// The half-open box of a shape call in target coordinates, corners in any
// order; with no pen it loses its last column and row, as on the device.
bool ShapeBox(Painter& painter, const ShapeTools& tools, int left, int top, int right, int bottom, RECT* box) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (!tools.hasPen) {
    --right;
    --bottom;
  }
  *box = RECT{painter.X(left), painter.Y(top), painter.X(right), painter.Y(bottom)};
  return box->right > box->left && box->bottom > box->top;
}

}  // namespace

BOOL MoveToEx(HDC handle, int x, int y, POINT* previous) {
  DeviceContext* dc = Dc(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->position;
  dc->position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
  DeviceContext* dc = Dc(handle);
  Journal("LineTo(%d,%d)", x, y);
  if (!dc) return FALSE;
  Painter painter(dc);
  const PenObject* pen = DrawingPen(dc);
  if (painter.Ready() && pen) {
    DrawLinePixels(painter, painter.X(dc->position.x), painter.Y(dc->position.y), painter.X(x), painter.Y(y),
                   pen->width, painter.Raw(pen->colour), dc->rop2);
  }
  dc->position = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
  DeviceContext* dc = Dc(handle);
  Journal("Polyline(%d)", count);
  if (!dc || !points || count < 2) return FALSE;
  Painter painter(dc);
  const PenObject* pen = DrawingPen(dc);
  if (!painter.Ready() || !pen) return TRUE;
  const uint32_t raw = painter.Raw(pen->colour);
  for (int i = 1; i < count; ++i) {
    DrawLinePixels(painter, painter.X(points[i - 1].x), painter.Y(points[i - 1].y), painter.X(points[i].x),
                   painter.Y(points[i].y), pen->width, raw, dc->rop2);
  }
  return TRUE;
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = Dc(handle);
  Journal("Rectangle(%d,%d,%d,%d)", left, top, right, bottom);
  if (!dc) return FALSE;
  Painter painter(dc);
  if (!painter.Ready()) return TRUE;
  const ShapeTools tools = ToolsOf(dc, painter);
  RECT box;
  if (!ShapeBox(painter, tools, left, top, right, bottom, &box)) return TRUE;
  if (!tools.hasPen) {
    if (tools.hasBrush) painter.Fill(box, tools.brushRaw, dc->rop2);
    return TRUE;
  }
  std::vector<RowSpan> spans(static_cast<size_t>(box.bottom - box.top), RowSpan{box.left, box.right - 1});
  DrawSpanShape(painter, box.top, spans, tools.penWidth, true, tools.penRaw, tools.hasBrush, tools.brushRaw,
                dc->rop2);
  return TRUE;
}

BOOL Ellipse(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = Dc(handle);
  Journal("Ellipse(%d,%d,%d,%d)", left, top, right, bottom);
  if (!dc) return FALSE;
  Painter painter(dc);
  if (!painter.Ready()) return TRUE;
  const ShapeTools tools = ToolsOf(dc, painter);
  RECT box;
  if (!ShapeBox(painter, tools, left, top, right, bottom, &box)) return TRUE;
  const int rows = box.bottom - box.top;
  std::vector<RowSpan> spans(static_cast<size_t>(rows));
  const double a = (box.right - box.left) / 2.0, b = rows / 2.0;
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  for (int i = 0; i < rows; ++i) {
    const double dy = (box.top + i + 0.5 - cy) / b;
    const double inside = 1.0 - dy * dy;
    spans[i] = RowSpan{1, 0};
    if (inside < 0) continue;
    const double hw = a * std::sqrt(inside);
    spans[i].left = static_cast<int>(std::ceil(cx - hw - 0.5 - 1e-9));
    spans[i].right = static_cast<int>(std::floor(cx + hw - 0.5 + 1e-9));
  }
  DrawSpanShape(painter, box.top, spans, tools.penWidth, tools.hasPen, tools.penRaw, tools.hasBrush,
                tools.brushRaw, dc->rop2);
  return TRUE;
}

BOOL RoundRect(HDC handle, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  DeviceContext* dc = Dc(handle);
  Journal("RoundRect(%d,%d,%d,%d,%d,%d)", left, top, right, bottom, ellipseWidth, ellipseHeight);
  if (!dc) return FALSE;
  Painter painter(dc);
  if (!painter.Ready()) return TRUE;
  const ShapeTools tools = ToolsOf(dc, painter);
  RECT box;
  if (!ShapeBox(painter, tools, left, top, right, bottom, &box)) return TRUE;
  const int width = box.right - box.left, rows = box.bottom - box.top;
  const int ew = std::clamp(ellipseWidth, 0, width), eh = std::clamp(ellipseHeight, 0, rows);
  std::vector<RowSpan> spans(static_cast<size_t>(rows), RowSpan{box.left, box.right - 1});
  if (ew >= 2 && eh >= 2) {
    // The corners are the quarters of an ew x eh ellipse: its top half
    // shapes the first eh / 2 rows, its bottom half the last ones.
    const double a = ew / 2.0, b = eh / 2.0;
    const int cornerRows = eh / 2;
    for (int k = 0; k < cornerRows && k < rows; ++k) {
      const double dy = (k + 0.5 - b) / b;
      const double hw = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
      const int inset = static_cast<int>(std::ceil(a - hw - 0.5 - 1e-9));
      const RowSpan span{box.left + inset, box.right - 1 - inset};
      spans[k] = span;
      spans[rows - 1 - k] = span;
    }
  }
  DrawSpanShape(painter, box.top, spans, tools.penWidth, tools.hasPen, tools.penRaw, tools.hasBrush,
                tools.brushRaw, dc->rop2);
  return TRUE;
}

BOOL Polygon(HDC handle, const POINT* points, int count) {
  DeviceContext* dc = Dc(handle);
  Journal("Polygon(%d)", count);
  if (!dc || !points || count < 2) return FALSE;
  Painter painter(dc);
  if (!painter.Ready()) return TRUE;
  const ShapeTools tools = ToolsOf(dc, painter);
  if (tools.hasBrush && count >= 3) {
    // Alternate filling: pixel centres between pairs of edge crossings.
    int top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
      top = std::min<int>(top, points[i].y);
      bottom = std::max<int>(bottom, points[i].y);
    }
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
      crossings.clear();
      const double yc = y + 0.5;
      for (int i = 0; i < count; ++i) {
        const POINT& p = points[i];
        const POINT& q = points[(i + 1) % count];
        if ((p.y <= yc) == (q.y <= yc)) continue;
        crossings.push_back(p.x + (yc - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y));
      }
      std::sort(crossings.begin(), crossings.end());
      for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
        const int x0 = static_cast<int>(std::ceil(crossings[k] - 0.5));
        const int x1 = static_cast<int>(std::ceil(crossings[k + 1] - 0.5));
        painter.Span(painter.Y(y), painter.X(x0), painter.X(x1), tools.brushRaw, dc->rop2);
      }
    }
  }
  if (tools.hasPen) {
    for (int i = 0; i < count; ++i) {
      const POINT& p = points[i];
      const POINT& q = points[(i + 1) % count];
      DrawLinePixels(painter, painter.X(p.x), painter.Y(p.y), painter.X(q.x), painter.Y(q.y), tools.penWidth,
                     tools.penRaw, dc->rop2);
    }
  }
  return TRUE;
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF colour) {
  DeviceContext* dc = Dc(handle);
  Journal("SetPixel(%d,%d,0x%06x)", x, y, colour);
  if (!dc) return CLR_INVALID;
  Painter painter(dc);
  if (!painter.Ready()) return CLR_INVALID;
  const int tx = painter.X(x), ty = painter.Y(y);
  for (const RECT& c : painter.Clip()) {
    if (tx >= c.left && tx < c.right && ty >= c.top && ty < c.bottom) {
      const uint32_t raw = painter.Raw(colour);
      WriteRaw(painter.Bitmap(), tx, ty, raw);
      painter.Touched();
      return RgbToColour(RawToRgb(painter.Bitmap(), raw));
    }
  }
  return CLR_INVALID;
}

COLORREF GetPixel(HDC handle, int x, int y) {
  DeviceContext* dc = Dc(handle);
  if (!dc || !dc->target) return CLR_INVALID;
  const int tx = x + dc->OffsetX(), ty = y + dc->OffsetY();
  for (const RECT& c : dc->EffectiveClip()) {
    if (tx >= c.left && tx < c.right && ty >= c.top && ty < c.bottom) {
      return RgbToColour(RawToRgb(*dc->target, ReadRaw(*dc->target, tx, ty)));
    }
  }
  return CLR_INVALID;
}
