// Span shapes and lines.
#include "platform/gdi/painter.h"

#include <cstdlib>

namespace gdi_internal {

void DrawSpanShape(Painter& painter, int top, const std::vector<RowSpan>& spans, int penWidth, bool hasPen,
                   uint32_t penRaw, bool hasBrush, uint32_t brushRaw, int rop2) {
  const int rows = static_cast<int>(spans.size());
  const int w = hasPen ? (penWidth < 1 ? 1 : penWidth) : 0;
  for (int i = 0; i < rows; ++i) {
    const RowSpan span = spans[i];
    if (span.left > span.right) continue;
    const int y = top + i;
    // The inside: pixels whose every neighbour within the pen's width
    // (counted along rows and columns, so the outline is one pixel thin
    // on slopes too) lies in the shape.
    int innerLeft = span.left + w, innerRight = span.right - w;
    for (int j = i - w; j <= i + w && w > 0; ++j) {
      if (j == i) continue;
      if (j < 0 || j >= rows || spans[j].left > spans[j].right) {
        innerLeft = 1;
        innerRight = 0;
        break;
      }
      const int reach = w - (j < i ? i - j : j - i);
      if (spans[j].left + reach > innerLeft) innerLeft = spans[j].left + reach;
      if (spans[j].right - reach < innerRight) innerRight = spans[j].right - reach;
    }
    if (innerLeft > innerRight) {
      if (hasPen) painter.Span(y, span.left, span.right + 1, penRaw, rop2);
      continue;
    }
    if (hasPen) {
      painter.Span(y, span.left, innerLeft, penRaw, rop2);
      painter.Span(y, innerRight + 1, span.right + 1, penRaw, rop2);
    }
    if (hasBrush) painter.Span(y, innerLeft, innerRight + 1, brushRaw, rop2);
  }
}

void DrawLinePixels(Painter& painter, int x0, int y0, int x1, int y1, int width, uint32_t raw, int rop2) {
  const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  const int steps = dx > dy ? dx : dy;
  const int half = (width - 1) / 2;
  int error = (dx > dy ? dx : -dy) / 2;
  int x = x0, y = y0;
  for (int i = 0; i < steps; ++i) {
    if (width <= 1) {
      painter.Pixel(x, y, raw, rop2);
    } else {
      painter.Fill(RECT{x - half, y - half, x - half + width, y - half + width}, raw, rop2);
    }
    const int e = error;
    if (e > -dx) {
      error -= dy;
      x += sx;
    }
    if (e < dy) {
      error += dx;
      y += sy;
    }
  }
}

}  // namespace gdi_internal
