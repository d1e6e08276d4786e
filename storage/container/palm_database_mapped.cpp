// MappedPalmDatabase: opening and checking a mapped file, and records as
// ranges of the view.
#include "storage/container/palm_database_mapped.h"

#include "foundation/files/file_mode.h"
#include "platform/memory/allocator.h"
#include "storage/container/storage_errors.h"

namespace {

// A record lent straight out of the view: read-only.
class MappedRecordBuffer : public RecordBuffer {
 public:
  MappedRecordBuffer(uint16_t index, const uint8_t* data, uint32_t size) : index_(index), data_(data), size_(size) {}
  const uint8_t* GetData() const override { return data_; }
  uint8_t* GetWritableData() override { return nullptr; }
  bool Write(uint32_t, const void*, uint32_t) override { return false; }
  uint16_t GetRecordIndex() const override { return index_; }
  uint32_t GetSize() const override { return size_; }

 private:
  uint16_t index_;
  const uint8_t* data_;
  uint32_t size_;
};

}  // namespace

MappedPalmDatabase* MappedPalmDatabase::Open(const WCHAR* path, uint32_t mode, int32_t* error) {
  SetStorageError(error, kStorageOk);
  if (FileModeWantsWrite(mode)) return nullptr;
  MappedPalmDatabase* database = DeviceNew<MappedPalmDatabase>();
  if (!database) {
    SetStorageError(error, kStorageNoMemory);
    return nullptr;
  }
  if (!database->file_.Open(path, mode, kFileAttributeArgNormal)) {
    delete database;
    SetStorageError(error, kStorageCannotOpen);
    return nullptr;
  }
  if (!database->LoadHead()) {
    delete database;
    SetStorageError(error, kStorageCorrupt);
    return nullptr;
  }
  return database;
}

bool MappedPalmDatabase::LoadHead() {
  count_ = 0;
  uint32_t fileSize = file_.Size();
  // The size was just taken by the mapping.
  const uint8_t* head = fileSize >= kPalmHeadSize ? file_.KnownRange(0, kPalmHeadSize) : nullptr;
  if (!head) return false;
  uint16_t count = LoadU16BE(head + kPalmCountOffset);
  if (!PalmEntriesFit(count, fileSize)) return false;
  const uint8_t* entries = file_.KnownRange(kPalmHeadSize, kPalmEntrySize * count);
  if (count != 0 && !entries) return false;
  if (!CheckPalmEntries(entries, count, fileSize)) return false;
  DecodePalmHeader(head, &header_);
  count_ = count;
  return true;
}

const uint8_t* MappedPalmDatabase::RecordRange(uint16_t index, uint32_t* size) const {
  if (index >= count_) return nullptr;
  // The file is asked for its size once per record: the entry and the
  // bytes are taken against it.
  if (!file_.RefreshSize()) return nullptr;
  return KnownRecordRange(index, size);
}

const uint8_t* MappedPalmDatabase::KnownRecordRange(uint16_t index, uint32_t* size) const {
  if (index >= count_) return nullptr;
  bool last = index + 1 == count_;
  const uint8_t* entry = file_.KnownRange(kPalmHeadSize + kPalmEntrySize * index, last ? 4 : kPalmEntrySize + 4);
  if (!entry) return nullptr;
  uint32_t offset = PalmEntryOffset(entry);
  uint32_t end = last ? file_.Size() : PalmEntryOffset(entry + kPalmEntrySize);
  uint32_t length = 0;
  if (!PalmRecordLength(offset, end, file_.Size(), &length)) return nullptr;
  // A record of length 0 at the very end of the file has no byte of the view
  // to point at; it gets the view's base, never read.
  const uint8_t* data = length == 0 ? file_.Data() : file_.KnownRange(offset, length);
  if (!data) return nullptr;
  *size = length;
  return data;
}

RecordBuffer* MappedPalmDatabase::LockRecord(uint16_t index, bool /*writable*/) {
  uint32_t size = 0;
  const uint8_t* data = RecordRange(index, &size);
  if (!data) return nullptr;
  return DeviceNew<MappedRecordBuffer>(index, data, size);
}

void MappedPalmDatabase::ReleaseRecord(RecordBuffer* buffer, bool dirty) {
  const uint8_t* base = file_.Data();
  if (buffer != nullptr && base != nullptr && buffer->GetSize() != 0 && buffer->GetData() >= base &&
      static_cast<size_t>(buffer->GetData() - base) < file_.MappedLength()) {
    const uint32_t offset = file_.ViewOffset() + static_cast<uint32_t>(buffer->GetData() - base);
    KeepReleased({offset, offset + buffer->GetSize()});
  }
  PalmDatabase::ReleaseRecord(buffer, dirty);
}

void MappedPalmDatabase::KeepReleased(Span span) {
  int32_t at = reused_.Find(span);
  if (at >= 0) {
    reused_.AddLatest(reused_.RemoveAt(static_cast<uint32_t>(at)));
    return;
  }
  at = window_.Find(span);
  if (at >= 0) {
    window_.AddLatest(window_.RemoveAt(static_cast<uint32_t>(at)));
    return;
  }
  at = remembered_.Find(span);
  if (at >= 0) {
    // Back after leaving the window: read again and again.
    remembered_.RemoveAt(static_cast<uint32_t>(at));
    if (reused_.count == kReusedSpans) Evict(reused_.RemoveAt(0));
    reused_.AddLatest(span);
    // The latest always stays, however long.
    while (reused_.count > 1 && reused_.bytes > kReusedBytes) Evict(reused_.RemoveAt(0));
    return;
  }
  if (window_.count == kWindowSpans) Evict(window_.RemoveAt(0));
  window_.AddLatest(span);
  while (window_.count > 1 && window_.bytes > kWindowBytes) Evict(window_.RemoveAt(0));
}

void MappedPalmDatabase::Evict(Span span) {
  if (remembered_.count == kRememberedSpans) remembered_.RemoveAt(0);
  remembered_.AddLatest(span);
  PassSpan(span);
}

void MappedPalmDatabase::PassSpan(Span span) {
  if (passedEnd_ == 0) {
    // Touching a page maps its neighbours back in with it, some of them
    // behind the stretch let go last: a stretch that goes on from there
    // begins that far back, so that they go with it.
    const bool goesOn = letGoEnd_ != 0 && span.start >= letGoEnd_ && span.start - letGoEnd_ < kNeighbourBytes;
    passedStart_ = goesOn && letGoEnd_ > kNeighbourBytes ? letGoEnd_ - kNeighbourBytes : span.start;
    passedEnd_ = span.end;
  } else if (span.start + kNeighbourBytes >= passedStart_ && span.start <= passedEnd_ + kNeighbourBytes) {
    if (span.start < passedStart_) passedStart_ = span.start;
    if (span.end > passedEnd_) passedEnd_ = span.end;
  } else {
    // A jump: the store is being looked up at random (an index), not read
    // through. Letting go of everything between the places jumped to would
    // fault the next look-up's pages in again, so the stretch starts anew
    // here and what was passed at random stays mapped.
    passedStart_ = span.start;
    passedEnd_ = span.end;
  }
  if (passedEnd_ - passedStart_ >= kPassedStretch) {
    LetGoOutsideKept(passedStart_, passedEnd_);
    letGoEnd_ = passedEnd_;
    passedStart_ = 0;
    passedEnd_ = 0;
  }
}

void MappedPalmDatabase::LetGoOutsideKept(uint32_t start, uint32_t end) {
  // The kept records inside the stretch, by offset.
  Span inside[kWindowSpans + kReusedSpans];
  uint32_t n = 0;
  auto collect = [&](const Span* kept, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
      if (kept[i].end <= start || kept[i].start >= end) continue;
      uint32_t j = n++;
      for (; j > 0 && inside[j - 1].start > kept[i].start; --j) inside[j] = inside[j - 1];
      inside[j] = kept[i];
    }
  };
  collect(window_.items, window_.count);
  collect(reused_.items, reused_.count);
  // The stretch goes in the gaps between them; a gap ends on the boundary
  // below a kept record and resumes on the one above it, since pages are
  // let go whole.
  uint32_t from = start;
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t to = inside[i].start - inside[i].start % kNeighbourBytes;
    if (to > from) file_.ReleasePages(from, to - from);
    const uint64_t above = (static_cast<uint64_t>(inside[i].end) + kNeighbourBytes - 1) / kNeighbourBytes * kNeighbourBytes;
    const uint32_t resume = above < end ? static_cast<uint32_t>(above) : end;
    if (resume > from) from = resume;
  }
  if (end > from) file_.ReleasePages(from, end - from);
}

void MappedPalmDatabase::ForgetReleased() {
  window_.count = 0;
  window_.bytes = 0;
  reused_.count = 0;
  reused_.bytes = 0;
  remembered_.count = 0;
  remembered_.bytes = 0;
  passedStart_ = 0;
  passedEnd_ = 0;
  letGoEnd_ = 0;
}

const uint8_t* MappedPalmDatabase::RecordPointer(uint16_t index, uint32_t* size) {
  uint32_t length = 0;
  const uint8_t* data = RecordRange(index, &length);
  if (data && size) *size = length;
  return data;
}

bool MappedPalmDatabase::GetRecordSize(uint16_t index, uint32_t* size) {
  uint32_t length = 0;
  if (!RecordRange(index, &length)) return false;
  *size = length;
  return true;
}

bool MappedPalmDatabase::GetRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) {
  return index < count_ && file_.RefreshSize() && KnownRecordInfo(index, attributes, uniqueId);
}

bool MappedPalmDatabase::KnownRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) const {
  if (index >= count_) return false;
  const uint8_t* entry = file_.KnownRange(kPalmHeadSize + kPalmEntrySize * index, kPalmEntrySize);
  if (!entry) return false;
  if (attributes) *attributes = PalmEntryAttributes(entry);
  if (uniqueId) *uniqueId = PalmEntryUniqueId(entry);
  return true;
}

// A search is one call: the file's size is asked once, and every record
// it probes is taken against that size.
bool MappedPalmDatabase::ViewAt(PalmDatabase* database, uint16_t index, RecordView* view) {
  auto* self = static_cast<MappedPalmDatabase*>(database);
  view->data = self->KnownRecordRange(index, &view->size);
  return view->data && self->KnownRecordInfo(index, &view->attributes, &view->uniqueId);
}

bool MappedPalmDatabase::BinarySearchRecords(RecordKeyCompare compare, void* context, const void* key,
                                             uint16_t* index) {
  // A size that cannot be asked leaves it 0, which fails every probe.
  file_.RefreshSize();
  return BinarySearchRecordViews(this, count_, &ViewAt, compare, context, key, index);
}

bool MappedPalmDatabase::FindByUniqueId(uint32_t uniqueId, uint16_t* index) {
  uniqueId &= kPalmMaxUniqueId;
  if (!file_.RefreshSize()) return false;
  for (uint32_t i = 0; i < count_; ++i) {
    uint32_t id = 0;
    if (!KnownRecordInfo(static_cast<uint16_t>(i), nullptr, &id)) return false;
    if (id == uniqueId) {
      *index = static_cast<uint16_t>(i);
      return true;
    }
  }
  return false;
}

bool MappedPalmDatabase::IsStoreValid() { return file_.IsAvailable() && file_.IsOpen(); }

bool MappedPalmDatabase::ReopenStore() {
  ++storeGeneration_;
  ForgetReleased();
  if (!file_.Reopen() || !LoadHead()) {
    count_ = 0;
    return false;
  }
  return true;
}
