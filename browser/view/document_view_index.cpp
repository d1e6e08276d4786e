// The document view's index and query widgets: a list over one of the
// book's index tables (with a key table that selects among its entries) or
// over the result of a look-up query; the fragment that reopens the same
// list; the last typed query typed in again; the text the user types; and
// the index entry of the page shown.
#include "browser/host/view_preferences.h"
#include "browser/pages/index_page_elements.h"
#include "browser/pages/index_request_values.h"
#include "browser/pages/page_object_names.h"
#include "browser/view/document_view.h"
#include "index/books/index_requests.h"
#include "index/query/index_query_result.h"
#include "index/tables/index_table.h"

namespace {

constexpr uint32_t kCompositionFlag = 0x100;
constexpr uint32_t kNoTable = 0xFFFF;

}  // namespace

PageElement* DocumentView::CreateIndexWidget(uint32_t table, SharedWideString* fragment, uint32_t flags,
                                             bool ideogram, const SharedWideString* recordSetName, uint32_t subTable,
                                             uint32_t entryWord, const SharedWideString* query,
                                             const SharedWideString* condition, const SharedWideString* entryTemplate,
                                             const SharedWideString* keyTemplate, int32_t selectedEntry) {
  IndexTablePtr main;
  main.Adopt(OpenIndexTableByNumber(source_.Get(), static_cast<int32_t>(table)));
  IndexTablePtr key;
  if (subTable != kNoTable) key.Adopt(OpenIndexTableByNumber(source_.Get(), static_cast<int32_t>(subTable)));
  if (!main || (subTable != kNoTable && !key)) return nullptr;
  IndexPageElementMaker* maker = GetIndexPageElementMaker();
  IndexWidget* widget = maker != nullptr ? maker->MakeIndexWidget(this, controller_, surface_) : nullptr;
  if (widget == nullptr) return nullptr;

  if (key && condition != nullptr && selectedEntry == -1) selectedEntry = SelectConditionEntry(key.Get(), *condition);
  const SharedWideString noName;
  if (fragment != nullptr &&
      !WriteIndexFragment(fragment, ideogram, main->GetHeaderRecordNumber(), key ? static_cast<int32_t>(subTable) : -1,
                          static_cast<int32_t>(entryWord), selectedEntry,
                          recordSetName != nullptr ? *recordSetName : noName)) {
    delete widget;
    return nullptr;
  }
  if (!key) {
    widget->SetIndexTable(main.Get());
  } else if (selectedEntry == -1) {
    widget->SetTables(main.Get(), key.Get(), entryWord);
  } else {
    widget->SetTablesAndSelect(main.Get(), key.Get(), entryWord, selectedEntry);
  }
  widget->SetModes(ideogram, flags);
  widget->EnableInput((flags & kCompositionFlag) != 0);
  if (recordSetName != nullptr) widget->SetRecordSetName(*recordSetName);
  if (query != nullptr && !query->IsEmpty()) {
    widget->SetQueryText(*query);
  } else {
    ApplySavedQuery(widget, flags, main->GetCodePage() & 0x3FF);
  }
  if (entryTemplate != nullptr) widget->SetEntryTemplate(*entryTemplate);
  if (keyTemplate != nullptr) widget->SetKeyTemplate(*keyTemplate);
  TakeFocus();
  return widget;
}

PageElement* DocumentView::OpenQueryResult(const SharedWideString& query, const SharedWideString* entryTemplate,
                                           int32_t bulletCode, int32_t bulletFlag, SharedWideString* fragment,
                                           const SharedWideString* recordSetName, uint32_t flags) {
  IndexQueryResultPtr result;
  result.Adopt(RunIndexQuery(source_.Get(), query));
  if (!result) return nullptr;
  // The widget takes a reference of its own; ours goes with the pointer.
  return CreateSqlIndexWidget(result.Get(), query, fragment, bulletCode, bulletFlag, entryTemplate, recordSetName,
                              flags);
}

PageElement* DocumentView::CreateSqlIndexWidget(IndexQueryResult* result, const SharedWideString& query,
                                                SharedWideString* fragment, int32_t bulletCode, int32_t bulletFlag,
                                                const SharedWideString* entryTemplate,
                                                const SharedWideString* recordSetName, uint32_t flags) {
  if (result == nullptr) return nullptr;
  // The fragment is written even when no widget can be made.
  const SharedWideString noName;
  if (fragment != nullptr &&
      !WriteSqlFragment(fragment, result->HasRestrictedOperator(), bulletCode, bulletFlag != 0, query,
                        recordSetName != nullptr ? *recordSetName : noName)) {
    return nullptr;
  }
  IndexPageElementMaker* maker = GetIndexPageElementMaker();
  IndexWidget* widget = maker != nullptr ? maker->MakeIndexWidget(this, controller_, surface_) : nullptr;
  if (widget == nullptr) return nullptr;
  widget->SetRecordSource(result, entryTemplate, query);
  widget->SetBullet(bulletCode, bulletFlag);
  if (recordSetName != nullptr) widget->SetRecordSetName(*recordSetName);
  widget->SetModes(false, flags);
  widget->EnableInput((flags & kCompositionFlag) != 0);
  ApplySavedQuery(widget, flags, result->GetCodePage() & 0x3FF);
  TakeFocus();
  return widget;
}

bool DocumentView::ApplySavedQuery(PageElement* widget, uint32_t flags, uint32_t codePageKey) {
  if (preferences_ == nullptr || widget == nullptr || widget->GetKind() != kElementIndexWidget) return false;
  SharedWideString* text = preferences_->LastQueryText();
  uint32_t* savedFlags = preferences_->LastQueryFlags();
  uint32_t* savedCodePage = preferences_->LastQueryCodePage();
  if (text == nullptr || savedFlags == nullptr || savedCodePage == nullptr) return false;
  if (SavedQueryApplies(*text, *savedFlags, *savedCodePage, flags, codePageKey)) {
    static_cast<IndexWidget*>(widget)->SetQueryText(*text);
    return true;
  }
  text->Clear();
  *savedFlags = 0;
  *savedCodePage = 0;
  return false;
}

bool DocumentView::SetIndexQuery(const SharedWideString& text) {
  if (documentElement_ == nullptr || documentElement_->GetKind() != kElementIndexWidget) return false;
  IndexWidget* widget = static_cast<IndexWidget*>(documentElement_);
  if (focusedElement_ != widget->AsElement()) return false;
  widget->SetQueryText(text);
  return true;
}

RecordSource* DocumentView::OpenRecordSource(const SharedWideString& table, int32_t extra) {
  (void)extra;  // no document asks more than the table and the position
  if (!source_) return nullptr;
  // A new result with one reference: the caller's.
  return OpenPositionRecordSource(source_.Get(), table, CurrentPagePosition());
}
