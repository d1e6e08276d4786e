// TaggedRecordFile: creating, re-sizing, filling, growing and deleting
// records. A file open read-only refuses every one of these.
#include <cstring>

#include "platform/memory/allocator.h"
#include "storage/container/palm_database_layout.h"
#include "storage/records/tagged_record_file.h"

namespace {

// The largest data length whose record still fits the container's 24 bits.
constexpr uint32_t kMaxDataLength = (kPalmMaxRecordSize & ~3u) - kRecordHeadSize;

}  // namespace

RecordResult TaggedRecordFile::ResizeExistingRecord(uint32_t id, uint32_t recordSize, uint32_t tag) {
  uint16_t index = 0;
  if (FindRecordIndex(id, &index)) {
    if (!HoldRecord(index, true)) return RecordResult::kFailed;
  } else if (id == kHeaderRecordId && database_->GetRecordCount() == 0) {
    // An empty container: the header record is made here.
    RecordBuffer* buffer = database_->InsertRecord(0, recordSize);
    if (!buffer) return RecordResult::kFailed;
    uint8_t head[4];
    StoreU32BE(head, tag);
    bool written = buffer->Write(0, head, 4);
    database_->ReleaseRecord(buffer, true);
    if (!written || !HoldRecord(0, true)) {
      database_->DeleteRecord(0);
      return RecordResult::kFailed;
    }
  } else {
    return RecordResult::kFailed;
  }
  if (HeldSize() < 4 || cursorTag_ != tag) {
    ReleaseCurrent();
    return RecordResult::kFailed;
  }
  index = cursorIndex_;
  ReleaseCurrent();
  if (!database_->ResizeRecord(index, recordSize)) return RecordResult::kFailed;
  return HoldRecord(index, true) ? RecordResult::kOk : RecordResult::kFailed;
}

RecordResult TaggedRecordFile::WriteRecord(uint32_t* id, uint32_t length, uint32_t tag, uint16_t index) {
  if (!database_ || noSave_) return RecordResult::kFailed;
  ReleaseCurrent();
  if (length == 0) {
    RecordResult deleted = DeleteRecord(*id, tag);
    *id = kNoRecordId;
    return deleted;
  }
  if (length > kMaxDataLength) return RecordResult::kFailed;
  uint32_t recordSize = TaggedRecordSize(length);

  if (*id == kNoRecordId) {
    uint16_t count = database_->GetRecordCount();
    uint16_t at = index == kInsertBehindHeader ? (count != 0 ? 1 : 0) : index;
    RecordBuffer* buffer = database_->InsertRecord(at, recordSize);
    if (!buffer) return RecordResult::kFailed;
    uint16_t inserted = buffer->GetRecordIndex();
    database_->ReleaseRecord(buffer, true);
    if (!HoldRecord(inserted, true) || cursorId_ == kNoRecordId) {
      ReleaseCurrent();
      database_->DeleteRecord(inserted);
      return RecordResult::kFailed;
    }
    *id = cursorId_;
  } else if (ResizeExistingRecord(*id, recordSize, tag) != RecordResult::kOk) {
    return RecordResult::kFailed;
  }

  // The head, and zeros behind the data so that the file's bytes are
  // always the same for the same content.
  StoreU32BE(cursorData_, tag);
  StoreU32BE(cursorData_ + 4, length);
  std::memset(cursorData_ + kRecordHeadSize + length, 0, recordSize - kRecordHeadSize - length);
  cursorTag_ = tag;
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::WriteRecordData(uint32_t* id, const void* bytes, uint32_t length, uint32_t tag,
                                               uint16_t index) {
  if (!bytes && length != 0) return RecordResult::kFailed;
  if (WriteRecord(id, length, tag, index) != RecordResult::kOk) return RecordResult::kFailed;
  if (length != 0) std::memcpy(cursorData_ + kRecordHeadSize, bytes, length);
  ReleaseCurrent();
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::WriteRecordBlob(uint32_t* id, ByteStream& stream, uint32_t tag, uint16_t index) {
  stream.readPos = 0;
  uint32_t length = stream.Size();
  if (WriteRecord(id, length, tag, index) != RecordResult::kOk) return RecordResult::kFailed;
  if (length != 0 && !stream.ReadBytes(cursorData_ + kRecordHeadSize, length)) {
    // Cannot happen for a stream of that size; keep the record sound anyway.
    std::memset(cursorData_ + kRecordHeadSize, 0, length);
  }
  stream.readPos = 0;
  ReleaseCurrent();
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::WriteWideRecord(uint32_t* id, const WCHAR* chars, uint32_t count, uint32_t tag,
                                               uint16_t index) {
  if (!chars) count = 0;
  if (count > kMaxDataLength / 2) return RecordResult::kFailed;
  if (WriteRecord(id, 2 * count, tag, index) != RecordResult::kOk) return RecordResult::kFailed;
  uint8_t* out = cursorData_ + kRecordHeadSize;
  for (uint32_t i = 0; i < count; ++i) StoreU16BE(out + 2 * i, chars[i]);
  ReleaseCurrent();
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::DeleteRecord(uint32_t id, uint32_t tag) {
  if (id == kNoRecordId) return RecordResult::kOk;
  ReleaseCurrent();
  if (!database_ || noSave_) return RecordResult::kFailed;
  uint16_t index = 0;
  if (!FindRecordIndex(id, &index) || !HoldRecord(index, false)) return RecordResult::kFailed;
  // A record of another tag stays, held as the cursor.
  if (cursorTag_ != tag) return RecordResult::kFailed;
  ReleaseCurrent();
  return database_->DeleteRecord(index) ? RecordResult::kOk : RecordResult::kFailed;
}

bool TaggedRecordFile::GrowRecord(uint16_t index, uint32_t newLength, uint32_t* oldLength, uint32_t* tag,
                                  uint32_t expectedTag) {
  if (!HoldRecord(index, true)) return false;
  *tag = cursorTag_;
  if (cursorTag_ != expectedTag || HeldSize() < kRecordHeadSize) {
    ReleaseCurrent();
    return false;
  }
  uint32_t old = HeldStoredLength();
  *oldLength = old;
  // A record that does not hold its own stored length is not grown: its
  // fields would be read from bytes that were never data.
  bool readable = old <= HeldSize() - kRecordHeadSize;
  ReleaseCurrent();
  if (!readable || old >= newLength || newLength > kMaxDataLength) return false;
  if (!database_->ResizeRecord(index, newLength + kRecordHeadSize)) return false;
  // Without this lock the new length would never be written and every
  // field the caller adds would fail: the growth is reported as failed.
  if (!HoldRecord(index, true)) return false;
  std::memset(cursorData_ + kRecordHeadSize + old, 0, newLength - old);
  StoreU32BE(cursorData_ + 4, newLength);
  ReleaseCurrent();
  return true;
}
