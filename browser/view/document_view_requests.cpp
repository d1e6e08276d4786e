// The document view's request executor: a script method call (or a link's
// numbered request) carried out once the document it needs is shown. Each
// kind makes the element it names (the reading text at a position, an index
// or query list, the word list, the search history, the audio page), which
// then takes the focus; a kind that fails leaves the view without a
// focused element, and the navigation reports the failure.
#include <new>

#include "browser/pages/index_page_elements.h"
#include "browser/view/document_view.h"
#include "browser/view/document_view_index_requests.h"
#include "layout/drawing/drawing_surface.h"
#include "storage/documents/document.h"

namespace {

// Method atoms of the requests carried out here.
constexpr uint16_t kAtomGotoToc = 54;
constexpr uint16_t kAtomShowPosition = 75;  // a link action's numbered request
constexpr uint16_t kAtomIndexSearch = 69;
constexpr uint16_t kAtomFilteredIndexSearch = 72;
constexpr uint16_t kAtomCondIndexSearch = 79;
constexpr uint16_t kAtomIdeogramSearch = 130;
constexpr uint16_t kAtomSqlSearch = 96;
constexpr uint16_t kAtomSqlBulletSearch = 97;
constexpr uint16_t kAtomDisplayWordList = 109;
constexpr uint16_t kAtomAddToWordList = 111;
constexpr uint16_t kAtomAddEntryToWordList = 112;
constexpr uint16_t kAtomDisplaySearchHistory = 115;
constexpr uint16_t kAtomShow = 134;
constexpr uint16_t kAtomAudioObject = 33;

// The guide entry "toc" of the shown document: its position, or -1.
int32_t TocPosition(DocumentSource* source) {
  Document* document = source != nullptr ? source->GetDocument() : nullptr;
  DocumentProperty toc;
  if (document == nullptr || !document->FindProperty(u"toc", 3, 2, &toc, 0)) return -1;
  return toc.position >= 0 ? toc.position : -1;
}

}  // namespace

bool DocumentView::ExecuteRequest(const ScriptRequest& request, bool documentChanged, bool* repaint,
                                  bool* restorePosition, bool relayout) {
  bool repainted = false;
  bool restore = true;
  int32_t target = -1;
  if (!documentChanged) {
    DestroyDocumentElement();
    repainted = true;
  }
  UIElement* element = &text_;
  location_.fragment.Clear();
  focusedElement_ = nullptr;

  bool done = false;
  PageElement* made = nullptr;
  switch (request.methodAtom) {
    case kAtomGotoToc: {
      bool shownRepaint = false;
      done = ShowReadingText(documentChanged, &shownRepaint);
      repainted = repainted || shownRepaint;
      if (done) target = TocPosition(source_.Get());
      restore = false;
      break;
    }
    case kAtomShowPosition: {
      bool shownRepaint = false;
      done = ShowReadingText(documentChanged, &shownRepaint);
      repainted = repainted || shownRepaint;
      uint32_t position = 0;
      if (done && request.GetNumber(0, &position)) target = static_cast<int32_t>(position);
      restore = false;
      break;
    }
    case kAtomIndexSearch:
    case kAtomFilteredIndexSearch:
    case kAtomCondIndexSearch:
    case kAtomIdeogramSearch:
      made = ExecuteIndexSearchRequest(this, request, &location_.fragment);
      restore = false;
      break;
    case kAtomSqlSearch:
    case kAtomSqlBulletSearch:
      made = ExecuteQueryRequest(this, request, &location_.fragment);
      break;
    case kAtomDisplayWordList:
    case kAtomAddToWordList:
    case kAtomAddEntryToWordList:
      made = ExecuteWordListRequest(this, request, &location_.fragment);
      break;
    case kAtomDisplaySearchHistory:
      made = ExecuteSearchHistoryRequest(this, &location_.fragment);
      break;
    case kAtomShow:
      if (request.objectAtom == kAtomAudioObject) made = ExecuteAudioRequest(this, request, &location_.fragment);
      break;
    default:
      break;
  }
  if (made != nullptr) {
    documentElement_ = made;
    element = static_cast<ViewPageElement*>(made)->AsElement();
    done = true;
  }
  if (repaint != nullptr) *repaint = repainted;
  if (restorePosition != nullptr) *restorePosition = restore;
  if (!done) {
    focusedElement_ = nullptr;
    return false;
  }

  FocusElement(element);
  announcePending_ = 1;
  shownReportPending_ = 1;
  if (element == &text_) {
    if (target != -1 && layout_ != nullptr && !layout_->StartPageAt(static_cast<uint32_t>(target)) && relayout) {
      OnDocumentShown();
    }
  } else if (relayout) {
    OnDocumentShown();
  }
  if (surface_ != nullptr) surface_->UpdateDisplayMode();
  return true;
}
