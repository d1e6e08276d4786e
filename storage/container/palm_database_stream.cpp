// StreamPalmDatabase: life cycle, records in memory (mode 0) and on demand
// from the file (mode 1), record entries, sorting and the head setters.
// Loading is in palm_database_stream_load.cpp, saving in
// palm_database_stream_save.cpp.
#include "storage/container/palm_database_stream.h"

#include <cstring>

#include "foundation/containers/sorting.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"

namespace {

// A stream record: in mode 0 the table's own block (changes are in the
// database at once), in mode 1 a private copy freed with the buffer.
class StreamRecordBuffer : public RecordBuffer {
 public:
  StreamRecordBuffer(uint16_t index, uint8_t* data, uint32_t size, bool ownsData)
      : index_(index), data_(data), size_(size), ownsData_(ownsData) {}
  ~StreamRecordBuffer() override {
    if (ownsData_) DeviceFree(data_);
  }
  const uint8_t* GetData() const override { return data_; }
  uint8_t* GetWritableData() override { return data_; }
  bool Write(uint32_t offset, const void* source, uint32_t count) override {
    if (!RecordRangeFits(offset, count, size_) || (count != 0 && !source)) return false;
    if (count) std::memmove(data_ + offset, source, count);
    return true;
  }
  uint16_t GetRecordIndex() const override { return index_; }
  uint32_t GetSize() const override { return size_; }

 private:
  uint16_t index_;
  uint8_t* data_;
  uint32_t size_;
  bool ownsData_;
};

// Every record gets a block of at least one byte, so a record that holds
// data never has a null pointer, whatever its size.
uint8_t* AllocRecordData(uint32_t size) { return static_cast<uint8_t*>(DeviceAlloc(size ? size : 1)); }

void SetEntryUniqueId(RecordTableEntry* entry, uint32_t uniqueId) { StoreU24BE(entry->uniqueId, uniqueId); }

}  // namespace

StreamPalmDatabase::StreamPalmDatabase(FileStream* stream, int32_t mode) : stream_(stream), mode_(mode) {}

StreamPalmDatabase::~StreamPalmDatabase() {
  if (!noSaveOnClose_ && !discarded_ && !memoryOnly_) Save();
  FreeRecords();
  delete stream_;
  DeviceFree(path_);
}

void StreamPalmDatabase::FreeRecords() {
  if (mode_ == kModeInMemory) {
    for (uint32_t i = 0; i < table_.Count(); ++i) {
      DeviceFree(table_.At(i)->data);
      table_.At(i)->data = nullptr;
    }
  }
  table_.Clear();
}

void StreamPalmDatabase::InitHeader(uint32_t creator, uint32_t type) {
  ZeroPalmHeader(&header_);
  StoreU32BE(header_.creator, creator);
  StoreU32BE(header_.type, type);
  header_.creationDate = PalmDateNow();
  header_.modificationDate = header_.creationDate;
}

bool StreamPalmDatabase::KeepOpenMode(uint32_t mode, const WCHAR* path) {
  openMode_ = mode;
  DeviceFree(path_);
  path_ = nullptr;
  if (!path) return true;
  path_ = CopyWideText(path);
  return path_ != nullptr;
}

uint16_t StreamPalmDatabase::GetRecordCount() const {
  if (mode_ == kModeInMemory) return static_cast<uint16_t>(table_.Count());
  if (mode_ == kModeOnDemand) return fileCount_;
  return 0;
}

bool StreamPalmDatabase::ReadAt(uint32_t offset, void* buffer, uint32_t n) {
  if (!stream_ || offset > 0x7FFFFFFFu || stream_->Seek(static_cast<int32_t>(offset), FILE_BEGIN) != offset)
    return false;
  return n == 0 || stream_->Read(buffer, n) == n;
}

bool StreamPalmDatabase::FileRecordExtent(uint16_t index, uint32_t* offset, uint32_t* size) {
  if (mode_ != kModeOnDemand || index >= fileCount_ || !stream_) return false;
  bool last = index + 1 == fileCount_;
  uint8_t entries[kPalmEntrySize + 4];
  if (!ReadAt(kPalmHeadSize + kPalmEntrySize * index, entries, last ? 4 : kPalmEntrySize + 4)) return false;
  uint32_t fileSize = stream_->Size();
  uint32_t start = PalmEntryOffset(entries);
  uint32_t end = last ? fileSize : PalmEntryOffset(entries + kPalmEntrySize);
  if (!PalmRecordLength(start, end, fileSize, size)) return false;
  *offset = start;
  return true;
}

RecordBuffer* StreamPalmDatabase::LockRecord(uint16_t index, bool /*writable*/) {
  if (mode_ == kModeInMemory) {
    RecordTableEntry* entry = table_.At(index);
    if (!entry || !entry->data) return nullptr;
    return DeviceNew<StreamRecordBuffer>(index, entry->data, entry->size, false);
  }
  uint32_t offset = 0, size = 0;
  if (!FileRecordExtent(index, &offset, &size)) return nullptr;
  uint8_t* copy = AllocRecordData(size);
  if (!copy) return nullptr;
  if (!ReadAt(offset, copy, size)) {
    DeviceFree(copy);
    return nullptr;
  }
  RecordBuffer* buffer = DeviceNew<StreamRecordBuffer>(index, copy, size, true);
  if (!buffer) DeviceFree(copy);
  return buffer;
}

bool StreamPalmDatabase::ReadBytes(uint16_t first, uint32_t skip, uint32_t count, void* destination) {
  if (mode_ != kModeOnDemand) return PalmDatabase::ReadBytes(first, skip, count, destination);
  // Records lie back to back in the file, so the bytes are one range from
  // the record's start to at most the end of the file.
  uint32_t offset = 0, size = 0;
  if (!FileRecordExtent(first, &offset, &size)) return false;
  uint64_t start = static_cast<uint64_t>(offset) + skip;
  if (start + count > stream_->Size()) return false;
  return ReadAt(static_cast<uint32_t>(start), destination, count);
}

RecordBuffer* StreamPalmDatabase::InsertRecord(uint16_t index, uint32_t size) {
  if (mode_ != kModeInMemory || size > kPalmMaxRecordSize) return nullptr;
  // The count is a u16 and unique ids have 24 bits: neither may wrap.
  if (table_.Count() >= kPalmMaxRecords || header_.uniqueIdSeed > kPalmMaxUniqueId) return nullptr;
  RecordTableEntry entry{};
  entry.data = AllocRecordData(size);
  if (!entry.data) return nullptr;
  entry.size = size;
  SetEntryUniqueId(&entry, header_.uniqueIdSeed);
  uint32_t at = index < table_.Count() ? index : table_.Count();
  if (!table_.Insert(at, entry)) {
    DeviceFree(entry.data);
    return nullptr;
  }
  RecordBuffer* buffer = StreamPalmDatabase::LockRecord(static_cast<uint16_t>(at), true);
  if (!buffer) {
    table_.Remove(at);
    DeviceFree(entry.data);
    return nullptr;
  }
  ++header_.uniqueIdSeed;
  return buffer;
}

bool StreamPalmDatabase::DeleteRecord(uint16_t index) {
  if (mode_ != kModeInMemory || index >= table_.Count()) return false;
  DeviceFree(table_.At(index)->data);
  table_.Remove(index);
  return true;
}

bool StreamPalmDatabase::ResizeRecord(uint16_t index, uint32_t size) {
  if (mode_ != kModeInMemory || size > kPalmMaxRecordSize) return false;
  RecordTableEntry* entry = table_.At(index);
  if (!entry) return false;
  if (entry->size == size) return true;
  uint8_t* block = AllocRecordData(size);
  if (!block) return false;
  std::memcpy(block, entry->data, entry->size < size ? entry->size : size);
  DeviceFree(entry->data);
  entry->data = block;
  entry->size = size;
  return true;
}

bool StreamPalmDatabase::GetRecordSize(uint16_t index, uint32_t* size) {
  if (mode_ == kModeInMemory) {
    const RecordTableEntry* entry = table_.At(index);
    if (!entry) return false;
    *size = entry->size;
    return true;
  }
  uint32_t offset = 0;
  return FileRecordExtent(index, &offset, size);
}

bool StreamPalmDatabase::GetRecordSizes(uint16_t first, uint16_t count, uint32_t* sizes) {
  if (mode_ != kModeOnDemand) return PalmDatabase::GetRecordSizes(first, count, sizes);
  if (count == 0) return true;
  if (!stream_ || static_cast<uint32_t>(first) + count > fileCount_) return false;
  // One read of the entries first .. first + count (the last one's end is
  // the file's size when the range reaches the last record).
  bool toEnd = static_cast<uint32_t>(first) + count == fileCount_;
  uint32_t entryCount = count + (toEnd ? 0 : 1);
  auto* entries = static_cast<uint8_t*>(DeviceAlloc(kPalmEntrySize * static_cast<size_t>(entryCount)));
  if (!entries) return false;
  bool ok = ReadAt(kPalmHeadSize + kPalmEntrySize * first, entries, kPalmEntrySize * entryCount);
  uint32_t fileSize = stream_->Size();
  for (uint32_t i = 0; ok && i < count; ++i) {
    uint32_t start = PalmEntryOffset(entries + kPalmEntrySize * i);
    uint32_t end = i + 1 < entryCount ? PalmEntryOffset(entries + kPalmEntrySize * (i + 1)) : fileSize;
    ok = PalmRecordLength(start, end, fileSize, &sizes[i]);
  }
  DeviceFree(entries);
  return ok;
}

bool StreamPalmDatabase::GetTotalSize(uint16_t first, uint16_t count, uint32_t* total) {
  auto* sizes = static_cast<uint32_t*>(DeviceAlloc(sizeof(uint32_t) * (count ? count : 1)));
  if (!sizes) return PalmDatabase::GetTotalSize(first, count, total);
  bool ok = GetRecordSizes(first, count, sizes);
  uint64_t sum = 0;
  for (uint32_t i = 0; ok && i < count; ++i) sum += sizes[i];
  DeviceFree(sizes);
  if (!ok || sum > 0xFFFFFFFFu) return false;
  *total = static_cast<uint32_t>(sum);
  return true;
}

bool StreamPalmDatabase::GetRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) {
  if (mode_ == kModeInMemory) {
    const RecordTableEntry* entry = table_.At(index);
    if (!entry) return false;
    if (attributes) *attributes = entry->attributes;
    if (uniqueId) *uniqueId = LoadU24BE(entry->uniqueId);
    return true;
  }
  if (mode_ != kModeOnDemand || index >= fileCount_) return false;
  uint8_t entry[kPalmEntrySize];
  if (!ReadAt(kPalmHeadSize + kPalmEntrySize * index, entry, kPalmEntrySize)) return false;
  if (attributes) *attributes = PalmEntryAttributes(entry);
  if (uniqueId) *uniqueId = PalmEntryUniqueId(entry);
  return true;
}

bool StreamPalmDatabase::SetRecordInfo(uint16_t index, const uint8_t* attributes, const uint32_t* uniqueId) {
  if (mode_ != kModeInMemory) return false;
  RecordTableEntry* entry = table_.At(index);
  if (!entry || (uniqueId && *uniqueId > kPalmMaxUniqueId)) return false;
  if (attributes) entry->attributes = *attributes;
  if (uniqueId) SetEntryUniqueId(entry, *uniqueId);
  return true;
}

namespace {

struct SortContext {
  RecordCompare compare;
  void* context;
};

RecordView ViewOf(const RecordTableEntry* entry) {
  return RecordView{entry->data, entry->size, entry->attributes, LoadU24BE(entry->uniqueId)};
}

int CompareEntries(const void* a, const void* b, void* user) {
  auto* sort = static_cast<SortContext*>(user);
  RecordView x = ViewOf(static_cast<const RecordTableEntry*>(a));
  RecordView y = ViewOf(static_cast<const RecordTableEntry*>(b));
  return sort->compare(&x, &y, sort->context);
}

}  // namespace

bool StreamPalmDatabase::SortRecords(RecordCompare compare, void* context, bool stable) {
  if (mode_ != kModeInMemory || !compare) return false;
  if (table_.Count() < 2) return true;
  SortContext sort{compare, context};
  return stable ? InsertionSort(table_.Entries(), table_.Count(), sizeof(RecordTableEntry), &CompareEntries, &sort)
                : QuickSort(table_.Entries(), table_.Count(), sizeof(RecordTableEntry), &CompareEntries, &sort);
}

bool StreamPalmDatabase::InsertionSortRecords(RecordCompare compare, void* context) {
  return SortRecords(compare, context, true);
}

bool StreamPalmDatabase::QuickSortRecords(RecordCompare compare, void* context) {
  return SortRecords(compare, context, false);
}

bool StreamPalmDatabase::ViewAt(PalmDatabase* database, uint16_t index, RecordView* view) {
  const RecordTableEntry* entry = static_cast<StreamPalmDatabase*>(database)->table_.At(index);
  if (!entry) return false;
  *view = ViewOf(entry);
  return true;
}

bool StreamPalmDatabase::BinarySearchRecords(RecordKeyCompare compare, void* context, const void* key,
                                             uint16_t* index) {
  if (mode_ != kModeInMemory) return false;
  return BinarySearchRecordViews(this, static_cast<uint16_t>(table_.Count()), &ViewAt, compare, context, key, index);
}

bool StreamPalmDatabase::FindByUniqueId(uint32_t uniqueId, uint16_t* index) {
  uniqueId &= kPalmMaxUniqueId;
  uint32_t count = GetRecordCount();
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t id = 0;
    if (!GetRecordInfo(static_cast<uint16_t>(i), nullptr, &id)) return false;
    if (id == uniqueId) {
      *index = static_cast<uint16_t>(i);
      return true;
    }
  }
  return false;
}

void StreamPalmDatabase::SetName(const char* text) {
  std::memset(header_.name, 0, sizeof header_.name);
  if (!text) return;
  for (int i = 0; i < 31 && text[i]; ++i) header_.name[i] = text[i];
}

bool StreamPalmDatabase::SetHeaderWords(const uint16_t* attributes, const uint16_t* version,
                                        const uint32_t* modificationNumber, const uint32_t* type,
                                        const uint32_t* creator) {
  if (attributes) header_.attributes = *attributes;
  if (version) header_.version = *version;
  if (modificationNumber) header_.modificationNumber = *modificationNumber;
  if (type) StoreU32BE(header_.type, *type);
  if (creator) StoreU32BE(header_.creator, *creator);
  return true;
}

bool StreamPalmDatabase::SetDates(const uint32_t* creation, const uint32_t* modification, const uint32_t* backup) {
  if (creation) header_.creationDate = *creation;
  if (modification) header_.modificationDate = *modification;
  if (backup) header_.backupDate = *backup;
  return true;
}
