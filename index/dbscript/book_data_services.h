// BookDataServices: the queries and object databases that a script host
// reaches for one document (sql_execute and OpenDatabase): look-up queries
// run over the document's index tables and answer a record set on the
// result's first entry; databases open from their "DUMP" files by device
// path, a file that does not exist yet giving an empty database that saves
// there.
#pragma once

#include "script/host/script_data_services.h"
#include "storage/sources/document_source.h"

class BookDataServices : public ScriptDataServices {
 public:
  // The document whose index tables queries name (may be null: every query
  // then fails as naming an unknown table).
  explicit BookDataServices(DocumentSource* source) : source_(source) {}
  virtual ~BookDataServices() = default;

  int32_t ExecuteQuery(const SharedWideString& query, ScriptValueStore* store, ScriptValueHandle* result) override;
  int32_t OpenDatabase(const SharedWideString& address, ScriptValueStore* store, ScriptValueHandle* result) override;

 private:
  DocumentSource* source_;
};
