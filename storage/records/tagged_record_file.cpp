// TaggedRecordFile: the cursor, record look-up, typed field access and the
// file's lifecycle. Every length and tag comes from a file and is checked
// against the record's real size before a byte is touched.
#include "storage/records/tagged_record_file.h"

#include <cstring>

#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "storage/container/palm_database_stream.h"
#include "storage/container/stream_factory.h"

TaggedRecordFile::~TaggedRecordFile() { TaggedRecordFile::Close(); }

bool TaggedRecordFile::Save() {
  if (!database_ || noSave_) return false;
  ReleaseCurrent();
  return database_->Save();
}

void TaggedRecordFile::Close() {
  ReleaseCurrent();
  if (!database_) return;
  if (noSave_) database_->Discard();
  delete database_;
  database_ = nullptr;
  idIndex_.Clear();
}

void TaggedRecordFile::DiscardDatabase() {
  ReleaseCurrent();
  if (!database_) return;
  database_->Discard();
  delete database_;
  database_ = nullptr;
  idIndex_.Clear();
}

RecordResult TaggedRecordFile::OpenReplacingForeign(const WCHAR* path, uint32_t mode, uint32_t creator,
                                                    uint32_t type, uint32_t headerTag, bool* fresh) {
  // A file that is not a database at all is set aside by the factory.
  PalmDatabase* database = OpenRecordDatabase(path, mode, creator, type, nullptr);
  if (!database) return RecordResult::kFailed;
  AttachDatabase(database);
  SetNoSave(false);
  *fresh = database->GetRecordCount() == 0;
  if (*fresh) return RecordResult::kOk;
  const HeaderState header = CheckHeader(headerTag);
  if (header == HeaderState::kReadable) return RecordResult::kOk;
  DiscardDatabase();
  if (header == HeaderState::kUnknown) return RecordResult::kFailed;
  // A database, but not this file: kept aside, never overwritten.
  if (!SetAsideBadFile(path)) return RecordResult::kFailed;
  database = OpenRecordDatabase(path, mode, creator, type, nullptr);
  if (!database) return RecordResult::kFailed;
  AttachDatabase(database);
  if (database->GetRecordCount() != 0) {
    DiscardDatabase();
    return RecordResult::kFailed;
  }
  *fresh = true;
  return RecordResult::kOk;
}

// ---- Cursor ----

void TaggedRecordFile::ReleaseCurrent() {
  if (cursorBuffer_) {
    cursorBuffer_->EndAccess();
    database_->ReleaseRecord(cursorBuffer_, lockedForReading_ == 0);
  }
  cursorBuffer_ = nullptr;
  cursorData_ = nullptr;
  if (conversion_) DeviceFree(conversion_);
  conversion_ = nullptr;
  cursorId_ = kNoRecordId;
  cursorIndex_ = kNoRecordIndex;
  cursorTag_ = kNoTag;
}

bool TaggedRecordFile::HoldRecord(uint16_t index, bool writable) {
  ReleaseCurrent();
  if (!database_ || index >= database_->GetRecordCount()) return false;
  // A file open read-only is never changed, not even in a private copy.
  if (writable && noSave_) return false;
  RecordBuffer* buffer = database_->LockRecord(index, writable);
  if (!buffer) return false;
  uint8_t* data = writable ? buffer->GetWritableData() : const_cast<uint8_t*>(buffer->GetData());
  if (!data && (writable || buffer->GetSize() != 0)) {
    // A record that cannot be written (a mapped file) or has no bytes.
    database_->ReleaseRecord(buffer, false);
    return false;
  }
  uint32_t uniqueId = kNoRecordId;
  if (!database_->GetRecordInfo(index, nullptr, &uniqueId)) uniqueId = kNoRecordId;
  cursorBuffer_ = buffer;
  cursorData_ = data;
  cursorIndex_ = index;
  cursorId_ = uniqueId;
  cursorTag_ = buffer->GetSize() >= 4 ? LoadU32BE(data) : kNoTag;
  lockedForReading_ = writable ? 0 : 1;
  return true;
}

uint32_t TaggedRecordFile::HeldSize() const { return cursorBuffer_ ? cursorBuffer_->GetSize() : 0; }

uint32_t TaggedRecordFile::HeldStoredLength() const { return LoadU32BE(cursorData_ + 4); }

uint8_t* TaggedRecordFile::HeldRecordData(uint32_t* length) {
  if (!cursorBuffer_ || lockedForReading_ || HeldSize() < kRecordHeadSize) return nullptr;
  uint32_t stored = HeldStoredLength();
  if (stored > HeldSize() - kRecordHeadSize) return nullptr;
  if (length) *length = stored;
  return cursorData_ + kRecordHeadSize;
}

bool TaggedRecordFile::FindRecordIndex(uint32_t id, uint16_t* index) {
  if (!database_) return false;
  if (id == kHeaderRecordId) {
    if (database_->GetRecordCount() == 0) return false;
    *index = 0;
    return true;
  }
  // Links come from files: anything beyond 24 bits names no record.
  if (id > 0xFFFFFFu) return false;
  return idIndex_.Find(database_, id, index);
}

uint32_t TaggedRecordFile::LockRecordAtIndex(uint16_t index, bool writable) {
  if (!HoldRecord(index, writable)) return kNoTag;
  return cursorTag_;
}

const uint8_t* TaggedRecordFile::LockRecordData(uint16_t index, uint32_t* length, uint32_t tag) {
  *length = 0;
  if (!HoldRecord(index, false)) return nullptr;
  uint32_t size = HeldSize();
  if (size < kRecordHeadSize || cursorTag_ != tag || HeldStoredLength() > size - kRecordHeadSize) {
    ReleaseCurrent();
    return nullptr;
  }
  *length = HeldStoredLength();
  return cursorData_ + kRecordHeadSize;
}

const uint8_t* TaggedRecordFile::LockRecordById(uint32_t id, uint32_t* length, uint32_t tag) {
  *length = 0;
  ReleaseCurrent();
  uint16_t index = 0;
  if (id == kNoRecordId || !FindRecordIndex(id, &index)) return nullptr;
  return LockRecordData(index, length, tag);
}

const WCHAR* TaggedRecordFile::ReadWideRecord(uint32_t id, uint32_t* count, uint32_t tag) {
  uint32_t length = 0;
  const uint8_t* data = LockRecordById(id, &length, tag);
  if (!data) {
    *count = 0;
    return nullptr;
  }
  if (length < 2) {
    *count = 0;
    return reinterpret_cast<const WCHAR*>(data);
  }
  uint32_t units = length / 2;
  WCHAR* copy = static_cast<WCHAR*>(DeviceAlloc(static_cast<size_t>(units) * sizeof(WCHAR)));
  if (!copy) {
    ReleaseCurrent();
    *count = 0;
    return nullptr;
  }
  for (uint32_t i = 0; i < units; ++i)
    copy[i] = LoadU16BE(data + 2 * i);
  conversion_ = copy;
  *count = units;
  return copy;
}

TaggedRecordFile::HeaderState TaggedRecordFile::CheckHeader(uint32_t tag) {
  ReleaseCurrent();
  if (!database_ || database_->GetRecordCount() == 0) return HeaderState::kAbsent;
  if (!HoldRecord(0, false)) return HeaderState::kUnknown;
  uint32_t size = HeldSize();
  bool readable =
      size >= kRecordHeadSize && cursorTag_ == tag && HeldStoredLength() <= size - kRecordHeadSize;
  ReleaseCurrent();
  return readable ? HeaderState::kReadable : HeaderState::kAbsent;
}

// ---- Field access ----

uint8_t* TaggedRecordFile::FieldInHeldRecord(uint32_t offset, uint32_t size, uint32_t tag) {
  // The record must be readable (hold its stored length) and the field lie
  // inside the stored length.
  uint64_t end = static_cast<uint64_t>(offset) + size;
  if (HeldSize() < kRecordHeadSize || cursorTag_ != tag || HeldStoredLength() > HeldSize() - kRecordHeadSize ||
      HeldStoredLength() < end) {
    ReleaseCurrent();
    return nullptr;
  }
  return cursorData_ + kRecordHeadSize + offset;
}

uint8_t* TaggedRecordFile::AccessFieldAtIndex(uint16_t index, uint32_t offset, uint32_t size, bool writable,
                                              uint32_t tag) {
  ReleaseCurrent();
  uint32_t recordSize = 0;
  if (!database_ || !database_->GetRecordSize(index, &recordSize)) return nullptr;
  if (static_cast<uint64_t>(offset) + size + kRecordHeadSize > recordSize) return nullptr;
  if (!HoldRecord(index, writable)) return nullptr;
  return FieldInHeldRecord(offset, size, tag);
}

uint8_t* TaggedRecordFile::AccessField(uint32_t id, uint32_t offset, uint32_t size, bool writable, uint32_t tag) {
  if (!database_) return nullptr;
  bool sameRecord = cursorBuffer_ && (id == kHeaderRecordId ? cursorIndex_ == 0 : cursorId_ == id);
  if (sameRecord && cursorTag_ == tag && (lockedForReading_ != 0) == !writable)
    return FieldInHeldRecord(offset, size, tag);
  ReleaseCurrent();
  uint16_t index = 0;
  if (!FindRecordIndex(id, &index)) return nullptr;
  return AccessFieldAtIndex(index, offset, size, writable, tag);
}

RecordResult TaggedRecordFile::StoreField(uint8_t* field, const void* bytes, uint32_t size) {
  if (!field) return RecordResult::kFailed;
  std::memcpy(field, bytes, size);
  ReleaseCurrent();
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::SetInt32AtIndex(uint16_t index, uint32_t offset, uint32_t value, uint32_t tag) {
  uint8_t bytes[4];
  StoreU32BE(bytes, value);
  return StoreField(AccessFieldAtIndex(index, offset, 4, true, tag), bytes, 4);
}

RecordResult TaggedRecordFile::SetInt32(uint32_t id, uint32_t offset, uint32_t value, uint32_t tag) {
  uint8_t bytes[4];
  StoreU32BE(bytes, value);
  return StoreField(AccessField(id, offset, 4, true, tag), bytes, 4);
}

RecordResult TaggedRecordFile::GetInt32(uint32_t id, uint32_t offset, uint32_t* value, uint32_t tag) {
  const uint8_t* field = AccessField(id, offset, 4, false, tag);
  if (!field) return RecordResult::kFailed;
  *value = LoadU32BE(field);
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::SetInt16(uint32_t id, uint32_t offset, uint16_t value, uint32_t tag) {
  uint8_t bytes[2];
  StoreU16BE(bytes, value);
  return StoreField(AccessField(id, offset, 2, true, tag), bytes, 2);
}

RecordResult TaggedRecordFile::GetInt16(uint32_t id, uint32_t offset, uint16_t* value, uint32_t tag) {
  const uint8_t* field = AccessField(id, offset, 2, false, tag);
  if (!field) return RecordResult::kFailed;
  *value = LoadU16BE(field);
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::SetByte(uint32_t id, uint32_t offset, uint8_t value, uint32_t tag) {
  return StoreField(AccessField(id, offset, 1, true, tag), &value, 1);
}

RecordResult TaggedRecordFile::GetByte(uint32_t id, uint32_t offset, uint8_t* value, uint32_t tag) {
  const uint8_t* field = AccessField(id, offset, 1, false, tag);
  if (!field) return RecordResult::kFailed;
  *value = *field;
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::SetBytes32(uint32_t id, uint32_t offset, const uint8_t* bytes, uint32_t tag) {
  return StoreField(AccessField(id, offset, 32, true, tag), bytes, 32);
}

RecordResult TaggedRecordFile::GetBytes32(uint32_t id, uint32_t offset, uint8_t* bytes, uint32_t tag) {
  const uint8_t* field = AccessField(id, offset, 32, false, tag);
  if (!field) return RecordResult::kFailed;
  std::memcpy(bytes, field, 32);
  return RecordResult::kOk;
}
