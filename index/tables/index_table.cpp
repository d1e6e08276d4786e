// IndexTable: opening on the header record, the records it holds, the record
// map, stepping over entries, and the neutral DocumentStream answers.
#include "index/tables/index_table.h"

#include <cstring>
#include <new>

#include "foundation/streams/byte_order.h"
#include "platform/memory/allocator.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"
#include "storage/documents/document.h"
#include "storage/sources/document_source.h"

bool ByteBuffer::Reserve(uint32_t n) {
  if (n <= capacity) return true;
  uint64_t grown = static_cast<uint64_t>(capacity) + capacity / 2;
  if (grown < n) grown = n;
  if (grown < 20) grown = 20;
  if (grown > 0x7FFFFFFF) return false;
  void* block = DeviceRealloc(data, static_cast<size_t>(grown));
  if (block == nullptr) return false;
  data = static_cast<uint8_t*>(block);
  capacity = static_cast<uint32_t>(grown);
  return true;
}

void ByteBuffer::Free() {
  DeviceFree(data);
  data = nullptr;
  length = capacity = 0;
}

IndexTable::IndexTable() { scratch_ = static_cast<uint8_t*>(DeviceAlloc(kIndexScratchBytes)); }

IndexTable::IndexTable(uint8_t* scratch) : scratch_(scratch), scratchBorrowed_(true) {}

IndexTable* IndexTable::Create() {
  IndexTable* table = new (std::nothrow) IndexTable();
  if (table != nullptr && table->scratch_ == nullptr) {
    table->Release();
    return nullptr;
  }
  return table;
}

IndexTable::~IndexTable() {
  Close();
  for (uint32_t i = 0; i < lockedCount_; ++i) {
    if (locked_[i].buffer != nullptr && database_ != nullptr) database_->ReleaseRecord(locked_[i].buffer, false);
  }
  DeviceFree(locked_);
  DeviceFree(entryStarts_);
  if (!scratchBorrowed_) DeviceFree(scratch_);
  DeviceFree(recordMap_);
  DeviceFree(adopted_);
  ruleBuffer_.Free();
}

int32_t IndexTable::CompareIndex(int32_t) { return 1; }

bool IndexTable::GetMemory(const uint8_t** pointer, uint32_t* size) {
  *pointer = nullptr;
  *size = 0;
  return true;
}

RecordBuffer* IndexTable::LoadRecord(uint32_t number) {
  if (database_ == nullptr || number > 0xFFFF || number >= database_->GetRecordCount()) return nullptr;
  ++recordLoads_;
  return database_->LockRecord(static_cast<uint16_t>(number), false);
}

void IndexTable::ReleaseRecord(RecordBuffer** buffer) {
  if (*buffer != nullptr && database_ != nullptr) database_->ReleaseRecord(*buffer, false);
  *buffer = nullptr;
}

int32_t IndexTable::Open(PalmDatabase* database, uint32_t headerRecord) {
  Close();
  database_ = database;
  storeGeneration_ = database != nullptr ? database->GetStoreGeneration() : 0;
  headerBuffer_ = LoadRecord(headerRecord);
  if (headerBuffer_ == nullptr) return 1;
  if (!ParseIndexHeader(headerBuffer_->GetData(), headerBuffer_->GetSize(), &header_) ||
      header_.recordKind != kIndexRecordKindHeader || !CheckHeaderItems()) {
    Close();
    return 1;
  }
  headerRecordNumber_ = static_cast<int32_t>(headerRecord);
  ParseTagTable();
  // The locked-record table: N + 1 empty pairs.
  for (uint32_t i = 0; i < lockedCount_; ++i) {
    if (locked_[i].buffer != nullptr) database_->ReleaseRecord(locked_[i].buffer, false);
  }
  DeviceFree(locked_);
  lockedCount_ = header_.count + 1;
  locked_ = static_cast<LockedRecord*>(DeviceAllocZeroed(static_cast<size_t>(lockedCount_) * sizeof(LockedRecord)));
  if (locked_ == nullptr) {
    lockedCount_ = 0;
    Close();
    return 1;
  }
  return 0;
}

// Every label item of the header record (a length-prefixed label and a u16
// entry count) must lie inside the record; their counts give the running
// entry numbers of the entry records.
bool IndexTable::CheckHeaderItems() {
  const uint32_t n = header_.count;
  DeviceFree(entryStarts_);
  entryStarts_ = static_cast<uint32_t*>(DeviceAlloc((static_cast<size_t>(n) + 1) * sizeof(uint32_t)));
  if (entryStarts_ == nullptr) return false;
  entryStarts_[0] = 0;
  const uint32_t prefix = header_.LabelPrefix();
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t at = header_.ItemOffset(i);
    if (!RecordRangeFits(at, prefix, header_.length)) return false;
    const uint8_t* p = header_.data + at;
    const uint32_t labelLength = prefix == 2 ? LoadU16BE(p) : p[0];
    if (!RecordRangeFits(at + prefix, labelLength + 2, header_.length)) return false;
    const uint32_t count = LoadU16BE(p + prefix + labelLength);
    entryStarts_[i + 1] = entryStarts_[i] + count;
  }
  return true;
}

void IndexTable::ParseTagTable() {
  tagx_ = nullptr;
  tagxCount_ = 0;
  controlBytes_ = 0;
  tagxValid_ = false;
  const uint8_t* d = header_.data;
  const uint32_t n = header_.length;
  const uint32_t L = header_.headerLength;
  if (static_cast<uint64_t>(L) + 12 > n || !RecordRangeFits(L, 12, n) || std::memcmp(d + L, "TAGX", 4) != 0) return;
  const uint32_t blockLength = LoadU32BE(d + L + 4);
  const uint32_t control = LoadU32BE(d + L + 8);
  if (blockLength <= 11 || !RecordRangeFits(L, blockLength, n)) return;
  const uint32_t entries = (blockLength - 12) / 4;
  const TagxEntry* table = reinterpret_cast<const TagxEntry*>(d + L + 12);
  uint32_t ends = 0;
  for (uint32_t i = 0; i < entries; ++i) ends += table[i].endOfControlByte != 0 ? 1 : 0;
  if (ends != control) return;
  tagx_ = entries != 0 ? table : nullptr;
  tagxCount_ = entries;
  controlBytes_ = control;
  tagxValid_ = true;
}

const TagxEntry* IndexTable::TagTable(uint32_t* count, uint32_t* controlBytes) const {
  *count = tagxCount_;
  *controlBytes = controlBytes_;
  return tagx_;
}

void IndexTable::Close() {
  ReleaseRecord(&textBuffer_);
  textRecordNumber_ = -1;
  ReleaseEntryRecords();
  ReleaseRecord(&headerBuffer_);
  headerRecordNumber_ = -1;
  header_ = IndexHeader();
  tagx_ = nullptr;
  tagxCount_ = 0;
  controlBytes_ = 0;
  tagxValid_ = false;
  if (companion_ != nullptr) {
    companion_->Release();
    companion_ = nullptr;
  }
  if (following_ != nullptr) {
    following_->Release();
    following_ = nullptr;
  }
}

void IndexTable::SetCompanion(IndexTable* table) {
  if (table == companion_) return;
  if (companion_ != nullptr) companion_->Release();
  companion_ = table;  // the caller's reference passes to the table
}

int32_t IndexTable::OpenCompanion(PalmDatabase* database, uint32_t record) {
  if (database == nullptr) return 1;
  IndexTable* companion = Create();
  if (companion == nullptr) return 1;
  companion->SetRecordBase(recordBase_);
  int32_t result = companion->Open(database, record);
  if (result != 0 || companion->Header().indexType != static_cast<int32_t>(kIndexTypeCompanion)) {
    companion->Release();
    SetCompanion(nullptr);
    return result != 0 ? result : 1;
  }
  SetCompanion(companion);
  return 0;
}

namespace {

// "tableid=" followed by a decimal number, as UTF-16.
uint32_t TableIdDescriptor(uint32_t number, WCHAR* out) {
  static const char kPrefix[] = "tableid=";
  uint32_t n = 0;
  for (const char* p = kPrefix; *p; ++p) out[n++] = static_cast<WCHAR>(*p);
  char digits[12];
  uint32_t d = 0;
  do {
    digits[d++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  while (d != 0) out[n++] = static_cast<WCHAR>(digits[--d]);
  return n;
}

IndexTable* AsIndexTable(DocumentStream* stream) {
  if (stream == nullptr) return nullptr;
  if (stream->GetStreamKind() != kIndexTableStreamKind) {
    stream->Release();
    return nullptr;
  }
  return static_cast<IndexTable*>(stream);
}

}  // namespace

int32_t IndexTable::OpenFollowingTable(IndexTable** out) {
  *out = nullptr;
  DocumentSource* owner = GetSource();
  if (!IsOpen() || header_.followingTable == 0 || owner == nullptr) return 1;
  if (following_ != nullptr && following_->IsOpen()) {
    following_->AddRef();
    *out = following_;
    return 0;
  }
  uint64_t next = static_cast<uint64_t>(headerRecordNumber_) + header_.count + header_.textRecordCount + 1;
  if (next > 0xFFFF) return 1;
  WCHAR descriptor[24];
  uint32_t length = TableIdDescriptor(static_cast<uint32_t>(next), descriptor);
  DocumentStreamPtr stream;
  owner->OpenStreamByName(&stream, descriptor, length);
  *out = AsIndexTable(stream.Detach());
  if (*out == nullptr) return 1;
  if (following_ != nullptr) following_->Release();
  following_ = *out;
  following_->AddRef();
  return 0;
}

IndexTable* IndexTable::OpenNamingTable() {
  DocumentSource* owner = GetSource();
  if (owner == nullptr) return nullptr;
  static const char16_t kNaming[] = u"special_table=naming";
  DocumentStreamPtr stream;
  owner->OpenStreamByName(&stream, kNaming, sizeof(kNaming) / sizeof(kNaming[0]) - 1);
  return AsIndexTable(stream.Detach());
}

void IndexTable::SetDescriptorText(const WCHAR* text, uint32_t length) {
  descriptor_.Clear();
  if (text != nullptr && length != 0) descriptor_.FromChars(text, length);
}

void IndexTable::SetScratchBuffer(uint8_t* block) {
  if (!scratchBorrowed_) DeviceFree(scratch_);
  scratch_ = block;
  scratchBorrowed_ = true;
}

void IndexTable::AdoptBuffer(void* block) {
  if (block == adopted_) return;
  DeviceFree(adopted_);
  adopted_ = block;
}

bool IndexTable::AllocateRecordMap(uint32_t n) {
  DeviceFree(recordMap_);
  recordMap_ = nullptr;
  recordMapCount_ = 0;
  if (n == 0) return true;
  recordMap_ = static_cast<uint32_t*>(DeviceAllocZeroed(static_cast<size_t>(n) * 2 * sizeof(uint32_t)));
  if (recordMap_ == nullptr) return false;
  recordMapCount_ = n;
  return true;
}

void IndexTable::SetRecordMapEntry(uint32_t i, uint32_t key, uint32_t value) {
  if (i >= recordMapCount_) return;
  recordMap_[2 * i] = key;
  recordMap_[2 * i + 1] = value;
}

int32_t IndexTable::LookupRecordMap(uint32_t key) const {
  for (uint32_t i = 0; i < recordMapCount_; ++i) {
    if (recordMap_[2 * i] == key) return static_cast<int32_t>(recordMap_[2 * i + 1]);
  }
  return -1;
}

uint32_t IndexTable::GetLanguage() {
  if (header_.languageWord != 0xFFFF) return header_.languageWord;
  DocumentSource* owner = GetSource();
  Document* document = owner != nullptr ? owner->GetDocument() : nullptr;
  if (document == nullptr) return 0;
  uint32_t input = 0;
  uint32_t output = 0;
  if (IsPrimaryIndex() && document->GetDictionaryLanguages(&input, &output) && input != 0 &&
      (input & 0xFFFF) != 0xFFFF) {
    return input;
  }
  return document->GetLanguage();
}

bool IndexTable::GetName(SharedWideString* name) {
  name->Clear();
  if (EnsureCurrentStore() && header_.name != nullptr) DecodeText(header_.name, header_.nameLength, name);
  return name->IsEmpty();
}

// ---- Entry records

void IndexTable::ReleaseEntryRecords() {
  // A record also locked explicitly keeps that lock: the cached one is a
  // second lock of its own.
  for (CachedEntryRecord& slot : entryCache_) {
    ReleaseRecord(&slot.buffer);
    slot = CachedEntryRecord();
  }
  entryBuffer_ = nullptr;
  entryRecordNumber_ = -1;
  entryHeader_ = IndexHeader();
}

uint32_t IndexTable::CachedEntryRecords() const {
  uint32_t n = 0;
  for (const CachedEntryRecord& slot : entryCache_) n += slot.buffer != nullptr ? 1 : 0;
  return n;
}

bool IndexTable::EnsureCurrentStore() {
  if (database_ == nullptr) return false;
  if (database_->GetStoreGeneration() == storeGeneration_) return IsOpen();
  // The old view may be gone: the buffers are given back unread.
  const int32_t h = headerRecordNumber_;
  for (uint32_t i = 0; i < lockedCount_; ++i) {
    if (locked_[i].buffer != nullptr) database_->ReleaseRecord(locked_[i].buffer, false);
    locked_[i].buffer = nullptr;
    locked_[i].useCount = 0;
  }
  IndexTable* companion = companion_;
  companion_ = nullptr;  // kept across the reopen; it checks its own records
  if (h < 0) {
    SetCompanion(companion);
    return false;
  }
  const bool reopened = Open(database_, static_cast<uint32_t>(h)) == 0;
  SetCompanion(companion);
  return reopened;
}

bool IndexTable::LoadEntryRecord(uint32_t i) {
  if (!EnsureCurrentStore()) return false;
  if (entryRecordNumber_ >= 0 && static_cast<uint32_t>(entryRecordNumber_) == i) return true;
  // No record is current until this one is (a failed load leaves none).
  entryBuffer_ = nullptr;
  entryRecordNumber_ = -1;
  entryHeader_ = IndexHeader();
  if (!IsOpen() || i == 0 || i > header_.count) return false;
  // A cached record becomes current again without a lock or a parse; else
  // the least recently used slot takes the record.
  CachedEntryRecord* victim = &entryCache_[0];
  for (CachedEntryRecord& slot : entryCache_) {
    if (slot.buffer != nullptr && slot.number == i) {
      slot.lastUse = ++entryCacheClock_;
      entryBuffer_ = slot.buffer;
      entryHeader_ = slot.header;
      entryRecordNumber_ = static_cast<int32_t>(i);
      return true;
    }
    if (victim->buffer != nullptr && (slot.buffer == nullptr || slot.lastUse < victim->lastUse)) victim = &slot;
  }
  ReleaseRecord(&victim->buffer);
  *victim = CachedEntryRecord();
  RecordBuffer* buffer = LoadRecord((static_cast<uint32_t>(headerRecordNumber_) + i) & 0xFFFF);
  if (buffer == nullptr) return false;
  IndexHeader parsed;
  if (!ParseIndexHeader(buffer->GetData(), buffer->GetSize(), &parsed) || parsed.recordKind != kIndexRecordKindEntries) {
    ReleaseRecord(&buffer);
    return false;
  }
  victim->buffer = buffer;
  victim->number = i;
  victim->lastUse = ++entryCacheClock_;
  victim->header = parsed;
  entryBuffer_ = buffer;
  entryHeader_ = parsed;
  entryRecordNumber_ = static_cast<int32_t>(i);
  return true;
}

int32_t IndexTable::LockEntryRecord(uint32_t i) {
  if (!EnsureCurrentStore() || i == 0 || i > header_.count || i >= lockedCount_) return -1;
  LockedRecord& slot = locked_[i];
  if (slot.buffer == nullptr) {
    slot.buffer = LoadRecord((static_cast<uint32_t>(headerRecordNumber_) + i) & 0xFFFF);
    if (slot.buffer == nullptr) return -1;
    slot.useCount = 0;
  }
  ++slot.useCount;
  return static_cast<int32_t>(i);
}

const uint8_t* IndexTable::LockedRecordBytes(uint32_t i, uint32_t* size) {
  if (!EnsureCurrentStore() || i >= lockedCount_ || locked_[i].buffer == nullptr) return nullptr;
  *size = locked_[i].buffer->GetSize();
  return locked_[i].buffer->GetData();
}

const uint8_t* IndexTable::CurrentEntryRecordBytes(uint32_t* size) const {
  if (entryBuffer_ == nullptr) return nullptr;
  *size = entryBuffer_->GetSize();
  return entryBuffer_->GetData();
}

void IndexTable::UnlockEntryRecord(uint32_t i) {
  if (i >= lockedCount_ || locked_[i].buffer == nullptr) return;
  if (--locked_[i].useCount <= 0) {
    database_->ReleaseRecord(locked_[i].buffer, false);
    locked_[i].buffer = nullptr;
    locked_[i].useCount = 0;
  }
}

// ---- Stepping

uint32_t IndexTable::RecordEntryCount(uint32_t i) const {
  if (entryStarts_ == nullptr || i == 0 || i > header_.count) return 0;
  return entryStarts_[i] - entryStarts_[i - 1];
}

int32_t IndexTable::Step(IndexEntryRef* ref, int32_t n) {
  if (!IsOpen()) return 1;
  const int32_t N = static_cast<int32_t>(header_.count);
  int64_t record = ref->record;
  int64_t target;
  if (ref->record == -1 || ref->entry < 0) {
    if (n == 0) return 1;
    if (n > 0) {
      record = 1;
      target = -1 + static_cast<int64_t>(n);
    } else {
      record = static_cast<int64_t>(N) + 1;
      target = n;
    }
  } else {
    target = static_cast<int64_t>(ref->entry) + n;
  }
  if (record == 1 && (target < 0 || target >= static_cast<int64_t>(header_.totalEntries))) return 1;
  while (target < 0) {
    if (--record < 1) return 1;
    target += RecordEntryCount(static_cast<uint32_t>(record));
  }
  while (record <= N && target >= static_cast<int64_t>(RecordEntryCount(static_cast<uint32_t>(record)))) {
    target -= RecordEntryCount(static_cast<uint32_t>(record));
    ++record;
  }
  if (record < 1 || record > N) return 1;
  ref->record = static_cast<int32_t>(record);
  ref->entry = static_cast<int32_t>(target);
  return 0;
}

int32_t IndexTable::GetEntryNumber(const IndexEntryRef& ref) const {
  if (ref.record == -1) return ref.entry == -1 ? -1 : -2;
  if (entryStarts_ == nullptr || ref.record < 1 || static_cast<uint32_t>(ref.record) > header_.count) return -2;
  return static_cast<int32_t>(entryStarts_[ref.record - 1]) + ref.entry;
}

IndexEntryRef IndexTable::MakeEntryRef(int32_t n) {
  if (n == -1) return IndexEntryRef::BeforeStart();
  if (n < 0 || !IsOpen() || entryStarts_ == nullptr) return IndexEntryRef::PastEnd();
  // The entry record whose running count passes n (binary search).
  uint32_t lo = 1;
  uint32_t hi = header_.count;
  if (hi == 0 || static_cast<uint32_t>(n) >= entryStarts_[hi]) return IndexEntryRef::PastEnd();
  while (lo < hi) {
    uint32_t mid = lo + (hi - lo) / 2;
    if (static_cast<uint32_t>(n) < entryStarts_[mid]) hi = mid;
    else lo = mid + 1;
  }
  return {static_cast<int32_t>(lo), n - static_cast<int32_t>(entryStarts_[lo - 1])};
}
