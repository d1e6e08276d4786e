// The selection on the screen: the word under a stylus point, and the
// highlight drawn in inverse colours over the selected text. A changed
// selection redraws only the symmetric difference of the old and the new
// highlight, at once, inside a drawing pass. The page must have been
// painted (the walk reads where the renderer placed its text).
#pragma once

#include "foundation/geometry/rect.h"
#include "layout/selection/page_selection.h"
#include "layout/shapes/shape_area.h"

class DrawingSurface;
class WideTables;

// The word under the point becomes the anchor (or the focus): the first
// line whose band holds the point, then the first text or object on it
// whose right edge lies beyond the point's x (the line's last one when the
// point lies right of it). False when no line with text is under the point.
// With wide tables (bound to the page's frame; may be null) the lines of a
// scrolled table are where it shows them.
bool SelectAt(PageSelection* selection, Point point, bool anchor, WideTables* tables = nullptr);

class SelectionHighlight {
 public:
  // Builds the selection's area; with a surface, draws the difference from
  // the old one (or, when it cannot be built, the old area and then the new
  // one) in inverse colours. False on lack of memory.
  bool Rebuild(const PageSelection& selection, DrawingSurface* surface, WideTables* tables = nullptr);
  // The drawn area is drawn once more (erasing it) and forgotten.
  void Clear(DrawingSurface* surface);
  // Four inverse drawings, the screen brought up to date after each.
  void Flash(DrawingSurface* surface);
  const ShapeArea& Area() const { return area_; }
  bool GetBounds(Rect* out) const;
  bool GetAnchorPoint(Point* out) const;

 private:
  ShapeArea area_;
};
