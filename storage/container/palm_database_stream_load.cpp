// StreamPalmDatabase::Load: the head and the entry table are read and
// checked against the file's size before anything is allocated for
// records; then (mode 0) every record is read into its own block. A
// failure leaves the database empty and discarded, and says why: a file
// that is not a sound database, a read that came short, or lack of memory.
#include <cstring>

#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "storage/container/palm_database_stream.h"

PalmLoadResult StreamPalmDatabase::Load() {
  FreeRecords();
  fileCount_ = 0;
  if (!stream_) return PalmLoadResult::kReadFailed;
  uint32_t fileSize = stream_->Size();
  if (fileSize == 0) return PalmLoadResult::kEmptyFile;
  if (fileSize < kPalmHeadSize) {
    discarded_ = 1;
    return PalmLoadResult::kInvalid;
  }
  uint8_t head[kPalmHeadSize];
  if (!ReadAt(0, head, kPalmHeadSize)) {
    discarded_ = 1;
    return PalmLoadResult::kReadFailed;
  }
  uint16_t count = LoadU16BE(head + kPalmCountOffset);
  if (!PalmEntriesFit(count, fileSize)) {
    discarded_ = 1;
    return PalmLoadResult::kInvalid;
  }
  DecodePalmHeader(head, &header_);
  if (mode_ == kModeHeadOnly || count == 0) return PalmLoadResult::kLoaded;

  // The entry table: at most 65,535 × 8 bytes, and the file holds it all.
  auto* entries = static_cast<uint8_t*>(DeviceAlloc(kPalmEntrySize * static_cast<size_t>(count)));
  PalmLoadResult result = PalmLoadResult::kLoaded;
  if (!entries)
    result = PalmLoadResult::kNoMemory;
  else if (!ReadAt(kPalmHeadSize, entries, kPalmEntrySize * count))
    result = PalmLoadResult::kReadFailed;
  else if (!CheckPalmEntries(entries, count, fileSize))
    result = PalmLoadResult::kInvalid;
  else if (mode_ == kModeOnDemand)
    fileCount_ = count;
  else
    result = LoadRecords(entries, count, fileSize);
  DeviceFree(entries);
  if (result != PalmLoadResult::kLoaded) {
    FreeRecords();
    fileCount_ = 0;
    discarded_ = 1;
  }
  return result;
}

PalmLoadResult StreamPalmDatabase::LoadRecords(const uint8_t* entries, uint16_t count, uint32_t fileSize) {
  if (!table_.Reserve(count)) return PalmLoadResult::kNoMemory;
  uint32_t largestId = 0;
  bool anyId = false;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* raw = entries + kPalmEntrySize * i;
    RecordTableEntry entry{};
    entry.offset = PalmEntryOffset(raw);
    entry.attributes = PalmEntryAttributes(raw);
    std::memcpy(entry.uniqueId, raw + 5, 3);
    uint32_t end = i + 1 < count ? PalmEntryOffset(raw + kPalmEntrySize) : fileSize;
    // Checked whole by CheckPalmEntries: never wraps, never above 24 bits.
    PalmRecordLength(entry.offset, end, fileSize, &entry.size);
    table_.Append(entry);
    uint32_t id = PalmEntryUniqueId(raw);
    if (!anyId || id > largestId) largestId = id;
    anyId = true;
  }
  if (anyId && header_.uniqueIdSeed <= largestId) header_.uniqueIdSeed = largestId + 1;
  for (uint32_t i = 0; i < count; ++i) {
    RecordTableEntry* entry = table_.At(i);
    entry->data = static_cast<uint8_t*>(DeviceAlloc(entry->size ? entry->size : 1));
    if (!entry->data) return PalmLoadResult::kNoMemory;
    if (!ReadAt(entry->offset, entry->data, entry->size)) return PalmLoadResult::kReadFailed;
  }
  return PalmLoadResult::kLoaded;
}
