// Operations of the document view that are not built yet. Each answers
// failure so that callers take their failure paths; each stands alone, so
// that it can move into the file of its concern whole.
#include "browser/view/document_view.h"

// Carrying out a link action is the script host's: until it exists no
// action is carried out.
bool DocumentView::PerformLinkAction(DocumentView*, LinkAction*, Point, SharedWideString* result) {
  if (result != nullptr) result->Clear();
  return false;
}
