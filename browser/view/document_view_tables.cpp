// The wide tables of the shown page as scripts and keys move them: a
// table's horizontal scroll, its selection, and a scroll of the selected
// tables by two offsets. Each acts only while the reading text with a
// layout has the focus.
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "layout/widetables/wide_tables.h"

bool DocumentView::SelectTableAt(int32_t x, Point point) {
  if (!ReadingTextFocused()) return false;
  // x names the table (its position, or the selected ones); the point is
  // the offset it moves by, from where the last scroll left it.
  layout_->ResetTableScroll();
  if (!layout_->ScrollTables(point, false, nullptr, x)) return false;
  // The page's link areas and highlight were placed before the scroll.
  layout_->ClearHighlight();
  Invalidate(false);
  return true;
}

bool DocumentView::ScrollTable(int32_t step) {
  if (!ReadingTextFocused()) return false;
  // The table mark's own script: the table at that position (every table
  // for -1) is selected or let go, its frame drawn at once.
  layout_->ToggleTableSelection(step);
  return true;
}

bool DocumentView::PassToLayout(int32_t first, int32_t second) {
  if (!ReadingTextFocused()) return false;
  layout_->ResetTableScroll();
  if (!layout_->ScrollTables(Point{first, second}, false, nullptr, WideTables::kSelectedOrAll)) return false;
  layout_->ClearHighlight();
  Invalidate(false);
  return true;
}
