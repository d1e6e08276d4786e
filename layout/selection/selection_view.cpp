// SelectAt and the selection highlight.
#include "layout/selection/selection_view.h"

#include "layout/drawing/drawing_surface.h"
#include "layout/lines/line_layout.h"
#include "layout/lines/line_records.h"
#include "layout/render/page_renderer.h"
#include "layout/selection/range_walker.h"
#include "layout/selection/text_units.h"

namespace {

bool EndsLine(const LayoutCursor& at) { return at.KindAt() == kLineItem; }

}  // namespace

bool SelectAt(PageSelection* selection, Point point, bool anchor, WideTables* tables) {
  LayoutItemStore* page = selection->Page();
  if (page == nullptr) return false;
  TableShiftTracker shift(tables);
  for (LayoutCursor at = LayoutCursor::Begin(page); !at.AtEnd(); at.Next()) {
    shift.OnItem(at);
    if (at.KindAt() != kLineItem) continue;
    const LineRecord& line = *LineAt(at);
    Rect band;
    if (!shift.Place(Rect{line.x, line.y, line.leftIndent + line.width + line.rightIndent, line.height}, &band))
      continue;
    if (!band.ContainsPoint(point)) continue;
    LayoutCursor last;
    bool found = false;
    for (LayoutCursor item = at; (item.Next(), !item.AtEnd() && !EndsLine(item));) {
      int32_t right = 0;
      if (item.KindAt() == kTextItem) {
        right = TextAt(item)->layoutWords[0] + TextAt(item)->width + shift.Shift().x;
      } else if (item.KindAt() == kObjectItem) {
        const LayoutObject& object = *ObjectAt(item);
        right = object.words[kObjectPlacedX] + object.words[kObjectPlacedWidth] +
                (object.words[kObjectAlignment] != 1 ? shift.Shift().x : 0);
      } else {
        continue;
      }
      last = item;
      found = true;
      if (right > point.x) break;
    }
    if (!found) return false;
    return selection->SelectWordAt(last, anchor);
  }
  return false;
}

bool SelectionHighlight::Rebuild(const PageSelection& selection, DrawingSurface* surface, WideTables* tables) {
  ShapeArea fresh;
  LayoutCursor from, to;
  bool ok = true;
  if (selection.GetSelectionCursors(&from, &to)) {
    ShapeAreaArray areas;
    RangeAreaVisitor visitor;
    ok = WalkRange(selection.Page(), &areas, &visitor, from, to, false, tables);
    // The area is used only when the walk gave exactly one.
    if (ok && areas.Count() == 1) fresh.MoveFrom(*areas.At(0));
  }
  if (surface != nullptr) {
    surface->BeginDraw(false);
    ShapeArea difference;
    if (ShapeArea::SymmetricDifference(fresh, area_, &difference)) {
      difference.PaintOutline(surface);
    } else {
      area_.PaintOutline(surface);
      fresh.PaintOutline(surface);
    }
    surface->EndDraw();
  }
  area_.MoveFrom(fresh);
  return ok;
}

void SelectionHighlight::Clear(DrawingSurface* surface) {
  if (!area_.IsEmpty() && surface != nullptr) {
    surface->BeginDraw(false);
    area_.PaintOutline(surface);
    surface->EndDraw();
  }
  area_.Clear();
}

void SelectionHighlight::Flash(DrawingSurface* surface) {
  if (surface == nullptr || area_.IsEmpty()) return;
  for (int i = 0; i < 4; ++i) {
    surface->BeginDraw(false);
    area_.PaintOutline(surface);
    surface->EndDraw();
    surface->RedrawScreen();
  }
}

bool SelectionHighlight::GetBounds(Rect* out) const {
  if (area_.IsEmpty()) return false;
  area_.GetBoundingBox(out);
  return true;
}

bool SelectionHighlight::GetAnchorPoint(Point* out) const {
  if (area_.IsEmpty()) return false;
  area_.AnchorPoint(out);
  return true;
}
