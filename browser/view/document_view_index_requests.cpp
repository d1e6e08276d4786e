// Request kinds that show lists (see document_view_index_requests.h).
#include "browser/view/document_view_index_requests.h"

#include <new>

#include "browser/host/view_environment.h"
#include "browser/pages/index_page_elements.h"
#include "browser/pages/index_request_values.h"
#include "browser/view/document_view.h"
#include "foundation/language/language_tag.h"
#include "index/books/index_requests.h"
#include "index/database/database.h"
#include "index/dbscript/database_record_set.h"
#include "index/dbscript/word_list_table.h"
#include "layout/markup/keyword_tables.h"
#include "storage/documents/document.h"

namespace {

constexpr uint16_t kAtomFilteredIndexSearch = 72;
constexpr uint16_t kAtomCondIndexSearch = 79;
constexpr uint16_t kAtomIdeogramSearch = 130;
constexpr uint16_t kAtomSqlBulletSearch = 97;
constexpr uint16_t kAtomDisplayWordList = 109;
constexpr uint16_t kAtomAddEntryToWordList = 112;
constexpr uint32_t kNone = 0xFFFFFFFFu;

// Argument i as text whatever its kind; null when absent.
const SharedWideString* Argument(const ScriptRequest& request, uint32_t i) {
  return i < request.Count() ? &request.arguments[i].text : nullptr;
}

const SharedWideString* NonEmpty(const SharedWideString* text) {
  return text != nullptr && !text->IsEmpty() ? text : nullptr;
}

bool EqualsAscii(const SharedWideString& text, const char* ascii) {
  uint32_t i = 0;
  for (; ascii[i] != '\0'; ++i) {
    if (i >= text.length || text.Chars()[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return i == text.length;
}

// Where a made list stands in the text: a number is a text position, a name
// an anchor; absent or empty, the start of the current page.
int32_t AnchorOf(DocumentView* view, const ScriptRequest& request, uint32_t i) {
  const SharedWideString* text = NonEmpty(Argument(request, i));
  if (text == nullptr) return static_cast<int32_t>(view->CurrentPagePosition());
  uint32_t position = 0;
  if (request.GetNumber(i, &position)) return static_cast<int32_t>(position);
  return view->GetAnchorPosition(text);
}

// The argument positions of one index-search kind (kNone: no such role).
struct IndexRoles {
  uint32_t subTable, condition, entryTemplate, keyTemplate, query, anchor, recordSet, flags;
};

IndexRoles RolesOf(uint16_t kind, uint32_t count) {
  if ((kind == kAtomFilteredIndexSearch || kind == kAtomCondIndexSearch) && count >= 2) {
    if (kind == kAtomFilteredIndexSearch) return {1, kNone, 2, 3, 4, 5, 6, 7};
    return {1, 2, kNone, 3, 4, 5, 6, 7};
  }
  if (kind == kAtomIdeogramSearch) return {kNone, kNone, 1, kNone, kNone, 2, 3, 4};
  return {kNone, kNone, 1, kNone, 2, 3, 4, 5};
}

}  // namespace

PageElement* ExecuteIndexSearchRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment) {
  DocumentSource* source = view->GetDocumentSource();
  Document* document = source != nullptr ? source->GetDocument() : nullptr;
  const uint32_t count = request.Count();
  const IndexRoles roles = RolesOf(request.methodAtom, count);

  int32_t table = kDefaultIndexTableNumber;
  if (count > 0 && !FindIndexTableNumber(document, request.arguments[0].text, &table)) return nullptr;
  int32_t subTable = kDefaultIndexTableNumber;
  int32_t entryWord = 0;
  if (roles.subTable < count &&
      !FindSubTable(document, request.arguments[roles.subTable].text, table, &subTable, &entryWord)) {
    return nullptr;
  }
  uint32_t flags = 0;
  if (roles.flags < count && !request.GetNumber(roles.flags, &flags)) return nullptr;

  PageElement* element = view->CreateIndexWidget(
      static_cast<uint32_t>(table), fragment, flags, request.methodAtom == kAtomIdeogramSearch,
      NonEmpty(Argument(request, roles.recordSet)), static_cast<uint32_t>(subTable),
      static_cast<uint32_t>(entryWord), NonEmpty(Argument(request, roles.query)),
      NonEmpty(Argument(request, roles.condition)), NonEmpty(Argument(request, roles.entryTemplate)),
      NonEmpty(Argument(request, roles.keyTemplate)), -1);
  if (element != nullptr) static_cast<IndexWidget*>(element)->SetAnchorPosition(AnchorOf(view, request, roles.anchor));
  return element;
}

PageElement* ExecuteQueryRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment) {
  const uint32_t count = request.Count();
  SharedWideString query;
  const SharedWideString* entryTemplate = nullptr;
  int32_t bulletCode = -1;
  int32_t bulletFlag = 0;
  uint32_t anchor = 2;
  uint32_t recordSet = 3;
  uint32_t flags = 0;
  if (request.methodAtom == kAtomSqlBulletSearch) {
    if (count < 4) return nullptr;
    // A bullet is a number or the name of one.
    uint32_t value = 0;
    int32_t bullet = -1;
    if (request.GetNumber(0, &value)) {
      bullet = static_cast<int32_t>(value);
    } else {
      uint16_t atom = 0;
      const SharedWideString& name = request.arguments[0].text;
      if (LookupScriptKeyword(name.Chars(), name.length, &atom)) bullet = atom;
    }
    bulletCode = BulletCodeFor(bullet);
    bulletFlag = EqualsAscii(request.arguments[1].text, "true") ? 1 : 0;
    query = request.arguments[2].text;
    const SharedWideString& condition = request.arguments[3].text;
    if (!condition.IsEmpty() && (!query.AppendChars(u" __qvr_bwhere ", 14) || !query.Append(condition))) {
      return nullptr;
    }
    if (count > 4 && (entryTemplate = request.GetText(4)) == nullptr) return nullptr;
    anchor = 5;
    recordSet = 6;
  } else {
    const SharedWideString* text = request.GetText(0);
    if (text == nullptr) return nullptr;
    query = *text;
    if (count > 1 && (entryTemplate = request.GetText(1)) == nullptr) return nullptr;
    if (count > 4 && !request.GetNumber(4, &flags)) return nullptr;
  }
  PageElement* element = view->OpenQueryResult(query, NonEmpty(entryTemplate), bulletCode, bulletFlag, fragment,
                                               NonEmpty(Argument(request, recordSet)), flags);
  if (element != nullptr) static_cast<IndexWidget*>(element)->SetAnchorPosition(AnchorOf(view, request, anchor));
  return element;
}

PageElement* ExecuteWordListRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment) {
  DocumentSource* source = view->GetDocumentSource();
  if (source == nullptr || source->GetSourceKind() != DocumentSource::kObjectDatabaseKind) return nullptr;
  Database* database = static_cast<Database*>(source);
  const bool display = request.methodAtom == kAtomDisplayWordList;

  // What an addition carries: the word, where it came from, the entry.
  ViewLinkRequest link;
  if (!display) {
    if (const SharedWideString* word = Argument(request, 0)) link.target = *word;
    if (request.methodAtom == kAtomAddEntryToWordList) {
      uint32_t entry = 0;
      if (request.Count() > 4) {
        if (!request.GetNumber(4, &entry)) return nullptr;
        link.entry = static_cast<int32_t>(entry);
      }
      const SharedWideString* shown = Argument(request, 5);
      if (shown != nullptr && shown->CompareTo(link.target) != 0) link.title = *shown;
      if (const SharedWideString* fourth = Argument(request, 6)) link.fourth = *fourth;
    }
    const SharedWideString* title = NonEmpty(Argument(request, 2));
    const SharedWideString* table = Argument(request, 3);
    if (title != nullptr && !WordListLinkUrl(*title, table != nullptr ? *table : SharedWideString(), &link.url)) {
      return nullptr;
    }
  }

  uint32_t language = 0;
  const SharedWideString* tag = NonEmpty(Argument(request, display ? 0 : 1));
  if (tag != nullptr) {
    language = LanguageTagToLcid(tag->Chars(), tag->length) & 0x3FF;
  } else if (display && view->GetEnvironment() != nullptr) {
    language = view->GetEnvironment()->GetUiLanguage() & 0x3FF;
  }
  if (language == 0) return nullptr;
  link.language = static_cast<int32_t>(language);

  const int32_t table = OpenWordListTable(database, language, true);
  if (table < 0) return nullptr;
  DatabaseRecordSet* records = new (std::nothrow) DatabaseRecordSet(database, table);
  if (records == nullptr) return nullptr;
  PageElement* element = view->CreateWordListElement(DocumentView::kElementWordList, records, fragment, language,
                                                     -1, RecordPosition::Of(RecordPosition::kPastEnd), nullptr);
  if (element != nullptr && !display) {
    VocabularyListElement* list = static_cast<VocabularyListElement*>(element);
    const RecordPosition row = list->FillRowFromRecords(link, records);
    if (row.GetOrdinal() == RecordPosition::kPastEnd) {
      list->SetLinkRequest(link);  // the list adds the word
    } else {
      list->SetCaptionById(DocumentView::kStringWordInList);
      list->SetRecordSource(records, row);
    }
    if (IsDatabaseReadOnly(database)) list->SetCaptionById(DocumentView::kStringWordListReadOnly);
  }
  records->Release();
  return element;
}

PageElement* ExecuteSearchHistoryRequest(DocumentView* view, SharedWideString* fragment) {
  IndexPageElementMaker* maker = GetIndexPageElementMaker();
  RecordSource* history = maker != nullptr ? maker->OpenLookupHistory() : nullptr;
  if (history == nullptr) return nullptr;
  PageElement* element = view->CreateWordListElement(DocumentView::kElementSearchHistory, history, fragment, 0, -1,
                                                     RecordPosition::Of(RecordPosition::kPastEnd), nullptr);
  history->Release();
  return element;
}

PageElement* ExecuteAudioRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment) {
  IndexPageElementMaker* maker = GetIndexPageElementMaker();
  MediaPlayerElement* player = maker != nullptr ? maker->MakeMediaPlayer(view->Surface(), view) : nullptr;
  if (player == nullptr) return nullptr;
  if (!player->IsAvailable()) {
    delete player;
    return nullptr;
  }
  if (const SharedWideString* address = Argument(request, 0)) player->SetSource(*address);
  DocumentView::SetAudioFragment(fragment);
  if (request.Count() == 2) player->SetAnchorPosition(view->GetAnchorPosition(Argument(request, 1)));
  return player;
}
