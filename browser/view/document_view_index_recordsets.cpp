// The page's record set: a script on the page reads the records of an index
// (or of any record source) through the global "__global_recordset" of the
// window's script context. A view whose window runs no scripts has nowhere
// to keep it: installing answers failure there.
#include <new>

#include "browser/view/script_context.h"
#include "browser/view/script_host_calls.h"
#include "index/query/index_query_result.h"
#include "index/records/record_source.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

const char16_t kGlobalRecordSetName[] = u"__global_recordset";

// Stores the value under the record set's name in the context's global
// object; false when there is none or the member cannot be made.
bool StoreGlobalRecordSet(ScriptContext* context, ScriptValueHandle value) {
  if (context == nullptr || context->valueStore == nullptr) return false;
  ScriptObjectSlot* slot = context->valueStore->GetObjectSlot(context->globalObject);
  if (slot == nullptr || slot->ref.owner == nullptr) return false;
  int32_t status = kScriptOk;
  SetScriptMemberByName(&status, context->valueStore, slot->ref.owner,
                        SharedWideString(reinterpret_cast<const WCHAR*>(kGlobalRecordSetName)), value);
  return status == kScriptOk;
}

}  // namespace

bool DocumentView::SetGlobalRecordSource(IndexTable* table, const SharedWideString& query) {
  if (table == nullptr) return false;
  IndexQueryResult* result = new (std::nothrow) IndexQueryResult();
  if (result == nullptr) return false;
  result->SetTable(table);
  const bool installed = InstallRecordSource(result, query);
  result->Release();
  return installed;
}

// The record set stands on the source's first record; the query that chose
// the records is the source's own business.
bool DocumentView::InstallRecordSource(RecordSource* source, const SharedWideString& query) {
  (void)query;
  ScriptContext* context = ScriptHostCalls::ContextOf(this);
  if (source == nullptr || context == nullptr || context->valueStore == nullptr) return false;
  ScriptValueHandle value = kScriptEmptyHandle;
  if (source->CreateRecordSet(RecordPosition::Of(0), context->valueStore, &value) != 0) return false;
  const bool stored = StoreGlobalRecordSet(context, value);
  context->valueStore->Release(&value);
  return stored;
}

void DocumentView::ClearGlobalRecordSet() {
  StoreGlobalRecordSet(ScriptHostCalls::ContextOf(this), kScriptUndefinedHandle);
}
