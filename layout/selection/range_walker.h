// WalkRange: follows the items of a painted page between two cursors and
// gathers, for each stretch a visitor marks, the rectangles the stretch
// covers on its lines into one ShapeArea: a link whose text wraps over two
// lines becomes one area of two rectangles. It reads where the renderer
// placed each text run and object when it painted the page, so the page
// must have been painted.
//
// Two visitors use it: the link-area visitor (the page's clickable links,
// from the links of the style runs) and the range visitor (the highlight of
// a selection).
#pragma once

#include <cstdint>

#include "layout/items/layout_item_store.h"
#include "layout/shapes/shape_area.h"

class AnnotationPainter;
class WideTables;

// Follows the tables of a walk over a painted page: inside a table that
// scrolls in its viewport the places the renderer wrote move by the
// table's shift and are cut at the viewport. Without wide tables (null)
// nothing moves.
class TableShiftTracker {
 public:
  explicit TableShiftTracker(WideTables* tables) : tables_(tables) {}
  // Called for every item of the walk, in order.
  void OnItem(const LayoutCursor& at);
  Point Shift() const { return shift_; }
  const Rect* Clip() const { return clipping_ ? &clip_ : nullptr; }
  Rect Move(const Rect& r) const { return Rect{r.x + shift_.x, r.y + shift_.y, r.width, r.height}; }
  // Moved and cut at the viewport; false when nothing of it is visible.
  bool Place(const Rect& r, Rect* out) const;

 private:
  WideTables* tables_;
  uint32_t depth_ = 0;
  Point shift_;
  Rect clip_;
  bool clipping_ = false;
};

class RangeVisitor {
 public:
  virtual ~RangeVisitor() = default;
  // At each item from the start on: true when the open stretch ends before
  // this item; *open asks for a new stretch starting here.
  virtual bool OnItem(const LayoutCursor& at, bool* open) = 0;
  // Whether a stretch may start at the range's start.
  virtual bool StartsAt(const LayoutCursor& at) = 0;
  // Gives a finished area its action.
  virtual void FillArea(ShapeArea* area) = 0;
};

// The links of the style runs: one stretch per run of text under the same
// link. With a painter of the book's notes, text under a note that has no
// link of its own takes the note's action (showing the note).
class LinkAreaVisitor : public RangeVisitor {
 public:
  // The link in force where the page starts (a link wrapped from the page
  // before), may be null; the painter (may be null) is reset at the page
  // start with links made.
  LinkAreaVisitor(LinkAction* initial, AnnotationPainter* painter) : painter_(painter) {
    current_.Assign(initial);
    runLink_.Assign(initial);
  }
  bool OnItem(const LayoutCursor& at, bool* open) override;
  bool StartsAt(const LayoutCursor&) override {
    open_.Assign(current_.Get());
    return current_.Get() != nullptr;
  }
  void FillArea(ShapeArea* area) override;

 private:
  AnnotationPainter* painter_;
  RefPtr<LinkAction> runLink_;  // the link of the style run in force
  RefPtr<LinkAction> closing_;  // the link of the stretch that just ended
  bool closingSet_ = false;
  RefPtr<LinkAction> current_;  // the link in force (the run's or the note's)
  RefPtr<LinkAction> open_;     // the link of the open stretch
};

// Everything between the two cursors: one stretch.
class RangeAreaVisitor : public RangeVisitor {
 public:
  bool OnItem(const LayoutCursor&, bool* open) override {
    *open = false;
    return false;
  }
  bool StartsAt(const LayoutCursor&) override { return true; }
  void FillArea(ShapeArea*) override {}
};

// Appends an area to `areas` for every stretch of [from, to) that holds
// rectangles (or, with objects asked for, a tappable object's own area).
// False when an area cannot be stored.
// With wide tables (bound to the page's frame; may be null) the places
// inside a scrolled table move with it.
bool WalkRange(LayoutItemStore* page, ShapeAreaArray* areas, RangeVisitor* visitor, const LayoutCursor& from,
               const LayoutCursor& to, bool withObjects, WideTables* tables = nullptr);

// The page's link areas, in page order (the painter, may be null, reset at
// the page start with links made); false on lack of memory (the list
// then empty).
bool BuildLinkAreas(LayoutItemStore* page, LinkAction* initialLink, AnnotationPainter* painter,
                    ShapeAreaArray* areas, WideTables* tables = nullptr);

// Appends an area over a note's mark whose action shows the note (the
// command values 25 and 71 with the note's bookmark). False on lack of
// memory.
bool AddNoteArea(ShapeAreaArray* areas, uint32_t bookmark, const Rect& rect);

// Appends an area whose action runs a script (ASCII text). False on lack
// of memory.
bool AddScriptArea(ShapeAreaArray* areas, const Rect& rect, const char* script);

// Appends an area whose action shows a tip: the script
// display_tip("text",number), the text escaped for a script string.
// False on lack of memory.
bool AddTipArea(ShapeAreaArray* areas, const Rect& rect, const SharedWideString& text, int32_t number);
