// PageRenderer: draws the laid-out pages of a LayoutContext onto its
// drawing surface: the page background, the lines with their borders and
// bands, the text with its style changes, alignment, justification, list
// bullets and hyphens, the tables with their cell backgrounds and borders
// (clipped to the box they were given), the inline objects (drawn after
// the text, resumable when one is not ready), the highlights and notes of
// the book's side file and the folded corner of a bookmark.
//
// What it remembers of a page (painted, how far the objects got, the
// annotation walk, the pending note rectangle) lives here per page
// buffer, keyed by the buffer and its frame's start, and is forgotten
// when the buffer shows another page.
//
// Files: page_renderer.cpp (pages, items, objects, fonts),
// page_renderer_lines.cpp (lines), page_renderer_tables.cpp (tables),
// page_marks.cpp (note rectangles and the bookmark corner).
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "layout/drawing/color.h"
#include "layout/pages/page_frame.h"
#include "layout/render/annotation_painter.h"

class BookParameterFile;
class DrawingSurface;
class LayoutContext;
struct TableCellItem;
struct TableItem;

// Words of an object item the renderer writes: where the object stands on
// the page (its size is line layout's), and the colour under it.
inline constexpr uint32_t kObjectPlacedX = 6;
inline constexpr uint32_t kObjectPlacedY = 7;
inline constexpr uint32_t kObjectBackgroundWord = 0;  // of moreWords

class PageRenderer {
 public:
  // The bookmark corner's colour.
  static Color CornerColor() { return Color::FromRgb(148, 156, 169); }

  explicit PageRenderer(LayoutContext* context) : context_(context) {}
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;

  // ---- Set-up.
  void SetColors(Color text, Color background) {
    textColor_ = text;
    background_ = background;
  }
  void SetHighlightColor(Color color) { highlightColor_ = color; }
  // Default paragraph alignment (1 left, 2 right, 3 centre, 4 justify).
  void SetDefaultAlignment(int32_t alignment) { defaultAlignment_ = alignment; }
  // The side file whose marks are painted (not owned; null: none).
  void SetAnnotations(BookParameterFile* store) { annotations_ = store; }
  // Screens above 129 dots per inch get larger marks.
  void SetHighDensity(bool high) { highDensity_ = high; }

  // ---- Painting. Each runs inside the surface's BeginDraw/EndDraw.
  // The page at `position` (kNoPosition: the current one). False when
  // there is none (the page rectangle is then filled with the default
  // background), when an item could not be painted, or when an object
  // was not ready.
  bool PaintPage(uint32_t flags, uint32_t position);
  // Lays the current page out when needed, then paints it and marks it
  // shown.
  bool PaintCurrentPage(uint32_t flags);
  // The current page was painted but its objects are not all drawn.
  bool NeedsRepaint(bool obscured);
  // Resumes the objects of the current page where they stopped.
  void RepaintObjects();
  // Forgets what was painted: the next paint draws everything again.
  void Invalidate();

  void FillPageBackground(const LaidOutPage* page, uint32_t flags);
  void ApplyFont(const TextStyle& style);
  void ApplyTextColor(Color color);
  // Whether the base size plus the style's step, as a signed byte, is not 0.
  bool HasFontSize(const TextStyle& style) const;

  // ---- Marks.
  void GetMarkRect(Rect* out) const;
  // A note's rectangle at a point of a line: a square of the mark size, or
  // (style bit 5) a bar in the gap left of the point's column.
  void GetNoteBarRect(uint8_t style, Point point, const Rect& lineContent, bool narrow, Rect* out) const;
  // The bookmark drawn on the page last painted, or -1.
  uint32_t PageBookmark() const { return state_.bookmark; }

 private:
  struct NoteRect {
    Rect rect;
    uint32_t mark = 0xFFFFFFFFu;
    uint8_t style = 0;
  };
  struct PageState {
    const LaidOutPage* page = nullptr;
    uint32_t start = kNoPosition;
    bool painted = false;
    bool clipActive = false;
    Color background;
    NoteRect pending;
    uint32_t objectsOrder = 0;  // where the objects pass stopped
    bool objectsDone = false;
    bool hasPainter = false;
    AnnotationPainter painter;
    uint32_t bookmark = 0xFFFFFFFFu;
  };
  struct LinePass;

  DrawingSurface* Surface() const;
  PageState* StateFor(const LaidOutPage* page);
  bool PaintItems(LaidOutPage* page, Color background);
  void PaintLine(LayoutCursor* at, Color background);
  void WalkLine(LinePass& pass, LayoutCursor at);
  bool PaintTable(LayoutCursor* at, Color background);
  static Rect TableBox(const TableItem& table);
  // A top-level table that scrolls in its viewport: the viewport and the
  // shift of its content (false: it is drawn unscrolled).
  bool ScrolledTable(const LayoutCursor& at, Rect* viewport, Point* shift);
  void PaintCell(const TableItem& table, const TableCellItem& cell, Color rowBackground, Color background);
  bool PaintObjects(LaidOutPage* page, bool resume);
  void NoteItem(AnnotationPainter& painter, Point point, const Rect& lineContent);
  void DrawNoteRect(const NoteRect& note);
  void PaintNoteMark(LaidOutPage* page);
  int32_t MarkSize() const { return highDensity_ ? 14 : 7; }
  int32_t MarkInset() const { return highDensity_ ? 4 : 2; }
  int32_t BarWidth() const { return highDensity_ ? 10 : 5; }

  LayoutContext* context_;
  BookParameterFile* annotations_ = nullptr;
  Color textColor_ = Color::FromRgb(0, 0, 0);
  Color background_ = Color::FromRgb(255, 255, 255);
  Color highlightColor_ = Color::FromRgb(255, 255, 0);
  int32_t defaultAlignment_ = 1;
  bool highDensity_ = false;
  PageState state_;  // of the page painted last
  TableScrollStates* scrollStates_ = nullptr;  // of the page being painted
  int32_t tableDepth_ = 0;
  TextStyle runStyle_;  // the style run in force during a paint
  // The line painted last was ended by a mark, not wrapped: the next line
  // of a list begins an item (a list's items share one paragraph format
  // and end with line ends).
  bool afterLineMark_ = false;
};
