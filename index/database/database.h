// Database: a small in-memory store of named tables with typed columns,
// which scripts fill and read, interactive page elements use for storage,
// and the system saves as (and loads from) a Palm database of type "DUMP"
// with creator "CORV", one record long (files with the extension ".ebase").
// It is also a DocumentSource, so that the loader can open such a file like
// any other document; its one reference count is the source's.
//
// Saving never loses the previous copy: the container writes the new file
// beside the old one and replaces it in one step, and a save that fails is
// discarded, never written back.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "index/database/database_string_pool.h"
#include "index/database/object_table.h"
#include "storage/sources/document_source.h"

class PalmDatabase;

// Database::Load and LoadDatabase answers.
enum DatabaseLoadError : int32_t {
  kDatabaseLoaded = 0,
  kDatabaseUnreadable = 8,   // not a "DUMP" record, or truncated or unreadable
  kDatabaseCannotOpen = 9,   // the file cannot be opened
  kDatabaseNoMemory = 10,    // also a duplicate or empty table name in the file
  kDatabaseNewerVersion = 11,
  kDatabaseNotEmpty = 12,    // also: record 0 cannot be read or holds no body
};

class Database : public DocumentSource {
 public:
  Database() = default;

  // ---- Tables
  int32_t FirstTable() const { return NextTable(-1); }
  int32_t NextTable(int32_t n) const;
  int32_t FindTable(const SharedWideString& name) const;
  const SharedWideString* TableName(int32_t n) const;
  ObjectTable* GetTable(int32_t n) const;
  // -1 for an empty or taken name or no memory; new tables go at the end.
  int32_t CreateTable(const SharedWideString& name);
  // 1 while record sets hold the table.
  int32_t DropTable(int32_t n);
  uint32_t TableCount() const;
  DatabaseStringPool& Pool() { return pool_; }

  const SharedWideString& Name() const { return name_; }
  SharedWideString* NameRef() { return &name_; }
  void SetTitle(const SharedWideString& title) { title_.Assign(title); }
  const WCHAR* Path() const { return path_; }
  bool SetPath(const WCHAR* path);
  // Keeps a file address as the path and, without a name yet, names the
  // database after the file (its last extension dropped when it is exactly
  // ".ebase").
  bool SetFileAddress(const WCHAR* path);

  // ---- Saving and loading
  // False on success, true on failure (the previous file is then unchanged).
  bool Save();
  // 0 or a DatabaseLoadError; a failed load leaves the database empty.
  int32_t Load(PalmDatabase* database);
  int32_t LoadFromFile();
  // 0: attached to a script value store (first time: one reference); 1: the
  // store goes away (the reference is dropped, which may destroy it).
  void NotifyStore(int32_t event);
  // Empties the database (tables, pool, name).
  void Clear();

  // ---- DocumentSource
  // Keeps the address; one that names a file or path also gives the file
  // path (and the name, through SetFileAddress).
  void SetUrl(const Url& url) override;
  bool GetTitle(SharedWideString* title) override;
  bool HasEmbeddedStreams() override { return false; }
  int32_t GetSourceKind() override { return kObjectDatabaseKind; }

 protected:
  ~Database() override;

 private:
  ObjectTable** tables_ = nullptr;  // slot n is table n; null = empty slot
  uint32_t tableSlots_ = 0;
  uint32_t tableCapacity_ = 0;
  DatabaseStringPool pool_;
  SharedWideString name_;
  SharedWideString title_;
  uint8_t attached_ = 0;
  WCHAR* path_ = nullptr;
};

using DatabasePtr = RefPtr<Database>;

// Creates a database and loads it from the Palm database; on any error the
// database is destroyed, *out is null and the code answered (10 when the
// object cannot be made).
int32_t LoadDatabase(PalmDatabase* database, Database** out);

// Up to 32 characters of the text, ASCII letters and digits kept and every
// other character turned into '_'; true (and out cleared) when no letter or
// digit was kept.
bool MakeIdentifier(const SharedWideString& text, SharedWideString* out);
