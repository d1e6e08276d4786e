// LayoutContext: painting the shown page through its renderer, the page
// image of the display manager, the focus frame and the selection drawn
// after a paint, and the walk over the page's objects.
#include "layout/display/display_manager.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/lines/line_layout.h"
#include "layout/pages/layout_context.h"

bool LayoutContext::PaintCurrentPage(uint32_t flags) {
  const uint32_t position = GetCurrentPosition();
  if (display_ != nullptr && position != kNoPosition && display_->HasPageImage(documentStamp_, position) &&
      ShownPage() != nullptr) {
    display_->ShowPageImage(nullptr);
    SetPageState(position, 1);
    return true;
  }
  return renderer_.PaintCurrentPage(flags);
}

bool LayoutContext::NeedsRepaint(bool obscured) {
  if (renderer_.NeedsRepaint(obscured)) return true;
  if (obscured) return false;
  uint32_t next = kNoPosition;
  if (FindFrame(currentKey_, kStepPage, &next) == nullptr || next == kNoPosition) {
    // The next page is not known yet: worth laying out unless this is the
    // last page.
    return lastPage_.number == -1 || lastPage_.start != currentKey_;
  }
  LaidOutPage* ahead = FindPageBuffer(next);
  if (ahead == nullptr || !ahead->HoldsContent()) return lastPage_.number == -1 || lastPage_.start != currentKey_;
  return display_ != nullptr && display_->CanHoldPageImages() && !display_->HasPageImage(documentStamp_, next);
}

bool LayoutContext::PrerenderNextPage() {
  // The display manager never grants an off-screen target here, so the
  // next page is only laid out.
  return PrepareNextPage();
}

void LayoutContext::InvalidatePageImage() {
  if (display_ != nullptr) display_->ForgetPageImage();
}

void LayoutContext::PaintFocusAndSelection(LaidOutPage* page) {
  if (page == nullptr || page->frame == nullptr || !page->painted) return;
  PageFrame* frame = page->frame;
  if (frame->linkIndex >= 0 && BuildPageLinkAreas(page)) {
    const int32_t count = static_cast<int32_t>(page->linkAreas.Count());
    if (frame->linkIndex >= count) frame->linkIndex = count - 1;
    PaintLinkFocus(page, frame->linkIndex);
  }
  // The paint covered the highlight: it is drawn again over the new pixels.
  if (page->selection.Page() == &page->store && page->highlight.Area().IsEmpty() &&
      !page->selection.HasNoSelection()) {
    WideTables& tables = Tables();
    tables.Bind(&frame->tableScrolls);
    page->highlight.Rebuild(page->selection, nullptr, &tables);
  }
  if (!page->highlight.Area().IsEmpty() && font_.surface != nullptr) page->highlight.Area().PaintOutline(font_.surface);
}

void LayoutContext::ForEachPageObject(PageObjectVisitor visitor, void* argument) {
  LaidOutPage* page = GetCurrentPage();
  if (page == nullptr || visitor == nullptr) return;
  const uint32_t key = currentKey_;
  bool alive = true;
  bool* outer = alive_;
  alive_ = &alive;
  for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
    if (at.KindAt() != kObjectItem) continue;
    InlineObject* object = ObjectAt(at)->object.Get();
    if (object == nullptr) continue;
    object->AddRef();
    visitor(this, object, argument);
    object->Release();
    // The visit may have destroyed the context or changed its page.
    if (!alive) {
      if (outer != nullptr) *outer = false;
      return;
    }
    if (currentKey_ != key || FindPageBuffer(key) != page || !page->HoldsContent()) break;
  }
  alive_ = outer;
}
