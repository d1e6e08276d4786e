// DrawingSurface: colours, the inverting mode, and the pens and brushes
// made from the colours. A pen or brush is made again only when its colour
// changed since it was last made; the outermost EndDraw gives the DC its
// own objects back and forgets the applied colours.
#include "layout/drawing/drawing_surface.h"

#include "platform/gdi/gdi.h"

void DrawingSurface::SetPenColor(Color color) {
  if (color == penColor_) return;
  penColor_ = color;
  penValid_ = 0;
}

void DrawingSurface::SetFillColor(Color color) {
  if (color == fillColor_) return;
  fillColor_ = color;
  brushValid_ = 0;
  if (currentDc_ == nullptr) return;
  if (color.IsNone()) {
    SetBkMode(currentDc_, TRANSPARENT);
  } else {
    SetBkMode(currentDc_, OPAQUE);
    SetBkColor(currentDc_, color.value);
  }
}

void DrawingSurface::SetTextColor(Color color) {
  if (currentDc_ != nullptr) ::SetTextColor(currentDc_, color.value);
  textColor_ = color;
}

uint32_t DrawingSurface::SetXorMode(uint32_t mode) {
  uint32_t previous = mode_;
  mode_ = mode;
  if (currentDc_ != nullptr) SetROP2(currentDc_, (mode & kXorMode) != 0 ? R2_NOT : R2_COPYPEN);
  return previous;
}

void DrawingSurface::SelectOwnObject(HGDIOBJ object, HGDIOBJ* initial) {
  HGDIOBJ out = SelectObject(currentDc_, object);
  if (*initial == nullptr) {
    *initial = out;
  } else if (out != nullptr) {
    DeleteObject(out);
  }
}

bool DrawingSurface::PreparePen() {
  if (currentDc_ == nullptr) return false;
  if (penValid_) return true;
  // A colour never applied in this pass draws as black, as a fresh DC does.
  COLORREF colour = penColor_.value == Color::kUnapplied ? 0 : penColor_.value;
  HPEN pen = CreatePen(penColor_.IsNone() ? PS_NULL : PS_SOLID, 1, penColor_.IsNone() ? 0 : colour);
  if (pen == nullptr) return false;
  SelectOwnObject(pen, &initialPen_);
  penValid_ = 1;
  return true;
}

bool DrawingSurface::PrepareBrush() {
  if (currentDc_ == nullptr) return false;
  if (brushValid_) return true;
  HBRUSH brush;
  if (fillColor_.IsNone() || fillColor_.value == Color::kUnapplied) {
    brush = GetStockObject(NULL_BRUSH);
  } else {
    brush = CreateSolidBrush(fillColor_.value);
  }
  if (brush == nullptr) return false;
  SelectOwnObject(brush, &initialBrush_);
  brushValid_ = 1;
  return true;
}

void DrawingSurface::ReleaseGdiObjects() {
  if (currentDc_ != nullptr) {
    if (initialFont_ != nullptr) SelectObject(currentDc_, initialFont_);
    if (initialBrush_ != nullptr) {
      HGDIOBJ out = SelectObject(currentDc_, initialBrush_);
      if (out != nullptr) DeleteObject(out);
    }
    if (initialPen_ != nullptr) {
      HGDIOBJ out = SelectObject(currentDc_, initialPen_);
      if (out != nullptr) DeleteObject(out);
    }
  }
  initialFont_ = nullptr;
  initialBrush_ = nullptr;
  initialPen_ = nullptr;
  brushValid_ = 0;
  penValid_ = 0;
  fontSelected_ = 0;
  fillColor_ = Color{Color::kUnapplied};
  penColor_ = Color{Color::kUnapplied};
  textColor_ = Color{Color::kUnapplied};
}
