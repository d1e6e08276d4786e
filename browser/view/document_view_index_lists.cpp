// The document view's saved-record lists: the word list of a language
// (kind 4) and the search history (kind 5), made over a record source with
// the fragment that reopens them; adding a word to the word list shown;
// and whether it is empty.
#include "browser/pages/index_page_elements.h"
#include "browser/pages/index_request_values.h"
#include "browser/pages/page_object_names.h"
#include "browser/view/document_view.h"
#include "index/records/record_source.h"

namespace {

// The request a script call carries to the word list: the word, its
// language tag, the dictionary's title and table, then the entry.
void ReadLinkRequest(const ScriptRequest& request, ViewLinkRequest* link) {
  if (request.Count() > 0) link->target = request.arguments[0].text;
  uint32_t entry = 0;
  if (request.GetNumber(4, &entry)) link->entry = static_cast<int32_t>(entry);
  if (request.Count() > 5 && request.arguments[5].text.CompareTo(link->target) != 0) {
    link->title = request.arguments[5].text;
  }
  if (request.Count() > 6) link->fourth = request.arguments[6].text;
  if (request.Count() > 2 && !request.arguments[2].text.IsEmpty()) {
    WordListLinkUrl(request.arguments[2].text, request.Count() > 3 ? request.arguments[3].text : SharedWideString(),
                    &link->url);
  }
}

}  // namespace

PageElement* DocumentView::CreateWordListElement(int32_t kind, RecordSource* source, SharedWideString* fragment,
                                                 uint32_t language, int32_t captionId, const RecordPosition& start,
                                                 const ViewLinkRequest* request) {
  IndexPageElementMaker* maker = GetIndexPageElementMaker();
  if (maker == nullptr || source == nullptr) return nullptr;
  VocabularyListElement* list = nullptr;
  if (kind == kElementWordList) {
    list = maker->MakeWordList(this, controller_, surface_);
    if (list != nullptr && request != nullptr) list->SetLinkRequest(*request);
  } else if (kind == kElementSearchHistory) {
    list = maker->MakeSearchHistory(this, controller_, surface_);
  }
  if (list == nullptr) return nullptr;
  list->SetRecordSource(source, start);
  list->SetCaptionById(captionId);
  SharedWideString title;
  list->GetTitle(&title);
  source->SetTitle(title);
  if (fragment != nullptr) {
    const bool written = kind == kElementWordList ? WriteWordListFragment(fragment, static_cast<int32_t>(language))
                                                  : WriteSearchHistoryFragment(fragment);
    if (!written) {
      delete list;
      return nullptr;
    }
  }
  return list;
}

bool DocumentView::IsWordListEmpty() {
  if (documentElement_ == nullptr || documentElement_->GetKind() != kElementWordList) return false;
  VocabularyListElement* list = static_cast<VocabularyListElement*>(documentElement_);
  return focusedElement_ == list->AsElement() && list->IsEmpty();
}

bool DocumentView::AddToWordList(const ScriptRequest& request) {
  if (documentElement_ == nullptr || documentElement_->GetKind() != kElementWordList) return false;
  VocabularyListElement* list = static_cast<VocabularyListElement*>(documentElement_);
  if (focusedElement_ != list->AsElement()) return false;
  ViewLinkRequest link;
  ReadLinkRequest(request, &link);
  bool existed = false;
  int32_t row = -1;
  if (link.entry == -1 || link.entry == -2) {
    row = list->FillRow(link);
  } else {
    row = list->FindWord(link);
    existed = row >= 0;
    if (!existed) row = list->FillRow(link);
  }
  list->SetCaptionById(static_cast<int32_t>(existed ? kStringWordInList : kStringWordAdded));
  if (row >= 0) list->RefreshRows(row, row);
  return true;
}
