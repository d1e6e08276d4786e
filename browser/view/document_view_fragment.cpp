// Opening a location's fragment: the reading text for every fragment that
// does not name an object after "$"; objects (index lists, word lists,
// pictures, the audio page) are made by OpenObjectFragment.
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"

bool DocumentView::OpenFragment(const SharedWideString& fragment, bool documentChanged, bool* repaint,
                                bool relayout) {
  *repaint = false;
  if (!documentChanged) {
    const bool hasHash = HasHash(fragment);
    if (!hasHash && fragment.CompareTo(location_.fragment) == 0 && focusedElement_ != nullptr) return true;
    DestroyDocumentElement();
    focusedElement_ = nullptr;
    *repaint = true;
  }
  int32_t record = -1;
  SharedWideString name;
  UIElement* element = nullptr;
  if (!SplitStreamFragment(fragment, &record, &name)) {
    if (!ShowReadingText(documentChanged, repaint)) return false;
    element = &text_;
  } else if (!OpenObjectFragment(fragment, record, name, &element, repaint) || element == nullptr) {
    return false;
  }
  location_.fragment = fragment;
  FocusElement(element);
  if (surface_ != nullptr) surface_->UpdateDisplayMode();
  if (relayout) {
    OnDocumentShown();
  } else {
    announcePending_ = 1;
    shownReportPending_ = 1;
  }
  return true;
}
