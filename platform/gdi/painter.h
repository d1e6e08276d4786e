// A DC's target and clip made ready for one drawing call: spans, pixels
// and rectangles in target coordinates, cut by the effective clip, under a
// binary raster operation. Every shape call draws through one.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pixel_ops.h"

namespace gdi_internal {

class Painter {
 public:
  explicit Painter(DeviceContext* dc)
      : dc_(dc), bitmap_(dc ? dc->target : nullptr), clip_(dc ? &dc->EffectiveClip() : nullptr) {}
  ~Painter() {
    if (touched_) dc_->NoteChanged();
  }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  bool Ready() const { return bitmap_ && !clip_->empty(); }
  BitmapObject& Bitmap() const { return *bitmap_; }
  const std::vector<RECT>& Clip() const { return *clip_; }
  // Logical to target.
  int X(int x) const { return x + dc_->OffsetX(); }
  int Y(int y) const { return y + dc_->OffsetY(); }
  uint32_t Raw(COLORREF colour) const { return ColourToRaw(*bitmap_, colour); }

  // Columns [x0, x1) of target row y.
  void Span(int y, int x0, int x1, uint32_t raw, int rop2) {
    for (const RECT& c : *clip_) {
      if (y < c.top || y >= c.bottom) continue;
      const int a = x0 > c.left ? x0 : c.left, b = x1 < c.right ? x1 : c.right;
      if (a < b) {
        FillSpan(*bitmap_, y, a, b, raw, rop2);
        touched_ = true;
      }
    }
  }
  void Pixel(int x, int y, uint32_t raw, int rop2) {
    for (const RECT& c : *clip_) {
      if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) {
        WriteRaw(*bitmap_, x, y, ApplyRop2(rop2, raw, ReadRaw(*bitmap_, x, y)) & RawMask(bitmap_->format));
        touched_ = true;
        return;
      }
    }
  }
  // Target rectangle, right and bottom excluded.
  void Fill(const RECT& r, uint32_t raw, int rop2) {
    for (const RECT& c : *clip_) {
      const int left = r.left > c.left ? r.left : c.left, right = r.right < c.right ? r.right : c.right;
      const int top = r.top > c.top ? r.top : c.top, bottom = r.bottom < c.bottom ? r.bottom : c.bottom;
      if (left >= right || top >= bottom) continue;
      for (int y = top; y < bottom; ++y) FillSpan(*bitmap_, y, left, right, raw, rop2);
      touched_ = true;
    }
  }
  void Touched() { touched_ = true; }

 private:
  DeviceContext* dc_;
  BitmapObject* bitmap_;
  const std::vector<RECT>* clip_;
  bool touched_ = false;
};

// A shape as one span per row: rows top .. top + spans.size() - 1 in
// target coordinates, span {left, right} inclusive (left > right: empty).
struct RowSpan {
  int left;
  int right;
};

// Draws a shape: the pen's outline (pixels within the pen's width of the
// shape's edge, along rows and columns) and the brush inside it, each pixel touched once, so a
// shape drawn twice under R2_NOT gives back what it covered.
void DrawSpanShape(Painter& painter, int top, const std::vector<RowSpan>& spans, int penWidth, bool hasPen,
                   uint32_t penRaw, bool hasBrush, uint32_t brushRaw, int rop2);

// A line from (x0, y0) towards (x1, y1), the last point left out, in target
// coordinates; a wider pen draws a square of its width at each point.
void DrawLinePixels(Painter& painter, int x0, int y0, int x1, int y1, int width, uint32_t raw, int rop2);

}  // namespace gdi_internal
