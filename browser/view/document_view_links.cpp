// The link areas and the selection of the shown page, answered while the
// reading text with a layout has the focus.
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"

bool DocumentView::GetLinkAreaAt(const ShapeArea** area, int32_t* index, Point, int32_t) {
  *area = nullptr;
  *index = -1;
  return false;
}

int32_t DocumentView::LinkAreaCount() { return ReadingTextFocused() ? layout_->LinkAreaCount() : 0; }

int32_t DocumentView::GetCurrentLinkIndex() { return -1; }

int32_t DocumentView::FindLinkAreaOfElement(const void*) { return -1; }

int32_t DocumentView::CountLinks() { return 0; }

int32_t DocumentView::NextLinkIndex(int32_t) { return -1; }

int32_t DocumentView::PreviousLinkIndex(int32_t) { return -1; }

bool DocumentView::GetSelection(ViewTextRange* range, SharedWideString* text, uint32_t* firstLanguage,
                                uint32_t* secondLanguage, Rect* onScreen) {
  *range = ViewTextRange();
  *text = SharedWideString();
  *firstLanguage = 0;
  *secondLanguage = 0;
  *onScreen = Rect();
  return false;
}

bool DocumentView::GetSelectionBounds(Rect* out) {
  *out = Rect();
  return false;
}

bool DocumentView::GetSelectionTextByUnit(SharedWideString* text, int32_t) {
  *text = SharedWideString();
  return false;
}

void DocumentView::CancelSelection() {
  if (TextHasFocus()) text_.CancelSelection();
}

bool DocumentView::OfferToSelectedObjects(intptr_t) { return false; }

PageSelection* DocumentView::Selection() { return nullptr; }

SelectionHighlight* DocumentView::Highlight() { return nullptr; }

WideTables* DocumentView::Tables() { return nullptr; }

void DocumentView::SelectionMade(Point point) { OnSelectionChanged(point); }

bool DocumentView::PageEndsWithBreakMark() { return false; }

bool DocumentView::HasDictionariesForSelection() { return false; }
