// The small records line layout works with: FlowSpace (the free part of the
// column being filled), LineBox (the horizontal box of a line) and
// LineMetrics (its vertical extent: ascents, descents, anchored objects and
// leading, finished into a height and a baseline).
#pragma once

#include <cstdint>

#include "foundation/geometry/geometry_point.h"
#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/lines/line_records.h"

struct FlowSpace {
  int32_t used = 0;  // top of the free part, from the column's top
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t margins[2] = {0, 0};  // pending vertical margins; the larger counts
  uint8_t full = 0;

  void Reset() {
    used = 0;
    margins[0] = margins[1] = 0;
    full = 0;
  }
  void SetColumn(int32_t cx, int32_t cy, int32_t cw, int32_t ch) {
    x = cx;
    y = cy;
    width = cw;
    height = ch;
  }
  int32_t PendingMargin() const { return margins[0] > margins[1] ? margins[0] : margins[1]; }
  int32_t UsedHeight() const { return used + PendingMargin(); }
  int32_t Remaining() const { return full ? 0 : height - UsedHeight(); }
  void Advance(int32_t h) {
    used += PendingMargin() + h;
    margins[0] = margins[1] = 0;
  }
  void SetTop(int32_t v) {
    used = v;
    margins[0] = margins[1] = 0;
  }
  void MarkFull() { full = 1; }
  void PlaceLine(LineRecord* line, int32_t xOffset) const {
    line->y = y + used + PendingMargin();
    line->x = xOffset + x;
  }
  // Objects are never taken out of the line to float beside it.
  bool PlaceFloat() const { return false; }
};

struct LineBox {
  static constexpr uint8_t kBordered = 0x01;  // 2 pixels each side for the border
  int32_t left = 0;
  int32_t right = 0;
  int32_t width = 0;
  uint8_t flags = 0;

  void SetIndents(const ParagraphFormat& format, bool firstLine, int32_t fontSize, int32_t reference);
  int32_t AvailableWidth() const { return width - ((flags & kBordered) ? 4 : 0) - left - right; }
  int32_t FitWidth(const FlowSpace& space) {
    width = space.width;
    if (AvailableWidth() < 0) left = right = 0;
    return AvailableWidth();
  }
};

// Vertical alignment codes of objects (the VALIGN and ALIGN values).
enum VerticalAlign : int32_t {
  kAlignTop = 0,
  kAlignMiddle = 1,
  kAlignBottom = 2,
  kAlignBaseline = 3,
  kAlignTextTop = 4,
  kAlignAbsMiddle = 9,
  kAlignAbsBottom = 10,
};

struct LineMetrics {
  static constexpr uint8_t kExtraAbove = 0x01;
  static constexpr uint8_t kExtraBelow = 0x02;
  static constexpr uint8_t kVisibleText = 0x04;
  static constexpr uint8_t kFinished = 0x08;
  static constexpr uint8_t kModeShift = 4;  // anchored mode: 1 top, 2 bottom, 0 middle

  int32_t fontAscent = 0;
  int32_t fontDescent = 0;
  int32_t itemAscent = 0;
  int32_t itemDescent = 0;
  int32_t anchored = 0;
  int32_t middle = 0;
  int32_t textTop = 0;
  int32_t baseline = 0;
  int32_t height = 0;
  uint8_t flags = 0;
  int32_t extraAbove = 0;
  int32_t extraBelow = 0;
  int32_t spacing = 0;  // leading, in quarters of the font height

  void Reset();
  void Include(int32_t ascent, int32_t descent);
  void AddItem(int32_t valign, int32_t itemHeight, int32_t descent, int32_t space);
  void NoteText(const SharedWideString& text);
  int32_t SpaceAbove() const { return extraAbove + (flags & kExtraAbove ? 1 : 0); }
  int32_t SpaceBelow() const { return extraBelow + (flags & kExtraBelow ? 1 : 0); }
  int32_t AnchorMode() const { return (flags >> kModeShift) & 3; }
  void Finish();
};

// The rectangle of a stretch [xFrom, xTo) of a line, between its space above
// and below; with `offset` the rectangle moves down by offset->y and is
// clipped to `clip` (false when nothing is left).
bool LineBandRect(const LineRecord& line, int32_t xFrom, int32_t xTo, const Point* offset, const Rect& clip, Rect* out);
