// The page's record set: a script on the page reads the records of an index
// (or of any record source) through the global "__global_recordset" of the
// window's script context. The document view has no script context of its
// own (the browser view that runs page scripts brings one), so here the
// record set cannot be installed and the hooks answer failure.
#include <new>

#include "browser/view/document_view.h"
#include "index/query/index_query_result.h"
#include "index/records/record_source.h"

bool DocumentView::SetGlobalRecordSource(IndexTable* table, const SharedWideString& query) {
  if (table == nullptr) return false;
  IndexQueryResult* result = new (std::nothrow) IndexQueryResult();
  if (result == nullptr) return false;
  result->SetTable(table);
  const bool installed = InstallRecordSource(result, query);
  result->Release();
  return installed;
}

// The global object that holds the record set belongs to the window's
// script context, which this view does not have: nothing can hold it.
bool DocumentView::InstallRecordSource(RecordSource* source, const SharedWideString& query) {
  (void)source;
  (void)query;
  return false;
}

void DocumentView::ClearGlobalRecordSet() {}
