// RecordSet: the script object through which a page's script walks the
// entries an index query selected and reads their fields: the head word, a
// formatted line, named fields of the entry (through the book's naming
// table) and of key tables, and link texts that lead back into the index.
// RecordSetField stands for one named field of the entry that was current
// when it was made; its values read by number.
//
// A field's code packs, in 32 bits: bits 0-7 the tag, 8-15 its sub-kind as
// the naming table gives it (the value mode), 16-23 the source (2: a field
// of the entry, 3: a field of a key table), 24-31 the key-table number. A
// field of sub-kind 1, 3 or 4 is a property: its value is a position from
// which anchors and URLs are built, not a text.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "index/query/index_query_result.h"
#include "index/records/paged_array.h"
#include "index/templates/entry_value_reader.h"
#include "index/templates/record_template.h"
#include "script/objects/script_object.h"

class IndexTable;

constexpr uint32_t kFieldSourceEntry = 2;
constexpr uint32_t kFieldSourceKeyTable = 3;

inline uint32_t FieldTag(uint32_t code) { return code & 0xFF; }
inline uint32_t FieldSubKind(uint32_t code) { return (code >> 8) & 0xFF; }
inline uint32_t FieldSource(uint32_t code) { return (code >> 16) & 0xFF; }
inline uint32_t FieldKeyTable(uint32_t code) { return code >> 24; }
inline bool FieldIsProperty(uint32_t code) {
  const uint32_t sub = FieldSubKind(code);
  return sub == 1 || sub == 3 || sub == 4;
}

class RecordSet : public ScriptObject {
 public:
  // Takes a reference of the result, opens the naming table of its index
  // table and stands on the position's entry.
  RecordSet(IndexQueryResult* result, const QueryPosition& position);
  ~RecordSet() override;

  IndexQueryResult* Result() const { return result_; }
  const IndexEntryRef& CurrentEntry() const { return position_.entry; }
  // The name of the result's index table.
  bool GetTableName(SharedWideString* name) const;
  // The absolute entry number of the current entry; -1 before the start,
  // -2 past the end.
  int32_t GetEntryNumber() const;

  // The code of a named field (entry field through the naming table, else
  // a key-table field); false when the name is no field.
  bool ResolveField(const SharedWideString& name, uint32_t* code);
  // The number of an open key table of that name, opening it through the
  // result's document when needed; -1 when there is none.
  int32_t FindKeyTable(const SharedWideString& name);
  // The template token of a key-table field: {tag, 0, source 3, key-table
  // number}; false when the name is no key-table field.
  bool ResolveKeyField(const WCHAR* name, uint32_t length, FieldDescriptor* out);

  // Value `item` of a field of an entry: 0 with *done set when the entry
  // has no such value; 1 when the entry cannot be read. Properties deliver
  // their number, text fields their text.
  int32_t ReadField(uint32_t code, const IndexEntryRef& entry, uint32_t item, SharedWideString* text,
                    uint32_t* number, bool* done);
  // The label of entry `number` of open key table `key`; false when there
  // is no such table or entry.
  bool KeyTableLabel(uint32_t key, uint32_t number, SharedWideString* text);
  // The number of values the entry holds for the field's tag.
  uint32_t CountFieldValues(uint32_t code, const IndexEntryRef& entry);
  // The link text of an entry: for the entry itself (hasField clear), for a
  // field, or for value `item` of a field (item >= 0); false when it cannot
  // be built. With url the result's address comes first.
  bool LinkText(const IndexEntryRef& entry, bool hasField, uint32_t code, int32_t item, bool url,
                SharedWideString* out);

  // ---- ScriptObject
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount, ScriptOperandStack* stack,
                  ScriptValueHandle* result) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  bool AnswerFlag(uint8_t flag) override { return flag == 0; }
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

  // Member codes beyond the atoms: a field, its anchor and its URL (the
  // field's code is the sub-code).
  static constexpr int32_t kFieldMember = 1000;
  static constexpr int32_t kFieldAnchor = 1001;
  static constexpr int32_t kFieldUrl = 1002;

 private:
  int32_t* FieldValue(int32_t* status, uint32_t code, ScriptValueStore* store, ScriptValueHandle* result,
                      int32_t wantedType);
  int32_t* EntryText(int32_t* status, int32_t atom, ScriptValueStore* store, ScriptValueHandle* result);
  int32_t* MakeField(int32_t* status, uint32_t code, ScriptOperandStack* stack, ScriptValueHandle* result);
  bool NamingItem(const SharedWideString& key, int32_t tableIdentifier, uint32_t* tag, uint32_t* subKind);

  IndexQueryResult* result_;
  IndexTable* naming_ = nullptr;  // counted
  QueryPosition position_;
  PagedArray<DocumentStreamPtr> keyTables_;
  PagedArray<SharedWideString> keyNames_;
  EntryValueReader values_;
};

class RecordSetField : public ScriptObject {
 public:
  // Holds the record set through a value of the store (so that the record
  // set outlives the field) and the entry that was current.
  RecordSetField(RecordSet* owner, ScriptValueStore* store, ScriptValueHandle ownerValue, uint32_t code,
                 const IndexEntryRef& entry);
  ~RecordSetField() override;

  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount, ScriptOperandStack* stack,
                  ScriptValueHandle* result) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

  // Member codes: value n is n itself; Count, and anchor or url after value n.
  static constexpr int32_t kCount = -2;
  static constexpr int32_t kAnchorBase = 0x10000000;
  static constexpr int32_t kUrlBase = 0x20000000;

 private:
  RecordSet* owner_;
  ScriptValueStore* store_;
  ScriptValueHandle ownerValue_;
  uint32_t code_;
  IndexEntryRef entry_;
};

// Installs the record-set field resolution into the template compiler: a
// name neither "orth" nor in the naming table resolves as a key-table field
// of the record set that is formatting (none: unresolvable).
void InstallRecordSetFieldResolver();
