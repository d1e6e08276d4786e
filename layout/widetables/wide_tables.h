// WideTables: the scroll state of the wide tables of the shown page. A table
// wider (or taller) than the box the page gives it is shown through a
// viewport beside its scroll marks and moved inside it, by a stylus drag,
// the scroll commands or a script call, without laying the page out again.
//
// The marks are three pictures (the table mark, the left and the right
// mark). Without all three no table scrolls: its viewport is its box, its
// offsets stay 0, it has no marks and no scroll areas, no point finds it and
// scrolling changes nothing.
//
// Files: wide_tables.cpp (viewport, mark rectangles, states, scrolling),
// wide_tables_paint.cpp (the marks, the selection frame, the live scroll).
// UI thread only.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/geometry/rect.h"
#include "layout/drawing/color.h"
#include "layout/pages/table_scroll_state.h"
#include "layout/shapes/shape_area.h"

class DrawingSurface;

// A mark picture: answers its size and draws itself at a rectangle.
class ScrollMarkPicture {
 public:
  virtual Size GetSize() const = 0;
  virtual void Draw(DrawingSurface* surface, const Rect& rect) = 0;

 protected:
  ~ScrollMarkPicture() = default;
};

// A mark picture that is an inline object (an icon of the program).
class InlineObjectMark : public ScrollMarkPicture {
 public:
  void Set(InlineObject* object) { object_ = object; }
  InlineObject* Object() const { return object_; }
  Size GetSize() const override;
  void Draw(DrawingSurface* surface, const Rect& rect) override;

 private:
  InlineObject* object_ = nullptr;  // not owned
};

// One wide table of the page: the page frame's scroll state of it.
using WideTableState = TableScrollState;

class WideTables {
 public:
  static constexpr int32_t kAllSelected = -1;
  static constexpr int32_t kSelectedOrAll = -2;
  static constexpr int32_t kMarkCopies = 3;
  static constexpr int32_t kCommandStep = 40;

  WideTables();
  ~WideTables();
  WideTables(const WideTables&) = delete;
  WideTables& operator=(const WideTables&) = delete;

  // ---- Set-up: the pictures (not owned; null: missing) and the page's
  // margins and column count the viewport leaves room by.
  void SetPictures(ScrollMarkPicture* tableMark, ScrollMarkPicture* left, ScrollMarkPicture* right);
  void SetPageGeometry(int32_t leftMargin, int32_t rightMargin, int32_t columns);
  void SetPageBackground(Color color) { pageBackground_ = color; }
  bool HasPictures() const;

  // ---- Geometry.
  static bool Scrolls(int32_t fullWidth, int32_t fullHeight, const Rect& box) {
    return fullWidth > box.width || fullHeight > box.height;
  }
  // False (and the box itself) when a picture is missing.
  bool GetTableViewport(const Rect& box, Rect* out) const;
  bool GetTableScrollRects(const Rect& box, Rect* viewport, Rect* tableMark, Rect* left, Rect* right) const;
  // The viewport and the shift of the table's content relative to its box
  // (painting and hit tests move the table's lines by it and clip to the
  // viewport). False when the table does not scroll.
  bool GetTableOffset(const Rect& box, uint32_t position, Rect* viewport, Point* offset) const;

  // ---- States: one per wide table of the page, made the first time the
  // table is painted. They live in the shown page's frame (Bind), so that
  // they stay with the page and are saved with it; unbound, in a list of
  // the object's own.
  void Bind(TableScrollStates* states) { states_ = states != nullptr ? states : &own_; }
  const TableScrollStates* States() const { return states_; }
  WideTableState* Find(uint32_t position);
  // The table's state, made when missing (null on lack of memory, or
  // when a picture is missing): records its box and maxima (painting).
  WideTableState* NoteTable(uint32_t position, const Rect& box, int32_t fullWidth, int32_t fullHeight,
                            Color background);
  static void UpdateTableExtent(WideTableState* state, Point maximum, bool keepLarger);
  uint32_t Count() const { return states_->count; }
  WideTableState* At(uint32_t i) { return states_->At(i); }
  void Clear();

  // ---- Scrolling.
  static Point ClampScroll(const WideTableState& state, Point delta, bool fromBase);
  void ResetTableScroll();
  // which: a table position, kAllSelected or kSelectedOrAll. Live: the
  // viewports are scrolled on the surface at once (inside a drawing pass)
  // and the uncovered strips filled. True when any offset changed; `out`
  // (may be null) gets the union of the changed viewports.
  bool ScrollTables(Point delta, bool live, Rect* out, int64_t which, DrawingSurface* surface);
  // A table position, or -1 for all (every flag the opposite of the first
  // table's). Redraws the changed frames when a surface is given.
  void ToggleTableSelection(int64_t position, DrawingSurface* surface);
  // The first scrolling table whose viewport holds the point: its position,
  // and whether it is selected.
  bool FindTableAt(Point point, uint32_t* position) const;

  // The three script areas of a wide table during the building of the
  // page's link areas: over the table mark "move_table(n)" (select), over
  // the left marks "move_table(n,-40)", over the right ones
  // "move_table(n,40)". Nothing without the pictures; false on lack of
  // memory.
  bool AddTableScrollAreas(ShapeAreaArray* areas, const Rect& box, uint32_t position) const;

  // ---- Painting.
  void PaintTableScrollMarks(DrawingSurface* surface, const Rect& box, const Rect& viewport,
                             const WideTableState& state, const Rect* clip);
  static void PaintMarkColumn(DrawingSurface* surface, const Rect& rect, ScrollMarkPicture* picture, int32_t n);

  // The script of a scroll area of table n: "move_table(n)" (dx 0, the
  // table mark: select) or "move_table(n,dx)" (the left and right marks,
  // dx -40 and 40). Answers the length written (without the terminating
  // zero); `out` holds at least kScriptSize characters.
  static constexpr uint32_t kScriptSize = 32;
  static uint32_t FormatScrollScript(uint32_t n, int32_t dx, char* out);

 private:
  void DrawSelectionFrame(DrawingSurface* surface, const WideTableState& state);

  ScrollMarkPicture* tableMark_ = nullptr;
  ScrollMarkPicture* leftMark_ = nullptr;
  ScrollMarkPicture* rightMark_ = nullptr;
  int32_t leftMargin_ = 0;
  int32_t rightMargin_ = 0;
  int32_t columns_ = 1;
  Color pageBackground_ = Color::FromRgb(255, 255, 255);
  TableScrollStates own_;
  TableScrollStates* states_ = &own_;
};
