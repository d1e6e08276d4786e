// Operations of the document view that are not built yet. Each answers
// failure (or does nothing) so that callers take their failure paths; each
// stands alone, so that it can move into the file of its concern whole.
#include "browser/view/document_view.h"

// ---- Starting, reloading, link activation, selection reports, tables.

bool DocumentView::Start(bool) { return false; }

bool DocumentView::ReopenLastBook() { return false; }

bool DocumentView::ReloadCurrent() { return false; }

bool DocumentView::Reload(const SharedWideString&, bool) { return false; }

bool DocumentView::ReloadWithRequest(const ScriptRequest&) { return false; }

bool DocumentView::StartExternalApp(const SharedWideString&, const SharedWideString&) { return false; }

void DocumentView::SetCurrentLink(int32_t) {}

void DocumentView::ActivateCurrentLink() {}

void DocumentView::ActivateLinkArea(const ShapeArea*, Point) {}

void DocumentView::MoveToTarget(bool) {}

bool DocumentView::HandleMoveCommand(int32_t, bool) { return false; }

void DocumentView::OnSelectionChanged(Point) {}

bool DocumentView::SelectTableAt(int32_t, Point) { return false; }

bool DocumentView::ScrollTable(int32_t) { return false; }

bool DocumentView::ApplyFocusedElementSettings(const ViewStateRecord&) { return false; }

void DocumentView::ResetFocusedElementState() {}

bool DocumentView::PassToLayout(int32_t, int32_t) { return false; }

// ---- Navigation: fragments, the guide, random entries, marks, history.

bool DocumentView::GoToRandomEntry(const SharedWideString*) { return false; }

void DocumentView::PassKeyToPageElement(int32_t) {}


// ---- Marks and links.

void DocumentView::GetLookupWord(SharedWideString* text) {
  if (text != nullptr) *text = SharedWideString();
}
