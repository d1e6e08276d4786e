// DatabaseRecordSet: the script object that Database.OpenTable answers, a
// cursor over one table of an object database whose columns read and write
// as properties; and, as its second face, the table's view: the
// RecordSource through which list widgets show the rows.
//
// The current row is a row index, -1 before the start or -2 past the end.
// Rows are never removed, only marked deleted, so it never names a row that
// does not exist; comparisons are made with the number of rows ever created
// (not with the present rows, which drop with every deletion).
//
// While a record set lives its table is locked (no drop, no column added or
// removed) and the database is held by one reference. The record set counts
// its own references: its creator's, the value store's while a script value
// holds it, and those of page elements.
#pragma once

#include <cstdint>

#include "foundation/system/random_generator.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "index/database/database.h"
#include "index/records/record_source.h"
#include "script/objects/script_object.h"

class DatabaseRecordSet : public ScriptObject, public RecordSource {
 public:
  // Locks the table and takes a database reference; the record set starts
  // before the first row with one reference (the creator's).
  DatabaseRecordSet(Database* database, int32_t tableIndex);

  void AddRef() override { ++referenceCount_; }
  // 1 when the record set was destroyed.
  int32_t Release() override;
  int32_t ReferenceCount() const { return referenceCount_; }

  ObjectTable* GetTable() const;
  Database* GetDatabase() const { return database_; }
  int32_t CurrentRow() const { return current_; }
  void SetCurrentRow(int32_t row) { current_ = row; }

  // Remembers the column, text and number, and moves to the first matching
  // row (past the end when none or the column is unknown).
  void FindColumnValue(const SharedWideString& column, const SharedWideString& text, int32_t number);
  // The next row after position whose remembered column holds the
  // remembered value; -2 when none.
  int32_t FindNextMatch(int32_t position);

  // ---- ScriptObject
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount, ScriptOperandStack* stack,
                  ScriptValueHandle* result) override;
  int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle value) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

  // ---- RecordSource (the table's view; positions carry row indexes)
  RecordPosition Previous(RecordPosition position) override;
  RecordPosition Next(RecordPosition position) override;
  void GetText(RecordPosition position, SharedWideString* text) override;
  void GetFormattedText(RecordPosition position, SharedWideString* text) override;
  int32_t GetIcon(RecordPosition position) override;
  void GetShortId(RecordPosition position, SharedWideString* text) override;
  bool GetSourceName(SharedWideString* text, bool next) override;
  void SetTitle(const SharedWideString& title) override;
  int32_t PositionToOrdinal(RecordPosition position) override;
  RecordPosition OrdinalToPosition(int32_t ordinal) override;
  int32_t GetCount() override;
  int32_t GetIndexOf(RecordPosition position) override;

  // Rows read back from the ordinal cache (tests watch it).
  uint64_t OrdinalRowsCounted() const { return ordinalRowsCounted_; }

 protected:
  ~DatabaseRecordSet() override;

 private:
  int32_t NextRowFrom(int32_t row) const;
  int32_t PreviousRowFrom(int32_t row) const;
  // The text of a named column at a row when it holds one.
  bool NamedText(int32_t row, const char16_t* name, SharedWideString* text) const;
  int32_t RowOrdinal(int32_t row);
  bool Matches(int32_t row) const;

  int32_t referenceCount_ = 1;
  int32_t tableIndex_;
  Database* database_;
  int32_t current_ = -1;
  uint8_t attached_ = 0;
  int32_t findColumn_ = -1;
  SharedWideString findText_;
  int32_t findNumber_ = 0;
  RandomGenerator random_;
  // The ordinal of one row, so that asking for rows in order counts each
  // row once: {row, its ordinal, the rows ever created then}; row -1: none.
  int32_t cachedRow_ = -1;
  int32_t cachedOrdinal_ = 0;
  uint64_t ordinalRowsCounted_ = 0;
};

// The script face of a Database: its methods create, change, drop and open
// tables and save the file. It holds one reference of the database and is
// owned by the value store that holds it.
class DatabaseScriptObject : public ScriptObject {
 public:
  explicit DatabaseScriptObject(Database* database);
  ~DatabaseScriptObject() override;

  Database* GetDatabase() const { return database_; }

  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount, ScriptOperandStack* stack,
                  ScriptValueHandle* result) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

 private:
  Database* database_;
};

// The database messages, as scripts compare them.
extern const char16_t kDatabaseError01[];
extern const char16_t kDatabaseError02[];
extern const char16_t kDatabaseError03[];
extern const char16_t kDatabaseError04[];
extern const char16_t kDatabaseError05[];
extern const char16_t kDatabaseError06[];
extern const char16_t kDatabaseError07[];
