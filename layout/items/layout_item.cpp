// LayoutItem::Measure: the size of a text run in the current font.
#include "layout/items/layout_item.h"

#include "layout/drawing/drawing_surface.h"

void LayoutItem::Measure(DrawingSurface* surface) {
  Size size{};
  const WCHAR* chars = text.length == 0 ? nullptr : text.Chars();
  if (surface == nullptr || !surface->MeasureText(chars, static_cast<int32_t>(text.length), &size)) {
    width = 0;
    height = 0;
    return;
  }
  width = size.width;
  height = size.height;
}
