// DrawingSurface: rectangles, lines, circles, erasing, the clip rectangle
// and the drawing origin. The platform leaves the right and bottom edges
// of a shape and the last point of a polyline out; the surface's shapes
// say exactly which pixels they cover.
#include "layout/drawing/drawing_surface.h"
#include "platform/gdi/gdi.h"

void DrawingSurface::DrawRect(const Rect& rect, bool filled) {
  if (currentDc_ == nullptr) return;
  if ((mode_ & kXorMode) != 0) {
    // Older platforms invert the rectangle one pixel inside its edges, so
    // it is grown there to cover the same pixels.
    int32_t grow = SurfacePlatformAbove4() ? 0 : 1;
    PreparePen();
    PrepareBrush();
    Rectangle(currentDc_, rect.x - grow, rect.y - grow, rect.x + rect.width + grow, rect.y + rect.height + grow);
  } else if (filled) {
    PreparePen();
    PrepareBrush();
    Rectangle(currentDc_, rect.x, rect.y, rect.x + rect.width, rect.y + rect.height);
  } else {
    PreparePen();
    int32_t right = rect.x + rect.width - 1;
    int32_t bottom = rect.y + rect.height - 1;
    POINT points[5] = {{rect.x, rect.y}, {right, rect.y}, {right, bottom}, {rect.x, bottom}, {rect.x, rect.y}};
    Polyline(currentDc_, points, 5);
  }
  NoteDrawn(&rect);
}

void DrawingSurface::DrawRoundRect(const Rect& rect, int32_t radius) {
  if (currentDc_ == nullptr) return;
  PreparePen();
  PrepareBrush();
  if ((mode_ & kXorMode) != 0) {
    Rectangle(currentDc_, rect.x - 1, rect.y - 1, rect.x + rect.width + 1, rect.y + rect.height + 1);
  } else {
    RoundRect(currentDc_, rect.x, rect.y, rect.x + rect.width, rect.y + rect.height, 2 * radius, 2 * radius);
  }
  NoteDrawn(&rect);
}

void DrawingSurface::DrawLine(Point from, Point to) {
  if (currentDc_ == nullptr) return;
  PreparePen();
  POINT points[2] = {{from.x, from.y}, {to.x, to.y}};
  Polyline(currentDc_, points, 2);
  // The platform leaves the end pixel out; the surface's lines include it.
  if (!penColor_.IsNone()) {
    if ((mode_ & kXorMode) != 0) {
      // An inverting pen inverts the end pixel too.
      COLORREF under = GetPixel(currentDc_, to.x, to.y);
      if (under != CLR_INVALID) SetPixel(currentDc_, to.x, to.y, under ^ 0x00FFFFFFu);
    } else {
      SetPixel(currentDc_, to.x, to.y, penColor_.value == Color::kUnapplied ? 0 : penColor_.value);
    }
  }
  Rect drawn{from.x < to.x ? from.x : to.x, from.y < to.y ? from.y : to.y, (from.x < to.x ? to.x - from.x : from.x - to.x) + 1,
             (from.y < to.y ? to.y - from.y : from.y - to.y) + 1};
  NoteDrawn(&drawn);
}

void DrawingSurface::DrawCircle(Point centre, int32_t radius, bool filled) {
  if (currentDc_ == nullptr) return;
  PreparePen();
  if (filled) {
    PrepareBrush();
  } else {
    // An outline: the inside is left alone.
    HGDIOBJ hollow = GetStockObject(NULL_BRUSH);
    HGDIOBJ previous = SelectObject(currentDc_, hollow);
    Ellipse(currentDc_, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
    SelectObject(currentDc_, previous);
    Rect drawn{centre.x - radius, centre.y - radius, 2 * radius, 2 * radius};
    NoteDrawn(&drawn);
    return;
  }
  Ellipse(currentDc_, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
  Rect drawn{centre.x - radius, centre.y - radius, 2 * radius, 2 * radius};
  NoteDrawn(&drawn);
}

void DrawingSurface::EraseRect(const Rect& rect) {
  if (backgroundPicture_ != nullptr && backgroundPicture_->IsValid()) {
    BlitBitmapAt(*backgroundPicture_, Point{rect.x, rect.y}, rect);
    return;
  }
  Color previousFill = fillColor_;
  Color previousPen = penColor_;
  SetFillColor(background_);
  SetPenColor(Color{Color::kNoColor});
  // With no pen the platform's rectangle stops one pixel short on the
  // right and bottom; the brush must cover the whole rectangle.
  if (currentDc_ != nullptr) {
    PreparePen();
    PrepareBrush();
    Rectangle(currentDc_, rect.x, rect.y, rect.x + rect.width + 1, rect.y + rect.height + 1);
    NoteDrawn(&rect);
  }
  SetPenColor(previousPen);
  SetFillColor(previousFill);
}

// ---- Clip and origin

void DrawingSurface::SetClipRect(const Rect& rect) {
  ClearClip();
  ClipToRect(rect);
}

void DrawingSurface::ClipToRect(const Rect& rect) {
  if (currentDc_ != nullptr) {
    IntersectClipRect(currentDc_, rect.x, rect.y, rect.x + rect.width, rect.y + rect.height);
  }
  Rect moved{rect.x + origin_.x, rect.y + origin_.y, rect.width, rect.height};
  if (!Rect::Intersect(clip_, moved, &clip_)) clip_.width = 0;
}

void DrawingSurface::ClearClip() {
  if (currentDc_ != nullptr) SelectClipRgn(currentDc_, nullptr);
  clip_.SetMaximal();
}

void DrawingSurface::SetOrigin(Point origin) {
  origin_ = origin;
  if (currentDc_ != nullptr) SetViewportOrgEx(currentDc_, origin.x, origin.y, nullptr);
}
