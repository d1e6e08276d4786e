// LayoutContext: scrolling the wide tables of the shown page, whose states
// are the current page frame's.
#include "layout/pages/layout_context.h"

bool LayoutContext::ScrollTables(Point delta, bool live, Rect* out, int64_t which) {
  if (out != nullptr) *out = Rect{};
  if (ShownPage() == nullptr) return false;
  return Tables().ScrollTables(delta, live, out, which, live ? font_.surface : nullptr);
}

bool LayoutContext::FindTableAt(Point point, uint32_t* position) {
  if (ShownPage() == nullptr) return false;
  return Tables().FindTableAt(point, position);
}

void LayoutContext::ResetTableScroll() { Tables().ResetTableScroll(); }

void LayoutContext::ToggleTableSelection(int64_t position) {
  if (ShownPage() == nullptr) return;
  Tables().ToggleTableSelection(position, font_.surface);
}

void LayoutContext::ClearHighlight() {
  LaidOutPage* page = ShownPage();
  if (page == nullptr) return;
  page->linkAreas.Clear();
  page->linkAreasBuilt = false;
  page->highlight.Clear(nullptr);
}
