// Queries and databases for a document's scripts (see book_data_services.h).
#include "index/dbscript/book_data_services.h"

#include "index/database/database.h"
#include "index/dbscript/database_record_set.h"
#include "index/query/index_query_result.h"
#include "index/query/index_query_translator.h"
#include "platform/memory/allocator.h"
#include "script/builtins/builtin_arguments.h"
#include "script/values/script_status.h"

int32_t BookDataServices::ExecuteQuery(const SharedWideString& query, ScriptValueStore* store,
                                       ScriptValueHandle* result) {
  IndexQueryResultPtr answer;
  const int32_t code = RunIndexQuery(query, source_, &answer);
  if (code != 0) return code;
  if (!answer) return kScriptNoMemory;
  // The record set stands on the result's first entry.
  return answer->CreateRecordSet(RecordPosition::Of(0), store, result) == 0 ? kScriptOk : kScriptNoMemory;
}

int32_t BookDataServices::OpenDatabase(const SharedWideString& address, ScriptValueStore* store,
                                       ScriptValueHandle* result) {
  if (address.IsEmpty()) return kScriptNoMemory;
  WCHAR* path = address.Duplicate(true);
  if (path == nullptr) return kScriptNoMemory;
  DatabasePtr database;
  database.Adopt(DeviceNew<Database>());
  const bool named = database && database->SetFileAddress(path);
  DeviceFree(path);
  if (!named) return kScriptNoMemory;
  const int32_t code = database->LoadFromFile();
  // A database that does not exist yet starts empty (a failed load leaves
  // it so) and is saved at its path; one that cannot be read is refused.
  if (code != kDatabaseLoaded && code != kDatabaseCannotOpen) return kScriptBadParameterCount;
  int32_t status = kScriptOk;
  return *ResultFreshObject(&status, store, DeviceNew<DatabaseScriptObject>(database.Get()), result);
}
