// What the view answers about the shown document: the page range and
// numbers, the position, pagination, text search, whether it is the
// application's current view, and the base address of relative links.
#include "browser/host/view_application.h"
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"

bool DocumentView::GetPageRange(ViewTextRange* range) {
  *range = ViewTextRange();
  if (layout_ == nullptr) return false;
  range->start = layout_->GetCurrentPosition();
  range->end = layout_->GetPagePosition(kStepPage);
  if (range->end < range->start) range->end = range->start;
  return true;
}

int32_t DocumentView::GetCurrentPageNumber() { return layout_ != nullptr ? layout_->GetCurrentPageNumber() : 0; }

int32_t DocumentView::GetPageCount() { return layout_ != nullptr ? layout_->GetPageCount() : 0; }

int32_t DocumentView::GetCurrentPosition() {
  return layout_ != nullptr ? static_cast<int32_t>(layout_->GetCurrentPosition()) : -1;
}

// No document of this build lays its text out unpaginated.
bool DocumentView::IsDocumentPaginated() { return true; }

TextSearcher* DocumentView::CreateTextSearch() {
  return source_.Get() != nullptr ? source_->CreateTextSearch() : nullptr;
}

bool DocumentView::IsActiveView() { return controller_ != nullptr && controller_->GetDocumentView() == this; }

bool DocumentView::GetBaseUrl(Url* out) {
  *out = Url();
  DocumentSource* source = source_.Get();
  if (source == nullptr) return true;
  *out = location_.url;
  if (!source->HasEmbeddedStreams()) return true;
  // Rebuilt from text so that relative names resolve inside the document:
  // its address, a separator when it has a query, then the query again.
  // (No document of this build gives a sub-document path for a position.)
  SharedWideString raw;
  SharedWideString text;
  if (!location_.url.GetText(&raw, true) || !location_.url.GetText(&text, false)) return false;
  SharedWideString query;
  const bool hasQuery = SplitQuery(raw, &query, true);
  if (hasQuery) {
    static const WCHAR kSeparator[] = {'\\'};
    if (!text.AppendChars(kSeparator, 1)) return false;
  }
  if (!text.UrlEscape(true, false)) return false;
  if (hasQuery && !text.Append(query)) return false;
  Url rebuilt;
  if (!rebuilt.Parse(text, true)) return false;
  *out = rebuilt;
  return true;
}
