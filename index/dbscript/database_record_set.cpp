// The record set over one object-database table: cursor, columns as
// properties, finding rows, and the table's view for list widgets.
#include "index/dbscript/database_record_set.h"

#include <cstring>

#include "script/builtins/builtin_arguments.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr int32_t kBeforeStart = -1;
constexpr int32_t kPastEnd = -2;
// Member code of a column (its index is the sub-code).
constexpr int32_t kColumnMember = 0;

bool IsRecordSetAtom(int32_t atom) {
  return (atom >= kAtom_MoveNext && atom <= kAtom_MoveLast) || (atom >= kAtom_AddNew && atom <= kAtom_MoveRandom);
}

bool SameText(const SharedWideString& a, const SharedWideString& b) {
  return a.length == b.length && (a.length == 0 || std::memcmp(a.Chars(), b.Chars(), a.length * sizeof(WCHAR)) == 0);
}

}  // namespace

DatabaseRecordSet::DatabaseRecordSet(Database* database, int32_t tableIndex)
    : tableIndex_(tableIndex), database_(database) {
  database_->AddRef();
  if (ObjectTable* table = GetTable()) table->Lock();
}

DatabaseRecordSet::~DatabaseRecordSet() {
  if (ObjectTable* table = GetTable()) table->Unlock();
  database_->Release();
}

int32_t DatabaseRecordSet::Release() {
  if (--referenceCount_ > 0) return 0;
  delete this;
  return 1;
}

ObjectTable* DatabaseRecordSet::GetTable() const { return database_->GetTable(tableIndex_); }

// ---- Stepping over deleted rows

int32_t DatabaseRecordSet::NextRowFrom(int32_t row) const {
  const ObjectTable* table = GetTable();
  if (table == nullptr || row == kPastEnd) return kPastEnd;
  const int32_t next = table->NextRow(row < 0 ? -1 : row);
  return next < 0 ? kPastEnd : next;
}

int32_t DatabaseRecordSet::PreviousRowFrom(int32_t row) const {
  const ObjectTable* table = GetTable();
  if (table == nullptr || row == kBeforeStart) return kBeforeStart;
  const int32_t from = row == kPastEnd || row < 0 ? static_cast<int32_t>(table->RowSlots()) : row;
  const int32_t previous = table->PreviousRow(from);
  return previous < 0 ? kBeforeStart : previous;
}

// ---- Finding

bool DatabaseRecordSet::Matches(int32_t row) const {
  const ObjectTable* table = GetTable();
  if (table == nullptr || table->IsNull(row, findColumn_)) return false;
  if (table->IsTextColumn(findColumn_)) {
    const SharedWideString* text = table->GetText(row, findColumn_);
    return text != nullptr && SameText(*text, findText_);
  }
  if (table->IsNumericColumn(findColumn_))
    return table->GetNumber(row, findColumn_) == static_cast<uint32_t>(findNumber_);
  return false;
}

int32_t DatabaseRecordSet::FindNextMatch(int32_t position) {
  if (findColumn_ < 0) return kPastEnd;
  for (int32_t row = NextRowFrom(position); row >= 0; row = NextRowFrom(row))
    if (Matches(row)) return row;
  return kPastEnd;
}

void DatabaseRecordSet::FindColumnValue(const SharedWideString& column, const SharedWideString& text,
                                        int32_t number) {
  const ObjectTable* table = GetTable();
  findColumn_ = table != nullptr ? table->FindColumn(column) : -1;
  findText_.Assign(text);
  findNumber_ = number;
  current_ = findColumn_ < 0 ? kPastEnd : FindNextMatch(kBeforeStart);
}

// ---- Script members

int32_t* DatabaseRecordSet::ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                                          uint8_t) {
  *status = kScriptOk;
  if (!ref->IsSelf() || name.IsIndex()) {
    *status = kScriptMemberUnknown;
    return status;
  }
  if (IsRecordSetAtom(name.atom)) {
    ref->owner = this;
    ref->memberCode = name.atom;
    return status;
  }
  const ObjectTable* table = GetTable();
  const int32_t column = table != nullptr ? table->FindColumn(name.text) : -1;
  if (column < 0) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->memberCode = kColumnMember;
  ref->subCode = column;
  return status;
}

int32_t* DatabaseRecordSet::GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                           ScriptValueHandle* result, int32_t) {
  *status = kScriptOk;
  const ObjectTable* table = GetTable();
  const uint32_t rows = table != nullptr ? table->RowSlots() : 0;
  if (ref.IsSelf()) {
    static const char16_t kText[] = u"[Object RecordSet]";
    return ResultString(status, store, SharedWideString(kText), result);
  }
  if (ref.memberCode == kAtom_BOF) return ResultBoolean(status, store, current_ == kBeforeStart, result);
  if (ref.memberCode == kAtom_EOF)
    return ResultBoolean(status, store, current_ == kPastEnd || static_cast<uint32_t>(current_) >= rows, result);
  if (ref.memberCode != kColumnMember || table == nullptr) {
    *status = kScriptCannotGet;
    return status;
  }
  const int32_t column = ref.subCode;
  const ObjectColumn* c = table->GetColumn(column);
  if (c == nullptr || !c->Exists() || !table->IsPresent(current_)) {
    *status = kScriptCannotGet;
    return status;
  }
  store->Release(result);
  if (table->IsNull(current_, column)) return store->NewObject(status, nullptr, result);  // null
  if (table->IsTextColumn(column)) {
    const SharedWideString* text = table->GetText(current_, column);
    if (text == nullptr) return store->NewObject(status, nullptr, result);
    return ResultString(status, store, *text, result);
  }
  const uint32_t number = table->GetNumber(current_, column);
  if (number > 0x7FFFFFFFu) return ResultNumber(status, store, static_cast<double>(number), result);
  return ResultInteger(status, store, static_cast<int32_t>(number), result);
}

int32_t* DatabaseRecordSet::SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                           ScriptValueHandle value) {
  *status = kScriptOk;
  ObjectTable* table = GetTable();
  if (ref.memberCode != kColumnMember || ref.IsSelf()) {
    *status = kScriptNoMemory;  // only columns can be set
    return status;
  }
  const int32_t column = ref.subCode;
  const ObjectColumn* c = table != nullptr ? table->GetColumn(column) : nullptr;
  if (c == nullptr || !c->Exists() || !table->IsPresent(current_)) {
    *status = kScriptCannotSet;
    return status;
  }
  if (table->IsTextColumn(column)) {
    SharedWideString text;
    if (*store->ToString(status, value, &text, 0) != kScriptOk) return status;
    if (table->SetText(current_, column, text) != 0) *status = kScriptNoMemory;
    return status;
  }
  int32_t number = 0;
  if (*store->ToInteger(status, value, &number) != kScriptOk) return status;
  table->SetNumber(current_, column, static_cast<uint32_t>(number));
  return status;
}

int32_t* DatabaseRecordSet::Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                                   ScriptOperandStack* stack, ScriptValueHandle* result) {
  *status = kScriptOk;
  ObjectTable* table = GetTable();
  const uint32_t rows = table != nullptr ? table->RowSlots() : 0;
  switch (ref.memberCode) {
    case kAtom_MoveNext:
      current_ = NextRowFrom(current_);
      return status;
    case kAtom_MovePrevious:
      current_ = PreviousRowFrom(current_);
      return status;
    case kAtom_MoveFirst:
      current_ = NextRowFrom(kBeforeStart);
      return status;
    case kAtom_MoveLast:
      current_ = PreviousRowFrom(kPastEnd);
      return status;
    case kAtom_AddNew: {
      const int32_t row = table != nullptr ? table->AppendEmptyRow() : -1;
      if (row < 0) *status = kScriptNoMemory;
      else current_ = row;
      return status;
    }
    case kAtom_Delete:
      if (current_ < 0 || static_cast<uint32_t>(current_) >= rows) {
        *status = kScriptUnhandledException;
        return status;
      }
      table->DeleteRow(current_);
      if (current_ <= cachedRow_) cachedRow_ = -1;
      current_ = NextRowFrom(current_);
      return status;
    case kAtom_FindFirst: {
      if (argumentCount < 2) {
        *status = kScriptBadParameterCount;
        return status;
      }
      SharedWideString name;
      if (*ArgumentToString(status, stack, argumentCount, 0, &name) != kScriptOk) return status;
      const int32_t column = table != nullptr ? table->FindColumn(name) : -1;
      if (column < 0) return ResultString(status, CallStore(stack), SharedWideString(kDatabaseError06), result);
      SharedWideString text;
      int32_t number = 0;
      if (table->IsTextColumn(column)) {
        if (*ArgumentToString(status, stack, argumentCount, 1, &text) != kScriptOk) return status;
      } else if (*ArgumentToInteger(status, stack, argumentCount, 1, &number) != kScriptOk) {
        return status;
      }
      FindColumnValue(name, text, number);
      return ResultString(status, CallStore(stack), SharedWideString(), result);
    }
    case kAtom_FindNext:
      current_ = FindNextMatch(current_);
      return status;
    case kAtom_MoveRandom: {
      const int32_t first = NextRowFrom(kBeforeStart);
      if (rows == 0 || first < 0) {
        current_ = kPastEnd;  // no rows, or every row deleted
        return status;
      }
      const int32_t drawn = static_cast<int32_t>(random_.Next() % rows);
      const int32_t next = NextRowFrom(drawn);
      current_ = next >= 0 ? next : first;
      return status;
    }
    default:
      *status = kScriptMemberUnknown;
      return status;
  }
}

void DatabaseRecordSet::NotifyStore(int32_t event, ScriptValueStore*) {
  if (event == kScriptStoreAttached && attached_ == 0) {
    attached_ = 1;
    AddRef();
  } else if (event == kScriptStoreReleased && attached_ != 0) {
    attached_ = 0;
    Release();
  }
}

// ---- The table's view

RecordPosition DatabaseRecordSet::Next(RecordPosition position) {
  return RecordPosition::Of(NextRowFrom(position.GetOrdinal()));
}

RecordPosition DatabaseRecordSet::Previous(RecordPosition position) {
  return RecordPosition::Of(PreviousRowFrom(position.GetOrdinal()));
}

bool DatabaseRecordSet::NamedText(int32_t row, const char16_t* name, SharedWideString* text) const {
  const ObjectTable* table = GetTable();
  if (table == nullptr) return false;
  const int32_t column = table->FindColumn(SharedWideString(name));
  if (column < 0 || !table->IsTextColumn(column) || !table->IsPresent(row) || table->IsNull(row, column))
    return false;
  const SharedWideString* value = table->GetText(row, column);
  if (value == nullptr) return false;
  text->Assign(*value);
  return true;
}

void DatabaseRecordSet::GetText(RecordPosition position, SharedWideString* text) {
  text->Clear();
  const ObjectTable* table = GetTable();
  const int32_t row = position.GetOrdinal();
  if (table == nullptr || !table->IsPresent(row)) return;
  for (int32_t c = table->FirstColumn(); c >= 0; c = table->NextColumn(c)) {
    if (!table->IsTextColumn(c)) continue;
    const SharedWideString* value = table->IsNull(row, c) ? nullptr : table->GetText(row, c);
    if (value != nullptr) text->Assign(*value);
    return;
  }
}

void DatabaseRecordSet::GetFormattedText(RecordPosition position, SharedWideString* text) {
  text->Clear();
  const int32_t row = position.GetOrdinal();
  if (!NamedText(row, u"formatted", text)) NamedText(row, u"orth", text);
}

int32_t DatabaseRecordSet::GetIcon(RecordPosition position) {
  const ObjectTable* table = GetTable();
  const int32_t row = position.GetOrdinal();
  if (table == nullptr || !table->IsPresent(row)) return -1;
  static const char16_t kIcon[] = u"icon";
  const int32_t column = table->FindColumn(SharedWideString(kIcon));
  if (column < 0 || !table->IsNumericColumn(column) || table->IsNull(row, column)) return -1;
  const int32_t value = static_cast<int32_t>(table->GetNumber(row, column));
  static const int32_t kIcons[] = {224, 225, 231, 230};
  return value >= 0 && value < 4 ? kIcons[value] : value;
}

void DatabaseRecordSet::GetShortId(RecordPosition position, SharedWideString* text) {
  text->Clear();
  NamedText(position.GetOrdinal(), u"shortid", text);
}

bool DatabaseRecordSet::GetSourceName(SharedWideString* text, bool next) {
  text->Clear();
  int32_t table = tableIndex_;
  if (next) {
    table = database_->NextTable(tableIndex_);
    if (table < 0) table = database_->FirstTable();
    if (table == tableIndex_ || table < 0) return false;
  }
  const SharedWideString* name = database_->TableName(table);
  if (name == nullptr) return false;
  text->Assign(*name);
  return true;
}

void DatabaseRecordSet::SetTitle(const SharedWideString& title) { database_->SetTitle(title); }

int32_t DatabaseRecordSet::PositionToOrdinal(RecordPosition position) {
  const ObjectTable* table = GetTable();
  return table != nullptr ? table->RowToOrdinal(position.GetOrdinal()) : -1;
}

RecordPosition DatabaseRecordSet::OrdinalToPosition(int32_t ordinal) {
  const ObjectTable* table = GetTable();
  return RecordPosition::Of(table != nullptr ? table->OrdinalToRow(ordinal) : kPastEnd);
}

int32_t DatabaseRecordSet::GetCount() {
  const ObjectTable* table = GetTable();
  return table != nullptr ? static_cast<int32_t>(table->CountRows()) : 0;
}

// The ordinal of a row (present rows up to it), counted on from the cached
// row when the row lies after it; from row 0 otherwise.
int32_t DatabaseRecordSet::RowOrdinal(int32_t row) {
  const ObjectTable* table = GetTable();
  int32_t from = 0;
  int32_t ordinal = 0;
  if (cachedRow_ >= 0 && cachedRow_ <= row && table->IsPresent(cachedRow_)) {
    from = cachedRow_ + 1;
    ordinal = cachedOrdinal_;
  }
  for (int32_t r = from; r <= row && static_cast<uint32_t>(r) < table->RowSlots(); ++r) {
    ++ordinalRowsCounted_;
    if (table->IsPresent(r)) ++ordinal;
  }
  cachedRow_ = row;
  cachedOrdinal_ = ordinal;
  return ordinal;
}

int32_t DatabaseRecordSet::GetIndexOf(RecordPosition position) {
  const ObjectTable* table = GetTable();
  const int32_t row = position.GetOrdinal();
  if (table == nullptr || row < 0) return -1;
  return RowOrdinal(row) - 1;
}

// ---- The database's script face

const char16_t kDatabaseError01[] =
    u"Database ERROR 01: the table already exists or there is not enough memory to create it.";
const char16_t kDatabaseError02[] = u"Database ERROR 02: table not found";
const char16_t kDatabaseError03[] =
    u"Database ERROR 03: the table is locked. Discard existing RecorSet objects and try again.";
const char16_t kDatabaseError04[] = u"Database ERROR 04: could not save the database.";
const char16_t kDatabaseError05[] = u"Database ERROR 05: not enough memory for this operation.";
const char16_t kDatabaseError06[] = u"Database ERROR 06: column not found";
const char16_t kDatabaseError07[] =
    u"Database ERROR 07: cannot create column because it already exists with a different type";

DatabaseScriptObject::DatabaseScriptObject(Database* database) : database_(database) { database_->AddRef(); }

DatabaseScriptObject::~DatabaseScriptObject() { database_->Release(); }

int32_t* DatabaseScriptObject::ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                                             uint8_t) {
  *status = kScriptOk;
  const int32_t atom = name.atom;
  const bool method = (atom >= kAtom_OpenTable && atom <= kAtom_DropTable) || atom == kAtom_Save;
  if (ref->memberCode != -1 || !method || name.IsIndex()) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->memberCode = atom;
  return status;
}

int32_t* DatabaseScriptObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                              ScriptValueHandle* result, int32_t) {
  *status = kScriptOk;
  if (ref.IsSelf()) {
    static const char16_t kText[] = u"[Object Database]";
    return ResultString(status, store, SharedWideString(kText), result);
  }
  *status = kScriptCannotGet;
  return status;
}

namespace {

// The arguments of a database method as texts (the first `texts`) and the
// type number last for AddField.
int32_t* ReadNames(int32_t* status, ScriptOperandStack* stack, uint32_t count, uint32_t texts,
                   SharedWideString* out) {
  for (uint32_t i = 0; i < texts; ++i)
    if (*ArgumentToString(status, stack, count, i, &out[i]) != kScriptOk) return status;
  return status;
}

}  // namespace

int32_t* DatabaseScriptObject::Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                                      ScriptOperandStack* stack, ScriptValueHandle* result) {
  *status = kScriptOk;
  const int32_t method = ref.memberCode;
  uint32_t needed = 0;
  switch (method) {
    case kAtom_OpenTable:
    case kAtom_CreateTable:
    case kAtom_DropTable:
      needed = 1;
      break;
    case kAtom_RemoveField:
      needed = 2;
      break;
    case kAtom_AddField:
      needed = 3;
      break;
    case kAtom_Save:
      break;
    default:
      *status = kScriptMemberUnknown;
      return status;
  }
  if (argumentCount < needed) {
    *status = kScriptBadParameterCount;
    return status;
  }
  ScriptValueStore* store = CallStore(stack);
  SharedWideString names[2];
  if (*ReadNames(status, stack, argumentCount, needed < 2 ? needed : 2, names) != kScriptOk) return status;
  auto answer = [&](const char16_t* text) {
    return ResultString(status, store, text != nullptr ? SharedWideString(text) : SharedWideString(), result);
  };
  switch (method) {
    case kAtom_OpenTable: {
      const int32_t table = database_->FindTable(names[0]);
      if (table < 0) {
        store->Release(result);
        return store->NewObject(status, nullptr, result);  // null, no error
      }
      DatabaseRecordSet* set = DeviceNew<DatabaseRecordSet>(database_, table);
      if (set == nullptr) {
        *status = kScriptNoMemory;
        return status;
      }
      store->Release(result);
      if (*store->NewObject(status, set, result) != kScriptOk) {
        set->Release();
        return status;
      }
      set->Release();  // the store's reference keeps it
      set->SetCurrentRow(set->Next(RecordPosition::Of(-1)).GetOrdinal());
      return status;
    }
    case kAtom_CreateTable:
      return answer(database_->CreateTable(names[0]) < 0 ? kDatabaseError01 : nullptr);
    case kAtom_DropTable: {
      const int32_t table = database_->FindTable(names[0]);
      if (table < 0) return answer(kDatabaseError02);
      return answer(database_->DropTable(table) != 0 ? kDatabaseError03 : nullptr);
    }
    case kAtom_Save:
      return answer(database_->Save() ? kDatabaseError04 : nullptr);
    default:
      break;
  }
  // AddField and RemoveField.
  const int32_t index = database_->FindTable(names[0]);
  ObjectTable* table = database_->GetTable(index);
  if (table == nullptr) return answer(kDatabaseError02);
  if (table->LockCount() > 0) return answer(kDatabaseError03);
  const int32_t column = table->FindColumn(names[1]);
  if (method == kAtom_RemoveField) {
    if (column < 0) return answer(kDatabaseError06);
    table->RemoveColumn(column);
    return answer(nullptr);
  }
  int32_t type = 0;
  if (*ArgumentToInteger(status, stack, argumentCount, 2, &type) != kScriptOk) return status;
  if (column >= 0) return answer(table->GetColumn(column)->type == type ? nullptr : kDatabaseError07);
  return answer(table->AddColumn(names[1], type) < 0 ? kDatabaseError05 : nullptr);
}

void DatabaseScriptObject::NotifyStore(int32_t event, ScriptValueStore*) {
  if (event == kScriptStoreReleased) delete this;
}
