// ScriptDataServices: what the host object base's `sql_execute` and
// `OpenDatabase` reach: the look-up queries over the document's indexes and
// the object databases. The index library implements it over a document;
// a host without one answers those calls with status 15.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_value.h"

class ScriptValueStore;

class ScriptDataServices {
 public:
  // Runs the query text; *result (released first) becomes a record set
  // standing on the result's first entry. The query's failure code is the
  // status (1 when it gives none).
  virtual int32_t ExecuteQuery(const SharedWideString& query, ScriptValueStore* store, ScriptValueHandle* result) = 0;
  // Opens the object database at the address; *result becomes its script
  // object. 1 for an address that cannot be read, 13 when no database
  // comes back.
  virtual int32_t OpenDatabase(const SharedWideString& address, ScriptValueStore* store,
                               ScriptValueHandle* result) = 0;

 protected:
  ~ScriptDataServices() = default;
};
