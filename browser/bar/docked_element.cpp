// The band geometry and tree membership shared by docked elements.
#include "browser/bar/docked_element.h"

#include "layout/drawing/drawing_surface.h"

DockedElement::~DockedElement() = default;

void DockedElement::PaintBackground(const Rect& rect) {
  if (!container_) return;
  Color background = GetBackgroundColor();
  container_->SetPenColor(background);
  container_->SetFillColor(background);
  container_->DrawRect(rect, true);
}

void DockedElement::Arrange(Rect* remaining, const Rect& rect) {
  if (!visible_) {
    *remaining = rect;
    return;
  }
  int32_t thickness = GetThickness(side_);
  if (thickness < 0) thickness = 0;
  int64_t margin = GetHitMargin();
  if (margin < 0) margin = 0;
  rect.KeepEdgeBand(side_, thickness, &band_);
  int64_t hitThickness = int64_t{thickness} + margin;
  rect.KeepEdgeBand(side_, hitThickness > INT32_MAX ? INT32_MAX : static_cast<int32_t>(hitThickness), &hitBand_);
  int64_t extent = (side_ == kSideLeft || side_ == kSideRight) ? rect.width : rect.height;
  int64_t rest = extent - thickness;
  if (rest < 0) rest = 0;
  rect.KeepEdgeBand(kSideBottom - side_, static_cast<int32_t>(rest), remaining);
}

bool DockedElement::SetContainer(DrawingSurface* container) {
  container_ = container;
  if (!SetParent(container)) {
    container_ = nullptr;
    return false;
  }
  return true;
}
