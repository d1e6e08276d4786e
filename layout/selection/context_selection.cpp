// LayoutContext: the user's selection on the shown page and its highlight,
// drawn at once in inverse colours when it changes.
#include "layout/drawing/drawing_surface.h"
#include "layout/lines/line_layout.h"
#include "layout/objects/inline_object.h"
#include "layout/pages/layout_context.h"
#include "layout/selection/text_units.h"

namespace {

// The page's selection, bound to the page's items.
PageSelection* BoundSelection(LaidOutPage* page) {
  if (page->selection.Page() != &page->store) page->selection.Reset(&page->store);
  return &page->selection;
}

}  // namespace

PageSelection* LayoutContext::Selection() {
  LaidOutPage* page = ShownPage();
  return page != nullptr ? BoundSelection(page) : nullptr;
}

bool LayoutContext::HasNoSelection() {
  PageSelection* selection = Selection();
  return selection == nullptr || selection->HasNoSelection();
}

bool LayoutContext::RebuildHighlight(bool redraw) {
  LaidOutPage* page = ShownPage();
  if (page == nullptr) return false;
  // The highlight is drawn over what the renderer painted; an unpainted
  // page has no positions to walk.
  if (!page->painted) return false;
  WideTables& tables = Tables();
  tables.Bind(&page->frame->tableScrolls);
  return page->highlight.Rebuild(*BoundSelection(page), redraw ? font_.surface : nullptr, &tables);
}

bool LayoutContext::SelectAt(Point point, bool anchor) {
  LaidOutPage* page = ShownPage();
  if (page == nullptr || !page->painted) return false;
  WideTables& tables = Tables();
  tables.Bind(&page->frame->tableScrolls);
  if (!::SelectAt(BoundSelection(page), point, anchor, &tables)) return false;
  RebuildHighlight(true);
  return true;
}

void LayoutContext::SetSelectionEnd(bool anchor, bool redraw) {
  PageSelection* selection = Selection();
  if (selection == nullptr) return;
  selection->SetSelectionEnd(anchor);
  if (redraw) RebuildHighlight(true);
}

bool LayoutContext::MoveCaret(int32_t direction) {
  PageSelection* selection = Selection();
  return selection != nullptr && selection->MoveCaret(direction);
}

void LayoutContext::ClearSelectionHighlight() {
  LaidOutPage* page = ShownPage();
  if (page == nullptr) return;
  BoundSelection(page)->Clear();
  page->highlight.Clear(page->painted ? font_.surface : nullptr);
}

void LayoutContext::FlashSelection() {
  LaidOutPage* page = ShownPage();
  if (page != nullptr && page->painted) page->highlight.Flash(font_.surface);
}

bool LayoutContext::GetHighlightBounds(Rect* out) {
  LaidOutPage* page = ShownPage();
  return page != nullptr && page->highlight.GetBounds(out);
}

bool LayoutContext::GetHighlightAnchorPoint(Point* out) {
  LaidOutPage* page = ShownPage();
  return page != nullptr && page->highlight.GetAnchorPoint(out);
}

void LayoutContext::GetSelectionRange(uint32_t* start, uint32_t* end) {
  *start = *end = 0;
  if (PageSelection* selection = Selection(); selection != nullptr) selection->GetSelectionRange(start, end);
}

bool LayoutContext::GetSelectedText(SharedWideString* out, uint16_t* language) {
  out->Clear();
  PageSelection* selection = Selection();
  if (selection == nullptr) return false;
  return selection->GetSelectedText(GetLookupKind() == 2, out, language);
}

bool LayoutContext::GetSelectionTextByUnit(SharedWideString* out, uint32_t units) {
  out->Clear();
  PageSelection* selection = Selection();
  return selection != nullptr && selection->GetSelectionTextByUnit(units, out);
}

bool LayoutContext::GetLookupWord(SharedWideString* out) {
  out->Clear();
  LaidOutPage* page = ShownPage();
  return page != nullptr && ::GetLookupWord(&page->store, out);
}

bool LayoutContext::OfferToSelectedObjects(const WCHAR* address) {
  PageSelection* selection = Selection();
  LayoutCursor from, to;
  if (selection == nullptr || !selection->GetSelectionCursors(&from, &to)) return false;
  for (LayoutCursor at = from; !at.AtEnd() && CursorBefore(at, to); at.Next()) {
    if (at.KindAt() != kObjectItem) continue;
    InlineObject* object = ObjectAt(at)->object.Get();
    if (object != nullptr && object->MatchesUrl(address)) return true;
  }
  return false;
}
