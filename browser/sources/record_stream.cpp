// Record-backed document streams (see record_stream.h).
#include "browser/sources/record_stream.h"

#include <cstring>
#include <new>

#include "platform/memory/allocator.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"

RecordStream* RecordStream::Create(PalmDatabase* database, uint16_t first, uint16_t count, int32_t index,
                                   const SharedWideString& name) {
  if (database == nullptr || count == 0) return nullptr;
  const uint32_t records = database->GetRecordCount();
  if (first >= records || count > records - first) return nullptr;
  uint64_t total = 0;
  for (uint32_t r = first; r < static_cast<uint32_t>(first) + count; ++r) {
    uint32_t size = 0;
    if (!database->GetRecordSize(static_cast<uint16_t>(r), &size)) return nullptr;
    total += size;
  }
  if (total > 0xFFFFFFFFu) return nullptr;
  if (DeviceAllocationShouldFail()) return nullptr;
  RecordStream* stream = new (std::nothrow) RecordStream();
  if (stream == nullptr) return nullptr;
  stream->index_ = index;
  stream->name_ = name;
  stream->database_ = database;
  stream->first_ = first;
  stream->count_ = count;
  stream->size_ = static_cast<uint32_t>(total);
  if (count == 1) {
    stream->locked_ = database->LockRecord(first, false);
    if (stream->locked_ == nullptr) {
      stream->Release();
      return nullptr;
    }
    stream->size_ = stream->locked_->GetSize();
  }
  return stream;
}

RecordStream::~RecordStream() {
  if (locked_ != nullptr) database_->ReleaseRecord(locked_, false);
}

int32_t RecordStream::CompareIndex(int32_t n) {
  // A stream opened by name answers no index.
  if (index_ == kNoIndex) return 1;
  return index_ == n ? 0 : (index_ < n ? -1 : 1);
}

int32_t RecordStream::CompareName(const WCHAR* name, uint32_t length) {
  if (name_.IsEmpty()) return -1;
  return name_.Compare(name, length, false) == 0 ? 0 : -1;
}

bool RecordStream::GetMemory(const uint8_t** pointer, uint32_t* size) {
  *pointer = nullptr;
  *size = 0;
  if (locked_ != nullptr) {
    *pointer = locked_->GetData();
    *size = size_;
    return *pointer != nullptr || size_ == 0;
  }
  // A run of records is handed out directly only when the database maps
  // them one after the other.
  uint32_t direct = 0;
  const uint8_t* data = database_->RecordPointer(first_, &direct);
  if (data == nullptr) return false;
  const uint8_t* expected = data + direct;
  for (uint32_t r = static_cast<uint32_t>(first_) + 1; r < static_cast<uint32_t>(first_) + count_; ++r) {
    uint32_t size = 0;
    if (database_->RecordPointer(static_cast<uint16_t>(r), &size) != expected) return false;
    expected += size;
  }
  if (static_cast<uint64_t>(expected - data) != size_) return false;
  *pointer = data;
  *size = size_;
  return true;
}

bool RecordStream::ReadRaw(uint32_t offset, void* buffer, uint32_t count) {
  if (offset > size_ || count > size_ - offset) return false;
  if (count == 0) return true;
  if (locked_ != nullptr) {
    const uint8_t* data = locked_->GetData();
    if (data == nullptr) return false;
    std::memcpy(buffer, data + offset, count);
    return true;
  }
  return database_->ReadBytes(first_, offset, count, buffer);
}
