// The index record set and its field objects (see record_set.h), and the
// query result's slot that makes a record set.
#include "index/recordsets/record_set.h"

#include "foundation/language/language_tag.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "index/templates/entry_formatter.h"
#include "platform/memory/allocator.h"
#include "script/builtins/builtin_arguments.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "storage/sources/document_source.h"

namespace {

// The naming table's tag of field items {value mode, table relative to the
// record base, tag}.
constexpr uint32_t kNamingItemTag = 11;
constexpr uint32_t kFormatTag = 5;
constexpr uint32_t kPositionTag = 1;
constexpr int32_t kValueModeNumber = 3;
constexpr int32_t kDescriptorNamingField = 2;

bool IsRecordSetAtom(int32_t atom) {
  switch (atom) {
    case kAtom_language:
    case kAtom_gramgrp:
    case kAtom_orth:
    case kAtom_format:
    case kAtom_Formatted:
    case kAtom_MoveNext:
    case kAtom_MovePrevious:
    case kAtom_BOF:
    case kAtom_EOF:
    case kAtom_MoveFirst:
    case kAtom_anchor:
    case kAtom_url:
    case kAtom_FindFirst:
    case kAtom_FindNext:
    case kAtom_MoveRandom:
    case kAtom_Infl:
    case kAtom_Fields:
      return true;
    default:
      return false;
  }
}

int32_t* Fail(int32_t* status, int32_t code) {
  *status = code;
  return status;
}

int32_t* ResultNull(int32_t* status, ScriptValueStore* store, ScriptValueHandle* result) {
  store->Release(result);
  return store->NewObject(status, nullptr, result);
}

bool IsText(const SharedWideString& s, const char16_t* literal) {
  uint32_t n = 0;
  while (literal[n] != 0) ++n;
  return s.length == n && s.Compare(literal, n, false) == 0;
}

// A property reads as "[Object RecordSetProperty]" when a value is wanted;
// read as an operand it stays a member reference (kScriptCannotGet), so
// that its anchor and url can follow it.
int32_t* PropertyValue(int32_t* status, ScriptValueStore* store, ScriptValueHandle* result, int32_t wantedType) {
  if (wantedType == kScriptTypeAny) return Fail(status, kScriptCannotGet);
  return ResultString(status, store, SharedWideString(u"[Object RecordSetProperty]"), result);
}

// The record set whose Formatted call is compiling a template, for the
// template compiler's field resolution.
RecordSet* gFormattingRecordSet = nullptr;

bool ResolveTemplateField(const WCHAR* name, uint32_t length, FieldDescriptor* out) {
  return gFormattingRecordSet != nullptr && gFormattingRecordSet->ResolveKeyField(name, length, out);
}

bool ReadTemplateKeyLabel(int32_t keyTable, uint32_t number, SharedWideString* out) {
  return gFormattingRecordSet != nullptr && keyTable >= 0 &&
         gFormattingRecordSet->KeyTableLabel(static_cast<uint32_t>(keyTable), number, out);
}

}  // namespace

// ---- RecordSet

RecordSet::RecordSet(IndexQueryResult* result, const QueryPosition& position)
    : result_(result), position_(position) {
  InstallRecordSetFieldResolver();
  result_->AddRef();
  IndexTable* table = result_->Table();
  if (table != nullptr) {
    naming_ = table->OpenNamingTable();
    values_.Bind(table);
  }
}

RecordSet::~RecordSet() {
  keyTables_.Destroy();
  keyNames_.Destroy();
  if (naming_ != nullptr) naming_->Release();
  result_->Release();
}

bool RecordSet::GetTableName(SharedWideString* name) const {
  name->Clear();
  IndexTable* table = result_->Table();
  return table != nullptr && !table->GetName(name);
}

int32_t RecordSet::GetEntryNumber() const {
  const IndexEntryRef& e = position_.entry;
  IndexTable* table = result_->Table();
  if (e.record == -1 || table == nullptr) return e.entry == -1 ? -1 : -2;
  return table->GetEntryNumber(e);
}

bool RecordSet::NamingItem(const SharedWideString& key, int32_t tableIdentifier, uint32_t* tag, uint32_t* subKind) {
  if (naming_ == nullptr || key.IsEmpty()) return false;
  IndexEntryRef ref;
  IndexEntryReader reader;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (!naming_->LookupKey(key.Chars(), key.length, &ref, false) || !reader.Init(naming_) ||
      reader.Attach(ref) != 0 || reader.SeekTag(kNamingItemTag, &span, &perItem) != 0 || span == 0 || perItem != 3)
    return false;
  uint32_t item[3];
  while (reader.ReadValues(item, 3, true) == 0) {
    if (static_cast<int64_t>(item[1]) + naming_->GetRecordBase() == tableIdentifier) {
      *tag = item[2] & 0xFF;
      *subKind = item[0] & 0xFF;
      return true;
    }
  }
  return false;
}

int32_t RecordSet::FindKeyTable(const SharedWideString& name) {
  for (uint32_t i = 0; i < keyNames_.Count(); ++i) {
    const SharedWideString& known = keyNames_[i];
    if (known.length == name.length && known.CompareTo(name) == 0) return static_cast<int32_t>(i);
  }
  if (keyTables_.Count() >= 255) return -1;  // the number must fit the field code
  DocumentSource* source = result_->GetDocumentSource();
  if (source == nullptr) return -1;
  SharedWideString descriptor;
  static const char16_t kKeyTable[] = u"key_table=";
  DocumentStreamPtr stream;
  if (descriptor.AppendChars(kKeyTable, 10) && descriptor.Append(name))
    source->OpenStreamByName(&stream, descriptor.Chars(), descriptor.length);
  source->Release();
  if (!stream || stream->GetStreamKind() != kIndexTableStreamKind) return -1;
  const uint32_t n = keyTables_.Count();
  if (!keyTables_.Reserve(n + 1) || !keyNames_.Reserve(n + 1)) return -1;
  keyTables_.At(n)->Assign(stream.Get());
  keyNames_.At(n)->Assign(name);
  return static_cast<int32_t>(n);
}

bool RecordSet::ResolveField(const SharedWideString& name, uint32_t* code) {
  IndexTable* table = result_->Table();
  if (naming_ == nullptr || table == nullptr) return false;
  uint32_t tag = 0;
  uint32_t sub = 0;
  if (NamingItem(name, table->GetHeaderRecordNumber(), &tag, &sub)) {
    *code = tag | sub << 8 | kFieldSourceEntry << 16;
    return true;
  }
  const int32_t key = FindKeyTable(name);
  if (key < 0) return false;
  SharedWideString tableName;
  GetTableName(&tableName);
  IndexTable* keyTable = static_cast<IndexTable*>(keyTables_[static_cast<uint32_t>(key)].Get());
  if (!NamingItem(tableName, keyTable->GetHeaderRecordNumber(), &tag, &sub)) return false;
  *code = tag | sub << 8 | kFieldSourceKeyTable << 16 | static_cast<uint32_t>(key) << 24;
  return true;
}

bool RecordSet::ResolveKeyField(const WCHAR* name, uint32_t length, FieldDescriptor* out) {
  SharedWideString text;
  if (!text.FromChars(name, length)) return false;
  uint32_t code = 0;
  const int32_t key = FindKeyTable(text);
  if (key < 0 || !ResolveField(text, &code) || FieldSource(code) != kFieldSourceKeyTable) return false;
  *out = FieldDescriptor();
  out->tag = static_cast<int32_t>(FieldTag(code));
  out->valueMode = 0;
  out->type = static_cast<int32_t>(kFieldSourceKeyTable);
  out->topByte = key;
  return true;
}

int32_t RecordSet::ReadField(uint32_t code, const IndexEntryRef& entry, uint32_t item, SharedWideString* text,
                             uint32_t* number, bool* done) {
  text->Clear();
  *number = 0;
  *done = false;
  if (entry.record == -1 || result_->Table() == nullptr) return 1;
  uint32_t second = 0;
  const bool keyTable = FieldSource(code) == kFieldSourceKeyTable;
  const int32_t mode = keyTable ? kValueModeNumber : static_cast<int32_t>(FieldSubKind(code));
  values_.SetEntry(entry);
  if (values_.GetValue(static_cast<int32_t>(FieldTag(code)), -1, mode, kDescriptorNamingField, 0, item, text,
                       number, &second, nullptr, done) != 0)
    return 1;
  if (*done || !keyTable) return 0;
  return KeyTableLabel(FieldKeyTable(code), *number, text) ? 0 : 1;
}

bool RecordSet::KeyTableLabel(uint32_t key, uint32_t number, SharedWideString* text) {
  text->Clear();
  if (key >= keyTables_.Count() || number > 0x7FFFFFFFu) return false;
  IndexTable* table = static_cast<IndexTable*>(keyTables_[key].Get());
  const IndexEntryRef ref = table->MakeEntryRef(static_cast<int32_t>(number));
  return ref.record != -1 && table->GetLabel(ref, text);
}

uint32_t RecordSet::CountFieldValues(uint32_t code, const IndexEntryRef& entry) {
  return result_->CountTagItems(FieldTag(code), entry);
}

bool RecordSet::LinkText(const IndexEntryRef& entry, bool hasField, uint32_t code, int32_t item, bool url,
                         SharedWideString* out) {
  out->Clear();
  IndexTable* table = result_->Table();
  if (entry.record == -1 || table == nullptr) return false;
  SharedWideString text;
  uint32_t position = 0;
  bool done = false;
  if (hasField) {
    if (ReadField(code, entry, item < 0 ? 0 : static_cast<uint32_t>(item), &text, &position, &done) != 0 || done)
      return false;
  } else {
    uint32_t second = 0;
    values_.SetEntry(entry);
    if (values_.GetValue(kPositionTag, -1, kValueModeNumber, kDescriptorNamingField, 0, 0, &text, &position, &second,
                         nullptr, &done) != 0 ||
        done)
      return false;
  }
  if (url && !result_->GetTableUrl(out)) return false;
  static const char16_t kPos[] = u"##-pos";
  static const char16_t kTable[] = u"-tableid";
  static const char16_t kEntry[] = u"-entry";
  static const char16_t kSub[] = u"-sub";
  bool ok = out->AppendChars(kPos, 6) && out->AppendUnsigned(position) && out->AppendChars(kTable, 8) &&
            out->AppendInt(table->GetHeaderRecordNumber()) && out->AppendChars(kEntry, 6) &&
            out->AppendInt(table->GetEntryNumber(entry));
  if (ok && hasField) ok = out->AppendChars(kSub, 4) && out->AppendUnsigned(FieldTag(code));
  if (ok && item >= 0) ok = out->AppendChars(u".", 1) && out->AppendInt(item);
  return ok;
}

int32_t* RecordSet::ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref, uint8_t) {
  *status = kScriptOk;
  if (name.IsIndex()) return Fail(status, kScriptMemberUnknown);
  if (ref->memberCode == kFieldMember && (name.atom == kAtom_anchor || name.atom == kAtom_url)) {
    ref->memberCode = name.atom == kAtom_anchor ? kFieldAnchor : kFieldUrl;
    return status;
  }
  if (!ref->IsSelf()) return Fail(status, kScriptMemberUnknown);
  if (IsRecordSetAtom(name.atom)) {
    ref->owner = this;
    ref->memberCode = name.atom;
    return status;
  }
  uint32_t code = 0;
  if (!ResolveField(name.text, &code)) return Fail(status, kScriptMemberUnknown);
  ref->owner = this;
  ref->memberCode = kFieldMember;
  ref->subCode = static_cast<int32_t>(code);
  return status;
}

int32_t* RecordSet::FieldValue(int32_t* status, uint32_t code, ScriptValueStore* store, ScriptValueHandle* result,
                               int32_t wantedType) {
  const uint32_t sub = FieldSubKind(code);
  if (FieldSource(code) == kFieldSourceEntry && sub != 0 && !FieldIsProperty(code)) return status;  // no value
  SharedWideString text;
  uint32_t number = 0;
  bool done = false;
  if (ReadField(code, position_.entry, 0, &text, &number, &done) != 0)
    return Fail(status, kScriptUnhandledException);
  if (done) return ResultNull(status, store, result);
  if (FieldSource(code) == kFieldSourceEntry && FieldIsProperty(code)) return PropertyValue(status, store, result, wantedType);
  return ResultString(status, store, text, result);
}

int32_t* RecordSet::EntryText(int32_t* status, int32_t atom, ScriptValueStore* store, ScriptValueHandle* result) {
  const IndexEntryRef& entry = position_.entry;
  IndexTable* table = result_->Table();
  if (entry.record == -1 || table == nullptr) return Fail(status, kScriptUnhandledException);
  SharedWideString text;
  if (atom == kAtom_orth) {
    if (!result_->GetEntryLabel(entry, &text)) return Fail(status, kScriptUnhandledException);
    return ResultString(status, store, text, result);
  }
  // format: the text that tag 5 refers to.
  IndexEntryReader reader;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (!reader.Init(table) || reader.Attach(entry) != 0) return Fail(status, kScriptUnhandledException);
  uint32_t at = 0;
  if (reader.SeekTag(kFormatTag, &span, &perItem) != 0 || span == 0 || reader.ReadValues(&at, 1, false) != 0)
    return ResultNull(status, store, result);
  if (!table->ReadLengthPrefixedText(at, &text)) return Fail(status, kScriptUnhandledException);
  if (text.IsEmpty()) return ResultNull(status, store, result);
  return ResultString(status, store, text, result);
}

int32_t* RecordSet::GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                   ScriptValueHandle* result, int32_t wantedType) {
  *status = kScriptOk;
  if (ref.IsSelf()) return ResultString(status, store, SharedWideString(u"[Object RecordSet]"), result);
  const uint32_t code = static_cast<uint32_t>(ref.subCode);
  switch (ref.memberCode) {
    case kFieldMember:
      return FieldValue(status, code, store, result, wantedType);
    case kFieldAnchor:
    case kFieldUrl: {
      if (FieldSource(code) != kFieldSourceEntry || !FieldIsProperty(code)) return Fail(status, kScriptMemberUnknown);
      SharedWideString link;
      if (!LinkText(position_.entry, true, code, -1, ref.memberCode == kFieldUrl, &link))
        return Fail(status, kScriptUnhandledException);
      return ResultString(status, store, link, result);
    }
    case kAtom_language: {
      // The table's own language, not the code page read as a locale.
      IndexTable* table = result_->Table();
      uint32_t length = 0;
      const WCHAR* tag = table != nullptr ? LcidToLanguageTag(static_cast<uint16_t>(table->GetLanguage()), &length)
                                          : nullptr;
      SharedWideString text;
      if (tag != nullptr && length != 0 && !text.FromChars(tag, length)) return Fail(status, kScriptNoMemory);
      return ResultString(status, store, text, result);
    }
    case kAtom_orth:
    case kAtom_format:
      return EntryText(status, ref.memberCode, store, result);
    case kAtom_gramgrp:
      return ResultNull(status, store, result);
    case kAtom_BOF:
      return ResultBoolean(status, store, position_.entry == IndexEntryRef::BeforeStart(), result);
    case kAtom_EOF:
      return ResultBoolean(status, store, position_.entry == IndexEntryRef::PastEnd(), result);
    case kAtom_anchor:
    case kAtom_url: {
      SharedWideString link;
      if (!LinkText(position_.entry, false, 0, -1, ref.memberCode == kAtom_url, &link))
        return Fail(status, kScriptUnhandledException);
      return ResultString(status, store, link, result);
    }
    default:
      return Fail(status, kScriptCannotGet);
  }
}

int32_t* RecordSet::MakeField(int32_t* status, uint32_t code, ScriptOperandStack* stack, ScriptValueHandle* result) {
  ScriptValueStore* store = CallStore(stack);
  ScriptValueHandle self = kScriptEmptyHandle;
  if (*store->NewObject(status, this, &self) != kScriptOk) return status;
  RecordSetField* field = DeviceNew<RecordSetField>(this, store, self, code, position_.entry);
  if (field == nullptr) {
    store->Release(&self);
    return Fail(status, kScriptInvalidType);
  }
  if (*ResultFreshObject(status, store, field, result) != kScriptOk) *status = kScriptInvalidType;
  return status;
}

int32_t* RecordSet::Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                           ScriptOperandStack* stack, ScriptValueHandle* result) {
  *status = kScriptOk;
  const int32_t method = ref.memberCode;
  switch (method) {
    case kAtom_Formatted:
    case kAtom_MoveNext:
    case kAtom_MovePrevious:
    case kAtom_MoveFirst:
    case kAtom_MoveRandom:
      if (argumentCount != 0) return Fail(status, kScriptInvalidType);
      break;
    case kAtom_FindFirst:
    case kAtom_FindNext:
      if (argumentCount < 2) return Fail(status, kScriptInvalidType);
      break;
    case kAtom_Infl:
    case kAtom_Fields:
      if (argumentCount < 1) return Fail(status, kScriptInvalidType);
      break;
    default:
      return Fail(status, kScriptInvalidType);
  }
  QueryPosition& p = position_;
  switch (method) {
    case kAtom_Formatted: {
      if (naming_ == nullptr) return status;
      if (p.entry.record == -1) return Fail(status, kScriptUnhandledException);
      EntryFormatter* formatter = DeviceNew<EntryFormatter>();
      if (formatter == nullptr) return Fail(status, kScriptNoMemory);
      formatter->Bind(result_->Table(), naming_);
      SharedWideString text;
      RecordSet* outer = gFormattingRecordSet;
      gFormattingRecordSet = this;
      const bool ok = formatter->FormatEntry(&text, p.entry, nullptr, 0);
      gFormattingRecordSet = outer;
      delete formatter;
      if (!ok) return Fail(status, kScriptUnhandledException);
      return ResultString(status, CallStore(stack), text, result);
    }
    case kAtom_MoveNext:
      if (p.entry == IndexEntryRef::BeforeStart()) result_->GetEntryAt(&p);
      else if (p.entry != IndexEntryRef::PastEnd()) result_->StepForward(&p);
      return status;
    case kAtom_MovePrevious:
      // Past the end stays past the end, as a result's own step does.
      if (p.entry.record != -1) result_->StepBackward(&p);
      return status;
    case kAtom_MoveFirst:
      result_->GetEntryAt(&p);
      return status;
    case kAtom_MoveRandom:
      result_->GetRandomEntry(&p);
      return status;
    case kAtom_FindFirst:
    case kAtom_FindNext: {
      SharedWideString field;
      SharedWideString text;
      if (*ArgumentToString(status, stack, argumentCount, 0, &field) != kScriptOk ||
          *ArgumentToString(status, stack, argumentCount, 1, &text) != kScriptOk)
        return status;
      if (!IsText(field, u"orth")) return Fail(status, kScriptNotImplemented);
      const bool found = result_->FindKey(text, method == kAtom_FindFirst, &p);
      return ResultBoolean(status, CallStore(stack), found, result);
    }
    case kAtom_Infl: {
      // The current entry's head word in the named form; empty when no
      // rule of the entry's classes gives that form.
      SharedWideString form;
      if (*ArgumentToString(status, stack, argumentCount, 0, &form) != kScriptOk) return status;
      SharedWideString text;
      result_->GetInflectedForm(form, p.entry, &text);
      return ResultString(status, CallStore(stack), text, result);
    }
    case kAtom_Fields: {
      if (naming_ == nullptr) return Fail(status, kScriptInvalidType);
      SharedWideString name;
      if (*ArgumentToString(status, stack, argumentCount, 0, &name) != kScriptOk) return status;
      uint32_t code = 0;
      if (!ResolveField(name, &code)) return ResultNull(status, CallStore(stack), result);
      return MakeField(status, code, stack, result);
    }
    default:
      return Fail(status, kScriptInvalidType);
  }
}

void RecordSet::NotifyStore(int32_t event, ScriptValueStore*) {
  if (event == kScriptStoreReleased) delete this;
}

// ---- RecordSetField

RecordSetField::RecordSetField(RecordSet* owner, ScriptValueStore* store, ScriptValueHandle ownerValue,
                               uint32_t code, const IndexEntryRef& entry)
    : owner_(owner), store_(store), ownerValue_(ownerValue), code_(code), entry_(entry) {}

RecordSetField::~RecordSetField() { store_->Release(&ownerValue_); }

int32_t* RecordSetField::ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref, uint8_t) {
  *status = kScriptOk;
  if (name.IsIndex() && ref->IsSelf()) {
    ref->owner = this;
    ref->memberCode = name.Index() & 0x0FFFFFFF;
    return status;
  }
  if (ref->IsSelf() && (name.atom == kAtom_Value || name.atom == kAtom_Count)) {
    ref->owner = this;
    ref->memberCode = name.atom == kAtom_Value ? 0 : kCount;
    return status;
  }
  if (ref->memberCode >= 0 && ref->memberCode < kAnchorBase && !ref->IsSelf() &&
      (name.atom == kAtom_anchor || name.atom == kAtom_url)) {
    ref->memberCode += name.atom == kAtom_anchor ? kAnchorBase : kUrlBase;
    return status;
  }
  return Fail(status, kScriptMemberUnknown);
}

int32_t* RecordSetField::Invoke(int32_t* status, const ScriptMemberRef&, uint32_t, ScriptOperandStack*,
                                ScriptValueHandle*) {
  return Fail(status, kScriptMemberUnknown);
}

int32_t* RecordSetField::GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                                        ScriptValueHandle* result, int32_t wantedType) {
  *status = kScriptOk;
  if (ref.IsSelf()) return ResultString(status, store, SharedWideString(u"[Object RecordSetField]"), result);
  if (ref.memberCode == kCount)
    return ResultInteger(status, store, static_cast<int32_t>(owner_->CountFieldValues(code_, entry_)), result);
  const bool property = FieldSource(code_) == kFieldSourceEntry && FieldIsProperty(code_);
  if (ref.memberCode >= kAnchorBase) {
    if (!property) return Fail(status, kScriptMemberUnknown);
    const bool url = ref.memberCode >= kUrlBase;
    const int32_t item = ref.memberCode - (url ? kUrlBase : kAnchorBase);
    SharedWideString link;
    if (!owner_->LinkText(entry_, true, code_, item, url, &link)) return Fail(status, kScriptUnhandledException);
    return ResultString(status, store, link, result);
  }
  if (FieldSource(code_) == kFieldSourceEntry && FieldSubKind(code_) != 0 && !property) return status;
  SharedWideString text;
  uint32_t number = 0;
  bool done = false;
  if (owner_->ReadField(code_, entry_, static_cast<uint32_t>(ref.memberCode), &text, &number, &done) != 0)
    return Fail(status, kScriptUnhandledException);
  if (done) return ResultNull(status, store, result);
  if (property) return PropertyValue(status, store, result, wantedType);
  return ResultString(status, store, text, result);
}

void RecordSetField::NotifyStore(int32_t event, ScriptValueStore*) {
  if (event == kScriptStoreReleased) delete this;
}

// ---- The query result's slot

int32_t IndexQueryResult::CreateRecordSet(RecordPosition position, ScriptValueStore* store,
                                          ScriptValueHandle* value) {
  QueryPosition p;
  const int32_t ordinal = position.GetOrdinal();
  if (ordinal == RecordPosition::kBeforeStart) {
    InitPosition(&p);
    p.entry = IndexEntryRef::BeforeStart();
    p.entryNumber = -1;
  } else {
    ResolvePosition(ordinal, &p);
  }
  RecordSet* set = DeviceNew<RecordSet>(this, p);
  if (set == nullptr) return 1;
  int32_t status = kScriptOk;
  store->Release(value);
  if (*store->NewObject(&status, set, value) != kScriptOk) {
    delete set;
    return 1;
  }
  return 0;
}

void InstallRecordSetFieldResolver() {
  RecordTemplate::SetFieldResolver(ResolveTemplateField);
  EntryValueReader::SetKeyTableLabelReader(ReadTemplateKeyLabel);
}
