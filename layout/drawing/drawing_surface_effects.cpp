// DrawingSurface: the two painted effects, a colour gradient drawn line by
// line and the zigzag line (the mark under a misspelt or highlighted
// word), whose phase can follow a grid so that neighbouring zigzags join.
#include "foundation/geometry/geometry_color.h"
#include "layout/drawing/drawing_surface.h"

void DrawingSurface::FillGradient(const Rect& rect, Color from, Color to, bool rows) {
  int32_t lines = rows ? rect.height : rect.width;
  Color previousPen = penColor_;
  for (int32_t i = 0; i < lines; ++i) {
    // (from x (n - i) + to x i) / n, channel by channel.
    SetPenColor(Color{InterpolateColor(from.value, to.value, lines - i, lines)});
    if (rows) {
      DrawLine(Point{rect.x, rect.y + i}, Point{rect.x + rect.width - 1, rect.y + i});
    } else {
      DrawLine(Point{rect.x + i, rect.y}, Point{rect.x + i, rect.y + rect.height - 1});
    }
  }
  SetPenColor(previousPen);
}

void DrawingSurface::DrawZigzag(const Rect& rect, bool vertical, bool startHigh, bool alignToGrid) {
  int32_t span = (vertical ? rect.height : rect.width) - 1;
  int32_t amplitude = (vertical ? rect.width : rect.height) - 1;
  if (span <= 0 || amplitude <= 0) {
    if (span >= 1) DrawLine(Point{rect.x, rect.y}, Point{rect.x + rect.width - 1, rect.y + rect.height - 1});
    return;
  }
  int32_t phase = 0;
  if (alignToGrid) {
    int32_t along = vertical ? rect.y : rect.x;
    int32_t period = 2 * amplitude;
    phase = ((along % period) + period) % period;
    if (phase >= amplitude) {
      phase -= amplitude;
      startHigh = !startHigh;
    }
  }
  Point at;
  if (startHigh) {
    at = Point{rect.x, rect.y};
  } else {
    at = vertical ? Point{rect.x + rect.width - 1, rect.y} : Point{rect.x, rect.y + rect.height - 1};
  }
  // Moved across by the phase: towards the other edge.
  int32_t across = startHigh ? phase : -phase;
  if (vertical) {
    at.x += across;
  } else {
    at.y += across;
  }
  bool high = startHigh;
  while (span >= 1) {
    int32_t k = amplitude - phase;
    if (span < k) k = span;
    int32_t step = high ? k : -k;
    Point end = vertical ? Point{at.x + step, at.y + k} : Point{at.x + k, at.y + step};
    DrawLine(at, end);
    at = end;
    phase = 0;
    span -= k;
    high = !high;
  }
}
