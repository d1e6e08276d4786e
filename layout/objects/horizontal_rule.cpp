// HorizontalRule: size and drawing.
#include "layout/objects/horizontal_rule.h"

#include "layout/drawing/drawing_surface.h"

void HorizontalRule::SetColor(Color color) {
  color_ = color;
  const uint32_t v = color.value;
  shade_ = Color::FromRgb(static_cast<uint8_t>((v & 0xFF) / 2), static_cast<uint8_t>(((v >> 8) & 0xFF) / 2),
                          static_cast<uint8_t>(((v >> 16) & 0xFF) / 2));
}

bool HorizontalRule::GetSize(Size* size, bool* scalable, bool* secondFlag) {
  size->width = 0x0FFFFFFF;  // as wide as the line allows
  size->height = 4;
  if (scalable != nullptr) *scalable = true;
  if (secondFlag != nullptr) *secondFlag = false;
  return true;
}

void HorizontalRule::Span(int32_t boxWidth, int32_t* start, int32_t* length) const {
  int32_t width = ResolveStyleLength(width_, 0, boxWidth);
  if (width > boxWidth) width = boxWidth;
  if (width < 0) width = 0;
  *start = (boxWidth - width) / 2;
  *length = width;
}

bool HorizontalRule::Draw(DrawingSurface* surface, const Rect& box, const Rect* /*clip*/) {
  int32_t start = 0, length = 0;
  Span(box.width, &start, &length);
  const int32_t y = box.y + box.height / 2;
  const int32_t x = box.x + start;
  surface->SetPenColor(color_);
  surface->DrawLine(Point{x, y}, Point{x + length, y});
  surface->SetPenColor(shade_);
  surface->DrawLine(Point{x + 1, y + 1}, Point{x + length + 1, y + 1});
  return true;
}
