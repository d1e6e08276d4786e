// The book's guide (table of contents, where reading starts, numbered
// entries), fragments and named anchors: each found entry's link action is
// performed on the view.
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "layout/styles/document_link_action.h"
#include "storage/documents/document.h"

namespace {

constexpr int32_t kNamedPositionKind = 0;
constexpr int32_t kGuideKind = 2;

const WCHAR kToc[] = {'t', 'o', 'c'};
const WCHAR kStart[] = {'s', 't', 'a', 'r', 't'};
const WCHAR kStartReading[] = {'s', 't', 'a', 'r', 't', '_', 'r', 'e', 'a', 'd', 'i', 'n', 'g'};

}  // namespace

bool DocumentView::RunGuideEntryAction(const DocumentProperty& entry) {
  LinkAction* action = MakeLinkAction(entry);
  if (action == nullptr) return false;
  bool done = false;
  switch (action->kind) {
    case LinkAction::kFilePosition:
      done = action->number >= 0 && GoToPosition(static_cast<uint32_t>(action->number));
      break;
    case LinkAction::kAddress:
      done = !action->target.IsEmpty() && OpenUrl(action->target, false);
      break;
    default:
      // Scripts and the other kinds are the script host's to carry out.
      done = PerformLinkAction(this, action, eventPoint_, nullptr);
      break;
  }
  action->Release();
  return done;
}

// The document's guide entry of that name, performed; false when the
// document gives none or its action fails.
static bool RunNamedGuideEntry(DocumentView* view, const WCHAR* name, uint32_t length) {
  DocumentSource* source = view->GetDocumentSource();
  Document* document = source != nullptr ? source->GetDocument() : nullptr;
  if (document == nullptr) return false;
  DocumentProperty entry;
  if (!document->FindProperty(name, length, kGuideKind, &entry, 0)) return false;
  return view->RunGuideEntryAction(entry);
}

// The containing book of an embedded document, opened; then `again` runs on
// it. False when the location is not embedded or the book does not open.
static bool RetryInContainingDocument(DocumentView* view, bool (DocumentView::*again)(), bool* tried) {
  *tried = false;
  const Url& url = view->GetLocation().url;
  SharedWideString prefix;
  if (url.state != kUrlBookInnerPath || !url.GetBookPath(&prefix) || prefix.IsEmpty()) return false;
  *tried = true;
  return view->OpenUrl(prefix, false) && (view->*again)();
}

bool DocumentView::GoToToc() {
  DocumentSource* source = source_.Get();
  if (source == nullptr || source->GetDocument() == nullptr) return false;
  if (RunNamedGuideEntry(this, kToc, 3) || RunNamedGuideEntry(this, kStart, 5)) return true;
  bool tried = false;
  const bool done = RetryInContainingDocument(this, &DocumentView::GoToToc, &tried);
  return tried ? done : GoToFirstPage();
}

bool DocumentView::GoToStartReading() {
  DocumentSource* source = source_.Get();
  if (source == nullptr || source->GetDocument() == nullptr) return false;
  if (RunNamedGuideEntry(this, kStartReading, 13)) return true;
  bool tried = false;
  const bool done = RetryInContainingDocument(this, &DocumentView::GoToStartReading, &tried);
  return tried ? done : GoToFirstPage();
}

bool DocumentView::GoToGuideStart() { return RunNamedGuideEntry(this, kStart, 5); }

bool DocumentView::GoToGuide(uint32_t n) {
  Document* document = source_.Get() != nullptr ? source_->GetDocument() : nullptr;
  if (document == nullptr) return false;
  DocumentProperty entry;
  if (!document->GetProperty(kGuideKind, n, &entry)) return false;
  return RunGuideEntryAction(entry);
}

uint32_t DocumentView::GetGuideEntryCount() {
  Document* document = source_.Get() != nullptr ? source_->GetDocument() : nullptr;
  if (document == nullptr) return 0;
  const uint32_t count = document->GetPropertyCount(kGuideKind);
  return count == 0xFFFFFFFFu ? 0 : count;
}

bool DocumentView::GetGuideEntryTarget(uint32_t n, SharedWideString* text) {
  Document* document = source_.Get() != nullptr ? source_->GetDocument() : nullptr;
  DocumentProperty entry;
  if (document == nullptr || text == nullptr || !document->GetProperty(kGuideKind, n, &entry)) return false;
  *text = entry.value;
  return true;
}

bool DocumentView::GetDocumentTitle(SharedWideString* title) {
  if (title == nullptr) return false;
  title->Clear();
  return source_.Get() != nullptr && source_->GetTitle(title);
}

bool DocumentView::GoToFragment(const SharedWideString& text) {
  if (HasDoubleHash(text)) {
    // A position fragment: the page that starts there.
    const int32_t position = Location::GetPosFromFragment(text);
    return position >= 0 && GoToPosition(static_cast<uint32_t>(position));
  }
  Document* document = source_.Get() != nullptr ? source_->GetDocument() : nullptr;
  DocumentProperty anchor;
  if (document == nullptr || text.IsEmpty() ||
      !document->FindProperty(text.Chars(), text.length, kNamedPositionKind, &anchor, -1))
    return false;
  return RunGuideEntryAction(anchor);
}

int32_t DocumentView::GetAnchorPosition(const SharedWideString* name) {
  if (name == nullptr || name->IsEmpty()) return layout_ != nullptr ? static_cast<int32_t>(layout_->GetCurrentPosition()) : -1;
  Document* document = source_.Get() != nullptr ? source_->GetDocument() : nullptr;
  DocumentProperty anchor;
  if (document == nullptr || !document->FindProperty(name->Chars(), name->length, kNamedPositionKind, &anchor, 0))
    return -1;
  return anchor.position;
}
