// The shared forms of PalmDatabase: reading bytes across records, locking a
// range, sizes and their sum, the head getters and the binary search over
// record views.
#include "storage/container/palm_database.h"

#include <cstring>

void PalmDatabase::ReleaseRecord(RecordBuffer* buffer, bool /*dirty*/) { delete buffer; }

bool PalmDatabase::ReadBytes(uint16_t first, uint32_t skip, uint32_t count, void* destination) {
  auto* out = static_cast<uint8_t*>(destination);
  uint32_t index = first;
  while (count != 0) {
    if (index >= GetRecordCount()) return false;
    RecordBuffer* record = LockRecord(static_cast<uint16_t>(index), false);
    if (!record) return false;
    uint32_t size = record->GetSize();
    if (skip >= size) {
      skip -= size;
    } else {
      uint32_t take = size - skip < count ? size - skip : count;
      std::memcpy(out, record->GetData() + skip, take);
      out += take;
      count -= take;
      skip = 0;
    }
    ReleaseRecord(record, false);
    ++index;
  }
  return true;
}

bool PalmDatabase::LockRange(uint16_t first, uint16_t count, bool writable, RecordBuffer** buffers) {
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t index = static_cast<uint32_t>(first) + i;
    buffers[i] = index <= 0xFFFF ? LockRecord(static_cast<uint16_t>(index), writable) : nullptr;
    if (!buffers[i]) {
      while (i > 0) {
        --i;
        ReleaseRecord(buffers[i], false);
        buffers[i] = nullptr;
      }
      return false;
    }
  }
  return true;
}

bool PalmDatabase::GetRecordSizes(uint16_t first, uint16_t count, uint32_t* sizes) {
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t index = static_cast<uint32_t>(first) + i;
    if (index > 0xFFFF || !GetRecordSize(static_cast<uint16_t>(index), &sizes[i])) return false;
  }
  return true;
}

bool PalmDatabase::GetTotalSize(uint16_t first, uint16_t count, uint32_t* total) {
  uint64_t sum = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t index = static_cast<uint32_t>(first) + i;
    uint32_t size = 0;
    if (index > 0xFFFF || !GetRecordSize(static_cast<uint16_t>(index), &size)) return false;
    sum += size;
  }
  if (sum > 0xFFFFFFFFu) return false;
  *total = static_cast<uint32_t>(sum);
  return true;
}

bool PalmDatabase::GetHeaderWords(uint16_t* attributes, uint16_t* version, uint32_t* modificationNumber,
                                  uint32_t* type, uint32_t* creator) const {
  if (attributes) *attributes = header_.attributes;
  if (version) *version = header_.version;
  if (modificationNumber) *modificationNumber = header_.modificationNumber;
  if (type) *type = LoadU32BE(header_.type);
  if (creator) *creator = LoadU32BE(header_.creator);
  return true;
}

bool PalmDatabase::GetDates(uint32_t* creation, uint32_t* modification, uint32_t* backup) const {
  if (creation) *creation = header_.creationDate;
  if (modification) *modification = header_.modificationDate;
  if (backup) *backup = header_.backupDate;
  return true;
}

bool BinarySearchRecordViews(PalmDatabase* database, uint16_t count, RecordViewAt viewAt,
                             RecordKeyCompare compare, void* context, const void* key, uint16_t* index) {
  *index = 0;
  if (count == 0) return false;
  RecordView view;
  int32_t lo = 0, hi = count - 1;
  while (lo < hi) {
    int32_t mid = (lo + hi) / 2;
    if (!viewAt(database, static_cast<uint16_t>(mid), &view)) return false;
    int c = compare(&view, key, context);
    if (c == 0) {
      *index = static_cast<uint16_t>(mid);
      return true;
    }
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  if (!viewAt(database, static_cast<uint16_t>(lo), &view)) return false;
  int c = compare(&view, key, context);
  // The insertion point after the last record is the count itself, which a
  // u16 cannot hold only when the database is full (65,535 records).
  uint32_t at = c < 0 ? static_cast<uint32_t>(lo) + 1 : static_cast<uint32_t>(lo);
  *index = static_cast<uint16_t>(at > 0xFFFF ? 0xFFFF : at);
  return c == 0;
}
